#include "output/zeilenmodell.h"

#include <algorithm>

namespace {

// Runs of the same format side by side become one; an empty line keeps one run of length 0.
void laeufeOrdnen(Modellzeile& z, int leerFormat)
{
    QList<Lauf> neu;
    for (const Lauf& l : std::as_const(z.laeufe)) {
        if (l.laenge == 0)
            continue;
        if (!neu.isEmpty() && neu.back().format == l.format)
            neu.back().laenge += l.laenge;
        else
            neu.append(l);
    }
    if (neu.isEmpty())
        neu.append({0, z.laeufe.isEmpty() ? leerFormat : z.laeufe.front().format});
    z.laeufe = std::move(neu);
}

// Columns [von, bis) of a line, with their runs.
Modellzeile teil(const Modellzeile& z, qsizetype von, qsizetype bis)
{
    Modellzeile t;
    t.text = z.text.mid(von, bis - von);
    qsizetype pos = 0;
    for (const Lauf& l : z.laeufe) {
        const qsizetype a = std::max(pos, von), e = std::min(pos + l.laenge, bis);
        if (e > a)
            t.laeufe.append({e - a, l.format});
        pos += l.laenge;
    }
    return t;
}

void anfuegen(Modellzeile& z, const Modellzeile& dazu)
{
    z.text += dazu.text;
    z.laeufe += dazu.laeufe;
}

// The format of the character before column s (of the first one at the start of the line).
int formatIn(const Modellzeile& z, qsizetype s)
{
    qsizetype pos = 0;
    for (const Lauf& l : z.laeufe) {
        if (s > pos && s <= pos + l.laenge)
            return l.format;
        if (s == 0)
            return l.format;
        pos += l.laenge;
    }
    return z.laeufe.isEmpty() ? 0 : z.laeufe.back().format;
}

}  // namespace

Zeilenmodell::Zeilenmodell(std::shared_ptr<const Zeilenspeicher> speicher)
    : m_speicher(std::move(speicher))
{
    nachziehen();
}

Zeilenmodell::Zeilenmodell(std::shared_ptr<const Zeilenspeicher> speicher, std::vector<Abschnitt> abschnitte)
    : m_speicher(std::move(speicher))
    , m_abschnitte(std::move(abschnitte))
    , m_gesehen(m_speicher->anzahl())
{
    endenNeu(0);
}

void Zeilenmodell::nachziehen()
{
    const qsizetype n = m_speicher->anzahl();
    if (n <= m_gesehen)
        return;
    Abschnitt* letzter = m_abschnitte.empty() ? nullptr : &m_abschnitte.back();
    if (letzter && !letzter->zeile && !letzter->quelle && letzter->format == 0
        && letzter->von + letzter->anzahl == m_gesehen)
        letzter->anzahl += n - m_gesehen;
    else
        m_abschnitte.push_back({m_gesehen, n - m_gesehen, 0, nullptr, nullptr});
    m_gesehen = n;
    endenNeu(m_abschnitte.size() - 1);
}

void Zeilenmodell::endenNeu(std::size_t ab)
{
    m_ende.resize(m_abschnitte.size());
    qsizetype z = ab == 0 ? 0 : m_ende[ab - 1];
    for (std::size_t i = ab; i < m_abschnitte.size(); ++i) {
        z += m_abschnitte[i].anzahl;
        m_ende[i] = z;
    }
}

std::size_t Zeilenmodell::abschnittVon(qsizetype z) const
{
    return std::size_t(std::upper_bound(m_ende.begin(), m_ende.end(), z) - m_ende.begin());
}

qsizetype Zeilenmodell::zeilenIn(const std::vector<Abschnitt>& a)
{
    qsizetype n = 0;
    for (const Abschnitt& x : a)
        n += x.anzahl;
    return n;
}

QString Zeilenmodell::zeile(qsizetype z) const
{
    const std::size_t i = abschnittVon(z);
    if (i >= m_abschnitte.size() || z < 0)
        return {};
    const Abschnitt& a = m_abschnitte[i];
    if (a.zeile)
        return a.zeile->text;
    return quelle(a).zeile(a.von + z - (m_ende[i] - a.anzahl));
}

