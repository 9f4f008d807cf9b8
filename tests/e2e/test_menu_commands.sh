#!/usr/bin/env bash
# The note window's context menu and buttons: "Trash all notes !" answered No and then Yes, the
# About box from its button (a click in a corner of "Close" does nothing, one in its middle
# closes it) and from the menu, and the help file beside the program.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/tray_menu.sh"
e2e_begin
e2e_write_notes \
  'One' '' 3000 \
  'Two' '' 3000 \
  'Three' '' 3000
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_start
note_origin
e2e_wait 10 note_text_shown || e2e_fail "note 1 is not shown"
first=$(note_text_signature)

# Trash all, answered No: the question comes, the notes stay. A step taken after the answer lands
# on note 2 only when they did.
window_menu trash
e2e_wait 10 window_named 'Delete all notes.' || e2e_fail "no question before deleting all notes"
e2e_key "" n
e2e_wait 10 window_not_named 'Delete all notes.' || e2e_fail "the question stayed after No"
e2e_focus_note
e2e_key ctrl Right
stepped() { note_text_is_not "$first" && note_text_shown; }
e2e_wait 10 stepped || e2e_fail "No deleted the notes: Ctrl+Right after it shows no next note"

# The About box from its button.
e2e_click $((NX + 1 + 164 + 11)) $((NY + 1 + 4 + 10))
e2e_wait 10 window_named 'Information' || e2e_fail "the About button opened no dialog"
id=$(xdotool search --onlyvisible --name '^Information$' | head -1)
read -r dx dy dw dh < <(e2e_geometry "$id")
frame=$(((dw - 316) / 2))
cx=$((dx + frame)); cy=$((dy + dh - frame - 208))   # the dialog's client area
centre_x=$((dx + dw / 2)); centre_y=$((dy + dh / 2))
[ $((centre_x - 512)) -ge -2 ] && [ $((centre_x - 512)) -le 2 ] || e2e_fail "About box not centred ($dx,$dy ${dw}x$dh)"
# A corner of Close, outside its ellipse; then a press in its middle, which the button draws
# pressed only once the box has dealt with the click; the release there closes the box.
close_button=$(area_signature $((cx + 126)) $((cy + 175)) 64 30)
e2e_click $((cx + 126 + 2)) $((cy + 175 + 2))
xdotool mousemove $((cx + 126 + 32)) $((cy + 175 + 15)) mousedown 1
close_pressed() { [ "$(area_signature $((cx + 126)) $((cy + 175)) 64 30)" != "$close_button" ]; }
e2e_wait 10 close_pressed || { xdotool mouseup 1; e2e_fail "Close was not drawn pressed after the click in its corner"; }
window_named 'Information' || e2e_fail "a click in the corner of Close closed the dialog"
xdotool mouseup 1
e2e_wait 10 window_not_named 'Information' || e2e_fail "Close did not close the About box"

# The About box from the menu, closed again by its button.
e2e_focus_note
window_menu about
e2e_wait 10 window_named 'Information' || e2e_fail "A&bout... opened no dialog"
e2e_click $((cx + 126 + 32)) $((cy + 175 + 15))
e2e_wait 10 window_not_named 'Information' || e2e_fail "Close did not close the About box"

# Trash all, answered Yes: the display goes empty and the empty list is saved on Exit.
e2e_focus_note
window_menu trash
e2e_wait 10 window_named 'Delete all notes.' || e2e_fail "no question the second time"
e2e_key "" y
e2e_wait 10 window_not_named 'Delete all notes.' || e2e_fail "the question stayed after Yes"
e2e_wait 10 note_text_blank || e2e_fail "a note is still shown after Trash all"
note_exit
saved_empty() { e2e_notes | grep -qx 'N=0'; }
e2e_wait 10 saved_empty || e2e_fail "the empty list was not saved: $(e2e_notes | head -3)"

# The help file the Help button opens is beside the program and lists our pages.
[ -f "$PROG/help.chm" ] || e2e_fail "no help.chm beside the program"
# Read whole before it is searched: grep -q would leave chmls writing into a closed pipe.
pages=$(chmls list "$PROG/help.chm" 2>/dev/null) || e2e_fail "chmls could not read help.chm"
grep -q '\.html' <<<"$pages" || e2e_fail "help.chm lists no pages"
