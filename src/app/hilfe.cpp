#include "app/hilfe.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <utility>

#include "app/ikonen.h"
#include "output/fenster/fensterdienste.h"
#include "platform/ablage.h"

namespace {
// Keyword and topic file; file names stay ASCII so any file system takes them.
const std::pair<const char*, const char*> themen[] = {
    {"Einführung", "einfuehrung.html"},
    {"Hauptfenster", "hauptfenster.html"},
    {"Verzeichnis", "verzeichnis.html"},
    {"Suchkriterien", "suchkriterien.html"},
    {"Symbolleiste", "symbolleiste.html"},
    {"Auswahl zwischen lokaler und Netzwerk-Suche", "lokal_netzwerk.html"},
    {"Freigabe", "freigabe.html"},
    {"Ansicht", "ansicht.html"},
    {"Ausgabefenster", "ausgabefenster.html"},
    {"Progammeinstellungen", "programmeinstellungen.html"},
    {"Suchmasken bearbeiten", "suchmasken.html"},
    {"Systemausgabe", "systemausgabe.html"},
    {"Symbolleiste der Systemausgabe", "symbolleiste_system.html"},
    {"Ausgabefenster der Systemausgabe", "ausgabefenster_system.html"},
    {"Netzwerkanalyse", "netzwerkanalyse.html"},
};
const char* const inhaltsseite = "index.html";
const char* const eigenschaft = "hilfestichwort";

QString g_verzeichnis;
THilfe* g_fenster = nullptr;
}  // namespace

QString hilfedatei(const QString& stichwort)
{
    for (const auto& [wort, datei] : themen)
        if (stichwort == QString::fromUtf8(wort))
            return QString::fromLatin1(datei);
    return QString();
}

QStringList hilfestichwoerter()
{
    QStringList liste;
    for (const auto& thema : themen)
        liste.append(QString::fromUtf8(thema.first));
    return liste;
}

QString hilfeverzeichnis()
{
    if (!g_verzeichnis.isEmpty())
        return g_verzeichnis;
    return plattform::datenverzeichnis() + QStringLiteral("/hilfe");
}

void setzeHilfeverzeichnis(const QString& verzeichnis)
{
    g_verzeichnis = verzeichnis;
}

void setzeHilfestichwort(QWidget* control, const QString& stichwort)
{
    control->setProperty(eigenschaft, stichwort);
}

QString hilfestichwortFuer(const QWidget* control)
{
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        const QVariant v = w->property(eigenschaft);
        if (v.isValid() && !v.toString().isEmpty())
            return v.toString();
        if (w->isWindow())
            break;
    }
    return QString();
}

void hilfetasteEinrichten(QWidget* fenster)
{
    auto* taste = new QShortcut(QKeySequence(Qt::Key_F1), fenster);
    taste->setContext(Qt::WindowShortcut);
    QObject::connect(taste, &QShortcut::activated, fenster, [fenster] {
        QWidget* fokus = QApplication::focusWidget();
        if (!fokus || fokus->window() != fenster)
            fokus = fenster;
        QString wort = hilfestichwortFuer(fokus);
        if (wort.isEmpty())
            wort = QStringLiteral("Einführung");
        fensterdienste().hilfe(wort);
    });
}

THilfe* hilfefenster()
{
    if (!g_fenster)
        g_fenster = new THilfe;
    return g_fenster;
}

void hilfeZeigen(const QString& stichwort)
{
    THilfe* f = hilfefenster();
    f->anDialogBinden(QApplication::activeModalWidget());
    if (!f->zeigeStichwort(stichwort)) {
        fensterdienste().fehler(nullptr,
                                QStringLiteral("Die Hilfe zum Stichwort \"%1\" wurde nicht gefunden (%2).")
                                    .arg(stichwort, QDir::toNativeSeparators(hilfeverzeichnis())));
        return;
    }
    f->show();
    f->raise();
    f->activateWindow();
}

THilfe::THilfe(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("THilfe"));
    setWindowTitle(QStringLiteral("Zembrola - Hilfe"));
    setWindowIcon(programmIkone());
    resize(680, 560);

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(true);

    auto knopf = [this](const char* name, const QString& text) {
        auto* k = new QPushButton(text, this);
        k->setObjectName(QString::fromLatin1(name));
        return k;
    };
    auto* inhalt = knopf("Inhalt", QStringLiteral("&Inhalt"));
    auto* zurueck = knopf("Zurueck", QStringLiteral("&Zurück"));
    auto* vor = knopf("Vor", QStringLiteral("&Vorwärts"));
    auto* schliessen = knopf("Schliessen", QStringLiteral("&Schließen"));
    zurueck->setEnabled(false);
    vor->setEnabled(false);
    connect(inhalt, &QPushButton::clicked, this, [this] {
        Browser->setSource(QUrl::fromLocalFile(hilfeverzeichnis() + u'/' + QLatin1String(inhaltsseite)));
    });
    connect(zurueck, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(vor, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(Browser, &QTextBrowser::backwardAvailable, zurueck, &QPushButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, vor, &QPushButton::setEnabled);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(Browser, &QTextBrowser::sourceChanged, this, &THilfe::titelSetzen);

    auto* leiste = new QHBoxLayout;
    leiste->addWidget(inhalt);
    leiste->addWidget(zurueck);
    leiste->addWidget(vor);
    leiste->addStretch();
    leiste->addWidget(schliessen);
    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(leiste);
    spalte->addWidget(Browser);
}

THilfe::~THilfe()
{
    // Bound to a dialog that goes away, the window goes with it; the next call makes a new one.
    if (g_fenster == this)
        g_fenster = nullptr;
}

bool THilfe::zeigeStichwort(const QString& stichwort)
{
    QString datei = hilfedatei(stichwort);
    if (datei.isEmpty())
        datei = QLatin1String(inhaltsseite);
    const QString pfad = hilfeverzeichnis() + u'/' + datei;
    if (!QFileInfo(pfad).isFile())
        return false;
    m_stichwort = stichwort;
    Browser->setSource(QUrl::fromLocalFile(pfad));
    return true;
}

void THilfe::titelSetzen(const QUrl& quelle)
{
    // The title names the topic shown, also after a link or "Zurück".
    const QString datei = QFileInfo(quelle.toLocalFile()).fileName();
    QString thema;
    for (const auto& [wort, name] : themen)
        if (datei == QLatin1String(name))
            thema = QString::fromUtf8(wort);
    if (thema.isEmpty())
        thema = datei == QLatin1String(inhaltsseite) ? QStringLiteral("Inhalt") : Browser->documentTitle();
    setWindowTitle(QStringLiteral("Zembrola - Hilfe: ") + thema);
}

void THilfe::anDialogBinden(QWidget* dialog)
{
    if (parentWidget() == dialog)
        return;
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    const bool offen = isVisible();
    const QRect lage = geometry();
    setParent(dialog, windowFlags() | Qt::Window);
    if (offen) {
        setGeometry(lage);
        show();
    }
    if (dialog)
        dialog->installEventFilter(this);
}

bool THilfe::eventFilter(QObject* objekt, QEvent* ereignis)
{
    if (objekt == parentWidget() && ereignis->type() == QEvent::Hide)
        anDialogBinden(nullptr);
    return QWidget::eventFilter(objekt, ereignis);
}
