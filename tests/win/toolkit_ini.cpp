// The INI document against the platform's own profile functions, and the real file store.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <vector>

#include "tests/win/NotesTestFiles.h"
#include "toolkit/IniDocument.h"
#include "toolkit/IniEncoding.h"
#include "toolkit/win/FileStore.h"
#include "toolkit/win/Handles.h"

namespace {

constexpr wchar_t kDefault[] = L"<missing>";

std::wstring PlatformRead(const std::wstring& file, const std::string& section, const std::string& key) {
  static wchar_t buffer[2048];
  const DWORD n = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), kDefault, buffer,
                                           2048, file.c_str());
  return std::wstring(buffer, n);
}

// The platform reads at most 2047 units of a value, where we read it whole (so that a save never
// cuts it): only what the platform can read is compared.
std::wstring OurRead(const TIniDocument& doc, const std::string& section, const std::string& key) {
  const auto value = doc.FindString(section, key);
  return value ? Wide(*value).substr(0, 2047) : kDefault;
}

std::string RandomText(std::mt19937& rng, const std::vector<std::string>& pieces, int maxLength) {
  std::string out;
  const int n = std::uniform_int_distribution<int>(0, maxLength)(rng);
  for (int i = 0; i < n; ++i) out += pieces[rng() % pieces.size()];
  return out;
}

