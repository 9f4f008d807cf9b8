// TSysTrayIcon: life, properties, the shell calls and the animation. The windows it works on
// (main form, taskbar button, popup menu, hooks) are in SysTrayIconWindows.cpp.
#include "components/tray/win/SysTrayIcon.h"

#include <algorithm>
#include <utility>

#include "components/tray/TrayRules.h"
#include "components/tray/win/TrayIconHandler.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/ImgList.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/System.h"

TSysTrayIcon::TSysTrayIcon(TComponent* owner)
    : TCustomTrayIcon(owner),
      cycle_timer_(1000, [this](TObject*) { CycleTimerElapsed(); }),
      add_retry_timer_(kAddRetryMs, [this](TObject*) { AddRetryElapsed(); }),
      settle_timer_(kSettleMs, [this](TObject*) { SettleElapsed(); }) {
  AcquireTrayHandler();
  icon_.OnChange = [this](TObject*) { IconChanged(); };
  // The whole record: with version 4 the shell shows the standard tip only for NIF_SHOWTIP, a
  // flag it reads only from a record of this size.
  icon_data_.cbSize = sizeof(NOTIFYICONDATAW);
  icon_data_.uID = IconId();
  icon_data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  icon_data_.uCallbackMessage = TrayCallbackMessage;
  SetDesignPreview(false);  // the shell holds no icon of ours yet: nothing is sent
  HookApplicationWindow();
  if (OwnerControl()) HookOwnerWindow();
}

TSysTrayIcon::~TSysTrayIcon() {
  // The icon leaves the notification area first; whatever fails, the hooks come off and the
  // handler is released.
  try {
    SetIconVisible(false);
    SetDesignPreview(false);
  } catch (...) {
  }
  cycle_timer_.SetRunning(false);
  add_retry_timer_.SetRunning(false);
  settle_timer_.SetRunning(false);
  icon_.OnChange = nullptr;
  UnhookApplicationWindow();
  UnhookOwnerWindow();
  ReleaseTrayHandler();
}

void TSysTrayIcon::Loaded() {
  TCustomTrayIcon::Loaded();
  if (OwnerControl() && Application) {
    bool show_main_form = true;
    if (OnStartup) OnStartup(this, show_main_form);
    if (!show_main_form) {
      Application->SetShowMainForm(false);
      HideMainWindow();
    }
  }
  UpdateTrayIcon();
  SetIconVisible(icon_visible_);
  SetCycleIcons(cycle_icons_);
  SetWantEnterExitEvents(WantEnterExitEvents());
  SetShellVersionMode(ShellVersionMode());
}

void TSysTrayIcon::Notification(TComponent* component, TOperation operation) {
  TCustomTrayIcon::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == icon_list_) {
    icon_list_ = nullptr;
    SetIconList(nullptr);
  }
  if (component == popup_menu_) popup_menu_ = nullptr;
}

// --- the shell -------------------------------------------------------------------------------

bool TSysTrayIcon::FillIconData() {
  icon_data_.hIcon = icon_.Handle();
  look_ = {image_serial_, TrayTip(hint_, show_hint_)};
  std::fill(std::begin(icon_data_.szTip), std::end(icon_data_.szTip), L'\0');
  std::copy(look_.Tip.begin(), look_.Tip.end(), icon_data_.szTip);  // at most 127 units: the last stays 0
  return true;
}

NOTIFYICONDATAW* TSysTrayIcon::ShellData() {
  // The handler's window is made here, at the first call to the shell, not with the icon.
  icon_data_.hWnd = SharedTrayHandler()->WindowHandle();
  return &icon_data_;
}

bool TSysTrayIcon::AddTrayIcon() {
  if (!forced_visibility_) icon_visible_ = true;
  if (!FillIconData()) return false;
  if (!shell_.AddNeeded()) return SendLook();  // already there: at most its look is new
  const bool added = Sys().NotifyIcon(NIM_ADD, ShellData()) != FALSE;
  shell_.Added(added, look_);
  if (added) {
    add_retry_timer_.SetRunning(false);
    settle_timer_.SetRunning(true);
    // The shell takes every new icon as a classic one: a restarted taskbar forgot the version.
    TellVersion();
  } else if (!add_retry_timer_.Running()) {
    add_retries_left_ = kAddRetries;
    add_retry_timer_.SetRunning(true);
  }
  return added;
}

void TSysTrayIcon::SettleElapsed() {
  if (!settle_timer_.Running()) return;  // an expiry still queued when it was stopped
  settle_timer_.SetRunning(false);       // once per add
  if (!shell_.Present() || !FillIconData()) return;
  shell_.Modified(Sys().NotifyIcon(NIM_MODIFY, ShellData()) != FALSE, look_);
}

void TSysTrayIcon::AddRetryElapsed() {
  if (!icon_visible_ || shell_.Present() || add_retries_left_ <= 0) {
    add_retry_timer_.SetRunning(false);
    return;
  }
  --add_retries_left_;
  // An add that timed out may have been taken all the same: then only its look is sent, as a
  // second add of the same icon would be refused for ever.
  FillIconData();
  if (Sys().NotifyIcon(NIM_MODIFY, ShellData()) != FALSE) {
    shell_.Modified(true, look_);
    add_retry_timer_.SetRunning(false);
    settle_timer_.SetRunning(true);
    TellVersion();
    return;
  }
  AddTrayIcon();
  if (add_retries_left_ <= 0) add_retry_timer_.SetRunning(false);
}

