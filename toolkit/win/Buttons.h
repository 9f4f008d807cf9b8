// Speed buttons: windowless push buttons with a glyph, optionally flat, optionally sticking down
// as members of a group (GroupIndex) or on their own (GroupIndex with AllowAllUp).
#pragma once
#include "toolkit/win/Controls.h"
#include "toolkit/win/ScaledBitmap.h"

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);

  // The glyph holds NumGlyphs images side by side: enabled, then disabled. Pixels of its
  // bottom-left pixel's colour are background.
  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(const TBitmap& glyph);
  // Loads the glyph from a bitmap resource of this program, drawn for the button's DPI, and
  // again whenever that changes; false when there is none.
  bool LoadGlyph(const std::wstring& resourceName);
  int NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int n);

  // Flat: no frame until the pointer is over the button.
  bool Flat() const { return flat_; }
  void SetFlat(bool v);

  // Buttons of one parent with the same non-zero GroupIndex: at most one is down. With
  // AllowAllUp a click on the down button puts it up; a lone button in its group then toggles.
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int v);
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool v);
  bool Down() const { return down_; }
  // Always up with GroupIndex 0; cannot go up when it is the group's down button without
  // AllowAllUp. Going down puts the group's other buttons up.
  void SetDown(bool v);

  // Drawn pressed: held down by the mouse or Down.
  bool Pressed() const { return down_ || (held_ && over_); }
  bool Hot() const { return over_; }

  // A click puts a group button down (or up, see AllowAllUp), then fires OnClick.
  void Click() override;
  void Paint(TCanvas& canvas) override;
  TAccessibleRole AccessibleRole() const override { return TAccessibleRole::PushButton; }
  TAccessibleState AccessibleState() const override;
  void ChangeScale(int newDpi) override;

 protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  void PaintFrame(TCanvas& canvas, bool sunken);
  TScaledBitmap glyph_;
  int num_glyphs_ = 1;
  bool flat_ = false;
  int group_index_ = 0;
  bool allow_all_up_ = false;
  bool down_ = false;
  bool held_ = false;  // the left button went down on us and is not released yet
  bool over_ = false;
};
