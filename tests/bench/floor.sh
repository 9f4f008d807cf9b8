#!/usr/bin/env bash
# Zettly next to the least a Win32 program can cost: start-up, memory and idle cost, measured
# from outside on one Wine desktop in one run, printed as a table with ratios.
#
#   [STARTS=n] tests/bench/floor.sh [--quick] [--start-only] [path/to/Zettly.exe]
#                                                       (default: build/win/app/Zettly.exe)
#
# Subjects (all under one private Wine prefix, on its virtual desktop "shell", 1024x768, on a
# private Xvfb screen):
#   floor        floor/floor_window.cpp: a popup window in the tooltip colour with a line of text
#   clock floor  the same with a timer that repaints it every 500 ms, as a clock must
#   Zettly       the real exe with no notes, clock and cycling on (then, for the idle figures
#                only, a second time with the clock hidden and cycling off)
# The floors are built here with the MinGW toolchain, optimised, static and stripped, as the
# program is.
#
# Method
# - Start to shown: floor/subject_driver.exe, running on the same desktop, takes the time just
#   before CreateProcess and polls (every 2 ms, after WaitForInputIdle) until the subject has a
#   visible top-level window of at least 50 x 50 whose client area, read back from the screen,
#   shows both the tooltip background colour and dark text or digits. Each start is a new
#   process; the subjects take turns (floor, clock floor, Zettly, floor, ...) so that all see
#   the same machine. Median of RUNS starts (7; 3 with --quick), after one start of each that
#   is not counted (it fills the file cache). STARTS=n counts n starts instead: start-up times on a
#   shared virtual machine vary by a fifth from run to run, so a few more starts steady the median.
#   Every start gets a Wine session and desktop of its own: a subject is killed after its start,
#   and the shell of this Wine keeps the notification-area icon (and the taskbar entries) of a
#   killed program until it next tries to talk to it, so on a shared desktop each start of a
#   program with a tray icon would find more dead entries than the last and be slowed by the
#   shell's growing work. A keeper (subject_driver.exe keep) holds the new desktop open, and
#   the start waits 2 s for its shell to settle: Wine closes a desktop about a second after its
#   last window goes, and a start that has to open a new one takes twice as long.
# - PSS: 2 s after a subject is shown, the "Pss:" line of /proc/<pid>/smaps_rollup of its Linux
#   process (Wine runs each Windows process as one): its own pages plus its share of the pages it
#   shares, Wine's DLLs included. Median over the starts.
# - Idle: the floor, the clock floor and Zettly run side by side, at different places on the
#   screen, for MINUTES windows of WINDOW seconds (3 x 60 s; 2 x 15 s with --quick), counted
#   from 3 s after all are shown. For each window and process, summed over all its threads
#   (/proc/<pid>/task/*): CPU time from the first field of schedstat (nanoseconds on a CPU) and
#   wake-ups as voluntary context switches from status (each is a sleep that something ended;
#   under Wine every call to the Wine server is such a sleep, so one timer tick counts several).
#   Figures are per minute, the median of the windows. Then Zettly runs alone the same way with
#   the clock hidden and cycling off.
# The benchmarked copy of the program is renamed, so that anything on this machine that looks
# for running copies of Zettly.exe by name (the end-to-end tests) does not see it.
set -euo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
RUNS=7 MINUTES=3 WINDOW=60
IDLE=1
if [ "${1:-}" = --quick ]; then RUNS=3 MINUTES=2 WINDOW=15; shift; fi
if [ "${1:-}" = --start-only ]; then IDLE=0; shift; fi
RUNS=${STARTS:-$RUNS}
EXE=$(realpath "${1:-$ROOT/build/win/app/Zettly.exe}")
[ -f "$EXE" ] || { echo "no $EXE: build it first (./zettly test or cmake --build build/win)" >&2; exit 2; }

WORK=$ROOT/build/bench-floor
. "$ROOT/launch/wine-env.sh"
. "$ROOT/launch/xvfb.sh"
export WINEPREFIX=$WORK/wine
PROG=$WINEPREFIX/drive_c/zbench
SETTINGS='HKCU\Software\Quorvel\Pinnote\Setup'
mkdir -p "$WORK"

say() { printf '[floor bench] %s\n' "$*" >&2; }

