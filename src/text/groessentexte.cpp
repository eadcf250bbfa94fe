#include "text/groessentexte.h"

const char* const einheitenNamen[5] = {"Bytes", "KBytes", "MBytes", "GBytes", "TBytes"};

namespace {

__extension__ typedef __int128 gross;

constexpr int feldbreiten[5] = {15, 15, 12, 9, 6};

// Writes |zaehler / nenner| rounded to `stellen` decimals (half away from zero), blank-padded to
// `breite`, backwards from `ende`. Returns the start. nenner > 0.
template <class Z> char* festkommaMit(char* ende, Z zaehler, Z nenner, int stellen, int breite, char komma)
{
    const bool negativ = zaehler < 0;
    if (negativ)
        zaehler = -zaehler;
    Z skala = 1;
    for (int i = 0; i < stellen; ++i)
        skala *= 10;
    Z q = (zaehler * skala * 2 + nenner) / (nenner * 2);

    char* p = ende;
    for (int i = 0; i < stellen; ++i) {
        *--p = char('0' + int(q % 10));
        q /= 10;
    }
    if (stellen > 0)
        *--p = komma;
    do {
        *--p = char('0' + int(q % 10));
        q /= 10;
    } while (q != 0);
    if (negativ)
        *--p = '-';
    while (ende - p < breite)
        *--p = ' ';
    return p;
}

char* festkomma(char* ende, gross zaehler, gross nenner, int stellen, int breite, char komma)
{
    // 64 bits hold every size below a petabyte; the wide division is much slower.
    constexpr gross grenze = static_cast<gross>(1) << 50;
    if (zaehler < grenze && zaehler > -grenze && nenner < grenze)
        return festkommaMit<qint64>(ende, static_cast<qint64>(zaehler), static_cast<qint64>(nenner), stellen, breite,
                                    komma);
    return festkommaMit<gross>(ende, zaehler, nenner, stellen, breite, komma);
}

}  // namespace

void groessenfeldAnhaengen(std::string& ziel, qint64 bytes, int einheit, bool mitEinheit)
{
    if (einheit < 0 || einheit > 4)
        return;
    char puffer[64];
    char* ende = puffer + sizeof puffer;
    const gross nenner = static_cast<gross>(1) << (10 * einheit);
    const char* anfang = festkomma(ende, bytes, nenner, einheit == 0 ? 0 : 3, feldbreiten[einheit], ',');
    ziel.append(anfang, static_cast<size_t>(ende - anfang));
    if (mitEinheit) {
        ziel += ' ';
        ziel += einheitenNamen[einheit];
    }
}

QString groessenfeld(qint64 bytes, int einheit, bool mitEinheit)
{
    std::string s;
    groessenfeldAnhaengen(s, bytes, einheit, mitEinheit);
    return QString::fromStdString(s);
}

QString groesseAutomatisch(qint64 bytes, bool komma)
{
    static const char* const namen[] = {"KByte", "MByte", "GByte", "TByte"};
    if (bytes < 1024)
        return QString::number(bytes) + QLatin1String(" Bytes");
    int stufe = 0;
    while (stufe < 3 && bytes >= (static_cast<qint64>(1) << (10 * (stufe + 2))))
        ++stufe;
    char puffer[64];
    char* ende = puffer + sizeof puffer;
    const char* anfang = festkomma(ende, bytes, static_cast<gross>(1) << (10 * (stufe + 1)), 3, 10, komma ? ',' : '.');
    return QLatin1String(anfang, ende - anfang) + QLatin1Char(' ') + QLatin1String(namen[stufe]);
}

QString prozenttext(qint64 teil, qint64 ganzes)
{
    char puffer[64];
    char* ende = puffer + sizeof puffer;
    const char* anfang = ganzes > 0 ? festkomma(ende, static_cast<gross>(teil) * 100, ganzes, 2, 8, ',')
                                    : festkomma(ende, 0, 1, 2, 8, ',');
    return QString(QLatin1String(anfang, ende - anfang));
}
