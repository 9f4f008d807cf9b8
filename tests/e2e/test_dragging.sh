#!/usr/bin/env bash
# Dragging by the note text moves the window by the pointer's travel when the button is released;
# the place is saved at Exit and the next start comes up there. A place stored off every monitor
# is brought back onto the screen.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_write_notes 'Drag me' '' 3000
e2e_start
note_origin
# Pressed on the text at (10, 10), released at (60, 30) in the label's own coordinates.
x0=$((NX + 8 + 10)) y0=$((NY + 30 + 10))
e2e_drag $x0 $y0 $((x0 + 50)) $((y0 + 20))
moved() { [ "$(e2e_note_position)" = "$1" ]; }
e2e_wait 5 moved "65 35" || e2e_fail "window at $(e2e_note_position) after the drag, not 65 35"
# A click without moving leaves it there.
e2e_click $((65 + 8 + 10)) $((35 + 30 + 10))
e2e_assert_eq "$(e2e_note_position)" "65 35" "position after a click on the text"
note_origin
note_exit
expect_setting left 65
expect_setting top 35

e2e_start
e2e_assert_eq "$(e2e_note_position)" "65 35" "place after a restart"
note_origin
note_exit

# As if the monitor it was on had been removed.
e2e_set_dword "$SETTINGS_KEY" left 3000
e2e_set_dword "$SETTINGS_KEY" top 200
e2e_start
read -r x y < <(e2e_note_position)
[ "$x" -ge 0 ] && [ $((x + 245)) -le 1024 ] && [ "$y" -eq 200 ] || e2e_fail "window at $x,$y, not on the screen at height 200"
