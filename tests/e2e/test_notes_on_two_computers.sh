#!/usr/bin/env bash
# Notes kept on two computers with Syncthing: two devices on this machine share two program
# folders, each with its own Zettly (own Wine prefix and screen). A note made on one screen reaches
# the other's file and screen. Changed on both sides while the link is paused, the files meet as
# one once the link is back, no conflict copy stays, and both screens count the same: notes made
# on both are all kept; a note edited on one side is there once, its old text gone; one edited on
# both keeps both new texts; a note trashed on one side, and Trash all, stay so while the other
# side made a note. Nextcloud's and Dropbox's copies placed by hand are merged and removed too, and
# OneDrive's inside a OneDrive folder only; a user's own "notices (copy).msg" is left alone and
# stays on its computer.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
. "$(dirname "$0")/tray_menu.sh"
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
holds() { tr -d '\r' <"$1" | grep -qxF "Content=$2"; }
copies_in() { ls "$1" | grep -E 'conflict' || true; }
same_count() { [ "$(on_a count_signature)" = "$(on_b count_signature)" ]; }
count_changed() { [ "$(count_signature)" != "$1" ]; }

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

# Cycling off: each screen keeps the note it shows. A's program folder lies in a OneDrive folder
# (the environment names its parent), B's does not.
e2e_set_dword "$SETTINGS_KEY" On 0
second_prefix
second_display
export OneDrive
OneDrive=$(winepath -w "$E2E_DIR")
e2e_start
unset OneDrive
(cd "$PROG_B" && DISPLAY=$SECOND_DISPLAY WINEPREFIX=$SECOND_PREFIX setsid env -u OneDrive wine explorer \
  /desktop=shell,1024x768 Zettly.exe </dev/null >"$E2E_DIR/wine-b.log" 2>&1 &)
on_b e2e_wait 60 e2e_note_window || e2e_fail "the second note window did not appear"

# Both files the same, no copy left, and both devices at rest.
together() {
  cmp -s "$PROG/notices.msg" "$PROG_B/notices.msg" && [ -z "$(copies_in "$PROG")$(copies_in "$PROG_B")" ] &&
    sync_idle "$GUI_A" "$KEY_A" && sync_idle "$GUI_B" "$KEY_B"
}
# ... with every note once.
in_step() { [ "$(contents "$PROG/notices.msg")" = "$1" ] && together; }
state() {
  echo "A '$(contents "$PROG/notices.msg")', B '$(contents "$PROG_B/notices.msg")', copies '$(copies_in "$PROG") $(copies_in "$PROG_B")'"
}

e2e_log "linked: a note made on either screen reaches the other"
# live MAKER OTHER TEXT: the note made on screen MAKER is in OTHER's file and counted there.
live() {
  local was text=$3
  was=$($2 count_signature)
  $1 new_note "$text"
  e2e_wait 20 eval 'holds "$PROG/notices.msg" "$text" && holds "$PROG_B/notices.msg" "$text" && together' ||
    e2e_fail "'$3' made on ${1#on_} did not travel: $(state)"
  e2e_wait 10 $2 count_changed "$was" || e2e_fail "'$3' made on ${1#on_} reached the file, but ${2#on_}'s counter did not change"
  e2e_wait 5 same_count || e2e_fail "after '$3' made on ${1#on_}, the two screens count differently"
}
live on_a on_b "Delta made on A"
live on_b on_a "Echo made on B"

# apart: pauses the link both ways; rejoin: scans each side's own change (the call returns when
# the scan is done), then resumes it.
apart() {
  sync_api "$GUI_A" "$KEY_A" POST "/rest/system/pause?device=$ID_B" >/dev/null
  sync_api "$GUI_B" "$KEY_B" POST "/rest/system/pause?device=$ID_A" >/dev/null
  e2e_wait 20 eval '! sync_connected "$GUI_A" "$KEY_A" "$ID_B"' || e2e_fail "pausing did not part the devices"
}
rejoin() {
  sync_api "$GUI_A" "$KEY_A" POST "/rest/db/scan?folder=zettly" >/dev/null
  sync_api "$GUI_B" "$KEY_B" POST "/rest/db/scan?folder=zettly" >/dev/null
  sync_api "$GUI_A" "$KEY_A" POST "/rest/system/resume?device=$ID_B" >/dev/null
  sync_api "$GUI_B" "$KEY_B" POST "/rest/system/resume?device=$ID_A" >/dev/null
}

