#!/usr/bin/env bash
# The Windows installer on a machine that never had Zettly: a quiet per-user install puts the
# program, its help and a Start-menu shortcut in place and registers one installed program
# without starting it or asking to start with the system; the program, started through the
# shortcut, keeps a new note beside itself and its autorun value. The next version installs over
# it in place while it runs (it is closed having saved; the note, the settings and the autorun
# value stay, one installed program), the older one is then refused, and uninstalling while it
# runs takes the program, the shortcut and its autorun value and leaves the note, the settings
# and another copy's autorun value.
# About a minute, most of it for the fresh Wine prefix and the program's starts.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/editor.sh"
: "${ZETTLY_MSI:?}" "${ZETTLY_MSI_VERSION:?}" "${ZETTLY_MSI_NEXT:?}" "${ZETTLY_MSI_NEXT_VERSION:?}" "${ZETTLY_NEXT_EXE:?}"

# A Wine prefix of this scenario's own, made afresh.
export WINEPREFIX="$E2E_WORK/installer-wine"
wineserver -k >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot -i </dev/null >/dev/null 2>&1 || true
wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || { e2e_log "FAIL: no Wine prefix in $WINEPREFIX"; exit 1; }
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
e2e_begin

win_folder() { winepath -u "$(wine cmd /c echo "%$1%" </dev/null 2>/dev/null | tr -d '\r')" 2>/dev/null; }
PROG="$(win_folder LOCALAPPDATA)/Programs/Zettly"
SHORTCUT="$(win_folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Zettly.lnk"
UNINSTALL_KEY='Software\Microsoft\Windows\CurrentVersion\Uninstall'
USER_RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

msiexec() {
  local log=$1; shift
  wine msiexec "$@" /qn /l*v "$(winepath -w "$E2E_DIR/$log.log")" </dev/null >/dev/null 2>&1
}
# Installed programs named Zettly, as "code version" lines.
installed() {
  local code
  for code in $(wine uninstaller --list </dev/null 2>/dev/null | tr -d '\r' | awk -F'\\|\\|\\|' '$2=="Zettly" {print $1}'); do
    echo "$code $(e2e_reg "HKLM\\$UNINSTALL_KEY\\$code" DisplayVersion || e2e_reg "HKCU\\$UNINSTALL_KEY\\$code" DisplayVersion)"
  done
}
settings() { wine reg query "$SETTINGS_KEY" </dev/null 2>/dev/null | tr -d '\r' | grep REG_ | sort; }
# Started as a person does, from the Start menu: the program runs from where it was installed.
start_from_shortcut() {
  (setsid wine explorer /desktop=shell,1024x768 start "$(winepath -w "$SHORTCUT")" </dev/null >>"$E2E_DIR/wine.log" 2>&1 &)
  e2e_wait 60 e2e_note_window || e2e_fail "the shortcut did not start the program"
  [ -n "$(e2e_wine_pids 'Local.Programs.Zettly.Zettly\.exe')" ] || e2e_fail "the program does not run from $PROG"
}

# Install.
msiexec install /i "$(winepath -w "$ZETTLY_MSI")" || e2e_fail "the install failed (see $E2E_DIR/install.log)"
[ -f "$PROG/Zettly.exe" ] && [ -f "$PROG/help.chm" ] || e2e_fail "the program is not in $PROG"
cmp -s "$PROG/Zettly.exe" "$ZETTLY_EXE" || e2e_fail "the installed program is not this build's"
[ -f "$SHORTCUT" ] || e2e_fail "no Start-menu shortcut"
e2e_assert_eq "$(installed | awk '{print $2}')" "$ZETTLY_MSI_VERSION" "installed programs after the install"
e2e_running && e2e_fail "the installer started the program"
e2e_reg "$USER_RUN_KEY" Zettly >/dev/null && e2e_fail "the installer wrote the autorun value"
e2e_reg "$RUN_KEY" Zettly >/dev/null && e2e_fail "the installer wrote the machine's autorun value"
[ -z "$(settings)" ] || e2e_fail "the installer wrote settings"

