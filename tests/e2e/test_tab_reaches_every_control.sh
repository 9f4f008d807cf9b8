#!/usr/bin/env bash
# With the keyboard alone, Tab reaches every control of the editor and of the About box, and
# what it reached acts on Space or Enter: Estimate, Cancel, "Stick it", Browse, the two links
# and Close. The exposure field keeps its arrows when the keyboard leaves it.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
. "$(dirname "$0")/wm.sh"

tabs() { local i; for ((i = 0; i < $1; i++)); do e2e_key "" Tab; done; }
notes_hold() { e2e_notes | grep -qx "$1"; }
about_shown() { xdotool search --onlyvisible --name '^Information$' >/dev/null 2>&1; }
file_dialog_shown() { xdotool search --onlyvisible --name '^Locate the attachement' >/dev/null 2>&1; }
# What reached the desktop's hand-off (Wine adds a slash to a bare address; for mailto it goes
# past PATH to the system's own tools, which say in the program's log what they were given).
# The exposure field's arrows, inside its right end, are drawn.
spin_arrows_shown() { [ "$(dark_pixels $((EX + 178)) $((EY + 170)) 13 18)" -gt 5 ]; }
handed() { cat "$E2E_DIR/handed.txt" "$E2E_DIR/wine.log" 2>/dev/null | grep -qF "$1"; }

wm_begin --tray
# Stand-ins for the desktop's browser and mailer record what the links hand over.
mkdir -p "$E2E_DIR/bin"
for tool in xdg-open xdg-email; do
  printf '#!/bin/sh\necho "$1" >>"%s"\n' "$E2E_DIR/handed.txt" >"$E2E_DIR/bin/$tool"
  chmod +x "$E2E_DIR/bin/$tool"
done
export PATH="$E2E_DIR/bin:$PATH"
# The prefix is shared with scenarios that start the program as "run" does, which point the
# links at an opener by its path: point them at this stand-in the same way, and back afterwards.
opener="Z:$(printf '%s' "$E2E_DIR/bin/xdg-open" | sed 's|/|\\|g')"
for scheme in http https mailto; do
  e2e_keep_value "HKLM\\Software\\Classes\\$scheme\\shell\\open\\command" ""
done
trap 'e2e_restore_then wm_cleanup' EXIT
for scheme in http https mailto; do
  wine reg add "HKLM\\Software\\Classes\\$scheme\\shell\\open\\command" /ve /d "\"$opener\" \"%1\"" /f \
    </dev/null >/dev/null 2>&1 || e2e_fail "could not point $scheme at the stand-in (harness)"
done
e2e_set_dword "$SETTINGS_KEY" On 0
wm_start
wm_settled

# Note -> Attachment -> Browse -> Exposure -> Estimate: Space estimates from the text (60
# letters read in 8 s); two more Tabs reach "Stick it", and Space stores the note.
e2e_key ctrl n
editor_wait '^Create new note$'
letters=$(printf 'a%.0s' $(seq 60))
e2e_type "$letters"
tabs 4
e2e_wait 5 spin_arrows_shown || e2e_fail "the exposure field's arrows went when the keyboard left it"
e2e_key "" space
tabs 2
e2e_key "" space
editor_wait_gone
e2e_wait 10 notes_hold 'Exposure=8000' || e2e_fail "Estimate and Stick it through Tab and Space: $(e2e_notes | tr '\n' '|')"

# Five Tabs reach Cancel: Enter there cancels rather than storing.
e2e_key ctrl n
editor_wait '^Create new note$'
e2e_type "dropped"
tabs 5
e2e_key "" Return
editor_wait_gone

# Browse opens the file dialog; the Esc that closes it leaves the editor open. (The editor that
# opens now comes after the Enter above: a note it stored would be in the file by then.)
e2e_key ctrl n
editor_wait '^Create new note$'
notes_hold 'Content=dropped' && e2e_fail "Enter on Cancel stored the note"
tabs 2
e2e_key "" space
e2e_wait 20 file_dialog_shown || e2e_fail "Space on Browse did not open the file dialog"
e2e_key "" Escape
e2e_wait 15 eval '! file_dialog_shown' || e2e_fail "the file dialog did not close"
# A letter typed into the note after the Esc is counted only if the editor is still there.
count=$(editor_count_signature)
editor_click $EDITOR_NOTE
e2e_type "k"
if ! e2e_wait 10 editor_count_is_not "$count"; then
  editor_shown '^Create new note$' || e2e_fail "the Esc that closed the file dialog closed the editor too"
  e2e_fail "the editor took no letter after the file dialog closed"
fi
editor_shown '^Create new note$' || e2e_fail "the Esc that closed the file dialog closed the editor too"
e2e_key "" Escape
editor_wait_gone

# The About box: the page tab, then the web link (Enter) and the mail link (Space) where the
# build has their addresses (none by default: no link is shown), the web link again (Shift+Tab)
# and Close.
e2e_key ctrl b
e2e_wait 15 about_shown || e2e_fail "Ctrl+B did not open the About box"
tabs 1
if [ -n "${ZETTLY_WEB_ADDRESS:-}" ]; then
  tabs 1
  e2e_key "" Return
  e2e_wait 20 handed "$ZETTLY_WEB_ADDRESS" || e2e_fail "Enter on the web link handed nothing over: $(cat "$E2E_DIR/handed.txt" 2>/dev/null)"
fi
if [ -n "${ZETTLY_MAIL_ADDRESS:-}" ]; then
  tabs 1
  e2e_key "" space
  e2e_wait 20 handed "mailto:$ZETTLY_MAIL_ADDRESS" || e2e_fail "Space on the mail link handed nothing over: $(cat "$E2E_DIR/handed.txt" 2>/dev/null)"
fi
to_close=1
if [ -n "${ZETTLY_WEB_ADDRESS:-}" ] && [ -n "${ZETTLY_MAIL_ADDRESS:-}" ]; then
  # Back on the web link, Enter hands it over a second time only while the box is there.
  e2e_key shift Tab
  e2e_key "" Return
  web_handed_twice() { [ "$(grep -cF "$ZETTLY_WEB_ADDRESS" "$E2E_DIR/handed.txt")" -ge 2 ]; }
  e2e_wait 20 web_handed_twice || e2e_fail "a link closed the About box: Enter on the web link after it handed nothing over"
  to_close=2
fi
about_shown || e2e_fail "a link closed the About box"
tabs $to_close
e2e_key "" space
e2e_wait 15 eval '! about_shown' || e2e_fail "Space on Close did not close the About box"
