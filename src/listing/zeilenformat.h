#pragma once
// The file filter and the line formatter: which found files are listed, and how.
#include <QString>

#include <string>

#include "listing/suche.h"
#include "platform/plattform.h"
#include "text/zeittexte.h"

class Dateifilter {
public:
    explicit Dateifilter(const Suchkriterien& k);
    bool passt(quint32 attribute, qint64 schreibzeit, Ortszeit& ortszeit) const;

private:
    bool m_versteckt;
    bool m_alleDateien;
    quint32 m_attribute;
    bool m_datum;
    qint64 m_von;
    qint64 m_bis;
};

// "h", "s", "r", "a" in this order, each only when the file has the attribute.
QString attributbuchstaben(quint32 attribute);
void attributbuchstabenAnhaengen(std::string& ziel, quint32 attribute);

// Receives the files the walk finds; `verzeichnis` ends with its separator. The name's bytes
// in `d` live only during the call: copy them (QByteArray(p, n)) to keep them.
class Dateiempfaenger {
public:
    virtual ~Dateiempfaenger() = default;
    virtual void datei(const QString& verzeichnis, const plattform::Dateidaten& d) = 0;
    // Before the files of each readable directory: its path as shown and its path bytes, which
    // keep a name the shown form had to replace characters in.
    virtual void verzeichnisBetreten(const QString& anzeige, const QByteArray& roh) { (void)anzeige; (void)roh; }
};

class Zeilenformatierer : public Dateiempfaenger {
public:
    // `umgebung` gets the progress calls when `mitFortschritt` is set; it may be null otherwise.
    Zeilenformatierer(const Suchkriterien& k, const Ansicht& a, Suchzustand& zustand, Zeilensenke& liste,
                      const Zeitformate& formate, Suchumgebung* umgebung = nullptr, bool mitFortschritt = false);

    void datei(const QString& verzeichnis, const plattform::Dateidaten& d) override;
    // After the walk: the last, unfinished row of the multi-column view.
    void abschliessen();

private:
    void zeileSchreiben();

    Dateifilter m_filter;
    Ansicht m_ansicht;
    Suchzustand& m_z;
    Zeilensenke& m_liste;
    Datumstexte m_datum;
    Suchumgebung* m_umgebung;
    bool m_mitFortschritt;
    bool m_utf8;
    // Single-column lines are built as UTF-8 in a reused buffer: no allocation per file.
    std::string m_zeile;
    std::string m_verzeichnisUtf8;  // the current directory, for "Pfadangabe"
};
