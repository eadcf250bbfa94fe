#pragma once
// A network path in the form the program shows (\\PC1\Daten\Sub\x) taken apart, and put together
// again: the one place that knows where computer, share and the rest begin.
#include <QString>
#include <QStringList>

#include <optional>

namespace plattform {

struct Netzpfad {
    QString computer;  // "PC1"
    QString freigabe;  // "Daten"; empty when the path names a computer only
    QString rest;      // "Sub/x": '/'-separated, no leading or trailing separator

    // \\PC1\Daten\Sub\x → "PC1", "Daten", "Sub/x"; empty parts (doubled or trailing backslashes)
    // are skipped. None unless the path is a network path naming at least a computer.
    static std::optional<Netzpfad> lesen(const QString& pfad);

    // Whether a share can be asked for it: a computer and a share, and no part that is "." or
    // "..", holds a '/' or a NUL.
    bool vollstaendig() const;

    QString computerpfad() const { return QStringLiteral("\\\\") + computer; }  // \\PC1
    // \\PC1\Daten; \\PC1 without a share.
    QString freigabepfad() const { return freigabe.isEmpty() ? computerpfad() : computerpfad() + u'\\' + freigabe; }
    // The whole path in the shown form: \\PC1\Daten\Sub\x.
    QString text() const;
};

// The shares of `computer` ("\\PC1") among the network paths `freigaben`, each as the rest of its
// path ("\Daten"), in their order. Only the computer's own: \\PC10\X is not one of \\PC1's.
QStringList freigabenVon(const QStringList& freigaben, const QString& computer);

}  // namespace plattform
