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

bool PairAt(const std::wstring& text, size_t i) {
  return i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
         text[i + 1] <= 0xDFFF;
}
uint32_t CodePointAt(const std::wstring& text, size_t i) {
  return 0x10000 + ((static_cast<uint32_t>(text[i]) - 0xD800) << 10) + (static_cast<uint32_t>(text[i + 1]) - 0xDC00);
}

// The 'cmap' table of the DC's font; empty where there is none.
std::vector<uint8_t> FontCmap(HDC dc) {
  constexpr DWORD kCmap = 0x70616D63;  // the tag "cmap", as GetFontData takes it
  const DWORD size = GetFontData(dc, kCmap, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0) return {};
  std::vector<uint8_t> data(size);
  if (GetFontData(dc, kCmap, 0, data.data(), size) != size) return {};
  return data;
}

// Which characters the DC's font has. A character beyond the first 65,536 (a surrogate pair:
// most emoji) is looked up in the font's own table, which GetGlyphIndicesW does not read;
// control characters and unpaired halves count as had (no font draws them here).
std::vector<bool> Drawable(HDC dc, const std::wstring& text) {
  std::vector<WORD> glyphs(text.size());
  std::vector<bool> had(text.size(), true);
  if (GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
    return had;
  std::vector<uint8_t> cmap;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (PairAt(text, i)) {
      if (cmap.empty()) cmap = FontCmap(dc);
      had[i] = had[i + 1] = GlyphBeyondBmp(cmap, CodePointAt(text, i)) != 0;
      ++i;
      continue;
    }
    had[i] = glyphs[i] != 0xFFFF || c < 0x20 || (c >= 0xD800 && c <= 0xDFFF);
  }
  return had;
}

bool HasPair(const std::wstring& text) {
  for (size_t i = 0; i < text.size(); ++i)
    if (PairAt(text, i)) return true;
  return false;
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

// Calls `piece` for the stretches of [begin, end) that ExtTextOutW draws as text and, one by
// one, for the surrogate pairs, which it draws only by their glyphs.
template <class Piece>
void ForEachPiece(const std::wstring& text, size_t begin, size_t end, Piece piece) {
  size_t from = begin;
  for (size_t i = begin; i < end; ++i) {
    if (!PairAt(text, i) || i + 1 >= end) continue;
    if (from < i) piece(from, i, false);
    piece(i, i + 2, true);
    from = ++i + 1;
  }
  if (from < end) piece(from, end, false);
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
  // Wine's ExtTextOutW draws a surrogate pair as two boxes: a text with one is drawn here.
  if (missing == 0 && !HasPair(text)) return false;
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

  // The glyph of the pair at `at` in font f, from the font's table, read once.
  std::vector<std::vector<uint8_t>> cmaps(fonts.size() + 1);
  std::vector<bool> cmapRead(fonts.size() + 1, false);
  auto GlyphOf = [&](int f, size_t at) -> WORD {
    const size_t k = static_cast<size_t>(f);
    if (!cmapRead[k]) {
      cmapRead[k] = true;
      cmaps[k] = FontCmap(dc);  // the font is selected when this is asked
    }
    return GlyphBeyondBmp(cmaps[k], CodePointAt(shown, at));
  };
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
    ForEachPiece(shown, begin, end, [&](size_t from, size_t to, bool pair) {
      if (pair) {
        WORD glyph = GlyphOf(fontOf[from], from);
        SIZE size{};
        GetTextExtentPointI(dc, &glyph, 1, &size);
        advance[from] = size.cx;
        return;
      }
      std::vector<int> extents(to - from, 0);
      SIZE size{};
      GetTextExtentExPointW(dc, shown.c_str() + from, static_cast<int>(to - from), 0, nullptr, extents.data(), &size);
      for (size_t i = from; i < to; ++i) advance[i] = extents[i - from] - (i > from ? extents[i - from - 1] : 0);
    });
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
      int at = x;
      ForEachPiece(shown, begin, end, [&](size_t from, size_t to, bool pair) {
        if (pair) {
          const WORD glyph = GlyphOf(fontOf[from], from);
          ExtTextOutW(dc, at, top + ascent, options | ETO_GLYPH_INDEX, &rect, reinterpret_cast<LPCWSTR>(&glyph), 1,
                      nullptr);
        } else {
          ExtTextOutW(dc, at, top + ascent, options, &rect, shown.c_str() + from, static_cast<UINT>(to - from), nullptr);
        }
        for (size_t i = from; i < to; ++i) at += advance[i];
      });
      x += width;
      begin = end;
    }
  }
  SetTextAlign(dc, align);
  return true;
}
