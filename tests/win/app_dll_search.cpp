// A library planted beside the program must never be loaded in place of the system's: the
// program folder is the user's to write to.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win/DllSearch.h"

namespace {

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

TEST(DllSearch, APlantedLibraryBesideTheProgramIsNotLoadedByName) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring planted = ExeFolder() + L"zettlyplanted.dll";
  ASSERT_TRUE(CopyFileW(self, planted.c_str(), FALSE));
  // Without the restriction the program's own folder is searched first.
  HMODULE before = LoadLibraryW(L"zettlyplanted.dll");
  if (!before) {
    DeleteFileW(planted.c_str());
    GTEST_SKIP() << "this system does not load the stand-in library at all";
  }
  FreeLibrary(before);
  ASSERT_TRUE(RestrictLibrarySearchToSystem());
  EXPECT_EQ(LoadLibraryW(L"zettlyplanted.dll"), nullptr);
  HMODULE system = LoadLibraryW(L"version.dll");  // the system's own still load by name
  EXPECT_NE(system, nullptr);
  if (system) FreeLibrary(system);
  DeleteFileW(planted.c_str());
}

}  // namespace
