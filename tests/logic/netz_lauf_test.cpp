// The network resource walk over prepared trees: order, filters, reads per level, closing.
#include "netinfo/netzressourcen.h"
#include "platform/fake/fake_netz.h"
#include "platform/nachrichten.h"
#include "platform/plattform.h"

#include <gtest/gtest.h>

#include "listing_druck.h"

#include <stdexcept>

using namespace plattform;
using netinfo::netzressourcensuchen;

namespace {

// Provider → AG, AG2 → computers → shares, the usual shape.
void lan(FakeNetz& n)
{
    n.kind(FakeNetz::oben, {atAnbieter, vwBehaelter, rtAlle, "Anbieter"});
    n.kind("Anbieter", {atArbeitsgruppe, vwBehaelter, rtAlle, "AG"});
    n.kind("Anbieter", {atArbeitsgruppe, vwBehaelter, rtAlle, "AG2"});
    n.kind("AG", {atComputer, vwBehaelter, rtAlle, "\\\\PC1"});
    n.kind("AG", {atComputer, vwBehaelter, rtAlle, "\\\\PC2"});
    n.kind("AG2", {atComputer, vwBehaelter, rtAlle, "\\\\PC3"});
    n.kind("\\\\PC1", {atFreigabe, vwVerbindbar, rtPlatte, "\\\\PC1\\A"});
    n.kind("\\\\PC1", {atFreigabe, vwVerbindbar, rtDrucker, "\\\\PC1\\Drucker"});
    n.kind("\\\\PC1", {atFreigabe, vwVerbindbar, rtPlatte, "\\\\PC1\\C$"});
    n.kind("\\\\PC2", {atFreigabe, vwVerbindbar, rtPlatte, "\\\\PC2\\B"});
}

QStringList suche(Ressourcentyp typ, quint32 filter, bool ansprechbar = false, QStringList liste = {})
{
    netzressourcensuchen(typ, filter, liste, ansprechbar);
    return liste;
}

}  // namespace

TEST(NetzLauf, TiefeZuerstFilterWaehltNurAus)
{
    FakeNetz n;
    lan(n);
    Installation inst({.netz = &n});
    EXPECT_EQ(suche(rtAlle, 0), QStringList({"Anbieter", "AG", "\\\\PC1", "\\\\PC1\\A", "\\\\PC1\\Drucker",
                                             "\\\\PC1\\C$", "\\\\PC2", "\\\\PC2\\B", "AG2", "\\\\PC3"}));
    EXPECT_EQ(suche(rtAlle, atArbeitsgruppe), QStringList({"AG", "AG2"}));
    EXPECT_EQ(suche(rtAlle, atComputer), QStringList({"\\\\PC1", "\\\\PC2", "\\\\PC3"}));
    // Disk only: the printer share is left out by the enumeration, the walk passes the type on.
    EXPECT_EQ(suche(rtPlatte, atFreigabe), QStringList({"\\\\PC1\\A", "\\\\PC1\\C$", "\\\\PC2\\B"}));
    // Appended, not cleared.
    EXPECT_EQ(suche(rtAlle, atArbeitsgruppe, false, {"alt"}), QStringList({"alt", "AG", "AG2"}));
    // Even with a filter the walk goes down everywhere, one enumeration open at a time.
    n.geoeffnet = 0;
    suche(rtAlle, atArbeitsgruppe);
    EXPECT_EQ(n.geoeffnet, 7);
    EXPECT_EQ(n.hoechstensOffen, 1);
    EXPECT_EQ(n.offen, 0);
}

TEST(NetzLauf, LeeresUndGescheitertesNetz)
{
    // Nothing installed: an empty network.
    EXPECT_TRUE(suche(rtAlle, 0).isEmpty());
    FakeNetz n;
    Installation inst({.netz = &n});
    EXPECT_TRUE(suche(rtAlle, 0).isEmpty());  // no providers
    lan(n);
    n.ebene(FakeNetz::oben).oeffnenScheitert = true;
    EXPECT_TRUE(suche(rtAlle, 0).isEmpty());
    // A failure below the top costs that level only; other errors and "no more items" too.
    n.ebene(FakeNetz::oben).oeffnenScheitert = false;
    n.ebene("AG").oeffnenScheitert = true;
    n.ebene("\\\\PC2").fehler = 5;
    n.ebene("AG2").fehler = leKeineWeiteren;
    EXPECT_EQ(suche(rtAlle, 0), QStringList({"Anbieter", "AG", "AG2"}));
    EXPECT_EQ(n.offen, 0);
}

TEST(NetzLauf, MehrDatenWirdMitGroesseremPufferGelesenGrosseEbeneGekappt)
{
    FakeNetz n;
    lan(n);
    Installation inst({.netz = &n});
    n.ebene("AG").mindestpuffer = 40000;
    n.ebene("Anbieter").proAufruf = 1;  // a second read would give AG2
    EXPECT_EQ(suche(rtAlle, atComputer), QStringList({"\\\\PC1", "\\\\PC2"}));
    EXPECT_EQ(n.puffergroessen, (std::vector<qsizetype>{16384, 16384, 16384, 40000, 16384, 16384}));
    // A backend that asks for no more than it got cannot hold the walk.
    FakeNetz stur;
    stur.kind(FakeNetz::oben, {atComputer, 0, rtAlle, "\\\\X"});
    stur.ebene(FakeNetz::oben).mindestpuffer = 16384 + 1;
    Installation inst2({.netz = &stur});
    EXPECT_EQ(suche(rtAlle, 0), QStringList({"\\\\X"}));
}

TEST(NetzLauf, AnsprechbarLaesstNachrichtenDurchAuchBeimFehler)
{
    FakeNetz n;
    lan(n);
    Installation inst({.netz = &n});
    const quint64 vorher = nachrichtenAnfragen();
    suche(rtAlle, 0, false);
    EXPECT_EQ(nachrichtenAnfragen(), vorher);
    suche(rtAlle, 0, true);
    // While each of the 7 opens waits, before each of the 7 reads, after each of the 10 entries.
    EXPECT_EQ(nachrichtenAnfragen() - vorher, 24u);

    int laeufe = 0;
    auto alt = nachrichtenbehandlungSetzen([&] {
        if (++laeufe == 1)
            throw std::runtime_error("abgebrochen");
    });
    EXPECT_THROW(suche(rtAlle, 0, true), std::runtime_error);
    EXPECT_EQ(n.offen, 0);
    nachrichtenbehandlungSetzen(alt);
}
