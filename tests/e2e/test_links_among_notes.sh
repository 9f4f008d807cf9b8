#!/usr/bin/env bash
# Symbolic links in the program folder, as a sync tool carries them between Linux computers: a
# conflict copy that is a link to notices.msg or to a notes file elsewhere is no copy, a link
# named like an old temporary stays with the file it leads to, and a notices.msg that leads to
# some other text file is named to the user and never written. Nothing deleted, nothing written.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
e2e_begin
e2e_set_dword "$SETTINGS_KEY" On 0
far="$E2E_DIR/far"
mkdir -p "$far"
e2e_write_notes 'Mine one' '' 3000 'Mine two' '' 3000
printf '[General]\r\nN=1\r\n[Note1]\r\nContent=Far away\r\nAttach=\r\nExposure=3000\r\n' >"$far/notices.msg"
printf 'keep me\n' >"$far/old.txt"
touch -d '2 hours ago' "$far/old.txt"
far_before=$(md5sum <"$far/notices.msg")
near_copy="$PROG/notices.sync-conflict-20261208-101010-ABCDEFG.msg"
far_copy="$PROG/notices (conflicted copy 2026-12-08 101010).msg"
ln -s notices.msg "$near_copy"
ln -s "$far/notices.msg" "$far_copy"
ln -s "$far/old.txt" "$PROG/notices.msg.1-2-3.tmp"
touch -h -d '2 hours ago' "$PROG/notices.msg.1-2-3.tmp"

e2e_start
note_origin
e2e_wait 10 note_text_shown || e2e_fail "no note on display"
notes_count_is() { e2e_notes | grep -qx "N=$1"; }
# A deletion saves the list, and each save tidies old temporaries.
e2e_key ctrl t
e2e_wait 10 notes_count_is 1 || e2e_fail "the deletion was not saved: $(e2e_notes | tr '\n' '|')"
e2e_assert_eq "$(e2e_notes | grep '^Content=')" "Content=Mine two" "the notes after the deletion"
[ -f "$PROG/notices.msg" ] && [ ! -L "$PROG/notices.msg" ] || e2e_fail "notices.msg is no longer the program's file"
[ -L "$near_copy" ] && [ -L "$far_copy" ] || e2e_fail "a linked conflict copy was removed: $(ls "$PROG")"
[ -L "$PROG/notices.msg.1-2-3.tmp" ] || e2e_fail "the link named like an old temporary was removed"
e2e_assert_eq "$(md5sum <"$far/notices.msg")" "$far_before" "the notes file a copy linked to"
e2e_assert_eq "$(cat "$far/old.txt" 2>&1)" "keep me" "the file the old temporary's name linked to"
note_exit

# notices.msg leads to a shell's start-up file; beside it lies a conflict copy with a command.
rm -f "$PROG/notices.msg" "$near_copy" "$far_copy" "$PROG/notices.msg.1-2-3.tmp"
printf '# run by every shell\nexport PATH=$HOME/bin:$PATH\n' >"$far/profile"
profile_before=$(md5sum <"$far/profile")
ln -s "$far/profile" "$PROG/notices.msg"
copy="$PROG/notices.sync-conflict-20261209-101010-ABCDEFG.msg"
printf '[General]\r\nN=1\r\n[Note1]\r\nContent=$(touch %s/ran)\r\nAttach=\r\nExposure=3000\r\n' "$far" >"$copy"
copy_before=$(md5sum <"$copy")
e2e_start
e2e_wait 15 e2e_box_up || e2e_fail "the notes file that is not one was not named to the user"
e2e_key "" Return
e2e_wait 10 e2e_no_box || e2e_fail "the message stayed after Enter"
note_origin
e2e_focus_note
e2e_key ctrl t  # refused: says so again, or does nothing
if e2e_wait 5 e2e_box_up; then
  e2e_key "" Return
  e2e_wait 10 e2e_no_box || e2e_fail "the message stayed after Enter"
fi
note_exit
e2e_assert_eq "$(md5sum <"$far/profile")" "$profile_before" "the text file notices.msg leads to"
e2e_assert_eq "$(md5sum <"$copy" 2>&1)" "$copy_before" "the conflict copy beside it"
[ -L "$PROG/notices.msg" ] || e2e_fail "the link notices.msg was replaced"
if ls "$PROG" | grep -q '\.tmp$'; then e2e_fail "a temporary file was left: $(ls "$PROG")"; fi
