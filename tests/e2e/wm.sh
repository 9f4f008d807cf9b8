# A Linux desktop of the scenario's own, as a person meets the program: a private X server with
# a real window manager (openbox), optionally a notification area (trayer), and the program
# started straight on it, without a Wine desktop, as "./zettly run" does where a window manager
# runs. Source after lib.sh and call wm_begin instead of e2e_begin.
WM_LAUNCH=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../launch" && pwd)
. "$WM_LAUNCH/xvfb.sh"

WM_PIDS=()

wm_cleanup() {
  local rc=$? pid
  e2e_end_wine
  for pid in "${WM_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ $rc -eq 0 ] && e2e_log "passed"
  exit $rc
}

# The window manager has said who it is on the root window.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# Someone owns the notification area of screen 0.
wm_tray_owned() { python3 "$WM_LAUNCH/tray_owned.py" 0; }

# wm_begin [--tray]: a fresh program folder as e2e_begin makes it, on a new screen with openbox
# (and trayer with --tray). DISPLAY then names that screen.
wm_begin() {
  e2e_begin
  trap wm_cleanup EXIT
  local started=0
  xvfb_start || started=$?
  WM_PIDS+=("$XVFB_PID")
  [ "$started" = 0 ] || e2e_fail "no X server for the desktop"
  setsid openbox --sm-disable </dev/null >"$E2E_DIR/openbox.log" 2>&1 &
  WM_PIDS+=($!)
  e2e_wait 20 wm_ready || e2e_fail "openbox did not start"
  if [ "${1:-}" = --tray ]; then
    setsid trayer --edge bottom --align right --widthtype pixel --width 120 --height 24 \
      </dev/null >"$E2E_DIR/trayer.log" 2>&1 &
    WM_PIDS+=($!)
    e2e_wait 20 wm_tray_owned || e2e_fail "trayer did not take the notification area"
  fi
}

# Starts the program as a terminal would, without a click afterwards; returns when its note
# window is on the screen.
wm_start() {
  (cd "$PROG" && setsid wine Zettly.exe </dev/null >"$E2E_DIR/wine.log" 2>&1 &)
  e2e_wait 60 e2e_note_window || e2e_fail "the note window did not appear"
}

# The X window that has the keyboard focus.
wm_focus_window() { xdotool getwindowfocus 2>/dev/null; }

# The program's icon sits at the right end of trayer's strip (bottom right of the screen).
wm_tray_icon_docked() { [ "$(e2e_pixel 1012 756)" != "$(e2e_pixel 910 756)" ]; }

# After wm_start with --tray, as a person sees it: the window manager has given the note window
# the keyboard and the icon has arrived in the notification area.
wm_settled() {
  e2e_wait 20 eval '[ "$(wm_focus_window)" = "$(e2e_note_window)" ]' || e2e_fail "the window manager did not focus the note window"
  e2e_wait 20 wm_tray_icon_docked || e2e_fail "the icon did not arrive in the notification area"
}
