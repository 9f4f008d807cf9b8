#!/usr/bin/env bash
# A keyboard user on a Linux desktop: the program started from a terminal under a window manager
# takes keys at once, without a click; a Ctrl shortcut acts whichever key is let go first; and
# every opening of the editor puts the keyboard in the note's text (at its end for Edit).
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"
. "$(dirname "$0")/editor.sh"
. "$(dirname "$0")/wm.sh"

# Ctrl let go before the letter, as tools that send keys (and many people) do.
key_ctrl_first() { xdotool keydown ctrl sleep 0.05 keydown "$1" sleep 0.05 keyup ctrl sleep 0.05 keyup "$1"; sleep 0.1; }
note_field() { e2e_notes | tr -d '\r' | grep -m1 "^$1=" | cut -d= -f2-; }
notes_hold() { e2e_notes | grep -qx "$1"; }

wm_begin --tray  # without a notification area Wine's stand-in window for the icon takes the focus
e2e_write_notes 'Alpha' '' 4000
e2e_set_dword "$SETTINGS_KEY" On 0
wm_start
wm_settled

# No click: the first shortcut goes to the program.
key_ctrl_first n
editor_wait '^Create new note$'
e2e_type "x9y"
e2e_key "" Return
editor_wait_gone
e2e_wait 10 notes_hold 'Content=x9y' || e2e_fail "the text typed after Ctrl+N did not become note 2: $(e2e_notes | tr '\n' '|')"
note_field N | grep -qx 2 || e2e_fail "expected two notes: $(e2e_notes | tr '\n' '|')"

# The letter let go first; Edit opens on the new note with the caret after its text.
e2e_key ctrl e
editor_wait '^Edit note'
e2e_type "z"
e2e_key "" Return
editor_wait_gone
e2e_wait 10 notes_hold 'Content=x9yz' || e2e_fail "Edit did not put the keyboard at the end of the text: $(e2e_notes | tr '\n' '|')"

# A second New after an Edit: the keyboard is in the (empty) text again, not where it was left.
key_ctrl_first n
editor_wait '^Create new note$'
e2e_key "" Tab            # the keyboard leaves the text before the dialog closes
e2e_key "" Escape
editor_wait_gone
e2e_key ctrl n
editor_wait '^Create new note$'
e2e_type "w"
e2e_key "" Return
editor_wait_gone
e2e_wait 10 notes_hold 'Content=w' || e2e_fail "the third opening did not start in the text: $(e2e_notes | tr '\n' '|')"

# Both orders reach the note window's own commands too: from note 3 back to note 1, and delete it.
key_ctrl_first Left
e2e_key ctrl Left
key_ctrl_first t
e2e_wait 10 eval '! notes_hold Content=Alpha' || e2e_fail "Ctrl+Left twice and Ctrl+T did not delete note 1: $(e2e_notes | tr '\n' '|')"
# A second deletion from the same press would come before a note made after it.
e2e_key ctrl n
editor_wait '^Create new note$'
e2e_type "v"
e2e_key "" Return
editor_wait_gone
e2e_wait 10 notes_hold 'Content=v' || e2e_fail "the note made after the deletion was not saved: $(e2e_notes | tr '\n' '|')"
note_field N | grep -qx 3 || e2e_fail "one press deleted more than one note: $(e2e_notes | tr '\n' '|')"