Modellzeile Zeilenmodell::mitFormaten(qsizetype z) const
{
    const std::size_t i = abschnittVon(z);
    if (i >= m_abschnitte.size() || z < 0)
        return {QString(), {{0, 0}}};
    const Abschnitt& a = m_abschnitte[i];
    if (a.zeile)
        return *a.zeile;
    Modellzeile m;
    m.text = quelle(a).zeile(a.von + z - (m_ende[i] - a.anzahl));
    m.laeufe = {{m.text.size(), a.format}};
    return m;
}

qsizetype Zeilenmodell::laengste() const
{
    // The store's longest line if it is still there, else the longest edited one.
    qsizetype beste = -1, laenge = -1;
    if (const qsizetype l = m_speicher->laengste(); l >= 0) {
        for (std::size_t i = 0; i < m_abschnitte.size(); ++i) {
            const Abschnitt& a = m_abschnitte[i];
            if (!a.zeile && !a.quelle && l >= a.von && l < a.von + a.anzahl) {
                beste = m_ende[i] - a.anzahl + (l - a.von);
                laenge = m_speicher->utf8(l).size();
                break;
            }
        }
    }
    if (m_bearbeitet > 0) {
        for (std::size_t i = 0; i < m_abschnitte.size(); ++i)
            if (const auto& z = m_abschnitte[i].zeile; z && z->text.size() * 2 > laenge) {
                laenge = z->text.size() * 2;
                beste = m_ende[i] - 1;
            }
    }
    return beste;
}

QString Zeilenmodell::text(Textstelle von, Textstelle bis) const
{
    QString text;
    for (qsizetype z = von.zeile; z <= bis.zeile && z < anzahl(); ++z) {
        const QString zeile = this->zeile(z);
        const qsizetype a = z == von.zeile ? von.spalte : 0;
        const qsizetype e = z == bis.zeile ? bis.spalte : zeile.size();
        if (z > von.zeile)
            text += u'\n';
        text += QStringView(zeile).mid(a, e - a);
    }
    return text;
}

std::vector<Zeilenmodell::Abschnitt> Zeilenmodell::abschnitte(qsizetype von, qsizetype bis) const
{
    std::vector<Abschnitt> teile;
    for (std::size_t i = abschnittVon(von); i < m_abschnitte.size() && von <= bis; ++i) {
        Abschnitt a = m_abschnitte[i];
        const qsizetype anfang = m_ende[i] - a.anzahl;
        const qsizetype ab = std::max(von, anfang), ende = std::min(bis + 1, m_ende[i]);
        if (!a.zeile) {
            a.von += ab - anfang;
            a.anzahl = ende - ab;
        }
        teile.push_back(std::move(a));
        von = ende;
    }
    return teile;
}

std::shared_ptr<const Zeilenmodell> Zeilenmodell::auszug(Textstelle von, Textstelle bis) const
{
    if (bis < von)
        std::swap(von, bis);
    std::vector<Abschnitt> teile = abschnitte(von.zeile, bis.zeile);
    const auto zeile = [](Modellzeile z) {
        laeufeOrdnen(z, z.laeufe.isEmpty() ? 0 : z.laeufe.front().format);
        return Abschnitt{0, 1, 0, std::make_shared<const Modellzeile>(std::move(z)), nullptr};
    };
    if (!teile.empty()) {
        const Modellzeile erste = mitFormaten(von.zeile);
        if (von.zeile == bis.zeile) {
            teile = {zeile(teil(erste, von.spalte, bis.spalte))};
        } else {
            // The first and last lines in part; a store stretch at either end gives up that line.
            const auto ersteAbgeben = [](std::vector<Abschnitt>& t, bool vorn) {
                Abschnitt& a = vorn ? t.front() : t.back();
                if (a.zeile || a.anzahl == 1) {
                    vorn ? (void)t.erase(t.begin()) : t.pop_back();
                } else {
                    a.anzahl -= 1;
                    if (vorn)
                        a.von += 1;
                }
            };
            ersteAbgeben(teile, true);
            ersteAbgeben(teile, false);
            const Modellzeile letzte = mitFormaten(bis.zeile);
            teile.insert(teile.begin(), zeile(teil(erste, von.spalte, erste.text.size())));
            teile.push_back(zeile(teil(letzte, 0, bis.spalte)));
        }
    }
    for (Abschnitt& a : teile)
        if (!a.zeile && !a.quelle)
            a.quelle = m_speicher;
    return std::make_shared<const Zeilenmodell>(std::make_shared<const Zeilenspeicher>(), std::move(teile));
}

