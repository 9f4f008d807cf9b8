#!/usr/bin/env bash
# notices.msg edited by hand while the program runs: the program shows the new list, a deletion
# made afterwards goes on top of it, and the outside edit survives Exit.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_write_notes \
  'Alpha' '' 3000 \
  'Bravo' '' 3000
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_start
note_origin
counter=$(note_counter_signature)
alpha=$(note_text_signature)

e2e_write_notes \
  'Alpha' '' 3000 \
  'Bravo' '' 3000 \
  'Charlie typed by hand' '' 3000
counter_changed() { [ "$(note_counter_signature)" != "$counter" ]; }
e2e_wait 15 counter_changed || e2e_fail "the counter did not follow the outside edit"
e2e_assert_eq "$(note_text_signature)" "$alpha" "the note on display after the reload"

e2e_key ctrl t   # deletes Alpha
e2e_wait 5 note_text_is_not "$alpha" || e2e_fail "Ctrl+T did nothing"
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the program"
expected='[General]|N=2|[Note1]|Content=Bravo|Attach=|Exposure=3000|[Note2]|Content=Charlie typed by hand|Attach=|Exposure=3000|'
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" "$expected" "notes file after the outside edit and Exit"
