#include "sysinfo/systembericht.h"

#include "platform/nachrichten.h"
#include "sysinfo/sammler.h"
#include "sysinfo/laufwerke/sys_unit_laufwerke.h"

namespace {

const QString kCpu = QStringLiteral("Hardware\\Description\\System\\CentralProcessor\\0");
const QString kSys = QStringLiteral("Hardware\\Description\\System");
const QString kBios = QStringLiteral("Hardware\\Description\\System\\BIOS");
const QString kCv = QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion");

QString mbyte(quint64 bytes)
{
    return QString::asprintf("%4.0f", double(bytes) / 1048576.0) + QStringLiteral(" MByte");
}

void abschnitt(Berichtsziel& z, const char* titel, int striche)
{
    z.zeile(QString::fromUtf8(titel));
    z.zeile(QString(striche, u'-'));
    z.zeile(QString());
}

class Bau {
public:
    Bau(Berichtsziel& z, Systemberichtsumgebung& u) : z(z), u(u) {}

    void schritt()
    {
        if (u.meldungen())
            plattform::nachrichtenZulassen();
    }
    void zeile(const char* label, const QString& wert) { z.zeile(QString::fromUtf8(label) + wert); }
    void wennNichtLeer(const char* label, const QString& wert)
    {
        if (!wert.isEmpty())
            zeile(label, wert);
    }

    void kopf()
    {
        z.zeile(QStringLiteral("Systemanalyse - Zembrola 3.1"));
        z.zeile(QString(23, u'='));
        z.zeile(QString());
        zeile("Erstellungsdatum:\t", u.erstellungsdatum());
        z.zeile(QString());
        z.zeile(QString());
    }

    void rechner()
    {
        using namespace system_a;
        abschnitt(z, "Rechner", 13);
        zeile("CPU:             \t", regtext(kCpu, QStringLiteral("ProcessorNameString")));
        zeile("Anz. Prozessoren:\t", plattform::rechner().prozessoren());
        schritt();
        // A machine without any clock source gets an empty value instead of losing the report.
        if (!plattform::registry().wert(kCpu, QStringLiteral("~MHz")))
            zeile("CPU-Takt:    \t", QString());
        else
            zeile("CPU-Takt:    \t", QString::number(regzahl(kCpu, QStringLiteral("~MHz"))) + QStringLiteral(" MHz"));
        regmultitext(Wurzelschluessel::lokaleMaschine, kSys, QStringLiteral("SystemBIOSVersion"), liste);
        zeile("BIOS-Version:\t", liste.value(0) + u' ' + liste.value(1));
        zeile("BIOS-Datum:\t", regtext(kSys, QStringLiteral("SystemBIOSDate")));
        wennNichtLeer("Board-Herst.:\t", regtext(kBios, QStringLiteral("BaseBoardManufacturer")));
        wennNichtLeer("System-Herst.:\t", regtext(kBios, QStringLiteral("SystemManufacturer")));
        wennNichtLeer("Produktname:\t", regtext(kBios, QStringLiteral("SystemProductName")));
        schritt();
        speicherzeilen(QStringLiteral("RAM"), z);
        z.zeile(QString());
    }

    void betriebssystem()
    {
        using namespace system_a;
        const auto cv = [](const char* name) { return regtext(kCv, QString::fromLatin1(name)); };
        abschnitt(z, "Betriebssystem", 25);
        zeile("Produktname:\t", cv("Productname"));
        zeile("Edition:    \t", cv("EditionID"));
        wennNichtLeer("CSD-Version:\t", cv("CSDVersion"));
        z.zeile(plattform::registry().schluesselDa(QStringLiteral("Software\\Wow6432Node"))
                    ? QStringLiteral("32-/64-Bit:   \t64 Bit")
                    : QStringLiteral("32-/64-Bit:   \t32 Bit"));
        schritt();
        zeile("Produkt-ID:\t", cv("ProductID"));
        zeile("CurrentVersion:\t", cv("CurrentVersion"));
        zeile("BuildNumber:\t", cv("CurrentBuildNumber"));
        zeile("Buildstring:\t", cv("BuildLab"));
        zeile("CurrentType:\t", cv("CurrentType"));
        zeile("Reg. Benutzer:\t", cv("RegisteredOwner"));
        zeile("Organisation:\t", cv("RegisteredOrganization"));
        zeile("Windows-Pfad:\t", cv("PathName"));
        speicherzeilen(QStringLiteral("Datei"), z);
        z.zeile(QString());
        schritt();
    }