std::optional<Textstelle> Zeilenmodell::suchen(const QString& text, Textstelle ab, Qt::CaseSensitivity gross,
                                               bool ganzeWoerter) const
{
    if (text.isEmpty() || ab.zeile >= anzahl())
        return std::nullopt;
    for (std::size_t i = abschnittVon(std::max<qsizetype>(ab.zeile, 0)); i < m_abschnitte.size(); ++i) {
        const Abschnitt& a = m_abschnitte[i];
        const qsizetype anfang = m_ende[i] - a.anzahl;
        if (a.zeile) {
            const qsizetype s = Zeilenspeicher::inZeile(a.zeile->text, text, anfang == ab.zeile ? ab.spalte : 0,
                                                        gross, ganzeWoerter);
            if (s >= 0)
                return Textstelle{anfang, s};
            continue;
        }
        // In store terms: the stretch's lines, from where the search starts.
        Textstelle start{a.von, 0};
        if (ab.zeile >= anfang)
            start = {a.von + ab.zeile - anfang, ab.spalte};
        if (auto t = quelle(a).suchen(text, start, gross, ganzeWoerter, a.von + a.anzahl))
            return Textstelle{anfang + t->zeile - a.von, t->spalte};
    }
    return std::nullopt;
}

int Zeilenmodell::formatBei(Textstelle s) const { return formatIn(mitFormaten(s.zeile), s.spalte); }

int Zeilenmodell::formatVon(Textstelle von, Textstelle bis) const
{
    const Modellzeile z = mitFormaten(von.zeile);
    // The first selected character: at the line's end that is the next line's first.
    if (von.spalte >= z.text.size() && von < bis && von.zeile + 1 < anzahl())
        return formatIn(mitFormaten(von.zeile + 1), 0);
    return formatIn(z, std::min(von.spalte + 1, z.text.size()));
}

std::vector<Zeilenmodell::Abschnitt> Zeilenmodell::tauschen(qsizetype von, qsizetype anzahl, std::vector<Abschnitt> neu)
{
    std::vector<Abschnitt> alt = abschnitte(von, von + anzahl - 1);
    if (anzahl == 0)
        alt.clear();
    // Split the stretches at both ends, then put the new ones in place of what lies between.
    const auto teilen = [this](qsizetype z) {
        const std::size_t i = abschnittVon(z);
        if (i >= m_abschnitte.size())
            return m_abschnitte.size();
        const qsizetype anfang = m_ende[i] - m_abschnitte[i].anzahl;
        if (z == anfang)
            return i;
        Abschnitt hinten = m_abschnitte[i];
        hinten.von += z - anfang;
        hinten.anzahl -= z - anfang;
        m_abschnitte[i].anzahl = z - anfang;
        m_abschnitte.insert(m_abschnitte.begin() + std::ptrdiff_t(i) + 1, std::move(hinten));
        endenNeu(i);
        return i + 1;
    };
    const std::size_t a = teilen(von);
    const std::size_t e = teilen(von + anzahl);
    m_abschnitte.erase(m_abschnitte.begin() + std::ptrdiff_t(a), m_abschnitte.begin() + std::ptrdiff_t(e));
    m_abschnitte.insert(m_abschnitte.begin() + std::ptrdiff_t(a), std::make_move_iterator(neu.begin()),
                        std::make_move_iterator(neu.end()));
    endenNeu(a);
    return alt;
}

void Zeilenmodell::schrittAnlegen(Schritt s, bool tippen)
{
    m_wiederholen.clear();
    // Typing on at the end of what was typed last is the same step.
    if (tippen && m_tippenOffen && !m_rueckgaengig.empty()) {
        Schritt& letzter = m_rueckgaengig.back();
        if (letzter.zeile == s.zeile && letzter.nachherBis == s.vorherVon && s.vorherVon == s.vorherBis
            && zeilenIn(letzter.neu) == 1 && zeilenIn(s.alt) == 1) {
            letzter.neu = std::move(s.neu);
            letzter.nachherVon = s.nachherVon;
            letzter.nachherBis = s.nachherBis;
            return;
        }
    }
    m_tippenOffen = tippen;
    m_rueckgaengig.push_back(std::move(s));
}

