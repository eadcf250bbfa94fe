// Large listings live in a line store and are drawn by the pane itself. The same lines must come
// out of both forms: as lines, saved, printed, found, copied, and after the first edit.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "output/fenster/ausgabefeld.h"
#include "output/fenster/berichtsfenster.h"
#include "output/fenster/drucken.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/formatleiste.h"
#include "output/fenster/speicheransicht.h"
#include "output/fenster/speichern.h"
#include "output/fenster/suchdialog.h"
#include "output/zeilenspeicher.h"
#include "testdienste.h"

namespace {

const QStringList probe = {QStringLiteral("Verzeichnis /home/ö"), QString(), QStringLiteral("a.txt\t\ta\t  1 KB"),
                           QStringLiteral("Größe\tÄrger_1 Ä"), QStringLiteral("x\u00a0y wort wörter Wort"),
                           QStringLiteral("zeile\rmit\r\nUmbrüchen\u2029und\nmehr\r"), QStringLiteral("ende\u2028weich")};

// The probe lines many times over, into a pane that keeps them in its store or its document.
void fuellen(Ausgabefeld& f, bool speicher, int runden = 20)
{
    f.setzeSpeicherAb(speicher ? 10 : 0);
    f.setzeTabstops({60, 120, 180});
    for (int r = 0; r < runden; ++r)
        for (const QString& z : probe)
            f.zeile(z + (r ? QString::number(r) : QString()));
    f.puffernLeeren();
}

QByteArray gespeichert(Ausgabefeld& f, Ausgabefeld& zusammenfassung, const QString& datei, int art)
{
    Testdienste dienste;
    dienste.beiDateiname = [&](QWidget*, const QString&, const QString&, const QString&) { return datei; };
    QFile::remove(datei);
    Speicherauftrag a;
    a.liste = &f;
    a.zusammenfassung = &zusammenfassung;
    a.speicherart = art;
    a.meldungsfenster = false;
    speichern(a);
    QFile d(datei);
    return d.open(QIODevice::ReadOnly) ? d.readAll() : QByteArray();
}

// Where caret, selection and view stand, in either form of the pane.
struct Stand {
    Textstelle anker, caret;
    int oben = 0, links = 0;
    friend bool operator==(const Stand&, const Stand&) = default;
};

QAbstractScrollArea* ansichtVon(Ausgabefeld& f)
{
    return f.findChild<QAbstractScrollArea*>(QStringLiteral("Zeilenansicht"));
}

Stand standVon(Ausgabefeld& f)
{
    if (auto* a = ansichtVon(f); a && f.imSpeicher()) {
        auto* s = static_cast<Speicheransicht*>(a);
        return {s->anker(), s->caret(), a->verticalScrollBar()->value(), a->horizontalScrollBar()->value()};
    }
    const QTextCursor c = f.textCursor();
    const QTextBlock ab = f.document()->findBlock(c.anchor());
    return {{ab.blockNumber(), c.anchor() - ab.position()},
            {c.blockNumber(), c.positionInBlock()},
            f.verticalScrollBar()->value(),
            f.horizontalScrollBar()->value()};
}

char* toString(const Stand& s)
{
    return qstrdup(QStringLiteral("anker %1:%2 caret %3:%4 oben %5 links %6")
                       .arg(s.anker.zeile)
                       .arg(s.anker.spalte)
                       .arg(s.caret.zeile)
                       .arg(s.caret.spalte)
                       .arg(s.oben)
                       .arg(s.links)
                       .toUtf8()
                       .constData());
}

}  // namespace

