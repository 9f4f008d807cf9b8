#!/usr/bin/env bash
# A second start while the program runs brings the running note window to the front and ends,
# leaving one copy and the running copy's file and settings alone.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_write_notes 'Only me' '' 3000
e2e_start
note_origin
e2e_assert_eq "$(zettly_processes)" "1" "copies after the first start"
note_shown_at_border() { [ "$(e2e_pixel $((NX)) $((NY + 87)))" = "$border" ]; }
border=$(e2e_pixel $((NX)) $((NY + 87)))   # the note's left edge

# Another program's window over the note.
(cd "$PROG" && setsid wine explorer /desktop=shell,1024x768 notepad </dev/null >>"$E2E_DIR/wine.log" 2>&1 &)
covering() { xdotool search --onlyvisible --name 'Notepad' >/dev/null; }
e2e_wait 30 covering || e2e_fail "notepad did not start"
nid=$(xdotool search --onlyvisible --name 'Notepad' | head -1)
hidden_note() { [ "$(e2e_pixel $((NX)) $((NY + 87)))" != "$border" ]; }
e2e_wait 10 hidden_note || e2e_fail "notepad does not cover the note (notepad at $(e2e_geometry "$nid"))"

# The settings are changed behind the program's back: a second copy must not save over them.
e2e_set_dword "$SETTINGS_KEY" Clock 7
notes_before=$(md5sum <"$PROG/notices.msg")
e2e_start_again
ended_with_one() { [ "$(zettly_processes)" = "1" ] && note_shown_at_border; }
e2e_wait 30 ended_with_one || e2e_fail "$(zettly_processes) copies; the note is not in front"
e2e_assert_eq "$(md5sum <"$PROG/notices.msg")" "$notes_before" "notes file after the second start"
e2e_assert_eq "$(e2e_reg "$SETTINGS_KEY" Clock)" "7" "a setting after the second start"
e2e_running || e2e_fail "the first copy ended"
