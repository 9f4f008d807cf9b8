// Accelerator test and display form of an oval button's caption.
#include "components/ovalbutton/OvalButtonCaption.h"

#include "toolkit/Utf.h"

namespace OvalBtn {

namespace {
unsigned UpperAscii(unsigned c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }
}  // namespace

bool IsAccelChar(unsigned code, std::string_view caption) {
  const size_t amp = caption.find('&');
  if (amp == std::string_view::npos || amp + 1 >= caption.size()) return false;
  // The character after it as the platform counts characters: one UTF-16 code unit.
  const std::u16string next = Utf8ToUtf16(caption.substr(amp + 1));
  return !next.empty() && UpperAscii(next[0]) == UpperAscii(code & 0xFF);
}

TCaptionDisplay CaptionDisplay(std::string_view caption) {
  TCaptionDisplay out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) {
      ++i;
      if (caption[i] != '&' && out.Underline < 0) out.Underline = static_cast<int>(out.Text.size());
    }
    out.Text += caption[i];
  }
  return out;
}

}  // namespace OvalBtn
