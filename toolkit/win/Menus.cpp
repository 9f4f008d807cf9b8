#include "toolkit/win/Menus.h"

#include <algorithm>

#include "toolkit/win/Application.h"
#include "toolkit/win/Controls.h"
#include "toolkit/win/Text.h"

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  for (TMenuItem* c : items_) c->parent_ = nullptr;
  if (parent_) parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  if (item->parent_ == this) item->parent_ = nullptr;
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove && popup_component_ == component)
    popup_component_ = nullptr;
}

namespace {
HMENU Build(const TMenuItem& parent, std::vector<TMenuItem*>& byCommand) {
  HMENU menu = CreatePopupMenu();
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Visible()) continue;
    if (item->IsSeparator()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (item->Checked()) flags |= MF_CHECKED;
    if (!item->Enabled()) flags |= MF_GRAYED;
    const std::wstring text = ToWide(item->Caption());
    if (item->Count() > 0) {
      AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(Build(*item, byCommand)), text.c_str());
    } else {
      byCommand.push_back(item);
      AppendMenuW(menu, flags, byCommand.size(), text.c_str());
      if (item->Default()) SetMenuDefaultItem(menu, static_cast<UINT>(byCommand.size()), FALSE);
    }
  }
  return menu;
}
}  // namespace

HMENU TPopupMenu::BuildMenu(std::vector<TMenuItem*>& byCommand) const {
  byCommand.clear();
  return Build(root_, byCommand);
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  std::vector<TMenuItem*> byCommand;
  HMENU menu = BuildMenu(byCommand);
  HWND owner = Application ? Application->Handle() : nullptr;
  const UINT cmd = static_cast<UINT>(
      TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, owner, nullptr));
  DestroyMenu(menu);
  if (cmd > 0 && cmd <= byCommand.size()) byCommand[cmd - 1]->Click();
}
