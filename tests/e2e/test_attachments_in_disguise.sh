#!/usr/bin/env bash
# Attachments written to pass for documents or web links: a Linux file whose name holds a colon
# (a.txt:b.exe, which Wine runs as a program), a script behind a trailing "\." and an ms-msdt:
# link. Each is asked about before anything runs, and No (the default, Enter) runs nothing.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_set_dword "$SETTINGS_KEY" On 0  # no cycling: note 1 stays until stepped on
printf '@echo off\r\necho ran>> "%%~dp0ran.txt"\r\n' >"$PROG/evil.bat"
# Notepad stands in for a program: if it runs, its window shows.
cp "$WINEPREFIX/drive_c/windows/system32/notepad.exe" "$PROG/a.txt:b.exe"
windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }
e2e_write_notes \
  "A stream of a text file" "$(windows_path "$PROG/a.txt:b.exe")" 60000 \
  "A folder of a script" "$(windows_path "$PROG/evil.bat")\\." 60000 \
  "A troubleshooter" "ms-msdt:/id PCWDiagnostic /skip force" 60000
e2e_start
note_origin
e2e_wait 10 note_text_shown || e2e_fail "note 1 is not on display"

text_is_not() { [ "$(note_text_signature)" != "$1" ]; }
# A key typed while the program is still coming back from a box may be lost: typed again.
ask() {
  e2e_key ctrl a
  e2e_wait 2 e2e_box_up
}
step() {
  local before
  before=$(note_text_signature)
  e2e_key ctrl Right
  e2e_wait 2 text_is_not "$before"
}
for k in 1 2 3; do
  if [ "$k" -gt 1 ]; then e2e_wait 15 step || e2e_fail "Ctrl+Right did not show note $k"; fi
  e2e_wait 15 ask || e2e_fail "the attachment of note $k was opened without a question"
  e2e_key "" Return
  e2e_wait 10 e2e_no_box || e2e_fail "the question about note $k stayed after Enter"
done

program_ran() { [ -e "$PROG/ran.txt" ] || xdotool search --onlyvisible --name 'Notepad' >/dev/null 2>&1; }
! e2e_wait 5 program_ran || e2e_fail "No ran the attachment: $(ls "$PROG")"
e2e_running || e2e_fail "the program ended"
