// The fonts linked to a face, and the one a rich-edit box switches to when its own face lacks
// characters of its text.
#include <gtest/gtest.h>

#include "toolkit/FontLink.h"

namespace {

TEST(LinkedFamilies, TakesTheFamilyOfEachEntryInOrder) {
  EXPECT_EQ(LinkedFamilies({"DejaVuSans.ttf,DejaVu Sans", "wqy-microhei.ttc, WenQuanYi Micro Hei",
                            "SIMSUN.TTC", "Loma.ttf,", "Loma.ttf,Loma"}),
            (std::vector<std::string>{"DejaVu Sans", "WenQuanYi Micro Hei", "Loma"}));
  EXPECT_TRUE(LinkedFamilies({}).empty());
}

TEST(FontForMissing, TheFirstThatHasEveryMissingCharacterElseTheOneWithMost) {
  EXPECT_EQ(FontForMissing({0, 5, 5}, 5), 1);
  EXPECT_EQ(FontForMissing({2, 3, 3}, 5), 1);
  EXPECT_EQ(FontForMissing({0, 0}, 5), -1);
  EXPECT_EQ(FontForMissing({5}, 0), -1);
  EXPECT_EQ(FontForMissing({}, 3), -1);
}

}  // namespace
