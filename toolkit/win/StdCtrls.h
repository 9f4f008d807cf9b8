// Labels: windowless text in the control's font, aligned both ways, optionally word-wrapped,
// transparent or filled, sized to the text when AutoSize is on. Measuring the text costs a trip
// to the font system, so a label whose parent has no window yet measures when its window is made
// or when its bounds are first read, whichever comes first.
#pragma once
#include "toolkit/win/Controls.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout l);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // '&' marks an accelerator and is not shown (off: ampersands are shown as typed).
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool v);
  // The control the label names; not owned, only compared.
  void SetFocusControl(const TControl* control) { focus_control_ = control; }
  const TControl* LabelFor() const override { return focus_control_; }

  // The bounds, measured first if the text's size is still owed.
  int Left() const { return Settled().TControl::Left(); }
  int Top() const { return Settled().TControl::Top(); }
  int Width() const { return Settled().TControl::Width(); }
  int Height() const { return Settled().TControl::Height(); }
  TRect BoundsRect() const { return Settled().TControl::BoundsRect(); }
  TRect ClientRect() const override { return Settled().TControl::ClientRect(); }
  void SetBounds(int left, int top, int width, int height) override;
  void SetParent(TWinControl* parent) override;
  void ParentHandleCreated() override { Settled(); }

  void Paint(TCanvas& canvas) override;
  TAccessibleRole AccessibleRole() const override { return TAccessibleRole::StaticText; }
  TAccessibleText AccessibleName() const override;
  // The DrawText flags the label paints with.
  UINT TextFlags() const;

 protected:
  void CaptionChanged() override;
  void FontChanged() override;
  void Loaded() override;
  void AdjustBounds();

 private:
  const TCustomLabel& Settled() const;
  void Measure();

  bool size_owed_ = false;  // AutoSize asked for a measure that has not been made yet
  bool auto_size_ = true;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout layout_ = TTextLayout::tlTop;
  bool word_wrap_ = false;
  bool transparent_ = false;
  bool show_accel_char_ = true;
  const TControl* focus_control_ = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};
