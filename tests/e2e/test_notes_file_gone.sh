#!/usr/bin/env bash
# notices.msg moved away while the program runs (a sync tool's move-aside), then emptied (a tool
# still writing it): the notes stay on screen, and the next new note is saved with all of them.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
e2e_begin
e2e_write_notes \
  'One' '' 3000 \
  'Two' '' 3000 \
  'Three' '' 3000
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_start
note_origin
counter=$(note_counter_signature)
counter_changed() { [ "$(note_counter_signature)" != "$counter" ]; }

new_note() {
  e2e_key ctrl n
  editor_wait '^Create new note$'
  e2e_type "$1"
  e2e_key "" Return
  editor_wait_gone
}
notes_file_is() { [ "$(e2e_notes | tr '\n' '|')" = "$1" ]; }
listed() {
  local k=0 out='' text
  for text in "$@"; do
    k=$((k + 1))
    out+="[Note$k]|Content=$text|Attach=|Exposure=3000|"
  done
  echo "[General]|N=$#|$out"
}

mv "$PROG/notices.msg" "$E2E_DIR/aside.msg"
# The folder watch sees the file go; the list on screen must not follow it.
if e2e_wait 3 counter_changed; then e2e_fail "the notes left the screen with the file"; fi
new_note 'milk'
expected=$(listed One Two Three milk)
e2e_wait 10 notes_file_is "$expected" || e2e_fail "after the move: expected '$expected', got '$(e2e_notes | tr '\n' '|')'"

: >"$PROG/notices.msg"
counter=$(note_counter_signature)
if e2e_wait 3 counter_changed; then e2e_fail "the notes left the screen when the file was emptied"; fi
new_note 'bread'
expected=$(listed One Two Three milk bread)
e2e_wait 10 notes_file_is "$expected" || e2e_fail "after emptying: expected '$expected', got '$(e2e_notes | tr '\n' '|')'"

e2e_focus_note
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the program"
e2e_wait 1 notes_file_is "$expected" || e2e_fail "after Exit: got '$(e2e_notes | tr '\n' '|')'"
