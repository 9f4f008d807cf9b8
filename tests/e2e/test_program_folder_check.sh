#!/usr/bin/env bash
# A program folder nobody may write to, and the temporary folder Explorer runs a program from
# when it is opened inside its zip: each is said at start; the zip's copy writes no autorun entry.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
USER_RUN='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# Wine runs as the Unix user (root here, which modes do not stop): the immutable flag makes the
# folder one that cannot be written.
chattr +i "$PROG" 2>/dev/null || { e2e_log "cannot make a folder read-only here: skipped"; exit 77; }
unlock() { chattr -i "$PROG" 2>/dev/null || true; }
trap 'rc=$?; unlock; (exit $rc); e2e_cleanup' EXIT
e2e_start
e2e_wait 15 e2e_box_up || e2e_fail "nothing was said at the start in a folder that cannot be written"
e2e_key "" Return
e2e_wait 10 e2e_no_box || e2e_fail "the box stayed"
e2e_focus_note
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the program"
unlock
e2e_end_wine

# As Explorer unpacks a zip to run a program from it: %TEMP%\Temp1_<archive>.zip\<folder>\.
wine reg delete "$USER_RUN" /v Zettly /f >/dev/null 2>&1 || true
temp=$(wine cmd /c 'echo %TEMP%' 2>/dev/null | tr -d '\r')
temp_unix=$(winepath -u "$temp" 2>/dev/null)
[ -n "$temp_unix" ] || e2e_fail "no temporary folder in the prefix (harness)"
PROG="$temp_unix/Temp1_Zettly.zip/Zettly"
rm -rf "$temp_unix/Temp1_Zettly.zip"
mkdir -p "$PROG"
cp "$ZETTLY_EXE" "$PROG/Zettly.exe"
e2e_start
e2e_wait 15 e2e_box_up || e2e_fail "nothing was said at a start from inside the zip"
e2e_key "" Return
e2e_wait 10 e2e_no_box || e2e_fail "the box stayed"
e2e_focus_note
e2e_key ctrl x
e2e_wait_exit 30 || e2e_fail "Ctrl+X did not end the program"
if value=$(e2e_reg "$USER_RUN" Zettly); then e2e_fail "an autorun entry for the zip's temporary copy: $value"; fi
rm -rf "$temp_unix/Temp1_Zettly.zip"
