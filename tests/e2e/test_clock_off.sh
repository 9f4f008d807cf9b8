#!/usr/bin/env bash
# The clock switched off through the context menu disappears, the setting is saved at Exit, and
# the next start shows no clock; switching it on again brings it back.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_start
note_origin
e2e_wait 10 note_clock_shown || e2e_fail "no clock at start"
note_menu c
note_clock_hidden() { [ "$(note_clock_dark)" -eq 0 ]; }
e2e_wait 5 note_clock_hidden || e2e_fail "the clock is still shown after the menu's Clock"
e2e_focus_note
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the program"
expect_setting Clock 0

e2e_start
note_origin
# The clock ticks twice a second, the first tick right after the start: it must stay away for
# several ticks, not only until the first one.
if e2e_wait 3 note_clock_shown; then e2e_fail "the clock is shown after a restart with the clock off"; fi
note_menu c
e2e_wait 10 note_clock_shown || e2e_fail "the menu's Clock did not bring the clock back"
