#include "toolkit/win/Clipboard.h"

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      // The block may be larger than the string; the text ends at its terminator.
      text.assign(p, wcsnlen(p, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::wstring FitInLimit(std::wstring text, int length, int selected, int limit) {
  if (limit <= 0) return text;
  const long room = static_cast<long>(limit) - (length - selected);
  if (room <= 0) return {};
  if (static_cast<long>(text.size()) > room) {
    size_t n = static_cast<size_t>(room);
    if (IS_HIGH_SURROGATE(text[n - 1])) --n;
    text.resize(n);
  }
  return text;
}