start_from_shortcut
e2e_focus_note
e2e_key ctrl n
editor_wait '^Create new note$'
editor_click $EDITOR_NOTE
e2e_type 'Kept through upgrades'
e2e_key "" Return
e2e_wait 10 grep -q 'Content=Kept through upgrades' "$PROG/notices.msg" || e2e_fail "the note was not saved beside the program"
e2e_focus_note
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "the program did not close"
notes=$(md5sum <"$PROG/notices.msg")
saved=$(settings)
[ -n "$saved" ] || e2e_fail "the program saved no settings"
autorun=$(e2e_reg "$USER_RUN_KEY" Zettly) || e2e_fail "the first start wrote no autorun value"
e2e_assert_eq "$autorun" "$(winepath -w "$PROG/Zettly.exe")" "autorun value after the first start"

# The next version replaces this one in place while it runs: no restart is left to finish it.
start_from_shortcut
msiexec upgrade /i "$(winepath -w "$ZETTLY_MSI_NEXT")" || e2e_fail "the upgrade failed (see $E2E_DIR/upgrade.log)"
cmp -s "$PROG/Zettly.exe" "$ZETTLY_NEXT_EXE" || e2e_fail "the upgrade did not replace the running program"
e2e_running && e2e_fail "the older program still runs after the upgrade"
e2e_assert_eq "$(installed | awk '{print $2}')" "$ZETTLY_MSI_NEXT_VERSION" "installed programs after the upgrade"
e2e_assert_eq "$(md5sum <"$PROG/notices.msg")" "$notes" "notes file after the upgrade"
e2e_assert_eq "$(settings)" "$saved" "settings after the upgrade"
e2e_assert_eq "$(e2e_reg "$USER_RUN_KEY" Zettly)" "$autorun" "autorun value after the upgrade"

# The older version does not install over the newer, for that reason and no other. (Wine shows
# the package's message only with a user interface, so the log's finding stands for it.)
msiexec downgrade /i "$(winepath -w "$ZETTLY_MSI")" && e2e_fail "the older version installed over the newer"
grep -aq '^Property(S): WIX_DOWNGRADE_DETECTED = {' "$E2E_DIR/downgrade.log" ||
  e2e_fail "the downgrade failed without finding the newer version (see $E2E_DIR/downgrade.log)"
cmp -s "$PROG/Zettly.exe" "$ZETTLY_NEXT_EXE" || e2e_fail "the refused downgrade changed the program"
e2e_assert_eq "$(installed | awk '{print $2}')" "$ZETTLY_MSI_NEXT_VERSION" "installed programs after the refused downgrade"

# Uninstalled while it runs: the program, its shortcut and its autorun value go, the note and the
# settings stay.
start_from_shortcut
msiexec uninstall /x "$(winepath -w "$ZETTLY_MSI_NEXT")" || e2e_fail "the uninstall failed (see $E2E_DIR/uninstall.log)"
[ ! -e "$PROG/Zettly.exe" ] && [ ! -e "$PROG/help.chm" ] || e2e_fail "the program files are still there"
e2e_running && e2e_fail "the program still runs after the uninstall"
[ ! -e "$SHORTCUT" ] || e2e_fail "the shortcut is still there"
e2e_reg "$USER_RUN_KEY" Zettly >/dev/null && e2e_fail "the autorun value names the removed program"
e2e_assert_eq "$(installed)" "" "installed programs after the uninstall"
e2e_assert_eq "$(md5sum <"$PROG/notices.msg" 2>/dev/null)" "$notes" "notes file after the uninstall"
e2e_assert_eq "$(settings)" "$saved" "settings after the uninstall"

# An autorun value that names another copy (one from the zip, elsewhere) is not the package's.
msiexec reinstall /i "$(winepath -w "$ZETTLY_MSI_NEXT")" || e2e_fail "the second install failed (see $E2E_DIR/reinstall.log)"
other='"C:\Portable Zettly\Zettly.exe"'
wine reg add "$USER_RUN_KEY" /v Zettly /d "$other" /f </dev/null >/dev/null 2>&1
msiexec uninstall-again /x "$(winepath -w "$ZETTLY_MSI_NEXT")" || e2e_fail "the second uninstall failed (see $E2E_DIR/uninstall-again.log)"
e2e_assert_eq "$(e2e_reg "$USER_RUN_KEY" Zettly)" "$other" "another copy's autorun value after the uninstall"

# Passed: the prefix is not worth keeping (about 700 MB); a failed run keeps it for a look.
e2e_end_wine
rm -rf "$WINEPREFIX"