# ------------------------------------------------------------------ build the floors
CXX=x86_64-w64-mingw32-g++-posix
FLAGS=(-std=c++20 -O2 -Wall -Wextra -municode -static -s -I"$ROOT")
$CXX "${FLAGS[@]}" -mwindows -o "$WORK/floor_window.exe" "$HERE/floor/floor_window.cpp"
$CXX "${FLAGS[@]}" -mwindows -DREPAINT_MS=500 -o "$WORK/clock_floor.exe" "$HERE/floor/floor_window.cpp"
$CXX "${FLAGS[@]}" -o "$WORK/subject_driver.exe" "$HERE/floor/subject_driver.cpp" -lgdi32

# ------------------------------------------------------------------ Wine and X
XVFB_PID=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  return 0
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/.ready" ]; then
  say "creating the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  # A prefix Wine could not make is not used (nor marked ready): what Wine said ends the run.
  if ! wineboot -i </dev/null >"$WORK/wineboot.log" 2>&1; then
    tail -n 20 "$WORK/wineboot.log" >&2
    say "Wine could not make the prefix $WINEPREFIX"
    exit 1
  fi
  wineserver -w
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Every program of this prefix runs on one virtual desktop.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.ready"
fi

xvfb_start

mkdir -p "$PROG"
rm -f "$PROG/notices.msg"
cp "$WORK/floor_window.exe" "$WORK/clock_floor.exe" "$WORK/subject_driver.exe" "$PROG/"
cp "$EXE" "$PROG/zettly_under_test.exe"
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

# A new Wine session: the desktop and its shell start afresh, held open by a keeper.
fresh_session() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
  wine 'C:\zbench\subject_driver.exe' keep </dev/null >/dev/null 2>&1 &
  sleep 2
}

settings() {  # clock and cycling switches, 1 or 0
  wine reg add "$SETTINGS" /v Clock /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add "$SETTINGS" /v On /t REG_DWORD /d "$2" /f >/dev/null 2>&1
}

declare -A LINE=(
  [floor]='C:\zbench\floor_window.exe 300 15'
  [clock]='C:\zbench\clock_floor.exe 600 15'
  [zettly]='C:\zbench\zettly_under_test.exe'
)
declare -A IMAGE=([floor]=floor_window.exe [clock]=clock_floor.exe [zettly]=zettly_under_test.exe)

# The Linux process whose first argument is the subject's image (Wine gives each Windows process
# its Windows command line).
linux_pid() { pgrep -f "^C:\\\\zbench\\\\${1//./\\.}( |\$)" | head -1 | grep .; }

pss_kb() { awk '/^Pss:/ {print $2}' "/proc/$1/smaps_rollup"; }

