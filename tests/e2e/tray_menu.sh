# Helpers for the tray icon and the popup menu, on top of lib.sh and note_window.sh.

# The notification area of the 1024 x 768 Wine desktop holds our icon at its right end.
TRAY_X=1013
TRAY_Y=757

# The icon is drawn: the yellow of the note picture is there, not the taskbar's grey.
tray_icon_shown() { [ "$(e2e_pixel $TRAY_X $TRAY_Y)" != "$(e2e_pixel $((TRAY_X - 30)) $TRAY_Y)" ]; }

# Where each item's text sits, down from the menu's top edge (items and separators of the menu).
menu_item_offset() {
  case $1 in
    show) echo 10 ;; hide) echo 28 ;; trash) echo 54 ;; top) echo 80 ;; clock) echo 97 ;;
    autorun) echo 114 ;; about) echo 140 ;; exit) echo 166 ;;
    *) e2e_fail "no menu item '$1'" ;;
  esac
}

# Opens the menu with a right click at a screen point and clicks an item, as a person does.
# Right after the window went to the tray Wine may drop the first click on the icon (the menu
# opens and closes at once while the hidden application window cannot take the foreground);
# like a person, click again.
menu_choose_at() {
  local attempt x y w h
  for attempt in 1 2 3; do
    e2e_click "$1" "$2" 3
    e2e_wait 3 menu_open && break
    [ $attempt -eq 3 ] && e2e_fail "the popup menu did not open at $1,$2"
  done
  read -r x y w h < <(menu_geometry)
  e2e_click $((x + 40)) $((y + $(menu_item_offset "$3")))
  e2e_wait 10 menu_closed || e2e_fail "the popup menu did not close after '$3'"
}
tray_menu() { menu_choose_at $TRAY_X $TRAY_Y "$1"; }
window_menu() { menu_choose_at $((NX + 40)) $((NY + 138)) "$1"; }

note_window_gone() { ! e2e_note_window; }

# The application's taskbar button ("Zettly" in the task list) is drawn.
taskbar_button_shown() { [ "$(e2e_pixel 100 757)" != "$(e2e_pixel 600 757)" ]; }
taskbar_button_gone() { ! taskbar_button_shown; }

# A top-level window of the program with this caption is on screen.
window_named() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
window_not_named() { ! window_named "$1"; }
