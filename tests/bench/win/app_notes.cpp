// Saving 99 notes of 200 characters: our one-file atomic save against the platform's per-key
// WritePrivateProfileStringW (N plus three keys per note, each a rewrite of the file). Prints the
// time of each and their ratio. Run by hand under Wine; not a test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/Notes.h"
#include "tests/bench/win/BenchTiming.h"
#include "toolkit/Utf.h"
#include "toolkit/win/FileStore.h"

namespace {

std::wstring Wide(const std::string& s) {
  const std::u16string u = Utf8ToUtf16(s);
  return std::wstring(u.begin(), u.end());
}

void Compare(const std::wstring& folder, const char* label, const std::string& piece) {
  // A file of its own: a list saved on top of another run's file would be merged into it.
  DeleteFileW((folder + L"notices.msg").c_str());
  TNoteList list(&SystemFileStore(), Utf16ToUtf8(std::u16string(folder.begin(), folder.end())) + "notices.msg");
  for (int k = 1; k <= MaxNotes; ++k) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += i % 7 == 0 ? std::string(" ") : piece;
    list.AppendNote(
        {.Content = text, .Attach = "C:\\Reports\\week" + std::to_string(k) + ".xls", .Exposure = 3000 + k});
  }
  const std::wstring platformFile = folder + L"platform.ini";
  const bool unicode = piece.size() > 1;
  const TNotice first = list.Notes(1);
  const auto ourSave = [&] {
    list.ReplaceNote(1, first);  // a list that changed is written
    list.SaveNotes();
  };
  const auto platformWrites = [&] {
    // A Unicode file stays Unicode; start it with its mark as our writer would.
    const HANDLE h = CreateFileW(platformFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (unicode) WriteFile(h, "\xFF\xFE", 2, &written, nullptr);
    CloseHandle(h);
    WritePrivateProfileStringW(L"General", L"N", std::to_wstring(list.NoteCount()).c_str(), platformFile.c_str());
    for (int k = 1; k <= list.NoteCount(); ++k) {
      const std::wstring section = L"Note" + std::to_wstring(k);
      WritePrivateProfileStringW(section.c_str(), L"Content", Wide(list.Notes(k).Content).c_str(), platformFile.c_str());
      WritePrivateProfileStringW(section.c_str(), L"Attach", Wide(list.Notes(k).Attach).c_str(), platformFile.c_str());
      WritePrivateProfileStringW(section.c_str(), L"Exposure", std::to_wstring(list.Notes(k).Exposure).c_str(),
                                 platformFile.c_str());
    }
  };
  // Single calls; their medians in milliseconds.
  const double ours = MedianUs(ourSave, 1, 15) / 1000;
  const double platform = MedianUs(platformWrites, 1, 5) / 1000;
  std::printf("%-8s our save %8.3f ms   per-key platform writes %9.3f ms   ratio %6.1fx\n", label, ours,
              platform, platform / ours);
}

}  // namespace

int main() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"zettly-notes-bench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  try {
    Compare(folder, "ascii", "a");
    Compare(folder, "unicode", "\xCE\xB1");
  } catch (const std::exception& e) {
    std::printf("failed: %s\n", e.what());
  }
  DeleteFileW((folder + L"notices.msg").c_str());
  DeleteFileW((folder + L"platform.ini").c_str());
  RemoveDirectoryW(folder.c_str());
  return 0;
}
