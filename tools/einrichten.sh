#!/usr/bin/env bash
# Installs what building and running Zembrola needs on Debian 12, and only what is missing.
# With --test also the servers and tools the tests use (make test calls it so), with --fuzz also
# what the fuzz build needs (make fuzz), with --bench what the benchmark needs (make bench).
#
# The test servers (Samba, wsdd, Avahi, CUPS) must not run as system services: the tests start their
# own instances in their own network namespaces. So no service may start while apt-get installs them,
# and the ones this run installed are disabled afterwards.
set -euo pipefail

pakete=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6opengl6-dev qt6-qpa-plugins qt6-translations-l10n
  libgtest-dev googletest
  fonts-liberation fontconfig
  xvfb xauth x11-utils
  libcups2-dev libsmbclient-dev libxcb-randr0-dev
  locales
)
# Only the tests need these. The servers among them are started by the tests in namespaces.
testpakete=(
  samba samba-common-bin smbclient wsdd avahi-daemon cups-daemon cups-client iproute2
  imagemagick unrtf poppler-utils time fuse3 python3-fusepy
  dpkg-dev lintian desktop-file-utils appstream man-db
)
# Their system services, disabled when this run installed the package.
declare -A dienste=(
  [samba]="smbd nmbd samba-ad-dc" [wsdd]="wsdd" [avahi-daemon]="avahi-daemon.socket avahi-daemon"
  [cups-daemon]="cups.socket cups.path cups"
)
# Only the benchmark opens the exported page, in Debian's Chromium (make bench).
benchpakete=(
  chromium time python3
)
# Only the libFuzzer build compiles with clang.
fuzzpakete=(
  clang-14 libclang-rt-14-dev
)
case "${1:-}" in
  "") ;;
  --test) pakete+=("${testpakete[@]}") ;;
  --fuzz) pakete+=("${fuzzpakete[@]}") ;;
  --bench) pakete+=("${benchpakete[@]}") ;;
  *) echo "Aufruf: $0 [--test|--fuzz|--bench]" >&2; exit 2 ;;
esac

su=""
[ "$(id -u)" -ne 0 ] && su="sudo"

fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done

if [ ${#fehlend[@]} -gt 0 ]; then
  echo "Installiere: ${fehlend[*]}"
  # A policy-rc.d that answers 101 keeps invoke-rc.d and deb-systemd-invoke from starting any service
  # during the installation. One that is already there belongs to the machine and stays.
  eigene_policy=""
  if [ ! -e /usr/sbin/policy-rc.d ]; then
    printf '#!/bin/sh\nexit 101\n' | $su tee /usr/sbin/policy-rc.d >/dev/null
    $su chmod 755 /usr/sbin/policy-rc.d
    eigene_policy=1
  fi
  trap '[ -n "$eigene_policy" ] && $su rm -f /usr/sbin/policy-rc.d' EXIT
  $su apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $su apt-get install -y -qq --no-install-recommends "${fehlend[@]}"
  [ -n "$eigene_policy" ] && $su rm -f /usr/sbin/policy-rc.d
  eigene_policy=""

  # Services of packages installed just now: not enabled for the next boot and stopped if running.
  # A server that was there before is left as the machine's owner set it up.
  for p in "${fehlend[@]}"; do
    for d in ${dienste[$p]:-}; do
      if [ -d /run/systemd/system ]; then
        $su systemctl disable --now "$d" >/dev/null 2>&1 || true
      else
        # No systemd running (a container): drop the unit's and the init script's boot links, and
        # stop what an init script may have started anyway.
        command -v systemctl >/dev/null && { $su systemctl disable "$d" >/dev/null 2>&1 || true; }
        if [ -x "/etc/init.d/$d" ]; then
          $su update-rc.d "$d" disable >/dev/null 2>&1 || true
          $su "/etc/init.d/$d" stop >/dev/null 2>&1 || true
        fi
      fi
    done
  done
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
