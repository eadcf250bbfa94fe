// The order and frame of the mask list.
#include "masks/suchmasken.h"

#include <gtest/gtest.h>

TEST(Maskenliste, StandardlisteIstSchonSortiertUndGerahmt)
{
    const QStringList liste = suchmasken::standardliste();
    ASSERT_EQ(liste.size(), 37);
    EXPECT_EQ(liste.first(), "*.*");
    EXPECT_EQ(liste.at(1), "*.123");
    EXPECT_EQ(liste.at(35), "*.xls");
    EXPECT_EQ(liste.last(), "[neu]");
    // A prefix sorts before its extensions, so rebuilding the default list must change nothing.
    EXPECT_EQ(suchmasken::listeaufbauen(suchmasken::standardmasken(), QLocale::c()), liste);
    EXPECT_EQ(suchmasken::listeaufbauen(suchmasken::standardmasken(), QLocale(QLocale::German)), liste);
}

TEST(Maskenliste, SortierungOhneGrossKleinMitDoppelten)
{
    QStringList masken{"b", "A", "*.TXT", "a", "B", "*.txt", "*.Doc"};
    suchmasken::sortieren(masken, QLocale(QLocale::German));
    // Equal masks keep the order in which they were given.
    EXPECT_EQ(masken, QStringList({"*.Doc", "*.TXT", "*.txt", "A", "a", "b", "B"}));
}

TEST(Maskenliste, SortierungNachSprache)
{
    // By code point "Ä" would come after "Z"; in German it sits with "A".
    QStringList masken{QString::fromUtf8("Zebra*"), QString::fromUtf8("Ärger*"), QStringLiteral("Apfel*"),
                       QStringLiteral("Birne*")};
    suchmasken::sortieren(masken, QLocale(QLocale::German));
    EXPECT_EQ(masken, QStringList({QStringLiteral("Apfel*"), QString::fromUtf8("Ärger*"), QStringLiteral("Birne*"),
                                   QString::fromUtf8("Zebra*")}));
}

TEST(Maskenliste, RahmenBleibtFestWasImmerSortiertWird)
{
    // "!" sorts before "*" and "~" after "[": the fixed entries still frame the list.
    const QStringList liste = suchmasken::listeaufbauen({"~x", "abc*", "!a", "*.xls", "*.*"}, QLocale::c());
    EXPECT_EQ(liste, QStringList({"*.*", "!a", "*.*", "*.xls", "abc*", "~x", "[neu]"}));
    EXPECT_EQ(suchmasken::listeaufbauen({}), QStringList({"*.*", "[neu]"}));
}

TEST(Maskenliste, BenutzermaskenOhneRahmen)
{
    EXPECT_EQ(suchmasken::benutzermasken(suchmasken::standardliste()), suchmasken::standardmasken());
    EXPECT_EQ(suchmasken::benutzermasken({"*.*", "[neu]"}), QStringList());
    // Short lists must not trip over the missing frame.
    EXPECT_EQ(suchmasken::benutzermasken({"*.*"}), QStringList());
    EXPECT_EQ(suchmasken::benutzermasken({}), QStringList());
}

TEST(Maskenliste, Fehlermeldung)
{
    // Names with "%1" must come through unchanged.
    EXPECT_EQ(suchmasken::fehlermeldung("a%1.lis", "Dateizugriff verweigert"),
              "Datei \"a%1.lis\" kann nicht erstellt werden. Dateizugriff verweigert");
}
