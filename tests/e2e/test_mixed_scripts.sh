#!/usr/bin/env bash
# Notes that mix scripts, in a new prefix started as "./zettly run" starts it: every word is
# drawn in a font that has it, in the note window and in the editor (a word that shows as boxes
# looks the same reversed, so each word reversed on its own must change the picture), and so are
# emoji. The prefix has Wine's own fonts, and Wine's log stays out of the program folder.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
START="$(dirname "$0")/../../launch/wine-start"
e2e_begin
export WINEPREFIX=$E2E_DIR/wine
wineboot -i </dev/null >/dev/null 2>&1 || true
wineserver -w
e2e_set_dword 'HKCU\Software\Wine\WineDbg' ShowCrashDialog 0
e2e_set_dword "$SETTINGS_KEY" On 0
# At Wine's own scale, whatever Xft.dpi an earlier scenario left on the shared screen: the
# editor's places below are for 96 pixels per inch.
touch "$WINEPREFIX/.zettly-desktop-dpi"

# Each note as it is, then with one of its words reversed at a time.
mixed=('Привет שלום สวัสดี' '你好 مرحبا' 'Grüße привет 你好世界 مرحبا' 'Ελλάδα 한국어 日本語')
notes=()
for text in "${mixed[@]}"; do
  read -ra words <<<"$text"
  notes+=("$text" '' 60000)
  for i in "${!words[@]}"; do
    changed=("${words[@]}")
    changed[i]=$(python3 -c 'import sys; print(sys.argv[1][::-1])' "${words[i]}")
    notes+=("${changed[*]}" '' 60000)
  done
done
# Two emoji beyond the first 65,536 characters: as boxes they would look alike.
notes+=('Smile 😀' '' 60000 'Smile 😐' '' 60000)
e2e_write_notes "${notes[@]}"

xprop -root -spy >/dev/null 2>&1 &
SPY=$!
STARTER=""
# The starter (in a session of its own) closes the program before Wine is ended, whatever ends
# the scenario: a program left on the shared screen would be taken for the next scenario's.
stop_starter() {
  [ -n "$STARTER" ] || return 0
  kill -TERM "$STARTER" 2>/dev/null || true
  e2e_wait 60 bash -c "! kill -0 $STARTER 2>/dev/null" || e2e_log "wine-start did not end"
}
trap 'rc=$?; stop_starter; kill "$SPY" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT
setsid "$START" --desktop=on "$PROG" >>"$E2E_DIR/start.log" 2>&1 &
STARTER=$!
e2e_wait 90 e2e_note_window || e2e_fail "the note window did not appear: $(cat "$E2E_DIR/start.log")"
e2e_focus_note
note_origin

# The faces Wine's GDI takes into its list in this prefix (every process of it has the same).
fonts=$(WINEDEBUG=+font wine cmd /c exit 2>&1 </dev/null | grep -o 'Adding face L"[^"]*"' | sort -u)
for face in Marlett Tahoma; do
  grep -qF "Adding face L\"$face\"" <<<"$fonts" || e2e_fail "Wine's $face is not among the prefix's fonts"
done
[ ! -e "$PROG/wine.log" ] || e2e_fail "Wine's log is in the program folder"

counter_changed() { [ "$(note_counter_signature)" != "$1" ]; }
step() {
  local counter
  counter=$(note_counter_signature)
  e2e_key ctrl Right
  e2e_wait 10 counter_changed "$counter" || e2e_fail "Ctrl+Right did not step"
}
# The first line of the editor's Note field for the note on display.
editor_line_drawn() { [ "$(dark_pixels $((EX + 8)) $((EY + 24)) 200 16)" -gt 0 ]; }
editor_line() {
  e2e_key ctrl e
  editor_wait '^Edit note'
  e2e_wait 10 editor_line_drawn || true
  area_signature $((EX + 8)) $((EY + 24)) 200 16
  e2e_key "" Escape
  editor_wait_gone
  e2e_focus_note
}

e2e_wait 10 note_text_shown || e2e_fail "the first note is not on display"
for text in "${mixed[@]}"; do
  read -ra words <<<"$text"
  shown=$(note_text_signature)
  edited=$(editor_line)
  for word in "${words[@]}"; do
    step
    [ "$(note_text_signature)" != "$shown" ] || e2e_fail "'$word' of '$text' shows as boxes in the note"
    [ "$(editor_line)" != "$edited" ] || e2e_fail "'$word' of '$text' shows as boxes in the editor"
  done
  step
done
smile=$(note_text_signature)
step
[ "$(note_text_signature)" != "$smile" ] || e2e_fail "the emoji show as boxes in the note"
kill -TERM "$STARTER"
e2e_wait 60 bash -c "! kill -0 $STARTER 2>/dev/null" || e2e_fail "wine-start did not end"
STARTER=""