e2e_log "apart: a note on each computer"
apart
was=$(on_a count_signature)
put "$PROG/notices.msg" Alpha "Delta made on A" "Echo made on B" "Bravo from A"
put "$PROG_B/notices.msg" Alpha "Delta made on A" "Echo made on B" "Charlie from B"
rejoin
all='Alpha|Bravo from A|Charlie from B|Delta made on A|Echo made on B|'
e2e_wait 40 in_step "$all" || e2e_fail "after the link came back: $(state)"
e2e_wait 10 eval 'same_count && on_a count_changed "$was"' || e2e_fail "after the link came back, the two screens count differently or as before"
# Scanned once more, nothing changes: no new conflict, no copy comes back. A device announces
# what one scan found before what a later one found, and rests only with nothing left to fetch:
# once a file each side wrote after the scan is on the other side and both rest, whatever the
# scan found has crossed. (The program leaves such a file alone.)
sync_api "$GUI_A" "$KEY_A" POST "/rest/db/scan?folder=zettly" >/dev/null
sync_api "$GUI_B" "$KEY_B" POST "/rest/db/scan?folder=zettly" >/dev/null
put "$PROG/notices (after scan A).msg" "Scanned on A"
put "$PROG_B/notices (after scan B).msg" "Scanned on B"
sync_api "$GUI_A" "$KEY_A" POST "/rest/db/scan?folder=zettly" >/dev/null
sync_api "$GUI_B" "$KEY_B" POST "/rest/db/scan?folder=zettly" >/dev/null
crossed() {
  cmp -s "$PROG/notices (after scan A).msg" "$PROG_B/notices (after scan A).msg" &&
    cmp -s "$PROG/notices (after scan B).msg" "$PROG_B/notices (after scan B).msg" &&
    sync_idle "$GUI_A" "$KEY_A" && sync_idle "$GUI_B" "$KEY_B"
}
e2e_wait 40 crossed || e2e_fail "the files written after the scan did not cross: $(ls "$PROG" "$PROG_B" | tr '\n' ' ')"
in_step "$all" || e2e_fail "the files did not stay in step: $(state)"

e2e_log "copies left by Nextcloud and Dropbox, and a user's own copy"
put "$PROG/notices (conflicted copy 2026-12-08 101010).msg" "Delta from Nextcloud" Alpha
put "$PROG/notices (Jane's conflicted copy 2026-12-08 (1)).msg" "Echo from Dropbox"
put "$PROG/notices (copy).msg" Mine
all='Alpha|Bravo from A|Charlie from B|Delta from Nextcloud|Delta made on A|Echo from Dropbox|Echo made on B|'
e2e_wait 40 in_step "$all" || e2e_fail "the hand-made copies were not merged: A '$(contents "$PROG/notices.msg")', copies '$(copies_in "$PROG")'"
[ -f "$PROG/notices (copy).msg" ] && [ "$(contents "$PROG/notices (copy).msg")" = 'Mine|' ] ||
  e2e_fail "the user's own copy was touched"
[ ! -e "$PROG_B/notices (copy).msg" ] || e2e_fail "the ignore list carried the user's own copy to B"

notes_in() { tr -d '\r' <"$1" | grep -c '^Content='; }
times_in() { tr -d '\r' <"$1" | grep -cxF "Content=$2" || true; }
# The two files hold the text once each, and are together.
once() { [ "$(times_in "$PROG/notices.msg" "$1")" -eq 1 ] && together; }

