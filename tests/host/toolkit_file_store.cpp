// Which files beside a saved one are leftovers of our own saves, safe to remove.
#include <gtest/gtest.h>

#include "toolkit/FileStore.h"

namespace {

constexpr uint64_t kOld = StaleTemporaryAgeSeconds, kYoung = StaleTemporaryAgeSeconds - 1;

// Regression: every "notices.msg.*.tmp" was removed, a user's own backups with them.
TEST(StaleTemporaries, OnlyOldLeftoversOfOurOwnSavesGo) {
  const std::string ours = TemporaryFileName("notices.msg", 0x1f3c, 0xfffffffe, 7);
  EXPECT_EQ(ours, "notices.msg.1f3c-fffffffe-7.tmp");
  const std::vector<TFolderEntry> entries = {
      {ours, kOld},
      {"NOTICES.MSG.1-2-3.TMP", kOld},            // the system's names ignore case
      {"notices.msg.a-b-c.tmp", kYoung},          // another copy may be saving
      {"notices.msg.backup.tmp", kOld},           // the user's
      {"notices.msg.yesterday.tmp", kOld},
      {"notices.msg.1-2.tmp", kOld},              // a part missing
      {"notices.msg.1-2-3-4.tmp", kOld},          // one too many
      {"notices.msg.123456789-2-3.tmp", kOld},    // longer than a 32-bit number
      {"notices.msg.01-2-3.tmp", kOld},           // we write no leading zero
      {"notices.msg.1-2-3.tmp.bak", kOld},
      {"other.msg.1-2-3.tmp", kOld},
      {"notices.msg..tmp", kOld},
      {".syncthing.notices.msg.tmp", kOld},      // sync tools' own files in progress
      {"~syncthing~notices.msg.tmp", kOld},
  };
  EXPECT_EQ(StaleTemporaries("notices.msg", entries),
            (std::vector<std::string>{ours, "NOTICES.MSG.1-2-3.TMP"}));
}

}  // namespace
