#pragma once
// What a window asks of the program around it: help, errors, questions and modal dialogs, the wait
// window, the printer, pictures and the web browser. The program installs its services once at
// start; a test installs its own, which answer without a modal loop, and the installation puts the
// previous services back when it ends. Uninstalled, the defaults below open Qt's own dialogs.
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <utility>

class QDialog;
class QPrinter;
class QUrl;
class QWidget;

class Fensterdienste {
public:
    enum Antwort { Ja, Nein, Abbruch };

    Fensterdienste() = default;
    virtual ~Fensterdienste() = default;
    Q_DISABLE_COPY_MOVE(Fensterdienste)

    // The help topic of a keyword; nothing by default.
    virtual void hilfe(const QString& stichwort);
    // The standard error box.
    virtual void fehler(QWidget* eltern, const QString& text);
    // A message with an OK button that does not hold up the caller.
    virtual void meldung(QWidget* eltern, const QString& titel, const QString& text);
    // Three lines and the buttons "&Ja" and "&Nein".
    virtual Antwort jaNein(const QString& zeile1, const QString& zeile2, const QString& zeile3);
    // Save dialog: default name without extension, default extension, filter in the form
    // "Beschreibung|*.ext|Beschreibung|*.ext". Empty result: the user cancelled.
    virtual QString dateiname(QWidget* eltern, const QString& vorgabename, const QString& endung,
                              const QString& filter);
    // Print dialog and printer set-up: true when the user confirmed.
    virtual bool druckdialog(QWidget* eltern, QPrinter& drucker);
    virtual bool druckereinrichtung(QWidget* eltern, QPrinter& drucker);
    virtual void piepen();
    // Runs a modal dialog and returns its result.
    virtual int modal(QDialog& dialog);
    // The About box; nothing by default.
    virtual void ueber() { }
    // The program's current printer; null: a window prints on its own.
    virtual QPrinter* drucker() { return nullptr; }
    // A tool-bar picture by name; none by default.
    virtual QIcon bild(const QString& name);
    virtual bool webseiteOeffnen(const QUrl& adresse);

    // The wait window, shown while the token lives (moved tokens close it once).
    class Warten {
    public:
        Warten() = default;
        explicit Warten(Fensterdienste* dienste) : m_dienste(dienste) { }
        Warten(Warten&& andere) noexcept : m_dienste(std::exchange(andere.m_dienste, nullptr)) { }
        Warten& operator=(Warten&& andere) noexcept;
        ~Warten() { schliessen(); }
        Q_DISABLE_COPY(Warten)
        void schliessen();

    private:
        Fensterdienste* m_dienste = nullptr;
    };
    [[nodiscard]] Warten warten(const QString& zeile1, const QString& zeile2);

protected:
    virtual void wartenZeigen(const QString& /*zeile1*/, const QString& /*zeile2*/) { }
    virtual void wartenSchliessen() { }
};

// The services installed last, else the program's (or the defaults).
Fensterdienste& fensterdienste();
// The program's own services, set once at start; installations stack on top of them.
void grunddiensteSetzen(Fensterdienste& dienste);

// Installs services for its lifetime (a test's); when it ends, the ones below answer again.
class Dienstinstallation {
public:
    explicit Dienstinstallation(Fensterdienste& dienste);
    ~Dienstinstallation();
    Q_DISABLE_COPY_MOVE(Dienstinstallation)
    // What answers below this installation, for services that pass on what they do not answer.
    Fensterdienste& vorher() const;

private:
    Fensterdienste* m_dienste;
};

// Turns "Text|*.txt|Alle|*.*" into the name filters of a Qt file dialog ("Text (*.txt)", ...).
QStringList dateifilterAusVorgabe(const QString& filter);
