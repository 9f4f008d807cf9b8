#!/usr/bin/env bash
# At 150 % and 200 % (the Wine desktop's LogPixels at 144 and 192) the note window comes up 1.5 and
# 2 times its size with its text and clock drawn at that size, crisp rather than stretched; the
# tray icon is there; dragging by the text, the context menu and the exit picture work at their
# scaled places; the place saved is the window's top-left in screen pixels.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/tray_menu.sh"

set_dpi() {
  timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}
# A panel point of the 96 DPI layout at this scale, on the screen (the panel sits inside a
# one-pixel border).
at() { echo $(($1 + 1 + ($3 * DPI + 48) / 96)) $(($2 + 1 + ($4 * DPI + 48) / 96)); }
sz() { echo $((($1 * DPI + 48) / 96)); }

# "top bottom" rows of the dark pixels in a screen rectangle.
ink_rows() {
  import -display "$DISPLAY" -window root -crop "${3}x${4}+${1}+${2}" +repage png:- |
    convert - -colorspace gray -threshold 50% -negate -trim -format '%Y %h' info: 2>/dev/null |
    sed 's/^+//' | awk '{print $1, $1 + $2}'
}
# The longest horizontal run of pixels halfway between ink and paper. The clock's segments are
# drawn without smoothing, so at their own size they have none wider than one pixel; smoothed
# text has up to two along its slants. A picture stretched by the system smears every edge wider.
widest_grey_ramp() {
  import -display "$DISPLAY" -window root -crop "${3}x${4}+${1}+${2}" +repage -colorspace gray -depth 8 txt:- |
    awk -F'[,: ()]+' 'NR > 1 {
        v = $3
        if ($2 != row) { row = $2; run = 0 }
        if (v > 60 && v < 180) { run++; if (run > max) max = run } else run = 0
      } END { print max + 0 }'
}
# Checks what the panel rectangle ($2 $3 $4 $5 in the 96 DPI layout) shows at this scale: more than
# $6 dark pixels, ink at least $7 design pixels high, no grey ramp wider than $8 pixels.
expect_drawn() {
  local what=$1 x y w h top bottom ramp
  read -r x y < <(at "$NX" "$NY" "$2" "$3")
  w=$(sz "$4") h=$(sz "$5")
  drawn() { [ "$(dark_pixels "$x" "$y" "$w" "$h")" -gt "$1" ]; }
  e2e_wait 10 drawn "$6" || e2e_fail "$what is not drawn at $DPI DPI"
  read -r top bottom < <(ink_rows "$x" "$y" "$w" "$h")
  [ $((bottom - top)) -ge "$(sz "$7")" ] || e2e_fail "$what is $((bottom - top)) pixels high at $DPI DPI"
  ramp=$(widest_grey_ramp "$x" "$y" "$w" "$h")
  [ "$ramp" -le "$8" ] || e2e_fail "the edges of $what are smeared over $ramp pixels at $DPI DPI"
}

# Our yellow in the notification area at the desktop's bottom-right.
tray_icon_yellow() {
  import -display "$DISPLAY" -window root -crop "160x80+864+688" +repage png:- |
    convert - -fuzz 12% -fill white -opaque '#FFE45C' -fill black +opaque white -format '%[fx:round(w*h*mean)]' info:
}

# Other prefixes on the machine may run copies of their own.
no_zettly_here() { [ "$(zettly_processes)" -eq 0 ]; }

e2e_keep_value 'HKCU\Control Panel\Desktop' LogPixels
for DPI in 144 192; do
  e2e_log "at $DPI DPI"
  e2e_begin
  # The other scenarios run in the same prefix at its own scale, whatever happens here.
  trap 'e2e_restore_then e2e_cleanup' EXIT
  set_dpi "$DPI" || e2e_fail "could not set the prefix's scale to $DPI DPI (harness)"
  e2e_write_notes 'Drag me' '' 3000
  e2e_start
  note_origin
  id=$(e2e_note_window)
  read -r _ _ w h < <(e2e_geometry "$id")
  e2e_assert_eq "$w x $h" "$(sz 245) x $(sz 175)" "window size at $DPI DPI"

  # The counter "1 / 1" and the clock's digits: drawn at the scale and crisp.
  expect_drawn "the counter" 141 152 46 13 10 7 2
  expect_drawn "the clock" 49 2 89 25 40 13 1

  tray_icon_there() { [ "$(tray_icon_yellow)" -gt 20 ]; }
  e2e_wait 15 tray_icon_there || e2e_fail "no tray icon at $DPI DPI"

  # The context menu opens from the note and closes with Esc.
  read -r mx my < <(at "$NX" "$NY" 40 137)
  e2e_click "$mx" "$my" 3
  e2e_wait 5 menu_open || e2e_fail "no context menu at $DPI DPI"
  xdotool key Escape
  e2e_wait 5 menu_closed || e2e_fail "the context menu stayed open"

  # Dragged by the text: the window follows the pointer's travel in screen pixels.
  read -r x0 y0 < <(at "$NX" "$NY" 20 40)
  e2e_drag "$x0" "$y0" $((x0 + 50)) $((y0 + 20))
  moved() { [ "$(e2e_note_position)" = "$((NX + 50)) $((NY + 20))" ]; }
  e2e_wait 5 moved || e2e_fail "window at $(e2e_note_position) after the drag, not $((NX + 50)) $((NY + 20))"
  note_origin

  # The exit picture at its scaled place ends the program and saves the place as it is on screen.
  read -r ex ey < <(at "$NX" "$NY" 10 12)
  e2e_click "$ex" "$ey"
  e2e_wait 30 no_zettly_here || e2e_fail "the exit picture did not end the program at $DPI DPI"
  expect_setting left "$NX"
  expect_setting top "$NY"
done
