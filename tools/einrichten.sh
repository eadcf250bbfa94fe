#!/usr/bin/env bash
# Installs what building, running and testing Zembrola needs on Debian 12, and only what is missing.
set -euo pipefail

pakete=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6opengl6-dev qt6-qpa-plugins
  libgtest-dev googletest
  fonts-liberation fontconfig
  xvfb xauth x11-utils imagemagick
  unrtf poppler-utils
  locales
  clang-14 libclang-rt-14-dev
  samba smbclient libsmbclient-dev wsdd avahi-daemon iproute2
)

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

# A German locale for running the program as a German user would; tests pass formats explicitly.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  su=""
  [ "$(id -u)" -ne 0 ] && su="sudo"
  $su sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null || true
  $su locale-gen >/dev/null 2>&1 || true
fi
exit 0
