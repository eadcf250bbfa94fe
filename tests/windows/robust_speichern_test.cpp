// The main window's save onto a full disk: the old files stay whole and the user is told
// "Festplatte voll", for rich text and plain text and for the two-file variant.
#include <QApplication>
#include <QFile>
#include <QTest>

#include "output/fenster/ausgabefeld.h"
#include "output/fenster/fensterdienste.h"
#include "output/fenster/speichern.h"
#include "robust_hilfen.h"
#include "testdienste.h"

namespace {

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

}  // namespace

class RobustSpeichernTest : public QObject {
    Q_OBJECT

private slots:
    void volleFestplatte()
    {
        KleinesDateisystem fs(64);
        if (!fs.bereit())
            QSKIP(qPrintable(QStringLiteral("no small file system for this test: ") + fs.grund()));
        const QStringList ziele = {fs.pfad(QStringLiteral("liste.rtf")), fs.pfad(QStringLiteral("liste.txt")),
                                   fs.pfad(QStringLiteral("summe.rtf"))};
        for (const QString& z : ziele) {
            QFile f(z);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("alt " + z.toUtf8());
        }
        fs.fuellen();

        Ausgabefeld liste, summe;
        for (int i = 0; i < 3000; ++i)
            liste.zeile(QStringLiteral("Datei_%1{x}.txt\t12,5 KBytes").arg(i));
        liste.puffernLeeren();
        summe.zeile(QStringLiteral("Dateien:\t3000"));
        summe.puffernLeeren();

        QStringList namen, fehler;
        Testdienste dienste;
        dienste.beiDateiname = [&](QWidget*, const QString&, const QString&, const QString&) {
            return namen.isEmpty() ? QString() : namen.takeFirst();
        };
        dienste.beiJaNein = [](const QString&, const QString&, const QString&) { return Fensterdienste::Ja; };
        dienste.beiFehler = [&](QWidget*, const QString& t) { fehler << t; };

        const QList<std::pair<int, QStringList>> faelle = {
            {0, {ziele[0]}}, {0, {ziele[1]}}, {3, {ziele[0], ziele[2]}},
            // A summary is small enough to sit in the writer's buffer until the very end.
            {1, {ziele[2]}}, {1, {ziele[1]}}};
        for (const auto& [art, dateien] : faelle) {
            namen = dateien;
            fehler.clear();
            Speicherauftrag a;
            a.liste = &liste;
            a.zusammenfassung = &summe;
            a.speicherart = art;
            a.meldungsfenster = false;
            QVERIFY(!speichern(a));
            QCOMPARE(fehler, QStringList({QStringLiteral("Festplatte voll")}));
        }
        for (const QString& z : ziele)
            QCOMPARE(lesen(z), QByteArray("alt " + z.toUtf8()));
    }
};

QTEST_MAIN(RobustSpeichernTest)
#include "robust_speichern_test.moc"
