// TSysTrayIcon and the windows around it: the main form and the taskbar button, the popup
// menu, and the two hooks (application window, owner window). The hooks are the toolkit's window
// hooks, so they come off correctly in any order and see messages before the windows' own
// procedures.
#include "components/tray/win/SysTrayIcon.h"

#include <exception>

#include "components/tray/win/TrayIconHandler.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/System.h"
#include "toolkit/win/WindowHooks.h"

namespace {
void ReportException(const std::exception& e) {
  if (Application) Application->HandleException(e);
}
}  // namespace

TWinControl* TSysTrayIcon::OwnerControl() const { return dynamic_cast<TWinControl*>(Owner()); }

// --- main form and taskbar button -----------------------------------------------------------

void TSysTrayIcon::HideApplicationButton() {
  if (!Application) return;
  const HWND app = Application->Handle();
  if (IsWindowVisible(app)) ShowWindow(app, SW_HIDE);
}

void TSysTrayIcon::HideMainWindow() {
  if (!OwnerControl() || !Application || !Application->MainForm()) return;
  Application->MainForm()->Hide();
  HideApplicationButton();
  if (OnHiddenToTray) OnHiddenToTray(this);
}

void TSysTrayIcon::ShowMainWindow() {
  if (!OwnerControl() || !Application || !Application->MainForm()) return;
  TForm* form = Application->MainForm();
  Application->Restore();
  if (form->HandleAllocated() && IsIconic(form->Handle())) ShowWindow(form->Handle(), SW_RESTORE);
  form->Show();
  Application->BringToFront();
}

void TSysTrayIcon::SendToTray() {
  SetIconVisible(true);
  // An icon the shell has not taken (not ready yet, or refused) is nothing to come back by: the
  // window then stays as the user left it, minimised with its taskbar button.
  if (Docked()) HideMainWindow();
}

// --- popup menu ------------------------------------------------------------------------------

void TSysTrayIcon::OpenPopupMenu() {
  if (!popup_menu_ || !popup_menu_->AutoPopup()) return;
  const std::optional<TPoint> anchor = NotificationAnchor();
  const POINT at = anchor ? POINT{anchor->X, anchor->Y} : Sys().CursorPos();
  // The dance below leaves the foreground on the invisible application window; a dialog that
  // was up takes it back afterwards, or its keys would go nowhere.
  const HWND dialog = ShownDialog();
  // The classic dance for a tray menu: foreground first, so that the menu closes when the
  // user clicks elsewhere; a message afterwards, so that it does not come back at once. No
  // messages are pumped here: this runs inside the tray window's procedure.
  if (Application) SetForegroundWindow(Application->Handle());
  popup_menu_->SetPopupComponent(this);
  popup_menu_->Popup(at.x, at.y);
  if (TWinControl* owner = OwnerControl(); owner && owner->HandleAllocated())
    PostMessageW(owner->Handle(), WM_NULL, 0, 0);
  if (dialog && IsWindow(dialog) && IsWindowVisible(dialog) && IsWindowEnabled(dialog)) {
    SetForegroundWindow(dialog);
    return;
  }
  // Nobody took the foreground from the invisible application window: the menu was cancelled
  // with Esc, or its command opened no window. A keyboard user goes on in the notification
  // area, not nowhere.
  if (Application && GetForegroundWindow() == Application->Handle()) GiveFocusBack();
}

void TSysTrayIcon::ClickDefaultMenuItem() {
  if (!popup_menu_ || !popup_menu_->AutoPopup()) return;
  TMenuItem* items = popup_menu_->Items();
  TMenuItem* first_default = nullptr;  // top level only; the lowest index wins
  for (int i = items->Count() - 1; i >= 0; --i)
    if (items->Items(i)->Default()) first_default = items->Items(i);
  if (first_default) first_default->Click();
}

// --- hooks -----------------------------------------------------------------------------------

