#include "output/fenster/berichtsfenster.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <stdexcept>

#include "output/codepage.h"
#include "output/fenster/berichtsfeld.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/formatleiste.h"
#include "output/fenster/klartextdruck.h"
#include "output/fenster/optionsfenster.h"
#include "output/textausgabe.h"

namespace {

// The program's printer, or one of the report windows' own.
QPrinter& aktuellerDrucker()
{
    static QPrinter eigener;
    QPrinter* drucker = fensterdienste().drucker();
    return drucker ? *drucker : eigener;
}

}  // namespace

void Feldziel::zeile(const QString& text)
{
    m_feld->appendPlainText(text);
    ++m_zeilen;
}

void Feldziel::einfuegen(int vor, const QString& text)
{
    QTextCursor c(m_feld->document()->findBlockByNumber(vor));
    c.insertText(text);
    c.insertBlock();
    ++m_zeilen;
}

bool Berichtsfenster::meldungsschalter()
{
    return Optionsfenster ? Optionsfenster->meldungsfensterAnzeigen() : true;
}

Berichtsfenster::Berichtsfenster(const Art& art, QWidget* parent) : QMainWindow(parent), m_art(art)
{
    setObjectName(art.objektname);
    setWindowTitle(art.titel);
    setWhatsThis(art.hilfe);
    m_letzterName = art.dateiname;

    Memo1 = berichtsfeldAnlegen(this, art.schrift);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWhatsThis(art.feldhilfe);
    Memo1->installEventFilter(this);
    setCentralWidget(Memo1);
    Memo2 = new QPlainTextEdit(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setTabChangesFocus(false);
    Memo2->hide();
    tabstopsSetzen();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFixedHeight(29);
    ToolBar1->setWhatsThis(art.symbolleistenhilfe);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    struct Knopf {
        QToolButton** ziel;
        const char* name;
        const char* hinweis;
        const char* bild;
        QStyle::StandardPixmap ersatz;
        void (Berichtsfenster::*handler)();
    };
    const Knopf knoepfe[] = {
        {&ToolButton1, "ToolButton1", "Fenster schließen", "beenden", QStyle::SP_DialogCloseButton, &Berichtsfenster::ToolButton1Click},
        {&ToolButton2, "ToolButton2", "Inhalt speichern", "speichern", QStyle::SP_DialogSaveButton, &Berichtsfenster::ToolButton2Click},
        {&ToolButton3, "ToolButton3", "Inhalt ausdrucken", "drucken", QStyle::SP_FileIcon, &Berichtsfenster::ToolButton3Click},
        {&ToolButton4, "ToolButton4", "Drucker einrichten", "druckereinrichten", QStyle::SP_FileDialogDetailedView, &Berichtsfenster::ToolButton4Click},
        {&ToolButton5, "ToolButton5", "alles markieren", "markieren", QStyle::SP_FileDialogListView, &Berichtsfenster::ToolButton5Click},
        {&ToolButton6, "ToolButton6", "Inhalt in die Zwischenablage kopieren", "kopieren", QStyle::SP_FileDialogNewFolder, &Berichtsfenster::ToolButton6Click},
        {&ToolButton7, "ToolButton7", "aus der Zwichenablage einfügen", "einfuegen", QStyle::SP_DialogApplyButton, &Berichtsfenster::ToolButton7Click},
        {&ToolButton8, "ToolButton8", "aktualisieren", "aktualisieren", QStyle::SP_BrowserReload, &Berichtsfenster::ToolButton8Click},
        {&ToolButton9, "ToolButton9", "Infomationen anzeigen", "info", QStyle::SP_MessageBoxInformation, &Berichtsfenster::ToolButton9Click},
        {&ToolButton10, "ToolButton10", "Hilfe anzeigen", "hilfe", QStyle::SP_DialogHelpButton, &Berichtsfenster::ToolButton10Click},
    };
    for (Knopf k : knoepfe) {
        const bool neun = k.ziel == &ToolButton9, zehn = k.ziel == &ToolButton10;
        if (art.hilfeAufNeun && (neun || zehn)) {
            const Knopf& anderer = knoepfe[neun ? 9 : 8];
            k = {k.ziel, k.name, anderer.hinweis, anderer.bild, anderer.ersatz, anderer.handler};
        }
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(QLatin1String(k.name));
        b->setToolTip(QString::fromUtf8(k.hinweis));
        const QString bildname = QLatin1String(k.bild);
        QIcon bild = bildname == u"markieren" || bildname == u"kopieren" || bildname == u"einfuegen"
            ? bearbeitungsbild(bildname)
            : fensterdienste().bild(bildname);
        b->setIcon(bild.isNull() ? style()->standardIcon(k.ersatz) : bild);
        const bool hilfeCursor = !art.hilfeAufNeun && k.handler == &Berichtsfenster::ToolButton10Click;
        b->setCursor(hilfeCursor ? Qt::WhatsThisCursor : Qt::PointingHandCursor);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, k.handler);
        *k.ziel = b;
    }
    // About before help in both windows.
    for (QToolButton* b : {ToolButton1, ToolButton2, ToolButton3, ToolButton4, ToolButton5, ToolButton6, ToolButton7, ToolButton8})
        ToolBar1->addWidget(b);
    ToolBar1->addWidget(m_art.hilfeAufNeun ? ToolButton10 : ToolButton9);
    ToolBar1->addWidget(m_art.hilfeAufNeun ? ToolButton9 : ToolButton10);

    const auto eintrag = [this](QMenu* menue, const char* name, const char* text, void (Berichtsfenster::*handler)(),
                                QKeySequence taste = {}) {
        QAction* a = menue->addAction(QString::fromUtf8(text));
        a->setObjectName(QLatin1String(name));
        a->setShortcut(taste);
        a->setShortcutContext(Qt::WindowShortcut);
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    eintrag(datei, "Speichern1", "&Speichern", &Berichtsfenster::ToolButton2Click, Qt::Key_F2);
    eintrag(datei, "Drucken1", "&Drucken", &Berichtsfenster::ToolButton3Click, Qt::Key_F3);
    eintrag(datei, "Druckereinrichten1", "Drucker &einrichten", &Berichtsfenster::ToolButton4Click);
    eintrag(datei, "Fensterschliessen1", "&Fenster schliessen", &Berichtsfenster::ToolButton1Click, Qt::Key_F4);
    QMenu* bearbeiten = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    m_einfuegen << eintrag(bearbeiten, "Einfuegen1", "Einfügen", &Berichtsfenster::ToolButton7Click, QKeySequence(Qt::CTRL | Qt::Key_V));
    m_kopieren << eintrag(bearbeiten, "Kopieren1", "&Kopieren", &Berichtsfenster::ToolButton6Click, QKeySequence(Qt::CTRL | Qt::Key_C));
    m_ausschneiden << eintrag(bearbeiten, "Ausschneiden1", "&Ausschneiden", &Berichtsfenster::Ausschneiden1Click);
    m_loeschen << eintrag(bearbeiten, "loeschen1", "löschen", &Berichtsfenster::loeschen1Click, QKeySequence(Qt::CTRL | Qt::Key_Delete));
    eintrag(bearbeiten, "Allesmarkieren1", "Alles &markieren", &Berichtsfenster::ToolButton5Click);
    bearbeiten->addSeparator();
    eintrag(bearbeiten, "Aktualisieren1", "Aktualisieren", &Berichtsfenster::ToolButton8Click, Qt::Key_F6);
    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    // The item shows F1; the key itself opens context help, as everywhere in the program.
    QAction* hilfe1 = eintrag(hilfe, "Hilfe1", "&Hilfe", &Berichtsfenster::ToolButton10Click);
    hilfe1->setShortcut(Qt::Key_F1);
    hilfe1->setShortcutContext(Qt::WidgetShortcut);
    eintrag(hilfe, "Info1", "&Info", &Berichtsfenster::ToolButton9Click);
    // F1 opens the topic of the control with the focus, the window's own where it has none.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        QString wort;
        for (const QWidget* w = QApplication::focusWidget(); w && w->window() == this && wort.isEmpty();
             w = w->parentWidget())
            wort = w->whatsThis();
        fensterdienste().hilfe(wort.isEmpty() ? m_art.hilfe : wort);
    });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m_kopieren << eintrag(PopupMenu1, "Kopieren2", "Kopieren", &Berichtsfenster::ToolButton6Click);
    m_einfuegen << eintrag(PopupMenu1, "Einfuegen2", "Einfügen", &Berichtsfenster::ToolButton7Click);
    m_ausschneiden << eintrag(PopupMenu1, "Auschneiden1", "Ausschneiden", &Berichtsfenster::Ausschneiden1Click);
    m_loeschen << eintrag(PopupMenu1, "Loeschen2", "Löschen", &Berichtsfenster::loeschen1Click);
    eintrag(PopupMenu1, "Allesmarkieren2", "Alles markieren", &Berichtsfenster::ToolButton5Click);
    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Memo1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(Memo1->mapToGlobal(p)); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Berichtsfenster::Timer1Timer);
    Timer1->start();

    resize(art.innen.width(), art.innen.height() + menuBar()->sizeHint().height() + ToolBar1->height() +
                                   StatusBar1->sizeHint().height());
    if (const QScreen* schirm = QGuiApplication::primaryScreen())
        move(schirm->availableGeometry().center() - rect().center());
}

