# End-to-end helpers: run the real Zettly.exe in a fresh program folder on a Wine desktop (with
# taskbar and notification area) under the X display that ./zettly started, drive it with xdotool
# (XTEST) and check it through its files, the registry and screenshots.
#
# Every wait has a deadline and polls a condition; nothing waits a fixed time for the program.
# A scenario sources this file, calls e2e_begin, and the EXIT trap cleans up whatever happens.
#
# Environment (set by ctest from the Windows build): ZETTLY_EXE, ZETTLY_HELP (may be missing),
# E2E_WORK (a scratch folder), DISPLAY and WINEPREFIX (set by ./zettly test).
set -euo pipefail

: "${ZETTLY_EXE:?run through ctest or ./zettly test}"
: "${E2E_WORK:?}"
: "${DISPLAY:?e2e tests need the display that ./zettly test starts}"
: "${WINEPREFIX:?e2e tests need the Wine prefix that ./zettly test makes for them}"
. "$(dirname "${BASH_SOURCE[0]}")/../../launch/wine-env.sh"

E2E_NAME=$(basename "${BASH_SOURCE[1]:-$0}" .sh)
E2E_DIR="$E2E_WORK/$E2E_NAME"
PROG="$E2E_DIR/prog"           # the program folder: Zettly.exe, help.chm, notices.msg
SETTINGS_KEY='HKCU\Software\Quorvel\Pinnote\Setup'
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

e2e_log() { printf '[%s] %s\n' "$E2E_NAME" "$*" >&2; }
e2e_fail() { e2e_log "FAIL: $*"; e2e_shot "failure" >/dev/null 2>&1 || true; exit 1; }

# Polls a command until it succeeds, for at most $1 seconds.
e2e_wait() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}

# Ends the Wine processes of this scenario's own prefix (wineserver -k reaches no other prefix)
# and waits until none of them is alive.
e2e_end_wine() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  e2e_wait 10 e2e_no_wine_left || e2e_log "Wine processes of $WINEPREFIX still alive: $(e2e_wine_pids | tr '\n' ' ')"
}

e2e_cleanup() {
  local rc=$?
  e2e_end_wine
  [ $rc -eq 0 ] && e2e_log "passed"
  exit $rc
}

# Fresh folder, no settings, no autorun entry, no Wine program still running.
e2e_begin() {
  trap e2e_cleanup EXIT
  e2e_end_wine
  rm -rf "$E2E_DIR"
  mkdir -p "$PROG"
  cp "$ZETTLY_EXE" "$PROG/Zettly.exe"
  if [ -n "${ZETTLY_HELP:-}" ] && [ -f "$ZETTLY_HELP" ]; then cp "$ZETTLY_HELP" "$PROG/"; fi
  wine reg delete 'HKCU\Software\Quorvel' /f >/dev/null 2>&1 || true
  wine reg delete "$RUN_KEY" /v Zettly /f >/dev/null 2>&1 || true
  # A scenario that started the program as "./zettly run" does may have made the prefix's
  # default a Wine desktop; the others pick their desktop themselves.
  wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
}

# Starts the program on a Wine desktop with a taskbar; returns when its note window is on screen.
e2e_start() {
  (cd "$PROG" && setsid wine explorer /desktop=shell,1024x768 Zettly.exe </dev/null >"$E2E_DIR/wine.log" 2>&1 &)
  e2e_wait 60 e2e_note_window || e2e_fail "the note window did not appear"
  e2e_focus_note
}

# Gives the note window the keyboard as a person does: a click on a bare spot of the note
# (below the text, above the buttons).
e2e_focus_note() {
  local x y
  read -r x y < <(e2e_note_position) || e2e_fail "no note window to focus"
  e2e_click $((x + 40)) $((y + 138))
}

# A second copy, started like the first (for the single-instance scenario).
e2e_start_again() {
  (cd "$PROG" && setsid wine Zettly.exe </dev/null >>"$E2E_DIR/wine.log" 2>&1 &)
}

# Absolute geometry "x y width height" of an X window (xdotool counts child windows' offsets twice).
e2e_geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
    END {if (w != "") print x, y, w, h}'
}

# The program's shown windows of some size, named as the program: the note window and, while one
# is up, a box or question. e2e_box_up and e2e_no_box wait on either.
e2e_program_windows() {
  local n=0 id w h
  for id in $(xdotool search --onlyvisible --name '^Zettly$' 2>/dev/null); do
    read -r _ _ w h < <(e2e_geometry "$id") || continue
    [ "${w:-0}" -gt 50 ] && [ "${h:-0}" -gt 50 ] && n=$((n + 1))
  done
  echo "$n"
}
e2e_box_up() { [ "$(e2e_program_windows)" -ge 2 ]; }
e2e_no_box() { [ "$(e2e_program_windows)" -le 1 ]; }

