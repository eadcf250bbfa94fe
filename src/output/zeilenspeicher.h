#pragma once
// A listing's lines as UTF-8 in large chunks, about five bytes per line beside the text, for
// listings too large to keep as a text document. Lines are split where a text document would
// start a new paragraph, so both hold the same lines.
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct Textstelle {
    qsizetype zeile = 0;
    qsizetype spalte = 0;  // in UTF-16 units of the line's text
    friend bool operator==(const Textstelle&, const Textstelle&) = default;
    friend auto operator<=>(const Textstelle&, const Textstelle&) = default;
};

class Zeilenspeicher {
public:
    void anhaengen(const char* daten, qsizetype laenge);
    void leeren();

    qsizetype anzahl() const { return qsizetype(m_anfang.size()); }
    QByteArrayView utf8(qsizetype i) const;
    QString zeile(qsizetype i) const { return QString::fromUtf8(utf8(i)); }
    // The line with the most bytes, a stand-in for the widest one.
    qsizetype laengste() const { return m_laengste; }

    // The first match at or after `ab`, as a text document finds it within its paragraphs.
    // Lines from `bis` on are not looked at (-1: none left out).
    std::optional<Textstelle> suchen(const QString& text, Textstelle ab, Qt::CaseSensitivity gross,
                                     bool ganzeWoerter, qsizetype bis = -1) const;
    // The first match in one line at or after column `ab`, by the same rules; -1 if none.
    static qsizetype inZeile(QString zeile, const QString& text, qsizetype ab, Qt::CaseSensitivity gross,
                             bool ganzeWoerter);

private:
    void eineZeile(const char* daten, qsizetype laenge);

    static constexpr qsizetype stueckgroesse = 4 << 20;
    struct Stueck {
        std::unique_ptr<char[]> daten;
        qsizetype groesse = 0;
        qsizetype belegt = 0;
        qsizetype ersteZeile = 0;
    };
    std::vector<Stueck> m_stuecke;
    std::vector<quint32> m_anfang;  // offset of each line in its chunk
    qsizetype m_laengste = -1;
    qsizetype m_laengsteBytes = -1;
};
