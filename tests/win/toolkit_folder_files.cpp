// Symbolic links in a real folder under Wine, where deleting a link deletes what it leads to:
// the tidying of other programs' files and of old temporaries never lists, deletes or deletes
// through one.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/win/NotesTestFiles.h"
#include "toolkit/win/FileStore.h"
#include "toolkit/win/FolderFiles.h"

namespace {

// What Linux says is in the folder: "name -> target" for a link, the name for anything else.
std::string Listing(const TScratchFolder& folder, const TScratchFolder& report) {
  const std::string f = UnixPath(folder.Path()), r = UnixPath(report.Path());
  if (!RunUnixScript("cd '" + f + "' && find . -mindepth 1 \\( -type l -printf '%f -> %l\\n' -o -printf '%f\\n' \\) | "
                     "LC_ALL=C sort > '" + r + "/listing.txt'"))
    return "<not listed>";
  return GetFile(report / L"listing.txt");
}

// The scratch folders' clean-up deletes through Windows calls, which would follow the links.
void RemoveLinks(const TScratchFolder& folder) { RunUnixScript("find '" + UnixPath(folder.Path()) + "' -type l -delete"); }

TEST(FolderFilesOnDisk, LinksAreNeitherListedNorDeletedNorDeletedThrough) {
  TScratchFolder folder, elsewhere, report;
  const std::string f = UnixPath(folder.Path()), e = UnixPath(elsewhere.Path());
  if (f.empty()) GTEST_SKIP() << "needs Wine to make Unix links";
  ASSERT_TRUE(PutFile(folder / L"notices.msg", "mine"));
  ASSERT_TRUE(PutFile(folder / L"notices (plain).msg", "plain"));
  ASSERT_TRUE(PutFile(elsewhere / L"far.msg", "far"));
  ASSERT_TRUE(RunUnixScript("cd '" + f + "' && ln -s notices.msg 'notices (near).msg' && ln -s '" + e +
                            "/far.msg' 'notices (far).msg' && ln -s '" + e + "/gone.msg' 'notices (dangling).msg'"));
  std::vector<std::string> listed = FileNamesIn(Narrow(folder.Path()), "notices*.msg");
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"notices (plain).msg", "notices.msg"}));
  for (const wchar_t* link : {L"notices (near).msg", L"notices (far).msg", L"notices (dangling).msg"}) {
    EXPECT_FALSE(IsPlainFile(folder / link)) << Narrow(link);
    EXPECT_FALSE(DeleteFileAt(Narrow(folder / link))) << Narrow(link);
  }
  // A plain file goes, read-only too (a sync tool gives a copy the mode of what it copied).
  ASSERT_TRUE(SetFileAttributesW((folder / L"notices (plain).msg").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(DeleteFileAt(Narrow(folder / L"notices (plain).msg")));
  EXPECT_EQ(GetFile(folder / L"notices.msg"), "mine");
  EXPECT_EQ(GetFile(elsewhere / L"far.msg"), "far");
  EXPECT_EQ(Listing(folder, report), "notices (dangling).msg -> " + e + "/gone.msg\nnotices (far).msg -> " + e +
                                         "/far.msg\nnotices (near).msg -> notices.msg\nnotices.msg\n");
  RemoveLinks(folder);
}

// Regression: a link named like a killed save's temporary, leading to any file older than an
// hour, had that file deleted by the next save.
TEST(FolderFilesOnDisk, ALinkNamedLikeAnOldTemporaryStaysAndSoDoesItsTarget) {
  TScratchFolder folder, elsewhere, report;
  const std::string f = UnixPath(folder.Path()), e = UnixPath(elsewhere.Path());
  if (f.empty()) GTEST_SKIP() << "needs Wine to make Unix links";
  ASSERT_TRUE(PutFile(elsewhere / L"precious.txt", "keep me"));
  ASSERT_TRUE(PutFile(folder / L"notices.msg.4-5-6.tmp", "left by a killed save"));
  ASSERT_TRUE(PutFile(folder / L"notices.msg", "old"));
  ASSERT_TRUE(RunUnixScript("cd '" + f + "' && touch -d '2 hours ago' '" + e + "/precious.txt' notices.msg.4-5-6.tmp && "
                            "ln -s '" + e + "/precious.txt' notices.msg.1-2-3.tmp && ln -s notices.msg notices.msg.7-8-9.tmp && "
                            "touch -h -d '2 hours ago' notices.msg.1-2-3.tmp notices.msg.7-8-9.tmp"));
  ASSERT_TRUE(SystemFileStore().WriteWholeFile(Narrow(folder / L"notices.msg"), "new"));
  EXPECT_EQ(GetFile(elsewhere / L"precious.txt"), "keep me");
  EXPECT_EQ(GetFile(folder / L"notices.msg"), "new");
  // The real leftover went; both links and what they lead to stayed.
  EXPECT_EQ(Listing(folder, report), "notices.msg\nnotices.msg.1-2-3.tmp -> " + e +
                                         "/precious.txt\nnotices.msg.7-8-9.tmp -> notices.msg\n");
  RemoveLinks(folder);
}

}  // namespace
