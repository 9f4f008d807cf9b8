#include "toolkit/win/ComCtrls.h"

#include <algorithm>

#include "toolkit/win/CommonControls.h"
#include "toolkit/win/Text.h"

// ============================================================================ TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { visible_ = false; }

TTabSheet::~TTabSheet() {
  if (page_control_) page_control_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
  if (control == page_control_) return;
  if (page_control_) page_control_->RemovePage(this);
  SetParent(control);
  if (control) control->InsertPage(this);
}

void TTabSheet::SetImageIndex(int index) {
  if (index == image_index_) return;
  image_index_ = index;
  if (page_control_) page_control_->UpdateTab(this);
}

int TTabSheet::PageIndex() const {
  if (!page_control_) return -1;
  const auto& pages = page_control_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::CaptionChanged() {
  TWinControl::CaptionChanged();
  if (page_control_) page_control_->UpdateTab(this);
}

// ============================================================================ TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->page_control_ = nullptr;
}

TAccessibleText TPageControl::AccessibleName() const {
  if (!active_) return TWinControl::AccessibleName();
  return {active_->AccessibleName().Name, "", Hint()};
}

void TPageControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = CommonControlClass(WC_TABCONTROLW);
  p.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

void TPageControl::HandleCreated() {
  if (images_) SendMessageW(hwnd_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
  RebuildTabs();
  // The sheets' windows come after this, already in place.
  LayoutSheets();
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  page->page_control_ = this;
  RebuildTabs();
  if (!active_) SetActivePage(page);
  else page->SetVisible(false);
  LayoutSheets();
}

void TPageControl::RemovePage(TTabSheet* page) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  page->page_control_ = nullptr;
  if (active_ == page) active_ = pages_.empty() ? nullptr : pages_.front();
  RebuildTabs();
  ShowActive();
}

void TPageControl::RebuildTabs() {
  if (!hwnd_) return;
  SendMessageW(hwnd_, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < PageCount(); ++i) {
    std::wstring text = ToWide(pages_[i]->Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = pages_[i]->ImageIndex();
    SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (active_) SendMessageW(hwnd_, TCM_SETCURSEL, active_->PageIndex(), 0);
  // Another row of tabs or taller tabs change the area left for the sheets.
  LayoutSheets();
}

void TPageControl::UpdateTab(TTabSheet* page) {
  if (!hwnd_) return;
  std::wstring text = ToWide(page->Caption());
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text.data();
  item.iImage = page->ImageIndex();
  SendMessageW(hwnd_, TCM_SETITEMW, page->PageIndex(), reinterpret_cast<LPARAM>(&item));
  LayoutSheets();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->page_control_ != this) return;
  if (page == active_) return;
  active_ = page;
  if (hwnd_ && page) SendMessageW(hwnd_, TCM_SETCURSEL, page->PageIndex(), 0);
  ShowActive();
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  if (index >= 0 && index < PageCount()) SetActivePage(pages_[index]);
}

void TPageControl::ShowActive() {
  // Show the new page before hiding the old, so the area is never left empty.
  if (active_) active_->SetVisible(true);
  for (TTabSheet* p : pages_)
    if (p != active_) p->SetVisible(false);
}

void TPageControl::SetImages(TImageList* images) {
  if (images == images_) return;
  images_ = images;
  if (hwnd_)
    SendMessageW(hwnd_, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
  LayoutSheets();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) SetImages(nullptr);
}

TRect TPageControl::DisplayRect() {
  const TRect client = ClientRect();
  if (!hwnd_) return client;
  RECT r = ToRECT(client);
  SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return ToTRect(r);
}

void TPageControl::LayoutSheets() {
  if (!hwnd_) return;
  const TRect r = DisplayRect();
  for (TTabSheet* p : pages_) p->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::Resize() {
  LayoutSheets();
  TWinControl::Resize();
}

LRESULT TPageControl::Notify(NMHDR* header) {
  if (header->code == TCN_SELCHANGE) {
    const int index = static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
    if (index >= 0 && index < PageCount() && pages_[index] != active_) {
      active_ = pages_[index];
      ShowActive();
      if (OnChange) OnChange(this);
    }
  }
  return 0;
}
