#pragma once
// Window services for tests, installed while the object lives: an answer a test sets is used,
// everything else goes to the services below (the program's, once its windows exist). Modal
// dialogs are shown without a modal loop while `beiModal` runs.
#include <QDialog>

#include <functional>

#include "output/fenster/fensterdienste.h"

class Testdienste : public Fensterdienste {
public:
    std::function<void(const QString& stichwort)> beiHilfe;
    std::function<void(QWidget* eltern, const QString& text)> beiFehler;
    std::function<void(QWidget* eltern, const QString& text)> beiMeldung;
    std::function<Antwort(const QString&, const QString&, const QString&)> beiJaNein;
    std::function<QString(QWidget* eltern, const QString& name, const QString& endung, const QString& filter)>
        beiDateiname;
    std::function<bool(QWidget* eltern, QPrinter& drucker)> beiDruckdialog;
    std::function<bool(QWidget* eltern, QPrinter& drucker)> beiDruckereinrichtung;
    std::function<void()> beiPiepen;
    std::function<void()> beiUeber;
    std::function<void(QDialog& dialog)> beiModal;
    std::function<bool(const QUrl& adresse)> beiWebseite;
    std::function<void(const QString& zeile1, const QString& zeile2)> beiWartenZeigen;
    std::function<void()> beiWartenSchliessen;

    void hilfe(const QString& s) override { beiHilfe ? beiHilfe(s) : unten().hilfe(s); }
    void fehler(QWidget* e, const QString& t) override { beiFehler ? beiFehler(e, t) : unten().fehler(e, t); }
    void meldung(QWidget* e, const QString& titel, const QString& t) override
    {
        beiMeldung ? beiMeldung(e, t) : unten().meldung(e, titel, t);
    }
    Antwort jaNein(const QString& a, const QString& b, const QString& c) override
    {
        return beiJaNein ? beiJaNein(a, b, c) : unten().jaNein(a, b, c);
    }
    QString dateiname(QWidget* e, const QString& n, const QString& en, const QString& f) override
    {
        return beiDateiname ? beiDateiname(e, n, en, f) : unten().dateiname(e, n, en, f);
    }
    bool druckdialog(QWidget* e, QPrinter& d) override
    {
        return beiDruckdialog ? beiDruckdialog(e, d) : unten().druckdialog(e, d);
    }
    bool druckereinrichtung(QWidget* e, QPrinter& d) override
    {
        return beiDruckereinrichtung ? beiDruckereinrichtung(e, d) : unten().druckereinrichtung(e, d);
    }
    void piepen() override { beiPiepen ? beiPiepen() : unten().piepen(); }
    void ueber() override { beiUeber ? beiUeber() : unten().ueber(); }
    int modal(QDialog& d) override
    {
        if (!beiModal)
            return unten().modal(d);
        d.setResult(0);
        d.show();
        beiModal(d);
        d.hide();
        return d.result();
    }
    QPrinter* drucker() override { return unten().drucker(); }
    QIcon bild(const QString& name) override { return unten().bild(name); }
    bool webseiteOeffnen(const QUrl& a) override { return beiWebseite ? beiWebseite(a) : unten().webseiteOeffnen(a); }

protected:
    void wartenZeigen(const QString& a, const QString& b) override
    {
        if (beiWartenZeigen)
            beiWartenZeigen(a, b);
        else
            m_unteresWarten = unten().warten(a, b);
    }
    void wartenSchliessen() override
    {
        if (beiWartenSchliessen)
            beiWartenSchliessen();
        m_unteresWarten.schliessen();
    }

private:
    Fensterdienste& unten() const { return m_installation.vorher(); }
    Dienstinstallation m_installation{*this};
    Warten m_unteresWarten;
};
