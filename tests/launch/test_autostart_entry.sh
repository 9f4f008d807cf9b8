#!/usr/bin/env bash
# The launcher of "./zettly run" and the desktop's autostart entry, with stand-ins for Wine (which
# answers the Run key query as a file says) and for wine-start: the user's own entry, edits,
# links and deletions are kept; only the launcher's own entry is rewritten or removed; a failing
# autostart folder is said in words after a normal close; paths with %, quotes or a newline.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
T=$(mktemp -d)
trap 'chmod -R u+w "$T"; rm -rf "$T"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

mkdir -p "$T/bin"
cat >"$T/bin/wine" <<EOF
#!/bin/sh
echo 'HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run'
[ "\$(cat "$T/autorun")" = on ] && printf '    Zettly    REG_SZ    C:\\\\Zettly.exe\r\n'
exit 0
EOF
chmod +x "$T/bin/wine"
export PATH=$T/bin:$PATH

# A data folder with the launcher and a wine-start that notes its start and ends as told.
install_data() {
  "$here/../../launch/install" "$1"
  printf '#!/bin/sh\necho started >>"%s/started"\nexit "$(cat "%s/exit")"\n' "$T" "$T" >"$1/wine-start"
}
echo 0 >"$T/exit"

# Runs the launcher of $DATA with Auto Run $1; its words go to $T/said.
launch() {
  echo "$1" >"$T/autorun"
  rc=0
  "$DATA/zettly" 2>"$T/said" || rc=$?
}
said() { grep -qF -- "$1" "$T/said"; }
silent() { [ ! -s "$T/said" ]; }

export HOME=$T/home XDG_CONFIG_HOME=$T/config
ENTRY=$XDG_CONFIG_HOME/autostart/zettly.desktop
DATA=$T/data/zettly
install_data "$DATA"

# The entry is written once Auto Run is on, said the first time only, and is the launcher's own.
launch on
[ -f "$ENTRY" ] && said "Auto Run is on" && said "$ENTRY" || fail "first entry: $(cat "$T/said")"
launch on
silent || fail "a kept entry was said again: $(cat "$T/said")"
launch off
[ ! -e "$ENTRY" ] && said "removed $ENTRY" || fail "Auto Run off left the launcher's own entry"

# An entry turned off the desktop's way is the user's: kept with Auto Run on and off, said once.
launch on
echo 'Hidden=true' >>"$ENTRY"
cp "$ENTRY" "$T/users"
launch on
cmp -s "$ENTRY" "$T/users" && said "your own" || fail "Hidden=true entry rewritten: $(cat "$ENTRY")"
launch off
cmp -s "$ENTRY" "$T/users" && silent || fail "Auto Run off took the user's entry or spoke again"

# A deleted entry stays deleted while Auto Run stays on; off and on again writes it anew.
rm "$ENTRY"
launch off
launch on
rm "$ENTRY"
launch on
[ ! -e "$ENTRY" ] && said "was deleted" || fail "the user's deletion was undone"
launch off
launch on
[ -f "$ENTRY" ] || fail "ticking Auto Run again wrote no entry"

# A symlinked entry is neither followed and replaced nor removed.
rm "$ENTRY"
printf '[Desktop Entry]\nType=Application\nExec=mine\n' >"$T/target"
ln -s "$T/target" "$ENTRY"
launch on
launch off
[ -L "$ENTRY" ] && grep -qx 'Exec=mine' "$T/target" || fail "the symlinked entry was replaced"
rm "$ENTRY"
launch off

# The entry of launchers before the checksum is the launcher's own: brought up to date.
launch on
grep -v '^X-Zettly-Generated=' "$ENTRY" | sed 's/^Exec=env /Exec=/' >"$T/older"
mv "$T/older" "$ENTRY"
launch on
grep -q '^X-Zettly-Generated=' "$ENTRY" || fail "an older launcher's entry was not taken as its own"
rm "$ENTRY"

# An autostart folder that cannot be written: words, no shell error, and a normal close's 0.
if [ "$(id -u)" != 0 ]; then
  mkdir -p "$XDG_CONFIG_HOME/autostart"
  chmod 555 "$XDG_CONFIG_HOME/autostart"
  launch on
  [ "$rc" = 0 ] && said "could not be set up" && [ "$(wc -l <"$T/said")" = 1 ] ||
    fail "read-only autostart folder: exit $rc, said: $(cat "$T/said")"
  chmod 755 "$XDG_CONFIG_HOME/autostart"
fi
XDG_CONFIG_HOME=/proc/self launch on
[ "$rc" = 0 ] && said "could not be set up" && [ "$(wc -l <"$T/said")" = 1 ] ||
  fail "unwritable autostart folder: exit $rc, said: $(cat "$T/said")"

# A relative XDG_CONFIG_HOME counts as unset; without HOME either there is no folder to use.
(cd "$T" && XDG_CONFIG_HOME=relative launch on)
[ -f "$HOME/.config/autostart/zettly.desktop" ] && [ ! -e "$T/relative" ] ||
  fail "a relative XDG_CONFIG_HOME was used"
(unset HOME XDG_CONFIG_HOME && launch on && [ "$rc" = 0 ] && said "neither HOME") ||
  fail "without HOME: $(cat "$T/said")"

# The program's exit status comes back through the launcher.
echo 9 >"$T/exit"
launch off
[ "$rc" = 9 ] || fail "the starter's exit status 9 came back as $rc"
echo 0 >"$T/exit"

# A path with characters the entry must escape: the command GLib would run is the launcher.
DATA=$T/'100% "sure" $HOME `x` \ now'/zettly
install_data "$DATA"
rm -f "$ENTRY" "$T/started"
launch on
exec_line=$(sed -n 's/^Exec=//p' "$ENTRY")
exec_line=${exec_line//\\\\/\\}
[[ $exec_line == "env "* ]] || fail "the command does not start with env: $exec_line"
eval "set -- ${exec_line//%%/%}"
[ "${2:-}" = "$DATA/zettly" ] || fail "the entry's command names '${2:-}', not the launcher"
if command -v gio >/dev/null; then
  rm -f "$T/started"
  gio launch "$ENTRY" 2>/dev/null || fail "GLib would not launch the entry"
  for _ in $(seq 50); do [ -e "$T/started" ] && break; sleep 0.1; done
  [ -e "$T/started" ] || fail "GLib's launch of the entry did not start the launcher"
fi

# A newline in the path is refused in words, not written as a second Exec line.
DATA=$T/$'two\nlines'/zettly
install_data "$DATA"
rm -f "$ENTRY"
launch on
[ ! -e "$ENTRY" ] && [ "$rc" = 0 ] && said "control character" || fail "newline path: $(cat "$T/said")"

[ "$failures" = 0 ] || exit 1
echo "all autostart entry cases passed"
