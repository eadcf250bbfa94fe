// Saving the panes: all four variants, rich text and plain text, read back byte for byte or
// with a real RTF reader; the overwrite question, the wait window and write errors.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include "ausgabe_leser.h"
#include "output/fenster/ausgabefeld.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/speichern.h"
#include "testdienste.h"

namespace {

struct Dialogfrage {
    QString name;
    QString endung;
    QString filter;
};

// Answers the seam as a user would, and remembers what was asked.
struct Benutzer {
    QStringList namen; // answers to the save dialogs in order; "" cancels
    Fensterdienste::Antwort ueberschreiben = Fensterdienste::Ja;
    QList<Dialogfrage> dialoge;
    QStringList fragen;
    QStringList fehler;
    QStringList warten;
    Testdienste dienste;

    Benutzer()
    {
        dienste.beiDateiname = [this](QWidget*, const QString& n, const QString& e, const QString& f) {
            dialoge.append({n, e, f});
            return namen.isEmpty() ? QString() : namen.takeFirst();
        };
        dienste.beiJaNein = [this](const QString& a, const QString& b, const QString& c) {
            fragen << a + QChar(u'|') + b + QChar(u'|') + c;
            return ueberschreiben;
        };
        dienste.beiFehler = [this](QWidget*, const QString& t) { fehler << t; };
        dienste.beiWartenZeigen = [this](const QString& z1, const QString& z2) { warten << z1 + QChar(u'|') + z2; };
        dienste.beiWartenSchliessen = [this] { warten << QStringLiteral("zu"); };
    }

    Speicherauftrag auftrag(Ausgabefeld* l, Ausgabefeld* z, int art, bool meldung = true)
    {
        Speicherauftrag a;
        a.liste = l;
        a.zusammenfassung = z;
        a.speicherart = art;
        a.meldungsfenster = meldung;
        return a;
    }
};

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

void schreiben(const QString& pfad, const QByteArray& b)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(b);
}

const QString striche83(83, u'_');

}  // namespace

class AusgabeSpeichernTest : public QObject {
    Q_OBJECT

    Ausgabefeld* liste = nullptr;
    Ausgabefeld* summe = nullptr;
    QTemporaryDir dir;

