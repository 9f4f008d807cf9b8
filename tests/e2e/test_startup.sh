#!/usr/bin/env bash
# The program starts on a Wine desktop, shows its note window with the taskbar button, and ends
# cleanly on a close request.
. "$(dirname "$0")/lib.sh"
e2e_begin
e2e_start

read -r x y < <(e2e_note_position)
e2e_assert_eq "$x,$y" "15,15" "window position on a first start"
# Painted, in the system's tooltip colour: a bare spot of the note (below the text) shows it, not
# the desktop that was there before the window.
tooltip=$(e2e_reg 'HKCU\Control Panel\Colors' InfoWindow) || e2e_fail "no tooltip colour in the prefix"
e2e_wait_pixel $((x + 40)) $((y + 138)) "$(echo $tooltip | tr ' ' ',')"
e2e_running || e2e_fail "program not running"

e2e_key alt F4
e2e_wait_exit 30 || e2e_fail "the program did not end"
