// Which backend answers: the installed bundle, scoped installs, and the file system chosen by the
// kind of a path; and the throttled request to let window messages through.
#include "listing/suchmuster.h"
#include "listing/verzeichnislauf.h"
#include "platform/fake/fake_plattform.h"
#include "platform/nachrichten.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

using namespace plattform;

TEST(Plattform, Pfadarten)
{
    const struct {
        const char* pfad;
        Pfadart art;
    } faelle[] = {
        {"\\\\PC1\\Daten\\Sub", Pfadart::netzwerk},
        {"\\\\PC1", Pfadart::netzwerk},
        {"\\\\", Pfadart::netzwerk},
        {"\\einzeln", Pfadart::lokal},
        {"//server/freigabe", Pfadart::lokal},  // a native path with a doubled separator
        {"/home/anna", Pfadart::lokal},
        {"C:\\Daten", Pfadart::lokal},
        {"", Pfadart::lokal},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(pfadart(QString::fromUtf8(f.pfad)), f.art) << f.pfad;
        EXPECT_EQ(trennerVon(QString::fromUtf8(f.pfad)), f.art == Pfadart::netzwerk ? '\\' : '/') << f.pfad;
    }
}

TEST(Plattform, InstallationGiltImBereichUndStelltZurueck)
{
    FakeDateisystem a, b;
    FakeLaufwerke lw;
    Installation aussen({.dateisystem = &a, .laufwerke = &lw});
    {
        Installation innen({.dateisystem = &b});
        EXPECT_EQ(&dateisystem(), &b);
        EXPECT_THROW(laufwerke(), std::logic_error);  // not part of this bundle
    }
    EXPECT_EQ(&dateisystem(), &a);
    EXPECT_EQ(&laufwerke(), &lw);
    // Without a network file system the local one answers network paths.
    EXPECT_EQ(&dateisystemFuer("\\\\PC1\\Daten"), &a);
}

TEST(Plattform, DerLaufFragtDasDateisystemSeinerPfadart)
{
    FakePlattform p;
    FakeDateisystem& lokal = p.dateisystem;
    FakeDateisystem& netz = p.netzdateisystem;
    lokal.datei("/daten/a.txt", 1);
    Installation inst(p.buendel());
    EXPECT_EQ(&dateisystemFuer("/daten"), &lokal);
    EXPECT_EQ(&dateisystemFuer("\\\\PC1\\Daten"), &netz);

    struct : Dateiempfaenger {
        void datei(const QString&, const Dateidaten&) override { ++anzahl; }
        int anzahl = 0;
    } empfaenger;
    Laufauftrag auftrag;
    auftrag.wurzel = "\\\\PC1\\Daten";
    Suchzustand z;
    verzeichnislauf(auftrag, z, empfaenger);
    EXPECT_EQ(netz.auflistungen(), 1);
    EXPECT_EQ(lokal.auflistungen(), 0);
    EXPECT_TRUE(z.wurzelUnlesbar);  // the fake has no such share

    auftrag.wurzel = "/daten";
    verzeichnislauf(auftrag, z, empfaenger);
    EXPECT_EQ(lokal.auflistungen(), 1);
    EXPECT_EQ(empfaenger.anzahl, 1);
}

TEST(Nachrichten, HoechstensAlle30Millisekunden)
{
    int behandelt = 0;
    const auto alt = nachrichtenbehandlungSetzen([&] { ++behandelt; });
    const quint64 vorher = nachrichtenAnfragen();
    nachrichtenZulassen();
    nachrichtenZulassen();
    EXPECT_EQ(behandelt, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(35));
    nachrichtenZulassen();
    EXPECT_EQ(behandelt, 2);
    EXPECT_EQ(nachrichtenAnfragen() - vorher, 3u);
    // Without a handler a request only counts.
    nachrichtenbehandlungSetzen({});
    nachrichtenZulassen();
    EXPECT_EQ(behandelt, 2);
    nachrichtenbehandlungSetzen(alt);
}