bool TSysTrayIcon::RemoveTrayIcon() {
  if (!forced_visibility_) icon_visible_ = false;
  // The shell refuses to remove an icon it does not hold.
  if (!FillIconData() || !shell_.RemoveNeeded()) return false;
  add_retry_timer_.SetRunning(false);
  settle_timer_.SetRunning(false);
  const bool removed = Sys().NotifyIcon(NIM_DELETE, ShellData()) != FALSE;
  shell_.Removed(removed);
  return removed;
}

bool TSysTrayIcon::UpdateTrayIcon() { return FillIconData() && SendLook(); }

bool TSysTrayIcon::SendLook() {
  // Not in the notification area the shell would refuse; there, unchanged, it would change nothing.
  if (!shell_.ModifyNeeded(look_)) return shell_.Present();
  const bool modified = Sys().NotifyIcon(NIM_MODIFY, ShellData()) != FALSE;
  shell_.Modified(modified, look_);
  return modified;
}

void TSysTrayIcon::SetShellVersionMode(uint8_t mode) {
  shell_version_mode_ = mode;
  if (mode == 0) icon_data_.uVersion = 0;
  else if (mode == 1) icon_data_.uVersion = NOTIFYICON_VERSION;
  else if (mode == 2) icon_data_.uVersion = NOTIFYICON_VERSION_4;
  TellVersion();
}

void TSysTrayIcon::TellVersion() {
  // An icon not yet there is told when it is added.
  if (!shell_.VersionNeeded(icon_data_.uVersion)) return;
  shell_.VersionTold(Sys().NotifyIcon(NIM_SETVERSION, ShellData()) != FALSE, icon_data_.uVersion);
}

void TSysTrayIcon::TaskbarRecreated() {
  shell_.ShellRestarted();
  add_retry_timer_.SetRunning(false);  // a new taskbar: a minute of tries again if need be
  if (icon_visible_) AddTrayIcon();
}

bool TSysTrayIcon::ShowBalloon(const std::string& title, const std::string& text) {
  if (!shell_.Present()) return false;
  // A copy: the balloon must not come again with the next change of the icon's look.
  NOTIFYICONDATAW data = *ShellData();
  data.uFlags = NIF_INFO;
  const std::u16string t = ShellTextField(title, kBalloonTitleMax), x = ShellTextField(text, kBalloonTextMax);
  std::copy(t.begin(), t.end(), data.szInfoTitle);
  std::copy(x.begin(), x.end(), data.szInfo);
  data.dwInfoFlags = NIIF_INFO;
  return Sys().NotifyIcon(NIM_MODIFY, &data) != FALSE;
}

void TSysTrayIcon::GiveFocusBack() {
  if (shell_.Present()) Sys().NotifyIcon(NIM_SETFOCUS, ShellData());
}

void TSysTrayIcon::IconChanged() {
  ++image_serial_;
  UpdateTrayIcon();
}

// --- properties ------------------------------------------------------------------------------

void TSysTrayIcon::SetDesignPreview(bool v) {
  design_preview_ = v;
  forced_visibility_ = true;
  SetIconVisible(v);
  forced_visibility_ = false;
}

void TSysTrayIcon::SetIconVisible(bool v) {
  if (v) AddTrayIcon();
  else RemoveTrayIcon();
}

void TSysTrayIcon::SetHint(const std::string& hint) {
  hint_ = hint;
  UpdateTrayIcon();
}

void TSysTrayIcon::SetShowHint(bool v) {
  show_hint_ = v;
  UpdateTrayIcon();
}

void TSysTrayIcon::SetIcon(const TIcon& icon) {
  // One shell call for the whole copy.
  TNotifyEvent notify = std::exchange(icon_.OnChange, nullptr);
  icon_.Assign(icon);
  icon_.OnChange = std::move(notify);
  ++image_serial_;
  UpdateTrayIcon();
}

void TSysTrayIcon::SetIconList(TImageList* list) {
  icon_list_ = list;
  SetIconIndex(0);
}

void TSysTrayIcon::CopyListImage(int index) {
  const UniqueIcon image = icon_list_->GetIcon(index);  // none for an index outside the list
  icon_.AssignHandle(image.Get());
}

void TSysTrayIcon::SetIconIndex(int index) {
  if (icon_list_) {
    icon_index_ = LimitIconIndex(index, icon_list_->Count());
    CopyListImage(icon_index_);
  } else {
    icon_index_ = 0;
  }
  UpdateTrayIcon();
}

void TSysTrayIcon::SetCycleIcons(bool v) {
  cycle_icons_ = v;
  if (v) {
    SetIconIndex(0);
    cycle_timer_.SetPeriod(cycle_interval_);
    cycle_timer_.SetRunning(true);  // a period of 0 does not tick
  } else {
    cycle_timer_.SetRunning(false);
  }
}

void TSysTrayIcon::SetCycleInterval(uint32_t ms) {
  cycle_interval_ = ms;
  SetCycleIcons(cycle_icons_);  // while cycling: again from image 0 with the new period
}

void TSysTrayIcon::CycleTimerElapsed() {
  if (!icon_list_) return;
  CopyListImage(icon_index_);
  FireCycle();
  // The cycle event may have taken the list away.
  SetIconIndex(icon_list_ ? NextCycleIndex(icon_index_, icon_list_->Count()) : 0);
}

void TSysTrayIcon::FireCycle() {
  const int next = NextCycleIndex(icon_index_, icon_list_ ? icon_list_->Count() : 0);
  if (OnCycle) OnCycle(this, next);
}

// --- readings for the mouse steps ------------------------------------------------------------

TShiftState TSysTrayIcon::ShiftKeysNow() { return ReadShiftKeys(); }

TPoint TSysTrayIcon::CursorPosNow() {
  const POINT p = Sys().CursorPos();
  return {p.x, p.y};
}

uint32_t TSysTrayIcon::DoubleClickTime() { return Sys().DoubleClickTime(); }
