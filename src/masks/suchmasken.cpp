#include "masks/suchmasken.h"

#include <QCollator>

#include <algorithm>

namespace suchmasken {

QStringList standardmasken()
{
    return {
        QStringLiteral("*.123"), QStringLiteral("*.apr"), QStringLiteral("*.bas"), QStringLiteral("*.bat"),
        QStringLiteral("*.bmp"), QStringLiteral("*.com"), QStringLiteral("*.dat"), QStringLiteral("*.db"),
        QStringLiteral("*.dbf"), QStringLiteral("*.dcu"), QStringLiteral("*.dll"), QStringLiteral("*.doc"),
        QStringLiteral("*.dpr"), QStringLiteral("*.exe"), QStringLiteral("*.gif"), QStringLiteral("*.hlp"),
        QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.jpg"), QStringLiteral("*.lwp"),
        QStringLiteral("*.mdb"), QStringLiteral("*.pas"), QStringLiteral("*.prz"), QStringLiteral("*.rtf"),
        QStringLiteral("*.sdb"), QStringLiteral("*.sdc"), QStringLiteral("*.sdd"), QStringLiteral("*.sdw"),
        QStringLiteral("*.sys"), QStringLiteral("*.tif"), QStringLiteral("*.tmp"), QStringLiteral("*.txt"),
        QStringLiteral("*.wav"), QStringLiteral("*.wmf"), QStringLiteral("*.xls"),
    };
}

QStringList standardliste()
{
    QStringList liste{alleDateien};
    liste += standardmasken();
    liste.append(neuEintrag);
    return liste;
}

void sortieren(QStringList& masken, const QLocale& gebiet)
{
    QCollator vergleich(gebiet);
    vergleich.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(masken.begin(), masken.end(),
                     [&](const QString& a, const QString& b) { return vergleich.compare(a, b) < 0; });
}

QStringList listeaufbauen(QStringList benutzermasken, const QLocale& gebiet)
{
    sortieren(benutzermasken, gebiet);
    QStringList liste{alleDateien};
    liste += benutzermasken;
    liste.append(neuEintrag);
    return liste;
}

QStringList benutzermasken(QStringList liste)
{
    if (!liste.isEmpty())
        liste.removeLast();
    if (!liste.isEmpty())
        liste.removeFirst();
    return liste;
}

QString fehlermeldung(const QString& datei, const QString& grund)
{
    return QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(datei, grund);
}

}  // namespace suchmasken
