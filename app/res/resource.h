// Identifiers of the program's resources, shared by the resource script and the code.
// The pictures are named resources; the code loads them with these names from its own module.
// Every bitmap and the cursor also exist drawn at 125, 150 and 200 %, named with the scale
// appended ("GLYPH_NEW_150", see PictureResourceName); their sizes are the 100 % sizes below
// scaled as layouts are.
#pragma once

#ifndef RC_INVOKED
// Icons (RT_GROUP_ICON). MAINICON holds 16, 20, 24, 32, 40, 48, 64 and 256 pixel images and is
// the first icon of the module, so it is the one the shell shows for Zettly.exe; TRAYICON holds
// the small-icon sizes of 100 to 200 %: 16, 20, 24 and 32.
#define RES_MAINICON L"MAINICON"
#define RES_TRAYICON L"TRAYICON"

// The hyperlink cursor: monochrome 32x32 pointing hand, hot spot at the fingertip (5, 0); the
// larger scales are 40, 48 and 64 pixels square with the hot spot on the same fingertip.
#define RES_URLCURSOR L"URLCURSOR_1"

// Speed-button glyphs: bitmaps of RES_GLYPH_IMAGES images side by side (enabled, then
// disabled), each RES_GLYPH_SIZE x RES_GLYPH_SIZE. Pixels of the bottom-left pixel's colour
// (RES_KEY_COLOR, magenta) are background.
#define RES_GLYPH_FORWARD L"GLYPH_FORWARD"
#define RES_GLYPH_BACK L"GLYPH_BACK"
#define RES_GLYPH_NEW L"GLYPH_NEW"
#define RES_GLYPH_EDIT L"GLYPH_EDIT"
#define RES_GLYPH_TRASH L"GLYPH_TRASH"
#define RES_GLYPH_ATTACH L"GLYPH_ATTACH"
#define RES_GLYPH_ABOUT L"GLYPH_ABOUT"
#define RES_GLYPH_HELP L"GLYPH_HELP"
#define RES_GLYPH_CYCLE L"GLYPH_CYCLE"
#define RES_GLYPH_ESTIMATE L"GLYPH_ESTIMATE"
#define RES_GLYPH_IMAGES 2
#define RES_GLYPH_SIZE 16

// The exit picture of the note window: one 22x26 bitmap, key colour as for the glyphs.
#define RES_EXITPIC L"EXITPIC"
#define RES_EXITPIC_WIDTH 22
#define RES_EXITPIC_HEIGHT 26

// The About tab's icon: one 16x16 bitmap, key colour as for the glyphs (an image list takes it
// with ImageList_AddMasked(list, bitmap, RES_KEY_COLOR)).
#define RES_ABOUTTAB L"ABOUTTAB"

// The key colour of every bitmap above, as a COLORREF (0x00BBGGRR).
#define RES_KEY_COLOR 0x00FF00FFu
#endif
