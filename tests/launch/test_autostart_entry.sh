#!/usr/bin/env bash
# The launcher of "./zettly run" and the desktop's autostart entry, with stand-ins for Wine (its
# Run key answers as $T/autorun says) and for wine-start: the user's entries, edits, links and
# deletions are kept, only the launcher's own entry is rewritten or removed, a folder that cannot
# be written is said in words after a normal close, and awkward paths are escaped or refused.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

mkdir -p "$T/bin"
printf '#!/bin/sh\n[ "$(cat "%s/autorun")" = off ] || printf "    Zettly    REG_SZ    x\\r\\n"\n' "$T" >"$T/bin/wine"
chmod +x "$T/bin/wine"
export PATH=$T/bin:$PATH HOME=$T/home XDG_CONFIG_HOME=$T/config
ENTRY=$XDG_CONFIG_HOME/autostart/zettly.desktop

install_data() {
  DATA=$1
  "$here/../../launch/install" "$DATA"
  printf '#!/bin/sh\ntouch "%s/started"\n' "$T" >"$DATA/wine-start"
}
# Runs the launcher with Auto Run $1; its exit status goes to $rc, its words to $T/said.
launch() {
  echo "$1" >"$T/autorun"
  rc=0
  "$DATA/zettly" 2>"$T/said" || rc=$?
}
said() { grep -qF -- "$1" "$T/said"; }

install_data "$T/data/zettly"
launch on
[ -f "$ENTRY" ] && said "Auto Run is on" || fail "no entry written: $(cat "$T/said")"
launch on
[ ! -s "$T/said" ] || fail "the kept entry was announced again"
launch off
[ ! -e "$ENTRY" ] && said "removed" || fail "Auto Run off left the launcher's own entry"

# Turned off the desktop's way, the entry is the user's: kept with Auto Run on and off.
launch on
echo 'Hidden=true' >>"$ENTRY"
cp "$ENTRY" "$T/users"
launch on
cmp -s "$ENTRY" "$T/users" && said "your own" || fail "the Hidden=true entry was rewritten"
launch off
cmp -s "$ENTRY" "$T/users" || fail "Auto Run off took the user's entry"
rm "$ENTRY"
launch off

# The launcher's entry, once deleted, stays deleted until Auto Run is ticked anew.
launch on
rm "$ENTRY"
launch on
[ ! -e "$ENTRY" ] || fail "the user's deletion was undone"
launch off
launch on
[ -f "$ENTRY" ] || fail "ticking Auto Run anew wrote no entry"

# An entry of the launchers before the checksum is the launcher's own, brought up to date.
grep -v '^X-Zettly-Generated=' "$ENTRY" | sed 's/^Exec=env /Exec=/' >"$T/older"
mv "$T/older" "$ENTRY"
launch on
grep -q '^X-Zettly-Generated=' "$ENTRY" || fail "an older launcher's entry was not taken as its own"

# Another data folder's launcher neither takes over nor removes this one's entry.
cp "$ENTRY" "$T/first"
install_data "$T/second/zettly"
launch on
cmp -s "$ENTRY" "$T/first" && said "another data folder" || fail "the second data folder took the entry over"
launch off
cmp -s "$ENTRY" "$T/first" || fail "the second data folder's Auto Run off removed the first one's entry"
install_data "$T/data/zettly"

# A link in the entry's place is neither followed and replaced nor removed.
rm "$ENTRY"
launch off
echo '[Desktop Entry]' >"$T/target"
ln -s "$T/target" "$ENTRY"
launch on
launch off
[ -L "$ENTRY" ] && [ "$(cat "$T/target")" = '[Desktop Entry]' ] || fail "the linked entry was replaced"

# A folder that cannot be written (root writes through any mode, so /proc stands for it): one
# line of words and the normal close's 0. A relative XDG_CONFIG_HOME counts as unset.
XDG_CONFIG_HOME=/proc/self launch on
[ "$rc" = 0 ] && said "could not be set up" && [ "$(wc -l <"$T/said")" = 1 ] ||
  fail "unwritable folder: exit $rc, said: $(cat "$T/said")"
(cd "$T" && XDG_CONFIG_HOME=relative launch on)
[ -f "$HOME/.config/autostart/zettly.desktop" ] && [ ! -e "$T/relative" ] ||
  fail "a relative XDG_CONFIG_HOME was used"

# A path the entry must escape: GLib (when here) starts the launcher, and the command reads back
# as the launcher's path. A newline is refused in words rather than written as a second line.
install_data "$T/"'100% "sure" $HOME `x` \ now'/zettly
rm "$ENTRY"
launch on
exec_line=$(sed -n 's/^Exec=//p' "$ENTRY")
exec_line=${exec_line//\\\\/\\}
eval "set -- ${exec_line//%%/%}"
[ "$1 ${2:-}" = "env $DATA/zettly" ] || fail "the entry's command is '$*'"
if command -v gio >/dev/null; then
  rm "$T/started"
  gio launch "$ENTRY" 2>/dev/null || fail "GLib would not launch the entry"
  for _ in $(seq 50); do [ -e "$T/started" ] && break; sleep 0.1; done
  [ -e "$T/started" ] || fail "GLib's launch did not start the launcher"
fi
install_data "$T/"$'two\nlines'/zettly
rm "$ENTRY"
launch on
[ ! -e "$ENTRY" ] && [ "$rc" = 0 ] && said "control character" || fail "newline path: $(cat "$T/said")"

[ "$failures" = 0 ]
