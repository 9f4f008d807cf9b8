// Text in a face and the fonts linked to it (FontLink\SystemLink). Wine follows the links only
// where GDI draws plain text: its rich edit and its shaping of Thai, Arabic or Indic text take
// every glyph from the selected font, so a text mixing scripts showed boxes. Each run of such a
// text is drawn in (or given) the font that has its characters. A face without links (every face
// the program asks for, on Windows, where the system does this itself) draws everything.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Whether the face has fonts linked to it (under Wine, once the prefix is linked; on Windows the
// faces the program asks for have none).
bool HasLinkedFaces(const std::wstring& face);

// The runs of a text for a box that takes a face per run: (first character, face) each, the
// face itself for what it has, else the linked font that has it; one run in the face when it
// has every character.
std::vector<std::pair<size_t, std::wstring>> FaceRuns(HDC dc, const std::wstring& text, HFONT font,
                                                      const std::wstring& face);

// DrawTextW for a text that its face cannot draw alone: each run in the first of the face and
// its linked fonts that has its characters, lines broken as DT_WORDBREAK | DT_EDITCONTROL break
// them. Takes DT_CALCRECT, DT_CENTER, DT_RIGHT, DT_SINGLELINE, DT_VCENTER, DT_BOTTOM,
// DT_NOPREFIX (an accelerator is not underlined) and DT_NOCLIP. False, with nothing drawn, when
// the face has every character: DrawTextW does it then.
bool DrawLinkedText(HDC dc, const std::wstring& text, HFONT font, const std::wstring& face, RECT& rect, UINT flags,
                    int& height);

// A font like `font` in another face.
HFONT CreateFontInFace(HFONT font, const std::wstring& face);