Textstelle Zeilenmodell::ersetzen(Textstelle von, Textstelle bis, const std::vector<Modellzeile>& zeilen, bool tippen)
{
    return ersetzenDurch(von, bis, zeilen, {}, tippen);
}

Textstelle Zeilenmodell::einfuegen(Textstelle von, Textstelle bis, std::shared_ptr<const Zeilenspeicher> text, int format)
{
    const qsizetype n = text->anzahl();
    const auto zeile = [&](qsizetype i) {
        const QString t = text->zeile(i);
        return Modellzeile{t, {{t.size(), format}}};
    };
    if (n <= 2) {
        std::vector<Modellzeile> zeilen;
        for (qsizetype i = 0; i < std::max<qsizetype>(n, 1); ++i)
            zeilen.push_back(zeile(i));
        return ersetzenDurch(von, bis, std::move(zeilen), {}, false);
    }
    std::vector<Modellzeile> enden{zeile(0), zeile(n - 1)};
    std::vector<Abschnitt> mitte{{1, n - 2, format, nullptr, std::move(text)}};
    return ersetzenDurch(von, bis, std::move(enden), std::move(mitte), false);
}

Textstelle Zeilenmodell::einfuegen(Textstelle von, Textstelle bis, const Zeilenmodell& auszug,
                                  const std::function<int(int)>& formate)
{
    const auto uebersetzt = [&](Modellzeile z) {
        for (Lauf& l : z.laeufe)
            l.format = formate(l.format);
        return z;
    };
    const qsizetype n = auszug.anzahl();
    if (n <= 2) {
        std::vector<Modellzeile> zeilen;
        for (qsizetype i = 0; i < std::max<qsizetype>(n, 1); ++i)
            zeilen.push_back(uebersetzt(auszug.mitFormaten(i)));
        return ersetzenDurch(von, bis, std::move(zeilen), {}, false);
    }
    std::vector<Abschnitt> mitte = auszug.abschnitte(1, n - 2);
    for (Abschnitt& a : mitte) {
        if (a.zeile)
            a.zeile = std::make_shared<const Modellzeile>(uebersetzt(*a.zeile));
        else
            a.format = formate(a.format);
        if (!a.zeile && !a.quelle)
            a.quelle = auszug.m_speicher;
    }
    return ersetzenDurch(von, bis, {uebersetzt(auszug.mitFormaten(0)), uebersetzt(auszug.mitFormaten(n - 1))},
                         std::move(mitte), false);
}

// The first of `zeilen` joins the text before von, the last the text after bis; `mitte` goes
// between the first and the second.
Textstelle Zeilenmodell::ersetzenDurch(Textstelle von, Textstelle bis, std::vector<Modellzeile> zeilen,
                                       std::vector<Abschnitt> mitte, bool tippen)
{
    nachziehen();
    if (bis < von)
        std::swap(von, bis);
    const Modellzeile erste = mitFormaten(von.zeile);
    const Modellzeile letzte = von.zeile == bis.zeile ? erste : mitFormaten(bis.zeile);
    const int leer = formatIn(erste, von.spalte);
    std::vector<Abschnitt> neu;
    Modellzeile z = teil(erste, 0, von.spalte);
    Textstelle ende = von;
    const auto abschliessen = [&] {
        laeufeOrdnen(z, leer);
        m_laengsteBearbeitet = std::max(m_laengsteBearbeitet, z.text.size());
        neu.push_back({0, 1, 0, std::make_shared<const Modellzeile>(std::move(z)), nullptr});
        z = Modellzeile();
    };
    for (std::size_t i = 0; i < std::max<std::size_t>(zeilen.size(), 1); ++i) {
        if (i > 0) {
            abschliessen();
            ende = {ende.zeile + 1, 0};
            if (i == 1 && !mitte.empty()) {
                ende.zeile += zeilenIn(mitte);
                neu.insert(neu.end(), mitte.begin(), mitte.end());
            }
        }
        if (i < zeilen.size()) {
            anfuegen(z, zeilen[i]);
            ende.spalte = z.text.size();
        }
    }
    anfuegen(z, teil(letzte, bis.spalte, letzte.text.size()));
    abschliessen();
    m_bearbeitet += 2;

    Schritt s;
    s.zeile = von.zeile;
    s.neu = neu;
    s.alt = tauschen(von.zeile, bis.zeile - von.zeile + 1, std::move(neu));
    s.vorherVon = von;
    s.vorherBis = bis;
    s.nachherVon = s.nachherBis = ende;
    schrittAnlegen(std::move(s), tippen);
    return ende;
}

