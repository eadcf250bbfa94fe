#include "netinfo/netzbericht.h"

#include <arpa/inet.h>
#include <unistd.h>

#include "netinfo/netzressourcen.h"
#include "platform/nachrichten.h"
#include "platform/plattform.h"
#include "sysinfo/sammler.h"

std::optional<QString> hostAddrOhneAufloesung(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("0.0.0.0");
    if (!name.at(0).isDigit() || name.at(0).unicode() > 127)
        return std::nullopt;
    // What inet_addr takes: dotted forms with one to four parts, decimal, octal or hex.
    in_addr a{};
    if (inet_aton(name.toLatin1().constData(), &a) == 0)
        return QString();
    return name;
}

QString LocalHostName()
{
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? QString::fromLocal8Bit(name) : QString();
}

QString LookupHostAddr(const QString& name, const std::function<void()>& beimWarten)
{
    if (const auto direkt = hostAddrOhneAufloesung(name))
        return *direkt;
    return plattform::netz().adresse(name, beimWarten);
}

QStringList Netzplattformumgebung::ressourcen(int anzeigetyp)
{
    return netzressourcenVom(quint32(anzeigetyp));
}

bool Netzplattformumgebung::rechnerInWG(QStringList& rechner)
{
    return RechnerInWG(nullptr, rechner);
}

QString Netzplattformumgebung::localHostName()
{
    return LocalHostName();
}

QString Netzplattformumgebung::lookupHostAddr(const QString& name)
{
    return meldungen() ? LookupHostAddr(name, [] { plattform::nachrichtenZulassen(); }) : LookupHostAddr(name);
}

bool RechnerInWG(const plattform::Netzressource* eltern, QStringList& clients)
{
    const auto lauf = plattform::installiert().netz
                          ? plattform::installiert().netz->oeffnen(plattform::Netzfrage::eigeneArbeitsgruppe,
                                                                    plattform::rtPlatte, eltern, {})
                          : nullptr;
    if (!lauf)
        return false;
    clients.clear();
    // One buffer's worth; what does not fit is not read.
    for (const plattform::Netzressource& r : lauf->lesen(0x4000).eintraege)
        clients.append(r.fernname);
    return true;
}

QStringList netzressourcenVom(quint32 anzeigetyp)
{
    QStringList liste;
    netinfo::netzressourcensuchen(plattform::rtAlle, anzeigetyp, liste, true);
    return liste;
}

void netzwerkberichtSchreiben(Berichtsziel& z, Netzberichtsumgebung& u)
{
    const auto zeile = [&z](const QString& t) { z.zeile(t); };
    const auto leer = [&z] { z.zeile(QString()); };
    const auto schritt = [&u] {
        if (u.meldungen())
            plattform::nachrichtenZulassen();
    };
    zeile(QStringLiteral("Netzwerkanalyse - Zembrola 3.1"));
    zeile(QString(19, u'='));
    leer();
    zeile(QStringLiteral("Erstellungsdatum:\t") + u.erstellungsdatum());
    leer();

    QStringList liste;
    system_a::ipadressen(liste);
    zeile(QStringLiteral("Lokaler Computer"));
    zeile(QString(20, u'-'));
    zeile(QStringLiteral("Benutzername  :\t") + system_a::benutzername());
    zeile(QStringLiteral("Computername: \t") + system_a::rechnername());
    zeile(QStringLiteral("Netzwerkadresse:\t") + liste.value(0));
    if (const QString maske = system_a::netzwerkmaske(); !maske.isEmpty())
        zeile(QStringLiteral("Netzwerkmaske:\t") + maske);
    leer();
    zeile(QStringLiteral("Netzinfomationen"));
    zeile(QString(22, u'-'));
    leer();
    liste = u.ressourcen(1);
    zeile(QStringLiteral("Arbeitsguppe:     \t") + liste.value(0));
    zeile(QStringLiteral("DHCP-Server    :\t") +
          system_a::regtext(QStringLiteral("SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters"), QStringLiteral("DhcpNameServer")));
    QStringList dns;
    iphlp::dnsliste(dns);
    for (const QString& server : dns)
        zeile(QStringLiteral("DNS-Server       :\t") + server);
    schritt();
    liste.clear();
    Sys_unit::wmiabfrage(QStringLiteral("Win32_NetworkAdapterConfiguration"), QStringLiteral("DefaultIPGateway"), liste, true);
    for (const QString& gateway : liste)
        zeile(QStringLiteral("Standardgateway:\t") + gateway);
    schritt();
    leer();

    QStringList clients;
    if (!u.rechnerInWG(clients)) {
        u.meldung(QStringLiteral("Kann die verfügbaren Netzwerk Resourcen nicht ermitteln!"));
        return;
    }
    const QString unterstriche(45, u'_');
    for (const QString& t : {QStringLiteral("Computer im Netzwerk"), QString(28, u'-'), QString(),
                             QStringLiteral("Computer          \tIP-Adresse"), unterstriche, QString()})
        zeile(t);
    const QString lokal = u.localHostName();
    for (qsizetype i = 1; i < clients.size(); ++i) {
        QString name = clients[i];
        for (int n = 0; n < 2 && name.startsWith(u'\\'); ++n)
            name.remove(0, 1);
        if (name != lokal)
            zeile(name + QStringLiteral("      \t") + u.lookupHostAddr(name));
    }
    for (const QString& t : {QString(), QStringLiteral("Freigabeliste"), QString(17, u'-'), QString(),
                             QStringLiteral("Computer          \tFreigabe"), unterstriche, QString()})
        zeile(t);
    for (qsizetype i = 1; i < clients.size(); ++i) {
        for (const QString& f : freigabenVon(u.ressourcen(3), clients[i]))
            zeile(clients[i] + QStringLiteral("      \t") + f);
        leer();
    }
}
