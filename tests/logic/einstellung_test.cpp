#include "output/einstellungen.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The default file as it must be on disk, line for line.
const char* const standarddatei[] = {
    "Zembrola 3 - Programmeinstellungen", "==================================", "",
    "[Programmausf\xC3\xBChrung]", "automatische Suche=nein", "Meldungsfenster anzeigen=ja", "",
    "[Ausgabefenster]", "Zusammenfassung ausgeben=ja", "Hintergrundfarbe=Weiss", "Schriftart=Arial",
    "Schriftgroesse=10", "Schriftfarbe=Schwarz", "Fettschrift=nein", "Kursivschrift=nein",
    "unterstrichende Schrift=nein", "", "[Druckausgabe]", "Ausgabeart=Inhalt+Zusammenfassung", "",
    "[Speichern]", "Speicherart=Inhalt+Zusammenfassung", "", "[Systemausgabe]",
    "Hintergrundfarbe1=Standard", "Schriftart1=Arial", "Schriftgroesse1=10", "Schriftfarbe1=Schwarz",
    "Fettschrift1=nein", "Kursivschrift1=nein", "unterstrichende Schrift1=nein", "", "[Netzwerkanalyse]",
    "Hintergrundfarbe2=Standard", "Schriftart2=Arial", "Schriftgroesse2=10", "Schriftfarbe2=Schwarz",
    "Fettschrift2=nein", "Kursivschrift2=nein", "unterstrichende Schrift2=nein",
};

QByteArray standardbytes(bool ansi)
{
    QByteArray b;
    for (const char* z : standarddatei) {
        QByteArray zeile(z);
        if (ansi)
            zeile.replace("\xC3\xBC", "\xFC");
        b += zeile + "\r\n";
    }
    return b;
}

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(inhalt), inhalt.size());
}

// Slots read from a file with the given content.
Eintraege ausDatei(const QByteArray& inhalt, const QString& vorbelegung = QStringLiteral("alt"))
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("Zembrola.ini"));
    schreiben(pfad, inhalt);
    Eintraege e;
    for (int i = 1; i <= Eintraege::anzahl; ++i)
        e[i] = vorbelegung;
    QString fehler;
    EXPECT_TRUE(eintraegeLesen(pfad, e, &fehler)) << fehler.toStdString();
    return e;
}

}  // namespace

TEST(Einstellungsdatei, StandarddateiByteFuerByteInBeidenCodepages)
{
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("Zembrola.ini"));
    for (const bool ansi : {false, true}) {
        Eintraege e;
        e[41] = QStringLiteral("bleibt");
        QString fehler;
        ASSERT_TRUE(wiederherstellung(e, pfad, ansi ? Codepage::Windows1252 : Codepage::Utf8, &fehler));
        EXPECT_EQ(lesen(pfad), standardbytes(ansi));
        EXPECT_EQ(e[4], QString::fromUtf8("[Programmausführung]"));
        EXPECT_EQ(e[40], QStringLiteral("unterstrichende Schrift2=nein"));
        EXPECT_EQ(e[41], QStringLiteral("bleibt"));
        // Both encodings read back to the same lines.
        Eintraege zurueck;
        ASSERT_TRUE(eintraegeLesen(pfad, zurueck));
        for (int i = 1; i <= 40; ++i)
            EXPECT_EQ(zurueck[i], e[i]) << i;
    }
}

TEST(Einstellungsdatei, LesenFuelltNurDieGelesenenZeilen)
{
    // 60 lines: only 50 are taken, a key in line 55 is not found.
    QByteArray sechzig;
    for (int i = 1; i <= 60; ++i)
        sechzig += (i == 55 ? QByteArray("Ausgabeart=Zusammenfassung") : "Zeile" + QByteArray::number(i)) + "\r\n";
    Eintraege e = ausDatei(sechzig);
    EXPECT_EQ(e[50], QStringLiteral("Zeile50"));
    EXPECT_TRUE(wertsuchen(e, QStringLiteral("Ausgabeart")).isEmpty());

    // Fewer lines leave the slots above them as they were; a last line without end counts.
    e = ausDatei("a\r\nb\nc");
    EXPECT_EQ(e[1], QStringLiteral("a"));
    EXPECT_EQ(e[2], QStringLiteral("b"));
    EXPECT_EQ(e[3], QStringLiteral("c"));
    EXPECT_EQ(e[4], QStringLiteral("alt"));

    // An empty file still yields one (empty) line; a file ending in CR LF no extra one.
    e = ausDatei(QByteArray());
    EXPECT_EQ(e[1], QString());
    EXPECT_EQ(e[2], QStringLiteral("alt"));
    e = ausDatei("x\r\n");
    EXPECT_EQ(e[2], QStringLiteral("alt"));
}

