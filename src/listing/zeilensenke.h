#pragma once
#include <QString>
#include <QStringList>

// Where produced text goes, one line at a time: a pane, a file, a test's list, a counter.
class Zeilensenke {
public:
    virtual ~Zeilensenke() = default;
    virtual void zeile(const QString& text) = 0;
};

// Collects the lines, for tests and for callers that want the text afterwards.
class Zeilensammler : public Zeilensenke {
public:
    void zeile(const QString& text) override { zeilen.append(text); }
    QStringList zeilen;
};
