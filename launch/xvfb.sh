# A private X server on a display number it picks itself (-displayfd): no race with another
# server over a guessed free number. It runs in its own session, so a Ctrl+C in the terminal
# leaves the screen to the program until the program has closed.
#
# xvfb_start sets XVFB_PID and DISPLAY, or says why not and fails. The server is ready once it
# has told its number. It resets whenever its last client leaves, and a client that comes in
# during a reset is turned away: so one client, the first, stays connected for the server's life
# (it ends with the server), and checks that come and go can no longer turn the next one away.
xvfb_start() {
  local answer i n=""
  answer=$(mktemp)
  # Without job control a background job leads no process group, so setsid needs no fork and $!
  # is the server itself. A lock the caller holds on descriptor 9 must not live on in it.
  setsid Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -ac 5>"$answer" >/dev/null 2>&1 9>&- &
  XVFB_PID=$!
  for i in $(seq 1 100); do
    n=$(head -n1 "$answer" 2>/dev/null)
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$answer"
  if [ -z "$n" ]; then echo "could not start Xvfb" >&2; return 1; fi
  export DISPLAY=":$n"
  setsid xprop -display "$DISPLAY" -root -spy </dev/null >/dev/null 2>&1 9>&- &
}
