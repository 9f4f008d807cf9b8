# Helpers for notes kept on two computers: two Syncthing devices on this machine, linked over
# 127.0.0.1 only (no discovery, relays, NAT, usage reports or upgrades), each started with its own
# --home and ended by its process id; a second Zettly with its own Wine prefix and X display; and
# notes made and counted on either screen.
# Sourced after lib.sh, note_window.sh and editor.sh.

SYNC_PIDS=""
SECOND_XVFB_PID=""
SECOND_PREFIX=""

# Installs Syncthing when it is missing; a machine that cannot install it skips the scenario.
sync_need_syncthing() {
  command -v syncthing >/dev/null 2>&1 && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=300 install -y -q \
    --no-install-recommends syncthing >/dev/null 2>&1 || true
  if ! command -v syncthing >/dev/null 2>&1; then
    e2e_log "SKIPPED: Syncthing is not installed and could not be installed (apt-get install syncthing)"
    exit 77
  fi
}

# A free TCP port on 127.0.0.1.
sync_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

# Makes a device's keys in its home; prints its device id.
sync_generate() {
  STNODEFAULTFOLDER=1 syncthing generate --home="$1" --no-default-folder 2>&1 | sed -n 's/.*Device ID: *//p'
}

# sync_configure HOME OWN_ID PEER_ID OWN_PORT PEER_PORT GUI_PORT API_KEY FOLDER
# The folder "zettly" is shared with the peer, whose address is given; only notices.msg and
# Syncthing's conflict copies of it travel, a change within about a second (fsWatcherDelayS).
sync_configure() {
  local home=$1 own=$2 peer=$3 port=$4 peer_port=$5 gui=$6 key=$7 folder=$8
  mkdir -p "$folder/.stfolder"
  # The README's list, and the scenario's own markers that show a scan has crossed.
  printf '%s\n' '!/notices.msg' '!/notices.sync-conflict-*.msg' '!/notices (after scan *).msg' '*' >"$folder/.stignore"
  cat >"$home/config.xml" <<XML
<configuration version="36">
    <folder id="zettly" label="zettly" path="$folder" type="sendreceive" rescanIntervalS="2" fsWatcherEnabled="true" fsWatcherDelayS="1">
        <filesystemType>basic</filesystemType>
        <device id="$own"></device>
        <device id="$peer"></device>
        <maxConflicts>10</maxConflicts>
        <markerName>.stfolder</markerName>
    </folder>
    <device id="$own" name="self"><address>dynamic</address></device>
    <device id="$peer" name="peer"><address>tcp://127.0.0.1:$peer_port</address></device>
    <gui enabled="true" tls="false"><address>127.0.0.1:$gui</address><apikey>$key</apikey></gui>
    <options>
        <listenAddress>tcp://127.0.0.1:$port</listenAddress>
        <globalAnnounceEnabled>false</globalAnnounceEnabled>
        <localAnnounceEnabled>false</localAnnounceEnabled>
        <relaysEnabled>false</relaysEnabled>
        <natEnabled>false</natEnabled>
        <urAccepted>-1</urAccepted>
        <autoUpgradeIntervalH>0</autoUpgradeIntervalH>
        <startBrowser>false</startBrowser>
        <crashReportingEnabled>false</crashReportingEnabled>
        <stunKeepaliveStartS>0</stunKeepaliveStartS>
        <reconnectionIntervalS>1</reconnectionIntervalS>
    </options>
</configuration>
XML
}

sync_start() {
  STNOUPGRADE=1 STNODEFAULTFOLDER=1 STNORESTART=1 setsid syncthing serve --home="$1" --no-browser \
    --no-restart --no-upgrade --logfile="$1/log.txt" </dev/null >"$1/out.txt" 2>&1 &
  SYNC_PIDS="$SYNC_PIDS $!"
}

# sync_api GUI_PORT API_KEY METHOD PATH: the REST answer on stdout.
sync_api() {
  python3 - "$@" <<'PY'
import sys, urllib.request
port, key, method, path = sys.argv[1:5]
req = urllib.request.Request(f"http://127.0.0.1:{port}{path}", method=method, headers={"X-API-Key": key})
sys.stdout.write(urllib.request.urlopen(req, timeout=5).read().decode())
PY
}

# True when the device at GUI_PORT is connected to PEER_ID.
sync_connected() {
  sync_api "$1" "$2" GET /rest/system/connections |
    python3 -c 'import json,sys; sys.exit(0 if json.load(sys.stdin)["connections"].get(sys.argv[1],{}).get("connected") else 1)' "$3"
}

# True when the device's folder is idle and needs nothing from its peer.
sync_idle() {
  sync_api "$1" "$2" GET /rest/db/status?folder=zettly |
    python3 -c 'import json,sys; s=json.load(sys.stdin); sys.exit(0 if s["state"]=="idle" and s["needTotalItems"]==0 else 1)'
}

# A second Wine prefix from the first: hard links for the files Wine only reads, real copies of
# the registry it writes.
second_prefix() {
  SECOND_PREFIX="$E2E_DIR/prefix2"
  cp -al "$WINEPREFIX" "$SECOND_PREFIX"
  local reg
  for reg in "$SECOND_PREFIX"/*.reg; do
    rm -f "$reg"
    cp "$WINEPREFIX/$(basename "$reg")" "$reg"
  done
}

# A second X server, started as ./zettly starts its own; sets SECOND_DISPLAY and leaves DISPLAY.
second_display() {
  . "$(dirname "${BASH_SOURCE[0]}")/../../launch/xvfb.sh"
  local first=$DISPLAY
  xvfb_start || e2e_fail "could not start a second Xvfb (harness)"
  SECOND_XVFB_PID=$XVFB_PID SECOND_DISPLAY=$DISPLAY
  export DISPLAY=$first
}

# Ends what this file started, each by its own id, then lib.sh's cleanup.
sync_cleanup() {
  local rc=$? pid
  for pid in $SYNC_PIDS; do kill "$pid" 2>/dev/null || true; done
  if [ -n "$SECOND_PREFIX" ]; then
    WINEPREFIX=$SECOND_PREFIX wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$SECOND_PREFIX wineserver -w >/dev/null 2>&1 || true
  fi
  [ -n "$SECOND_XVFB_PID" ] && kill "$SECOND_XVFB_PID" 2>/dev/null || true
  for pid in $SYNC_PIDS; do
    e2e_wait 10 eval '! e2e_alive '"$pid" || kill -KILL "$pid" 2>/dev/null || true
  done
  (exit $rc)
  e2e_cleanup
}

# Runs a command against one computer's screen: A's is the first display, B's the second.
on_a() { "$@"; }
on_b() { DISPLAY=$SECOND_DISPLAY "$@"; }

# A note made as a person makes it, on the screen it runs against: Ctrl+N, its text, Enter.
new_note() {
  e2e_focus_note
  e2e_key ctrl n
  editor_wait '^Create new note$'
  e2e_type "$1"
  e2e_key "" Return
  editor_wait_gone
}

# What the note window's counter shows of the number of notes: the part right of its slash (with
# one-digit numbers it stays in place whichever note is shown).
count_signature() {
  note_origin
  area_signature $((NX + 169)) $((NY + 153)) 19 13
}
