#!/usr/bin/env bash
# A private LAN of network namespaces for the network tests; nothing of it touches the machine's
# own network namespace.
#   netz_lan.sh auf PREFIX DIR   builds it and waits until every service answers
#   netz_lan.sh ab PREFIX        tears it down
# Namespaces: PREFIX-sw (bridge), PREFIX-cli 10.99.0.10, PREFIX-pc1 .11 (smbd, nmbd; shares Daten,
# Drucker, Musik, Privat (user anna, password geheim), C$, "Übung {1}"), PREFIX-pc2 .12 (smbd, wsdd, no NetBIOS; Archiv),
# PREFIX-pc3 .13 (avahi only), PREFIX-pc4 .14 (smbd announced by avahi only; Frei4), PREFIX-pc5 .15
# (smbd for SMB1 only, nmbd, workgroup BUERO; Alt), PREFIX-pc6 .16 (answers mDNS, its TCP goes
# nowhere), PREFIX-pc7 .17 (answers mDNS, accepts port 445 and never says a word). Workgroup ARBEITSGRUPPE.
set -u
befehl=$1 p=$2
rechner="cli pc1 pc2 pc3 pc4 pc5 pc6 pc7 sw"

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
for h in cli:10 pc1:11 pc2:12 pc3:13 pc4:14 pc5:15 pc6:16 pc7:17; do
  n=${h%:*}
  ip netns add "$p-$n" || scheitern "namespace $n"
  ip -n "$p-sw" link add "v-$n" type veth peer name eth0 netns "$p-$n" || scheitern "veth $n"
  ip -n "$p-sw" link set "v-$n" master br0 up
  ip -n "$p-$n" link set lo up
  ip -n "$p-$n" addr add "10.99.0.${h#*:}/24" brd 10.99.0.255 dev eth0
  ip -n "$p-$n" link set eth0 up
done

server_conf() {  # name address disable-netbios(yes/no) [workgroup] [lowest protocol] [highest protocol]
  local n=$1 k=$d/$1
  mkdir -p "$k"/{run,lock,state,cache,private,ncalrpc,spool}
  cat > "$k/smb.conf" <<CONF
[global]
workgroup = ${4:-ARBEITSGRUPPE}
netbios name = ${n^^}
server role = standalone server
interfaces = $2/24
bind interfaces only = yes
map to guest = Bad User
server min protocol = ${5:-SMB2_02}
server max protocol = ${6:-SMB3}
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
server_conf pc4 10.99.0.14 yes
freigabe pc4 Frei4
echo "Frei" > "$d/pc4/f/Frei4/frei.txt"
# Debian 12's Samba still serves SMB1 when asked to; our client speaks SMB2 and up only.
server_conf pc5 10.99.0.15 no BUERO NT1 NT1
freigabe pc5 Alt

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

avahi_conf() {  # name
  mkdir -p "$d/$1/services"
  cat > "$d/$1/avahi.conf" <<CONF
[server]
host-name=$1
use-ipv4=yes
use-ipv6=no
allow-interfaces=eth0
enable-dbus=no
[wide-area]
enable-wide-area=no
[publish]
publish-addresses=yes
CONF
  cat > "$d/$1/services/smb.service" <<CONF
<?xml version="1.0" standalone='no'?>
<service-group><name>${1^^}</name><service><type>_smb._tcp</type><port>445</port></service></service-group>
CONF
}
avahi_conf pc3
avahi_conf pc4

# A host that only answers mDNS for _smb._tcp (name, own address); with "stumm" it also accepts
# port 445 and never answers there.
cat > "$d/antworter.py" <<'PY'
import socket, struct, sys, threading
name, adresse = sys.argv[1], sys.argv[2]
if len(sys.argv) > 3:
    t = socket.socket()
    t.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    t.bind((adresse, 445))
    t.listen(64)
    offen = []
    def annehmen():
        while True:
            offen.append(t.accept()[0])
    threading.Thread(target=annehmen, daemon=True).start()
def dn(*l):
    return b''.join(bytes([len(x)]) + x.encode() for x in l) + b'\0'
ptr = dn(name, '_smb', '_tcp', 'local')
antwort = struct.pack('>6H', 0, 0x8400, 0, 1, 0, 0) + dn('_smb', '_tcp', 'local') + struct.pack('>HHIH', 12, 1, 120, len(ptr)) + ptr
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(('', 5353))
s.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, socket.inet_aton('224.0.0.251') + socket.inet_aton(adresse))
print('bereit', flush=True)
while True:
    d, von = s.recvfrom(9000)
    if len(d) > 12 and not d[2] & 0x80 and b'\x04_smb\x04_tcp' in d:
        s.sendto(antwort, von)
