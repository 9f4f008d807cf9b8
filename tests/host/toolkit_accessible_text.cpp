// The name and shortcut a screen reader hears, taken from a caption and a hint.
#include <gtest/gtest.h>

#include "toolkit/AccessibleText.h"

namespace {

struct Case {
  const char* caption;
  const char* hint;
  bool stripAccel;
  const char* name;
  const char* shortcut;
};

TEST(AccessibleText, NameFromCaptionOrHintWithTheShortcutSplitOff) {
  const Case cases[] = {
      {"", "About... (Ctrl+B)", true, "About", "Ctrl+B"},
      {"", "Help (F1)", true, "Help", "F1"},
      {"", "Scrolling is ON (Ctrl+Space)", true, "Scrolling is ON", "Ctrl+Space"},
      // Brackets that name no keys belong to the text.
      {"", "C:\\Program Files (x86)\\a.txt", true, "C:\\Program Files (x86)\\a.txt", ""},
      {"", "Report (final)", true, "Report (final)", ""},
      {"", "()", true, "()", ""},
      // A caption is the name; the hint can only add the shortcut.
      {"&Close", "Close the box (Esc)", true, "Close", ""},
      {"&Close", "Closes (Alt+C)", true, "Close", "Alt+C"},
      {"Tom && Jerry &", "", true, "Tom & Jerry &", ""},
      {"Tom && Jerry", "", false, "Tom && Jerry", ""},
      // A caption of marks alone leaves the name to the hint.
      {"...", "Browse", true, "Browse", ""},
      {"", "", true, "", ""},
  };
  for (const Case& c : cases) {
    const TAccessibleText t = AccessibleTextOf(c.caption, c.hint, c.stripAccel);
    EXPECT_EQ(t.Name, c.name) << c.caption << " | " << c.hint;
    EXPECT_EQ(t.Shortcut, c.shortcut) << c.caption << " | " << c.hint;
  }
}

}  // namespace
