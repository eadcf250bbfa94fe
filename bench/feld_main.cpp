// The listing pane at the size of a whole drive: one full search of a tree in the main window
// (offscreen, all fields), then, each timed, what a user does with the result: the first typed
// character, bold on a thousand lines, undo, Ctrl+A and Ctrl+C, find of a name near the end,
// printing the listing to a PDF file, and a new search. Resident memory after each step.
// Last line: zeilen=N suche_s=… erste_bearbeitung_ms=… fett_ms=… rueckgaengig_ms=… kopieren_ms=…
// suchen_ms=… druck_s=… druck_seiten=… rss_mb_suche=… rss_mb_spitze=… rss_mb_neue_suche=…
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <cstdio>

#include "app/anwendung.h"
#include "app/fenster.h"
#include "app/hauptfenster.h"
#include "app/verzeichnisliste.h"
#include "output/fenster/ausgabefeld.h"
#include "output/fenster/drucken.h"
#include "output/fenster/einstellungselemente.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/formatleiste.h"
#include "output/fenster/optionsfenster.h"
#include "output/fenster/speicheransicht.h"
#include "output/fenster/suchdialog.h"
#include "platform/linux/linux_plattform.h"
#include "spitzenspeicher.h"

namespace {

double rssMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().split(' ').value(1).toDouble() * 4096 / (1024.0 * 1024.0);
}

// Milliseconds until the step and the window's reaction to it are done.
template <typename F> double ms(F schritt)
{
    QElapsedTimer uhr;
    uhr.start();
    schritt();
    QCoreApplication::processEvents();
    return uhr.nsecsElapsed() / 1e6;
}

