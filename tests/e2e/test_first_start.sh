#!/usr/bin/env bash
# First start with no notes file and no settings: the window at 15,15 with the empty counter,
# the clock running, cycling on, the autorun entry written; nothing is saved before Exit.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_start
note_origin
e2e_assert_eq "$NX,$NY" "15,15" "window position on a first start"

note_text_blank || e2e_fail "the note text is not empty"
[ "$(dark_pixels $(note_counter_rect))" -gt 5 ] || e2e_fail "no counter drawn"
cycling_button_down || e2e_fail "the cycling button is not down"
e2e_wait 10 note_clock_shown || e2e_fail "no clock digits drawn"

exe=$(e2e_reg "$RUN_KEY" Zettly) || e2e_fail "no autorun entry"
case "$exe" in *'\Zettly.exe') ;; *) e2e_fail "autorun entry is '$exe'" ;; esac
[ ! -e "$PROG/notices.msg" ] || e2e_fail "the notes file was written before any save"
e2e_reg "$SETTINGS_KEY" top >/dev/null && e2e_fail "settings written before any save"

note_exit
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" "[General]|N=0|" "notes file after Exit"
for v in top:15 left:15 On:1 Stay:0 Clock:1 Run:1; do
  expect_setting "${v%%:*}" "${v#*:}"
done
