#!/usr/bin/env bash
# Browse picks a real file through the open-file dialog (confirmed with Enter, whose release must
# not store the note behind it); Enter in the editor then stores the note with the file's full
# path, and the note window's attachment button asks before it hands the script to the shell:
# No (the default, Enter) runs nothing, Yes runs it and it leaves its mark.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
e2e_begin
e2e_set_dword "$SETTINGS_KEY" On 0
printf '@echo off\r\necho opened>> "%%~dp0opened.txt"\r\n' >"$PROG/mark.bat"
win_path="Z:$(echo "$PROG/mark.bat" | tr '/' '\\')"
e2e_start
note_origin

e2e_key ctrl n
editor_wait '^Create new note$'
editor_click $EDITOR_NOTE
e2e_type 'Run the'
editor_click $EDITOR_BROWSE
e2e_wait 20 xdotool search --onlyvisible --name '^Locate the attachement object\.\.\.$' ||
  e2e_fail "the open-file dialog did not appear"
e2e_type "$win_path"
e2e_key "" Return
e2e_wait 15 bash -c "! xdotool search --onlyvisible --name '^Locate the attachement' >/dev/null" ||
  e2e_fail "the open-file dialog did not close"
e2e_wait 10 editor_attachment_filled || e2e_fail "the attachment box stayed empty"
# The rest of the text, typed after the Enter's release has reached the editor: counted only
# while the editor is there.
count=$(editor_count_signature)
editor_click $EDITOR_NOTE
e2e_key ctrl End
e2e_type ' script'
if ! e2e_wait 10 editor_count_is_not "$count"; then
  editor_shown '^Create new note$' || e2e_fail "the Enter that confirmed the file also closed the editor"
  e2e_fail "the editor took no text after the open-file dialog closed"
fi
editor_shown '^Create new note$' || e2e_fail "the Enter that confirmed the file also closed the editor"
[ ! -f "$PROG/notices.msg" ] || e2e_fail "the Enter that confirmed the file stored the note"

e2e_key "" Return
editor_wait_gone
e2e_wait 10 test -f "$PROG/notices.msg" || e2e_fail "Enter did not save the notes file"
e2e_assert_eq "$(e2e_notes | tr '\n' '|')" \
  "[General]|N=1|[Note1]|Content=Run the script|Attach=$win_path|Exposure=3000|" "notes file with the attachment"

# The attachment button (panel 8, 148) is shown for the note; a click asks first, as the
# attachment is a script: the question is a second window named as the program.
e2e_wait 5 note_text_shown || e2e_fail "the note is not on display"
e2e_click $((NX + 1 + 18)) $((NY + 1 + 158))
e2e_wait 10 e2e_box_up || e2e_fail "the script was not asked about"
e2e_key "" Return
e2e_wait 10 e2e_no_box || e2e_fail "the question stayed after Enter"
# Until the program is back from the box the note window takes no click: one lost then is
# made again.
ask_again() {
  e2e_click $((NX + 1 + 18)) $((NY + 1 + 158))
  e2e_wait 2 e2e_box_up
}
e2e_wait 15 ask_again || e2e_fail "the script was not asked about the second time"
e2e_key "" y
e2e_wait 30 grep -q opened "$PROG/opened.txt" || e2e_fail "the attachment was not opened after Yes"
e2e_assert_eq "$(grep -c opened "$PROG/opened.txt")" 1 "runs of the script (No ran nothing)"
