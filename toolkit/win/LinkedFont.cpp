#include "toolkit/win/LinkedFont.h"

#include <algorithm>
#include <map>
#include <vector>

#include "toolkit/FontLink.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/Text.h"

namespace {
constexpr wchar_t kSystemLink[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";

// Read once per face: the links are set before the program starts.
const std::vector<std::wstring>& LinkedFaces(const std::wstring& face) {
  static std::map<std::wstring, std::vector<std::wstring>> known;
  const auto found = known.find(face);
  if (found != known.end()) return found->second;
  std::vector<std::wstring>& faces = known[face];
  DWORD size = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kSystemLink, face.c_str(), RRF_RT_REG_MULTI_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS)
    return faces;
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kSystemLink, face.c_str(), RRF_RT_REG_MULTI_SZ, nullptr, data.data(),
                   &size) != ERROR_SUCCESS)
    return faces;
  std::vector<std::string> entries;
  for (const wchar_t* p = data.data(); *p; p += wcslen(p) + 1) entries.push_back(ToUtf8(p));
  for (const std::string& family : LinkedFamilies(entries)) faces.push_back(ToWide(family));
  return faces;
}

// Which characters the DC's font has; control characters and surrogate halves count as had
// (no font draws them here).
std::vector<bool> Drawable(HDC dc, const std::wstring& text) {
  std::vector<WORD> glyphs(text.size());
  std::vector<bool> had(text.size(), true);
  if (GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return had;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    had[i] = glyphs[i] != 0xFFFF || c < 0x20 || (c >= 0xD800 && c <= 0xDFFF);
  }
  return had;
}
}  // namespace

HFONT CreateFontInFace(HFONT font, const std::wstring& face) {
  LOGFONTW like{};
  GetObjectW(font, sizeof like, &like);
  like.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(like.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&like);
}

namespace {
// The text as DrawTextW shows it: "&&" as "&", a lone "&" left out, tabs as blanks, and on a
// single line its breaks as blanks.
std::wstring Shown(const std::wstring& text, UINT flags) {
  std::wstring shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'&' && !(flags & DT_NOPREFIX)) {
      if (i + 1 >= text.size()) break;
      c = text[++i];
    }
    if (c == L'\t' || ((flags & DT_SINGLELINE) && (c == L'\r' || c == L'\n'))) c = L' ';
    shown.push_back(c);
  }
  return shown;
}
}  // namespace

bool HasLinkedFaces(const std::wstring& face) { return !LinkedFaces(face).empty(); }

namespace {
// The font of each character of a text in its face (0) and the linked fonts that draw some of
// it (1 on, made in `fonts`, named in `faces`); false when the face has every character or no
// links.
bool SplitByFont(HDC dc, const std::wstring& text, HFONT font, const std::wstring& face, std::vector<int>& fontOf,
                 std::vector<UniqueFont>& fonts, std::vector<std::wstring>& faces) {
  if (text.empty()) return false;
  const std::vector<std::wstring>& linked = LinkedFaces(face);
  if (linked.empty()) return false;
  std::vector<std::vector<bool>> has;
  {
    const SelectObjectScope select(dc, font);
    has.push_back(Drawable(dc, text));
  }
  std::vector<bool> covered = has[0];
  size_t missing = static_cast<size_t>(std::count(covered.begin(), covered.end(), false));
  if (missing == 0) return false;
  // The linked fonts in order until every character has one; those after it draw nothing.
  for (const std::wstring& candidate : linked) {
    if (missing == 0) break;
    fonts.emplace_back(CreateFontInFace(font, candidate));
    faces.push_back(candidate);
    const SelectObjectScope select(dc, fonts.back().Get());
    has.push_back(Drawable(dc, text));
    for (size_t i = 0; i < text.size(); ++i)
      if (!covered[i] && has.back()[i]) {
        covered[i] = true;
        --missing;
      }
  }
  fontOf = FontOfEachCharacter(has);
  return true;
}
}  // namespace

