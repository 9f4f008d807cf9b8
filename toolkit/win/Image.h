// Pictures: a windowless control that shows a bitmap, optionally transparent, centred or
// stretched to the control.
#pragma once
#include "toolkit/win/Controls.h"
#include "toolkit/win/ScaledBitmap.h"

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);

  const TBitmap& Picture() const { return picture_; }
  void SetPicture(const TBitmap& picture);
  // Loads the picture from a bitmap resource of this program, drawn for the control's DPI, and
  // again whenever that changes; false when there is none.
  bool LoadPicture(const std::wstring& resourceName);
  // Pixels of the picture's bottom-left pixel's colour let the parent show through.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);

  void Paint(TCanvas& canvas) override;
  void ChangeScale(int newDpi) override;

 private:
  TScaledBitmap picture_;
  bool transparent_ = false;
  bool center_ = false;
  bool stretch_ = false;
};
