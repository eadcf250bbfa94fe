// The line model of an edited large listing against a plain list of characters with formats:
// random replacements, pastes and formats over store lines, then every step undone and redone.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <algorithm>

#include "output/zeilenmodell.h"

namespace {

// The plain reference: each line its characters and one format per character.
struct Zeile {
    QString text;
    QList<int> formate;
    friend bool operator==(const Zeile& a, const Zeile& b)
    {
        // Not QList's own ==: it hands memcmp a null pointer for an empty list.
        return a.text == b.text && std::equal(a.formate.begin(), a.formate.end(), b.formate.begin(), b.formate.end());
    }
};
using Stand = QList<Zeile>;

Stand standVon(const Zeilenmodell& m)
{
    Stand s;
    for (qsizetype z = 0; z < m.anzahl(); ++z) {
        const Modellzeile mz = m.mitFormaten(z);
        Zeile r{mz.text, {}};
        qsizetype summe = 0;
        for (const Lauf& l : mz.laeufe) {
            for (qsizetype i = 0; i < l.laenge; ++i)
                r.formate.append(l.format);
            summe += l.laenge;
        }
        EXPECT_EQ(summe, mz.text.size()) << "Zeile " << z;
        EXPECT_FALSE(mz.laeufe.isEmpty());
        s.append(r);
    }
    return s;
}

void ersetzen(Stand& s, Textstelle von, Textstelle bis, const Stand& neu)
{
    const Zeile erste = s[von.zeile], letzte = s[bis.zeile];
    Stand mitte = neu;
    mitte.front().text.prepend(erste.text.left(von.spalte));
    mitte.front().formate = erste.formate.mid(0, von.spalte) + mitte.front().formate;
    mitte.back().text += letzte.text.mid(bis.spalte);
    mitte.back().formate += letzte.formate.mid(bis.spalte);
    s.remove(von.zeile, bis.zeile - von.zeile + 1);
    for (qsizetype i = 0; i < mitte.size(); ++i)
        s.insert(von.zeile + i, mitte[i]);
}

Stand ausText(const QString& text, int format)
{
    Stand s;
    for (const QString& t : text.split(u'\n'))
        s.append({t, QList<int>(t.size(), format)});
    return s;
}

}  // namespace

