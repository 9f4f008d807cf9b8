#include "toolkit/win/SystemError.h"

#include <shellapi.h>

#include "toolkit/win/Text.h"

std::string SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n && text ? std::wstring(text, n) : std::wstring();
  if (text) LocalFree(text);
  for (wchar_t& c : message)
    if (c == L'\r' || c == L'\n') c = L' ';
  while (!message.empty() && message.back() == L' ') message.pop_back();
  if (message.empty()) return "System error " + std::to_string(code) + ".";
  return ToUtf8(message);
}

std::string ShellErrorText(INT_PTR code) {
  switch (code) {
    case 0:
    case SE_ERR_OOM: return "There is not enough memory to open it.";
    case SE_ERR_NOASSOC:
    case SE_ERR_ASSOCINCOMPLETE: return "No program is set up to open this kind of file.";
    case SE_ERR_SHARE: return "It is in use by another program.";
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return "The program that opens it did not answer.";
    case SE_ERR_DLLNOTFOUND: return "A library needed to open it is missing.";
    default: return SystemErrorText(static_cast<DWORD>(code));
  }
}
