#!/usr/bin/env bash
# A private LAN of network namespaces for the network tests; nothing of it touches the machine's
# own network namespace.
#   netz_lan.sh auf PREFIX DIR   builds it and waits until every service answers
#   netz_lan.sh ab PREFIX        tears it down
# Namespaces: PREFIX-sw (bridge), PREFIX-cli 10.99.0.10, PREFIX-pc1 .11 (smbd, nmbd; shares Daten,
# Drucker, Musik, Privat (user anna, password geheim), C$, "Übung {1}"), PREFIX-pc2 .12 (smbd, wsdd, no NetBIOS; Archiv),
# PREFIX-pc3 .13 (avahi only). Workgroup ARBEITSGRUPPE.
set -u
befehl=$1 p=$2
rechner="cli pc1 pc2 pc3 sw"

ab() {
  local q=$1 n pids
  for n in $rechner; do
    pids=$(ip netns pids "$q-$n" 2>/dev/null)
    [ -n "$pids" ] && kill -TERM $pids 2>/dev/null
  done
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    pids=""
    for n in $rechner; do pids="$pids $(ip netns pids "$q-$n" 2>/dev/null)"; done
    [ -z "${pids// /}" ] && break
    sleep 0.1
  done
  for n in $rechner; do
    pids=$(ip netns pids "$q-$n" 2>/dev/null)
    [ -n "$pids" ] && kill -KILL $pids 2>/dev/null
    ip netns del "$q-$n" 2>/dev/null
  done
  return 0
}

if [ "$befehl" = ab ]; then ab "$p"; exit 0; fi

d=$3
# Guests are "nobody" on the servers: the share folders below must be reachable for it.
chmod 755 "$d"
# What a test run that died left behind: prefixes are zl<pid>.
for ns in $(ip netns list | awk '{print $1}' | grep -E '^zl[0-9]+-sw$'); do
  q=${ns%-sw}; pid=${q#zl}
  kill -0 "$pid" 2>/dev/null || ab "$q"
done

scheitern() { echo "netz_lan: $*" >&2; ab "$p"; exit 1; }
trap 'scheitern "interrupted"' INT TERM

ip netns add "$p-sw" || scheitern "no namespaces"
ip -n "$p-sw" link add br0 type bridge
ip -n "$p-sw" link set br0 type bridge mcast_snooping 0 stp_state 0 forward_delay 0
ip -n "$p-sw" link set br0 up
for h in cli:10 pc1:11 pc2:12 pc3:13; do
  n=${h%:*}
  ip netns add "$p-$n" || scheitern "namespace $n"
  ip -n "$p-sw" link add "v-$n" type veth peer name eth0 netns "$p-$n" || scheitern "veth $n"
  ip -n "$p-sw" link set "v-$n" master br0 up
  ip -n "$p-$n" link set lo up
  ip -n "$p-$n" addr add "10.99.0.${h#*:}/24" brd 10.99.0.255 dev eth0
  ip -n "$p-$n" link set eth0 up
done

server_conf() {  # name address netbios(yes/no)
  local n=$1 k=$d/$1
  mkdir -p "$k"/{run,lock,state,cache,private,ncalrpc,spool}
  cat > "$k/smb.conf" <<CONF
[global]
workgroup = ARBEITSGRUPPE
netbios name = ${n^^}
server role = standalone server
interfaces = $2/24
bind interfaces only = yes
map to guest = Bad User
server min protocol = SMB2_02
disable netbios = $3
pid directory = $k/run
lock directory = $k/lock
state directory = $k/state
cache directory = $k/cache
private dir = $k/private
ncalrpc dir = $k/ncalrpc
log file = $k/log.%m
printing = bsd
printcap name = $k/printcap
load printers = no
username map = $k/users.map
CONF
  echo "Drucker:" > "$k/printcap"
  : > "$k/users.map"
}
freigabe() {  # server name [extra lines]
  local k=$d/$1
  mkdir -p "$k/f/$2"
  printf '[%s]\npath = %s\n%s\n' "$2" "$k/f/$2" "${3:-guest ok = yes
read only = yes}" >> "$k/smb.conf"
}

