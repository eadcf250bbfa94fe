#include "listing/suche.h"

#include "listing/suchmuster.h"
#include "listing/verzeichnislauf.h"
#include "listing/zeilenformat.h"
#include "platform/plattform.h"
#include "sysinfo/laufwerke/sys_unit_laufwerke.h"
#include "text/groessentexte.h"
#include "text/zeittexte.h"

QString suchverzeichnisText(const QString& wurzel, const QString& einhaengepunkt)
{
    if (plattform::pfadart(wurzel) == plattform::Pfadart::netzwerk)
        return wurzel;
    // The drive's root itself is shown as the separator, below it the mount point is removed.
    if (einhaengepunkt.isEmpty())
        return wurzel;
    if (wurzel == einhaengepunkt || wurzel == mitTrenner(einhaengepunkt))
        return QStringLiteral("/");
    const QString praefix = mitTrenner(einhaengepunkt);
    if (wurzel.startsWith(praefix))
        return wurzel.mid(praefix.size());
    return wurzel;
}

QList<double> tabstopsDerListe(int spalten)
{
    if (spalten > 1)
        return {150, 300, 450, 600, 750, 900};
    return {100, 200, 300, 400, 500, 600};
}

void starteSuche(const Suchkriterien& k, const Ansicht& ansicht, Suchzustand& z, Suchumgebung& u)
{
    z = Suchzustand{};
    u.panesLeeren();
    u.tabstopsZusammenfassung({100, 200, 300, 400, 500, 600});

    Zeilensenke& s = u.zusammenfassung();
    const Zeitformate formate = u.zeitformate();
    const Datumstexte texte(formate);

    s.zeile(k.netzwerk ? QStringLiteral("Suche im Netzwerk") : QStringLiteral("Suche in lokalen Laufwerken"));
    s.zeile(QString());
    const QDateTime t0 = u.jetzt();
    s.zeile(QStringLiteral("Beginn der Suche:      \t") + texte.datumZeit(t0));
    s.zeile(QString());

    qint64 gesamt = -1;
    if (!k.netzwerk) {
        u.statusfeld(StatusLaufwerkText, QStringLiteral("Laufwerk:"));
        u.statusfeld(StatusGroesseText, QStringLiteral("Größe:"));
        u.statusfeld(StatusFreiText, QStringLiteral("davon frei"));
        u.tabstopsListe(tabstopsDerListe(ansicht.spalten));

        const QChar lw = plattform::laufwerke().laufwerkVon(k.verzeichnis).toUpper();
        const QString buchstabe = lw.isNull() ? QString() : QString(lw);
        const int index = lw.isNull() ? -1 : lw.unicode() - 'A';
        u.statusfeld(StatusLaufwerk, buchstabe);
        s.zeile(QStringLiteral("Laufwerk:\t") + buchstabe);
        s.zeile(QString());

        const bool bereit = index >= 0 && Sys_unit::datentraegerda(buchstabe);
        gesamt = index >= 0 ? Sys_unit::laufwerksgroesse(index + 1) : -1;
        if (bereit && gesamt > 0)
            s.zeile(QStringLiteral("Bezeichnung:\t") + Sys_unit::laufwerksname(lw));

        const QString typ =
            index >= 0 ? Sys_unit::laufwerkstyp(index) : QStringLiteral("Laufwerk existiert nicht");
        if (typ == QLatin1String("Wechselmedium") && (lw == QLatin1Char('A') || lw == QLatin1Char('B')))
            s.zeile(QStringLiteral("Laufwerkstyp:\tDiskettenlaufwerk"));
        else
            s.zeile(QStringLiteral("Laufwerkstyp:\t") + typ);

        if (gesamt < 0) {
            u.statusfeld(StatusGroesse, QStringLiteral("nicht bereit"));
        } else {
            u.statusfeld(StatusGroesse, groesseAutomatisch(gesamt, false) + QLatin1Char(' '));
            s.zeile(QStringLiteral("Gesamtgröße:\t") + groesseAutomatisch(gesamt));
            const qint64 frei = Sys_unit::laufwerksfrei(index + 1);
            u.statusfeld(StatusFrei, groesseAutomatisch(frei, false) + QLatin1Char(' '));
            s.zeile(QStringLiteral("- davon frei:\t") + groesseAutomatisch(frei) + QLatin1Char('\t') +
                    prozenttext(frei, gesamt) + QStringLiteral(" %"));
            const qint64 belegt = gesamt - frei;
            s.zeile(QStringLiteral("- davon belegt:\t") + groesseAutomatisch(belegt) + QLatin1Char('\t') +
                    prozenttext(belegt, gesamt) + QStringLiteral(" %"));
        }
    } else {
        u.statusfeld(StatusLaufwerkText, QStringLiteral("Computer:"));
        s.zeile(QStringLiteral("Computer:\t") + k.computer);
        s.zeile(QStringLiteral("Freigabe:\t") + k.freigabe);
        u.statusfeld(StatusGroesseText, QStringLiteral("Freigabe:"));
        u.statusfeld(StatusFreiText, QString());
        u.statusfeld(StatusFrei, QString());
        u.statusfeld(StatusLaufwerk, k.computer);
        u.statusfeld(StatusGroesse, k.freigabe);
        // Network searches set the tab stops too, so a listing never inherits the last view's.
        u.tabstopsListe(tabstopsDerListe(ansicht.spalten));
    }

    u.statusfeld(StatusMuster, suchmuster(k.verzeichnis, k.maske));
    s.zeile(QString());

    QString einhaengepunkt;
    if (!k.netzwerk) {
        const QChar lw = plattform::laufwerke().laufwerkVon(k.verzeichnis);
        if (!lw.isNull())
            einhaengepunkt = plattform::laufwerke().wurzel(lw);
    }
    const QString ja = QStringLiteral("ja"), nein = QStringLiteral("nein");
    s.zeile(QStringLiteral("Suchverzeichnis:\t") + suchverzeichnisText(k.verzeichnis, einhaengepunkt));
    s.zeile(QStringLiteral("Suchmaske:\t") + k.maske);
    s.zeile(QStringLiteral("Unterverzeichnisse:\t") + (k.unterverzeichnisse ? ja : nein));
    s.zeile(QStringLiteral("Versteckte Dateien:\t") + (k.versteckt ? ja : nein));
    QString attribute;
    if (k.alleDateien) {
        attribute = QStringLiteral("alle Dateien");
    } else {
        QStringList namen;
        if (k.archiviert)
            namen << QStringLiteral("archiviert");
        if (k.nurLesen)
            namen << QStringLiteral("nur lesen");
        if (k.system)
            namen << QStringLiteral("System");
        attribute = namen.join(QStringLiteral(", "));
    }
    s.zeile(QStringLiteral("Attribute:         \t") + attribute);

    const bool mitFenster = u.meldungsfenster();
    if (mitFenster)
        u.wartenZeigen(QStringLiteral("Verzeichnis \"") + k.verzeichnis + QLatin1Char('"'),
                       QStringLiteral("wird durchsucht ...."), QStringLiteral("          0"));

    {
        Zeilenformatierer formatierer(k, ansicht, z, u.liste(), formate, &u, mitFenster);
        const Laufauftrag auftrag = laufauftragVon(k);
        std::function<bool()> abgebrochen;
        std::function<void()> zwischendurch;
        if (mitFenster) {
            abgebrochen = [&u] { return u.abbruch(); };
            zwischendurch = [&u] { u.zwischendurch(); };
        }
        verzeichnislauf(auftrag, z, formatierer, abgebrochen, zwischendurch);
        formatierer.abschliessen();
    }

    if (mitFenster)
        u.wartenSchliessen();

    s.zeile(QString());
    if (z.durchsuchteVerzeichnisse == 1)
        s.zeile(QStringLiteral("Durchsucht:        \t1 Verzeichnis"));
    else
        s.zeile(QStringLiteral("Durchsucht:    \t") + QString::number(z.durchsuchteVerzeichnisse) +
                QStringLiteral(" Verzeichnisse"));
    const QString in = z.gefundeneVerzeichnisse == 1
                           ? QStringLiteral("einem Verzeichnis")
                           : QString::number(z.gefundeneVerzeichnisse) + QStringLiteral(" Verzeichnissen");
    s.zeile(QStringLiteral("gefundene Dateien:    \t") + QString::number(z.gefundeneDateien) +
            QStringLiteral(" in ") + in);
    if (!k.netzwerk)
        s.zeile(QStringLiteral("Belegter Speicher:\t") + groesseAutomatisch(z.gefundeneGroesse) + QLatin1Char('\t') +
                prozenttext(z.gefundeneGroesse, gesamt) + QStringLiteral(" % der gesamten Laufwerksgröße"));
    else
        s.zeile(QStringLiteral("Belegter Speicher:\t") + groesseAutomatisch(z.gefundeneGroesse));
    s.zeile(QString());

    const QDateTime t1 = u.jetzt();
    s.zeile(QString());
    s.zeile(QStringLiteral("Ende der Suche:      \t") + texte.datumZeit(t1));
    s.zeile(QStringLiteral("Dauer der Suche:      \t") + texte.dauer(t0.msecsTo(t1)));
}
