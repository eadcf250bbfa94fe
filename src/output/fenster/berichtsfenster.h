#pragma once
// The window of a plain-text report: tool bar, menus and popup menu, the report's text area
// `Memo1`, the hidden scratch list `Memo2`, saving, printing and editing. The system and the
// network report are this window with their own caption, help keywords, file name and build.
#include <QFont>
#include <QMainWindow>

#include <functional>

#include "text/zeilensenke.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QStatusBar;
class QTimer;
class QToolBar;
class QToolButton;

// A text area as a report's target: lines are appended as they come, so the user sees them.
class Feldziel : public Berichtsziel {
public:
    explicit Feldziel(QPlainTextEdit* feld) : m_feld(feld) {}
    void zeile(const QString& text) override;
    int zeilenzahl() const override { return m_zeilen; }
    void einfuegen(int vor, const QString& text) override;

private:
    QPlainTextEdit* m_feld;
    int m_zeilen = 0;
};

class Berichtsfenster : public QMainWindow {
    Q_OBJECT
public:
    struct Art {
        QString objektname;
        QString titel;
        QString hilfe;              // the window's help keyword
        QString symbolleistenhilfe;
        QString feldhilfe;
        QString dateiname;          // offered by the first save
        // The network window names its help button ToolButton9 and its About button ToolButton10,
        // all with the hand cursor; the system window the other way round, help with the help cursor.
        bool hilfeAufNeun = false;
        QSize innen{667, 523};      // the client area at first
        QFont schrift;              // the text area's font until the settings are applied
    };
    Berichtsfenster(const Art& art, QWidget* parent = nullptr);

    // "Meldungsfenster anzeigen" of the options dialog, read afresh at every step of a build.
    static bool meldungsschalter();

    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton4 = nullptr;
    QToolButton* ToolButton5 = nullptr;
    QToolButton* ToolButton6 = nullptr;
    QToolButton* ToolButton7 = nullptr;
    QToolButton* ToolButton8 = nullptr;
    QToolButton* ToolButton9 = nullptr;
    QToolButton* ToolButton10 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QTimer* Timer1 = nullptr;

    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton6Click();
    void ToolButton7Click();
    void Ausschneiden1Click();
    void loeschen1Click();
    void ToolButton8Click();
    void ToolButton9Click();
    void ToolButton10Click();
    void Timer1Timer();
    void bearbeitenstatus();

    // Lines of the text area as it shows them: a wrapped line counts as several.
    QStringList sichtbareZeilen() const;
    void meldungAnzeigen(const QString& text);
    // True while a build runs; a refresh then is ignored.
    bool baut() const { return m_baut; }

protected:
    // Builds the report into Memo1.
    virtual void berichtBauen() = 0;
    void showEvent(QShowEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;

private:
    // Stops every eight average characters of the text area's font.
    virtual void tabstopsSetzen();

private:
    void FormShow();
    void bauen();
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

    Art m_art;
    QString m_letzterName;
    bool m_baut = false;
    QList<QAction*> m_einfuegen, m_kopieren, m_ausschneiden, m_loeschen;
};
