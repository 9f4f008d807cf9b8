#!/usr/bin/env bash
# The tray's menu while a dialog is up: the "Trash all" question still answers to the keyboard
# after the menu was opened and closed; Exit with only the About box or the question up ends the
# program (the question as "No") and leaves the notes file as it was.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/tray_menu.sh"
e2e_begin
e2e_write_notes \
  'One' '' 3000 \
  'Two' '' 3000
before=$(sha256sum <"$PROG/notices.msg")
e2e_set_dword "$SETTINGS_KEY" On 0
e2e_start
note_origin
e2e_wait 10 note_text_shown || e2e_fail "note 1 is not shown"
e2e_wait 15 tray_icon_shown || e2e_fail "no icon in the notification area"

window_menu trash
e2e_wait 10 window_named 'Delete all notes.' || e2e_fail "no question before deleting all notes"
e2e_click $TRAY_X $TRAY_Y 3
e2e_wait 5 menu_open || e2e_fail "the tray's menu did not open over the question"
xdotool key Escape
e2e_wait 10 menu_closed || e2e_fail "Esc did not close the tray's menu"
e2e_key "" n
e2e_wait 10 window_not_named 'Delete all notes.' || e2e_fail "the question did not answer N after the tray's menu"
note_text_shown || e2e_fail "No deleted the notes"

e2e_focus_note
e2e_key ctrl b
e2e_wait 10 window_named 'Information' || e2e_fail "Ctrl+B opened no About box"
tray_menu exit
e2e_wait_exit 30 || e2e_fail "Exit with the About box up did not end the program"
e2e_assert_eq "$(sha256sum <"$PROG/notices.msg")" "$before" "the notes file after Exit over the About box"

e2e_start
note_origin
e2e_wait 15 tray_icon_shown || e2e_fail "no icon in the notification area after the second start"
window_menu trash
e2e_wait 10 window_named 'Delete all notes.' || e2e_fail "no question the second time"
tray_menu exit
e2e_wait_exit 30 || e2e_fail "Exit with the question up did not end the program"
e2e_assert_eq "$(sha256sum <"$PROG/notices.msg")" "$before" "the notes file after Exit over the question"
