#pragma once
// The search pattern and the separator rules of local and network roots.
#include <QString>

// Network roots (\\PC1\Daten) keep the Windows form with "\"; everything else is a native path.
QChar trennerVon(const QString& wurzel);

// The root with exactly one trailing separator ("/" stays "/").
QString mitTrenner(const QString& wurzel);

// Root, one separator, mask: "/home/anna" + "*.txt" gives "/home/anna/*.txt", "/" gives "/*.txt".
QString suchmuster(const QString& wurzel, const QString& maske);
