#include "components/tray/CustomTrayIcon.h"

#include <unordered_map>

#include "components/tray/TrayRules.h"

namespace {
// Live icons by identifier. The shell's identifier is 32 bits wide, too narrow for an address,
// and a notification may still be queued for an icon already gone.
std::unordered_map<uint32_t, TCustomTrayIcon*>& LiveIcons() {
  static auto* live = new std::unordered_map<uint32_t, TCustomTrayIcon*>;
  return *live;
}

uint32_t NewIconId() {
  static uint32_t last = 0;
  do {
    ++last;
  } while (last == 0 || LiveIcons().count(last));
  return last;
}
}  // namespace

TCustomTrayIcon::TCustomTrayIcon(TComponent* owner)
    : TComponent(owner),
      icon_id_(NewIconId()),
      click_timer_(1000, [this](TObject*) { ClickTimerElapsed(); }),
      exit_timer_(20, [this](TObject*) { ExitTimerElapsed(); }) {
  LiveIcons()[icon_id_] = this;
}

TCustomTrayIcon::~TCustomTrayIcon() { LiveIcons().erase(icon_id_); }

TCustomTrayIcon* TCustomTrayIcon::FindTrayIcon(uint32_t iconId) {
  const auto it = LiveIcons().find(iconId);
  return it == LiveIcons().end() ? nullptr : it->second;
}

void TCustomTrayIcon::SetWantEnterExitEvents(bool v) {
  want_enter_exit_events_ = v;
  exit_timer_.SetRunning(v);
}

// Nothing of the icon is touched after the step: a handler may have destroyed it.
void TCustomTrayIcon::ProcessNotification(uint32_t code, TPoint anchor) {
  anchor_ = anchor;
  Process(code);
}

void TCustomTrayIcon::ProcessNotification(uint32_t code) {
  anchor_.reset();
  Process(code);
}

void TCustomTrayIcon::Process(uint32_t code) {
  using namespace tray_code;
  switch (code) {
    case MouseMove: {
      if (!enabled_) return;
      if (want_enter_exit_events_ && cursor_outside_) {
        FireMouseEnter();
        cursor_outside_ = false;
      }
      const TShiftState shift = ShiftKeysNow();
      const TPoint p = CursorPosNow();
      FireMouseMove(shift, p.X, p.Y);
      last_cursor_pos_ = p;
      return;
    }
    case LButtonDown:
      if (!enabled_) return;
      if (OnDblClick) {
        click_timer_.SetPeriod(DoubleClickTime());
        click_timer_.SetRunning(true);  // restarts a running one
      }
      ButtonDown(TMouseButton::mbLeft, TShift::Left);
      left_button_down_ = true;
      if (left_popup_) OpenPopupMenu();
      return;
    case LButtonUp: {
      if (!enabled_) return;
      const TShiftState shift = ShiftKeysNow() + TShift::Left;
      const TPoint p = CursorPosNow();
      if (left_button_down_) click_pending_ = true;
      // No double click to wait for (or the wait is over): the click comes at once.
      if (left_button_down_ && !click_timer_.Running()) {
        left_button_down_ = false;
        click_pending_ = false;
        FireClick();
      }
      left_button_down_ = false;
      select_follows_click_ = shell_version_mode_ == 2;
      FireMouseUp(TMouseButton::mbLeft, shift, p.X, p.Y);
      return;
    }
    case LButtonDblClk:
      if (!enabled_) return;
      click_pending_ = false;
      double_click_seen_ = true;
      FireDblClick();
      if (!left_popup_) ClickDefaultMenuItem();
      return;
    case RButtonDown:
      if (!enabled_) return;
      ButtonDown(TMouseButton::mbRight, TShift::Right);
      // Whatever LeftPopup says; version 4 asks for the menu itself, after the release.
      if (shell_version_mode_ != 2) OpenPopupMenu();
      return;
    case RButtonUp:
      if (shell_version_mode_ == 1 || !enabled_) return;
      ButtonUp(TMouseButton::mbRight, TShift::Right);
      return;
    case ContextMenu:
    case Select:
    case KeySelect:
      if (!enabled_) return;
      if (shell_version_mode_ == 1) ButtonUp(TMouseButton::mbRight, TShift::Right);
      else if (shell_version_mode_ == 2) SelectionNotification(code);
      return;
    case MButtonDown:
      if (!enabled_) return;
      ButtonDown(TMouseButton::mbMiddle, TShift::Middle);
      return;
    case MButtonUp:
      if (!enabled_) return;
      ButtonUp(TMouseButton::mbMiddle, TShift::Middle);
      return;
    // The balloon relays come whatever Enabled says.
    case BalloonHide:
      if (OnBalloonHintHide) OnBalloonHintHide(this);
      return;
    case BalloonTimeout:
      if (OnBalloonHintTimeout) OnBalloonHintTimeout(this);
      return;
    case BalloonUserClick:
      if (OnBalloonHintClick) OnBalloonHintClick(this);
      return;
    default:
      return;
  }
}

void TCustomTrayIcon::ButtonDown(TMouseButton button, TShift member) {
  const TShiftState shift = ShiftKeysNow() + member;
  const TPoint p = CursorPosNow();
  FireMouseDown(button, shift, p.X, p.Y);
}

void TCustomTrayIcon::ButtonUp(TMouseButton button, TShift member) {
  const TShiftState shift = ShiftKeysNow() + member;
  const TPoint p = CursorPosNow();
  FireMouseUp(button, shift, p.X, p.Y);
}

void TCustomTrayIcon::SelectionNotification(uint32_t code) {
  using namespace tray_code;
  if (code == ContextMenu) {  // the right button's release, the context-menu key or Shift+F10
    OpenPopupMenu();
    return;
  }
  const bool echo = code == Select && select_follows_click_;
  select_follows_click_ = false;
  if (echo) return;  // a plain left click, already reported as one
  // Enter or Space on the icon: its open gesture, the double click.
  FireDblClick();
  if (!left_popup_) ClickDefaultMenuItem();
}

void TCustomTrayIcon::ClickTimerElapsed() {
  click_timer_.SetRunning(false);  // one run per press
  if (!double_click_seen_ && click_pending_) {
    click_pending_ = false;
    FireClick();
  }
  double_click_seen_ = false;
}

void TCustomTrayIcon::ExitTimerElapsed() {
  if (cursor_outside_) return;
  // The shell reports moves only over the icon: anywhere else than the last one means gone.
  const TPoint p = CursorPosNow();
  if (p.X != last_cursor_pos_.X || p.Y != last_cursor_pos_.Y) {
    cursor_outside_ = true;
    FireMouseExit();
  }
}

void TCustomTrayIcon::FireClick() {
  if (OnClick) OnClick(this);
}

void TCustomTrayIcon::FireDblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TCustomTrayIcon::FireMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TCustomTrayIcon::FireMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TCustomTrayIcon::FireMouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TCustomTrayIcon::FireMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TCustomTrayIcon::FireMouseExit() {
  if (OnMouseExit) OnMouseExit(this);
}
