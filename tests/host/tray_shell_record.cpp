// Which shell calls the tray icon can leave out: only those the shell's own answers show cannot
// change anything there.
#include <gtest/gtest.h>

#include "components/tray/ShellIconRecord.h"

namespace {

const TShellIconLook kLook{1, u"Zettly"};

TEST(ShellIconRecordTest, ANewImageIsToldEvenUnderAnOldHandleValue) {
  TShellIconRecord record;
  record.Added(true, kLook);
  EXPECT_FALSE(record.ModifyNeeded(kLook));
  EXPECT_TRUE(record.ModifyNeeded({2, u"Zettly"}));
}

TEST(ShellIconRecordTest, ARefusedCallMayHaveBeenTakenSoEverythingIsToldAgain) {
  TShellIconRecord record;
  record.Added(false, kLook);  // a shell that took the icon but answered too late
  EXPECT_TRUE(record.AddNeeded());
  EXPECT_TRUE(record.RemoveNeeded());
  EXPECT_TRUE(record.ModifyNeeded(kLook));
  record.Modified(true, kLook);  // only an icon that is there can be changed
  EXPECT_FALSE(record.AddNeeded());
  record.Modified(false, kLook);  // the shell lost it: the next show adds it again
  EXPECT_TRUE(record.AddNeeded());
  record.Added(true, kLook);
  record.VersionTold(false, 4);
  EXPECT_TRUE(record.VersionNeeded(4));
  EXPECT_FALSE(record.AddNeeded());  // a refused version says nothing about the icon
}

}  // namespace
