#!/usr/bin/env bash
# Installs what building, running and testing Zembrola needs on Debian 12, and only what is missing.
# With --fuzz also what the fuzz build needs (make fuzz calls it so).
set -euo pipefail

pakete=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6opengl6-dev qt6-qpa-plugins qt6-translations-l10n
  libgtest-dev googletest
  fonts-liberation fontconfig
  xvfb xauth x11-utils imagemagick
  unrtf poppler-utils time
  libcups2-dev cups-daemon cups-client libxcb-randr0-dev
  samba smbclient libsmbclient-dev wsdd avahi-daemon iproute2
  locales
  fuse3 python3-fusepy
)
# Only the libFuzzer build compiles with clang.
fuzzpakete=(
  clang-14 libclang-rt-14-dev
)
case "${1:-}" in
  "") ;;
  --fuzz) pakete+=("${fuzzpakete[@]}") ;;
  *) echo "Aufruf: $0 [--fuzz]" >&2; exit 2 ;;
esac

fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done

if [ ${#fehlend[@]} -gt 0 ]; then
  echo "Installiere: ${fehlend[*]}"
  su=""
  [ "$(id -u)" -ne 0 ] && su="sudo"
  $su apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $su apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
fi

# A German locale for running the program as a German user would. No test needs it (they pass
# formats explicitly), so a failure here is a warning, but one that shows.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  su=""
  [ "$(id -u)" -ne 0 ] && su="sudo"
  if ! $su sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen; then
    echo "Warnung: /etc/locale.gen ließ sich nicht ändern." >&2
  fi
  if ! ausgabe=$($su locale-gen 2>&1); then
    echo "Warnung: locale-gen ist fehlgeschlagen:" >&2
    echo "$ausgabe" >&2
  fi
  if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
    echo "Warnung: die Locale de_DE.UTF-8 fehlt." >&2
  fi
fi
exit 0
