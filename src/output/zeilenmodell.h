#pragma once
// The lines of a large listing as the user edits them: runs of untouched lines stay in the line
// store, and only lines the user changed are held as text with format runs. An edit replaces a
// few runs, so it costs the same on ten lines as on ten million, and its undo keeps only what it
// replaced. Formats are numbers here; the pane keeps what they stand for (0: the look of program
// lines).
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "output/zeilenspeicher.h"

struct Lauf {
    qsizetype laenge = 0;
    int format = 0;
    friend bool operator==(const Lauf&, const Lauf&) = default;
};

// One line with its formats; the runs cover the text, an empty line has one run of length 0.
struct Modellzeile {
    QString text;
    QList<Lauf> laeufe;
    friend bool operator==(const Modellzeile&, const Modellzeile&) = default;
};

class Zeilenmodell {
public:
    // A stretch of lines: store lines [von, von + anzahl) all in one format, or one edited line.
    struct Abschnitt {
        qsizetype von = 0;
        qsizetype anzahl = 0;
        int format = 0;
        std::shared_ptr<const Modellzeile> zeile;
        std::shared_ptr<const Zeilenspeicher> quelle;  // lines pasted in; null: the listing's store
    };

    explicit Zeilenmodell(std::shared_ptr<const Zeilenspeicher> speicher);
    // A copy of some stretches that no edit reaches, as the clipboard keeps it.
    Zeilenmodell(std::shared_ptr<const Zeilenspeicher> speicher, std::vector<Abschnitt> abschnitte);

    // Store lines appended since are taken in at the end.
    void nachziehen();

    qsizetype anzahl() const { return m_ende.empty() ? 0 : m_ende.back(); }
    QString zeile(qsizetype z) const;
    qsizetype laenge(qsizetype z) const { return zeile(z).size(); }
    Modellzeile mitFormaten(qsizetype z) const;
    bool unveraendert() const { return m_rueckgaengig.empty() && m_wiederholen.empty() && m_bearbeitet == 0; }
    // The line that is probably the widest.
    qsizetype laengste() const;

    // The text from `von` to `bis`, lines joined by '\n'.
    QString text(Textstelle von, Textstelle bis) const;
    // A copy of the stretches holding lines [von, bis]; it stays as it is whatever is edited later.
    std::vector<Abschnitt> abschnitte(qsizetype von, qsizetype bis) const;
    const std::shared_ptr<const Zeilenspeicher>& speicher() const { return m_speicher; }
    // Exactly the text from `von` to `bis` with its formats, as a model of its own.
    std::shared_ptr<const Zeilenmodell> auszug(Textstelle von, Textstelle bis) const;
    Textstelle ende() const { return anzahl() ? Textstelle{anzahl() - 1, laenge(anzahl() - 1)} : Textstelle{}; }

    std::optional<Textstelle> suchen(const QString& text, Textstelle ab, Qt::CaseSensitivity gross,
                                     bool ganzeWoerter) const;

    // The format text typed at `s` takes: that of the character before, at a line's start that
    // of the first character.
    int formatBei(Textstelle s) const;
    // The format of the selection's first character.
    int formatVon(Textstelle von, Textstelle bis) const;

    // Edits. Each is one step to undo (typing without a move in between adds to the last one) and
    // returns where the caret goes. `zeilen` replaces the text between von and bis: its first line
    // joins the text before von, its last the text after bis.
    Textstelle ersetzen(Textstelle von, Textstelle bis, const std::vector<Modellzeile>& zeilen, bool tippen = false);
    Textstelle ersetzen(Textstelle von, Textstelle bis, const QString& text, int format, bool tippen = false);
    // A large text goes in as a store of its own; its lines between the first and last stay there.
    Textstelle einfuegen(Textstelle von, Textstelle bis, std::shared_ptr<const Zeilenspeicher> text, int format);
    // A whole other model, its formats translated.
    Textstelle einfuegen(Textstelle von, Textstelle bis, const Zeilenmodell& auszug,
                         const std::function<int(int)>& formate);
    void formatieren(Textstelle von, Textstelle bis, const std::function<int(int)>& umformen);

    bool kannRueckgaengig() const { return !m_rueckgaengig.empty(); }
    bool kannWiederholen() const { return !m_wiederholen.empty(); }
    // The selection as it was before the step (undo) or after it (redo).
    bool rueckgaengig(Textstelle& anker, Textstelle& caret);
    bool wiederholen(Textstelle& anker, Textstelle& caret);
    // A move of the caret ends the typing that one undo takes back.
    void tippenBeenden() { m_tippenOffen = false; }

private:
    struct Schritt {
        qsizetype zeile = 0;
        std::vector<Abschnitt> alt, neu;
        Textstelle vorherVon, vorherBis, nachherVon, nachherBis;
        bool formatiert = false;
    };

    std::size_t abschnittVon(qsizetype z) const;
    const Zeilenspeicher& quelle(const Abschnitt& a) const { return a.quelle ? *a.quelle : *m_speicher; }
    Textstelle ersetzenDurch(Textstelle von, Textstelle bis, std::vector<Modellzeile> zeilen,
                             std::vector<Abschnitt> mitte, bool tippen);
    // Replaces lines [von, von + anzahl) by `neu`; returns what was there.
    std::vector<Abschnitt> tauschen(qsizetype von, qsizetype anzahl, std::vector<Abschnitt> neu);
    void endenNeu(std::size_t ab);
    void schrittAnlegen(Schritt s, bool tippen);
    static qsizetype zeilenIn(const std::vector<Abschnitt>& a);

    std::shared_ptr<const Zeilenspeicher> m_speicher;
    std::vector<Abschnitt> m_abschnitte;
    std::vector<qsizetype> m_ende;  // the line after each stretch
    qsizetype m_gesehen = 0;         // store lines taken in
    std::vector<Schritt> m_rueckgaengig, m_wiederholen;
    bool m_tippenOffen = false;
    qsizetype m_bearbeitet = 0;  // edited lines ever made
    qsizetype m_laengsteBearbeitet = -1;
};
