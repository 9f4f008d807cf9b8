# Helpers for the note window's scenarios, on top of lib.sh: where its parts are on the screen,
# what is drawn there, the program's own processes, and its context menu.
#
# The window's controls sit on a panel inside a one-pixel border, so a control at (l, t) in the
# panel is at (window + 1 + l, window + 1 + t) on the screen.

# Sets NX NY to the note window's top-left corner.
note_origin() {
  read -r NX NY < <(e2e_note_position) || e2e_fail "no note window"
}

# Screen rectangles "x y w h" of the parts the scenarios look at (after note_origin).
note_text_rect() { echo $((NX + 8)) $((NY + 30)) 226 100; }
note_clock_rect() { echo $((NX + 50)) $((NY + 3)) 89 25; }
note_counter_rect() { echo $((NX + 142)) $((NY + 153)) 46 13; }

# The number of dark pixels (text, digits) in a screen rectangle.
dark_pixels() {
  import -display "$DISPLAY" -window root -crop "${3}x${4}+${1}+${2}" +repage png:- |
    convert - -colorspace gray -threshold 50% -format '%[fx:round(w*h*(1-mean))]' info:
}
# A fingerprint of what a screen rectangle shows.
area_signature() {
  import -display "$DISPLAY" -window root -crop "${3}x${4}+${1}+${2}" +repage -depth 8 rgb:- | md5sum | cut -c1-32
}

note_text_dark() { dark_pixels $(note_text_rect); }
note_text_signature() { area_signature $(note_text_rect); }
note_counter_signature() { area_signature $(note_counter_rect); }
note_clock_dark() { dark_pixels $(note_clock_rect); }
# True once the note text area shows text.
note_text_shown() { [ "$(note_text_dark)" -gt 20 ]; }
note_text_blank() { [ "$(note_text_dark)" -eq 0 ]; }

# The cycling button (panel 214, 4, 23 x 20) is drawn sunk while it is down: its left edge is
# then the shadow colour, not the note's background.
cycling_button_down() {
  [ "$(e2e_pixel $((NX + 1 + 214)) $((NY + 1 + 14)))" != "$(e2e_pixel $((NX + 1 + 200)) $((NY + 1 + 14)))" ]
}

# Copies of Zettly in this scenario's Wine prefix (the Wine desktop's explorer carries the name
# in its command line but is not one).
zettly_processes() {
  local n=0 pid
  for pid in $(e2e_wine_pids 'Zettly\.exe'); do
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qi 'explorer' && continue
    n=$((n + 1))
  done
  echo "$n"
}

# The geometry "x y w h" of our open popup menu: an unnamed window of the program, taller than a
# tooltip.
menu_geometry() {
  local id x y w h
  for id in $(xdotool search --onlyvisible --class 'zettly.exe' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] || continue
    read -r x y w h < <(e2e_geometry "$id") || continue
    if [ "${h:-0}" -gt 100 ]; then echo "$x $y $w $h"; return 0; fi
  done
  return 1
}
menu_open() { menu_geometry >/dev/null; }
menu_closed() { ! menu_open; }

# Right-clicks a bare spot of the note and chooses a menu item by its accelerator key.
note_menu() {
  e2e_click $((NX + 40)) $((NY + 138)) 3
  e2e_wait 5 menu_open || e2e_fail "the note's menu did not open"
  xdotool key "$1"
  e2e_wait 10 menu_closed || e2e_fail "the note's menu did not close after '$1'"
}

# Exits through the exit picture and waits for the program to end.
note_exit() {
  e2e_click $((NX + 1 + 10)) $((NY + 1 + 12))
  e2e_wait_exit 30 || e2e_fail "the program did not end after Exit"
}
# True while the clock shows digits.
note_clock_shown() { [ "$(note_clock_dark)" -gt 40 ]; }
note_text_is() { [ "$(note_text_signature)" = "$1" ]; }
note_text_is_not() { [ "$(note_text_signature)" != "$1" ]; }

# Waits for a registry value to read as expected: right after the program ends Wine's server
# may still be shutting down, and a query then fails though the value is there.
setting_is() { [ "$(e2e_reg "$SETTINGS_KEY" "$1")" = "$2" ]; }
expect_setting() {
  e2e_wait 15 setting_is "$1" "$2" ||
    e2e_fail "setting $1: expected '$2', got '$(e2e_reg "$SETTINGS_KEY" "$1" || true)'"
}