bool Berichtsfenster::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == Memo1 && ereignis->type() == QEvent::FontChange)
        tabstopsSetzen();
    return QMainWindow::eventFilter(objekt, ereignis);
}

void Berichtsfenster::tabstopsSetzen()
{
    // A plain edit control's tab stops: every eight average characters of its font.
    Memo1->setTabStopDistance(8 * QFontMetricsF(Memo1->font()).averageCharWidth());
}

void Berichtsfenster::showEvent(QShowEvent* ereignis)
{
    // The last report goes before the window is painted: it is built anew on every showing.
    if (!ereignis->spontaneous())
        Memo1->clear();
    QMainWindow::showEvent(ereignis);
    if (!ereignis->spontaneous())
        FormShow();
}

void Berichtsfenster::closeEvent(QCloseEvent* ereignis)
{
    ereignis->ignore();
    hide();
}

void Berichtsfenster::FormShow()
{
    // Runs after the window is on screen, so the user sees the report grow.
    QTimer::singleShot(0, this, &Berichtsfenster::bauen);
}

void Berichtsfenster::bauen()
{
    if (m_baut)
        return;  // a refresh while a build lets messages through
    const QScopedValueRollback<bool> baut(m_baut, true);
    berichtBauen();
}

void Berichtsfenster::meldungAnzeigen(const QString& text)
{
    // Shown without holding up the build, which ends right after it.
    fensterdienste().meldung(this, windowTitle(), text);
}

