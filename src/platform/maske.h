#pragma once
// File-name masks with the Windows rules: case-insensitive (simple case folding), '*' any run,
// '?' exactly one character. "*" and "*.*" match every name, also names without a dot; a mask
// ending in ".*" also matches names without a dot ("bericht.*" finds "bericht"); a mask ending in
// "." matches only names with no further dot ("*." finds names without an extension). The empty
// mask matches nothing, as an empty file part finds nothing on Windows. There are no 8.3 names.
#include <QString>
#include <QVarLengthArray>

#include <string>

namespace plattform {

class Maske {
public:
    explicit Maske(const QString& maske);

    // True for "*", "*.*" and the like: every name matches, so callers may skip decoding.
    bool allesPasst() const { return m_art == Art::alles; }

    bool passt(const QString& name) const;
    // Matches a raw UTF-8 name; invalid bytes count as U+FFFD, as QString::fromUtf8 shows them.
    // Reuses internal buffers, so one Maske must not be shared between threads.
    bool passtRoh(const char* bytes, qsizetype laenge) const;

private:
    enum class Art { nichts, alles, muster };

    bool pruefe(const std::u32string& name) const;

    Art m_art = Art::nichts;
    std::u32string m_muster;     // folded
    std::u32string m_ohneEnde;   // the mask without its trailing ".*" or "."
    int m_punkteOhneEnde = 0;    // literal dots in m_ohneEnde
    bool m_sternEnde = false;    // mask ended in ".*"
    bool m_punktEnde = false;    // mask ended in "."

    mutable std::u32string m_name;
    mutable QVarLengthArray<QChar, 256> m_utf16;
};

bool maskePasst(const QString& maske, const QString& name);

}  // namespace plattform
