// Panels: a windowed container that paints its colour, bevels and an optional caption.
#pragma once
#include "toolkit/win/Controls.h"
#include "toolkit/win/StdCtrls.h"

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TPanelBorderStyle { bsNone, bsSingle };

class TCustomPanel : public TWinControl {
 public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut b);
  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut b);
  int BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int w);
  TPanelBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TPanelBorderStyle s);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  // Without a caption a panel is layout, a group of the controls in it.
  TAccessibleRole AccessibleRole() const override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(TCanvas& canvas) override;
  // The area left inside the border and bevels.
  TRect InnerRect() const;

 private:
  TBevelCut bevel_outer_ = TBevelCut::bvRaised;
  TBevelCut bevel_inner_ = TBevelCut::bvNone;
  int bevel_width_ = 1;
  TPanelBorderStyle border_style_ = TPanelBorderStyle::bsNone;
  TAlignment alignment_ = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};
