#!/usr/bin/env bash
# A note deleted with Ctrl+T is gone from the file at once: the program killed right afterwards
# brings no deleted note back at the next start.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_write_notes \
  'Keep me' '' 3000 \
  'Throw me away' '' 3000 \
  'Keep me too' '' 3000
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_start
note_origin
first=$(note_text_signature)
e2e_key ctrl Right
e2e_wait 5 note_text_is_not "$first" || e2e_fail "Ctrl+Right did nothing"
second=$(note_text_signature)
e2e_key ctrl t
e2e_wait 5 note_text_is_not "$second" || e2e_fail "Ctrl+T did nothing"
for pid in $(e2e_wine_pids 'Zettly\.exe'); do
  tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qi explorer || kill -9 "$pid"
done
none_left() { [ "$(zettly_processes)" = 0 ]; }
e2e_wait 10 none_left || e2e_fail "the program survived kill -9"
e2e_end_wine   # the Wine desktop it ran on goes too
expected='[General]|N=2|[Note1]|Content=Keep me|Attach=|Exposure=3000|[Note2]|Content=Keep me too|Attach=|Exposure=3000|'
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" "$expected" "notes file after Ctrl+T and kill -9"
if e2e_notes | grep -q 'Throw me away'; then e2e_fail "the deleted note's text is still in the file"; fi

e2e_start
note_origin
e2e_wait 10 note_text_is "$first" || e2e_fail "note 1 is not shown after the restart"
e2e_key ctrl Right
e2e_wait 5 note_text_is_not "$first" || e2e_fail "Ctrl+Right did nothing after the restart"
[ "$(note_text_signature)" != "$second" ] || e2e_fail "the deleted note came back"
