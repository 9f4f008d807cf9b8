#include "toolkit/win/HiddenWindow.h"

#include <exception>
#include <utility>

#include "toolkit/Exception.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/WindowObject.h"

LRESULT CALLBACK HiddenWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

namespace {
constexpr wchar_t kHiddenWindowClass[] = L"ZettlyHiddenWindow";

void RegisterHiddenWindowClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = HiddenWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kHiddenWindowClass;
  RegisterClassExW(&wc);
  registered = true;
}
}  // namespace

LRESULT CALLBACK HiddenWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<THiddenWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    AttachObject(hwnd, self);
  }
  auto* self = ObjectOf<THiddenWindow>(hwnd);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);  // messages before WM_NCCREATE
  TMessage m{msg, wp, lp};
  const TApplication::SystemMessage repeating(msg);
  try {
    self->procedure_(m);
  } catch (const std::exception& e) {
    m.Result = 0;
    if (Application) Application->HandleException(e);
  }
  return m.Result;
}

THiddenWindow::THiddenWindow(Procedure procedure, TKind kind) : procedure_(std::move(procedure)), kind_(kind) {}

HWND THiddenWindow::Handle() {
  // Set by WM_NCCREATE, so the procedure may ask for the handle while the window is being made.
  if (hwnd_) return hwnd_;
  RegisterHiddenWindowClass();
  const bool topLevel = kind_ == TKind::TopLevel;
  const HWND made = CreateWindowExW(topLevel ? WS_EX_TOOLWINDOW : 0, kHiddenWindowClass, L"", topLevel ? WS_POPUP : 0,
                                    0, 0, 0, 0, topLevel ? nullptr : HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), this);
  if (!made) {
    hwnd_ = nullptr;  // may have been set before the creation failed
    throw Exception("Cannot create a hidden window");
  }
  return hwnd_;
}

THiddenWindow::~THiddenWindow() {
  // Only if it is still ours: a WM_NCDESTROY can be sent by anyone, so the real end of the
  // window is told by the window itself.
  if (IsWindow(hwnd_) && ObjectOf<THiddenWindow>(hwnd_) == this) {
    DetachObject(hwnd_);
    DestroyWindow(hwnd_);
  }
}
