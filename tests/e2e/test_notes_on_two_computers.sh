#!/usr/bin/env bash
# Notes kept on two computers with Syncthing: two devices on this machine share two program
# folders, each with its own Zettly (own Wine prefix and screen). Changed on both sides while the
# link is paused, the files meet as one with every note once the link is back, and no conflict copy
# stays. Nextcloud's and Dropbox's copies placed by hand are merged and removed too; a user's own
# "notices (copy).msg" is left alone.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/sync_lib.sh"
e2e_begin
sync_need_syncthing
trap sync_cleanup EXIT

PROG_B="$E2E_DIR/progB"
mkdir -p "$PROG_B"
cp "$PROG/Zettly.exe" "$PROG_B/"
# put PATH TEXT...: a notes file of these notes, written by lib.sh's writer aside and renamed to
# PATH in one step, as an editor that saves safely and the sync programs do.
put() {
  local path=$1 text args=()
  shift
  for text in "$@"; do args+=("$text" "" 3000); done
  mkdir -p "$E2E_DIR/aside"
  PROG="$E2E_DIR/aside" e2e_write_notes "${args[@]}"
  mv "$E2E_DIR/aside/notices.msg" "$path"
}
contents() { tr -d '\r' <"$1" | sed -n 's/^Content=//p' | sort | tr '\n' '|'; }
copies_in() { ls "$1" | grep -E 'conflict' || true; }

KEY_A=key-a-$RANDOM$RANDOM KEY_B=key-b-$RANDOM$RANDOM
PORT_A=$(sync_free_port) PORT_B=$(sync_free_port) GUI_A=$(sync_free_port) GUI_B=$(sync_free_port)
ID_A=$(sync_generate "$E2E_DIR/st-a") ID_B=$(sync_generate "$E2E_DIR/st-b")
[ -n "$ID_A" ] && [ -n "$ID_B" ] || e2e_fail "syncthing generate gave no device id (harness)"
sync_configure "$E2E_DIR/st-a" "$ID_A" "$ID_B" "$PORT_A" "$PORT_B" "$GUI_A" "$KEY_A" "$PROG"
sync_configure "$E2E_DIR/st-b" "$ID_B" "$ID_A" "$PORT_B" "$PORT_A" "$GUI_B" "$KEY_B" "$PROG_B"
put "$PROG/notices.msg" Alpha
sync_start "$E2E_DIR/st-a"
sync_start "$E2E_DIR/st-b"
e2e_wait 60 sync_connected "$GUI_A" "$KEY_A" "$ID_B" || e2e_fail "the two Syncthing devices did not connect"
e2e_wait 40 cmp -s "$PROG/notices.msg" "$PROG_B/notices.msg" || e2e_fail "notices.msg did not reach the second folder"

second_prefix
second_display
e2e_start
(cd "$PROG_B" && DISPLAY=$SECOND_DISPLAY WINEPREFIX=$SECOND_PREFIX setsid wine explorer /desktop=shell,1024x768 Zettly.exe \
  </dev/null >"$E2E_DIR/wine-b.log" 2>&1 &)
DISPLAY=$SECOND_DISPLAY e2e_wait 60 e2e_note_window || e2e_fail "the second note window did not appear"

e2e_log "apart: a note on each computer"
sync_api "$GUI_A" "$KEY_A" POST "/rest/system/pause?device=$ID_B" >/dev/null
sync_api "$GUI_B" "$KEY_B" POST "/rest/system/pause?device=$ID_A" >/dev/null
e2e_wait 20 eval '! sync_connected "$GUI_A" "$KEY_A" "$ID_B"' || e2e_fail "pausing did not part the devices"
put "$PROG/notices.msg" Alpha "Bravo from A"
put "$PROG_B/notices.msg" Alpha "Charlie from B"
# Each side's own change is scanned before they meet (the call returns when the scan is done).
sync_api "$GUI_A" "$KEY_A" POST "/rest/db/scan?folder=zettly" >/dev/null
sync_api "$GUI_B" "$KEY_B" POST "/rest/db/scan?folder=zettly" >/dev/null
sync_api "$GUI_A" "$KEY_A" POST "/rest/system/resume?device=$ID_B" >/dev/null
sync_api "$GUI_B" "$KEY_B" POST "/rest/system/resume?device=$ID_A" >/dev/null

# Both files the same, holding every note once, no copy left, and both devices at rest.
in_step() {
  [ "$(contents "$PROG/notices.msg")" = "$1" ] && cmp -s "$PROG/notices.msg" "$PROG_B/notices.msg" &&
    [ -z "$(copies_in "$PROG")$(copies_in "$PROG_B")" ] &&
    sync_idle "$GUI_A" "$KEY_A" && sync_idle "$GUI_B" "$KEY_B"
}
all='Alpha|Bravo from A|Charlie from B|'
e2e_wait 40 in_step "$all" ||
  e2e_fail "after the link came back: A '$(contents "$PROG/notices.msg")', B '$(contents "$PROG_B/notices.msg")', copies '$(copies_in "$PROG") $(copies_in "$PROG_B")'"
# Scanned once more, nothing changes: no new conflict, no copy comes back.
sync_api "$GUI_A" "$KEY_A" POST "/rest/db/scan?folder=zettly" >/dev/null
sync_api "$GUI_B" "$KEY_B" POST "/rest/db/scan?folder=zettly" >/dev/null
e2e_wait 10 in_step "$all" || e2e_fail "the files did not stay in step"

e2e_log "copies left by Nextcloud and Dropbox, and a user's own copy"
put "$PROG/notices (conflicted copy 2026-12-08 101010).msg" "Delta from Nextcloud" Alpha
put "$PROG/notices (Jane's conflicted copy 2026-12-08 (1)).msg" "Echo from Dropbox"
put "$PROG/notices (copy).msg" Mine
all='Alpha|Bravo from A|Charlie from B|Delta from Nextcloud|Echo from Dropbox|'
e2e_wait 40 in_step "$all" || e2e_fail "the hand-made copies were not merged: A '$(contents "$PROG/notices.msg")', copies '$(copies_in "$PROG")'"
[ -f "$PROG/notices (copy).msg" ] && [ "$(contents "$PROG/notices (copy).msg")" = 'Mine|' ] ||
  e2e_fail "the user's own copy was touched"
e2e_wait 20 cmp -s "$PROG/notices (copy).msg" "$PROG_B/notices (copy).msg" || e2e_fail "the user's own copy did not travel as it is"
