// The wait window, the yes/no window and the print-cancel window.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/Meldungsfenster.h"
#include "app/Meldungsfenster2.h"
#include "app/warten.h"
#include "testdienste.h"

class AppMeldungenTest : public QObject {
    Q_OBJECT

private slots:
    void wartenfensterZaehlerUndAbbruch()
    {
        Twartenfenster w;
        QCOMPARE(w.size(), QSize(677, 213));
        QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(w.Timer1->interval(), 50);
        QVERIFY(w.Timer1->isActive());
        QCOMPARE(w.BitBtn1->text(), QStringLiteral("&Abbrechen"));
        QCOMPARE(w.Label3->text(), QStringLiteral("gefundeneEinträge:"));
        QVERIFY(w.Label3->isHidden() && w.Edit1->isHidden() && w.BitBtn1->isHidden());

        // A search shows counter and abort button.
        w.Edit1->setText(QStringLiteral("          0"));
        w.zaehlerZeigen();
        w.ProgressBar1->setValue(57);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.ProgressBar1->value(), 0);
        QVERIFY(w.Label3->isVisible() && w.Edit1->isVisible() && w.BitBtn1->isVisible());
        QVERIFY(w.Edit1->alignment() & Qt::AlignRight);
        // Product name in red on teal.
        const QImage name = w.Label4->grab().toImage();
        bool rot = false;
        for (int y = 0; y < name.height() && !rot; ++y)
            for (int x = 0; x < name.width() && !rot; ++x) {
                const QColor c = name.pixelColor(x, y);
                rot = c.red() > 200 && c.green() < 100 && c.blue() < 100;
            }
        QVERIFY(rot);

        QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
        QVERIFY(w.abbruch);
        QVERIFY(!w.isVisible());
        // The next caller starts without counter and abort button.
        QVERIFY(w.Label3->isHidden() && w.Edit1->isHidden() && w.BitBtn1->isHidden());

        // Closed by other means, the same.
        w.zaehlerZeigen();
        w.show();
        w.close();
        QVERIFY(w.Label3->isHidden() && w.Edit1->isHidden() && w.BitBtn1->isHidden());
    }

    void fortschrittsbalkenLaeuftUndBeginntVonVorn()
    {
        Twartenfenster w;
        w.Timer1->stop();
        w.ProgressBar1->setValue(0);
        for (int i = 0; i < 100; ++i)
            w.Timer1Timer();
        QCOMPARE(w.ProgressBar1->value(), 100);
        w.Timer1Timer();
        QCOMPARE(w.ProgressBar1->value(), 0);
        w.Timer1Timer();
        QCOMPARE(w.ProgressBar1->value(), 1);
    }

    void meldungJaNeinUndSchliessfeld()
    {
        TMeldung m;
        QCOMPARE(m.windowTitle(), QStringLiteral("Zembrola - Meldung"));
        QCOMPARE(m.size(), QSize(422, 145));
        QCOMPARE(m.BitBtn1->text(), QStringLiteral("&Ja"));
        QCOMPARE(m.BitBtn2->text(), QStringLiteral("&Nein"));

        m.open();
        QTest::mouseClick(m.BitBtn1, Qt::LeftButton);
        QCOMPARE(m.result(), int(TMeldung::mrYes));
        m.open();
        QTest::mouseClick(m.BitBtn2, Qt::LeftButton);
        QCOMPARE(m.result(), int(TMeldung::mrNo));
        // The close box is not Yes.
        m.open();
        QVERIFY(m.close());
        QCOMPARE(m.result(), int(TMeldung::mrCancel));
        m.open();
        QTest::keyClick(&m, Qt::Key_Escape);
        QCOMPARE(m.result(), int(TMeldung::mrCancel));
        QVERIFY(!m.isVisible());
    }

    void meldungAntwortOhneModaleSchleife()
    {
        TMeldung m;
        QString gesehen;
        Testdienste dienste;
        dienste.beiModal = [&gesehen, &m](QDialog& f) {
            QCOMPARE(&f, &m);
            gesehen = m.Label2->text();
            m.BitBtn2->click();
        };
        m.Label2->setText(QStringLiteral("existiert schon."));
        QCOMPARE(m.zeigenModal(), int(TMeldung::mrNo));
        QCOMPARE(gesehen, QStringLiteral("existiert schon."));
    }

    void druckabbruch()
    {
        TMeldung2 m;
        QCOMPARE(m.windowTitle(), QStringLiteral("Drucken"));
        QCOMPARE(m.size(), QSize(337, 179));
        QVERIFY(m.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(m.Label3->text(), QStringLiteral("wird gedruckt"));
        QCOMPARE(m.BitBtn1->text(), QStringLiteral("Abbruch"));

        // Without a job to cancel the click still says so and nothing breaks.
        QTest::mouseClick(m.BitBtn1, Qt::LeftButton);
        QCOMPARE(m.Label3->text(), QStringLiteral("Der Duckauftrag wird abgebrochen."));

        int abgebrochen = 0;
        m.Label3->setText(QStringLiteral("wird gedruckt"));
        m.setzeAbbruch([&abgebrochen] { ++abgebrochen; });
        QTest::mouseClick(m.BitBtn1, Qt::LeftButton);
        QCOMPARE(abgebrochen, 1);
        QCOMPARE(m.Label3->text(), QStringLiteral("Der Duckauftrag wird abgebrochen."));
    }
};

QTEST_MAIN(AppMeldungenTest)
#include "app_meldungen_test.moc"
