#include "sysinfo/fenster/system_a.h"

#include <QDateTime>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "netinfo/netzbericht.h"
#include "output/fenster/berichtsfeld.h"
#include "output/fenster/einstellunganwenden.h"
#include "output/fenster/fensterdienste.h"
#include "platform/nachrichten.h"
#include "sysinfo/systembericht.h"
#include "text/zeittexte.h"

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
    // Closed however the build ends: an error box must not open behind it.
    Fensterdienste::Warten warten;
    if (umgebung.meldungen()) {
        warten = fensterdienste().warten(QStringLiteral("Bitte warten - "),
                                         QStringLiteral("Systemdaten werden gelesen ...."));
        plattform::nachrichtenZulassen();
    }
    Memo1->clear();
    Feldziel ziel(Memo1);
    systemberichtSchreiben(ziel, umgebung);
    Memo1->moveCursor(QTextCursor::Start);
}