    void netzwerk()
    {
        using namespace system_a;
        if (!plattform::rechner().netzwerkDa())
            return;
        abschnitt(z, "Netzwerk", 15);
        zeile("Benutzername  :\t", benutzername());
        zeile("Computername: \t", rechnername());
        if (const QString gruppe = arbeitsgruppe(); !gruppe.isEmpty()) {
            zeile("Arbeitsgruppe   :\t", gruppe);
        } else {
            liste = u.arbeitsgruppen();
            zeile("Arbeitsguppe:\t", liste.value(0));
        }
        liste.clear();
        ipadressen(liste);
        zeile("Netzwerkadresse:\t", liste.value(0));
        wennNichtLeer("Netzwerkmaske:\t", netzwerkmaske());
        zeile("phys.Adresse(MAC):\t", macadresse());
        z.zeile(QString());
        zeile("DHCP-Server    :\t",
              regtext(QStringLiteral("SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters"), QStringLiteral("DhcpNameServer")));
        QStringList dns;
        iphlp::dnsliste(dns);
        for (const QString& server : dns)
            zeile("DNS-Server       :\t", server);
        schritt();
        liste.clear();
        Sys_unit::wmiabfrage(QStringLiteral("Win32_NetworkAdapterConfiguration"), QStringLiteral("DefaultIPGateway"), liste, true);
        for (const QString& gateway : liste)
            zeile("Standardgateway:\t", gateway);
        schritt();
        z.zeile(QString());
    }

    void grafik()
    {
        using namespace system_a;
        abschnitt(z, "Grafik", 10);
        schritt();
        const auto geraete = anzeigegeraete();
        for (int n = 0; n < geraete.size(); ++n) {
            zeile(" Device ", QString::number(n) + u':');
            zeile(" DeviceName : \t", geraete[n].name);
            zeile(" DeviceString: \t", geraete[n].bezeichnung);
            z.zeile(QStringLiteral("  "));
            schritt();
            z.einfuegen(z.zeilenzahl() - 1, QStringLiteral(" Monitorname : \t") + geraete[n].monitor);
        }
        const QString videoRam = Sys_unit::wmimbyte(QString(), QStringLiteral("Win32_VideoController "), QStringLiteral("AdapterRAM"));
        if (!videoRam.isEmpty()) {
            z.zeile(QString());
            zeile("Video-RAM:    \t", videoRam);
            z.zeile(QString());
            zeile("Directx-Versionsnr.:\t", directxversion());
        }
        z.zeile(QString());
        const QSize schirm = plattform::anzeige().bildschirm();
        zeile("aktuelle Auflösung:\t", QString::asprintf("%d x %d Pixel", schirm.width(), schirm.height()));
        switch (farbtiefe()) {
        case 4: z.zeile(QStringLiteral("Farben:      \t16, 4 Bit")); break;
        case 8: z.zeile(QStringLiteral("Farben:      \t256, 8 Bit)")); break;
        case 24: z.zeile(QStringLiteral("Farben:      \t16 M, True Color, 24 Bit")); break;
        case 32: z.zeile(QStringLiteral("Farben:      \t16 M, True Color, 32 Bit")); break;
        default: break;
        }
        zeile("Frequenz:\t", QString::number(bildfrequenz()) + QStringLiteral(" Herz"));
        aufloesungsliste(z);
        z.zeile(QString());
    }

    void drucker()
    {
        abschnitt(z, "Drucker", 13);
        auto [standard, namen] = system_a::druckerstand();
        liste = std::move(namen);
        for (int k = 0; k < liste.size(); ++k) {
            const QString& name = liste[k];
            QString text = QString::number(k + 1) + QStringLiteral(". Drucker:\t") + name;
            if (!name.isEmpty() && standard.contains(name, Qt::CaseSensitive))
                text += QStringLiteral("\t(Standarddrucker)");
            z.zeile(text);
        }
        z.zeile(QString());
        schritt();
    }