# edit_note SCREEN FILE OLD NEW: on that screen, steps to the note whose text is OLD and changes
# it to NEW in the editor, as a person does: Ctrl+E, the note's text selected and typed over, Enter.
edit_note() {
  local screen=$1 file=$2 old=$3 new=$4 attempt caption k
  for attempt in $(seq 12); do
    $screen e2e_focus_note
    $screen e2e_key ctrl e
    $screen editor_wait '^Edit note'
    caption=$($screen xdotool getwindowname "$($screen editor_window '^Edit note')")
    k=${caption##* }
    if [ "$(tr -d '\r' <"$file" | sed -n "/^\[Note$k\]\$/,/^\[/s/^Content=//p" | head -1)" = "$old" ]; then
      $screen editor_click $EDITOR_NOTE
      $screen e2e_key ctrl a
      $screen e2e_type "$new"
      $screen e2e_key "" Return
      $screen editor_wait_gone
      e2e_wait 10 holds "$file" "$new" || e2e_fail "the edit to '$new' on ${screen#on_} did not reach its file"
      return 0
    fi
    $screen e2e_key "" Escape
    $screen editor_wait_gone
    $screen e2e_focus_note
    $screen e2e_key ctrl Right
  done
  e2e_fail "no note '$old' to edit on ${screen#on_}"
}

e2e_log "apart: a note edited on A, one made on B"
apart
edit_note on_a "$PROG/notices.msg" Alpha "Alpha edited on A"
on_b new_note "Golf made on B"
e2e_wait 10 holds "$PROG_B/notices.msg" "Golf made on B" || e2e_fail "the note made on B is not in B's file"
rejoin
e2e_wait 40 eval 'holds "$PROG/notices.msg" "Golf made on B" && once "Alpha edited on A"' || e2e_fail "after the edit on A: $(state)"
! holds "$PROG/notices.msg" Alpha || e2e_fail "the old text of the note edited on A came back: $(state)"
e2e_wait 10 same_count || e2e_fail "after the edit on A, the two screens count differently"

e2e_log "apart: the same note edited on both"
apart
edit_note on_a "$PROG/notices.msg" "Bravo from A" "Bravo edited on A"
edit_note on_b "$PROG_B/notices.msg" "Bravo from A" "Bravo edited on B"
rejoin
e2e_wait 40 eval 'once "Bravo edited on A" && once "Bravo edited on B"' || e2e_fail "after both edited one note: $(state)"
! holds "$PROG/notices.msg" "Bravo from A" || e2e_fail "the old text of the note edited on both came back: $(state)"
e2e_wait 10 same_count || e2e_fail "after both edited one note, the two screens count differently"

e2e_log "apart: a note trashed on A, one made on B"
apart
before=$(contents "$PROG/notices.msg")
n=$(notes_in "$PROG/notices.msg")
on_a e2e_focus_note
on_a e2e_key ctrl t
e2e_wait 10 eval '[ "$(notes_in "$PROG/notices.msg")" -eq $((n - 1)) ]' || e2e_fail "Ctrl+T on A did not take a note out of A's file"
trashed=$(comm -23 <(tr '|' '\n' <<<"$before" | grep .) <(contents "$PROG/notices.msg" | tr '|' '\n' | grep .))
on_b new_note "Foxtrot made on B"
e2e_wait 10 holds "$PROG_B/notices.msg" "Foxtrot made on B" || e2e_fail "the note made on B is not in B's file"
rejoin
e2e_wait 40 eval 'holds "$PROG/notices.msg" "Foxtrot made on B" && together' || e2e_fail "after the trash on A: $(state)"
! holds "$PROG/notices.msg" "$trashed" || e2e_fail "the note trashed on A ('$trashed') came back: $(state)"
e2e_wait 10 same_count || e2e_fail "after the trash on A, the two screens count differently"

e2e_log "apart: Trash all on A, a note made on B"
apart
on_a e2e_focus_note
on_a note_origin
on_a window_menu trash
on_a e2e_wait 10 window_named 'Delete all notes.' || e2e_fail "no question before Trash all on A"
on_a e2e_key "" y
e2e_wait 10 eval '[ "$(notes_in "$PROG/notices.msg")" -eq 0 ]' || e2e_fail "Trash all on A did not empty A's file"
on_b new_note "Hotel made on B"
e2e_wait 10 holds "$PROG_B/notices.msg" "Hotel made on B" || e2e_fail "the note made on B is not in B's file"
rejoin
e2e_wait 40 in_step 'Hotel made on B|' || e2e_fail "after Trash all on A: $(state)"
e2e_wait 10 same_count || e2e_fail "after Trash all on A, the two screens count differently"

e2e_log "OneDrive's copy: merged inside a OneDrive folder, left alone outside one"
put "$PROG/notices-LAPTOP.msg" "India from OneDrive"
put "$PROG_B/notices-LAPTOP.msg" "Juliet, B's own file"
e2e_wait 40 eval '[ ! -e "$PROG/notices-LAPTOP.msg" ] && in_step "Hotel made on B|India from OneDrive|"' ||
  e2e_fail "A did not merge OneDrive's copy: $(state), $(ls "$PROG")"
[ "$(contents "$PROG_B/notices-LAPTOP.msg")" = "Juliet, B's own file|" ] || e2e_fail "B took its own notices-LAPTOP.msg for a copy"
