# Helpers for the note editor's scenarios, on top of lib.sh: finding the dialog by its caption
# and reaching its controls by their places in its 225 x 235 client area.

# The X window of the shown editor whose caption matches $1 (an extended regular expression).
editor_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep .; }
editor_shown() { editor_window "$1" >/dev/null; }
editor_gone() { ! editor_window '^(Create new note|Edit note)' >/dev/null; }

# Waits for the editor with caption $1 and sets EX EY to its client area's top-left corner (the
# frame is even left, right and below; the caption bar takes the rest above).
editor_wait() {
  e2e_wait 15 editor_shown "$1" || e2e_fail "no editor window '$1'"
  local x y w h border
  read -r x y w h < <(e2e_geometry "$(editor_window "$1")") || e2e_fail "editor '$1' has no geometry"
  border=$(((w - 225) / 2))
  EX=$((x + border))
  EY=$((y + h - 235 - border))
}
editor_wait_gone() { e2e_wait 15 editor_gone || e2e_fail "the editor is still open"; }

# A click at a point of the editor's client area.
editor_click() { e2e_click $((EX + $1)) $((EY + $2)) "${3:-1}"; }

# Places of the controls (client coordinates of a point inside each).
EDITOR_NOTE='50 50'
EDITOR_ATTACHMENT='60 150'
EDITOR_BROWSE='210 151'
EDITOR_EXPOSURE='160 179'
EDITOR_CANCEL='115 217'
EDITOR_STICK='190 217'

# What the character count shows, as a fingerprint.
editor_count_signature() { area_signature $((EX + 141)) $((EY + 108)) 79 16; }
editor_count_is_not() { [ "$(editor_count_signature)" != "$1" ]; }
# True once the attachment box shows text.
editor_attachment_filled() { [ "$(dark_pixels $((EX + 8)) $((EY + 143)) 180 15)" -gt 20 ]; }