TEST(Einstellungsdatei, CodepageWirdJeZeileErkannt)
{
    const Eintraege e = ausDatei("Schriftfarbe=Gr\xFCn\r\nSchriftfarbe1=Gr\xC3\xBCn\r\n");
    EXPECT_EQ(e[1], QString::fromUtf8("Schriftfarbe=Grün"));
    EXPECT_EQ(e[2], QString::fromUtf8("Schriftfarbe1=Grün"));
    EXPECT_EQ(einstellungenAufloesen(e).ausgabe.schriftfarbindex, 3);
}

TEST(Einstellungsdatei, UeberlangeZeilenUndNulBytes)
{
    // A 10 MB line is cut at the bound, and the line after it is still read.
    QByteArray gross(10 * 1024 * 1024, 'x');
    Eintraege e = ausDatei(gross + "\r\nSchriftart=Courier\r\n");
    EXPECT_EQ(e[1].size(), zeilenobergrenze);
    EXPECT_EQ(e[2], QStringLiteral("Schriftart=Courier"));
    EXPECT_EQ(wertsuchen(e, QStringLiteral("Schriftart")), QStringLiteral("Courier"));

    // Past the reading budget nothing more is read, however much follows.
    QByteArray riesig(lesebudget + 1024, 'y');
    e = ausDatei(riesig + "\nSchriftart=Courier\n");
    EXPECT_EQ(e[1].size(), zeilenobergrenze);
    EXPECT_EQ(e[2], QStringLiteral("alt"));

    // NUL bytes neither end a line nor the file.
    static const char mitNul[] = "\0\0\0\r\nFett\0schrift=ja\r\nFettschrift=ja\0\r\n";
    e = ausDatei(QByteArray(mitNul, sizeof mitNul - 1));
    EXPECT_EQ(e[1].size(), 3);
    EXPECT_EQ(wertsuchen(e, QStringLiteral("Fettschrift")), QStringLiteral("ja") + QChar(0));
    EXPECT_FALSE(einstellungenAufloesen(e).ausgabe.fett); // "ja\0" is not "ja"
}

TEST(Einstellungsdatei, Wertsuche)
{
    Eintraege e;
    e[1] = QStringLiteral("schriftart=Klein");          // lower case: not the key
    e[2] = QStringLiteral("Schriftart1=Courier");       // contains the key, so it decides
    e[3] = QStringLiteral("Schriftart=Times");
    e[4] = QStringLiteral("Hintergrundfarbe");          // no "=": empty, later lines not consulted
    e[5] = QStringLiteral("Hintergrundfarbe=Rot");
    e[6] = QStringLiteral("x=Ausgabeart=Inhalt");       // the value starts after the first "="
    EXPECT_EQ(wertsuchen(e, QStringLiteral("Schriftart")), QStringLiteral("Courier"));
    EXPECT_EQ(wertsuchen(e, QStringLiteral("Hintergrundfarbe")), QString());
    EXPECT_EQ(wertsuchen(e, QStringLiteral("Ausgabeart")), QStringLiteral("Ausgabeart=Inhalt"));
    EXPECT_EQ(wertsuchen(e, QStringLiteral("Speicherart")), QString());
    e[50] = QStringLiteral("Speicherart=Inhalt");
    EXPECT_EQ(wertsuchen(e, QStringLiteral("Speicherart")), QStringLiteral("Inhalt"));

    const AufgeloesteEinstellungen a = einstellungenAufloesen(e);
    EXPECT_EQ(a.ausgabe.schriftart, QStringLiteral("Courier"));
    EXPECT_EQ(a.ausgabe.hintergrundfarbe, QStringLiteral("Weiss")); // empty value falls back
    EXPECT_EQ(a.ausgabeart, -1);                                     // unknown name: unchanged
    EXPECT_EQ(a.speicherart, 0);
}

