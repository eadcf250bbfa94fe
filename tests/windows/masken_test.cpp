// The mask editor and its question, driven through their buttons on a mask box of our own.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

#include "masks/fenster/suchmaskeaendern.h"
#include "masks/fenster/suchmaskefrage.h"
#include "masks/suchmasken.h"
#include "output/fenster/fensterdienste.h"
#include "output/systemfehler.h"
#include "testdienste.h"

namespace {

QStringList eintraege(const QListWidget* liste)
{
    QStringList texte;
    for (int i = 0; i < liste->count(); ++i)
        texte.append(liste->item(i)->text());
    return texte;
}

QStringList eintraege(const QComboBox* box)
{
    QStringList texte;
    for (int i = 0; i < box->count(); ++i)
        texte.append(box->itemText(i));
    return texte;
}

QString ausgewaehlt(const QListWidget* liste)
{
    const auto auswahl = liste->selectedItems();
    return auswahl.isEmpty() ? QString() : auswahl.first()->text();
}

void klicken(QPushButton* knopf)
{
    QTest::mouseClick(knopf, Qt::LeftButton);
}

}  // namespace

class MaskenTest : public QObject {
    Q_OBJECT

    QTemporaryDir* tmp = nullptr;
    QString altesVerzeichnis;
    QWidget* haupt = nullptr;
    QComboBox* box = nullptr;
    TSuchmasken* editor = nullptr;
    Tsuchmaskenabfrage* frage = nullptr;

    int boxSignale = 0;
    int fragen = 0;
    QStringList fehler;
    QStringList hilfe;
    // How the question is answered: a button, a key or its close box.
    std::function<void(Tsuchmaskenabfrage&)> antwort;
    // What runs while the editor or the question is open instead of its modal loop.
    std::function<void(TSuchmasken&)> editorErsatz;
    std::function<void(Tsuchmaskenabfrage&)> frageErsatz;
    Testdienste dienste;

    QString datei() const { return tmp->filePath("search.lis"); }

    QByteArray dateiinhalt() const
    {
        QFile f(datei());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Opens the editor as the main window does and runs `schritte` while it is open.
    void bearbeiten(const std::function<void(TSuchmasken&)>& schritte)
    {
        editorErsatz = [&](TSuchmasken& d) {
            QVERIFY(d.isVisible());
            schritte(d);
        };
        editor->bearbeiten(box);
        editorErsatz = nullptr;
    }

    void entfernen(const QString& maske)
    {
        const auto treffer = editor->ListBox2->findItems(maske, Qt::MatchExactly);
        QVERIFY(!treffer.isEmpty());
        QTest::mouseClick(editor->ListBox2->viewport(), Qt::LeftButton, {},
                          editor->ListBox2->visualItemRect(treffer.first()).center());
        QCOMPARE(ausgewaehlt(editor->ListBox2), maske);
        klicken(editor->BitBtn2);
    }

    void hinzufuegen(const QString& maske)
    {
        editor->Edit1->setFocus();
        // QTest types ASCII only; other text arrives as pasted.
        bool ascii = true;
        for (QChar c : maske)
            ascii = ascii && c.unicode() < 128;
        if (ascii)
            QTest::keyClicks(editor->Edit1, maske);
        else
            editor->Edit1->insert(maske);
        QVERIFY(editor->BitBtn1->isEnabled());
        klicken(editor->BitBtn1);
        QCOMPARE(editor->Edit1->text(), QString());
        QVERIFY(!editor->BitBtn1->isEnabled());
    }

private slots:
    void init()
    {
        tmp = new QTemporaryDir;
        QVERIFY(tmp->isValid());
        altesVerzeichnis = QDir::currentPath();
        QVERIFY(QDir::setCurrent(tmp->path()));

        haupt = new QWidget;
        haupt->resize(800, 600);
        box = new QComboBox(haupt);
        box->setEditable(true);
        suchmaskenfeldEinrichten(box);
        editor = new TSuchmasken(haupt);
        frage = new Tsuchmaskenabfrage(haupt);
        editor->setzeAbfrage(frage);

        boxSignale = 0;
        auto zaehlen = [this] { ++boxSignale; };
        connect(box, &QComboBox::currentTextChanged, this, zaehlen);
        connect(box, &QComboBox::editTextChanged, this, zaehlen);
        connect(box, &QComboBox::currentIndexChanged, this, zaehlen);
        connect(box->lineEdit(), &QLineEdit::textChanged, this, zaehlen);

        fragen = 0;
        fehler.clear();
        hilfe.clear();
        antwort = [](Tsuchmaskenabfrage& d) { klicken(d.BitBtn1); };
        frageErsatz = [this](Tsuchmaskenabfrage& d) {
            ++fragen;
            QVERIFY(d.isVisible());
            antwort(d);
            QVERIFY(!d.isVisible());
        };
        dienste.beiFehler = [this](QWidget*, const QString& text) { fehler.append(text); };
        dienste.beiHilfe = [this](const QString& wort) { hilfe.append(wort); };
        dienste.beiModal = [this](QDialog& d) {
            auto* e = qobject_cast<TSuchmasken*>(&d);
            auto* f = qobject_cast<Tsuchmaskenabfrage*>(&d);
            if (e && editorErsatz)
                editorErsatz(*e);
            else if (f && frageErsatz)
                frageErsatz(*f);
            else
                d.exec();
        };
    }

    void cleanup()
    {
        frageErsatz = nullptr;
        editorErsatz = nullptr;
        dienste.beiHilfe = nullptr;
        delete haupt;
        QDir::setCurrent(altesVerzeichnis);
        delete tmp;
    }

    void bildDerFrage()
    {
        const QImage bild = frage->Image1->pixmap().toImage();
        QCOMPARE(bild.size(), QSize(64, 64));
        // The question mark is red, the bubble around it light, the corners left clear.
        int rot = 0, hell = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const QColor c = bild.pixelColor(x, y);
                if (c.alpha() == 255 && c.red() > 150 && c.green() < 80 && c.blue() < 80)
                    ++rot;
                if (c.alpha() == 255 && c.red() > 200 && c.green() > 200 && c.blue() > 200)
                    ++hell;
            }
        QVERIFY2(rot > 60, qPrintable(QString::number(rot)));
        QVERIFY2(hell > 800, qPrintable(QString::number(hell)));
        QCOMPARE(bild.pixelColor(63, 0).alpha(), 0);

        // For a look at both dialogs: ZEMBROLA_BILDER=<directory>.
        const QString ziel = qEnvironmentVariable("ZEMBROLA_BILDER");
        if (!ziel.isEmpty()) {
            frage->show();
            frage->grab().save(ziel + "/listenaenderung.png");
            frage->hide();
            bearbeiten([&](TSuchmasken& d) {
                entfernen("*.bat");
                QTest::keyClicks(d.Edit1, "*.log");
                d.grab().save(ziel + "/suchmasken.png");
            });
        }
    }

