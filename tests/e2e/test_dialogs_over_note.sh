#!/usr/bin/env bash
# With Always on top, on a Linux desktop: what the program shows over its note (the "Unable to
# open" message, the editor, the About box) comes up above the note, by the window manager's
# stacking order, not beneath it.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/tray_menu.sh"
. "$(dirname "$0")/wm.sh"

# The window manager's stacking order, bottom first, as decimal window ids.
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*#//' | tr ',' '\n' | while read -r id; do
    [ -n "$id" ] && printf '%d\n' "$id"
  done
}
# True when the window $1 is stacked above the window $2.
stacked_above() {
  local order
  order=$(stacking)
  local upper lower
  upper=$(grep -nx "$1" <<<"$order" | cut -d: -f1)
  lower=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [ -n "$upper" ] && [ -n "$lower" ] && [ "$upper" -gt "$lower" ]
}
# The shown window other than the note whose name matches $1 (the hidden application window,
# of no size, has the note's name too).
dialog_window() {
  local id w h
  for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    [ "$id" = "$NOTE" ] && continue
    read -r _ _ w h < <(e2e_geometry "$id") || continue
    if [ "${w:-0}" -gt 50 ] && [ "${h:-0}" -gt 50 ]; then echo "$id"; return 0; fi
  done
  return 1
}

# Waits for the dialog named $1 (opened by $2) and checks it lies over the note.
expect_over_note() {
  local id
  e2e_wait 15 dialog_window "$1" || e2e_fail "no $2"
  id=$(dialog_window "$1")
  e2e_wait 10 stacked_above "$id" "$NOTE" ||
    e2e_fail "the $2 is beneath the note (stacking, bottom first: $(stacking | tr '\n' ' '); note $NOTE, dialog $id)"
}

wm_begin --tray
e2e_write_notes 'Open me' 'C:\nowhere\missing.txt' 4000
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_set_dword "$SETTINGS_KEY" Stay 1
wm_start
wm_settled
NOTE=$(e2e_note_window)
xprop -id "$NOTE" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || e2e_fail "the note is not kept above other windows"

e2e_key ctrl a
expect_over_note '^Zettly$' '"Unable to open" message'
e2e_key "" Return
e2e_wait 10 eval '! dialog_window "^Zettly\$"' || e2e_fail "the message did not close on Enter"

e2e_key ctrl n
expect_over_note '^Create new note$' 'editor'
e2e_key "" Escape
e2e_wait 10 eval '! dialog_window "^Create new note\$"' || e2e_fail "the editor did not close on Esc"

e2e_key ctrl b
expect_over_note '^Information$' 'About box'
