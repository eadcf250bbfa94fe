#include "output/fenster/speichern.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include "output/fenster/ausgabefeld.h"
#include "output/fenster/fensterdienste.h"
#include "output/textausgabe.h"

namespace {

RtfFarbe rtfFarbe(const QColor& c)
{
    return {c.red(), c.green(), c.blue()};
}

RtfLauf lauf(const Ausgabefeld* feld, const QTextCharFormat& format, const QString& text)
{
    const QFont schrift = format.font().resolve(feld->document()->defaultFont());
    RtfLauf l;
    l.text = text;
    l.schriftart = schrift.families().isEmpty() ? schrift.family() : schrift.families().constFirst();
    l.groesse = schrift.pointSizeF() > 0 ? schrift.pointSizeF()
                                          : (schrift.pixelSize() > 0 ? schrift.pixelSize() * 72.0 / feld->logicalDpiY()
                                                                     : 10.0);
    l.fett = schrift.bold();
    l.kursiv = schrift.italic();
    l.unterstrichen = unterstrichen(format, schrift);
    const bool eigeneFarbe
        = format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush;
    l.farbe = rtfFarbe(eigeneFarbe ? format.foreground().color() : feld->palette().color(QPalette::Text));
    return l;
}

QList<double> tabstopsDesBlocks(const Ausgabefeld* feld, const QTextBlock& block)
{
    const QList<QTextOption::Tab> eigene = block.blockFormat().tabPositions();
    if (eigene.isEmpty())
        return feld->tabstops();
    QList<double> punkte;
    const double dpi = feld->logicalDpiX();
    for (const QTextOption::Tab& t : eigene)
        punkte.append(t.position * 72.0 / dpi);
    return punkte;
}

// The separator lines take the format of the listing's end, as lines appended there would.
RtfAbsatz trennabsatz(const Ausgabefeld* feld, const QString& text)
{
    return RtfAbsatz{{lauf(feld, feld->endformat(), text)}, feld->tabstops()};
}

QString nameOhneVerzeichnis(const QString& pfad)
{
    return QFileInfo(pfad).fileName();
}

bool istRtf(const QString& pfad)
{
    const QString name = nameOhneVerzeichnis(pfad);
    const int punkt = static_cast<int>(name.lastIndexOf(u'.'));
    return punkt >= 0 && name.mid(punkt).compare(QStringLiteral(".rtf"), Qt::CaseInsensitive) == 0;
}

// Walks a pane's blocks in order for the writer's two passes; formats are resolved once per
// distinct format of the document, which keeps a listing of a million lines quick.
class Absatzquelle {
public:
    explicit Absatzquelle(const Ausgabefeld* feld)
        : m_feld(feld)
        , m_anzahl(feld->zeilenzahl())
    {
    }
    qsizetype anzahl() const { return m_anzahl; }

    RtfAbsatz absatz(qsizetype i)
    {
        if (m_feld->imSpeicher()) {
            // Model lines: runs with the pane's numbered formats, an empty line one empty run.
            const Modellzeile m = m_feld->modell().mitFormaten(i);
            RtfAbsatz a{{}, m_feld->tabstops()};
            qsizetype pos = 0;
            for (const Lauf& l : m.laeufe) {
                auto it = m_modellformate.constFind(l.format);
                if (it == m_modellformate.constEnd())
                    it = m_modellformate.insert(l.format, lauf(m_feld, m_feld->zeichenformat(l.format), QString()));
                RtfLauf r = it.value();
                r.text = m.text.mid(pos, l.laenge);
                pos += l.laenge;
                a.laeufe.append(r);
            }
            return a;
        }
        if (i == m_nummer + 1 && m_block.isValid())
            m_block = m_block.next();
        else
            m_block = m_feld->document()->findBlockByNumber(static_cast<int>(i));
        m_nummer = i;
        RtfAbsatz a;
        if (!m_block.isValid())
            return a;
        a.tabstops = tabstopsDesBlocks(m_feld, m_block);
        for (auto it = m_block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid() || f.charFormat().isImageFormat())
                continue;
            RtfLauf l = format(f.charFormatIndex(), f.charFormat());
            l.text = f.text();
            a.laeufe.append(l);
        }
        if (a.laeufe.isEmpty())
            a.laeufe.append(format(m_block.charFormatIndex(), m_block.charFormat()));
        return a;
    }

private:
    RtfLauf format(int index, const QTextCharFormat& f)
    {
        auto it = m_formate.constFind(index);
        if (it == m_formate.constEnd())
            it = m_formate.insert(index, lauf(m_feld, f, QString()));
        return it.value();
    }

    const Ausgabefeld* m_feld;
    qsizetype m_anzahl;
    QTextBlock m_block;
    qsizetype m_nummer = -2;
    QHash<int, RtfLauf> m_formate;
    QHash<int, RtfLauf> m_modellformate;
};

QByteArray rtfVon(const Ausgabefeld* liste, const Ausgabefeld* anhang)
{
    Absatzquelle quelle(liste);
    const qsizetype n = quelle.anzahl();
    if (!anhang)
        return rtfDokument(n, [&quelle](qsizetype i) { return quelle.absatz(i); });

    Absatzquelle quelle2(anhang);
    const QString striche(trennlinieSpeichernLaenge, u'_');
    return rtfDokument(n + 3 + quelle2.anzahl(), [&](qsizetype i) {
        if (i < n)
            return quelle.absatz(i);
        if (i < n + 3)
            return trennabsatz(liste, i == n + 1 ? striche : QString());
        return quelle2.absatz(i - n - 3);
    });
}

