#include "toolkit/win/Dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "toolkit/win/Forms.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

uint32_t TOpenDialog::Flags() const {
  uint32_t f = OFN_EXPLORER;
  if (options_ & ofHideReadOnly) f |= OFN_HIDEREADONLY;
  if (options_ & ofPathMustExist) f |= OFN_PATHMUSTEXIST;
  if (options_ & ofFileMustExist) f |= OFN_FILEMUSTEXIST;
  if (options_ & ofEnableSizing) f |= OFN_ENABLESIZING;
  if (options_ & ofNoChangeDir) f |= OFN_NOCHANGEDIR;
  return f;
}

std::wstring TOpenDialog::FilterBuffer() const {
  if (filter_.empty()) return {};
  std::wstring buffer = ToWide(filter_);
  std::replace(buffer.begin(), buffer.end(), L'|', L'\0');
  buffer.append(2, L'\0');
  return buffer;
}

bool TOpenDialog::Execute() {
  // Room for the longest path the system takes.
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring proposed = ToWide(file_name_);
  proposed.copy(file.data(), std::min(proposed.size(), file.size() - 1));
  const std::wstring title = ToWide(title_);
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = DialogOwner();
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrTitle = title_.empty() ? nullptr : title.c_str();
  const std::wstring filter = FilterBuffer();
  request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  request.nFilterIndex = filter.empty() ? 0 : 1;
  request.Flags = Flags();
  if (!Sys().GetOpenFileName(request)) return false;
  file_name_ = ToUtf8(file.data());
  return true;
}
