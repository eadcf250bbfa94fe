// The network report against a prepared network: its sections, the local host rule, a failed
// enumeration, and the small name rules of its collectors.
#include "netinfo/netzbericht.h"
#include "platform/fake/fake_netz.h"
#include "platform/fake/fake_system.h"

#include "platform/netzpfad.h"

#include <gtest/gtest.h>

using namespace plattform;

namespace {

struct Netz : Netzberichtsumgebung {
    bool meldungen() const override { return true; }
    QString erstellungsdatum() const override { return QStringLiteral("09.12.2026 10:11:12"); }
    QStringList ressourcen(int anzeigetyp) override
    {
        ++walks;
        return anzeigetyp == 1 ? gruppen : freigaben;
    }
    bool rechnerInWG(QStringList& r) override
    {
        r = clients;
        return offen;
    }
    QString localHostName() override { return QStringLiteral("HOST"); }
    QString lookupHostAddr(const QString& name) override { return adressen.value(name); }
    void meldung(const QString& text) override { meldungen_ << text; }

    QStringList gruppen{"ARBEITSGRUPPE", "ANDERE"};
    QStringList freigaben{"\\\\PC1\\DATEN", "\\\\PC2\\B", "\\\\HOST\\Musik", "\\\\PC1\\Drucker"};
    QStringList clients{"\\\\PC0", "\\\\PC1", "\\\\HOST", "\\\\hOST", "\\\\PC2"};
    QMap<QString, QString> adressen{{"PC1", "10.99.0.11"}, {"hOST", "10.99.0.10"}};
    bool offen = true;
    int walks = 0;
    QStringList meldungen_;
};

TEST(Netzbericht, GanzerBericht)
{
    FakeRechner r;
    r.daten.benutzername = "anna";
    r.daten.rechnername = "HOST";
    r.daten.ipadressen = QStringList{"10.99.0.10"};
    r.daten.dnsserver = {"10.99.0.1", "10.99.0.2"};
    const Installation inst({.rechner = &r});
    Netz n;
    Berichtssammler z;
    netzwerkberichtSchreiben(z, n);
    const QStringList erwartet = {
        "Netzwerkanalyse - Zembrola 3.1", "===================", "", "Erstellungsdatum:\t09.12.2026 10:11:12", "",
        "Lokaler Computer", "--------------------", "Benutzername  :\tanna", "Computername: \tHOST",
        "Netzwerkadresse:\t10.99.0.10", "", "Netzinfomationen", "----------------------", "",
        "Arbeitsguppe:     \tARBEITSGRUPPE", "DHCP-Server    :\t", "DNS-Server       :\t10.99.0.1",
        "DNS-Server       :\t10.99.0.2", "",
        "Computer im Netzwerk", "----------------------------", "", "Computer          \tIP-Adresse",
        "_____________________________________________", "",
        // PC0 is the first entry and HOST the local host; hOST differs in case, PC2 has no address.
        "PC1      \t10.99.0.11", "hOST      \t10.99.0.10", "PC2      \t",
        "", "Freigabeliste", "-----------------", "", "Computer          \tFreigabe",
        "_____________________________________________", "",
        "\\\\PC1      \t\\DATEN", "\\\\PC1      \t\\Drucker", "", "\\\\HOST      \t\\Musik", "", "", "\\\\PC2      \t\\B", "",
    };
    for (qsizetype i = 0; i < std::max(z.zeilen.size(), erwartet.size()); ++i)
        ASSERT_EQ(z.zeilen.value(i).toStdString(), erwartet.value(i).toStdString()) << "line " << i;
    EXPECT_EQ(n.walks, 1 + 4);  // the workgroups once, the shares once per reported computer
    EXPECT_TRUE(n.meldungen_.isEmpty());
}

TEST(Netzbericht, FehlendesNetz)
{
    // No address, no mask, no workgroup; a context that cannot be enumerated ends the report.
    Netz n;
    n.gruppen.clear();
    n.offen = false;
    Berichtssammler z;
    netzwerkberichtSchreiben(z, n);
    EXPECT_TRUE(z.zeilen.contains("Netzwerkadresse:\t"));
    EXPECT_FALSE(z.zeilen.filter("Netzwerkmaske").size());
    EXPECT_TRUE(z.zeilen.contains("Arbeitsguppe:     \t"));
    EXPECT_EQ(z.zeilen.last(), "");
    EXPECT_EQ(z.zeilen[z.zeilen.size() - 2], "DHCP-Server    :\t");
    EXPECT_EQ(n.meldungen_, QStringList{"Kann die verfügbaren Netzwerk Resourcen nicht ermitteln!"});

    // A context of one entry: both sections with their headers only.
    n.offen = true;
    n.clients = {"\\\\PC0"};
    z.zeilen.clear();
    netzwerkberichtSchreiben(z, n);
    EXPECT_EQ(z.zeilen.mid(z.zeilen.indexOf("Computer          \tIP-Adresse")),
              (QStringList{"Computer          \tIP-Adresse", "_____________________________________________", "", "",
                           "Freigabeliste", "-----------------", "", "Computer          \tFreigabe",
                           "_____________________________________________", ""}));
}

TEST(Netzbericht, NamensRegeln)
{
    EXPECT_EQ(freigabenVon({"\\\\PC1\\A", "\\\\PC2\\B", "\\\\PC1\\C$"}, "\\\\PC1"), (QStringList{"\\A", "\\C$"}));
    // Another computer whose name merely begins the same, or differs in case, is not this one.
    EXPECT_EQ(freigabenVon({"\\\\PC10\\A", "\\\\pc1\\B", "\\\\PC1"}, "\\\\PC1"), QStringList());
    // A network path taken apart and put together: empty parts skipped, only computer and share
    // make a path a share can be asked for, and "." or ".." never.
    const auto teile = [](const QString& p) {
        const auto n = plattform::Netzpfad::lesen(p);
        return n ? QStringList{n->computer, n->freigabe, n->rest, n->freigabepfad(), n->text(),
                               QString::number(n->vollstaendig())}
                 : QStringList();
    };
    EXPECT_EQ(teile("\\\\PC1\\Daten\\Sub\\x"),
              (QStringList{"PC1", "Daten", "Sub/x", "\\\\PC1\\Daten", "\\\\PC1\\Daten\\Sub\\x", "1"}));
    EXPECT_EQ(teile("\\\\PC1\\\\Daten\\"), (QStringList{"PC1", "Daten", "", "\\\\PC1\\Daten", "\\\\PC1\\Daten", "1"}));
    EXPECT_EQ(teile("\\\\PC3"), (QStringList{"PC3", "", "", "\\\\PC3", "\\\\PC3", "0"}));
    EXPECT_EQ(teile("\\\\PC1\\Daten\\..\\Privat").last(), "0");
    EXPECT_EQ(teile("\\\\PC1\\.").last(), "0");
    EXPECT_EQ(teile("\\\\"), QStringList());
    EXPECT_EQ(teile("/home/\\\\PC1"), QStringList());
    EXPECT_EQ(hostAddrOhneAufloesung(""), "0.0.0.0");
    EXPECT_EQ(hostAddrOhneAufloesung("192.168.0.7"), "192.168.0.7");
    EXPECT_EQ(hostAddrOhneAufloesung("1abc"), "");
    EXPECT_EQ(hostAddrOhneAufloesung("1.2.3.4.5"), "");
    EXPECT_FALSE(hostAddrOhneAufloesung("PC1"));
}

// The report's questions as the installed network answers them: the context read once into one
// buffer, a failed open, and which names reach the network's address lookup.
TEST(Netzbericht, FragenAnDasInstallierteNetz)
{
    struct Umgebung : Netzplattformumgebung {
        bool meldungen() const override { return false; }
        QString erstellungsdatum() const override { return {}; }
        void meldung(const QString& text) override { gemeldet << text; }
        QStringList gemeldet;
    };
    FakeNetz netz;
    for (const char* n : {"ARBEITSGRUPPE", "\\\\PC1", "\\\\pc2", "\\\\PC3"})
        netz.kind(FakeNetz::kontext, {atComputer, vwBehaelter, rtAlle, QString::fromLatin1(n)});
    netz.ebene(FakeNetz::kontext).proAufruf = 3;  // what one buffer holds
    netz.adresseSetzen("PC1", "10.0.0.1");
    netz.adresseSetzen("PC2", "10.0.0.2");
    const Installation inst({.netz = &netz});
    Umgebung u;
    Berichtssammler z;
    netzwerkberichtSchreiben(z, u);
    const QStringList computer = z.zeilen.mid(z.zeilen.indexOf("Computer          \tIP-Adresse") + 3, 3);
    // PC3 did not fit into the one read; pc2's address is found whatever its case.
    EXPECT_EQ(computer, (QStringList{"PC1      \t10.0.0.1", "pc2      \t10.0.0.2", ""}));
    EXPECT_EQ(netz.adressfragen.load(), 2);

    // Forms answered without the network.
    EXPECT_EQ(u.lookupHostAddr(""), "0.0.0.0");
    EXPECT_EQ(u.lookupHostAddr("10.1.2.3"), "10.1.2.3");
    EXPECT_EQ(u.lookupHostAddr("1abc"), "");
    EXPECT_EQ(netz.adressfragen.load(), 2);
    EXPECT_EQ(u.lookupHostAddr("UNBEKANNT"), "");
    EXPECT_EQ(netz.adressfragen.load(), 3);

    netz.ebene(FakeNetz::kontext).oeffnenScheitert = true;
    z.zeilen.clear();
    netzwerkberichtSchreiben(z, u);
    EXPECT_EQ(u.gemeldet, QStringList{"Kann die verfügbaren Netzwerk Resourcen nicht ermitteln!"});
    EXPECT_FALSE(z.zeilen.contains("Computer im Netzwerk"));
}

}  // namespace
