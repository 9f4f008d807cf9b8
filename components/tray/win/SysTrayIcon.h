// TSysTrayIcon: keeps one icon in the shell's notification area, with tooltip, animation through
// an image list, a popup menu, mouse events (through the shared handler window) and
// minimise-to-tray, for which it subclasses the application window and its owner's window.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "components/timer/SimpleTimer.h"
#include "components/tray/CustomTrayIcon.h"
#include "components/tray/ShellIconRecord.h"
#include "toolkit/win/Controls.h"
#include "toolkit/win/Icon.h"

class TImageList;
class TPopupMenu;

class TSysTrayIcon : public TCustomTrayIcon {
 public:
  explicit TSysTrayIcon(TComponent* owner);
  ~TSysTrayIcon() override;

  // Adds (true) or removes the icon without touching IconVisible: a preview of the icon.
  bool DesignPreview() const { return design_preview_; }
  void SetDesignPreview(bool v);
  TImageList* IconList() const { return icon_list_; }  // not owned
  void SetIconList(TImageList* list);
  bool CycleIcons() const { return cycle_icons_; }
  void SetCycleIcons(bool v);
  uint32_t CycleInterval() const { return cycle_interval_; }
  void SetCycleInterval(uint32_t ms);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool v);
  TIcon& Icon() { return icon_; }  // owned; any change of its image reaches the shell
  void SetIcon(const TIcon& icon);  // copies the image
  bool IconVisible() const { return icon_visible_; }
  void SetIconVisible(bool v);
  int IconIndex() const { return icon_index_; }
  void SetIconIndex(int index);
  TPopupMenu* PopupMenu() const { return popup_menu_; }  // not owned
  void SetPopupMenu(TPopupMenu* menu) { popup_menu_ = menu; }
  bool MinimizeToTray() const { return minimize_to_tray_; }
  void SetMinimizeToTray(bool v) { minimize_to_tray_ = v; }

  // The shell calls; each returns whether the shell accepted it. A call that cannot change
  // anything in the shell is not made: it returns what the shell would have answered.
  virtual bool AddTrayIcon();
  virtual bool RemoveTrayIcon();
  virtual bool UpdateTrayIcon();
  // 0: classic notifications, 1: version 3, 2: version 4 (keyboard too). Tells the shell.
  void SetShellVersionMode(uint8_t mode);
  // The taskbar was made anew and holds none of our icons: a visible icon is added again.
  void TaskbarRecreated();
  // Whether the shell has taken the icon, as far as its answers tell.
  bool Docked() const { return shell_.Present(); }
  // A notification beside the icon (Windows shows it as a toast). Only an icon the shell holds
  // can show one; true when the shell took it.
  bool ShowBalloon(const std::string& title, const std::string& text);

  // Restores the application and shows its main form in front; the tray icon stays.
  void ShowMainWindow();
  // Hides the main form and the application's taskbar button; the tray icon stays.
  // OnHiddenToTray follows.
  void HideMainWindow();
  TNotifyEvent OnHiddenToTray;
  void HideApplicationButton();
  // Shows the icon and, once the shell holds it, hides the main window into the tray.
  virtual void SendToTray();
  void OpenPopupMenu() override;
  virtual void FireCycle();

  void Notification(TComponent* component, TOperation operation) override;

  // What the shell was last sent, and the animation's timer (tests).
  const NOTIFYICONDATAW& IconData() const { return icon_data_; }
  const TSimpleTimer& CycleTimer() const { return cycle_timer_; }
  const TSimpleTimer& AddRetryTimer() const { return add_retry_timer_; }
  const TSimpleTimer& SettleTimer() const { return settle_timer_; }

 protected:
  void Loaded() override;
  bool FillIconData();
  // The record to send, addressed to the handler's window.
  NOTIFYICONDATAW* ShellData();
  TShiftState ShiftKeysNow() override;
  TPoint CursorPosNow() override;
  uint32_t DoubleClickTime() override;
  void ClickDefaultMenuItem() override;

 private:
  static LRESULT CALLBACK ApplicationHook(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK OwnerHook(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  void HandleApplicationMessage(TMessage& m);
  void HandleOwnerMessage(TMessage& m);
  bool TryMinimizeToTray(TMessage& m);
  void HookApplicationWindow();
  void UnhookApplicationWindow();
  void HookOwnerWindow();
  void UnhookOwnerWindow();
  TWinControl* OwnerControl() const;
  void CopyListImage(int index);
  void CycleTimerElapsed();
  void IconChanged();
  bool SendLook();
  void TellVersion();
  void AddRetryElapsed();
  void SettleElapsed();
  void GiveFocusBack();

  bool design_preview_ = false;
  bool forced_visibility_ = false;  // SetDesignPreview is adding or removing the icon
  TImageList* icon_list_ = nullptr;  // not owned
  bool cycle_icons_ = false;
  uint32_t cycle_interval_ = 0;
  std::string hint_;
  bool show_hint_ = true;
  TIcon icon_;
  bool icon_visible_ = false;
  int icon_index_ = 0;
  TPopupMenu* popup_menu_ = nullptr;  // not owned
  bool minimize_to_tray_ = false;
  bool startup_check_pending_ = true;
  TSimpleTimer cycle_timer_;
  TSimpleTimer add_retry_timer_;
  TSimpleTimer settle_timer_;
  int add_retries_left_ = 0;
  HWND application_window_ = nullptr;  // hooked, or nullptr
  HWND owner_window_ = nullptr;        // hooked, or nullptr
  NOTIFYICONDATAW icon_data_{};
  uint64_t image_serial_ = 0;  // counts the icon's images
  TShellIconLook look_;        // as last filled into icon_data_
  TShellIconRecord shell_;
};
