// The installer's actions talk to msiexec through these.
#include "dist/actions/Session.h"

namespace {

// A one-field message record, closed on every path.
class TMessage {
 public:
  explicit TMessage(const std::wstring& text) : handle_(MsiCreateRecord(1)) {
    // Field 0 is the message's template; the text goes in field 1 so that brackets in a path are
    // not read as property names.
    MsiRecordSetStringW(handle_, 0, L"[1]");
    MsiRecordSetStringW(handle_, 1, text.c_str());
  }
  ~TMessage() { MsiCloseHandle(handle_); }
  TMessage(const TMessage&) = delete;
  TMessage& operator=(const TMessage&) = delete;
  MSIHANDLE Handle() const { return handle_; }

 private:
  MSIHANDLE handle_;
};

}  // namespace

std::wstring Property(MSIHANDLE session, const wchar_t* name) {
  DWORD size = 0;
  wchar_t empty[1] = L"";
  if (MsiGetPropertyW(session, name, empty, &size) != ERROR_MORE_DATA) return L"";
  std::wstring value(size + 1, L'\0');
  size = static_cast<DWORD>(value.size());
  if (MsiGetPropertyW(session, name, value.data(), &size) != ERROR_SUCCESS) return L"";
  value.resize(size);
  return value;
}

void SetProperty(MSIHANDLE session, const wchar_t* name, const std::wstring& value) {
  MsiSetPropertyW(session, name, value.c_str());
}

void Log(MSIHANDLE session, const std::wstring& text) {
  MsiProcessMessage(session, INSTALLMESSAGE_INFO, TMessage(text).Handle());
}

void ShowError(MSIHANDLE session, const std::wstring& text) {
  MsiProcessMessage(session, static_cast<INSTALLMESSAGE>(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR),
                    TMessage(text).Handle());
}

std::wstring InstalledProgram(MSIHANDLE session) {
  std::wstring folder = Property(session, L"INSTALLDIR");
  if (folder.empty()) return L"";
  if (folder.back() != L'\\') folder += L'\\';
  return folder + L"Zettly.exe";
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}