LRESULT CALLBACK TSysTrayIcon::ApplicationHook(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                               DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSysTrayIcon*>(ref);
  TMessage m{msg, wp, lp};
  self->HandleApplicationMessage(m);
  if (msg == WM_NCDESTROY) {
    RemoveWindowHook(hwnd, ApplicationHook, id);
    self->application_window_ = nullptr;
  }
  return m.Result;
}

LRESULT CALLBACK TSysTrayIcon::OwnerHook(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
  auto* self = reinterpret_cast<TSysTrayIcon*>(ref);
  TMessage m{msg, wp, lp};
  self->HandleOwnerMessage(m);
  if (msg == WM_NCDESTROY) {
    RemoveWindowHook(hwnd, OwnerHook, id);
    self->owner_window_ = nullptr;
  }
  return m.Result;
}

void TSysTrayIcon::HandleApplicationMessage(TMessage& m) {
  try {
    if (m.Msg == WM_SIZE && m.WParam == SIZE_MINIMIZED && minimize_to_tray_) {
      SendToTray();
    } else if (m.Msg == WM_WINDOWPOSCHANGED && startup_check_pending_ && Application && Application->MainForm()) {
      // The start-up question is for frames of multiple-document forms; ours never are, so
      // with a main form in place the check has nothing to ask.
      startup_check_pending_ = false;
    }
    // Only a registered message can be the restart message: the lookup waits for the first.
    if (m.Msg >= 0xC000 && ShellRestartMessage() != 0 && m.Msg == ShellRestartMessage()) TaskbarRecreated();
  } catch (const std::exception& e) {
    ReportException(e);
  }
  // Never swallowed.
  m.Result = CallNextWindowHook(application_window_, m.Msg, m.WParam, m.LParam);
}

bool TSysTrayIcon::TryMinimizeToTray(TMessage& m) {
  if (!minimize_to_tray_ || !OnMinimizeToTray) return false;
  OnMinimizeToTray(this);
  SendToTray();
  if (!Docked()) return false;  // an ordinary minimise, to the taskbar
  m.Result = 1;
  return true;
}

void TSysTrayIcon::HandleOwnerMessage(TMessage& m) {
  try {
    switch (m.Msg) {
      case WM_SHOWWINDOW:
        if (m.WParam == 1 && m.LParam == 0) {  // an explicit show
          if (Application) SetForegroundWindow(Application->Handle());
          SetForegroundWindow(owner_window_);
        } else if (m.WParam == 0 && m.LParam == SW_PARENTCLOSING && Application && !Application->Terminated()) {
          // Hidden because the application window is being minimised.
          if (TryMinimizeToTray(m)) return;
        }
        break;
      case WM_SYSCOMMAND:
        if (m.WParam == SC_MINIMIZE && TryMinimizeToTray(m)) return;
        break;
      default:
        break;
    }
  } catch (const std::exception& e) {
    ReportException(e);
  }
  m.Result = CallNextWindowHook(owner_window_, m.Msg, m.WParam, m.LParam);
}

void TSysTrayIcon::HookApplicationWindow() {
  if (!Application || !Application->Handle()) return;
  if (AddWindowHook(Application->Handle(), ApplicationHook, IconId(), reinterpret_cast<DWORD_PTR>(this)))
    application_window_ = Application->Handle();
}

void TSysTrayIcon::UnhookApplicationWindow() {
  if (!application_window_) return;
  RemoveWindowHook(application_window_, ApplicationHook, IconId());
  application_window_ = nullptr;
}

void TSysTrayIcon::HookOwnerWindow() {
  TWinControl* owner = OwnerControl();
  if (!owner) return;
  const HWND window = owner->Handle();  // made now if need be
  if (window && AddWindowHook(window, OwnerHook, IconId(), reinterpret_cast<DWORD_PTR>(this)))
    owner_window_ = window;
}

void TSysTrayIcon::UnhookOwnerWindow() {
  // The owner's window may be gone already (a form destroys its window before its
  // components); the hook then took itself off at WM_NCDESTROY.
  if (!owner_window_) return;
  RemoveWindowHook(owner_window_, OwnerHook, IconId());
  owner_window_ = nullptr;
}
