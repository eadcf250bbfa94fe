#pragma once
// A line sink that writes UTF-8 through a large buffer: the command-line tool's standard output
// and its text files. One fwrite per megabyte instead of one flush per line.
#include <QIODevice>
#include <QString>

#include <cstdio>
#include <vector>

#include "text/zeilensenke.h"

class Utf8Senke : public Zeilensenke {
public:
    // Line ends LF, or CR LF for text files as the program saves them.
    Utf8Senke(std::FILE* ziel, bool crlf = false);
    Utf8Senke(QIODevice* ziel, bool crlf = false);
    ~Utf8Senke() override;

    void zeile(const QString& text) override;
    bool nimmtUtf8() const override { return true; }
    void zeileUtf8(const char* daten, qsizetype laenge) override;
    // Writes what is buffered; false once any write has failed.
    bool leeren();
    bool fehlerfrei() const { return !m_fehler; }

private:
    void schreiben();

    std::FILE* m_datei = nullptr;
    QIODevice* m_geraet = nullptr;
    bool m_crlf;
    bool m_fehler = false;
    std::vector<char> m_puffer;
    size_t m_fuellung = 0;
};

// Appends the UTF-8 form of `text` at `ziel` (room for 3 bytes per UTF-16 unit needed);
// returns the end. Lone surrogates become U+FFFD.
char* utf8Schreiben(char* ziel, QStringView text);
