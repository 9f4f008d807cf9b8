#!/usr/bin/env bash
# A dark high-contrast theme (Windows' "High Contrast Black" colours, forced in a prefix of the
# scenario's own): the note, its clock and its text are drawn in the theme's colours and stay
# readable.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/note_window.sh"

export WINEPREFIX="$E2E_WORK/high_contrast.prefix"
WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
e2e_begin
e2e_write_notes 'Readable in the dark' '' 4000
# The colours every process of the prefix reads when it starts.
colours() {
  local name value
  while read -r name value; do
    wine reg add 'HKCU\Control Panel\Colors' /v "$name" /t REG_SZ /d "$value" /f </dev/null >/dev/null 2>&1 ||
      e2e_fail "could not set the colour $name"
  done <<'COLOURS'
Window 0 0 0
WindowText 255 255 255
InfoWindow 0 0 0
InfoText 255 255 255
ButtonFace 0 0 0
ButtonText 255 255 255
ButtonShadow 128 128 128
ButtonHilight 192 192 192
GrayText 63 242 63
HotTrackingColor 255 255 0
Hilight 26 235 255
HilightText 0 0 0
COLOURS
}
colours
e2e_end_wine
e2e_start
note_origin

# Pixels of a rectangle far from its background (its top-left pixel) in brightness.
contrasting_pixels() {
  import -display "$DISPLAY" -window root -crop "${3}x${4}+${1}+${2}" +repage -depth 8 txt:- |
    awk -F'[(),]' 'NR == 2 { bg = $2 + $3 + $4 } NR > 1 { d = $2 + $3 + $4 - bg; if (d > 300 || d < -300) n++ } END { print n + 0 }'
}
clock_readable() { [ "$(contrasting_pixels $(note_clock_rect))" -gt 40 ]; }
text_readable() { [ "$(contrasting_pixels $(note_text_rect))" -gt 20 ]; }
e2e_wait 15 clock_readable || e2e_fail "the clock is not readable under dark high-contrast colours ($(contrasting_pixels $(note_clock_rect)) pixels stand out)"
e2e_wait 15 text_readable || e2e_fail "the note's text is not readable under dark high-contrast colours"
e2e_shot "dark" >/dev/null
