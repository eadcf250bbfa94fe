#pragma once
// The private test LAN of netz_lan.sh, for tests that run the real network backend. Root only;
// `grund` says why it is not there. Torn down by the destructor.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <optional>

class NetzLan {
public:
    NetzLan();
    ~NetzLan();
    NetzLan(const NetzLan&) = delete;
    NetzLan& operator=(const NetzLan&) = delete;

    bool bereit() const { return m_bereit; }
    QString grund() const { return m_grund; }
    QString namensraum(const QString& rechner) const { return m_praefix + u'-' + rechner; }
    QString heim() const { return m_dir.path() + QStringLiteral("/cli"); }  // HOME of the client
    // The folder behind a server's share ("pc1", "Daten").
    QString ordner(const QString& rechner, const QString& freigabe) const
    {
        return m_dir.path() + u'/' + rechner + QStringLiteral("/f/") + freigabe;
    }
    // Kills every process called `programm` in the computer's namespace at once.
    void beenden(const QString& rechner, const QString& programm) const;

private:
    QTemporaryDir m_dir;
    QString m_praefix;
    bool m_bereit = false;
    QString m_grund;
};

// Runs `arbeit` in a child process inside the network namespace `namensraum` (empty: a fresh
// one with loopback only), with HOME set to `heim`, and returns its lines; none when the child
// failed or took longer than `grenzeMs`.
std::optional<QStringList> imNamensraum(const QString& namensraum, const QString& heim,
                                        const std::function<QStringList()>& arbeit, int grenzeMs = 20000);
