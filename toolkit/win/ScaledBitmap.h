// A control's picture that may come from a bitmap resource of this program, drawn for the
// control's DPI: it remembers the resource and loads it again when the DPI changes.
#pragma once
#include <string>

#include "toolkit/win/Graphics.h"

class TScaledBitmap : public TBitmap {
 public:
  // A picture from elsewhere: no resource to load again.
  void Assign(const TBitmap& picture);
  // Straight into place, no copy; false (the picture unchanged) when there is no such resource.
  bool Load(const std::wstring& resourceName, int dpi);
  // Loads the resource again when the DPI is another than it was drawn for; true when the
  // picture changed.
  bool Rescale(int dpi);

 private:
  std::wstring resource_;
  int dpi_ = 0;
};
