// Which shell calls the tray icon can leave out: only those the shell's own answers show cannot
// change anything there.
#include <gtest/gtest.h>

#include "components/tray/ShellIconRecord.h"

namespace {

const TShellIconLook kLook{1, u"Zettly"};

TEST(ShellIconRecordTest, AnIconNeverAddedIsOnlyAdded) {
  TShellIconRecord record;
  EXPECT_TRUE(record.AddNeeded());
  EXPECT_FALSE(record.RemoveNeeded());
  EXPECT_FALSE(record.ModifyNeeded(kLook));
  EXPECT_FALSE(record.VersionNeeded(4));
}

TEST(ShellIconRecordTest, AnAddedIconIsToldOnlyWhatChanged) {
  TShellIconRecord record;
  record.Added(true, kLook);
  EXPECT_FALSE(record.AddNeeded());
  EXPECT_FALSE(record.ModifyNeeded(kLook));
  EXPECT_TRUE(record.ModifyNeeded({2, u"Zettly"}));  // a new image under an old handle value too
  EXPECT_TRUE(record.ModifyNeeded({1, u""}));
  EXPECT_FALSE(record.VersionNeeded(0));  // new icons are classic
  EXPECT_TRUE(record.VersionNeeded(4));
  record.VersionTold(true, 4);
  EXPECT_FALSE(record.VersionNeeded(4));
  record.Removed(true);
  EXPECT_TRUE(record.AddNeeded());
  EXPECT_FALSE(record.RemoveNeeded());
}

TEST(ShellIconRecordTest, ARefusedCallMayHaveBeenTakenSoEverythingIsToldAgain) {
  TShellIconRecord record;
  record.Added(false, kLook);  // may have been taken all the same
  EXPECT_TRUE(record.AddNeeded());
  EXPECT_TRUE(record.RemoveNeeded());
  EXPECT_TRUE(record.ModifyNeeded(kLook));
  EXPECT_TRUE(record.VersionNeeded(0));
  record.Modified(true, kLook);  // only an icon that is there can be changed
  EXPECT_FALSE(record.AddNeeded());
  record.Modified(false, kLook);  // the shell lost it: the next show adds it again
  EXPECT_TRUE(record.AddNeeded());
  record.Added(true, kLook);
  record.VersionTold(false, 4);
  EXPECT_TRUE(record.VersionNeeded(4));
  EXPECT_FALSE(record.AddNeeded());  // a refused version says nothing about the icon
}

TEST(ShellIconRecordTest, ARestartedTaskbarHoldsNothing) {
  TShellIconRecord record;
  record.Added(true, kLook);
  record.VersionTold(true, 4);
  record.ShellRestarted();
  EXPECT_TRUE(record.AddNeeded());
  EXPECT_FALSE(record.ModifyNeeded(kLook));
  record.Added(true, kLook);
  EXPECT_TRUE(record.VersionNeeded(4));
}

}  // namespace