Textstelle Zeilenmodell::ersetzen(Textstelle von, Textstelle bis, const QString& text, int format, bool tippen)
{
    std::vector<Modellzeile> zeilen;
    for (const QStringView t : QStringView(text).split(u'\n'))
        zeilen.push_back({t.toString(), {{t.size(), format}}});
    return ersetzen(von, bis, zeilen, tippen);
}

void Zeilenmodell::formatieren(Textstelle von, Textstelle bis, const std::function<int(int)>& umformen)
{
    nachziehen();
    if (bis < von)
        std::swap(von, bis);
    if (von == bis)
        return;
    const auto umgeformt = [&](Modellzeile z, qsizetype a, qsizetype e) {
        Modellzeile neu = teil(z, 0, a);
        Modellzeile mitte = teil(z, a, e);
        for (Lauf& l : mitte.laeufe)
            l.format = umformen(l.format);
        anfuegen(neu, mitte);
        anfuegen(neu, teil(z, e, z.text.size()));
        // An empty line the selection crosses takes the format as well.
        const int leer = z.laeufe.isEmpty() ? 0 : z.laeufe.front().format;
        laeufeOrdnen(neu, z.text.isEmpty() ? umformen(leer) : leer);
        return Abschnitt{0, 1, 0, std::make_shared<const Modellzeile>(std::move(neu)), nullptr};
    };
    std::vector<Abschnitt> neu;
    if (von.zeile == bis.zeile) {
        neu.push_back(umgeformt(mitFormaten(von.zeile), von.spalte, bis.spalte));
    } else {
        // The first and last lines in part, the lines between whole: their stretches keep their
        // store lines and only change their format.
        const Modellzeile erste = mitFormaten(von.zeile);
        neu.push_back(umgeformt(erste, von.spalte, erste.text.size()));
        for (Abschnitt a : abschnitte(von.zeile + 1, bis.zeile - 1)) {
            if (a.zeile)
                a = umgeformt(*a.zeile, 0, a.zeile->text.size());
            else
                a.format = umformen(a.format);
            neu.push_back(std::move(a));
        }
        const Modellzeile letzte = mitFormaten(bis.zeile);
        neu.push_back(umgeformt(letzte, 0, bis.spalte));
    }
    m_bearbeitet += 2;
    Schritt s;
    s.zeile = von.zeile;
    s.neu = neu;
    s.alt = tauschen(von.zeile, bis.zeile - von.zeile + 1, std::move(neu));
    s.vorherVon = s.nachherVon = von;
    s.vorherBis = s.nachherBis = bis;
    s.formatiert = true;
    schrittAnlegen(std::move(s), false);
}

bool Zeilenmodell::rueckgaengig(Textstelle& anker, Textstelle& caret)
{
    if (m_rueckgaengig.empty())
        return false;
    Schritt s = std::move(m_rueckgaengig.back());
    m_rueckgaengig.pop_back();
    tauschen(s.zeile, zeilenIn(s.neu), s.alt);
    // As a text document leaves it: the caret after what came back, nothing selected; a format
    // step gives back its selection.
    anker = s.formatiert ? s.vorherVon : s.vorherBis;
    caret = s.vorherBis;
    m_tippenOffen = false;
    m_wiederholen.push_back(std::move(s));
    return true;
}

bool Zeilenmodell::wiederholen(Textstelle& anker, Textstelle& caret)
{
    if (m_wiederholen.empty())
        return false;
    Schritt s = std::move(m_wiederholen.back());
    m_wiederholen.pop_back();
    tauschen(s.zeile, zeilenIn(s.alt), s.neu);
    anker = s.nachherVon;
    caret = s.nachherBis;
    m_tippenOffen = false;
    m_rueckgaengig.push_back(std::move(s));
    return true;
}
