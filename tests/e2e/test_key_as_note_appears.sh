#!/usr/bin/env bash
# The first second, at 200 % on a Linux desktop with a notification area: a shortcut pressed the
# instant the note window appears reaches the program, start after start, while the icon docks and
# the window manager hands out the focus. Ctrl+N must open an editor that takes the keys (the text
# typed arrives), Ctrl+X must end the program.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
. "$(dirname "$0")/wm.sh"

STARTS=${STARTS:-6}
set_dpi() {
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}
notes_hold() { e2e_notes | grep -qx "$1"; }
# The window manager's keyboard focus is on a window of ours (it may stay on the note: the keys
# still go where the program sends them).
focus_ours() { local f; f=$(wm_focus_window) && { [ "$f" = "$(editor_window '^Create new note$')" ] || [ "$f" = "$(e2e_note_window)" ]; }; }

# Starts the program and presses Ctrl+$1 as soon as the note window is on the screen.
start_and_press() {
  (cd "$PROG" && setsid wine Zettly.exe </dev/null >>"$E2E_DIR/wine.log" 2>&1 &)
  local deadline=$((SECONDS + 60))
  until e2e_note_window >/dev/null; do
    [ $SECONDS -lt $deadline ] || e2e_fail "start $start: the note window did not appear"
  done
  xdotool keydown ctrl key "$1" keyup ctrl
}

wm_begin --tray
# The other scenarios run in the same prefix at its own scale, whatever happens here.
e2e_keep_value 'HKCU\Control Panel\Desktop' LogPixels
trap 'e2e_restore_then wm_cleanup' EXIT
set_dpi 192 || e2e_fail "could not set the prefix's scale to 192 DPI (harness)"
e2e_write_notes 'Alpha' '' 4000
e2e_set_dword "$SETTINGS_KEY" On 0

for start in $(seq 1 "$STARTS"); do
  if [ $((start % 2)) -eq 1 ]; then
    start_and_press n
    editor_wait '^Create new note$'
    e2e_wait 15 focus_ours || e2e_fail "start $start: the keyboard focus left the program for $(wm_focus_window)"
    e2e_type "s$start"
    e2e_key "" Return
    e2e_wait 15 notes_hold "Content=s$start" || e2e_fail "start $start: the text typed did not arrive: $(e2e_notes | tr '\n' '|')"
    editor_wait_gone
    e2e_key ctrl x
  else
    start_and_press x
  fi
  e2e_wait_exit 30 || e2e_fail "start $start: Ctrl+X did not end the program"
done
