// The face a text is drawn in: its own, or, when that face lacks characters of the text, the font
// linked to it (FontLink\SystemLink) that has them. Wine follows the links only where GDI draws
// plain text: its rich edit and its shaping of Thai or Indic text (which DrawText does too) take
// every glyph from the selected font, so such notes showed as boxes. A face without links (every
// face the program asks for, on Windows, where the system does this itself) is always kept.
#pragma once
#include <windows.h>

#include <string>

std::wstring FaceForText(HDC dc, const std::wstring& text, HFONT font, const std::wstring& face);

// DrawTextW for a text that its face cannot draw alone: each run in the first of the face and
// its linked fonts that has its characters, lines broken as DT_WORDBREAK | DT_EDITCONTROL break
// them. Takes DT_CALCRECT, DT_CENTER, DT_RIGHT, DT_SINGLELINE, DT_VCENTER, DT_BOTTOM,
// DT_NOPREFIX (an accelerator is not underlined) and DT_NOCLIP. False, with nothing drawn, when
// the face has every character: DrawTextW does it then.
bool DrawLinkedText(HDC dc, const std::wstring& text, HFONT font, const std::wstring& face, RECT& rect, UINT flags,
                    int& height);

// A font like `font` in another face.
HFONT CreateFontInFace(HFONT font, const std::wstring& face);
