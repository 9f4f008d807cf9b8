#!/usr/bin/env bash
# The editor with keys and mouse: Ctrl+N, a text and Enter make a note that is shown, counted and
# saved with the seconds typed after Tab reached the exposure field; Ctrl+E changes its text
# and exposure through "Change", while clicks in the oval button's corners do nothing; Esc and
# Cancel leave the note and the file alone.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
e2e_begin
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_start
note_origin
empty_counter=$(note_counter_signature)

e2e_key ctrl n
editor_wait '^Create new note$'
e2e_type 'Buy milk'         # the keyboard starts in the note's text
for _ in 1 2 3; do e2e_key "" Tab; done
e2e_type 7                 # replaces the 3 that Tab selected in the exposure field
e2e_key "" Return
editor_wait_gone
e2e_wait 10 test -f "$PROG/notices.msg" || e2e_fail "Enter did not save the notes file"
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" '[General]|N=1|[Note1]|Content=Buy milk|Attach=|Exposure=7000|' \
  "notes file after the new note"
e2e_wait 5 note_text_shown || e2e_fail "the new note is not on display"
[ "$(note_counter_signature)" != "$empty_counter" ] || e2e_fail "the counter still reads 0 / 0"
first_text=$(note_text_signature)

e2e_key ctrl e
editor_wait '^Edit note N.* 1$'
editor_click $EDITOR_NOTE
e2e_key ctrl a
e2e_type 'Buy oat milk'
editor_click $EDITOR_EXPOSURE
e2e_key "" End
e2e_key "" BackSpace
e2e_key "" BackSpace
e2e_type 12
# The corners of "Change" lie outside its ellipse.
editor_click 159 203
editor_click 222 232
editor_click 159 232
count=$(editor_count_signature)
editor_click $EDITOR_NOTE
e2e_key "" End
e2e_type '!'
e2e_wait 5 editor_count_is_not "$count" || e2e_fail "the editor did not take a key after the corner clicks"
editor_shown '^Edit note' || e2e_fail "a click in a corner of the button closed the editor"
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" '[General]|N=1|[Note1]|Content=Buy milk|Attach=|Exposure=7000|' \
  "notes file after the corner clicks"
editor_click $EDITOR_STICK
editor_wait_gone
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" '[General]|N=1|[Note1]|Content=Buy oat milk!|Attach=|Exposure=12000|' \
  "notes file after Change"
e2e_key ctrl Right         # the changed text shows at the next step
e2e_wait 5 note_text_is_not "$first_text" || e2e_fail "the changed text is not shown after a step"

saved=$(cat "$PROG/notices.msg")
e2e_key ctrl n
editor_wait '^Create new note$'
editor_click $EDITOR_NOTE
e2e_type 'discard me'
e2e_key "" Escape
editor_wait_gone
e2e_key ctrl e
editor_wait '^Edit note'
editor_click $EDITOR_NOTE
e2e_type ' and this'
editor_click $EDITOR_CANCEL
editor_wait_gone
e2e_assert_eq "$(cat "$PROG/notices.msg")" "$saved" "notes file after Esc and Cancel"

e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the program"
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" '[General]|N=1|[Note1]|Content=Buy oat milk!|Attach=|Exposure=12000|' \
  "notes file at the end"
