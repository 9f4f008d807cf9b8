// TBitBtn: a push button over the system BUTTON control, drawn by us so that its caption takes
// the font's colour (the system draws push-button text in the button-text colour only).
#pragma once
#include "toolkit/win/Controls.h"

class TBitBtn : public TWinControl {
 public:
  // 75 x 25, a tab stop.
  explicit TBitBtn(TComponent* owner);

  TAccessibleRole AccessibleRole() const override { return TAccessibleRole::PushButton; }
  void CommandNotify(WORD code) override;
  bool ParentAsks(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
};
