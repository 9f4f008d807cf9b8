#!/usr/bin/env bash
# A notes file left by an earlier run: with cycling stored off note 1 is up at once and stays;
# with cycling on it comes with the first tick and the next note follows after its exposure.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_write_notes \
  'Call the garage' '' 3000 \
  'Backup at noon, then lunch with the whole team downstairs' '' 3000
before=$(md5sum <"$PROG/notices.msg")

# Cycling stored off.
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_start
note_origin
note_text_shown || e2e_fail "note 1 is not shown at once with cycling off"
cycling_button_down && e2e_fail "the cycling button is down with cycling stored off"
first=$(note_text_signature)
e2e_key ctrl Right
e2e_wait 5 note_text_is_not "$first" || e2e_fail "Ctrl+Right did not show another note"
second=$(note_text_signature)
e2e_key ctrl Left
e2e_wait 5 note_text_is "$first" || e2e_fail "Ctrl+Left did not step back to note 1"
note_exit
expect_setting On 0

# Cycling on: the first tick shows note 1, note 2 follows after its three seconds, then note 1.
e2e_set_dword "$SETTINGS_KEY" On 1
e2e_start
note_origin
cycling_button_down || e2e_fail "the cycling button is not down"
e2e_wait 10 note_text_is "$first" || e2e_fail "note 1 did not come with the first tick"
e2e_wait 10 note_text_is "$second" || e2e_fail "note 2 did not follow"
e2e_wait 10 note_text_is "$first" || e2e_fail "the cycle did not wrap to note 1"
note_exit
# Stepping and cycling never change the file; the save writes it back the same.
e2e_assert_eq "$(md5sum <"$PROG/notices.msg")" "$before" "notes file after two runs"