std::vector<std::pair<size_t, std::wstring>> FaceRuns(HDC dc, const std::wstring& text, HFONT font,
                                                      const std::wstring& face) {
  std::vector<int> fontOf;
  std::vector<UniqueFont> fonts;
  std::vector<std::wstring> faces;
  if (!SplitByFont(dc, text, font, face, fontOf, fonts, faces)) return {{0, face}};
  std::vector<std::pair<size_t, std::wstring>> runs;
  for (size_t i = 0; i < text.size(); ++i)
    if (i == 0 || fontOf[i] != fontOf[i - 1])
      runs.emplace_back(i, fontOf[i] == 0 ? face : faces[static_cast<size_t>(fontOf[i] - 1)]);
  return runs;
}

bool DrawLinkedText(HDC dc, const std::wstring& text, HFONT font, const std::wstring& face, RECT& rect, UINT flags,
                    int& height) {
  if (text.empty() || LinkedFaces(face).empty()) return false;
  const std::wstring shown = Shown(text, flags);
  std::vector<int> fontOf;
  std::vector<UniqueFont> fonts;
  std::vector<std::wstring> faces;
  if (!SplitByFont(dc, shown, font, face, fontOf, fonts, faces)) return false;
  auto handle = [&](int f) { return f == 0 ? font : fonts[static_cast<size_t>(f - 1)].Get(); };

  // Each run's advances, and the height of a line in the tallest of the fonts used.
  std::vector<int> advance(shown.size(), 0);
  std::vector<bool> used(fonts.size() + 1, false);
  int ascent = 0, descent = 0;
  for (size_t begin = 0; begin < shown.size();) {
    size_t end = begin;
    while (end < shown.size() && fontOf[end] == fontOf[begin]) ++end;
    const SelectObjectScope select(dc, handle(fontOf[begin]));
    if (!used[static_cast<size_t>(fontOf[begin])]) {
      used[static_cast<size_t>(fontOf[begin])] = true;
      TEXTMETRICW tm{};
      GetTextMetricsW(dc, &tm);
      ascent = std::max(ascent, static_cast<int>(tm.tmAscent));
      descent = std::max(descent, static_cast<int>(tm.tmDescent));
    }
    std::vector<int> extents(end - begin, 0);
    SIZE size{};
    GetTextExtentExPointW(dc, shown.c_str() + begin, static_cast<int>(end - begin), 0, nullptr, extents.data(), &size);
    for (size_t i = begin; i < end; ++i)
      advance[i] = extents[i - begin] - (i > begin ? extents[i - begin - 1] : 0);
    begin = end;
  }
  const int lineHeight = ascent + descent;
  const bool wrap = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE);
  const std::vector<TTextLine> lines = BreakLines(shown, advance, rect.right - rect.left, wrap);
  height = lineHeight * static_cast<int>(lines.size());
  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const TTextLine& line : lines) widest = std::max(widest, line.Width);
    rect.right = rect.left + widest;
    rect.bottom = rect.top + height;
    return true;
  }

  int y = rect.top;
  if (flags & DT_SINGLELINE) {
    if (flags & DT_VCENTER) y += (rect.bottom - rect.top - lineHeight) / 2;
    else if (flags & DT_BOTTOM) y = rect.bottom - lineHeight;
  }
  RECT clip{};
  GetClipBox(dc, &clip);
  const UINT align = SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  const UINT options = (flags & DT_NOCLIP) ? 0 : ETO_CLIPPED;
  for (const TTextLine& line : lines) {
    const int top = y;
    y += lineHeight;
    if (y <= clip.top || top >= clip.bottom) continue;  // only what can be seen
    int x = rect.left;
    if (flags & DT_CENTER) x += (rect.right - rect.left - line.Width) / 2;
    else if (flags & DT_RIGHT) x = rect.right - line.Width;
    for (size_t begin = line.Begin; begin < line.End;) {
      size_t end = begin;
      int width = 0;
      while (end < line.End && fontOf[end] == fontOf[begin]) width += advance[end++];
      const SelectObjectScope select(dc, handle(fontOf[begin]));
      ExtTextOutW(dc, x, top + ascent, options, &rect, shown.c_str() + begin, static_cast<UINT>(end - begin), nullptr);
      x += width;
      begin = end;
    }
  }
  SetTextAlign(dc, align);
  return true;
}
