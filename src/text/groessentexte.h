#pragma once
// Size and percent texts. Computed on integers so that rounding is exact (half away from zero)
// and no float formatting runs per listed file.
#include <QString>

#include <string>

// The five units of the listing: 0 Bytes .. 4 TBytes.
extern const char* const einheitenNamen[5];

// The listing's size field: 0 "Bytes" as an integer in 15 characters; 1..4 with three decimals
// in 15, 15, 12, 9 characters; decimal comma; never cut. With `mitEinheit` " KBytes" etc. follows.
void groessenfeldAnhaengen(std::string& ziel, qint64 bytes, int einheit, bool mitEinheit);
QString groessenfeld(qint64 bytes, int einheit, bool mitEinheit);

// The summary's automatic unit: "1023 Bytes", "     1,000 KByte" .. "TByte". With `komma` false
// the number keeps its "." (status bar).
QString groesseAutomatisch(qint64 bytes, bool komma = true);

// part * 100 / whole with two decimals in eight characters, decimal comma. A whole that is not
// above 0 (a drive that is not ready) gives "    0,00" instead of a division by zero or by -1.
QString prozenttext(qint64 teil, qint64 ganzes);