server_conf pc1 10.99.0.11 no
freigabe pc1 Daten
freigabe pc1 Drucker "guest ok = yes
printable = yes"
freigabe pc1 Musik
freigabe pc1 Privat "guest ok = no
valid users = root
read only = no"
freigabe pc1 'C$'
freigabe pc1 'Übung {1}'
echo "Eine Datei" > "$d/pc1/f/Daten/a.txt"
# The user anna (password "geheim") is root on PC1; no account is added to the machine.
echo "root = anna" > "$d/pc1/users.map"
printf 'geheim\ngeheim\n' | smbpasswd -c "$d/pc1/smb.conf" -s -a root >/dev/null 2>&1 || scheitern "smbpasswd"
server_conf pc2 10.99.0.12 yes
freigabe pc2 Archiv

mkdir -p "$d/cli/.smb" "$d/cli/"{lock,state,cache,private,ncalrpc}
cat > "$d/cli/.smb/smb.conf" <<CONF
[global]
workgroup = ARBEITSGRUPPE
lock directory = $d/cli/lock
state directory = $d/cli/state
cache directory = $d/cli/cache
private dir = $d/cli/private
ncalrpc dir = $d/cli/ncalrpc
client min protocol = SMB2_02
CONF

mkdir -p "$d/pc3/services"
cat > "$d/pc3/avahi.conf" <<CONF
[server]
host-name=pc3
use-ipv4=yes
use-ipv6=no
allow-interfaces=eth0
enable-dbus=no
[wide-area]
enable-wide-area=no
[publish]
publish-addresses=yes
CONF
cat > "$d/pc3/services/smb.service" <<CONF
<?xml version="1.0" standalone='no'?>
<service-group><name>PC3</name><service><type>_smb._tcp</type><port>445</port></service></service-group>
CONF

starte() {  # namespace log command...
  local ns=$1 log=$2; shift 2
  setsid ip netns exec "$ns" "$@" </dev/null >"$log" 2>&1 &
}
starte "$p-pc1" "$d/pc1/smbd.out" smbd -F --no-process-group -s "$d/pc1/smb.conf"
starte "$p-pc1" "$d/pc1/nmbd.out" nmbd -F --no-process-group -s "$d/pc1/smb.conf"
starte "$p-pc2" "$d/pc2/smbd.out" smbd -F --no-process-group -s "$d/pc2/smb.conf"
starte "$p-pc2" "$d/pc2/wsdd.out" /usr/bin/python3 /usr/sbin/wsdd -i eth0 -4 -n PC2 -w ARBEITSGRUPPE \
  -U "$(cat /proc/sys/kernel/random/uuid)"
starte "$p-pc3" "$d/pc3/avahi.out" sh -c "mount -t tmpfs tmpfs /run && mkdir -p /run/avahi-daemon &&
  mount --bind '$d/pc3/services' /etc/avahi/services &&
  exec avahi-daemon -f '$d/pc3/avahi.conf' --no-drop-root --no-chroot --no-rlimits --no-proc-title"

im() { ip netns exec "$p-cli" "$@"; }
offen() { im timeout 1 bash -c "exec 3<>/dev/tcp/$1/$2" 2>/dev/null; }
bereit() {  # what, seconds, check...
  local was=$1 s=$2; shift 2
  for _ in $(seq $((s * 10))); do "$@" && return 0; sleep 0.1; done
  scheitern "$was did not come up"
}
bereit "smbd PC1" 10 offen 10.99.0.11 445
bereit "smbd PC2" 10 offen 10.99.0.12 445
bereit "wsdd PC2" 10 offen 10.99.0.12 5357
bereit "avahi PC3" 10 grep -q "successfully established" "$d/pc3/avahi.out"
bereit "nmbd PC1" 15 im env HOME="$d/cli" nmblookup -s "$d/cli/.smb/smb.conf" -B 10.99.0.255 ARBEITSGRUPPE >/dev/null 2>&1
# The first share listing starts samba-dcerpcd; later ones are fast.
for a in 10.99.0.11 10.99.0.12; do
  im env HOME="$d/cli" smbclient -s "$d/cli/.smb/smb.conf" -N -L "$a" >/dev/null 2>&1
done
exit 0
