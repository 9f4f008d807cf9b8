#include "toolkit/win/FileOperations.h"

#include "toolkit/win/WineFileMode.h"

namespace {

class TSystemFileOperations final : public TFileOperations {
 public:
  BOOL Replace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup) override {
    return ::ReplaceFileW(replaced, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
  }
  BOOL Move(LPCWSTR from, LPCWSTR to, DWORD flags) override { return ::MoveFileExW(from, to, flags); }
  bool UnderWine() const override { return ::UnderWine(); }
  void Wait(DWORD milliseconds) override { Sleep(milliseconds); }
};

}  // namespace

TFileOperations& SystemFileOperations() {
  static TSystemFileOperations operations;
  return operations;
}