QStringList textzeilenVon(const Ausgabefeld* liste, const Ausgabefeld* anhang)
{
    QStringList zeilen = feldZeilen(liste);
    if (anhang) {
        zeilen << QString() << QString(trennlinieSpeichernLaenge, u'_') << QString();
        zeilen += feldZeilen(anhang);
    }
    return zeilen;
}

enum class Schritt { Geschrieben, Abgebrochen, Uebersprungen, Fehler };

Schritt eineDatei(const Speicherauftrag& a, const QString& vorgabename, const QString& filter,
                  const Ausgabefeld* feld, const Ausgabefeld* anhang, bool mitExport = false)
{
    const QString pfad = fensterdienste().dateiname(a.eltern, vorgabename, QStringLiteral("rtf"), filter);
    if (pfad.isEmpty())
        return Schritt::Uebersprungen;
    if (QFileInfo::exists(pfad)
        && fensterdienste().jaNein(nameOhneVerzeichnis(pfad), QStringLiteral("existiert schon."),
                                   QStringLiteral("Datei überschreiben?"))
            != Fensterdienste::Ja)
        return Schritt::Abgebrochen;

    const auto art = exportartVon(pfad);
    if (mitExport && art && a.exportieren) {
        QString fehlertext;
        switch (a.exportieren(pfad, *art, &fehlertext)) {
        case Exportergebnis::geschrieben:
            return Schritt::Geschrieben;
        case Exportergebnis::abgebrochen:
            return Schritt::Abgebrochen;
        case Exportergebnis::fehler:
            break;
        }
        fensterdienste().fehler(a.eltern, fehlertext);
        return Schritt::Fehler;
    }

    Fensterdienste::Warten warten;
    if (a.meldungsfenster) {
        warten = fensterdienste().warten(QStringLiteral("Bitte warten - Datei"),
                                         QChar(u'"') + nameOhneVerzeichnis(pfad)
                                             + QStringLiteral("\" wird gespeichert ...."));
        QCoreApplication::processEvents();
    }
    QString fehlertext;
    const bool ok = istRtf(pfad) ? dateiSicherSchreiben(pfad, rtfVon(feld, anhang), &fehlertext)
                                 : textdateiSchreiben(pfad, textzeilenVon(feld, anhang), &fehlertext);
    // The wait window goes also when writing failed, so the error is not hidden behind it.
    warten.schliessen();
    if (!ok) {
        fensterdienste().fehler(a.eltern, fehlertext);
        return Schritt::Fehler;
    }
    return Schritt::Geschrieben;
}

}  // namespace

QStringList feldZeilen(const Ausgabefeld* feld)
{
    QStringList zeilen;
    if (!feld || feld->istLeer())
        return zeilen;
    if (feld->imSpeicher()) {
        const Zeilenmodell& m = feld->modell();
        zeilen.reserve(m.anzahl());
        for (qsizetype i = 0; i < m.anzahl(); ++i) {
            QString text = m.zeile(i);
            text.remove(QChar::ObjectReplacementCharacter);
            if (text.contains(QChar::LineSeparator))
                zeilen += text.split(QChar::LineSeparator);
            else
                zeilen.append(text);
        }
        return zeilen;
    }
    const QTextDocument* d = feld->document();
    zeilen.reserve(d->blockCount());
    for (QTextBlock b = d->firstBlock(); b.isValid(); b = b.next()) {
        QString text = b.text();
        // Objects (pictures pasted in) have no text; a soft line break starts a new line.
        text.remove(QChar::ObjectReplacementCharacter);
        if (text.contains(QChar::LineSeparator))
            zeilen += text.split(QChar::LineSeparator);
        else
            zeilen.append(text);
    }
    return zeilen;
}

RtfAbsatz rtfAbsatz(const Ausgabefeld* feld, int blocknummer)
{
    return Absatzquelle(feld).absatz(blocknummer);
}

QList<RtfAbsatz> rtfAbsaetze(const Ausgabefeld* feld)
{
    QList<RtfAbsatz> absaetze;
    if (!feld)
        return absaetze;
    Absatzquelle quelle(feld);
    for (qsizetype i = 0; i < quelle.anzahl(); ++i)
        absaetze.append(quelle.absatz(i));
    return absaetze;
}

bool speichern(const Speicherauftrag& a)
{
    if (!a.liste || !a.zusammenfassung)
        return false;
    if (a.speicherart != SpeicherartZusammenfassung) {
        const Schritt s = eineDatei(a, saveDialog1Name, saveDialog1Filter, a.liste,
                                    a.speicherart == SpeicherartAngehaengt ? a.zusammenfassung : nullptr, true);
        if (s == Schritt::Abgebrochen || s == Schritt::Fehler)
            return false;
    }
    if (a.speicherart == SpeicherartZusammenfassung || a.speicherart == SpeicherartGetrennt) {
        const Schritt s = eineDatei(a, saveDialog2Name, saveDialog2Filter, a.zusammenfassung, nullptr);
        if (s == Schritt::Abgebrochen || s == Schritt::Fehler)
            return false;
    }
    return true;
}
