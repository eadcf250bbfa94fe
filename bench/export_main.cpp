// One save of a search as bench/export measures it: the text save of the listing (path,
// attributes, size and date, as zembrola-liste -o writes it) or one of the exports.
// Prints "art=A sekunden=S rss_mb=R mb=M" (peak resident memory, file size) as its last line.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>

#include <clocale>
#include <cstdio>

#include "export/export.h"
#include "text/utf8senke.h"
#include "platform/linux/linux_plattform.h"
#include "spitzenspeicher.h"

namespace {

class Umgebung : public Suchumgebung {
public:
    explicit Umgebung(Zeilensenke& liste) : m_liste(liste) {}
    Zeilensenke& liste() override { return m_liste; }
    Zeilensenke& zusammenfassung() override { return m_summe; }
    Zeilensammler m_summe;

private:
    Zeilensenke& m_liste;
};

bool textSpeichern(const Suchkriterien& k, const QString& ziel)
{
    QSaveFile datei(ziel);
    if (!datei.open(QIODevice::WriteOnly))
        return false;
    Suchzustand z;
    {
        Utf8Senke aus(&datei, true);
        Umgebung u(aus);
        Ansicht a;
        a.attribute = a.groesse = a.datum = true;
        starteSuche(k, a, z, u);
        for (const QString& zeile : u.m_summe.zeilen)
            aus.zeile(zeile);
        if (!aus.leeren())
            return false;
    }
    return datei.commit();
}

}  // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "Aufruf: %s text|csv|html|json VERZEICHNIS ZIELDATEI\n", argv[0]);
        return 2;
    }
    static plattform::LinuxDateisystem ds;
    static plattform::LinuxLaufwerke lw;
    plattform::installieren({.dateisystem = &ds, .laufwerke = &lw});

    Suchkriterien k;
    k.verzeichnis = QFileInfo(args[2]).absoluteFilePath();
    k.unterverzeichnisse = true;
    const QString art = args[1];
    QElapsedTimer uhr;
    uhr.start();
    bool gut;
    if (art == QLatin1String("text")) {
        gut = textSpeichern(k, args[3]);
    } else {
        const auto format = exportartVon(QStringLiteral("x.") + art);
        if (!format)
            return 2;
        Suchzustand z;
        QString fehler;
        Zeilensammler leer;
        Umgebung u(leer);
        gut = exportieren(args[3], *format, k, u, z, &fehler) == Exportergebnis::geschrieben;
        if (!gut)
            std::fprintf(stderr, "%s\n", fehler.toUtf8().constData());
    }
    const double sekunden = uhr.nsecsElapsed() / 1e9;
    if (!gut)
        return 1;
    std::printf("art=%s sekunden=%.4f rss_mb=%.1f mb=%.1f\n", argv[1], sekunden, spitzenspeicherMb(),
                QFileInfo(args[3]).size() / 1048576.0);
    return 0;
}
