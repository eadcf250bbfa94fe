#pragma once
// The formatting bar above a pane: select all, copy, paste, undo, the three style buttons and
// the font, size and colour lists. The main window puts one into Panel5 (listing pane) and one
// into Panel7 (summary pane); the children carry the names of the bar they belong to.
#include <QColor>
#include <QIcon>
#include <QWidget>

class Ausgabefeld;
class Farbliste;
class Groessenliste;
class QPushButton;
class QTextCharFormat;
class Schriftliste;

// The editing pictures of the bar: "markieren", "kopieren", "einfuegen", "rueckgaengig".
QIcon bearbeitungsbild(const QString& name);

class Formatleiste : public QWidget {
    Q_OBJECT
public:
    enum Art { Inhalt, Zusammenfassung };
    enum Stil { Fett, Kursiv, Unterstrichen };

    Formatleiste(Art art, Ausgabefeld* feld, QWidget* parent = nullptr);

    Ausgabefeld* feld() const { return m_feld; }
    QPushButton* stilknopf(Stil stil) const { return m_stil[stil]; }
    Schriftliste* schriftliste() const { return m_schriften; }
    Groessenliste* groessenliste() const { return m_groessen; }
    Farbliste* farbliste() const { return m_farben; }

    // The button's caption font holds the style's state.
    bool stilAn(Stil stil) const;

    // The font families again (after fonts were installed); the list then shows the pane's font.
    void schriftenFuellen();

    // Set from the program (settings): no change action follows.
    void zeigeSchriftart(const QString& name);
    void zeigeGroesse(const QString& eintrag);
    void zeigeFarbe(int index);

    // The user's actions.
    void allesMarkierenKlick();
    void kopierenKlick();
    void einfuegenKlick();
    void rueckgaengigKlick();
    void stilKlick(Stil stil);
    void schriftartGewaehlt(int index);
    void groesseGewaehlt(int index);
    void groesseEingegeben();
    void farbeGewaehlt(int index);
    // The pane's selection or caret moved: the buttons and lists follow the text.
    void auswahlGeaendert();

private:
    // Applies to the selection, or to the pane's base format when nothing is selected.
    void formatAnwenden(const QTextCharFormat& format);
    void groesseAnwenden(int punkte);

    Art m_art;
    Ausgabefeld* m_feld;
    QPushButton* m_stil[3] = {};
    Schriftliste* m_schriften = nullptr;
    Groessenliste* m_groessen = nullptr;
    Farbliste* m_farben = nullptr;
};

// What the text at the caret (or the first character of the selection) looks like, with
// everything the text does not set taken from the pane's base font and text colour.
struct Textattribute {
    QString schriftart;
    double groesse = 0;
    bool fett = false;
    bool kursiv = false;
    bool unterstrichen = false;
    QColor farbe;
};
Textattribute attributeAnDerAuswahl(const Ausgabefeld* feld);

// The colour list entry a text colour selects: the first equal table entry below "Weiss",
// else "Standard".
int farblistenEintrag(const QColor& farbe);
