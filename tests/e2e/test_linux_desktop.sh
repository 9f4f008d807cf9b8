#!/usr/bin/env bash
# The program as "./zettly run" leaves it in a user's data folder (launcher, wine-start, program
# and a prefix of its own), started by that launcher on a Linux desktop with a window manager
# and no notification area: no stray "Wine System Tray" window; the note in Windows' tooltip
# colour, which the launcher gives the new prefix; F1 hands the help pages to xdg-open; Auto Run
# on leaves an autostart entry whose command starts the program again; off removes the entry.
# HOME and the XDG folders are the scenario's own.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/wm.sh"
wm_begin

export HOME=$E2E_DIR/home XDG_DATA_HOME=$E2E_DIR/home/data XDG_CONFIG_HOME=$E2E_DIR/home/config
DATA=$XDG_DATA_HOME/zettly
ENTRY=$XDG_CONFIG_HOME/autostart/zettly.desktop
mkdir -p "$DATA/program"
cp "$ZETTLY_EXE" "$DATA/program/"
# F1 opens help.chm, which this prefix shows as the pages in help/.
if [ -f "${ZETTLY_HELP:-}" ]; then cp "$ZETTLY_HELP" "$DATA/program/"; else : >"$DATA/program/help.chm"; fi
mkdir -p "$DATA/program/help"
cp "$(dirname "$0")"/../../help/*.html "$DATA/program/help/"
"$(dirname "$0")/../../launch/install" "$DATA"
# A new prefix, as "./zettly run" makes one; from here on the scenario's Wine is that prefix's.
export WINEPREFIX=$DATA/wine
wineboot -i </dev/null >/dev/null 2>&1 || true
wineserver -w

# xdg-open as the desktop has it, recording what it is handed.
mkdir -p "$E2E_DIR/bin"
cat >"$E2E_DIR/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >>"$E2E_DIR/opened"
EOF
chmod +x "$E2E_DIR/bin/xdg-open"
export PATH=$E2E_DIR/bin:$PATH

launch() {
  (setsid "$1" </dev/null >>"$E2E_DIR/launcher.log" 2>&1 &)
  e2e_wait 90 e2e_note_window || e2e_fail "the launcher did not bring up the note window"
  note_origin
}
stray_tray_window() { xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1; }
help_opened() { grep -qxF "$DATA/program/help/index.html" "$E2E_DIR/opened" 2>/dev/null; }
entry_written() { [ -f "$ENTRY" ]; }
entry_gone() { [ ! -e "$ENTRY" ]; }

launch "$DATA/zettly"
# The icon would be added a moment after the start; Wine would then frame it in its own window.
if e2e_wait 5 stray_tray_window; then e2e_fail "a 'Wine System Tray' window came up"; fi
e2e_assert_eq "$(e2e_pixel $((NX + 40)) $((NY + 138)))" "255,255,225" "the note's colour"

e2e_key "" F1
e2e_wait 15 help_opened || e2e_fail "F1 handed '$(cat "$E2E_DIR/opened" 2>/dev/null)' to xdg-open, not the help pages"

# Auto Run is on from the first start: once the program has ended, the entry is there.
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the program"
e2e_wait 30 entry_written || e2e_fail "Auto Run is on but no autostart entry was written"
grep -qxF "Icon=$DATA/zettly.png" "$ENTRY" || e2e_fail "the entry's icon: $(grep '^Icon=' "$ENTRY")"
command=$(sed -n 's/^Exec=env "\(.*\)"$/\1/p' "$ENTRY")
e2e_assert_eq "$command" "$DATA/zettly" "the entry's command"

# As the desktop does at login; then Auto Run off through the note's menu.
e2e_wait 30 e2e_no_wine_left || e2e_fail "Wine did not wind down after the program ended"
launch "$command"
note_menu r
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the second start"
e2e_wait 30 entry_gone || e2e_fail "Auto Run is off but the autostart entry stayed"
