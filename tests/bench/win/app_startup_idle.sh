#!/usr/bin/env bash
# Runs bench_app_startup.exe and, while Zettly (clock and cycling on) and the floor program sit
# idle, reads their CPU time and context switches (all threads) from /proc.
#   DISPLAY=... WINEPREFIX=... app_startup_idle.sh <bench_app_startup.exe> <Zettly.exe> [seconds]
set -euo pipefail
bench=$1 exe=$2 seconds=${3:-60}
out=$(mktemp)
wine "$bench" "$(winepath -w "$exe")" 5 "$((seconds + 5))" >"$out" 2>&1 </dev/null &
until grep -q '^idle:' "$out"; do sleep 0.5; done
sleep 2  # the processes are idle now; count from here
zettly=$(pgrep -f 'zettly-bench-startup.Zettly\.exe' | head -1)
floor=$(pgrep -f 'bench_app_startup.exe --floor' | head -1)
sample() {  # prints "cpu_ms switches"
  local pid=$1 cs=0 t
  for t in /proc/"$pid"/task/*/status; do
    cs=$((cs + $(awk '/ctxt_switches/ {s += $2} END {print s}' "$t")))
  done
  echo "$(awk -v hz="$(getconf CLK_TCK)" '{print ($14 + $15) * 1000 / hz}' /proc/"$pid"/stat) $cs"
}
read -r zc0 zs0 < <(sample "$zettly")
read -r fc0 fs0 < <(sample "$floor")
sleep "$seconds"
read -r zc1 zs1 < <(sample "$zettly")
read -r fc1 fs1 < <(sample "$floor")
wait
cat "$out"
rm -f "$out"
echo "idle over ${seconds} s: Zettly $((zc1 - zc0)) ms CPU, $((zs1 - zs0)) context switches;" \
  "floor $((fc1 - fc0)) ms CPU, $((fs1 - fs0)) context switches"
