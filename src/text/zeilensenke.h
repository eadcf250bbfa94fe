#pragma once
#include <QString>
#include <QStringList>

// Where produced text goes, one line at a time: a pane, a file, a test's list, a counter.
class Zeilensenke {
public:
    virtual ~Zeilensenke() = default;
    virtual void zeile(const QString& text) = 0;

    // Sinks that write bytes can take a line that is already UTF-8 (no line end), which spares
    // the listing two conversions per file.
    virtual bool nimmtUtf8() const { return false; }
    virtual void zeileUtf8(const char* daten, qsizetype laenge) { zeile(QString::fromUtf8(daten, laenge)); }
};

// Collects the lines, for tests and for callers that want the text afterwards.
class Zeilensammler : public Zeilensenke {
public:
    void zeile(const QString& text) override { zeilen.append(text); }
    QStringList zeilen;
};

// A report's text area: lines are appended, and one step inserts a line before an earlier one.
class Berichtsziel {
public:
    virtual ~Berichtsziel() = default;
    virtual void zeile(const QString& text) = 0;
    virtual int zeilenzahl() const = 0;
    virtual void einfuegen(int vor, const QString& text) = 0;
};

class Berichtssammler : public Berichtsziel {
public:
    void zeile(const QString& text) override { zeilen.append(text); }
    int zeilenzahl() const override { return int(zeilen.size()); }
    void einfuegen(int vor, const QString& text) override { zeilen.insert(vor, text); }
    QStringList zeilen;
};
