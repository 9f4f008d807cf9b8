// Popup menus: items with captions, ticks, a default item (drawn bold) and click events.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Component.h"

class TControl;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  bool IsSeparator() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) { checked_ = v; }
  bool Default() const { return default_; }
  void SetDefault(bool v) { default_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }

  // Children (a submenu); the item does not own them, their owner does.
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int i) const { return items_.at(i); }
  TMenuItem* ParentItem() const { return parent_; }

  // As if the user had chosen the item.
  virtual void Click();
  TNotifyEvent OnClick;

 private:
  std::string caption_;
  bool checked_ = false, default_ = false, enabled_ = true, visible_ = true;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // The top-level items.
  TMenuItem* Items() { return &root_; }
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool v) { auto_popup_ = v; }
  // What the menu was opened from: a control, or a non-visual component such as a tray icon.
  TComponent* PopupComponent() const { return popup_component_; }
  void SetPopupComponent(TComponent* c) { popup_component_ = c; }
  // Shows the menu at a screen point and runs the chosen item; returns when the menu closes.
  virtual void Popup(int x, int y);
  // The menu as a Win32 menu (for tests and for the tray); the caller destroys it.
  HMENU BuildMenu(std::vector<TMenuItem*>& byCommand) const;

  TNotifyEvent OnPopup;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TMenuItem root_{nullptr};
  bool auto_popup_ = true;
  TComponent* popup_component_ = nullptr;  // not owned
};
