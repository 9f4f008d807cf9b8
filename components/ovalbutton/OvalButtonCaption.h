// The caption's ampersand convention: an '&' marks the next character as the accelerator,
// which is shown underlined while the '&' itself is not shown.
#pragma once
#include <string>
#include <string_view>

namespace OvalBtn {

// True when the caption has a first '&' that is not its last character and the character after
// it equals the low byte of `code`, both upper-cased ('a'..'z' only). Later '&'s are not looked at.
bool IsAccelChar(unsigned code, std::string_view caption);

struct TCaptionDisplay {
  std::string Text;    // what is shown (UTF-8)
  int Underline = -1;  // byte offset in Text of the underlined character, -1 for none
  bool operator==(const TCaptionDisplay&) const = default;
};

// As the platform's text drawing shows it: "&&" is a plain '&', any other '&' is dropped and the
// character after the first such '&' is underlined; a final lone '&' is shown as it is.
TCaptionDisplay CaptionDisplay(std::string_view caption);

}  // namespace OvalBtn
