#!/usr/bin/env bash
# The program starts on a Wine desktop, shows its note window with the taskbar button, and ends
# cleanly on a close request.
. "$(dirname "$0")/lib.sh"
e2e_begin
e2e_start

read -r x y < <(e2e_note_position)
e2e_assert_eq "$x,$y" "15,15" "window position on a first start"
e2e_wait_pixel 100 100 "$(e2e_pixel 100 100)"   # the window is painted and stable
e2e_running || e2e_fail "program not running"

e2e_key alt F4
e2e_wait_exit 30 || e2e_fail "the program did not end"
