#include "sysinfo/fenster/system_a.h"

#include <QDateTime>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "listing/zeittexte.h"
#include "netinfo/netzbericht.h"
#include "output/fenster/berichtsfeld.h"
#include "output/fenster/einstellunganwenden.h"
#include "platform/nachrichten.h"
#include "sysinfo/systembericht.h"

TSystemausgabe* Systemausgabe = nullptr;

namespace {

class Fensterumgebung : public Systemberichtsumgebung {
public:
    bool meldungen() const override { return Berichtsfenster::meldungsschalter(); }
    QString erstellungsdatum() const override
    {
        return Datumstexte(Zeitformate::ausSystem()).datumZeit(QDateTime::currentDateTime());
    }
    bool dezimalkomma() const override { return QLocale::system().decimalPoint() == QLatin1String(","); }
    // The workgroups and domains of the whole network, for a machine without one of its own.
    QStringList arbeitsgruppen() override { return netzressourcenVom(plattform::atArbeitsgruppe); }
};

}  // namespace

TSystemausgabe::TSystemausgabe(QWidget* parent)
    : Berichtsfenster({QStringLiteral("TSystemausgabe"), QStringLiteral("Systemausgabe"), QStringLiteral("Systemausgabe"),
                       QStringLiteral("Symbolleiste der Systemausgabe"), QStringLiteral("Ausgabefenster der Systemausgabe"),
                       QStringLiteral("zembrola_sys.txt"), false, QSize(667, 523), QFont(QStringLiteral("MS Sans Serif"), 8)},
                      parent)
{
    // Colours and font of the report's tab of the settings.
    einstellungenFolgen(this, [this](const AufgeloesteEinstellungen& werte) { feldGestalten(Memo1, werte.system); });
}

void TSystemausgabe::systemdatenlesen()
{
    linkenRandSetzen(Memo1, 60);
    Fensterumgebung umgebung;
    const bool warten = umgebung.meldungen();
    if (warten && wartenOeffnen)
        wartenOeffnen(QStringLiteral("Bitte warten - "), QStringLiteral("Systemdaten werden gelesen ...."));
    if (warten)
        plattform::nachrichtenZulassen();
    Memo1->clear();
    Feldziel ziel(Memo1);
    try {
        systemberichtSchreiben(ziel, umgebung);
    } catch (...) {
        // The error box follows; the wait window must not stay open behind it.
        if (wartenSchliessen)
            wartenSchliessen();
        throw;
    }
    Memo1->moveCursor(QTextCursor::Start);
    if (umgebung.meldungen() && wartenSchliessen)
        wartenSchliessen();
}

