#!/usr/bin/env bash
# The program as "./zettly run" starts it: a second start leaves the first running, its help
# button hands the help's pages to the desktop's browser, and Ctrl+C (or SIGTERM) closes it as Exit
# does, so a note deleted a moment before and a switch changed stay so, and no Wine process of its
# prefix is left.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
START="$(dirname "$0")/../../launch/wine-start"
e2e_begin
e2e_write_notes \
  'First' '' 60000 \
  'Second' '' 60000
mkdir -p "$PROG/help"
cp "$(dirname "$0")"/../../help/*.html "$(dirname "$0")"/../../help/*.css "$PROG/help/"

# The desktop's opener: the help hand-off calls xdg-open, which here writes down what it got.
mkdir -p "$E2E_DIR/bin"
printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$E2E_DIR" >"$E2E_DIR/bin/xdg-open"
chmod +x "$E2E_DIR/bin/xdg-open"

# Started as a job of its own, it takes SIGINT as a terminal's Ctrl+C delivers it.
start() {
  set -m
  PATH="$E2E_DIR/bin:$PATH" "$START" --desktop=on "$PROG" >>"$E2E_DIR/start.log" 2>&1 &
  STARTER=$!
  set +m
  e2e_wait 60 e2e_note_window || e2e_fail "the note window did not appear"
  e2e_focus_note
  note_origin
}
starter_ended() { ! kill -0 "$STARTER" 2>/dev/null; }
stop_with() {
  kill -"$1" "$STARTER"
  e2e_wait 60 starter_ended || e2e_fail "wine-start did not end after SIG$1"
  wait "$STARTER" || e2e_fail "wine-start failed after SIG$1: $(cat "$E2E_DIR/start.log")"
  e2e_no_wine_left || e2e_fail "Wine processes left after SIG$1: $(e2e_wine_pids | tr '\n' ' ')"
}

start
# A second start hands over to the running copy and ends; the running copy and its Wine stay.
PATH="$E2E_DIR/bin:$PATH" "$START" --desktop=on "$PROG" >>"$E2E_DIR/start.log" 2>&1 || e2e_fail "a second wine-start failed"
[ "$(zettly_processes)" = 1 ] || e2e_fail "$(zettly_processes) copies after a second start"
kill -0 "$STARTER" 2>/dev/null || e2e_fail "the first wine-start ended on a second start"

e2e_click $((NX + 1 + 199)) $((NY + 1 + 14))
help_opened() { grep -qxF "$PROG/help/index.html" "$E2E_DIR/opened"; }
e2e_wait 30 help_opened || e2e_fail "the help button opened '$(cat "$E2E_DIR/opened" 2>/dev/null)'"
[ -f "$PROG/help/index.html" ] || e2e_fail "the help's first page is not in the program folder"

e2e_focus_note
e2e_key ctrl t
note_menu c
stop_with INT
notes=$(e2e_notes)
grep -qx 'N=1' <<<"$notes" || e2e_fail "the deleted note came back: $notes"
grep -q 'First' <<<"$notes" && e2e_fail "the deleted note is still in the file: $notes"
expect_setting Clock 0

# SIGTERM, as a session's end or "kill" sends it, closes it the same way.
start
note_menu c
stop_with TERM
expect_setting Clock 1
