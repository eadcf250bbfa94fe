#!/usr/bin/env bash
# The Debian package from this build: its file list, lintian, the desktop entry and AppStream
# validators; then installed with apt-get, the installed program's first start as an unprivileged
# user with an empty home, the command-line tool, its manual page; removed again.
# Aufruf: paket_test.sh BUILDORDNER     (77 = skipped)
set -euo pipefail
build=$(cd "$1" && pwd)
id=de.zembrola.Zembrola

uebersprungen() { echo "übersprungen: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || uebersprungen "installing a package needs root"
for w in dpkg dpkg-deb apt-get cpack lintian desktop-file-validate appstreamcli man setpriv; do
  command -v "$w" >/dev/null || uebersprungen "$w is missing"
done
# A Zembrola the machine's owner installed is not this test's to replace or remove.
if dpkg-query -W -f='${Status}' zembrola 2>/dev/null | grep -q "install ok installed"; then
  uebersprungen "zembrola is installed on this machine"
fi

tmp=$(mktemp -d)
zembrola_pid=""
# The program runs as a child of the backgrounded subshell, not as the subshell itself: both end.
beenden() {
  pkill -TERM -P "$1" 2>/dev/null || true
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
aufraeumen() {
  [ -n "$zembrola_pid" ] && beenden "$zembrola_pid"
  if dpkg-query -W -f='${Status}' zembrola 2>/dev/null | grep -q "install ok installed"; then
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq zembrola >/dev/null || true
  fi
  rm -rf "$tmp"
}
trap aufraeumen EXIT
fehler() { echo "FEHLER: $*" >&2; exit 1; }

# The package, from what the build already made; cpack's own work files go to the temporary folder.
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/paket" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fehler "cpack"; }
deb=$(ls "$tmp"/paket/zembrola_3.1-*_amd64.deb)

# Exactly these files, no more.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$tmp/dateien"
{
  printf '%s\n' /usr/bin/zembrola /usr/bin/zembrola-liste /usr/libexec/zembrola/zembrola-smbleser \
    /usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml \
    /usr/share/bash-completion/completions/zembrola-liste \
    /usr/share/doc/zembrola/copyright /usr/share/doc/zembrola/changelog.Debian.gz \
    /usr/share/man/man1/zembrola.1.gz /usr/share/man/man1/zembrola-liste.1.gz \
    /usr/share/icons/hicolor/scalable/apps/$id.svg
  for g in 16 22 24 32 48 64 128 256; do echo "/usr/share/icons/hicolor/${g}x${g}/apps/$id.png"; done
  (cd "$(dirname "$0")/../../help" && find . -type f | sed 's|^\.|/usr/share/zembrola/hilfe|')
} | sort >"$tmp/erwartet"
diff -u "$tmp/erwartet" "$tmp/dateien" || fehler "the package's file list differs (- expected, + in the package)"
# Servers are started by the tests only; the package must not pull one in.
if dpkg-deb -f "$deb" Depends Recommends | grep -Eq '\b(samba|wsdd|avahi-daemon|cups-daemon|cups)\b'; then
  fehler "a server package is a dependency: $(dpkg-deb -f "$deb" Depends Recommends)"
fi

lintian --tag-display-limit 0 "$deb" >"$tmp/lintian" 2>&1 || true
cat "$tmp/lintian"
! grep -q '^E:' "$tmp/lintian" || fehler "lintian reports errors"
dpkg-deb -x "$deb" "$tmp/inhalt"
desktop-file-validate "$tmp/inhalt/usr/share/applications/$id.desktop" || fehler "desktop-file-validate"
appstreamcli validate --no-net "$tmp/inhalt/usr/share/metainfo/$id.metainfo.xml" || fehler "appstreamcli validate"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$tmp/apt.log" 2>&1 \
  || { cat "$tmp/apt.log"; fehler "apt-get install"; }

# First start of the installed program as nobody with an empty home, and of a copy in a folder
# nobody can write, which keeps its settings beside itself: both default files must be the same.
als_nobody() { setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin LANG=C.UTF-8 \
  HOME="$tmp/home" QT_QPA_PLATFORM=offscreen "$@"; }
erster_start() {  # PROGRAMM DATEI: start, wait for DATEI to be written, end
  als_nobody "$1" >"$tmp/start.log" 2>&1 &
  zembrola_pid=$!
  for _ in $(seq 100); do
    [ -s "$2" ] && kill -0 "$zembrola_pid" 2>/dev/null && break
    kill -0 "$zembrola_pid" 2>/dev/null || { cat "$tmp/start.log"; fehler "$1 ended at its first start"; }
    sleep 0.1
  done
  sleep 0.5  # the file is written whole before the main window; a moment to show it ends cleanly
  beenden "$zembrola_pid"
  zembrola_pid=""
  [ -s "$2" ] || { cat "$tmp/start.log"; fehler "$1 wrote no $2"; }
}
mkdir -p "$tmp/home" "$tmp/tragbar"
chmod 755 "$tmp"; chown 65534:65534 "$tmp/home" "$tmp/tragbar"
cp /usr/bin/zembrola "$tmp/tragbar/"
erster_start /usr/bin/zembrola "$tmp/home/.config/zembrola/Zembrola.ini"
[ ! -e "$tmp/home/Zembrola.ini" ] || fehler "settings written into the home folder itself"
erster_start "$tmp/tragbar/zembrola" "$tmp/tragbar/Zembrola.ini"
head -c 36 "$tmp/tragbar/Zembrola.ini" | grep -q "^Zembrola 3 - Programmeinstellungen" || fehler "the portable default file is not the default file"
cmp "$tmp/tragbar/Zembrola.ini" "$tmp/home/.config/zembrola/Zembrola.ini" || fehler "~/.config/zembrola/Zembrola.ini is not the default file"

[ "$(als_nobody zembrola-liste --version)" = "zembrola-liste 3.1" ] || fehler "zembrola-liste --version: $(zembrola-liste --version)"
als_nobody man -P cat zembrola-liste 2>/dev/null | grep -q -- "--systemanalyse" || fehler "man zembrola-liste"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq zembrola >/dev/null || fehler "apt-get remove"
[ ! -e /usr/bin/zembrola ] || fehler "/usr/bin/zembrola is left after removal"
echo "Paket geprüft: $(basename "$deb")"