// What our writer produces, the platform reads back exactly, in ASCII and in UTF-16.
TEST(IniOracle, ThePlatformReadsOurFilesExactly) {
  TScratchFolder folder;
  const std::wstring file = folder / L"ours.ini";
  const std::vector<std::string> pieces = {" ", "\t", "\"", "'", "=", ";", "[", "]", "a", "Z",
                                           "\xC3\xA9", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xC2\xA0"};
  std::mt19937 rng(11);
  for (int round = 0; round < 40; ++round) {
    TIniDocument doc;
    std::vector<std::string> values;
    for (int k = 0; k < 12; ++k) {
      values.push_back(RandomText(rng, pieces, k == 0 ? 1500 : 200));
      doc.WriteString("S" + std::to_string(k % 3), "K" + std::to_string(k), values.back());
    }
    doc.WriteInteger("General", "N", static_cast<int32_t>(rng()));
    ASSERT_TRUE(PutFile(file, doc.ToBytes()));
    for (int k = 0; k < 12; ++k) {
      ASSERT_EQ(PlatformRead(file, "s" + std::to_string(k % 3), "k" + std::to_string(k)), Wide(values[k]))
          << "round " << round << " key " << k;
    }
    EXPECT_EQ(GetPrivateProfileIntW(L"General", L"N", 0, file.c_str()), doc.ReadInteger("General", "N", 0));
  }
}

// Files of every shape, written by hand, read the same through both.
TEST(IniOracle, WeReadHandWrittenFilesAsThePlatformDoes) {
  TScratchFolder folder;
  const std::wstring file = folder / L"hand.ini";
  const std::string texts[] = {
      "x=lead\r\n[ General ]\r\n  N  =  5  \r\n[Sp]   \r\na = \" q \" \r\nb='x'\r\nc=\"x'\r\nd=\"\r\ne=\"\"\r\n"
      ";f=comment\r\ng\r\ng=after\r\nh=1\r\nh=2\r\n [in=y\r\ni=a=b\r\n[Dup]\r\nk=1\r\n[dup]\r\nk=2\r\nm=3\r\n"
      "[A]]b]\r\nz=1\r\n[Brk\r\ny=2\r\n[]\r\ne=5\r\n[S] junk\r\nz=3\r\n",
      "[L]\ra=1\rb=2\r[M]\nc=3\n\n[N]\r\n\tk\t=\t\x0B\x1A v \x0C\r\n",
      "[Q]\r\nplain=" + std::string(2100, 'p') + "\r\nq=\"" + std::string(2046, 'q') + "\"\r\n",
      "[C]\r\nk=caf\xE9 \x80 \x9F\r\n",                                   // Windows-1252
      "\xEF\xBB\xBF[C]\r\nk=\xCE\xB1\xE4\xB8\xAD \xF0\x9F\x98\x80\r\n",  // UTF-8 with its mark
  };
  const char* queries[][2] = {
      {"General", "N"}, {"", "x"}, {"Sp", "a"}, {"Sp", "b"}, {"Sp", "c"}, {"Sp", "d"}, {"Sp", "e"},
      {"Sp", ";f"}, {"Sp", "f"}, {"Sp", "g"}, {"Sp", "h"}, {"Sp", "[in"}, {"Sp", "i"}, {"Dup", "k"},
      {"Dup", "m"}, {"A]]b", "z"}, {"A", "z"}, {"A]]b", "y"}, {"Brk", "y"}, {"", "e"}, {"S", "z"},
      {"L", "a"}, {"L", "b"}, {"M", "c"}, {"N", "k"}, {"Q", "plain"}, {"Q", "q"}, {"C", "k"}, {"none", "k"}};
  for (const std::string& text : texts) {
    // Each file also as UTF-16, holding the same characters.
    const std::u16string units = u"\xFEFF" + Utf8ToUtf16(*DecodeIniBytes(text));
    const std::string encodings[] = {
        text, std::string(reinterpret_cast<const char*>(units.data()), units.size() * 2)};
    for (const std::string& bytes : encodings) {
      ASSERT_TRUE(PutFile(file, bytes));
      const auto doc = *TIniDocument::FromBytes(bytes);
      for (const auto& q : queries) {
        EXPECT_EQ(OurRead(doc, q[0], q[1]), PlatformRead(file, q[0], q[1])) << "[" << q[0] << "] " << q[1];
      }
    }
  }
}

// Files the platform wrote key by key, in the ANSI code page and in UTF-16, read the same by us.
TEST(IniOracle, WeReadWhatThePlatformWrites) {
  TScratchFolder folder;
  // Letters whose Windows-1252 bytes can never form UTF-8, so the file is not mistaken for it.
  const std::vector<std::string> pieces = {" ", "\"", "'", "=", ";", "[", "x", "\xC3\xA9", "\xC3\xBC", "\xC3\x84"};
  std::mt19937 rng(5);
  for (const bool unicode : {false, true}) {
    const std::wstring file = folder / (unicode ? L"unicode.ini" : L"ansi.ini");
    ASSERT_TRUE(PutFile(file, unicode ? std::string("\xFF\xFE", 2) : std::string()));
    std::vector<std::string> values;
    for (int k = 0; k < 30; ++k) {
      values.push_back(RandomText(rng, unicode ? std::vector<std::string>{"\xE4\xB8\xAD", "\xCE\xB1", " ", "\""}
                                               : pieces, 60));
      ASSERT_TRUE(WritePrivateProfileStringW(Wide("Sec" + std::to_string(k % 4)).c_str(),
                                             Wide("Key" + std::to_string(k)).c_str(), Wide(values[k]).c_str(),
                                             file.c_str()));
    }
    const auto doc = *TIniDocument::FromBytes(GetFile(file));
    for (int k = 0; k < 30; ++k) {
      const std::string section = "sec" + std::to_string(k % 4), key = "KEY" + std::to_string(k);
      EXPECT_EQ(OurRead(doc, section, key), PlatformRead(file, section, key)) << (unicode ? "utf-16 " : "ansi ") << k;
    }
  }
}

TEST(FileStore, ReplacesAFileWholeAndReadsItBack) {
  TScratchFolder folder;
  const std::string path = Narrow(folder / L"n\u00f6tices.msg");
  TFileStore& store = SystemFileStore();
  std::string data = "stale";
  EXPECT_EQ(store.ReadWholeFile(path, 100, data), TFileStore::TReadResult::NotFound);
  EXPECT_EQ(data, "");
  EXPECT_EQ(store.ReadWholeFile(Narrow(folder / L"no\\such.msg"), 100, data), TFileStore::TReadResult::NotFound);
  ASSERT_TRUE(store.WriteWholeFile(path, "first, longer content"));
  ASSERT_TRUE(store.WriteWholeFile(path, std::string("second\0", 7)));
  EXPECT_EQ(store.ReadWholeFile(path, 100, data), TFileStore::TReadResult::Ok);
  EXPECT_EQ(data, std::string("second\0", 7));
  TFileStore::TFailure failure;
  EXPECT_EQ(store.ReadWholeFile(path, 6, data, failure), TFileStore::TReadResult::TooLarge);
  EXPECT_EQ(failure.Size, 7u);
  EXPECT_EQ(folder.Count(), 1);  // no temporary file left
}

// Regression: a folder named like the old fixed temporary name blocked every save, a killed
// save's temporary file stayed for ever, and then the clean-up took the user's own .tmp files.
TEST(FileStore, TemporaryFilesAreUniqueAndOnlyOurOldLeftoversAreCleanedUp) {
  TScratchFolder folder;
  const std::wstring target = folder / L"notices.msg";
  const auto putOld = [](const std::wstring& path) {
    ASSERT_TRUE(PutFile(path, "left"));
    UniqueHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME day_ago;
    GetSystemTimeAsFileTime(&day_ago);
    ULARGE_INTEGER t{{day_ago.dwLowDateTime, day_ago.dwHighDateTime}};
    t.QuadPart -= 24ull * 3600 * 10000000;
    day_ago = {t.LowPart, t.HighPart};
    ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &day_ago));
  };
  ASSERT_TRUE(CreateDirectoryW((target + L".tmp").c_str(), nullptr));
  putOld(target + L".1f-2e-3.tmp");
  putOld(target + L".backup.tmp");
  ASSERT_TRUE(PutFile(target + L".a-b-c.tmp", "another copy saving now"));
  ASSERT_TRUE(PutFile(target, "old"));
  ASSERT_TRUE(SystemFileStore().WriteWholeFile(Narrow(target), "new"));
  EXPECT_EQ(GetFile(target), "new");
  EXPECT_FALSE(Exists(target + L".1f-2e-3.tmp"));
  EXPECT_TRUE(Exists(target + L".backup.tmp"));
  EXPECT_TRUE(Exists(target + L".a-b-c.tmp"));
  EXPECT_EQ(folder.Count(), 4);  // and no temporary file of the save itself
}

