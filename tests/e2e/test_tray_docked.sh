#!/usr/bin/env bash
# The icon in a Linux desktop's own notification area (openbox and trayer; the program straight
# on the X server, as "./zettly run" starts it where a window manager runs) in a prefix no run of
# the program has touched: areas 24, 32, 42 and 64 pixels high, three starts at each, and the
# area restarted under the running program. Each time the icon is drawn, once (Wine may leave
# the picture it painted before the area sized the icon beside the new one), and a right click on
# it opens the menu, whose Exit ends the program.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/wm.sh"

# A prefix of its own, made anew: nothing of an earlier run or another scenario in it.
export WINEPREFIX="$E2E_WORK/tray_docked.prefix"
WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
wm_begin
# The prefix was made (and its desktop process started) before this scenario's X server: Wine
# starts anew on it, or the notification area it looks for is another screen's.
e2e_end_wine
AREA_PID=""
AREA_HEIGHT=0
AREA_WIDTH=160

area_start() {
  AREA_HEIGHT=$1
  setsid trayer --edge bottom --align right --widthtype pixel --width $AREA_WIDTH --height "$1" \
    </dev/null >>"$E2E_DIR/trayer.log" 2>&1 &
  AREA_PID=$!
  WM_PIDS+=("$AREA_PID")
  e2e_wait 20 wm_tray_owned || e2e_fail "trayer ($1 px) did not take the notification area"
}
area_stop() {
  kill "$AREA_PID" 2>/dev/null || true
  e2e_wait 10 eval '! wm_tray_owned' || e2e_fail "trayer did not give the notification area up"
}

# The area's strip, one "x y r,g,b" a pixel.
area_pixels() {
  import -display "$DISPLAY" -window root -crop "${AREA_WIDTH}x${AREA_HEIGHT}+$((1024 - AREA_WIDTH))+$((768 - AREA_HEIGHT))" \
    +repage -depth 8 txt:- | sed -n 's/^\([0-9]*\),\([0-9]*\): (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3,\4,\5/p'
}
# The icon drawn once: pixels other than the area's background (its top-left pixel) in no more
# rows than the 16-pixel picture takes (a picture left from before the area sized the icon
# would add rows above or below it). Sets ICON_X to the middle of the drawn pixels.
ICON_X=""
icon_drawn() {
  local x
  x=$(area_pixels | awk 'NR == 1 { bg = $3 } $3 != bg { n++; sum += $1; rows[$2] = 1 }
        END { r = 0; for (y in rows) r++; if (n < 20 || r > 16) exit 1; print int(sum / n) }') || return 1
  ICON_X=$((1024 - AREA_WIDTH + x))
}

# The icon answers: a right click opens the menu, whose Exit ("x") ends the program.
icon_menu_exits() {
  local attempt
  for attempt in 1 2 3; do
    e2e_click "$ICON_X" $((768 - AREA_HEIGHT / 2)) 3
    e2e_wait 3 menu_open && break
    [ $attempt -eq 3 ] && e2e_fail "no menu on a right click on the icon ($AREA_HEIGHT px, x $ICON_X)"
  done
  xdotool key x
  e2e_wait_exit 30 || e2e_fail "Exit from the icon's menu did not end the program ($AREA_HEIGHT px)"
}

for height in 24 32 42 64; do
  area_start "$height"
  for n in 1 2 3; do
    wm_start
    e2e_wait 20 icon_drawn || { e2e_shot "blank-$height-$n" >/dev/null; e2e_fail "start $n: no icon drawn in a $height px area"; }
    icon_menu_exits
  done
  # The area goes and comes back while the program runs: the icon docks again and answers.
  wm_start
  e2e_wait 20 icon_drawn || e2e_fail "no icon drawn in a $height px area before its restart"
  area_stop
  area_start "$height"
  e2e_wait 20 icon_drawn || { e2e_shot "blank-restart-$height" >/dev/null; e2e_fail "no icon drawn after the $height px area restarted"; }
  icon_menu_exits
  area_stop
done