TEST(Zeilenmodell, ZufaelligeBearbeitungenUndIhreRuecknahme)
{
    QRandomGenerator zufall(20261210);
    for (int runde = 0; runde < 40; ++runde) {
        auto speicher = std::make_shared<Zeilenspeicher>();
        for (int i = 0; i < 30; ++i) {
            const QByteArray z = QByteArray("zeile ") + QByteArray::number(i) + (i % 5 ? "" : " lang und länger");
            speicher->anhaengen(z.constData(), z.size());
        }
        Zeilenmodell m(speicher);
        Stand erwartet = standVon(m);
        std::vector<Stand> verlauf{erwartet};
        const auto stelle = [&](const Stand& s) {
            const qsizetype z = zufall.bounded(qsizetype(s.size()));
            return Textstelle{z, zufall.bounded(s[z].text.size() + 1)};
        };
        for (int schritt = 0; schritt < 25; ++schritt) {
            Textstelle von = stelle(erwartet), bis = stelle(erwartet);
            if (bis < von)
                std::swap(von, bis);
            const int format = int(zufall.bounded(4));
            switch (zufall.bounded(4)) {
            case 0: {  // typed or pasted text, possibly several lines
                const QString text = QStringList{"", "a", "xy\n", "\nneu\nzwei", "äöü"}.at(zufall.bounded(5));
                const Textstelle ende = m.ersetzen(von, bis, text, format);
                ersetzen(erwartet, von, bis, ausText(text, format));
                const qsizetype n = text.count(u'\n');
                ASSERT_EQ(ende.zeile, von.zeile + n);
                break;
            }
            case 1: {  // a long paste, kept as a store of its own
                auto text = std::make_shared<Zeilenspeicher>();
                const QByteArray roh = "p1\np2\np3\np4";
                text->anhaengen(roh.constData(), roh.size());
                m.einfuegen(von, bis, text, format);
                ersetzen(erwartet, von, bis, ausText(QStringLiteral("p1\np2\np3\np4"), format));
                break;
            }
            case 2: {  // a copy of part of the model pasted elsewhere
                Textstelle a = stelle(erwartet), b = stelle(erwartet);
                if (b < a)
                    std::swap(a, b);
                const auto auszug = m.auszug(a, b);
                Stand kopie = erwartet.mid(a.zeile, b.zeile - a.zeile + 1);
                kopie.back().text.truncate(b.spalte);
                kopie.back().formate = kopie.back().formate.mid(0, b.spalte);
                kopie.front().text.remove(0, a.spalte);
                kopie.front().formate.remove(0, a.spalte);
                ASSERT_EQ(standVon(*auszug), kopie);
                m.einfuegen(von, bis, *auszug, [](int f) { return f + 10; });
                for (Zeile& z : kopie)
                    for (int& f : z.formate)
                        f += 10;
                ersetzen(erwartet, von, bis, kopie);
                break;
            }
            default: {  // a format over the range
                m.formatieren(von, bis, [](int f) { return (f * 3 + 1) % 7; });
                for (qsizetype z = von.zeile; z <= bis.zeile; ++z)
                    for (qsizetype i = z == von.zeile ? von.spalte : 0;
                         i < (z == bis.zeile ? bis.spalte : erwartet[z].text.size()); ++i)
                        erwartet[z].formate[i] = (erwartet[z].formate[i] * 3 + 1) % 7;
                if (von == bis)
                    continue;
            }
            }
            ASSERT_EQ(standVon(m), erwartet) << "Runde " << runde << ", Schritt " << schritt;
            verlauf.push_back(erwartet);
        }
        // All the way back, and forward again.
        Textstelle a, c;
        for (auto it = verlauf.rbegin() + 1; it != verlauf.rend(); ++it) {
            ASSERT_TRUE(m.rueckgaengig(a, c));
            ASSERT_EQ(standVon(m), *it);
        }
        EXPECT_FALSE(m.rueckgaengig(a, c));
        for (std::size_t i = 1; i < verlauf.size(); ++i) {
            ASSERT_TRUE(m.wiederholen(a, c));
            ASSERT_EQ(standVon(m), verlauf[i]);
        }
        EXPECT_FALSE(m.wiederholen(a, c));
    }
}

TEST(Zeilenmodell, TippenIstEinSchrittUndTeuresBleibtBilligImSpeicher)
{
    auto speicher = std::make_shared<Zeilenspeicher>();
    for (int i = 0; i < 100000; ++i) {
        const QByteArray z = "datei_" + QByteArray::number(i) + ".txt";
        speicher->anhaengen(z.constData(), z.size());
    }
    Zeilenmodell m(speicher);
    Textstelle s{500, 3};
    for (QChar c : QStringLiteral("abc"))
        s = m.ersetzen(s, s, QString(c), 0, true);
    EXPECT_EQ(m.zeile(500), QStringLiteral("databcei_500.txt"));
    // Deleting all lines but parts of the first and last, and bold on all of them, keep the
    // untouched lines in the store: the stretches stay few.
    m.formatieren({1, 2}, {99990, 1}, [](int) { return 1; });
    EXPECT_EQ(m.abschnitte(0, m.anzahl() - 1).size(), 7u);
    EXPECT_EQ(m.mitFormaten(5000).laeufe, (QList<Lauf>{{14, 1}}));
    m.ersetzen({2, 1}, {99998, 2}, QString(), 0);
    EXPECT_EQ(m.anzahl(), 4);
    EXPECT_EQ(m.zeile(2), QStringLiteral("dtei_99998.txt"));
    Textstelle a, c;
    ASSERT_TRUE(m.rueckgaengig(a, c));
    ASSERT_TRUE(m.rueckgaengig(a, c));
    EXPECT_EQ(m.anzahl(), 100000);
    EXPECT_EQ(m.zeile(500), QStringLiteral("databcei_500.txt"));
    ASSERT_TRUE(m.rueckgaengig(a, c));
    EXPECT_EQ(m.zeile(500), QStringLiteral("datei_500.txt"));
    EXPECT_EQ(c, (Textstelle{500, 3}));
    // Search finds edited and stored lines in order.
    EXPECT_EQ(m.suchen(QStringLiteral("_500.txt"), {}, Qt::CaseSensitive, false), (Textstelle{500, 5}));
}
