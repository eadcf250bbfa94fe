#pragma once
// The program's help: German HTML topics in the folder "hilfe" beside the executable (installed:
// in the data folder), one per keyword, shown in a help window of ours.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

class QTextBrowser;

// Opens the help window at the topic of `stichwort` (the contents page for an unknown keyword).
void hilfeZeigen(const QString& stichwort);

// The topic file of a keyword ("einfuehrung.html"), empty for an unknown keyword.
QString hilfedatei(const QString& stichwort);
QStringList hilfestichwoerter();

// Folder of the topics; tests may point it elsewhere.
QString hilfeverzeichnis();
void setzeHilfeverzeichnis(const QString& verzeichnis);

// F1 on a control opens the keyword of the control or of its nearest parent that has one.
void setzeHilfestichwort(QWidget* control, const QString& stichwort);
QString hilfestichwortFuer(const QWidget* control);
// Gives a window an F1 key that opens the keyword of the focused control.
void hilfetasteEinrichten(QWidget* fenster);

class THilfe : public QWidget {
    Q_OBJECT
public:
    explicit THilfe(QWidget* parent = nullptr);
    ~THilfe() override;
    QTextBrowser* Browser;
    // The keyword shown last (for tests and for the window title).
    QString stichwort() const { return m_stichwort; }
    bool zeigeStichwort(const QString& stichwort);

    // A modal dialog blocks every window outside its own family, so the help joins the family of
    // the dialog it is opened from (null: none) and leaves it again when that dialog closes.
    void anDialogBinden(QWidget* dialog);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void titelSetzen(const QUrl& quelle);
    QString m_stichwort;
};

// The help window, created on first use and kept for the whole run.
THilfe* hilfefenster();
