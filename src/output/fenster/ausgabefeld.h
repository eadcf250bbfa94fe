#pragma once
// The rich-text pane of the main window (listing and summary) and of the report windows.
// Built on QPlainTextEdit, which lays out lazily and keeps a million lines affordable,
// while its document still keeps character formats.
#include <QPlainTextEdit>
#include <QStringList>

#include "listing/zeilensenke.h"

class Ausgabefeld : public QPlainTextEdit, public Zeilensenke {
    Q_OBJECT
public:
    explicit Ausgabefeld(QWidget* parent = nullptr);

    // Lines are buffered and appended in batches; the pane ends up as if each had been appended alone.
    void zeile(const QString& text) override;
    void puffernLeeren();
    int gepufferteZeilen() const { return static_cast<int>(m_puffer.size()); }

    void leeren();
    // Tab stops in points from the left margin.
    void setzeTabstops(const QList<double>& punkte);
    QList<double> tabstops() const { return m_tabstops; }

private:
    QStringList m_puffer;
    QList<double> m_tabstops;
    bool m_angehaengt = false;
};