TEST(Einstellungsdatei, LeereDateiGibtAlleRueckfallwerte)
{
    const AufgeloesteEinstellungen a = einstellungenAufloesen(ausDatei(QByteArray(), QString()));
    EXPECT_FALSE(a.automatischeSuche);
    EXPECT_TRUE(a.meldungsfensterAnzeigen);
    EXPECT_FALSE(a.zusammenfassungAusgeben);
    EXPECT_EQ(a.ausgabeart, 0);
    EXPECT_EQ(a.speicherart, 0);
    for (const Darstellung& d : {a.ausgabe, a.system, a.netz}) {
        EXPECT_EQ(d.hintergrundindex, 16);
        EXPECT_EQ(d.schriftart, QStringLiteral("Arial"));
        EXPECT_EQ(d.groesse, 10);
        EXPECT_EQ(d.schriftfarbindex, 16); // white on white
        EXPECT_FALSE(d.fett || d.kursiv || d.unterstrichen);
    }
}

TEST(Einstellungsdatei, WerteWerdenGenauVerglichen)
{
    Eintraege e;
    e[1] = QStringLiteral("automatische Suche=Ja");
    e[2] = QStringLiteral("Meldungsfenster anzeigen=NEIN");
    e[3] = QStringLiteral("Hintergrundfarbe=Rot ");
    e[4] = QStringLiteral("Schriftgroesse= 8");
    e[5] = QStringLiteral("Schriftgroesse1=zehn");
    e[6] = QStringLiteral("Speicherart=Inhalt+Zusammenfassung getrennt");
    e[7] = QStringLiteral("Ausgabeart=inhalt");
    e[8] = QStringLiteral("Schriftfarbe2=Grau");
    AufgeloesteEinstellungen a = einstellungenAufloesen(e);
    EXPECT_FALSE(a.automatischeSuche);
    EXPECT_TRUE(a.meldungsfensterAnzeigen);
    EXPECT_EQ(a.ausgabe.hintergrundindex, -1);
    EXPECT_EQ(a.ausgabe.groesse, 8);
    EXPECT_TRUE(a.ausgabe.groesseGelesen);
    EXPECT_EQ(a.ausgabe.schriftgroesse, QStringLiteral(" 8"));
    EXPECT_EQ(a.system.groesse, 10);
    EXPECT_FALSE(a.system.groesseGelesen);
    EXPECT_EQ(a.speicherart, 3);
    EXPECT_EQ(a.ausgabeart, -1);
    EXPECT_EQ(a.netz.schriftfarbindex, 8);

    EXPECT_EQ(schriftgroesseUmwandeln(QStringLiteral("+12")), 12);
    EXPECT_EQ(schriftgroesseUmwandeln(QStringLiteral("   64")), 64);
    for (const char* keine : {"", "  ", "8 ", "-3", "0", "1000", "99999999999999999999", "1e1", "+", "\t8"})
        EXPECT_FALSE(schriftgroesseUmwandeln(QString::fromLatin1(keine)).has_value()) << keine;
}

