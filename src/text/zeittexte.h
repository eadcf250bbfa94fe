#pragma once
// Date and time texts: file dates, a header's start and end, a duration.
#include <QDate>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Date and time formats of the user's locale (LC_TIME), in QDateTime's notation.
struct Zeitformate {
    QString kurzesDatum = QStringLiteral("dd.MM.yyyy");
    QString langeZeit = QStringLiteral("HH:mm:ss");
    static Zeitformate ausSystem();
};

// strftime notation (nl_langinfo's D_FMT, T_FMT) in QDateTime's notation: "%d.%m.%Y" -> "dd.MM.yyyy".
QString strftimeNachQt(const QString& format);

// Local wall-clock time of UTC seconds. The offset is cached per UTC day and checked at both
// ends of that day, so a day with a clock change is converted file by file instead.
class Ortszeit {
public:
    // Seconds since 1970-01-01 00:00 of the local clock.
    qint64 lokal(qint64 utc);
    // Julian day of the local calendar day.
    qint64 tag(qint64 utc);

private:
    struct Eintrag {
        qint64 tag = INT64_MIN;
        qint32 versatz = 0;
        bool gleichmaessig = false;
    };
    std::array<Eintrag, 8192> m_cache{};  // 22 years of days
};

// Formats dates and times with the user's formats. Dates are cached per local day and the
// common "HH:mm:ss" is written by hand, which keeps a million file dates cheap.
class Datumstexte {
public:
    explicit Datumstexte(const Zeitformate& formate);

    // A file's last-write time through the two-second steps of the packed DOS form;
    // at exactly midnight the date alone. Appended as UTF-8.
    void dateidatumAnhaengen(std::string& ziel, qint64 utc);
    QString dateidatum(qint64 utc);

    // A point in time of the header: date, a blank and time; the date alone at midnight.
    QString datumZeit(const QDateTime& zeitpunkt) const;

    // Duration as a time of day in the long time format, a comma and the hundredths: 00:00:03,45.
    QString dauer(qint64 millisekunden) const;

    Ortszeit& ortszeit() { return m_ortszeit; }

private:
    void zeitAnhaengen(std::string& ziel, int sekundeDesTages) const;
    QString zeittext(int sekundeDesTages) const;
    std::string datumText(qint64 julianischerTag) const;

    Zeitformate m_formate;
    bool m_zeitVonHand = false;
    Ortszeit m_ortszeit;
    // Per UTC day: its offset and the texts of the (at most two) local days it touches. One table
    // for both, so a file's date costs one cache miss; short texts stay inside the entry.
    struct Tag {
        qint64 utcTag = INT64_MIN;
        qint64 ersterOrtstag = 0;
        qint32 versatz = 0;
        bool gleichmaessig = false;
        std::string text[2];
    };
    std::vector<Tag> m_tage;
};