# The X window of the note window: named "Zettly", shown, and not of zero size.
e2e_note_window() {
  local id x y w h
  for id in $(xdotool search --onlyvisible --name '^Zettly$' 2>/dev/null); do
    read -r x y w h < <(e2e_geometry "$id") || continue
    if [ "${w:-0}" -gt 50 ] && [ "${h:-0}" -gt 50 ]; then echo "$id"; return 0; fi
  done
  return 1
}

# Screen position "x y" of the note window's top-left corner.
e2e_note_position() {
  local id
  id=$(e2e_note_window) || return 1
  e2e_geometry "$id" | awk '{print $1, $2}'
}

# Processes are this scenario's only when they run in its own Wine prefix (other checkouts, a
# "./zettly run" and other scenarios' Wine have their own), and only while alive: where nobody
# reaps orphans, an ended Wine process stays behind as a zombie under its old name.
e2e_alive() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ] && [ "${stat%% *}" != X ]
}
e2e_own_prefix() {
  tr '\0' '\n' <"/proc/$1/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"
}
# Live processes of our prefix whose command line matches an extended regular expression
# (everything Wine runs there, wineserver included, when none is given).
e2e_wine_pids() {
  local pid
  for pid in $(pgrep -f "${1:-.}" 2>/dev/null); do
    [ "$pid" = $$ ] && continue
    e2e_alive "$pid" && e2e_own_prefix "$pid" || continue
    # pgrep also sees command lines that merely name the pattern (a shell's, our own).
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qE "${1:-.}" || continue
    case $(readlink "/proc/$pid/exe" 2>/dev/null) in
      */wine*) echo "$pid" ;;
    esac
  done
}
e2e_no_wine_left() { [ -z "$(e2e_wine_pids)" ]; }

# A Zettly that is running here: the program, or the Wine desktop started with it.
e2e_running() { [ -n "$(e2e_wine_pids 'Zettly\.exe')" ]; }
e2e_process_count() { e2e_wine_pids 'Zettly\.exe' | wc -l; }
e2e_not_running() { ! e2e_running; }
e2e_wait_exit() { e2e_wait "${1:-30}" e2e_not_running; }

# Keys as a person presses them: modifiers held while the key goes down and up.
#   e2e_key ctrl Right     e2e_key "" Escape     e2e_type "text"
e2e_key() {
  local mod=$1 key=$2
  if [ -n "$mod" ]; then
    xdotool keydown "$mod" sleep 0.05 key "$key" sleep 0.05 keyup "$mod"
  else
    xdotool key "$key"
  fi
  sleep 0.1
}
e2e_type() { xdotool type --delay 30 "$1"; }

# Mouse at screen coordinates.
e2e_click() { xdotool mousemove "$1" "$2" sleep 0.05 click "${3:-1}"; sleep 0.1; }
e2e_double_click() { xdotool mousemove "$1" "$2" sleep 0.05 click --repeat 2 --delay 80 1; sleep 0.1; }
e2e_drag() { xdotool mousemove "$1" "$2" sleep 0.05 mousedown 1 sleep 0.1 mousemove "$3" "$4" sleep 0.1 mouseup 1; sleep 0.1; }

# A screenshot of the whole screen; prints its path.
e2e_shot() {
  local file="$E2E_DIR/$1.png"
  import -display "$DISPLAY" -window root "$file"
  echo "$file"
}

# The colour of a screen pixel as "r,g,b" (decimal), from a fresh screenshot.
e2e_pixel() {
  import -display "$DISPLAY" -window root -crop "1x1+$1+$2" +repage -depth 8 txt:- |
    sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}
e2e_pixel_is() { [ "$(e2e_pixel "$1" "$2")" = "$3" ]; }
e2e_wait_pixel() { e2e_wait "${4:-15}" e2e_pixel_is "$1" "$2" "$3" || e2e_fail "pixel $1,$2 is $(e2e_pixel "$1" "$2"), not $3"; }

# Registry values: prints the data (decimal for REG_DWORD) or fails when absent.
e2e_reg() {
  local out
  out=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1==v {$1=""; print}') || return 1
  [ -n "$out" ] || return 1
  set -- $out
  local type=$1; shift
  if [ "$type" = REG_DWORD ]; then printf '%d\n' "$1"; else echo "$*"; fi
}

