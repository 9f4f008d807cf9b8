// Image lists: equally sized images held by the common controls' list, drawn with their masks
// (tab icons, and anything else that wants a row of small pictures by index). The images given
// before anything needs the list itself wait here, so a list filled at start but shown only in a
// rarely opened window costs no start the common-controls library.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/win/Graphics.h"
#include "toolkit/win/Handles.h"

class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Changing the size empties the list (its images no longer fit); set it before handing the
  // list to a control.
  void SetSize(int width, int height);
  int Count() const;
  // The list, made when first needed, with the images given so far; owned by this object. Null
  // where the common-controls library is missing.
  HIMAGELIST Handle() const;

  // Cuts a bitmap into images of the list's size, left to right; pixels of the mask colour are
  // transparent; a part narrower than an image at the right is left out. The bitmap itself is left
  // untouched. Returns the first new index, -1 on failure.
  int AddMasked(const TBitmap& bitmap, TColor maskColor);
  // The same from a bitmap resource of this program.
  int AddMaskedResource(const std::wstring& name, TColor maskColor);
  // Adds a copy of an icon; the caller keeps its own. Returns the new index, -1 on failure.
  int AddIcon(HICON icon);
  // A new icon made from an image; the caller owns it.
  UniqueIcon GetIcon(int index) const;
  void Clear();

  // Draws an image with its transparency; an index outside the list draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index) const;

 private:
  // An image given while the list is not made yet: a bitmap with its mask colour, or an icon.
  struct Waiting {
    UniqueBitmap bitmap;
    COLORREF mask = 0;
    UniqueIcon icon;
  };

  void Forget();

  int width_ = 16, height_ = 16;
  mutable HIMAGELIST handle_ = nullptr;  // owned
  mutable std::vector<Waiting> waiting_;  // emptied into the list when it is made
  int waiting_count_ = 0;                // images in waiting_
};
