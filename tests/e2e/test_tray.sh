#!/usr/bin/env bash
# The tray icon: its menu hides the window and its taskbar button; a double click brings the
# window back where it was; minimising the application sends it to the tray; Exit removes the icon.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/tray_menu.sh"
# For a failure's message: whether the icon is drawn now.
icon_state() { tray_icon_shown || echo " (no icon is drawn)"; }

e2e_begin
e2e_start
note_origin
e2e_wait 15 tray_icon_shown || e2e_fail "no icon in the notification area"
e2e_wait 15 taskbar_button_shown || e2e_fail "no taskbar button"

tray_menu hide
e2e_wait 10 note_window_gone || e2e_fail "Hide window left the note window"
e2e_wait 10 taskbar_button_gone || e2e_fail "Hide window left the taskbar button"

# Only an icon that stayed can take the double click that brings the window back.
e2e_double_click $TRAY_X $TRAY_Y
e2e_wait 10 e2e_note_window || e2e_fail "a double click on the icon did not bring the window back$(icon_state)"
read -r x y < <(e2e_note_position)
e2e_assert_eq "$x,$y" "$NX,$NY" "window position after Hide and Show"
e2e_wait 10 taskbar_button_shown || e2e_fail "the taskbar button did not come back"
# The window came back with the keyboard: Ctrl+N opens the editor without a click first.
e2e_key ctrl n
e2e_wait 10 window_named 'Create new note' || e2e_fail "the note window came back without the keyboard"
e2e_key "" Escape
e2e_wait 10 window_not_named 'Create new note' || e2e_fail "Esc did not close the editor"

# "&Show window" from the menu does the same after a second hide.
tray_menu hide
e2e_wait 10 note_window_gone || e2e_fail "the second Hide window left the note window"
e2e_wait 10 taskbar_button_gone || e2e_fail "the second Hide window left the taskbar button"
tray_menu show
e2e_wait 10 e2e_note_window || e2e_fail "Show window did not bring the window back"

# Minimising the application (its taskbar button) sends the window to the tray. Wine's taskbar
# minimises only the foreground window itself; while the note (owned by the application window)
# has the foreground, the first click brings the application window forward, the second minimises.
e2e_click 100 757
if ! e2e_wait 3 note_window_gone; then e2e_click 100 757; fi
e2e_wait 10 note_window_gone || e2e_fail "minimising did not hide the note window"
e2e_wait 10 taskbar_button_gone || e2e_fail "minimising left the taskbar button"
e2e_double_click $TRAY_X $TRAY_Y
e2e_wait 10 e2e_note_window || e2e_fail "the window did not come back from the tray$(icon_state)"

tray_menu exit
e2e_wait_exit 30 || e2e_fail "Exit from the tray menu did not end the program"
tray_icon_gone() { ! tray_icon_shown; }
e2e_wait 10 tray_icon_gone || e2e_fail "the icon stayed after Exit"
