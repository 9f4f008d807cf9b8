// The save's last step on real files: the Windows branch (ReplaceFileW), which Wine never takes,
// driven through the file operations' seam with the refusals Windows shows; and under Wine what
// a user arranged around the file (a link to nothing, a hard link, mode, group, attributes).
#include <gtest/gtest.h>

#include <string>

#include "tests/win/NotesTestFiles.h"
#include "toolkit/win/FileOperations.h"
#include "toolkit/win/FileStore.h"

namespace {

// Refuses the next Refusals replaces with Error, then replaces for real; Windows' branch always.
class TRefusingOperations final : public TFileOperations {
 public:
  int Refusals = 0;
  DWORD Error = ERROR_SHARING_VIOLATION;
  DWORD Waited = 0;

  BOOL Replace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup) override {
    if (Refusals > 0) {
      --Refusals;
      // 1177 leaves the old file under the backup's name and the new one under its own.
      if (Error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileExW(replaced, backup, 0);
      SetLastError(Error);
      return FALSE;
    }
    return SystemFileOperations().Replace(replaced, replacement, backup);
  }
  BOOL Move(LPCWSTR from, LPCWSTR to, DWORD flags) override {
    return SystemFileOperations().Move(from, to, flags);
  }
  bool UnderWine() const override { return false; }
  void Wait(DWORD milliseconds) override { Waited += milliseconds; }
};

TEST(FileReplace, TheWindowsBranchOutlastsShortRefusalsAndKeepsTheOldFileOnALongOne) {
  const struct {
    const char* name;
    DWORD error;
    int refusals;
    bool saved;
  } cases[] = {
      {"held by a scanner", ERROR_SHARING_VIOLATION, 3, true},
      {"access denied a moment", ERROR_ACCESS_DENIED, 10, true},
      {"locked a moment", ERROR_LOCK_VIOLATION, 1, true},
      {"1175: old file not removed", ERROR_UNABLE_TO_REMOVE_REPLACED, 2, true},
      {"1176: new file not moved", ERROR_UNABLE_TO_MOVE_REPLACEMENT, 2, true},
      {"1177: old file moved aside", ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, 1, true},
      {"held for good", ERROR_SHARING_VIOLATION, 1000, false},
      {"1176 for good", ERROR_UNABLE_TO_MOVE_REPLACEMENT, 1000, false},
      {"not a refusal", ERROR_DISK_FULL, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TScratchFolder folder;
    const std::wstring target = folder / L"notices.msg";
    ASSERT_TRUE(PutFile(target, "old"));
    TRefusingOperations ops;
    ops.Error = c.error;
    ops.Refusals = c.refusals;
    const auto store = MakeFileStore(ops);
    TFileStore::TFailure failure;
    EXPECT_EQ(store->WriteWholeFile(Narrow(target), "new", failure), c.saved);
    EXPECT_EQ(GetFile(target), c.saved ? "new" : "old");
    EXPECT_EQ(failure.Reason.empty(), c.saved) << failure.Reason;
    EXPECT_EQ(folder.Count(), 1);  // neither the temporary nor the backup left
    if (c.refusals >= 1000) {  // about two seconds, then the caller keeps the change
      EXPECT_GE(ops.Waited, 1900u);
      EXPECT_LE(ops.Waited, 2100u);
    }
  }
}

// Under Wine: Unix links and modes, made and looked at with the shell.
class ArrangedFile : public testing::Test {
 protected:
  void SetUp() override {
    unix_ = UnixPath(folder_.Path());
    if (unix_.empty()) GTEST_SKIP() << "not under Wine";
  }
  // True when the shell command (without double quotes) succeeds in the folder.
  bool Shell(const std::string& command) {
    return RunUnixScript("cd '" + unix_ + "' && " + command + " && touch ok") && Exists(folder_ / L"ok") &&
           DeleteFileW((folder_ / L"ok").c_str());
  }
  bool Python(const std::string& program) {
    return PutFile(folder_ / L"check.py", program) && Shell("python3 check.py; s=$?; rm check.py; exit $s");
  }
  TScratchFolder folder_;
  std::string unix_;
};

// Regression: a save over a link to a file not there yet put a plain file in its place.
TEST_F(ArrangedFile, ALinkToNothingStaysALink) {
  ASSERT_TRUE(Shell("ln -s later/notices.msg notices.msg"));
  TFileStore& store = SystemFileStore();
  const std::string path = Narrow(folder_ / L"notices.msg");
  EXPECT_TRUE(store.IsLinkToNothing(path));
  std::string data;
  EXPECT_EQ(store.ReadWholeFile(path, 100, data), TFileStore::TReadResult::NotFound);
  EXPECT_FALSE(store.WriteWholeFile(path, "new"));
  EXPECT_TRUE(Shell("test -L notices.msg && test ! -e later"));
  ASSERT_TRUE(Shell("mkdir later && printf old >later/notices.msg"));
  EXPECT_FALSE(store.IsLinkToNothing(path));
  EXPECT_TRUE(store.WriteWholeFile(path, "new"));
  EXPECT_TRUE(Shell("test -L notices.msg && test $(cat later/notices.msg) = new"));
  EXPECT_FALSE(store.IsLinkToNothing(Narrow(folder_ / L"none.msg")));
  EXPECT_TRUE(Shell("rm -r later notices.msg"));
}

// Regression: a save broke a hard link, dropped the group and the extended attributes (an ACL
// among them) and left the temporary readable by others while it was written.
TEST_F(ArrangedFile, ASaveKeepsHardLinksModeGroupAndAttributes) {
  ASSERT_TRUE(Shell("printf old >notices.msg && chmod 600 notices.msg && ln notices.msg other-name.msg"));
  const bool grouped = Shell("chgrp nogroup notices.msg");
  const bool attributed = Python("import os\nos.setxattr('notices.msg', 'user.zettly', b'kept')\n");
  ASSERT_TRUE(SystemFileStore().WriteWholeFile(Narrow(folder_ / L"notices.msg"), "new"));
  EXPECT_EQ(GetFile(folder_ / L"other-name.msg"), "new");
  EXPECT_TRUE(Shell("test $(stat -c %a notices.msg) = 600"));
  EXPECT_TRUE(!grouped || Shell("test $(stat -c %G notices.msg) = nogroup"));
  ASSERT_TRUE(Shell("rm other-name.msg"));  // one name again: the save replaces the file
  ASSERT_TRUE(SystemFileStore().WriteWholeFile(Narrow(folder_ / L"notices.msg"), "newer"));
  EXPECT_EQ(GetFile(folder_ / L"notices.msg"), "newer");
  EXPECT_TRUE(Shell("test $(stat -c %a notices.msg) = 600"));
  EXPECT_TRUE(!grouped || Shell("test $(stat -c %G notices.msg) = nogroup"));
  EXPECT_TRUE(!attributed || Python("import os, sys\nsys.exit(os.getxattr('notices.msg', 'user.zettly') != b'kept')\n"));
  EXPECT_EQ(folder_.Count(), 1);
}

}  // namespace