void Berichtsfenster::ToolButton1Click() { hide(); }

void Berichtsfenster::ToolButton2Click()
{
    // The folder and whole name saved to last, or the report's own name at first.
    const QString name
        = fensterdienste().dateiname(this, m_letzterName, QStringLiteral("txt"), QStringLiteral("Textdatei|*.txt"));
    if (name.isEmpty())
        return;
    QString pfad = name;
    if (QFileInfo(pfad).suffix().isEmpty())
        pfad += QStringLiteral(".txt");
    m_letzterName = pfad;
    // Each line as the report holds it, wrapped lines whole, CR LF after every one.
    QString text;
    for (QTextBlock b = Memo1->document()->begin(); b.isValid(); b = b.next())
        text += b.text() + QStringLiteral("\r\n");
    QString fehler;
    if (!dateiSicherSchreiben(pfad, kodieren(text, plattformCodepage()), &fehler))
        throw std::runtime_error(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(pfad, fehler).toLocal8Bit().toStdString());
}

QStringList Berichtsfenster::sichtbareZeilen() const
{
    QStringList zeilen;
    QAbstractTextDocumentLayout* layout = Memo1->document()->documentLayout();
    for (QTextBlock b = Memo1->document()->begin(); b.isValid(); b = b.next()) {
        layout->blockBoundingRect(b);  // lays out blocks that were never on screen
        const QTextLayout* tl = b.layout();
        if (!tl || tl->lineCount() == 0) {
            zeilen.append(b.text());
            continue;
        }
        for (int i = 0; i < tl->lineCount(); ++i) {
            const QTextLine l = tl->lineAt(i);
            zeilen.append(b.text().mid(l.textStart(), l.textLength()));
        }
    }
    return zeilen;
}

void Berichtsfenster::ToolButton3Click()
{
    QPrinter& drucker = aktuellerDrucker();
    if (!fensterdienste().druckdialog(this, drucker))
        return;
    QStringList zeilen;
    for (const QString& z : sichtbareZeilen())
        zeilen.append(u'\t' + z);
    if (!klartextDrucken(zeilen, Memo1->font(), drucker, windowTitle()))
        throw std::runtime_error(QStringLiteral("Der Druckauftrag kann nicht gestartet werden.").toLocal8Bit().toStdString());
}

void Berichtsfenster::ToolButton4Click() { fensterdienste().druckereinrichtung(this, aktuellerDrucker()); }

void Berichtsfenster::ToolButton5Click() { Memo1->selectAll(); }

void Berichtsfenster::ToolButton6Click()
{
    if (Memo1->textCursor().hasSelection())
        Memo1->copy();
}

void Berichtsfenster::ToolButton7Click() { Memo1->paste(); }

void Berichtsfenster::Ausschneiden1Click()
{
    if (Memo1->textCursor().hasSelection())
        Memo1->cut();
}

void Berichtsfenster::loeschen1Click() { Memo1->textCursor().removeSelectedText(); }

void Berichtsfenster::ToolButton8Click() { bauen(); }

void Berichtsfenster::ToolButton9Click() { fensterdienste().ueber(); }

void Berichtsfenster::ToolButton10Click() { fensterdienste().hilfe(m_art.hilfe); }

void Berichtsfenster::Timer1Timer() { bearbeitenstatus(); }

void Berichtsfenster::bearbeitenstatus()
{
    const QMimeData* ablage = QGuiApplication::clipboard()->mimeData();
    const bool t = ablage && ablage->hasText();
    const bool s = Memo1->textCursor().hasSelection();
    ToolButton7->setEnabled(t);
    for (QAction* a : std::as_const(m_einfuegen))
        a->setEnabled(t);
    ToolButton6->setEnabled(s);
    for (const auto* liste : {&m_kopieren, &m_ausschneiden, &m_loeschen})
        for (QAction* a : *liste)
            a->setEnabled(s);
}
