// The pane class: batched appending, tab stops that really move text, formats, copy, find.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "output/fenster/ausgabefeld.h"

namespace {
// Left edge of the second run of dark pixels in the top text line, or -1.
int zweiterGlyphenanfang(const QImage& bild, int zeileOben, int zeileUnten)
{
    auto dunkel = [&](int x) {
        for (int y = zeileOben; y < zeileUnten; ++y)
            if (qGray(bild.pixel(x, y)) < 110)
                return true;
        return false;
    };
    int x = 0;
    while (x < bild.width() && !dunkel(x))
        ++x;
    while (x < bild.width() && dunkel(x))
        ++x;
    // Gaps inside a glyph are a pixel or two; the tab makes a wide one.
    for (; x < bild.width(); ++x) {
        if (dunkel(x))
            return x;
    }
    return -1;
}
}  // namespace

class AppAusgabefeldTest : public QObject {
    Q_OBJECT

private slots:
    void stapelWieEinzeln()
    {
        const QStringList zeilen = {QString(), QStringLiteral("a\tb"), QString(), QStringLiteral("ü"), QString()};
        Ausgabefeld einzeln, stapel;
        for (const QString& z : zeilen) {
            einzeln.zeile(z);
            einzeln.puffernLeeren();
        }
        for (const QString& z : zeilen)
            stapel.zeile(z);
        QCOMPARE(stapel.gepufferteZeilen(), zeilen.size());
        QCOMPARE(stapel.blockCount(), 1);
        stapel.puffernLeeren();
        QCOMPARE(stapel.toPlainText(), einzeln.toPlainText());
        QCOMPARE(stapel.blockCount(), zeilen.size());
        QCOMPARE(stapel.document()->findBlockByNumber(1).text(), QStringLiteral("a\tb"));

        // Cleared, the next listing starts at the top again.
        stapel.leeren();
        stapel.zeile(QStringLiteral("neu"));
        stapel.puffernLeeren();
        QCOMPARE(stapel.toPlainText(), QStringLiteral("neu"));
    }

    void grosserStapelWirdUnterwegsAngehaengt()
    {
        Ausgabefeld f;
        for (int i = 0; i < 20000; ++i)
            f.zeile(QString::number(i));
        QCOMPARE(f.gepufferteZeilen(), 0);
        QCOMPARE(f.blockCount(), 20000);
        QCOMPARE(f.document()->lastBlock().text(), QStringLiteral("19999"));
        // Program output is not on the undo stack.
        QVERIFY(!f.document()->isUndoAvailable());
    }

    void tabstopsVerschiebenDenText()
    {
        Ausgabefeld f;
        f.resize(900, 160);
        f.setPlainText(QStringLiteral("W\tW"));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QRect zeile = f.cursorRect(QTextCursor(f.document()));

        f.setzeTabstops({100, 200, 300, 400, 500, 600});
        QCoreApplication::processEvents();
        const int x100 = zweiterGlyphenanfang(f.viewport()->grab().toImage(), zeile.top(), zeile.bottom());
        f.setzeTabstops({150, 300, 450, 600, 750, 900});
        QCoreApplication::processEvents();
        const int x150 = zweiterGlyphenanfang(f.viewport()->grab().toImage(), zeile.top(), zeile.bottom());

        const double pixelProPunkt = f.logicalDpiX() / 72.0;
        QVERIFY2(x100 > 0 && x150 > 0, qPrintable(QStringLiteral("%1 %2").arg(x100).arg(x150)));
        const int rand = int(f.document()->documentMargin());
        QVERIFY2(qAbs(x100 - rand - 100 * pixelProPunkt) <= 3, qPrintable(QString::number(x100)));
        QVERIFY2(qAbs((x150 - x100) - 50 * pixelProPunkt) <= 2, qPrintable(QString::number(x150 - x100)));
        QCOMPARE(f.tabstops().first(), 150.0);
    }

