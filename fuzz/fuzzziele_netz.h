#pragma once
// The discovery parsers under fuzzing: what a LAN host sends is untrusted. Shared with the
// corpus replay test, as fuzzziele.h is; each returns an empty string when all is well.
#include "platform/linux/netz/protokolle.h"

#include <QString>

#include <cstdint>

namespace fuzz {

inline QString nameFehler(const QString& was, const QString& n, bool leerErlaubt = true)
{
    using namespace plattform::erkundung;
    if (n.isEmpty() && !leerErlaubt)
        return was + QStringLiteral(" empty; ");
    if (n.size() > maxName || nameBereinigt(n) != n)
        return was + QStringLiteral(" not clean: ") + n + QStringLiteral("; ");
    return {};
}

inline QByteArray alsBytes(const uint8_t* d, size_t n)
{
    return QByteArray(reinterpret_cast<const char*>(d), qsizetype(n));
}

inline QString netbios(const uint8_t* d, size_t n)
{
    const auto a = plattform::erkundung::nbAntwortLesen(alsBytes(d, n));
    if (!a)
        return {};
    return nameFehler(QStringLiteral("computer"), a->computer) +
           nameFehler(QStringLiteral("workgroup"), a->arbeitsgruppe);
}

inline QString mdns(const uint8_t* d, size_t n)
{
    QStringList namen = plattform::erkundung::mdnsAntwortLesen(alsBytes(d, n));
    QString f;
    if (namen.size() > plattform::erkundung::maxEintraege)
        f += QStringLiteral("%1 names; ").arg(namen.size());
    if (namen.removeDuplicates() > 0)
        f += QStringLiteral("duplicate names; ");
    for (const QString& name : namen)
        f += nameFehler(QStringLiteral("name"), name, false);
    return f;
}

// First byte picks the parser: a discovery match, the computer of a Get response, an HTTP answer.
inline QString wsd(const uint8_t* d, size_t n)
{
    using namespace plattform::erkundung;
    if (n == 0)
        return {};
    const QByteArray b = alsBytes(d + 1, n - 1);
    QString f;
    switch (d[0] % 3) {
    case 0:
        if (const auto t = wsdTrefferLesen(b)) {
            if (t->xaddrs.size() > 8)
                f += QStringLiteral("%1 xaddrs; ").arg(t->xaddrs.size());
            if (t->messageId.isEmpty() || t->messageId.size() > 2048 || t->endpunkt.size() > 2048)
                f += QStringLiteral("id or endpoint out of bounds; ");
        }
        break;
    case 1:
        if (const auto c = wsdComputerLesen(b))
            f += nameFehler(QStringLiteral("computer"), c->name, false) +
                 nameFehler(QStringLiteral("workgroup"), c->arbeitsgruppe);
        break;
    default:
        if (const auto k = httpKoerper(b); k && k->size() > maxXml)
            f += QStringLiteral("body of %1 bytes; ").arg(k->size());
    }
    return f;
}

}  // namespace fuzz
