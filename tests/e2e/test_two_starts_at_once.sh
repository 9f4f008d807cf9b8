#!/usr/bin/env bash
# Two starts within 100 ms, a few times over: one copy stays running, it shows the notes, and
# after Exit the notes file is exactly as it was.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_write_notes \
  'First of two' '' 3000 \
  'Second of two' '' 3000
e2e_set_dword "$SETTINGS_KEY" On 0
before=$(md5sum <"$PROG/notices.msg")
start_copy() { (cd "$PROG" && setsid wine explorer /desktop=shell,1024x768 Zettly.exe </dev/null >>"$E2E_DIR/wine.log" 2>&1 &); }
one_copy() { [ "$(zettly_processes)" = "1" ]; }

for round in 1 2 3; do
  start_copy
  sleep 0.05
  start_copy
  e2e_wait 60 e2e_note_window || e2e_fail "round $round: no note window"
  e2e_wait 30 one_copy || e2e_fail "round $round: $(zettly_processes) copies running"
  note_origin
  e2e_wait 10 note_text_shown || e2e_fail "round $round: the running copy shows no note"
  e2e_assert_eq "$(md5sum <"$PROG/notices.msg")" "$before" "round $round: notes file while running"
  note_exit
  e2e_assert_eq "$(md5sum <"$PROG/notices.msg")" "$before" "round $round: notes file after Exit"
  if ls "$PROG" | grep -q '\.tmp$'; then e2e_fail "round $round: a temporary file was left: $(ls "$PROG")"; fi
done