# "cpu_ns wakeups" of a process, over all its threads.
sample() {
  local t cpu=0 wake=0 c w
  for t in /proc/"$1"/task/*; do
    read -r c _ <"$t/schedstat" || continue
    w=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$t/status") || continue
    cpu=$((cpu + c)) wake=$((wake + w))
  done
  echo "$cpu $wake"
}

# Waits (up to 60 s) until a line matching $2 is in file $1.
wait_line() {
  local i
  for i in $(seq 1 600); do grep -q "$2" "$1" 2>/dev/null && return 0; sleep 0.1; done
  return 1
}

median() { sort -g | awk '{v[NR] = $1} END {if (NR) print v[int((NR + 1) / 2)]; else print "nan"}'; }

# ------------------------------------------------------------------ start-up and PSS
settings 1 1
declare -A START PSS
say "start-up: $RUNS starts of each subject, after one not counted"
for run in $(seq 0 "$RUNS"); do
  for s in floor clock zettly; do
    fresh_session
    out=$WORK/start.out
    : >"$out"
    wine 'C:\zbench\subject_driver.exe' start 4000 "${LINE[$s]}" >"$out" 2>&1 </dev/null &
    driver=$!
    wait_line "$out" '^shown' || { say "$s: the driver said nothing"; cat "$out" >&2; exit 1; }
    ms=$(tr -d '\r' <"$out" | awk '/^shown/ {print $2}')
    [ "${ms%%.*}" -ge 0 ] 2>/dev/null || { say "$s was not shown"; exit 1; }
    sleep 2
    pid=$(linux_pid "${IMAGE[$s]}") || { say "$s: no process"; exit 1; }
    if [ "$run" -gt 0 ]; then
      START[$s]+="$ms "
      PSS[$s]+="$(pss_kb "$pid") "
    fi
    wait "$driver" || true
  done
done
for s in floor clock zettly; do say "$s: shown after ${START[$s]}ms; PSS ${PSS[$s]}kB"; done

# ------------------------------------------------------------------ idle
declare -A CPU WAKE
# Runs the named subjects side by side and collects their per-minute figures.
idle() {
  local out=$WORK/idle.out s w
  local -a lines=() pids=() before=() after=()
  for s in "$@"; do lines+=("${LINE[$s]}"); done
  : >"$out"
  wine 'C:\zbench\subject_driver.exe' idle $(((MINUTES * WINDOW + 10) * 1000)) "${lines[@]}" >"$out" 2>&1 </dev/null &
  local driver=$!
  wait_line "$out" '^idle\|^not shown' && grep -q '^idle' "$out" || { say "idle: not all shown"; exit 1; }
  sleep 3
  for s in "$@"; do pids+=("$(linux_pid "${IMAGE[$s]}")"); done
  for w in $(seq 1 "$MINUTES"); do
    before=(); after=()
    for p in "${pids[@]}"; do before+=("$(sample "$p")"); done
    sleep "$WINDOW"
    for p in "${pids[@]}"; do after+=("$(sample "$p")"); done
    local i=0
    for s in "$@"; do
      read -r c0 w0 <<<"${before[$i]}"
      read -r c1 w1 <<<"${after[$i]}"
      CPU[$1-$s]+="$(awk -v d=$((c1 - c0)) -v w="$WINDOW" 'BEGIN {printf "%.1f", d / 1e6 * 60 / w}') "
      WAKE[$1-$s]+="$(awk -v d=$((w1 - w0)) -v w="$WINDOW" 'BEGIN {printf "%.0f", d * 60 / w}') "
      i=$((i + 1))
    done
  done
  wait "$driver" || true
}
if [ "$IDLE" = 1 ]; then
  fresh_session
  say "idle: floor, clock floor and Zettly side by side, $MINUTES x ${WINDOW} s"
  idle floor clock zettly
  say "idle: Zettly with the clock hidden and cycling off, $MINUTES x ${WINDOW} s"
  settings 0 0
  idle zettly
  settings 1 1
fi
for k in "${!CPU[@]}"; do say "idle $k: CPU ${CPU[$k]}ms/min; wake-ups ${WAKE[$k]}/min"; done

# ------------------------------------------------------------------ the table
med() { tr ' ' '\n' <<<"$1" | { grep . || true; } | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}'; }
sf=$(med "${START[floor]:-}") pf=$(med "${PSS[floor]:-}")
cc=$(med "${CPU[floor-clock]:-}") wc=$(med "${WAKE[floor-clock]:-}")
row() {  # name start pss cpu wake
  printf '| %-38s | %7.0f ms %6s× | %7.1f MB %6s× | %8.1f ms %6s× | %7.0f %6s× |\n' "$1" \
    "$2" "$(ratio "$2" "$sf")" "$(awk -v k="$3" 'BEGIN {print k / 1024}')" "$(ratio "$3" "$pf")" \
    "$4" "$(ratio "$4" "$cc")" "$5" "$(ratio "$5" "$wc")"
}
echo
echo "Zettly: $(basename "$EXE"), $(stat -c %s "$EXE") bytes; medians of $RUNS starts and $MINUTES idle windows of $WINDOW s"
printf '| %-38s | %-18s | %-17s | %-19s | %-15s |\n' subject "start to shown" PSS "idle CPU / min" "wake-ups / min"
printf '|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..40})" "$(printf -- '-%.0s' {1..20})" \
  "$(printf -- '-%.0s' {1..19})" "$(printf -- '-%.0s' {1..21})" "$(printf -- '-%.0s' {1..17})"
row "bare window (the floor)" "$sf" "$pf" "$(med "${CPU[floor-floor]:-}")" "$(med "${WAKE[floor-floor]:-}")"
row "500 ms repaint (the clock floor)" "$(med "${START[clock]:-}")" "$(med "${PSS[clock]:-}")" "$cc" "$wc"
row "Zettly, clock and cycling on, no notes" "$(med "${START[zettly]:-}")" "$(med "${PSS[zettly]:-}")" \
  "$(med "${CPU[floor-zettly]:-}")" "$(med "${WAKE[floor-zettly]:-}")"
printf '| %-38s | %18s | %17s | %8.1f ms %6s× | %7.0f %6s× |\n' "Zettly, clock hidden, cycling off" "" "" \
  "$(med "${CPU[zettly-zettly]:-}")" "$(ratio "$(med "${CPU[zettly-zettly]:-}")" "$cc")" \
  "$(med "${WAKE[zettly-zettly]:-}")" "$(ratio "$(med "${WAKE[zettly-zettly]:-}")" "$wc")"
echo "Start and PSS are against the floor, idle CPU and wake-ups against the clock floor."