// Regression: under Wine a save moved the old file away and deleted it before it moved the new
// one in, so a sync tool watching the folder saw the notes vanish, and a failure of that last
// move left neither copy.
struct TAbsenceWatch {
  std::wstring target;
  std::atomic<bool> stop{false};
  std::atomic<long> looks{0}, misses{0};
};

TEST(FileStore, TheFileIsThereThroughEverySaveAndAFailedOneKeepsTheOld) {
  TScratchFolder folder;
  const std::wstring target = folder / L"notices.msg";
  ASSERT_TRUE(PutFile(target, "save 0"));
  TFileStore& store = SystemFileStore();
  TAbsenceWatch watch{target};
  const auto look = [](void* w) -> DWORD {
    for (auto& watch = *static_cast<TAbsenceWatch*>(w); !watch.stop; ++watch.looks)
      watch.misses += GetFileAttributesW(watch.target.c_str()) == INVALID_FILE_ATTRIBUTES;
    return 0;
  };
  const UniqueHandle observer(CreateThread(nullptr, 0, look, &watch, 0, nullptr));
  ASSERT_TRUE(observer);
  int saved = 0;
  for (int i = 1; i <= 300; ++i) saved += store.WriteWholeFile(Narrow(target), "save " + std::to_string(i));
  watch.stop = true;
  WaitForSingleObject(observer.Get(), INFINITE);
  EXPECT_EQ(saved, 300);
  EXPECT_GT(watch.looks, 300);
  EXPECT_EQ(watch.misses, 0);
  EXPECT_EQ(GetFile(target), "save 300");

  // Wine refuses to rename over a file that is open, even to a reader that shares delete: a save
  // waits for a reader that lets go soon, and fails, losing nothing, while one holds on.
  const auto openReader = [&] {
    return CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  };
  const auto closeSoon = [](void* h) -> DWORD {
    Sleep(50);
    return CloseHandle(h);
  };
  const UniqueHandle closer(CreateThread(nullptr, 0, closeSoon, openReader(), 0, nullptr));
  EXPECT_TRUE(store.WriteWholeFile(Narrow(target), "save 301"));
  WaitForSingleObject(closer.Get(), INFINITE);
  EXPECT_EQ(GetFile(target), "save 301");
  const UniqueHandle reader(openReader());
  ASSERT_TRUE(reader);
  TFileStore::TFailure failure;
  EXPECT_FALSE(store.WriteWholeFile(Narrow(target), "lost?", failure));
  EXPECT_FALSE(failure.Reason.empty());
  EXPECT_EQ(GetFile(target), "save 301");
  EXPECT_EQ(folder.Count(), 1);  // and no temporary file left
}

TEST(FileStore, AFailedWriteLeavesEverythingAsItWas) {
  TScratchFolder folder;
  TFileStore& store = SystemFileStore();
  std::string data;

  const std::wstring dir = folder / L"dir.msg";  // a folder where the file should be
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  EXPECT_FALSE(store.WriteWholeFile(Narrow(dir), "x"));
  EXPECT_EQ(store.ReadWholeFile(Narrow(dir), 100, data), TFileStore::TReadResult::Failed);
  EXPECT_TRUE(GetFileAttributesW(dir.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

  const std::wstring locked = folder / L"locked.msg";  // marked read-only by the user
  ASSERT_TRUE(PutFile(locked, "old"));
  SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  TFileStore::TFailure failure;
  EXPECT_FALSE(store.WriteWholeFile(Narrow(locked), "new", failure));
  EXPECT_FALSE(failure.Reason.empty());  // the system's words reach the user
  EXPECT_EQ(GetFile(locked), "old");

  const std::wstring busy = folder / L"busy.msg";  // held open by a program that shares no delete
  ASSERT_TRUE(PutFile(busy, "old"));
  const HANDLE holder = CreateFileW(busy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(store.WriteWholeFile(Narrow(busy), "new"));
  CloseHandle(holder);
  EXPECT_EQ(GetFile(busy), "old");

  EXPECT_FALSE(store.WriteWholeFile(Narrow(folder / L"gone\\n.msg"), "x"));
  EXPECT_EQ(folder.Count(), 3);  // no temporary file left behind

  const std::wstring kept = folder / L"kept.msg";
  ASSERT_TRUE(PutFile(kept, "old"));
  TReadOnlyFolder readOnly(folder.Path());
  if (!readOnly.Active()) GTEST_SKIP() << "cannot make a folder read-only here";
  EXPECT_FALSE(store.WriteWholeFile(Narrow(kept), "new"));
  EXPECT_EQ(GetFile(kept), "old");
  EXPECT_EQ(folder.Count(), 4);
}

}  // namespace