class ZeilenspeicherTest : public QObject {
    Q_OBJECT

private slots:
    // Random lines of breaks, umlauts, blanks and word characters: the store holds the blocks a
    // document makes of them, and finds what the document finds from every start.
    void wieEinDokument()
    {
        const QString zeichen = QStringLiteral("aAäÄ _1\t\n\r\u2029\u2028\u00a0xß");
        auto* zufall = QRandomGenerator::global();
        for (int runde = 0; runde < 30; ++runde) {
            Zeilenspeicher s;
            QTextDocument d;
            QStringList zeilen;
            for (int i = 0, n = int(zufall->bounded(1, 40)); i < n; ++i) {
                QString z;
                for (int k = 0, l = int(zufall->bounded(0, 12)); k < l; ++k)
                    z += zeichen.at(zufall->bounded(zeichen.size()));
                zeilen << z;
                const QByteArray u = z.toUtf8();
                s.anhaengen(u.constData(), u.size());
            }
            // A CR ending a line belongs to its line end; the last line has none to join.
            zeilen << QStringLiteral("ende");
            s.anhaengen("ende", 4);
            QTextCursor(&d).insertText(zeilen.join(u'\n'));
            QCOMPARE(s.anzahl(), d.blockCount());
            for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
                QCOMPARE(s.zeile(b.blockNumber()), b.text());

            for (int k = 0; k < 20; ++k) {
                QString nadel;
                for (int l = 0, n = int(zufall->bounded(1, 3)); l < n; ++l)
                    nadel += QStringLiteral("aAä _1x").at(zufall->bounded(7));
                QTextDocument::FindFlags optionen;
                if (zufall->bounded(2))
                    optionen |= QTextDocument::FindCaseSensitively;
                if (zufall->bounded(2))
                    optionen |= QTextDocument::FindWholeWords;
                const int ab = int(zufall->bounded(d.characterCount()));
                const QTextBlock b = d.findBlock(ab);
                const QTextCursor erwartet = d.find(nadel, ab, optionen);
                const auto treffer = s.suchen(nadel, {b.blockNumber(), ab - b.position()},
                                              optionen & QTextDocument::FindCaseSensitively ? Qt::CaseSensitive
                                                                                           : Qt::CaseInsensitive,
                                              optionen & QTextDocument::FindWholeWords);
                QCOMPARE(treffer.has_value(), !erwartet.isNull());
                if (treffer) {
                    const QTextBlock tb = d.findBlockByNumber(int(treffer->zeile));
                    QCOMPARE(tb.position() + treffer->spalte, erwartet.selectionStart());
                }
            }
        }
        // A line longer than a chunk gets one of its own; the lines around it stay whole.
        Zeilenspeicher s;
        const QByteArray lang(5 << 20, 'L');
        s.anhaengen("vor", 3);
        s.anhaengen(lang.constData(), lang.size());
        s.anhaengen("nach", 4);
        QCOMPARE(s.utf8(0), "vor");
        QCOMPARE(s.utf8(1).size(), lang.size());
        QCOMPARE(s.utf8(2), "nach");
        QCOMPARE(s.laengste(), 1);
    }

    // Saved in every variant, as text and rich text, and printed: the same bytes and lines as
    // from a document; the pane's own base font counts in both.
    void speichernUndDruckenWieAusDemDokument()
    {
        Ausgabefeld dok, sp, zus;
        fuellen(dok, false);
        fuellen(sp, true);
        QVERIFY(sp.imSpeicher());
        QVERIFY(!dok.imSpeicher());
        QCOMPARE(sp.zeilenzahl(), dok.zeilenzahl());
        QCOMPARE(dok.document()->lastBlock().text(), sp.speicher().zeile(sp.zeilenzahl() - 1));
        zus.zeile(QStringLiteral("Zusammenfassung"));
        zus.puffernLeeren();
        QFont f(QStringLiteral("Courier New"), 13);
        f.setItalic(true);
        dok.setzeGrundschrift(f);
        sp.setzeGrundschrift(f);

        QTemporaryDir ordner;
        for (int art : {SpeicherartInhalt, SpeicherartAngehaengt})
            for (const char* endung : {"rtf", "txt"}) {
                const QString datei = ordner.filePath(QStringLiteral("l.") + QLatin1String(endung));
                const QByteArray a = gespeichert(dok, zus, datei, art);
                QVERIFY(a.size() > 1000);
                QCOMPARE(gespeichert(sp, zus, datei, art), a);
            }
        const auto d1 = druckdokument(&dok, &zus);
        const auto d2 = druckdokument(&sp, &zus);
        QCOMPARE(d2->toPlainText(), d1->toPlainText());
        QCOMPARE(d2->blockCount(), d1->blockCount());
        QCOMPARE(d2->lastBlock().previous().previous().charFormat().font().italic(), true);
    }

