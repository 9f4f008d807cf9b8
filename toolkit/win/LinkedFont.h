// The face a text is drawn in: its own, or, when that face lacks characters of the text, the font
// linked to it (FontLink\SystemLink) that has them. Wine follows the links only where GDI draws
// plain text: its rich edit and its shaping of Thai or Indic text (which DrawText does too) take
// every glyph from the selected font, so such notes showed as boxes. A face without links (every
// face the program asks for, on Windows, where the system does this itself) is always kept.
#pragma once
#include <windows.h>

#include <string>

std::wstring FaceForText(HDC dc, const std::wstring& text, HFONT font, const std::wstring& face);

// A font like `font` in another face.
HFONT CreateFontInFace(HFONT font, const std::wstring& face);
