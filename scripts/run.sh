#!/usr/bin/env bash
# Builds everything and starts the program against a simulated peer on this machine.
#
#   scripts/run.sh            the simulated management server with the sample scenario; log in as admin / admin
#   scripts/run.sh --direct   one simulated NE in direct mode; log in as qurim with the community private
#
# The program runs in build/run/, which holds Tarvik.ini, the definition files and the splash picture copied from
# resources/; the login dialog comes up with the peer's address and port filled in. The peer stops when the program
# ends.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

mode=server
case "${1:-}" in
"") ;;
--direct) mode=direct ;;
-h | --help)
    sed -n '2,9p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
    exit 0
    ;;
*)
    echo "usage: scripts/run.sh [--direct]" >&2
    exit 2
    ;;
esac

cd "$root"
scripts/setup.sh

# display_problem: why the program could not open its windows here; nothing when it can.
display_problem() {
    if [[ -n "${QT_QPA_PLATFORM:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
        return 0
    fi
    if [[ -z "${DISPLAY:-}" ]]; then
        echo "No display: the program opens windows, and DISPLAY is not set."
    elif command -v xdpyinfo >/dev/null && ! xdpyinfo >/dev/null 2>&1; then
        echo "The display $DISPLAY does not answer: the program could not open its windows there."
    fi
}

problem="$(display_problem)"
if [[ -n "$problem" ]]; then
    echo
    echo "$problem"
    echo "Run this from a desktop session, or under a virtual display (installed with the other packages):"
    echo "    xvfb-run -a -s '-screen 0 1280x800x24' scripts/run.sh${1:+ $1}"
    exit 1
fi

# The program and the two simulated peers; the tests build into the same tree when scripts/test.sh runs.
scripts/check_disk.sh 2 build || exit 1
scripts/build.sh build -- tarvik tarvik-sim-server tarvik-ne-agent

run="$root/build/run"
mkdir -p "$run"
rm -rf "$run/EntConf" "$run/Map" "$run/Icon" "$run/Logo" "$run/Sound"
cp -r resources/EntConf resources/Map resources/Sound "$run/"
mkdir -p "$run/Logo"
cp resources/Logo/Logo.dat "$run/Logo/"
cp -r resources/icons "$run/Icon"
# A first run gets the default settings with the program's toolbar and list icons configured, and the sample alarm
# sound as the sound's file (it plays once ALARM/BEEP names a severity).
if [[ ! -f "$run/Tarvik.ini" ]]; then
    awk '/^[ \t]*\[/ { skip = ($0 ~ /^[ \t]*\[(TOOLICON|LISTICON)\]/) } !skip { print }' resources/Tarvik.ini |
        sed 's/^BEEPFILE=$/BEEPFILE=.\\Sound\\Alarm.wav/' >"$run/Tarvik.ini"
    grep -v '^;' resources/icons/icons.ini >>"$run/Tarvik.ini"
fi

# set_key <section> <key> <value>: sets one key of build/run/Tarvik.ini, adding it (and its section) when missing.
set_key() {
    local file="$run/Tarvik.ini" tmp="$run/Tarvik.ini.tmp"
    awk -v section="$1" -v key="$2" -v value="$3" '
        function flush() { if (inside && !done) { print key "=" value; done = 1 } }
        /^[ \t]*\[/ {
            flush()
            name = $0; gsub(/^[ \t]*\[|\][ \t\r]*$/, "", name)
            inside = (toupper(name) == toupper(section)); print; next
        }
        inside && !done {
            line = $0; sub(/^[ \t]+/, "", line)
            split(line, parts, "="); k = parts[1]; gsub(/[ \t]+$/, "", k)
            if (toupper(k) == toupper(key) && index(line, "=") > 0) { print key "=" value; done = 1; next }
        }
        { print }
        END { if (!done) { if (!inside) print "[" section "]"; print key "=" value } }
    ' "$file" >"$tmp"
    mv "$tmp" "$file"
}

# start_peer <log> <command...>: starts a simulated peer in the background (its id in $peer).
start_peer() {
    local log="$1"
    shift
    "$@" >"$log" 2>&1 &
    peer=$!
}

# peer_port <log> [pid]: the port the peer (by default $peer) serves, once it says so.
peer_port() {
    local log="$1" pid="${2:-$peer}"
    for _ in $(seq 100); do
        if grep -qs '^listening on ' "$log"; then
            sed -n 's/^listening on .*:\([0-9]*\)$/\1/p' "$log" | head -1
            return 0
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "the simulated peer did not start:" >&2
    cat "$log" >&2
    return 1
}

# free_udp_port: a UDP port that nothing has bound, below the range the system hands out for outgoing sockets (the
# trap port of this run, so that two runs on one machine do not take each other's traps).
free_udp_port() {
    local port
    for _ in $(seq 200); do
        port=$((20000 + RANDOM % 12000))
        if [[ -z "$(ss -Huan "sport = :$port")" ]]; then
            echo "$port"
            return 0
        fi
    done
    echo "no free UDP port found" >&2
    return 1
}

# start_ftp <address>: the FTP server of the simulated NE at <address> (sim/ftp/, on loopback), its area
# build/run/ftp/<address> laid out as the NE's disks when new: two firmware partitions, the configuration drive with
# a configuration and its MD5 side file, the SHDSL drive. The port it serves goes into UPGRADE/FTPPORT.
start_ftp() {
    local address="$1" area="$run/ftp/$1"
    if [[ ! -d "$area" ]]; then
        mkdir -p "$area/Partition 1" "$area/Partition 2" "$area/cfg:" "$area/shdsl:"
        printf 'hostname %s\r\ninterface uplink\r\n vlan 100\r\n' "$address" >"$area/cfg:/default.cfg"
        md5sum <"$area/cfg:/default.cfg" | cut -c1-32 | tr -d '\n' >"$area/cfg:/default.md5"
    fi
    sim/ftp/tarvik_ftp_peer.py --root "$run/ftp" --ne "$address:qurim:qurim" --port 0 --exit-with-parent \
        >"$run/ftp.log" 2>&1 &
    ftp=$!
    local port
    port=$(peer_port "$run/ftp.log" "$ftp")
    set_key UPGRADE FTPPORT "$port"
    echo "The NE at $address has its FTP server on loopback (user qurim, password qurim), its area $area."
}

peer=""
ftp=""
program=""
# Each is ended whether or not the one before was still there (Ctrl+C reaches them all at once): a failed kill would
# end the trap under `set -e` with the wrong status and leave the rest running.
cleanup() {
    local pid
    for pid in "$program" "$peer" "$ftp"; do
        [[ -n "$pid" ]] && { kill "$pid" 2>/dev/null || true; }
    done
    return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

if [[ "$mode" == server ]]; then
    # The lab NE of the sample world has its FTP server; the server reports the firmware that lands there.
    start_ftp 127.0.50.10
    args=(build/sim/tarvik-sim-server --port 0 --bind 127.0.0.1 --ftp-root "$run/ftp")
    [[ -f resources/sim/server_scenario.ini ]] && args+=(--scenario resources/sim/server_scenario.ini)
    start_peer "$run/sim-server.log" "${args[@]}"
    port=$(peer_port "$run/sim-server.log")
    set_key SYSTEM DIRECTCONTROL 0
    set_key SYSTEM SERVERIP 127.0.0.1
    set_key SYSTEM USERNAME admin
    set_key LINK SERVERPORT "$port"
    echo "Simulated management server on 127.0.0.1:$port. Log in as admin with the password admin."
else
    trap_port=$(free_udp_port)
    start_ftp 127.0.0.1
    args=(build/sim/tarvik-ne-agent --port 0 --bind 127.0.0.1 --trap-to "127.0.0.1:$trap_port")
    [[ -f resources/sim/ne_agent_scenario.ini ]] && args+=(--scenario resources/sim/ne_agent_scenario.ini)
    start_peer "$run/ne-agent.log" "${args[@]}"
    port=$(peer_port "$run/ne-agent.log")
    set_key SYSTEM DIRECTCONTROL 1
    set_key SYSTEM SERVERIP 127.0.0.1
    set_key SYSTEM USERNAME qurim
    set_key LINK SNMPPORT "$port"
    set_key LINK SNMPTRAPPORT "$trap_port"
    echo "Simulated NE on 127.0.0.1:$port. Log in as qurim with the community private."
fi

cd "$run"
# In the background, so that a signal to this script ends the program and the peer with it.
"$root/build/app/tarvik" &
program=$!
status=0
wait "$program" || status=$?
program=""
exit "$status"
