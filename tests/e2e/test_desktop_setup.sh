#!/usr/bin/env bash
# A new prefix started as "./zettly run" starts it meets the Linux desktop: it takes the
# desktop's scale (Xft.dpi) on its first start and keeps the one the user set afterwards; notes
# in other scripts show their letters, not boxes (a note and the same note reversed look alike
# only when they are boxes); an attachment reaches the desktop's opener by its Linux path, and
# an opener that fails brings up a box.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
START="$(dirname "$0")/../../launch/wine-start"
. "$(dirname "$0")/../../launch/xvfb.sh"
e2e_begin
# An X server of its own, whose Xft.dpi is set below: on the shared one it would outlive the
# scenario and give the next new prefix started there its scale.
XVFB_PID=""
desktop_cleanup() {
  local rc=$?
  e2e_end_wine
  [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
  (exit $rc)
  e2e_cleanup
}
trap desktop_cleanup EXIT
xvfb_start || e2e_fail "could not start an X server of its own (harness)"
# A prefix of its own, new as "run" makes one: its first start is the one that sets it up.
export WINEPREFIX=$E2E_DIR/wine
wineboot -i </dev/null >/dev/null 2>&1 || true
wineserver -w
# A crash must fail the scenario, not wait for someone to close Wine's dialog.
e2e_set_dword 'HKCU\Software\Wine\WineDbg' ShowCrashDialog 0
e2e_set_dword "$SETTINGS_KEY" On 0

# The desktop's opener, which records what it is handed and fails once told to.
mkdir -p "$E2E_DIR/bin" "$E2E_DIR/My Docs"
cat >"$E2E_DIR/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >>"$E2E_DIR/opened"
[ -e "$E2E_DIR/fail" ] || exit 0
echo "xdg-open: no method available for opening '\$1'" >&2
exit 3
EOF
chmod +x "$E2E_DIR/bin/xdg-open"
attachment="$E2E_DIR/My Docs/report 100% 1 (final).txt"
: >"$attachment"

# One note per script and the same text reversed; the last note carries the attachment.
texts=('日本語のメモ：会議は三時から' '中文笔记：明天下午开会' '한국어 메모: 내일 회의'
  'Заметка: встреча завтра' 'Σημείωση: συνάντηση αύριο' 'הערה: פגישה מחר' 'ملاحظة: اجتماع غدا'
  'บันทึก: ประชุมพรุ่งนี้')
notes=()
for text in "${texts[@]}"; do
  for shown in "$text" "$(python3 -c 'import sys; print(sys.argv[1][::-1])' "$text")"; do
    notes+=("$shown" '' 60000)
  done
done
notes+=(Report "Z:$(printf '%s' "$attachment" | tr '/' '\\')" 60000)
e2e_write_notes "${notes[@]}"

set_scale() { printf 'Xft.dpi:\t144\n' | xrdb -nocpp -merge - && xrdb -query | grep -q '^Xft.dpi:'; }
e2e_wait 10 set_scale || e2e_fail "could not set Xft.dpi (harness)"

start() {
  PATH="$E2E_DIR/bin:$PATH" setsid "$START" --desktop=on "$PROG" >>"$E2E_DIR/start.log" 2>&1 &
  STARTER=$!
  e2e_wait 90 e2e_note_window || e2e_fail "the note window did not appear: $(cat "$E2E_DIR/start.log")"
}
stop() {
  kill -TERM "$STARTER"
  e2e_wait 60 bash -c "! kill -0 $STARTER 2>/dev/null" || e2e_fail "wine-start did not end"
}
dpi() { e2e_reg 'HKCU\Control Panel\Desktop' LogPixels; }

start
e2e_assert_eq "$(dpi)" 144 "the new prefix's scale"
stop
# The user goes back to 96 (as winecfg would): later starts keep it, whatever the desktop says.
e2e_set_dword 'HKCU\Control Panel\Desktop' LogPixels 96
start
e2e_assert_eq "$(dpi)" 96 "the scale the user set"
e2e_focus_note
note_origin

# Steps to the next note (the previous with "Left"); returns once its counter, painted with its
# text, is on the screen.
counter_changed() { [ "$(note_counter_signature)" != "$1" ]; }
step() {
  local counter key=${1:-Right}
  counter=$(note_counter_signature)
  e2e_key ctrl "$key"
  e2e_wait 10 counter_changed "$counter" || e2e_fail "Ctrl+$key did not step$(e2e_box_up && echo ': a box is up')"
}
# The first line of the editor's Note field, opened on the note on display: "ink signature".
editor_line_drawn() { [ "$(dark_pixels $((EX + 8)) $((EY + 24)) 200 16)" -gt 0 ]; }
editor_line() {
  e2e_key ctrl e
  editor_wait '^Edit note'
  e2e_wait 10 editor_line_drawn || true
  echo "$(dark_pixels $((EX + 8)) $((EY + 24)) 200 16) $(area_signature $((EX + 8)) $((EY + 24)) 200 16)"
  e2e_key "" Escape
  editor_wait_gone
}

e2e_wait 10 note_text_shown || e2e_fail "the first note is not on display"
for text in "${texts[@]}"; do
  ink=$(note_text_dark)
  ahead=$(note_text_signature)
  # The editor draws in a rich-edit box, which Wine fills from one font.
  case $text in 日本語*) read -r edit_ink edit_ahead < <(editor_line) ;; *) edit_ink="" ;; esac
  step
  [ "$ink" -gt 40 ] || e2e_fail "'$text' leaves the note blank ($ink dark pixels)"
  [ "$(note_text_signature)" != "$ahead" ] || e2e_fail "'$text' shows as boxes: reversed it looks the same"
  if [ -n "$edit_ink" ]; then
    [ "$edit_ink" -gt 40 ] || e2e_fail "'$text' leaves the editor blank ($edit_ink dark pixels)"
    read -r _ edit_reversed < <(editor_line)
    [ "$edit_reversed" != "$edit_ahead" ] || e2e_fail "'$text' shows as boxes in the editor"
  fi
  step
done

# The attachment goes to the opener by its Linux path, % and blanks as they are.
e2e_key ctrl a
opened() { grep -qxF "$attachment" "$E2E_DIR/opened"; }
e2e_wait 20 opened || e2e_fail "the opener was handed '$(cat "$E2E_DIR/opened" 2>/dev/null)'"
# The program waits for the opener's answer before it takes the next key, and a box would take
# that key: a step away and back shows the answer was in and no box came.
step Left
e2e_box_up && e2e_fail "a box came up though the opener took the attachment"
step Right
: >"$E2E_DIR/fail"
e2e_key ctrl a
e2e_wait 20 e2e_box_up || e2e_fail "no box when the opener failed"
e2e_key "" Return
stop