    void jedesOeffnenBeginntNeuMitDenStandardmasken()
    {
        for (int runde = 0; runde < 2; ++runde) {
            box->setEditText("[neu]");
            boxSignale = 0;
            bearbeiten([&](TSuchmasken& d) {
                QCOMPARE(eintraege(d.ListBox2), suchmasken::standardmasken());
                QCOMPARE(ausgewaehlt(d.ListBox2), QStringLiteral("*.123"));
                QCOMPARE(d.ListBox1->count(), 0);
                QCOMPARE(d.Edit1->text(), QString());
                QVERIFY(!d.BitBtn1->isEnabled());
                QVERIFY(d.BitBtn2->isEnabled());
                QVERIFY(!d.BitBtn3->isEnabled());
                QVERIFY(!d.BitBtn4->isEnabled());
                QVERIFY(!d.geaendert);
                // Leave traces that the next opening must not show.
                entfernen("*.doc");
                hinzufuegen("*.neu");
                QTest::keyClicks(d.Edit1, "halb");
                klicken(d.BitBtn6);
            });
            QCOMPARE(box->currentText(), QStringLiteral("*.*"));
            QCOMPARE(eintraege(box), suchmasken::standardliste());
            QCOMPARE(boxSignale, 0);
        }
    }

    void doppelteUndUmlauteWerdenGeschrieben()
    {
        {
            QFile alt(datei());
            QVERIFY(alt.open(QIODevice::WriteOnly));
            alt.write(QByteArray(4096, 'x'));
        }
        boxSignale = 0;
        bearbeiten([&](TSuchmasken& d) {
            hinzufuegen("*.txt");
            hinzufuegen(QString::fromUtf8("*.mäh"));
            QCOMPARE(eintraege(d.ListBox2).mid(35), QStringList({"*.txt", QString::fromUtf8("*.mäh")}));
            klicken(d.BitBtn5);
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(fragen, 1);
        QCOMPARE(frage->Antwort, 0);
        const QStringList liste = eintraege(box);
        QCOMPARE(liste.count("*.txt"), 2);
        QCOMPARE(liste.indexOf("*.txt") + 1, liste.lastIndexOf("*.txt"));
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(box->currentText(), QStringLiteral("*.*"));
        QCOMPARE(boxSignale, 0);

        // The whole list, CR LF after every line, UTF-8, no byte-order mark, nothing of the old file.
        const QByteArray inhalt = dateiinhalt();
        QCOMPARE(inhalt, (liste.join("\r\n") + "\r\n").toUtf8());
        QVERIFY(inhalt.startsWith("*.*\r\n*.123\r\n"));
        QVERIFY(inhalt.contains("\r\n*.txt\r\n*.txt\r\n"));
        QVERIFY(inhalt.contains("\r\n*.m\xc3\xa4h\r\n"));
        QVERIFY(inhalt.endsWith("*.xls\r\n[neu]\r\n"));
    }

    void allesEntfernenUndWiederherstellen()
    {
        bearbeiten([&](TSuchmasken& d) {
            for (int i = 0; i < 35; ++i) {
                QVERIFY(d.BitBtn2->isEnabled());
                klicken(d.BitBtn2);
            }
            QCOMPARE(d.ListBox2->count(), 0);
            QVERIFY(!d.BitBtn2->isEnabled());
            // Removed in the order they were shown, the first of them selected.
            QCOMPARE(eintraege(d.ListBox1), suchmasken::standardmasken());
            QCOMPARE(ausgewaehlt(d.ListBox1), QStringLiteral("*.123"));
            QVERIFY(d.BitBtn3->isEnabled());
            QVERIFY(d.BitBtn4->isEnabled());

            // Restored into the empty list, "entfernen" has something to act on again.
            klicken(d.BitBtn3);
            QCOMPARE(eintraege(d.ListBox2), QStringList({"*.123"}));
            QCOMPARE(ausgewaehlt(d.ListBox1), QStringLiteral("*.apr"));
            QVERIFY(d.BitBtn2->isEnabled());
            klicken(d.BitBtn2);
            QCOMPARE(d.ListBox2->count(), 0);
            QCOMPARE(d.ListBox1->item(34)->text(), QStringLiteral("*.123"));
            klicken(d.BitBtn5);
        });
        QCOMPARE(eintraege(box), QStringList({"*.*", "[neu]"}));
        QCOMPARE(dateiinhalt(), QByteArray("*.*\r\n[neu]\r\n"));

        bearbeiten([&](TSuchmasken& d) {
            QCOMPARE(d.ListBox2->count(), 0);
            QVERIFY(!d.BitBtn2->isEnabled());
            klicken(d.BitBtn6);
        });
    }

    void wiederherstellenZaehltAlsAenderung()
    {
        bearbeiten([&](TSuchmasken& d) {
            entfernen("*.com");
            entfernen("*.dat");
            entfernen("*.exe");
            klicken(d.BitBtn3);
            QCOMPARE(eintraege(d.ListBox1), QStringList({"*.dat", "*.exe"}));
            klicken(d.BitBtn4);
            QCOMPARE(d.ListBox1->count(), 0);
            QVERIFY(!d.BitBtn3->isEnabled());
            QVERIFY(!d.BitBtn4->isEnabled());
            QCOMPARE(ausgewaehlt(d.ListBox2), QStringLiteral("*.123"));
            QCOMPARE(eintraege(d.ListBox2).mid(32), QStringList({"*.com", "*.dat", "*.exe"}));
            antwort = [](Tsuchmaskenabfrage& f) { klicken(f.BitBtn2); };
            klicken(d.BitBtn5);
        });
        QCOMPARE(fragen, 1);
    }

    void neinUndOkOhneAenderungLassenAllesStehen()
    {
        box->setEditText("[neu]");
        boxSignale = 0;
        antwort = [](Tsuchmaskenabfrage& f) { klicken(f.BitBtn2); };
        bearbeiten([&](TSuchmasken& d) {
            entfernen("*.gif");
            klicken(d.BitBtn5);
        });
        QCOMPARE(fragen, 1);
        QCOMPARE(frage->Antwort, 1);
        QCOMPARE(eintraege(box), suchmasken::standardliste());
        QCOMPARE(box->currentText(), QStringLiteral("*.*"));

        box->setCurrentIndex(5);
        boxSignale = 0;
        bearbeiten([&](TSuchmasken& d) { klicken(d.BitBtn5); });
        QCOMPARE(fragen, 1);
        QVERIFY(!editor->isVisible());
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(boxSignale, 0);
        QVERIFY(!QFile::exists(datei()));
    }

    void neueMaskeWirdEinsortiert()
    {
        bearbeiten([&](TSuchmasken& d) {
            hinzufuegen("abc*");
            hinzufuegen("*.AAA");
            klicken(d.BitBtn5);
        });
        const QStringList liste = eintraege(box);
        QCOMPARE(liste.size(), 39);
        QCOMPARE(liste.mid(0, 3), QStringList({"*.*", "*.123", "*.AAA"}));
        QCOMPARE(liste.mid(36), QStringList({"*.xls", "abc*", "[neu]"}));
    }

    void abbrechenSchliessfeldUndEscInDerFrage()
    {
        bearbeiten([&](TSuchmasken& d) {
            entfernen("*.bmp");
            entfernen("*.wav");
            antwort = [](Tsuchmaskenabfrage& f) { klicken(f.BitBtn3); };
            klicken(d.BitBtn5);
            QVERIFY(d.isVisible());
            QCOMPARE(frage->Antwort, 2);
            QCOMPARE(eintraege(d.ListBox1), QStringList({"*.bmp", "*.wav"}));
            QVERIFY(d.BitBtn3->isEnabled());

            // The close box counts as "&Abbrechen", not as the previous answer.
            frage->Antwort = 0;
            antwort = [](Tsuchmaskenabfrage& f) { f.close(); };
            klicken(d.BitBtn5);
            QVERIFY(d.isVisible());
            QCOMPARE(frage->Antwort, 2);

            antwort = [](Tsuchmaskenabfrage& f) { QTest::keyClick(f.BitBtn1, Qt::Key_Escape); };
            klicken(d.BitBtn5);
        });
        QCOMPARE(fragen, 3);
        QCOMPARE(frage->Antwort, 1);
        QCOMPARE(eintraege(box), suchmasken::standardliste());
        QVERIFY(!QFile::exists(datei()));
    }

    void schliessfeldUndEscImEditor()
    {
        for (int weg = 0; weg < 2; ++weg) {
            box->setEditText("[neu]");
            boxSignale = 0;
            bearbeiten([&](TSuchmasken& d) {
                entfernen("*.tif");
                if (weg == 0)
                    d.close();
                else
                    QTest::keyClick(d.ListBox2, Qt::Key_Escape);
                QVERIFY(!d.isVisible());
            });
            QCOMPARE(box->currentText(), QStringLiteral("*.*"));
            QCOMPARE(eintraege(box), suchmasken::standardliste());
            QCOMPARE(boxSignale, 0);
        }
        QCOMPARE(fragen, 0);
        QVERIFY(!QFile::exists(datei()));
    }

    void dateiLaesstSichNichtErstellen()
    {
        // Root writes into read-only directories, so a directory standing where the file
        // should go makes the write fail.
        QVERIFY(QDir(tmp->path()).mkdir("search.lis"));
        bearbeiten([&](TSuchmasken& d) {
            hinzufuegen("*.neu");
            klicken(d.BitBtn5);
            QVERIFY(d.isVisible());
            QCOMPARE(fehler, QStringList({"Datei \"search.lis\" kann nicht erstellt werden. " + systemfehlertext(EISDIR)}));
            // The box already holds the new list and stays so.
            QVERIFY(eintraege(box).contains("*.neu"));
            QCOMPARE(box->currentText(), QStringLiteral("*.*"));

            // With the way clear, the next OK asks again and writes.
            QVERIFY(QDir(tmp->path()).rmdir("search.lis"));
            klicken(d.BitBtn5);
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(fragen, 2);
        QCOMPARE(fehler.size(), 1);
        QVERIFY(dateiinhalt().contains("\r\n*.neu\r\n"));
    }

    void mittigUeberDemHauptfenster()
    {
        // The program creates its dialogs without a parent.
        TSuchmasken ohneEltern;
        Tsuchmaskenabfrage frageOhneEltern;
        ohneEltern.setzeAbfrage(&frageOhneEltern);
        editor = &ohneEltern;
        haupt->setGeometry(130, 90, 900, 700);
        haupt->show();
        QPoint mitteEditor, mitteFrage;
        antwort = [&](Tsuchmaskenabfrage& f) {
            mitteFrage = f.geometry().center();
            klicken(f.BitBtn2);
        };
        bearbeiten([&](TSuchmasken& d) {
            mitteEditor = d.geometry().center();
            entfernen("*.hlp");
            klicken(d.BitBtn5);
        });
        editor = nullptr;
        const QPoint mitte = haupt->frameGeometry().center();
        QVERIFY((mitteEditor - mitte).manhattanLength() < 30);
        QVERIFY((mitteFrage - mitte).manhattanLength() < 30);
    }

    void hilfeUndZweitesOeffnen()
    {
        int geoeffnet = 0;
        bearbeiten([&](TSuchmasken& d) {
            ++geoeffnet;
            klicken(d.BitBtn7);
            dienste.beiHilfe = nullptr;
            klicken(d.BitBtn7);
            QVERIFY(d.isVisible());

            entfernen("*.rtf");
            editorErsatz = [&](TSuchmasken&) { ++geoeffnet; };
            d.bearbeiten(box);
            QCOMPARE(d.ListBox1->count(), 1);
            klicken(d.BitBtn6);
        });
        QCOMPARE(hilfe, QStringList({"Suchmasken bearbeiten"}));
        QCOMPARE(geoeffnet, 1);
    }
};

QTEST_MAIN(MaskenTest)
#include "masken_test.moc"