    QString pfad(const QString& name) { return dir.filePath(name); }

private slots:
    void init()
    {
        liste = new Ausgabefeld;
        summe = new Ausgabefeld;
        liste->setzeTabstops({150, 250});
        for (const QString& z : {QStringLiteral("Verzeichnis: /home/anna/a{b}\\c"),
                                 QStringLiteral("Bericht.txt\t12,5 KBytes\tÄnderung €"), QString(),
                                 QStringLiteral("Grüße.odt\t1 KBytes")})
            liste->zeile(z);
        liste->puffernLeeren();
        summe->zeile(QStringLiteral("Dateien:\t2"));
        summe->zeile(QStringLiteral("Größe gesamt:\t13,5 KBytes"));
        summe->puffernLeeren();
        // "Dateien" bold and red in the summary.
        QTextCursor c(summe->document());
        c.setPosition(0);
        c.setPosition(7, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setFontWeight(QFont::Bold);
        f.setForeground(QColor(255, 0, 0));
        c.mergeCharFormat(f);
    }
    void cleanup()
    {
        delete liste;
        delete summe;
    }

    void inhaltAlsTextByteFuerByte()
    {
        Benutzer b;
        b.namen << pfad(QStringLiteral("liste.txt"));
        QVERIFY(speichern(b.auftrag(liste, summe, 0)));
        QCOMPARE(b.dialoge.size(), 1);
        QCOMPARE(b.dialoge[0].name, QStringLiteral("zembrola"));
        QCOMPARE(b.dialoge[0].endung, QStringLiteral("rtf"));
        QCOMPARE(b.dialoge[0].filter,
                 QStringLiteral("Rich-Text-Format|*.rtf|Text|*.txt|CSV-Datei|*.csv|HTML-Seite|*.html|JSON-Datei|*.json"));
        QCOMPARE(lesen(pfad(QStringLiteral("liste.txt"))),
                 QByteArray("Verzeichnis: /home/anna/a{b}\\c\r\nBericht.txt\t12,5 KBytes\t\xc3\x84nderung \xe2\x82\xac\r\n"
                            "\r\nGr\xc3\xbc\xc3\x9f" "e.odt\t1 KBytes\r\n"));
        QCOMPARE(b.warten, QStringList({"Bitte warten - Datei|\"liste.txt\" wird gespeichert ....", "zu"}));
        QVERIFY(b.fragen.isEmpty());
    }

    void endungEntscheidetNichtDerFilter()
    {
        // Any letter case of .rtf is rich text; every other extension plain text.
        const struct {
            const char* name;
            bool rtf;
        } faelle[] = {{"a.RtF", true}, {"b.rtf", true}, {"c.RTF", true}, {"d.txt", false}, {"e.lst", false},
                      {"f", false},    {"g.rtf.txt", false}, {"h.txt.rtf", true}};
        for (const auto& fall : faelle) {
            Benutzer b;
            b.namen << pfad(QString::fromLatin1(fall.name));
            QVERIFY(speichern(b.auftrag(liste, summe, 0)));
            QCOMPARE(lesen(pfad(QString::fromLatin1(fall.name))).startsWith("{\\rtf1"), fall.rtf);
        }
    }

    void inhaltMitZusammenfassungAlsTextUndFelderUnveraendert()
    {
        const QString vorher1 = liste->toPlainText();
        const QString vorher2 = summe->toPlainText();
        const int bloecke = liste->document()->blockCount();
        Benutzer b;
        b.namen << pfad(QStringLiteral("beides.txt"));
        QVERIFY(speichern(b.auftrag(liste, summe, 2)));
        QCOMPARE(b.dialoge.size(), 1);
        const QByteArray erwartet = "Verzeichnis: /home/anna/a{b}\\c\r\nBericht.txt\t12,5 KBytes\t\xc3\x84nderung \xe2\x82\xac\r\n"
                                    "\r\nGr\xc3\xbc\xc3\x9f" "e.odt\t1 KBytes\r\n\r\n"
            + striche83.toLatin1() + "\r\n\r\nDateien:\t2\r\nGr\xc3\xb6\xc3\x9f" "e gesamt:\t13,5 KBytes\r\n";
        QCOMPARE(lesen(pfad(QStringLiteral("beides.txt"))), erwartet);
        QCOMPARE(liste->toPlainText(), vorher1);
        QCOMPARE(summe->toPlainText(), vorher2);
        QCOMPARE(liste->document()->blockCount(), bloecke);
        QVERIFY(!liste->document()->isUndoAvailable());
    }

    void inhaltMitZusammenfassungAlsRtfMitFormatenZurueckgelesen()
    {
        if (!werkzeugDa(QStringLiteral("unrtf")))
            QSKIP("unrtf is not installed");
        const QString vorher = liste->toPlainText();
        Benutzer b;
        const QString name = pfad(QStringLiteral("a{b}\\c ä.rtf")); // an odd name of the file itself
        b.namen << name;
        QVERIFY(speichern(b.auftrag(liste, summe, 2)));
        QVERIFY(b.fehler.isEmpty());
        const QByteArray roh = lesen(name);
        QVERIFY(roh.startsWith("{\\rtf1"));
        // Tab stops of each pane go with its paragraphs: the listing's 150 and 250 points.
        QVERIFY(roh.contains("\\pard\\tx3000\\tx5000\\plain"));
        QCOMPARE(unrtfText(name), QStringLiteral("Verzeichnis: /home/anna/a{b}\\c\nBericht.txt\t12,5 KBytes\tÄnderung €\n\n"
                                                 "Grüße.odt\t1 KBytes\n\n")
                                      + striche83 + QStringLiteral("\n\nDateien:\t2\nGröße gesamt:\t13,5 KBytes"));
        const QString html = unrtfHtml(name);
        QVERIFY(html.contains(QStringLiteral("<font color=\"#ff0000\"><b>Dateien</b>")));
        QVERIFY(html.contains(QStringLiteral("<font face=\"Arial\"><font size=\"2\">")));
        QCOMPARE(liste->toPlainText(), vorher);
        QCOMPARE(b.warten.value(0), QStringLiteral("Bitte warten - Datei|\"a{b}\\c ä.rtf\" wird gespeichert ...."));
    }

    void zusammenfassungAlleinMitIhremDialog()
    {
        Benutzer b;
        b.namen << pfad(QStringLiteral("summe.TXT"));
        QVERIFY(speichern(b.auftrag(liste, summe, 1, false)));
        QCOMPARE(b.dialoge.size(), 1);
        QCOMPARE(b.dialoge[0].name, QStringLiteral("Zembrola_Result"));
        QCOMPARE(b.dialoge[0].filter, QStringLiteral("Rich-Text-Format|*.rtf|Textdatei|*.txt"));
        QCOMPARE(lesen(pfad(QStringLiteral("summe.TXT"))),
                 QByteArray("Dateien:\t2\r\nGr\xc3\xb6\xc3\x9f" "e gesamt:\t13,5 KBytes\r\n"));
        QVERIFY(b.warten.isEmpty()); // wait window off
    }

    void getrenntZweiDialogeUndAbbruchDesErsten()
    {
        {
            Benutzer b;
            b.namen << pfad(QStringLiteral("t1.rtf")) << pfad(QStringLiteral("t2.rtf"));
            QVERIFY(speichern(b.auftrag(liste, summe, 3)));
            QCOMPARE(b.dialoge.size(), 2);
            QCOMPARE(b.dialoge[0].name, QStringLiteral("zembrola"));
            QCOMPARE(b.dialoge[1].name, QStringLiteral("Zembrola_Result"));
            if (werkzeugDa(QStringLiteral("unrtf"))) {
                QVERIFY(unrtfText(pfad(QStringLiteral("t1.rtf"))).endsWith(QStringLiteral("Grüße.odt\t1 KBytes")));
                QCOMPARE(unrtfText(pfad(QStringLiteral("t2.rtf"))),
                         QStringLiteral("Dateien:\t2\nGröße gesamt:\t13,5 KBytes"));
            }
        }
        {
            Benutzer b;
            b.namen << QString() << pfad(QStringLiteral("nur2.txt"));
            QVERIFY(speichern(b.auftrag(liste, summe, 3)));
            QCOMPARE(b.dialoge.size(), 2);
            QVERIFY(QFile::exists(pfad(QStringLiteral("nur2.txt"))));
        }
    }

    void ueberschreibenNeinBeendetDasGanzeSpeichern()
    {
        const QString alt = pfad(QStringLiteral("alt.txt"));
        schreiben(alt, "alter Inhalt");
        {
            Benutzer b;
            b.namen << alt << pfad(QStringLiteral("zweite.txt"));
            b.ueberschreiben = Fensterdienste::Nein;
            QVERIFY(!speichern(b.auftrag(liste, summe, 3)));
            QCOMPARE(b.fragen, QStringList({"alt.txt|existiert schon.|Datei überschreiben?"}));
            QCOMPARE(b.dialoge.size(), 1); // the summary dialog does not come
            QCOMPARE(lesen(alt), QByteArray("alter Inhalt"));
            QVERIFY(!QFile::exists(pfad(QStringLiteral("zweite.txt"))));
            QVERIFY(b.warten.isEmpty());
        }
        {
            // Closing the question without a button counts as No.
            Benutzer b;
            b.namen << alt;
            b.ueberschreiben = Fensterdienste::Abbruch;
            QVERIFY(!speichern(b.auftrag(liste, summe, 0)));
            QCOMPARE(lesen(alt), QByteArray("alter Inhalt"));
        }
        {
            Benutzer b;
            b.namen << alt;
            QVERIFY(speichern(b.auftrag(liste, summe, 1)));
            QCOMPARE(b.fragen.size(), 1);
            QVERIFY(lesen(alt).startsWith("Dateien:"));
        }
    }

    void schreibfehlerZeigtDenDeutschenTextUndEndet()
    {
        Benutzer b;
        const QString schreibgeschuetzt = pfad(QStringLiteral("ro.rtf"));
        schreiben(schreibgeschuetzt, "alt");
        QFile::setPermissions(schreibgeschuetzt, QFileDevice::ReadOwner);
        b.namen << schreibgeschuetzt << pfad(QStringLiteral("danach.txt"));
        QVERIFY(!speichern(b.auftrag(liste, summe, 3)));
        QCOMPARE(b.fehler, QStringList({"Dateizugriff verweigert"}));
        QCOMPARE(b.dialoge.size(), 1);
        QCOMPARE(lesen(schreibgeschuetzt), QByteArray("alt"));
        QCOMPARE(b.warten.last(), QStringLiteral("zu")); // no wait window left standing
        QFile::setPermissions(schreibgeschuetzt, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

        Benutzer b2;
        b2.namen << pfad(QStringLiteral("gibtesnicht/x.txt"));
        QVERIFY(!speichern(b2.auftrag(liste, summe, 0)));
        QCOMPARE(b2.fehler.size(), 1);
        QVERIFY(!b2.fehler[0].isEmpty());
    }

    void leereFelder()
    {
        Ausgabefeld leer1, leer2;
        Benutzer b;
        b.namen << pfad(QStringLiteral("leer.txt")) << pfad(QStringLiteral("leer2.txt"));
        QVERIFY(speichern(b.auftrag(&leer1, &leer2, 2)));
        QCOMPARE(lesen(pfad(QStringLiteral("leer.txt"))), "\r\n" + striche83.toLatin1() + "\r\n\r\n");
        QVERIFY(speichern(b.auftrag(&leer1, &leer2, 0)));
        QCOMPARE(lesen(pfad(QStringLiteral("leer2.txt"))), QByteArray());
    }

    void dateifilterFuerDenDialog()
    {
        QCOMPARE(dateifilterAusVorgabe(saveDialog1Filter),
                 QStringList({"Rich-Text-Format (*.rtf)", "Text (*.txt)", "CSV-Datei (*.csv)", "HTML-Seite (*.html)",
                              "JSON-Datei (*.json)"}));
        QCOMPARE(dateifilterAusVorgabe(saveDialog2Filter),
                 QStringList({"Rich-Text-Format (*.rtf)", "Textdatei (*.txt)"}));
    }
};

QTEST_MAIN(AusgabeSpeichernTest)
#include "ausgabe_speichern_test.moc"