// To the pane as the keyboard reaches it: its line view while it shows one.
void taste(Ausgabefeld* feld, int k, Qt::KeyboardModifiers m = {}, const QString& text = {})
{
    QWidget* ziel = feld->focusProxy() ? feld->focusProxy() : feld;
    QKeyEvent druck(QEvent::KeyPress, k, m, text), los(QEvent::KeyRelease, k, m, text);
    QCoreApplication::sendEvent(ziel, &druck);
    QCoreApplication::sendEvent(ziel, &los);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "Aufruf: %s VERZEICHNIS [PDF]\n", argv[0]);
        return 2;
    }
    const QString wurzel = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QTemporaryDir ordner;
    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2]) : ordner.filePath(QStringLiteral("liste.pdf"));
    TAnwendung app(argc, argv);
    static plattform::LinuxDateisystem ds;
    static plattform::LinuxLaufwerke lw;
    plattform::installieren({.dateisystem = &ds, .laufwerke = &lw});

    fensterErzeugen();
    Haupt->show();
    QCoreApplication::processEvents();
    if (!Haupt->DirectoryListBox1->setzeVerzeichnis(wurzel))
        return 1;
    for (QCheckBox* c : {Haupt->CheckBox10, Haupt->CheckBox11, Haupt->CheckBox12, Haupt->CheckBox14})
        c->setChecked(true);
    QCoreApplication::processEvents();
    Ausgabefeld* feld = Haupt->RichEdit1;

    QElapsedTimer uhr;
    uhr.start();
    Haupt->sucheStarten();
    const double suche = uhr.nsecsElapsed() / 1e9;
    const qsizetype zeilen = feld->zeilenzahl();
    const double rssSuche = rssMb();
    std::fprintf(stderr, "%lld Zeilen, Suche %.2f s, %.0f MB\n", qlonglong(zeilen), suche, rssSuche);
    // A name near the end, taken before anything changes the pane.
    const QString name = (feld->imSpeicher() ? feld->speicher().zeile(zeilen - 2)
                                             : feld->document()->findBlockByNumber(int(zeilen - 2)).text())
                             .section(u'\t', 0, 0);

    feld->setFocus();
    QCoreApplication::processEvents();
    const double bearbeitung = ms([&] { taste(feld, Qt::Key_X, {}, QStringLiteral("x")); });
    std::fprintf(stderr, "erste Bearbeitung %.1f ms, %.0f MB\n", bearbeitung, rssMb());

    // A thousand lines from the middle, then the bold button of the pane's bar.
    const double fett = ms([&] {
        if (auto* ansicht = feld->findChild<Speicheransicht*>(QStringLiteral("Zeilenansicht")); ansicht && feld->imSpeicher()) {
            ansicht->auswaehlen({zeilen / 2, 0}, {zeilen / 2 + 1000, 0});
        } else {
            QTextCursor c(feld->document()->findBlockByNumber(int(zeilen / 2)));
            c.setPosition(feld->document()->findBlockByNumber(int(zeilen / 2 + 1000)).position(),
                          QTextCursor::KeepAnchor);
            feld->setTextCursor(c);
        }
        Haupt->Leiste1->stilknopf(Formatleiste::Fett)->click();
    });
    std::fprintf(stderr, "fett %.1f ms, %.0f MB\n", fett, rssMb());
    feld->setFocus();
    const double rueckgaengig = ms([&] { taste(feld, Qt::Key_Z, Qt::ControlModifier); });
    const double kopieren = ms([&] {
        taste(feld, Qt::Key_A, Qt::ControlModifier);
        taste(feld, Qt::Key_C, Qt::ControlModifier);
    });
    std::fprintf(stderr, "kopieren %.1f ms, %.0f MB\n", kopieren, rssMb());
    // The whole listing pasted back as text from another program.
    {
        auto* fremd = new QMimeData;
        fremd->setText(QGuiApplication::clipboard()->text());
        QGuiApplication::clipboard()->setMimeData(fremd);
        taste(feld, Qt::Key_End, Qt::ControlModifier);
        const double einfuegen = ms([&] { taste(feld, Qt::Key_V, Qt::ControlModifier); });
        std::fprintf(stderr, "Liste als fremder Text eingefügt: %.1f ms, %lld Zeilen, %.0f MB\n", einfuegen,
                     qlonglong(feld->zeilenzahl()), rssMb());
        taste(feld, Qt::Key_Z, Qt::ControlModifier);
    }
    taste(feld, Qt::Key_Home, Qt::ControlModifier);
    bool gefunden = false;
    const double suchen = ms([&] { gefunden = textSuchen(feld, name, false, false); });
    if (!gefunden)
        std::fprintf(stderr, "„%s“ nicht gefunden\n", qPrintable(name));

    // Through the print button as a user prints: the listing variant, the dialog answered with a
    // PDF file, the cancel window up while it runs.
    Optionsfenster->RadioGroup2->setItemIndex(AusgabeartInhalt);
    struct Druckantwort : Fensterdienste {
        QString pdf;
        Fensterdienste& programm = fensterdienste();
        bool druckdialog(QWidget*, QPrinter& drucker) override
        {
            drucker.setOutputFormat(QPrinter::PdfFormat);
            drucker.setOutputFileName(pdf);
            return true;
        }
        QPrinter* drucker() override { return programm.drucker(); }
    } antwort;
    antwort.pdf = pdf;
    const Dienstinstallation installiert(antwort);
    // BENCH_BILD: a picture of the screen a second into printing.
    if (const QString bild = qEnvironmentVariable("BENCH_BILD"); !bild.isEmpty())
        QTimer::singleShot(1000, [bild] { QGuiApplication::primaryScreen()->grabWindow(0).save(bild); });
    uhr.start();
    Haupt->ToolButton3Click();
    const double druck = uhr.nsecsElapsed() / 1e9;
    int seiten = -1;
    if (QProcess pdfinfo; pdfinfo.start(QStringLiteral("pdfinfo"), {pdf}), pdfinfo.waitForFinished(60000))
        for (const QByteArray& zeile : pdfinfo.readAllStandardOutput().split('\n'))
            if (zeile.startsWith("Pages:"))
                seiten = zeile.mid(6).trimmed().toInt();
    std::fprintf(stderr, "Druck %.1f s, %d Seiten, %.0f MB\n", druck, seiten, rssMb());

    Haupt->sucheStarten();
    const double rssNeu = rssMb();
    // What a copy still held in the clipboard keeps, apart.
    QGuiApplication::clipboard()->clear();
    std::fprintf(stderr, "nach neuer Suche ohne Zwischenablage: %.0f MB\n", rssMb());
    std::printf("zeilen=%lld suche_s=%.3f erste_bearbeitung_ms=%.1f fett_ms=%.1f rueckgaengig_ms=%.1f kopieren_ms=%.1f "
                "suchen_ms=%.1f druck_s=%.2f druck_seiten=%d rss_mb_suche=%.0f rss_mb_spitze=%.0f "
                "rss_mb_neue_suche=%.0f\n",
                qlonglong(zeilen), suche, bearbeitung, fett, rueckgaengig, kopieren, suchen, druck, seiten, rssSuche,
                spitzenspeicherMb(), rssNeu);
    return 0;
}
