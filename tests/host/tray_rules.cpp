// The tray icon's small rules and its identifier table.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "components/tray/TrayRules.h"
#include "tests/host/TestTrayIcon.h"

namespace {

TEST(TrayTipTest, HintIsCutAt127UnitsAndOnlyShownWhenWanted) {
  EXPECT_EQ(TrayTip(std::string(200, 'a'), true), std::u16string(127, u'a'));
  EXPECT_EQ(TrayTip(std::string(127, 'b'), true), std::u16string(127, u'b'));
  EXPECT_EQ(TrayTip("Zettly", true), u"Zettly");
  EXPECT_EQ(TrayTip("Zettly", false), u"");
  EXPECT_EQ(TrayTip("", true), u"");
  // Two bytes in UTF-8, one unit in UTF-16: the limit counts units.
  std::string accented;
  for (int i = 0; i < 130; ++i) accented += "\xC3\xA9";  // e acute
  EXPECT_EQ(TrayTip(accented, true), std::u16string(127, u'\u00E9'));
}

TEST(TrayTipTest, SurrogatePairAtTheLimitIsDroppedWhole) {
  const std::string hint = std::string(126, 'a') + "\xF0\x9F\x98\x80" + "tail";  // U+1F600 at 127
  const std::u16string tip = TrayTip(hint, true);
  EXPECT_EQ(tip, std::u16string(126, u'a'));
  const std::string fits = std::string(125, 'a') + "\xF0\x9F\x98\x80" + "tail";
  EXPECT_EQ(TrayTip(fits, true).size(), 127u);
}

TEST(ShellRestartVersionTest, NeedsCommonControls471OrLater) {
  struct Case {
    uint32_t major, minor;
    bool available;
  } cases[] = {{4, 70, false}, {4, 71, true}, {4, 72, true}, {3, 99, false}, {5, 80, true}, {6, 0, true},
               {0, 0, false}};
  for (const Case& c : cases)
    EXPECT_EQ(ShellRestartMessageAvailable(c.major << 16 | c.minor), c.available) << c.major << "." << c.minor;
}

TEST(ShiftKeysTest, HeldMeansNegativeStateAndNoButtonIsEverReported) {
  struct Case {
    int16_t shift, control, menu;
    std::string expected;
  } cases[] = {{0, 0, 0, "-"},
               {int16_t(0x8000), 0, 0, "Shift"},
               {0, int16_t(0x8001), 0, "Ctrl"},
               {0, 0, -1, "Alt"},
               {1, 1, 1, "-"},  // pressed since the last call, not held
               {-1, -1, -1, "Shift+Alt+Ctrl"}};
  for (const Case& c : cases) {
    std::set<int> asked;
    const TShiftState s = ShiftFromAsyncKeys([&](int vk) -> int16_t {
      asked.insert(vk);
      return vk == 0x10 ? c.shift : vk == 0x11 ? c.control : vk == 0x12 ? c.menu : int16_t(-1);
    });
    EXPECT_EQ(TestTrayIcon::Shift(s), c.expected);
    EXPECT_EQ(asked, (std::set<int>{0x10, 0x11, 0x12}));
  }
}

TEST(IconIndexTest, OnlyTheUpperBoundIsEnforcedAndTheAnimationWraps) {
  EXPECT_EQ(LimitIconIndex(10, 4), 3);
  EXPECT_EQ(LimitIconIndex(4, 4), 3);
  EXPECT_EQ(LimitIconIndex(2, 4), 2);
  EXPECT_EQ(LimitIconIndex(-2, 4), -2);
  EXPECT_EQ(LimitIconIndex(0, 0), -1);
  std::string order;
  int i = 0;
  for (int tick = 0; tick < 6; ++tick) order += std::to_string(i = NextCycleIndex(i, 4));
  EXPECT_EQ(order, "123012");
  EXPECT_EQ(NextCycleIndex(-1, 0), 0);
  EXPECT_EQ(NextCycleIndex(0, 1), 0);
}

TEST(TrayIconIdTest, IdentifiersAreDistinctAndADestroyedIconIsNotFound) {
  auto a = std::make_unique<TestTrayIcon>();
  auto b = std::make_unique<TestTrayIcon>();
  EXPECT_NE(a->IconId(), 0u);
  EXPECT_NE(a->IconId(), b->IconId());
  EXPECT_EQ(TCustomTrayIcon::FindTrayIcon(a->IconId()), a.get());
  EXPECT_EQ(TCustomTrayIcon::FindTrayIcon(b->IconId()), b.get());
  const uint32_t gone = a->IconId();
  a.reset();
  EXPECT_EQ(TCustomTrayIcon::FindTrayIcon(gone), nullptr);
  // A later icon does not take the identifier of one that is gone (a late notification must
  // not reach it).
  TestTrayIcon c;
  EXPECT_NE(c.IconId(), gone);
  EXPECT_EQ(TCustomTrayIcon::FindTrayIcon(0), nullptr);
}

}  // namespace
