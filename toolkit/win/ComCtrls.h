// Page control: the system tab control with one child panel (a tab sheet) per page; the tabs
// take their icons from an image list, and only the active sheet is shown.
#pragma once
#include <vector>

#include "toolkit/win/Controls.h"
#include "toolkit/win/ImgList.h"

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return page_control_; }
  // Puts the sheet into a page control as its last page (and makes the page control its parent).
  void SetPageControl(TPageControl* control);
  // Index of the image of the list of the page control shown on the tab; -1: none.
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int index);
  int PageIndex() const;

 protected:
  void CaptionChanged() override;

 private:
  friend class TPageControl;
  TPageControl* page_control_ = nullptr;  // not owned
  int image_index_ = -1;
};

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const { return pages_.at(index); }
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // Not owned; a list removed from the owner is let go.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  // The area the sheets fill, in the page control's client coordinates.
  TRect DisplayRect();

  void Notification(TComponent* component, TOperation operation) override;
  LRESULT Notify(NMHDR* header) override;
  // A list of tabs, called after the page it shows.
  TAccessibleRole AccessibleRole() const override { return TAccessibleRole::PageTabList; }
  TAccessibleText AccessibleName() const override;

  // After the user picked another tab.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void Resize() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void UpdateTab(TTabSheet* page);
  void RebuildTabs();
  void LayoutSheets();
  void ShowActive();

  std::vector<TTabSheet*> pages_;  // not owned (their owner destroys them)
  TTabSheet* active_ = nullptr;
  TImageList* images_ = nullptr;   // not owned
};
