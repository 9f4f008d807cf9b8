#include "components/tray/win/TrayIconHandler.h"

#include <windowsx.h>

#include <utility>
#include <vector>

#include "components/tray/CustomTrayIcon.h"
#include "toolkit/win/System.h"
#include "toolkit/win/SystemLibrary.h"

namespace {
TTrayIconHandler* shared_handler = nullptr;  // owned
UINT shell_restart_message = 0;
bool shell_restart_message_known = false;

// Unit shutdown: a handler still present at program end goes with it.
struct TrayUnit {
  ~TrayUnit() { delete std::exchange(shared_handler, nullptr); }
} tray_unit;
}  // namespace

TTrayIconHandler::TTrayIconHandler() : window_([this](TMessage& m) { ProcessTrayMessage(m); }) {}

void TTrayIconHandler::ProcessTrayMessage(TMessage& m) {
  switch (m.Msg) {
    case TrayCallbackMessage:
      // Version 4 puts the icon in lParam's high word (the code in its low word, the anchor point
      // in wParam); the older versions name it in wParam, with a code that leaves the high word 0.
      if (const uint32_t high = static_cast<uint32_t>(m.LParam >> 16) & 0xFFFF; high != 0) {
        TCustomTrayIcon* icon = TCustomTrayIcon::FindTrayIcon(high);
        if (icon && icon->ShellVersionMode() == 2)
          icon->ProcessNotification(static_cast<uint32_t>(m.LParam) & 0xFFFF,
                                    {GET_X_LPARAM(m.WParam), GET_Y_LPARAM(m.WParam)});
        return;
      }
      // The identifier is the icon's 32-bit one; anything wider names no icon of ours.
      if (m.WParam <= UINT32_MAX) {
        if (TCustomTrayIcon* icon = TCustomTrayIcon::FindTrayIcon(static_cast<uint32_t>(m.WParam)))
          icon->ProcessNotification(static_cast<uint32_t>(m.LParam));
      }
      return;
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_ENDSESSION:
    case WM_NCDESTROY:
      m.Result = 1;  // never closed from outside; the session may always end
      return;
    default:
      m.Result = DefWindowProcW(window_.Handle(), m.Msg, m.WParam, m.LParam);
      return;
  }
}

TTrayIconHandler* SharedTrayHandler() { return shared_handler; }

void AcquireTrayHandler() {
  if (!shared_handler) shared_handler = new TTrayIconHandler;
  ++shared_handler->icon_count_;
}

void ReleaseTrayHandler() {
  if (!shared_handler) return;
  if (shared_handler->icon_count_ > 0) --shared_handler->icon_count_;
  if (shared_handler->icon_count_ == 0) delete std::exchange(shared_handler, nullptr);
}

TShiftState ReadShiftKeys() {
  return ShiftFromAsyncKeys([](int vk) { return static_cast<int16_t>(Sys().AsyncKeyState(vk)); });
}

UINT ShellRestartMessage() {
  // Looked up when first wanted rather than at start: reading the library's version costs a
  // start the loading of version.dll and a read of comctl32.dll's resources.
  if (!shell_restart_message_known) SetUpShellRestartMessage(CommonControlsVersion());
  return shell_restart_message;
}

uint32_t CommonControlsVersion() {
  using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
  using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
  using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
  const auto sizeOf = SystemFunction<SizeFn>(L"version.dll", "GetFileVersionInfoSizeW");
  const auto infoOf = SystemFunction<InfoFn>(L"version.dll", "GetFileVersionInfoW");
  const auto query = SystemFunction<QueryFn>(L"version.dll", "VerQueryValueW");
  if (!sizeOf || !infoOf || !query) return 0;
  DWORD ignored = 0;
  const DWORD size = sizeOf(L"comctl32.dll", &ignored);
  if (size == 0) return 0;
  std::vector<BYTE> data(size);
  if (!infoOf(L"comctl32.dll", 0, size, data.data())) return 0;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!query(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof *info)
    return 0;
  return info->dwFileVersionMS;
}

void SetUpShellRestartMessage(uint32_t comctlVersion) {
  shell_restart_message_known = true;
  shell_restart_message = ShellRestartMessageAvailable(comctlVersion) ? RegisterWindowMessageW(L"TaskbarCreated") : 0;
}
