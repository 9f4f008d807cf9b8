#!/usr/bin/env bash
# Symbolic links in the program folder, as a sync tool carries them between Linux computers: a
# conflict copy that is a link to notices.msg or to a notes file elsewhere is no copy, a link
# named like an old temporary stays with the file it leads to, and a notices.msg that leads to
# some other text file is named to the user and never written. Nothing deleted, nothing written.
# A read-only conflict copy beside them is merged and removed, and a note of it trashed stays
# trashed.
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
real_copy="$PROG/notices (Jane's conflicted copy 2026-12-08).msg"
printf '[General]\r\nN=1\r\n[Note1]\r\nContent=Theirs\r\nAttach=\r\nExposure=3000\r\n' >"$real_copy"
chmod 444 "$real_copy"

e2e_start
note_origin
e2e_wait 10 note_text_shown || e2e_fail "no note on display"
notes_count_is() { e2e_notes | grep -qx "N=$1"; }
e2e_wait 10 notes_count_is 3 || e2e_fail "the conflict copy was not merged: $(e2e_notes | tr '\n' '|')"
[ ! -e "$real_copy" ] || e2e_fail "the read-only conflict copy stayed after its merge"
# Its note is trashed; the deletion saves the list, and each save tidies old temporaries. Where a
# merge puts the copy's note follows the notes' identities: the window steps there from note 1.
text_is_not() { [ "$(note_text_signature)" != "$1" ]; }
step_forward() {
  local before
  before=$(note_text_signature)
  e2e_key ctrl Right
  e2e_wait 2 text_is_not "$before"
}
theirs_at=$(e2e_notes | grep '^Content=' | grep -nx 'Content=Theirs' | cut -d: -f1)
[ -n "$theirs_at" ] || e2e_fail "the copy's note is not in the list: $(e2e_notes | tr '\n' '|')"
for _ in $(seq 2 "$theirs_at"); do
  e2e_wait 15 step_forward || e2e_fail "Ctrl+Right did not step to the copy's note"
done
e2e_key ctrl t
e2e_wait 10 notes_count_is 2 || e2e_fail "the deletion was not saved: $(e2e_notes | tr '\n' '|')"
e2e_assert_eq "$(e2e_notes | grep '^Content=' | tr '\n' '|')" "Content=Mine one|Content=Mine two|" "the notes after the deletion"
# A change in the folder makes the program look for copies again: the trashed note stays away.
touch "$PROG/poke.txt"
theirs_back() { e2e_notes | grep -q '^Content=Theirs'; }
! e2e_wait 5 theirs_back || e2e_fail "the trashed note of the conflict copy came back"
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
# The message comes before the note window shows: a window of the program wider than the note.
message_up() {
  local id w
  for id in $(xdotool search --onlyvisible --name '^Zettly$' 2>/dev/null); do
    read -r _ _ w _ < <(e2e_geometry "$id") || continue
    [ "${w:-0}" -gt 300 ] && return 0
  done
  return 1
}
(cd "$PROG" && setsid wine explorer /desktop=shell,1024x768 Zettly.exe </dev/null >"$E2E_DIR/wine.log" 2>&1 &)
e2e_wait 60 message_up || e2e_fail "the notes file that is not one was not named to the user"
e2e_key "" Return
message_gone() { ! message_up; }
e2e_wait 10 message_gone || e2e_fail "the message stayed after Enter"
e2e_wait 30 e2e_note_window || e2e_fail "the note window did not appear"
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
