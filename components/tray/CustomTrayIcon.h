// The tray icon's platform-free half: its events, and the interpretation of the shell's mouse
// notifications (click versus double click through ClickTimer, enter and exit through
// ExitTimer). The Windows component (components/tray/win/SysTrayIcon.h) supplies the readings
// and the popup menu.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "components/timer/SimpleTimer.h"
#include "toolkit/Component.h"
#include "toolkit/Types.h"

using TCycleEvent = std::function<void(TObject* sender, int nextIndex)>;
using TStartupEvent = std::function<void(TObject* sender, bool& showMainForm)>;

class TCustomTrayIcon : public TComponent {
 public:
  explicit TCustomTrayIcon(TComponent* owner);
  ~TCustomTrayIcon() override;

  // The 32-bit identifier the shell knows the icon by; unique among the icons of this run.
  uint32_t IconId() const { return icon_id_; }
  // The live icon with that identifier, or nullptr (a notification for a destroyed icon).
  static TCustomTrayIcon* FindTrayIcon(uint32_t iconId);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool LeftPopup() const { return left_popup_; }
  void SetLeftPopup(bool v) { left_popup_ = v; }
  bool WantEnterExitEvents() const { return want_enter_exit_events_; }
  // ExitTimer runs exactly while this is on.
  void SetWantEnterExitEvents(bool v);
  // 0: classic notifications; 1: shell notification version 3; 2: version 4, which also
  // answers the keyboard (Enter or Space on the icon acts as a double click, the context-menu
  // key or Shift+F10 opens the menu).
  uint8_t ShellVersionMode() const { return shell_version_mode_; }

  TNotifyEvent OnClick, OnDblClick;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter, OnMouseExit;
  TCycleEvent OnCycle;
  TNotifyEvent OnBalloonHintClick, OnBalloonHintHide, OnBalloonHintTimeout;
  TNotifyEvent OnMinimizeToTray;
  TStartupEvent OnStartup;

  // One notification from the shell about this icon (the callback message's lParam). Version 4
  // also names the point it is about (the icon itself for one from the keyboard): the menu a
  // notification opens opens there.
  void ProcessNotification(uint32_t code);
  void ProcessNotification(uint32_t code, TPoint anchor);

  // Each calls its event, when assigned, with this icon as sender.
  virtual void FireClick();
  virtual void FireDblClick();
  virtual void FireMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void FireMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void FireMouseMove(TShiftState shift, int x, int y);
  virtual void FireMouseEnter();
  virtual void FireMouseExit();
  // Opens the popup menu at the notification's point, else at the cursor, when there is one
  // that pops up by itself.
  virtual void OpenPopupMenu() = 0;
  // The point the notification being processed names, if it names one.
  const std::optional<TPoint>& NotificationAnchor() const { return anchor_; }

  // Mouse state, as the notification steps left it.
  bool LeftButtonDown() const { return left_button_down_; }
  bool ClickPending() const { return click_pending_; }
  bool DoubleClickSeen() const { return double_click_seen_; }
  bool CursorOutside() const { return cursor_outside_; }
  TPoint LastCursorPos() const { return last_cursor_pos_; }
  const TSimpleTimer& ClickTimer() const { return click_timer_; }
  const TSimpleTimer& ExitTimer() const { return exit_timer_; }

 protected:
  // Readings taken while a notification is handled.
  virtual TShiftState ShiftKeysNow() = 0;  // Shift, Ctrl, Alt held now
  virtual TPoint CursorPosNow() = 0;       // screen coordinates
  virtual uint32_t DoubleClickTime() = 0;  // milliseconds
  // The double click's menu step (only asked for when LeftPopup is off): activates the popup
  // menu's default item if the menu pops up by itself.
  virtual void ClickDefaultMenuItem() = 0;

  void ClickTimerElapsed();
  void ExitTimerElapsed();

  uint8_t shell_version_mode_ = 0;

 private:
  void Process(uint32_t code);
  void ButtonDown(TMouseButton button, TShift member);
  void ButtonUp(TMouseButton button, TShift member);
  void SelectionNotification(uint32_t code);

  uint32_t icon_id_;
  bool enabled_ = true;
  bool left_popup_ = false;
  bool want_enter_exit_events_ = false;
  bool left_button_down_ = false;
  bool click_pending_ = false;
  bool double_click_seen_ = false;
  bool cursor_outside_ = true;
  bool select_follows_click_ = false;  // version 4: the selection a left click announces next
  TPoint last_cursor_pos_;
  std::optional<TPoint> anchor_;  // of the notification in hand; none in the classic formats
  TSimpleTimer click_timer_;  // measures the double-click time from a left press
  TSimpleTimer exit_timer_;   // polls the cursor for the exit
};