TEST(Einstellungsdatei, OkSchreiberSchreibtDieWerteDesDialogs)
{
    Optionswerte w = standardwerte();
    w.automatischeSuche = true;
    w.meldungsfensterAnzeigen = false;
    w.ausgabe.schriftgroesse = groessentext(8);
    w.ausgabe.schriftart = QStringLiteral("DejaVu Sans");
    w.ausgabe.kursiv = true;
    w.ausgabeart = 1;
    w.speicherart = 3;
    w.netz.schriftfarbe = QString::fromUtf8("Grün");
    QTemporaryDir dir;
    const QString pfad = dir.filePath(QStringLiteral("Zembrola.ini"));
    ASSERT_TRUE(einstellungenSchreiben(w, pfad, Codepage::Windows1252));
    const QList<QByteArray> zeilen = lesen(pfad).split('\n');
    ASSERT_EQ(zeilen.size(), 41); // 40 lines, each with its CR LF
    EXPECT_EQ(zeilen[4], "automatische Suche=ja\r");
    EXPECT_EQ(zeilen[5], "Meldungsfenster anzeigen=nein\r");
    EXPECT_EQ(zeilen[10], "Schriftart=DejaVu Sans\r");
    EXPECT_EQ(zeilen[11], "Schriftgroesse= 8\r");
    EXPECT_EQ(zeilen[14], "Kursivschrift=ja\r");
    EXPECT_EQ(zeilen[18], "Ausgabeart=Zusammenfassung\r");
    EXPECT_EQ(zeilen[21], "Speicherart=Inhalt+Zusammenfassung getrennt\r");
    EXPECT_EQ(zeilen[36], "Schriftfarbe2=Gr\xFCn\r");

    // What was written reads back as written.
    Eintraege e;
    ASSERT_TRUE(eintraegeLesen(pfad, e));
    const AufgeloesteEinstellungen a = einstellungenAufloesen(e);
    EXPECT_TRUE(a.automatischeSuche);
    EXPECT_FALSE(a.meldungsfensterAnzeigen);
    EXPECT_EQ(a.ausgabe.groesse, 8);
    EXPECT_TRUE(a.ausgabe.kursiv);
    EXPECT_EQ(a.ausgabeart, 1);
    EXPECT_EQ(a.speicherart, 3);
    EXPECT_EQ(a.netz.schriftfarbindex, 3);
    EXPECT_EQ(a.system.hintergrundindex, 0);
}

TEST(Einstellungsdatei, EinAusgabefehlerWirdGemeldet)
{
    QTemporaryDir dir;
    // Root ignores permission bits, so use places that fail for everyone: a "directory" that is
    // a plain file, and a directory that is the file's name.
    const QString datei = dir.filePath(QStringLiteral("keinVerzeichnis"));
    schreiben(datei, "x");
    Eintraege e;
    QString fehler;
    EXPECT_FALSE(wiederherstellung(e, datei + QStringLiteral("/Zembrola.ini"), Codepage::Utf8, &fehler));
    EXPECT_EQ(fehler, QStringLiteral("Pfad nicht gefunden"));
    EXPECT_FALSE(eintraegeLesen(datei + QStringLiteral("/Zembrola.ini"), e, &fehler));
    EXPECT_EQ(fehler, QStringLiteral("Pfad nicht gefunden"));

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Zembrola.ini")));
    const QString verzeichnis = dir.filePath(QStringLiteral("Zembrola.ini"));
    EXPECT_FALSE(eintraegeLesen(verzeichnis, e, &fehler));
    EXPECT_EQ(fehler, QStringLiteral("Datei ist ein Verzeichnis"));
    EXPECT_FALSE(einstellungenSchreiben(standardwerte(), verzeichnis, Codepage::Utf8, &fehler));
    EXPECT_EQ(fehler, QStringLiteral("Datei ist ein Verzeichnis"));

    // sysfs refuses new files even to root: a real write-protected directory.
    if (!QFile::exists(QStringLiteral("/sys/kernel")))
        GTEST_SKIP() << "no sysfs here";
    EXPECT_FALSE(wiederherstellung(e, QStringLiteral("/sys/Zembrola.ini"), Codepage::Utf8, &fehler));
    EXPECT_EQ(fehler, QStringLiteral("Dateizugriff verweigert"));
}

TEST(Einstellungsdatei, Farbtabelle)
{
    ASSERT_EQ(Farbtabelle.size(), 17u);
    EXPECT_EQ(farbindex(QStringLiteral("Standard")), 0);
    EXPECT_EQ(farbindex(QString::fromUtf8("Grün")), 3);
    EXPECT_EQ(farbindex(QStringLiteral("Weiss")), 16);
    EXPECT_EQ(farbindex(QStringLiteral("weiss")), -1);
    EXPECT_EQ(Farbtabelle[0].rot + Farbtabelle[0].gruen + Farbtabelle[0].blau, 19 + 114 + 168);
    EXPECT_EQ(groessennamen().size(), 60);
    EXPECT_EQ(groessennamen().first(), QStringLiteral(" 5"));
    EXPECT_EQ(groessennamen().last(), QStringLiteral("64"));
}