PY
# PC6: whatever TCP it would send goes nowhere, so a connect to it neither succeeds nor fails.
ip -n "$p-pc6" rule add ipproto tcp blackhole || scheitern "blackhole rule"

starte() {  # namespace log command...
  local ns=$1 log=$2; shift 2
  setsid ip netns exec "$ns" "$@" </dev/null >"$log" 2>&1 &
}
starte "$p-pc1" "$d/pc1/smbd.out" smbd -F --no-process-group -s "$d/pc1/smb.conf"
starte "$p-pc1" "$d/pc1/nmbd.out" nmbd -F --no-process-group -s "$d/pc1/smb.conf"
starte "$p-pc2" "$d/pc2/smbd.out" smbd -F --no-process-group -s "$d/pc2/smb.conf"
starte "$p-pc2" "$d/pc2/wsdd.out" /usr/bin/python3 /usr/sbin/wsdd -i eth0 -4 -n PC2 -w ARBEITSGRUPPE \
  -U "$(cat /proc/sys/kernel/random/uuid)"
starte "$p-pc4" "$d/pc4/smbd.out" smbd -F --no-process-group -s "$d/pc4/smb.conf"
starte "$p-pc5" "$d/pc5/smbd.out" smbd -F --no-process-group -s "$d/pc5/smb.conf"
starte "$p-pc5" "$d/pc5/nmbd.out" nmbd -F --no-process-group -s "$d/pc5/smb.conf"
for n in pc3 pc4; do
  starte "$p-$n" "$d/$n/avahi.out" sh -c "mount -t tmpfs tmpfs /run && mkdir -p /run/avahi-daemon &&
    mount --bind '$d/$n/services' /etc/avahi/services &&
    exec avahi-daemon -f '$d/$n/avahi.conf' --no-drop-root --no-chroot --no-rlimits --no-proc-title"
done
mkdir -p "$d/pc6" "$d/pc7"
starte "$p-pc6" "$d/pc6/antworter.out" /usr/bin/python3 "$d/antworter.py" PC6 10.99.0.16
starte "$p-pc7" "$d/pc7/antworter.out" /usr/bin/python3 "$d/antworter.py" PC7 10.99.0.17 stumm

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
bereit "smbd PC4" 10 offen 10.99.0.14 445
bereit "smbd PC5" 10 offen 10.99.0.15 445
bereit "PC7" 10 offen 10.99.0.17 445
bereit "PC6" 10 grep -q bereit "$d/pc6/antworter.out"
bereit "avahi PC3" 10 grep -q "successfully established" "$d/pc3/avahi.out"
bereit "avahi PC4" 10 grep -q "successfully established" "$d/pc4/avahi.out"
bereit "nmbd PC1" 15 im env HOME="$d/cli" nmblookup -s "$d/cli/.smb/smb.conf" -B 10.99.0.255 ARBEITSGRUPPE >/dev/null 2>&1
bereit "nmbd PC5" 15 im env HOME="$d/cli" nmblookup -s "$d/cli/.smb/smb.conf" -B 10.99.0.255 BUERO >/dev/null 2>&1
# The first share listing starts samba-dcerpcd; later ones are fast. Each server its own, at once.
warm=()
for a in 10.99.0.11 10.99.0.12 10.99.0.14; do
  im env HOME="$d/cli" smbclient -s "$d/cli/.smb/smb.conf" -N -L "$a" >/dev/null 2>&1 &
  warm+=($!)
done
wait "${warm[@]}"
exit 0
