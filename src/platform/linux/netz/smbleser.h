#pragma once
// Reading share directories in helper processes (zembrola-smbleser). libsmbclient can serve only
// one call at a time per process (see smbSperre), so a walk's read-ahead threads would wait on
// each other and on every network round trip; each helper is a process of its own with its own
// connection, so several directories are in flight at once.
#include "platform/anmeldung.h"
#include "platform/plattform.h"

#include <QByteArray>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

extern "C" {
typedef struct _SMBCCTX SMBCCTX;
}

namespace plattform::smbleser {

// What a helper does with a directory: read it, only open it (can it be made current?), or
// tell its identity (one entry "." with the inode).
enum class Art : quint8 { lesen = 'L', pruefen = 'P', kennung = 'K' };

// One directory to read. The credentials are those kept for the share, if any.
struct Auftrag {
    QByteArray url;  // smb://ADDRESS/share/path, percent-encoded
    qint32 zeitMs = 3000;
    bool nurVerzeichnisse = false;
    std::optional<Anmeldung> anmeldung;
    Art art = Art::lesen;
};

// A context as every reader uses it: SMB2_02 to SMB3, the timeout, guest, then Kerberos with
// fallback, credentials from `anmeldung`. None when the library refuses.
using Anmeldefunktion = void (*)(SMBCCTX*, const char*, const char*, char*, int, char*, int, char*, int);
SMBCCTX* kontextAnlegen(int zeitMs, Anmeldefunktion anmeldung, void* nutzerdaten);

// Fills libsmbclient's credential buffers (user, password; the workgroup only when given).
void anmeldungEintragen(const Anmeldung& a, char* wg, int wglen, char* un, int unlen, char* pw, int pwlen);

// Reads the directory on `ctx` into `aus` (geraet left 0; inode for directories where the server
// gives one): 0, or the errno of the failure. "." and "..", and names holding a backslash, are
// left out. The caller holds smbSperre when it shares the process with other threads.
int verzeichnisLesen(SMBCCTX* ctx, const char* url, bool nurVerzeichnisse, std::vector<Dateidaten>& aus);

// One request on `ctx`, as a helper serves it: reads the directory into `aus`, only opens it, or
// appends one entry "." with its inode. 0, or the errno.
int ausfuehren(SMBCCTX* ctx, const Auftrag& auftrag, std::vector<Dateidaten>& aus);

// The request in a helper process: none when no helper can be used (then the caller does it in
// its own process), else 0 or the errno. A helper that does not answer within `geduld` of silence
// is killed and the request fails with ETIMEDOUT. A helper that is alive but still waits on the
// server after a second is asked about by `lebt` (every two seconds): false, and it is killed
// and the request fails with EHOSTUNREACH; a server whose link went down otherwise costs
// libsmbclient's timeouts several times over.
std::optional<int> imHelfer(const Auftrag& auftrag, std::vector<Dateidaten>& aus, std::chrono::milliseconds geduld,
                            const std::function<bool()>& lebt = {});

// The helper's side: serves requests on standard input and output until end of input.
int helferHauptschleife();

// The frames both sides exchange, apart for the tests and the fuzzing of the reader.
QByteArray auftragKodieren(const Auftrag& a);
std::optional<Auftrag> auftragLesen(const QByteArray& rahmen);
// Answers come as entry frames ('E', at most this many entries each) and one final frame ('F').
constexpr int eintraegeJeRahmen = 512;
QByteArray eintraegeKodieren(const Dateidaten* von, size_t anzahl);
QByteArray schlussKodieren(int fehler);
// Appends the entries of an 'E' frame, or gives the errno of an 'F' frame; false when the frame
// is malformed.
bool antwortLesen(const QByteArray& rahmen, std::vector<Dateidaten>& aus, std::optional<int>& schluss);
// Largest frame either side accepts.
constexpr quint32 groessterRahmen = 16u << 20;

}  // namespace plattform::smbleser
