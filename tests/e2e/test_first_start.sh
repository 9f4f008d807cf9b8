#!/usr/bin/env bash
# First start with no notes file and no settings: the window at 15,15 with the empty counter,
# the clock running, cycling on, the autorun entry written under the user's Run key; nothing is
# saved before Exit, and with no change to the list no notes file is written at all.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/tray_menu.sh"
e2e_begin
wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Zettly /f >/dev/null 2>&1 || true
e2e_start
note_origin
e2e_assert_eq "$NX,$NY" "15,15" "window position on a first start"

note_text_blank || e2e_fail "the note text is not empty"
[ "$(dark_pixels $(note_counter_rect))" -gt 5 ] || e2e_fail "no counter drawn"
cycling_button_down || e2e_fail "the cycling button is not down"
e2e_wait 10 note_clock_shown || e2e_fail "no clock digits drawn"

exe=$(e2e_reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Zettly) || e2e_fail "no autorun entry"
e2e_reg "$RUN_KEY" Zettly >/dev/null && e2e_fail "an autorun entry for the whole machine"
case "$exe" in *'\Zettly.exe') ;; *) e2e_fail "autorun entry is '$exe'" ;; esac
# What the start does of its own accord is done once the icon has come (after its delay) and the
# clock has moved on since.
e2e_wait 15 tray_icon_shown || e2e_fail "no icon in the notification area"
clock=$(area_signature $(note_clock_rect))
clock_moved() { [ "$(area_signature $(note_clock_rect))" != "$clock" ]; }
e2e_wait 5 clock_moved || e2e_fail "the clock stood still"
[ ! -e "$PROG/notices.msg" ] || e2e_fail "the notes file was written before any save"
e2e_reg "$SETTINGS_KEY" top >/dev/null && e2e_fail "settings written before any save"

note_exit
[ ! -e "$PROG/notices.msg" ] || e2e_fail "a notes file was written though the list never changed"
for v in top:15 left:15 On:1 Stay:0 Clock:1 Run:1; do
  expect_setting "${v%%:*}" "${v#*:}"
done
