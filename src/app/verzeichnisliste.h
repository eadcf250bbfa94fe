#pragma once
// The directory list: the chain from the root of the drive (or share) down to the current
// directory, then that directory's subdirectories. A single click opens an entry. The process's
// working directory always follows the current directory.
#include <QListWidget>
#include <QString>

class TDirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TDirectoryListBox(QWidget* parent = nullptr);

    QString verzeichnis() const { return m_verzeichnis; }
    // Makes `pfad` the current directory. On failure the error is shown, the list keeps its
    // directory, and false is returned.
    bool setzeVerzeichnis(const QString& pfad);
    // Reads the subdirectories again.
    void aktualisieren();

    // Root of the drive or share that holds `pfad` ("/", "/media/usb", "\\PC1\Daten").
    static QString wurzelVon(const QString& pfad);

signals:
    // Every change of the current directory, whatever caused it.
    void verzeichnisGeaendert(const QString& verzeichnis);

private:
    void DirectoryListBox1Click(QListWidgetItem* eintrag);
    void aufbauen();

    QString m_verzeichnis;
};
