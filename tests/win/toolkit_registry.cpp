// Registry keys: opening from the root or the open key, integers and strings with their type
// checks, the messages of refused writes, deleting values, and the access a test substitutes.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/Exception.h"
#include "toolkit/win/Registry.h"

namespace {

// Every key lives under HKCU\Software\ZettlyTests\toolkit-<process>, removed at the end.
class RegistryTest : public testing::Test {
 protected:
  RegistryTest() : base("\\Software\\ZettlyTests\\toolkit-" + std::to_string(GetCurrentProcessId())) {}
  ~RegistryTest() override {
    const std::wstring key = std::wstring(base.begin() + 1, base.end());
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ZettlyTests");
  }
  std::string Raised(const std::function<void()>& f) {
    try {
      f();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "<nothing raised>";
  }
  std::string base;
};

TEST_F(RegistryTest, IntegersAndStringsGoInAndComeBack) {
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKey(base + "\\Setup", false));  // not there, not made
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  ASSERT_TRUE(reg.OpenKey(base + "\\Setup", true));
  reg.WriteInteger("top", -40);
  reg.WriteInteger("On", 1);
  reg.WriteString("Path", "C:\\Program Files\\Caf\xC3\xA9\\z.exe");
  EXPECT_TRUE(reg.ValueExists("top"));
  EXPECT_TRUE(reg.ValueExists("TOP"));  // names are case-insensitive
  EXPECT_FALSE(reg.ValueExists("left"));
  EXPECT_EQ(reg.ReadInteger("top"), -40);
  EXPECT_EQ(reg.ReadString("Path"), "C:\\Program Files\\Caf\xC3\xA9\\z.exe");
  reg.CloseKey();
  EXPECT_FALSE(reg.ValueExists("top"));

  // Stored as the platform's own types.
  DWORD type = 0, value = 0, size = sizeof value;
  const std::wstring key = std::wstring(base.begin() + 1, base.end()) + L"\\Setup";
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"On", RRF_RT_ANY, &type, &value, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 1u);
}

TEST_F(RegistryTest, ARelativePathOpensBelowTheOpenKey) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(base, true));
  ASSERT_TRUE(reg.OpenKey("Inner\\Deeper", true));
  reg.WriteInteger("x", 5);
  ASSERT_TRUE(reg.OpenKey(base + "\\Inner\\Deeper", false));  // absolute again
  EXPECT_EQ(reg.ReadInteger("x"), 5);
}

TEST_F(RegistryTest, WrongTypesAndMissingValuesRaiseWithTheValuesName) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(base, true));
  reg.WriteString("top", "15");
  reg.WriteInteger("n", 3);
  const std::wstring key = std::wstring(base.begin() + 1, base.end());
  const uint8_t eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"wide", REG_QWORD, eight, sizeof eight);
  RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"bin4", REG_BINARY, eight, 4);
  EXPECT_EQ(Raised([&] { reg.ReadInteger("top"); }), "Invalid data type for 'top'");
  EXPECT_EQ(Raised([&] { reg.ReadInteger("wide"); }), "Invalid data type for 'wide'");
  EXPECT_EQ(Raised([&] { reg.ReadInteger("bin4"); }), "Invalid data type for 'bin4'");
  EXPECT_EQ(Raised([&] { reg.ReadString("n"); }), "Invalid data type for 'n'");
  EXPECT_EQ(Raised([&] { reg.ReadInteger("absent"); }), "Failed to get data for 'absent'");
}

// Refuses as a machine-wide key does for a user without rights: the key opens for reading only.
class ReadOnlyAccess : public TRegistryAccess {
 public:
  explicit ReadOnlyAccess(bool openFails) : openFails_(openFails), scope_(this) {}
  LSTATUS OpenKey(HKEY root, const std::wstring& path, bool create, REGSAM access, HKEY* key) override {
    ++opens;
    if (openFails_ && (create || (access & KEY_SET_VALUE))) {
      *key = nullptr;
      return ERROR_ACCESS_DENIED;
    }
    return TRegistryAccess::OpenKey(root, path, false, KEY_READ, key);
  }
  int opens = 0;

 private:
  bool openFails_;
  ScopedRegistryAccess scope_;
};

TEST_F(RegistryTest, RefusedWritesRaiseAndRefusedDeletesReportFalse) {
  {
    TRegistry made;
    ASSERT_TRUE(made.OpenKey(base, true));
    made.WriteString("Zettly", "x");
  }
  for (const bool openFails : {false, true}) {
    ReadOnlyAccess access(openFails);
    TRegistry reg;
    EXPECT_EQ(reg.OpenKey(base, true), !openFails);
    EXPECT_EQ(Raised([&] { reg.WriteString("Zettly", "y"); }), "Failed to set data for 'Zettly'");
    EXPECT_EQ(Raised([&] { reg.WriteInteger("top", 1); }), "Failed to set data for 'top'");
    EXPECT_FALSE(reg.DeleteValue("Zettly"));
    EXPECT_EQ(access.opens, 1);
  }
  TRegistry reg;  // the real access is back: the value is untouched and can go now
  ASSERT_TRUE(reg.OpenKey(base, false));
  EXPECT_EQ(reg.ReadString("Zettly"), "x");
  EXPECT_TRUE(reg.DeleteValue("Zettly"));
  EXPECT_FALSE(reg.DeleteValue("Zettly"));
  EXPECT_FALSE(reg.ValueExists("Zettly"));
}

TEST_F(RegistryTest, TheRootDecidesWhereAPathLeads) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(base, true));
  reg.SetRootKey(HKEY_LOCAL_MACHINE);  // changing the root closes the open key
  EXPECT_EQ(reg.CurrentKey(), nullptr);
  EXPECT_FALSE(reg.OpenKey(base, false));  // no such key under the machine
}

}  // namespace
