#!/usr/bin/env bash
# Ctrl+Right and Ctrl+Left step with wrap-around, Ctrl+T deletes the note on display (and the
# file loses it at once), keys without Ctrl do nothing, and Ctrl+X ends the program saving all
# six settings.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_write_notes \
  'Alpha' '' 4000 \
  'Bravo bravo' '' 5000 \
  'Charlie charlie charlie' '' 6000
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_start
note_origin

declare -A seen
seen[1]=$(note_text_signature)
seen[counter1]=$(note_counter_signature)
e2e_key ctrl Right
e2e_wait 5 note_text_is_not "${seen[1]}" || e2e_fail "Ctrl+Right did nothing"
seen[2]=$(note_text_signature)
e2e_key ctrl Right
e2e_wait 5 note_text_is_not "${seen[2]}" || e2e_fail "second Ctrl+Right did nothing"
seen[3]=$(note_text_signature)
e2e_key ctrl Right   # from the last note to the first
e2e_wait 5 note_text_is "${seen[1]}" || e2e_fail "Ctrl+Right on the last note did not wrap to note 1"
e2e_assert_eq "$(note_counter_signature)" "${seen[counter1]}" "counter back at 1 / 3"
e2e_key ctrl Left    # from the first note to the last
e2e_wait 5 note_text_is "${seen[3]}" || e2e_fail "Ctrl+Left on note 1 did not wrap to note 3"

# Without Ctrl: nothing. Ctrl+Left after them comes from the same queue, so once it has shown
# note 2 they have had their turn; had the arrows stepped, in whatever mix, another note would be
# there, and t would have taken a note out of the file.
for k in Left Left Right t x; do e2e_key "" "$k"; done
e2e_key ctrl Left
if ! e2e_wait 5 note_text_is "${seen[2]}"; then
  e2e_running || e2e_fail "x without Ctrl ended the program"
  e2e_fail "keys without Ctrl moved the display: Ctrl+Left from note 3 did not show note 2"
fi
e2e_assert_eq "$(e2e_notes | grep -c '^\[Note')" 3 "notes in the file after t without Ctrl"
e2e_key ctrl t       # deletes it and shows the note that followed
e2e_wait 5 note_text_is "${seen[3]}" || e2e_fail "Ctrl+T did not show the note after the deleted one"
expected='[General]|N=2|[Note1]|Content=Alpha|Attach=|Exposure=4000|[Note2]|Content=Charlie charlie charlie|Attach=|Exposure=6000|'
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" "$expected" "notes file right after Ctrl+T"

e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the program"
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" "$expected" "notes file after Ctrl+T and Ctrl+X"
for v in top:15 left:15 On:0 Stay:0 Clock:1 Run:1; do
  expect_setting "${v%%:*}" "${v#*:}"
done