    void formateBleibenBeimAnhaengen()
    {
        Ausgabefeld f;
        f.setPlainText(QStringLiteral("fett normal"));
        QTextCursor c(f.document());
        c.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
        f.setTextCursor(c);
        QTextCharFormat fett;
        fett.setFontWeight(QFont::Bold);
        fett.setFontItalic(true);
        fett.setFontUnderline(true);
        fett.setForeground(QColor(255, 0, 0));
        fett.setFontPointSize(14);
        f.formatAnwenden(fett);
        QCOMPARE(f.zielformat().fontWeight(), int(QFont::Bold));

        f.zeile(QStringLiteral("angehängt"));
        f.puffernLeeren();
        QTextCursor pruef(f.document());
        pruef.setPosition(2);
        QCOMPARE(pruef.charFormat().fontWeight(), int(QFont::Bold));
        QVERIFY(pruef.charFormat().fontItalic());
        QVERIFY(pruef.charFormat().fontUnderline());
        QCOMPARE(pruef.charFormat().foreground().color(), QColor(255, 0, 0));
        QCOMPARE(pruef.charFormat().fontPointSize(), 14.0);
        QCOMPARE(f.document()->lastBlock().text(), QStringLiteral("angehängt"));
    }

    void kopierenAlsTextUndHtmlUndEinfuegen()
    {
        Ausgabefeld f;
        f.setPlainText(QStringLiteral("eins\tzwei\ndrei"));
        QTextCharFormat fett;
        fett.setFontWeight(QFont::Bold);
        QTextCursor c(f.document());
        c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        c.mergeCharFormat(fett);
        f.selectAll();
        f.copy();
        const QMimeData* daten = QApplication::clipboard()->mimeData();
        QVERIFY(daten);
        QCOMPARE(daten->text(), QStringLiteral("eins\tzwei\ndrei"));
        QVERIFY(daten->hasHtml());
        QVERIFY(daten->html().contains(QStringLiteral("font-weight")));

        // Pasting keeps the bold text and its line break.
        Ausgabefeld ziel;
        ziel.paste();
        QCOMPARE(ziel.toPlainText(), QStringLiteral("eins\tzwei\ndrei"));
        QTextCursor p(ziel.document());
        p.setPosition(1);
        QCOMPARE(p.charFormat().fontWeight(), int(QFont::Bold));

        // A table from elsewhere becomes plain paragraphs.
        auto* tabelle = new QMimeData;
        tabelle->setHtml(QStringLiteral("<table><tr><td>A1</td><td>B1</td></tr><tr><td>A2</td></tr></table>"));
        QApplication::clipboard()->setMimeData(tabelle);
        Ausgabefeld ziel2;
        ziel2.paste();
        QVERIFY(ziel2.toPlainText().contains(QStringLiteral("A1")));
        QVERIFY(ziel2.toPlainText().contains(QStringLiteral("A2")));

        // Copy without a selection changes nothing.
        QApplication::clipboard()->setText(QStringLiteral("vorher"));
        ziel2.moveCursor(QTextCursor::End);
        ziel2.copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("vorher"));
    }

    void suchenSchreitetVoran()
    {
        Ausgabefeld f;
        f.setPlainText(QStringLiteral("abc x ABC y abc"));
        QVERIFY(f.suchen(QStringLiteral("abc"), 0));
        QCOMPARE(f.textCursor().selectionStart(), 0);
        QVERIFY(f.suchen(QStringLiteral("abc"), f.textCursor().selectionEnd()));
        QCOMPARE(f.textCursor().selectionStart(), 6);
        QVERIFY(f.suchen(QStringLiteral("abc"), f.textCursor().selectionEnd(), QTextDocument::FindCaseSensitively));
        QCOMPARE(f.textCursor().selectionStart(), 12);
        // Not found: the selection stays.
        QVERIFY(!f.suchen(QStringLiteral("abc"), f.textCursor().selectionEnd()));
        QCOMPARE(f.textCursor().selectionStart(), 12);
    }

    void tabtasteUndRueckgaengig()
    {
        Ausgabefeld f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.setFocus();
        QTest::keyClicks(&f, QStringLiteral("a"));
        QTest::keyClick(&f, Qt::Key_Tab);
        QTest::keyClicks(&f, QStringLiteral("b"));
        QCOMPARE(f.toPlainText(), QStringLiteral("a\tb"));
        QVERIFY(f.hasFocus());
        f.undo();
        QVERIFY(f.toPlainText().size() < 3);
        QCOMPARE(f.lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(f.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(f.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
};

QTEST_MAIN(AppAusgabefeldTest)
#include "app_ausgabefeld_test.moc"
