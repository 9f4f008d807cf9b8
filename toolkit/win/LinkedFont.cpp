#include "toolkit/win/LinkedFont.h"

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

std::wstring FaceForText(HDC dc, const std::wstring& text, HFONT font, const std::wstring& face) {
  if (text.empty()) return face;
  const std::vector<std::wstring>& linked = LinkedFaces(face);
  if (linked.empty()) return face;
  std::vector<bool> own;
  {
    const SelectObjectScope select(dc, font);
    own = Drawable(dc, text);
  }
  size_t missing = 0;
  for (bool had : own) missing += had ? 0 : 1;
  if (missing == 0) return face;

  std::vector<size_t> covered;
  for (const std::wstring& candidate : linked) {
    const UniqueFont linkedFont(CreateFontInFace(font, candidate));
    const SelectObjectScope select(dc, linkedFont.Get());
    const std::vector<bool> has = Drawable(dc, text);
    size_t n = 0;
    for (size_t i = 0; i < text.size(); ++i) n += !own[i] && has[i] ? 1 : 0;
    covered.push_back(n);
  }
  const int chosen = FontForMissing(covered, missing);
  return chosen < 0 ? face : linked[static_cast<size_t>(chosen)];
}