    void physikalisch()
    {
        abschnitt(z, "physikalische Laufwerke", 41);
        const struct { const char* bus; const char* label; bool atmen; } busse[] = {
            {"IDE", "IDE-Laufwerk:\t", true}, {"SCSI", "SCSI-Laufwerk:\t", true}, {"USBSTOR", "USB-Laufwerk:\t", false}};
        for (const auto& b : busse) {
            liste.clear();
            Sys_unit::geraetenamen(QString::fromLatin1(b.bus), liste);
            if (b.atmen)
                schritt();
            for (const QString& name : liste)
                zeile(b.label, name);
        }
        z.zeile(QString());
    }

    void logisch()
    {
        abschnitt(z, "logische Laufwerke", 33);
        for (int i = 0; i < 26; ++i) {
            if (!Sys_unit::laufwerkda(i))
                continue;
            const QChar l = QChar(u'a' + i);
            zeile("Laufwerk: \t", QString(l) + u':');
            const qint64 s = Sys_unit::datentraegerda(QString(l)) ? Sys_unit::laufwerksgroesse(i + 1) : -1;
            if (s > 0)
                zeile("Bezeichnung:\t", Sys_unit::laufwerksname(l));
            const QString typ = Sys_unit::laufwerkstyp(i);
            zeile("Laufwerkstyp:\t", typ == QLatin1String("Wechselmedium") && i < 2 ? QStringLiteral("Diskettenlaufwerk") : typ);
            schritt();
            if (s > 0) {
                zeile("Gesamtgröße: \t", groessentext(s, u.dezimalkomma()));
                zeile("freie Größe: \t", groessentext(Sys_unit::laufwerksfrei(i + 1), u.dezimalkomma()));
            } else {
                z.zeile(QStringLiteral("Gesamtgröße: \tkein Datenträger eingelegt !"));
            }
            z.zeile(QString());
        }
    }

private:
    Berichtsziel& z;
    Systemberichtsumgebung& u;
    QStringList liste;  // the scratch list
};

}  // namespace

void systemberichtSchreiben(Berichtsziel& ziel, Systemberichtsumgebung& umgebung)
{
    Bau bau(ziel, umgebung);
    bau.kopf();
    bau.rechner();
    bau.betriebssystem();
    bau.netzwerk();
    bau.grafik();
    bau.drucker();
    bau.physikalisch();
    bau.logisch();
}

QString groessentext(qint64 bytes, bool dezimalkomma)
{
    const double x = double(bytes);
    static const char* const einheiten[] = {" KByte", " MByte", " GByte", " TByte"};
    if (x < 1024.0)
        return QString::asprintf("%5lld     ", static_cast<long long>(bytes)) + QStringLiteral(" Byte");
    int stufe = 0;
    double wert = x / 1024.0;
    while (stufe < 3 && wert >= 1024.0) {
        wert /= 1024.0;
        ++stufe;
    }
    QString zahl = QString::asprintf("%8.3f", wert);
    if (dezimalkomma)
        zahl.replace(u'.', u',');
    return zahl + QLatin1String(einheiten[stufe]);
}

void speicherzeilen(const QString& art, Berichtsziel& ziel)
{
    const plattform::Speicherstatus s = system_a::speicherstatus();
    if (art == QLatin1String("RAM")) {
        ziel.zeile(QStringLiteral("RAM-Speicher:\t") + mbyte(s.physGesamt));
        ziel.zeile(QStringLiteral("davon frei: \t") + mbyte(s.physFrei));
    } else {
        ziel.zeile(QStringLiteral("Auslagerungsdatei: \t") + mbyte(s.dateiGesamt));
        ziel.zeile(QStringLiteral("davon frei: \t") + mbyte(s.dateiFrei));
    }
}

void aufloesungsliste(Berichtsziel& ziel)
{
    quint32 breite = 0, hoehe = 0, frequenz = 0;
    bool erste = true;
    for (const auto& modus : system_a::anzeigemodi()) {
        if (!modus)
            continue;
        if (modus->breite != breite || modus->hoehe != hoehe || modus->frequenz != frequenz) {
            if (erste) {
                ziel.zeile(QString());
                ziel.zeile(QStringLiteral("mögliche Auflösungen:"));
                erste = false;
            }
            ziel.zeile(QStringLiteral("                \t") +
                       QString::asprintf("%d x %d Pixel,      %d Hertz", int(modus->breite), int(modus->hoehe), int(modus->frequenz)));
        }
        breite = modus->breite;
        hoehe = modus->hoehe;
        frequenz = modus->frequenz;
    }
}