# Writes a REG_DWORD and reads it back: a write that did not take is the harness's failure, not
# a finding about the program.
e2e_set_dword() {
  local try
  for try in 1 2 3; do
    wine reg add "$1" /v "$2" /t REG_DWORD /d "$3" /f </dev/null >/dev/null 2>&1
    [ "$(e2e_reg "$1" "$2")" = "$3" ] && return 0
  done
  e2e_fail "could not set $1\\$2 to $3 (harness)"
}

# A value as "TYPE DATA" (DATA as reg prints it), or a failure when it is not there. An empty name
# is the key's default value.
e2e_reg_value() {
  local name=$2 shown=$2 args=(/v "$2")
  [ -n "$name" ] || { shown='(Default)'; args=(/ve); }
  wine reg query "$1" "${args[@]}" </dev/null 2>/dev/null | tr -d '\r' | awk -v head="    $shown    " '
    index($0, head) == 1 { rest = substr($0, length(head) + 1); if (!sub(/    /, " ", rest)) rest = rest " "; print rest; found = 1; exit }
    END { exit !found }'
}

# A scenario that changes values of the shared prefix keeps them with e2e_keep_value before it
# changes them, and puts them back with e2e_restore_values on its way out (see e2e_restore_then):
# as they were, or gone when they were not there. A value that does not read back as it was
# fails the scenario, as the ones after it would run on a changed prefix.
E2E_KEPT_KEYS=() E2E_KEPT_NAMES=() E2E_KEPT_VALUES=()
e2e_keep_value() {
  local value
  value=$(e2e_reg_value "$1" "$2") || value=""
  E2E_KEPT_KEYS+=("$1") E2E_KEPT_NAMES+=("$2") E2E_KEPT_VALUES+=("$value")
}
e2e_restore_values() {
  local i key name value now args try ok=0
  for i in "${!E2E_KEPT_KEYS[@]}"; do
    key=${E2E_KEPT_KEYS[$i]} name=${E2E_KEPT_NAMES[$i]} value=${E2E_KEPT_VALUES[$i]}
    args=(/v "$name")
    [ -n "$name" ] || args=(/ve)
    for try in 1 2 3; do
      if [ -z "$value" ]; then
        wine reg delete "$key" "${args[@]}" /f </dev/null >/dev/null 2>&1
      else
        wine reg add "$key" "${args[@]}" /t "${value%% *}" /d "${value#* }" /f </dev/null >/dev/null 2>&1
      fi
      now=$(e2e_reg_value "$key" "$name") || now=""
      [ "$now" = "$value" ] && break
    done
    if [ "$now" != "$value" ]; then
      e2e_log "FAIL: $key\\${name:-(Default)} could not be put back as it was ('${value:-none}'; it is '${now:-none}')"
      ok=1
    fi
  done
  return $ok
}
# The EXIT trap of such a scenario: its programs ended, the values put back, then its usual
# clean-up ($1), which a failed restore fails.
e2e_restore_then() {
  local rc=$?
  e2e_end_wine
  e2e_restore_values || rc=1
  (exit $rc)
  "$1"
}

# notices.msg as plain text (UTF-16 files are converted), without CRs.
e2e_notes() {
  local f="$PROG/notices.msg"
  [ -f "$f" ] || return 1
  # Without what lets computers merge their notes (each note's Id and Version, the trash record):
  # scenarios compare what the user wrote.
  if head -c2 "$f" | od -An -tx1 | grep -q 'ff fe'; then iconv -f UTF-16 -t UTF-8 "$f"; else cat "$f"; fi | tr -d '\r' |
    awk '/^\[/ { trash = tolower($0) == "[trashed]" } !trash && !/^(Id|Version)=/'
}

# Writes notices.msg as an earlier run would have left it (CR LF line ends): a note for each three
# arguments, its text, its attachment and its exposure in milliseconds.
e2e_write_notes() {
  [ $(($# % 3)) -eq 0 ] || e2e_fail "e2e_write_notes takes a text, an attachment and an exposure per note (harness)"
  local k=0
  {
    printf '[General]\r\nN=%s\r\n' $(($# / 3))
    while [ $# -gt 0 ]; do
      k=$((k + 1))
      printf '[Note%s]\r\nContent=%s\r\nAttach=%s\r\nExposure=%s\r\n' "$k" "$1" "$2" "$3"
      shift 3
    done
  } >"$PROG/notices.msg"
}

e2e_assert_eq() { [ "$1" = "$2" ] || e2e_fail "${3:-value}: expected '$2', got '$1'"; }