    // Find: first, next, a beep at the end; copy as text and rich text; keys and the mouse move
    // the caret; typing, pasting or formatting turns the store into the document first.
    void findenKopierenBearbeiten()
    {
        Ausgabefeld dok, sp;
        fuellen(dok, false);
        fuellen(sp, true);
        sp.resize(600, 300);
        sp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sp));
        auto* ansicht = sp.findChild<QAbstractScrollArea*>(QStringLiteral("Zeilenansicht"));
        QVERIFY(ansicht && ansicht->isVisible());
        QVERIFY(ansicht->verticalScrollBar()->maximum() > 100);

        int piepser = 0;
        Testdienste piepdienste;
        piepdienste.beiPiepen = [&] { ++piepser; };
        for (const auto& [text, gross, ganz] :
             {std::tuple{QStringLiteral("wort"), false, true}, {QStringLiteral("Ä"), true, false},
              {QStringLiteral("x y"), false, false}}) {
            dok.setTextCursor(QTextCursor(dok.document()));
            QTest::keyClick(ansicht, Qt::Key_Home, Qt::ControlModifier);
            while (textSuchen(&dok, text, gross, ganz)) {
                QVERIFY(textSuchen(&sp, text, gross, ganz));
                const QTextBlock b = dok.textCursor().block();
                QCOMPARE(sp.speicher().zeile(b.blockNumber()).mid(dok.textCursor().selectionStart() - b.position(),
                                                                    text.size()),
                         dok.textCursor().selectedText());
            }
            QCOMPARE(textSuchen(&sp, text, gross, ganz), false);
        }
        QCOMPARE(piepser, 6);

        // Caret and selection by keys, the copy as text with line ends and as rich text.
        QTest::keyClick(ansicht, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(ansicht, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(ansicht, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(ansicht, Qt::Key_Right, Qt::ShiftModifier);
        QVERIFY(sp.hatAuswahl());
        sp.kopiereAuswahl();
        QCOMPARE(QApplication::clipboard()->text(), probe[0] + QStringLiteral("\n\na"));
        QVERIFY(QApplication::clipboard()->mimeData()->html().contains(QStringLiteral("/home/ö")));
        // A click on the fourth visible line puts the caret there.
        const int h = QFontMetrics(sp.font()).height();
        QTest::mouseClick(ansicht->viewport(), Qt::LeftButton, {}, QPoint(3, 4 + 3 * h + h / 2));
        QVERIFY(!sp.hatAuswahl());

        // Typing stays in the store form, at the caret; program lines still come at the end.
        QTest::keyClick(ansicht, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(ansicht, QStringLiteral("Z"));
        QVERIFY(sp.imSpeicher());
        QCOMPARE(sp.modell().zeile(3), QStringLiteral("Z"));
        sp.zeile(QStringLiteral("danach"));
        sp.puffernLeeren();
        QCOMPARE(sp.modell().zeile(sp.zeilenzahl() - 1), QStringLiteral("danach"));

        // Bold from the bar on a selection: exactly that text turns bold.
        Ausgabefeld neu;
        Formatleiste leiste(Formatleiste::Inhalt, &neu);
        fuellen(neu, true);
        neu.show();
        auto* a2 = ansichtVon(neu);
        QTest::keyClick(a2, Qt::Key_Down);
        QTest::keyClick(a2, Qt::Key_Down);
        QTest::keyClick(a2, Qt::Key_Right, Qt::ShiftModifier);
        leiste.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QVERIFY(neu.imSpeicher());
        const Modellzeile fett = neu.modell().mitFormaten(2);
        QCOMPARE(fett.laeufe.size(), 2);
        QCOMPARE(fett.laeufe[0].laenge, 1);
        QVERIFY(neu.zeichenformat(fett.laeufe[0].format).font().bold());
        QVERIFY(!neu.zeichenformat(fett.laeufe[1].format).font().bold());

        // Cleared, the pane starts over as a document and can go to the store again.
        neu.leeren();
        QVERIFY(!neu.imSpeicher());
        fuellen(neu, true);
        QVERIFY(neu.imSpeicher());
    }

    // A copy of store lines holds nothing in advance; pasted, it gives the selected text and the
    // rich text a document of the same lines gives, also after the pane moved on to a new listing.
    void kopierenAufAnfrage()
    {
        Ausgabefeld sp;
        fuellen(sp, true, 400);
        sp.show();
        QTest::keyClick(ansichtVon(sp), Qt::Key_Down);
        QTest::keyClick(ansichtVon(sp), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(ansichtVon(sp), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        sp.kopiereAuswahl();
        struct Roh : QMimeData {
            // The base class's store, reached past the protection; Roh adds nothing to the object.
            __attribute__((no_sanitize("vptr"))) static QVariant vorab(const QMimeData* m, const QString& art)
            {
                return static_cast<const Roh*>(m)->QMimeData::retrieveData(art, QMetaType::fromType<QString>());
            }
        };
        const QMimeData* daten = QApplication::clipboard()->mimeData();
        QVERIFY(daten->hasText() && daten->hasHtml());
        QVERIFY(!Roh::vorab(daten, QStringLiteral("text/plain")).isValid());
        QVERIFY(!Roh::vorab(daten, QStringLiteral("text/html")).isValid());

        const QString erwartet = sp.modell().text({1, 1}, sp.modell().ende());
        QTextDocument ganz;
        ganz.setDefaultFont(sp.document()->defaultFont());
        QTextCursor(&ganz).insertText(erwartet);
        const QString html = QTextDocumentFragment(&ganz).toHtml();
        sp.leeren();
        fuellen(sp, true, 2);
        QVERIFY(erwartet.count(u'\n') > 2000);
        QCOMPARE(daten->text(), erwartet);
        QCOMPARE(daten->html(), html);

        // Another program's text of a whole drive shows the wait window while it goes in; a few
        // lines do not.
        QStringList warten;
        Testdienste wartedienste;
        wartedienste.beiWartenZeigen = [&](const QString& a, const QString& b) { warten << a + b; };
        wartedienste.beiWartenSchliessen = [&] { warten << QStringLiteral("zu"); };
        for (const qsizetype n : {qsizetype(3), Ausgabefeld::langeEinfuegung}) {
            sp.leeren();
            fuellen(sp, true, 2);
            warten.clear();
            const qsizetype vorher = sp.modell().anzahl();
            QApplication::clipboard()->setText(QStringLiteral("x\n").repeated(n));
            QTest::keyClick(ansichtVon(sp), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(sp.modell().anzahl(), vorher + n);
            const QStringList gezeigt{QString::fromUtf8("Bitte warten - Text wird eingefügt ...."), QStringLiteral("zu")};
            QCOMPARE(warten, n == 3 ? QStringList() : gezeigt);
        }
    }

    // The same edits by keys and the format bar in both forms: the same lines after every step,
    // and after them the same saved files, byte for byte, and the same printed text.
    void bearbeitenWieImDokument()
    {
        Ausgabefeld dok, sp, zus;
        Formatleiste l1(Formatleiste::Inhalt, &dok), l2(Formatleiste::Inhalt, &sp);
        // The probe lines without the soft line break: the document shows such a line as two.
        for (Ausgabefeld* f : {&dok, &sp}) {
            f->setzeSpeicherAb(f == &sp ? 10 : 0);
            f->setzeTabstops({60, 120, 180});
            for (int r = 0; r < 20; ++r)
                for (const QString& z : probe)
                    f->zeile(QString(z).replace(QChar::LineSeparator, u' ') + QString::number(r));
            f->puffernLeeren();
            f->resize(500, 300);
            f->show();
        }
        zus.zeile(QStringLiteral("Zusammenfassung"));
        zus.puffernLeeren();
        QVERIFY(sp.imSpeicher());
        QApplication::clipboard()->setText(QStringLiteral("eins\nzwei\r\ndrei"));
        const auto taste = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
            return [=](QWidget* z, Formatleiste*) { QTest::keyClick(z, k, m); };
        };
        const auto tippen = [](const char* t) {
            return [=](QWidget* z, Formatleiste*) {
                for (const QChar c : QString::fromUtf8(t)) {
                    QKeyEvent e(QEvent::KeyPress, 0, {}, QString(c));
                    QApplication::sendEvent(z, &e);
                }
            };
        };
        const auto knopf = [](const char* name) {
            return [=](QWidget*, Formatleiste* l) { l->findChild<QPushButton*>(QLatin1String(name))->click(); };
        };
        const std::vector<std::pair<const char*, std::function<void(QWidget*, Formatleiste*)>>> schritte = {
            {"runter", taste(Qt::Key_Down)},         {"tippen", tippen("Neu ä")},
            {"Return", taste(Qt::Key_Return)},       {"weiter", tippen("xy")},
            {"zurück", taste(Qt::Key_Backspace)},    {"Anfang", taste(Qt::Key_Home)},
            {"über Zeilenende", taste(Qt::Key_Backspace)},
            {"wählen", taste(Qt::Key_Down, Qt::ShiftModifier)},
            {"mehr", taste(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier)},
            {"fett", knopf("Button1")},              {"kursiv", knopf("Button2")},
            {"rückgängig", taste(Qt::Key_Z, Qt::ControlModifier)},
            {"Dokumentanfang", taste(Qt::Key_Home, Qt::ControlModifier)},
            {"Zeile 2", taste(Qt::Key_Down)},        {"Zeilenende", taste(Qt::Key_End)},
            {"löschen", taste(Qt::Key_Delete)},      {"einfügen", taste(Qt::Key_V, Qt::ControlModifier)},
            {"Wort weg", taste(Qt::Key_Backspace, Qt::ControlModifier)},
            {"rückgängig 2", taste(Qt::Key_Z, Qt::ControlModifier)},
            {"wiederholen", taste(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier)},
            {"ans Ende", taste(Qt::Key_End, Qt::ControlModifier)},
            {"alles wählen", taste(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier)},
            {"Mitte", taste(Qt::Key_Up)},            {"wählen 2", taste(Qt::Key_PageDown, Qt::ShiftModifier)},
            {"unterstrichen", knopf("Button3")},     {"überschreiben", tippen("Q")},
            {"neue Zeile", taste(Qt::Key_Return)},
        };
        QStringList abweichungen;
        for (const auto& [name, schritt] : schritte) {
            schritt(&dok, &l1);
            schritt(ansichtVon(sp), &l2);
            QVERIFY(sp.imSpeicher());
            QStringList a, b;
            for (qsizetype z = 0; z < dok.zeilenzahl(); ++z)
                a << dok.document()->findBlockByNumber(int(z)).text();
            for (qsizetype z = 0; z < sp.zeilenzahl(); ++z)
                b << sp.modell().zeile(z);
            // After undoing a format the document puts its caret inside the first changed run;
            // the store form selects what changed back.
            const bool formatZurueck = QByteArray(name) == "rückgängig";
            if (a != b || (!formatZurueck && standVon(sp) != standVon(dok))) {
                std::unique_ptr<char[]> d(toString(standVon(dok))), s(toString(standVon(sp)));
                abweichungen << QStringLiteral("%1: Dokument %2, Speicher %3%4")
                                    .arg(name, d.get(), s.get(), a != b ? QStringLiteral(", Text") : QString());
            }
        }
        QVERIFY2(abweichungen.isEmpty(), qPrintable(abweichungen.join(u'\n')));

        QTemporaryDir ordner;
        for (int art : {SpeicherartInhalt, SpeicherartAngehaengt})
            for (const char* endung : {"rtf", "txt"}) {
                const QString datei = ordner.filePath(QStringLiteral("l.") + QLatin1String(endung));
                QCOMPARE(gespeichert(sp, zus, datei, art), gespeichert(dok, zus, datei, art));
            }
        QCOMPARE(druckdokument(&sp, &zus)->toHtml(), druckdokument(&dok, &zus)->toHtml());
    }

    // One script of keys and mouse over both forms: the same caret, selection and scroll position
    // after every step. The store view is shown before its lines arrive, as during a search.
    void einVerhaltenInBeidenFormen()
    {
        Ausgabefeld dok, sp;
        QStringList zeilen;
        for (int i = 0; i < 400; ++i) {
            if (i % 40 == 0)
                zeilen << QString() << QStringLiteral("/home/benutzer/Dokumente/bericht_%1/").arg(i) << QString();
            zeilen << (i % 17 == 5 ? QStringLiteral("lang_wort, ").repeated(30)
                                   : QStringLiteral("übersicht_foto_%1.pdf\t\ta\t%2\t24.12.2013 18:30:12")
                                         .arg(i)
                                         .arg(i * 7919 % 100000, 15));
        }
        for (Ausgabefeld* f : {&dok, &sp}) {
            f->setzeSpeicherAb(f == &sp ? 10 : 0);
            f->setzeTabstops({60, 120, 180, 240});
            f->resize(500, 300);
            f->show();
            QVERIFY(QTest::qWaitForWindowExposed(f));
            for (const QString& z : zeilen)
                f->zeile(z);
            f->puffernLeeren();
        }
        QVERIFY(sp.imSpeicher());
        auto* ansicht = ansichtVon(sp);
        // The pane's own scroll bars, of its empty document, must not show over the view's; a
        // click low in the vertical track pages down.
        const QPoint spur(sp.width() - 5, sp.height() - 40);
        QVERIFY(!sp.verticalScrollBar()->isVisible() && !sp.horizontalScrollBar()->isVisible());
        QWidget* leiste = sp.childAt(spur);
        QVERIFY(leiste && ansicht->isAncestorOf(leiste));
        QTest::mouseClick(leiste, Qt::LeftButton, {}, leiste->mapFrom(&sp, spur));
        QVERIFY(ansicht->verticalScrollBar()->value() > 0);
        ansicht->verticalScrollBar()->setValue(0);

        const auto taste = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
            return [=](QWidget* z, QWidget*) { QTest::keyClick(z, k, m); };
        };
        const auto klick = [](int zeile, int x, int mal) {
            return [=](QWidget*, QWidget* v) {
                const QPoint p(x, 4 + zeile * QFontMetrics(v->font()).height() + 3);
                QTest::mouseClick(v, Qt::LeftButton, {}, p);
                if (mal > 1)
                    QTest::mouseDClick(v, Qt::LeftButton, {}, p);
                if (mal > 2)
                    QTest::mouseClick(v, Qt::LeftButton, {}, p);
            };
        };
        const std::vector<std::pair<const char*, std::function<void(QWidget*, QWidget*)>>> schritte = {
            {"Seite 1", taste(Qt::Key_PageDown)},
            {"Seite 2", taste(Qt::Key_PageDown)},
            {"Seite 3", taste(Qt::Key_PageDown)},
            {"Seite zurück", taste(Qt::Key_PageUp)},
            {"Seite wählen", taste(Qt::Key_PageDown, Qt::ShiftModifier)},
            {"Anfang", taste(Qt::Key_Home, Qt::ControlModifier)},
            {"runter", taste(Qt::Key_Down)},
            {"Wort 1", taste(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier)},
            {"Wort 2", taste(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier)},
            {"Wort 3", taste(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier)},
            {"Wort zurück", taste(Qt::Key_Left, Qt::ControlModifier)},
            {"Zeile 6", klick(5, 30, 1)},
            {"Ende lang", taste(Qt::Key_End)},
            {"runter lang", taste(Qt::Key_Down)},
            {"Pos1", taste(Qt::Key_Home)},
            {"Tabs rechts", taste(Qt::Key_Right, Qt::ControlModifier)},
            {"Tabs rechts 2", taste(Qt::Key_Right, Qt::ControlModifier)},
            {"hoch", taste(Qt::Key_Up)},
            {"doppelt", klick(6, 40, 2)},
            {"dreifach", klick(7, 40, 3)},
            {"Ende", taste(Qt::Key_End, Qt::ControlModifier)},
            {"runter am Ende", taste(Qt::Key_Down)},
            {"Seite am Ende", taste(Qt::Key_PageDown)},
            {"zurück", taste(Qt::Key_PageUp, Qt::ShiftModifier)},
            {"Anfang wählen", taste(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier)},
            {"hoch am Anfang", taste(Qt::Key_Up)},
            {"Auswahl links", taste(Qt::Key_Left)},
            {"Wort wählen", taste(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier)},
            {"Auswahl rechts", taste(Qt::Key_Right)},
            {"Auswahl runter", taste(Qt::Key_Down, Qt::ShiftModifier)},
            {"Auswahl aufheben runter", taste(Qt::Key_Down)},
            {"doppelt am Zeilenende", klick(5, 480, 2)},
            {"doppelt auf Tab", klick(9, 200, 2)},
        };
        QStringList abweichungen;
        for (const auto& [name, schritt] : schritte) {
            schritt(&dok, dok.viewport());
            schritt(ansicht, ansicht->viewport());
            if (standVon(sp) != standVon(dok)) {
                std::unique_ptr<char[]> d(toString(standVon(dok))), s(toString(standVon(sp)));
                abweichungen << QStringLiteral("%1: Dokument %2, Speicher %3").arg(name, d.get(), s.get());
            }
        }
        QVERIFY2(abweichungen.isEmpty(), qPrintable(abweichungen.join(u'\n')));

        // Dragged below the pane, both scroll on by themselves and the selection follows.
        for (QWidget* v : {dok.viewport(), ansicht->viewport()}) {
            QTest::mousePress(v, Qt::LeftButton, {}, QPoint(20, 20));
            QMouseEvent ziehen(QEvent::MouseMove, QPointF(20, v->height() + 30), v->mapToGlobal(QPointF(20, v->height() + 30)),
                               Qt::NoButton, Qt::LeftButton, {});
            QCursor::setPos(v->mapToGlobal(QPoint(20, v->height() + 30)));
            QApplication::sendEvent(v, &ziehen);
        }
        // Both scroll on a timer; a slow machine (sanitizers) needs longer than a fast one.
        QTRY_VERIFY_WITH_TIMEOUT(standVon(dok).oben > 3 && standVon(sp).oben > 3, 10000);
        QVERIFY(standVon(sp).caret.zeile > standVon(sp).oben);
    }
};

QTEST_MAIN(ZeilenspeicherTest)
#include "ausgabe_zeilenspeicher_test.moc"
