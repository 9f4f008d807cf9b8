// Windows' own start-up switch read from its value's bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/StartupApproval.h"

namespace {

TEST(StartupApprovalTest, OnlyAnOddFirstByteKeepsTheEntryFromStarting) {
  const std::vector<uint8_t> time{0x10, 0x2e, 0x5b, 0x9c, 0x31, 0x7a, 0xd9, 0x01};
  const auto value = [&](uint8_t first) {
    std::vector<uint8_t> v{first, 0, 0, 0};
    v.insert(v.end(), time.begin(), time.end());
    return v;
  };
  EXPECT_TRUE(StartupApproved({}));
  EXPECT_TRUE(StartupApproved(value(0x02)));
  EXPECT_TRUE(StartupApproved(value(0x06)));
  EXPECT_FALSE(StartupApproved(value(0x03)));
  EXPECT_FALSE(StartupApproved(value(0x07)));
  EXPECT_FALSE(StartupApproved({0x03}));
}

}  // namespace
