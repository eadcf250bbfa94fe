#include "netinfo/fenster/Netzw.h"

#include <QApplication>
#include <QDateTime>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextOption>

#include "netinfo/netzbericht.h"
#include "output/fenster/berichtsfeld.h"
#include "output/fenster/einstellunganwenden.h"
#include "output/fenster/fensterdienste.h"
#include "text/zeittexte.h"

TNetzwerk* Netzwerk = nullptr;

namespace {

class Fensterumgebung : public Netzplattformumgebung {
public:
    explicit Fensterumgebung(TNetzwerk& f) : m_f(f) {}
    bool meldungen() const override { return Berichtsfenster::meldungsschalter(); }
    QString erstellungsdatum() const override
    {
        return Datumstexte(Zeitformate::ausSystem()).datumZeit(QDateTime::currentDateTime());
    }
    void meldung(const QString& text) override { m_f.meldungAnzeigen(text); }

private:
    TNetzwerk& m_f;
};

}  // namespace

TNetzwerk::TNetzwerk(QWidget* parent)
    : Berichtsfenster({QStringLiteral("TNetzwerk"), QStringLiteral("Netzwerk-Ausgabe"), QStringLiteral("Netzwerkanalyse"),
                       QStringLiteral("Netzwerkanalyse"), QStringLiteral("Netzwerkanalyse"), QStringLiteral("zembrola_net.txt"),
                       true, QSize(713, 391), QFont(QStringLiteral("Tahoma"), 8)},
                      parent)
{
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    tabstopsSetzen();
    // Colours and font of the report's tab of the settings.
    einstellungenFolgen(this, [this](const AufgeloesteEinstellungen& werte) { feldGestalten(Memo1, werte.netz); });
}

void TNetzwerk::tabstopsSetzen()
{
    // Five stops at 1000 * i / b dialog units, b being the system font's average character width;
    // a dialog unit is a quarter of the pane font's average character width.
    const int b = qMax(1, QFontMetrics(QApplication::font()).averageCharWidth() & 0xFFFF);
    const qreal viertel = QFontMetricsF(Memo1->font()).averageCharWidth() / 4;
    QList<QTextOption::Tab> stops;
    for (int i = 1; i <= 5; ++i)
        stops.append(QTextOption::Tab((1000 * i / b) * viertel, QTextOption::LeftTab));
    QTextOption option = Memo1->document()->defaultTextOption();
    option.setTabs(stops);
    Memo1->document()->setDefaultTextOption(option);
    // Beyond the fifth stop tabs keep the same spacing.
    Memo1->setTabStopDistance(stops.first().position);
}

void TNetzwerk::netzwerkdatenlesen()
{
    Fensterumgebung umgebung(*this);
    // Closed however the build ends.
    Fensterdienste::Warten warten;
    if (umgebung.meldungen())
        warten = fensterdienste().warten(QStringLiteral("Bitte warten - "),
                                         QStringLiteral("Netzwerkdaten werden gelesen ...."));
    Memo1->clear();
    Feldziel ziel(Memo1);
    netzwerkberichtSchreiben(ziel, umgebung);
}

