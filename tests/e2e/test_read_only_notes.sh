#!/usr/bin/env bash
# A notes file that cannot be written never keeps the program from closing: with nothing
# unsaved Ctrl+X ends it at once; after a change that could not be saved it asks, No keeps it
# running and Yes ends it, and the file is never touched.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_write_notes \
  'Read only one' '' 3000 \
  'Read only two' '' 3000
chmod a-w "$PROG/notices.msg"
e2e_set_dword "$SETTINGS_KEY" On 0
before=$(md5sum <"$PROG/notices.msg")

e2e_start
note_origin
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "with nothing unsaved, Ctrl+X did not end the program"

e2e_start
note_origin
e2e_key ctrl t
e2e_wait 10 e2e_box_up || e2e_fail "no error box after a deletion that could not be saved"
e2e_key "" Return
e2e_wait 10 e2e_no_box || e2e_fail "the error box stayed"
e2e_focus_note
e2e_key ctrl x
e2e_wait 10 e2e_box_up || e2e_fail "Ctrl+X with an unsaved change asked nothing"
e2e_key "" n
e2e_wait 10 e2e_no_box || e2e_fail "the question stayed after No"
[ "$(zettly_processes)" = "1" ] || e2e_fail "No ended the program"
e2e_focus_note
e2e_key ctrl x
e2e_wait 10 e2e_box_up || e2e_fail "the second Ctrl+X asked nothing"
e2e_key "" y
e2e_wait_exit 30 || e2e_fail "Yes did not end the program"
e2e_assert_eq "$(md5sum <"$PROG/notices.msg")" "$before" "the read-only notes file"
if ls "$PROG" | grep -q '\.tmp$'; then e2e_fail "a temporary file was left: $(ls "$PROG")"; fi
chmod u+w "$PROG/notices.msg"
