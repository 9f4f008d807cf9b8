// The oval button's state and mouse behaviour, apart from any window: what a press, move,
// release, click or accelerator does to Down and the bevel, and what the control must then
// redraw or fire. The Win32 control routes its mouse and dialog-character messages here and
// implements TOvalButtonHost.
#pragma once
#include <cstdint>
#include <string_view>

#include "components/ovalbutton/OvalButtonLayout.h"
#include "components/ovalbutton/HlsColors.h"
#include "toolkit/Types.h"

namespace OvalBtn {

// What the state machine asks of its control. Calls are synchronous, in the order the behaviour
// needs them; an event handler may call back into the state (for example SetDown with the value
// it already has, which does nothing). If these names clash with the control's own members,
// implement the interface in a small adapter object.
class TOvalButtonHost {
 public:
  // MUST answer whether (x, y), in control coordinates, lies inside the ellipse.
  virtual bool PointInOval(int x, int y) = 0;
  virtual void RedrawFace() = 0;   // DrawFace on the canvas now
  virtual void RedrawBevel() = 0;  // DrawBevel on the canvas now
  virtual void RepaintLater() = 0; // ask the toolkit to repaint (invalidate)
  // Fire the published event when it is assigned, with the control as sender.
  virtual void FireMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void FireMouseMove(TShiftState shift, int x, int y) = 0;
  virtual void FireMouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
  virtual void FireClick() = 0;
  virtual void FireDblClick() = 0;
  virtual void FireMouseEnter() = 0;
  virtual void FireMouseExit() = 0;

 protected:
  ~TOvalButtonHost() = default;
};

class TOvalButtonState {
 public:
  // `host` is not owned and must outlive this object. `sysColor` resolves system colours when the
  // bevel colours are derived; it is called here already, for the initial clBtnFace.
  TOvalButtonState(TOvalButtonHost& host, TSysColorFn sysColor);

  // Mouse and keyboard operations, as the toolkit delivers them. For a left release after a left
  // press the toolkit calls Click first (only when the release lies inside the rectangle), then
  // Release; a double click is DblClick, then Press with TShift::Double in the shift state.
  void Press(TMouseButton button, TShiftState shift, int x, int y);
  void Move(TShiftState shift, int x, int y);
  void Release(TMouseButton button, TShiftState shift, int x, int y);
  void Click();
  void DblClick();
  void Enter();  // after the base class's own handling
  void Leave();  // after the base class's own handling
  void CaptionChanged();
  // Returns true when the key is the caption's accelerator: the message is handled (result 1)
  // whether or not a click followed. False: pass it on to the default handling.
  bool DialogChar(unsigned code, std::string_view caption);

  // Properties. Setters compare, store, then repaint; Down and Flat also set BevelState.
  TColor Color() const { return color_; }
  void SetColor(TColor color);  // also derives HighlightColor and ShadowColor
  // Derives the bevel colours again, without a repaint: a system colour now stands for another.
  void DeriveBevelColors();
  bool Down() const { return down_; }
  void SetDown(bool down);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  int32_t GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int32_t groupIndex) { groupIndex_ = groupIndex; }  // no repaint
  // Mirrors the control's Enabled, which the base class stores and repaints; the control MUST
  // call this whenever its own Enabled changes (from EnabledChanged).
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  TColor HighlightColor() const { return highlight_; }
  TColor ShadowColor() const { return shadow_; }
  int BevelState() const { return bevelState_; }
  bool MouseInside() const { return mouseInside_; }
  bool MousePressed() const { return mousePressed_; }
  bool DownBeforePress() const { return downBeforePress_; }

 private:
  void RedrawFaceOrRepaint();
  void CancelPress();

  TOvalButtonHost& host_;  // not owned
  TSysColorFn sysColor_;
  TColor color_ = clBtnFace;
  TColor highlight_ = 0;
  TColor shadow_ = 0;
  bool down_ = false;
  bool flat_ = false;
  bool transparent_ = false;
  bool enabled_ = true;
  int32_t groupIndex_ = 0;
  int bevelState_ = kBevelRaised;
  bool mouseInside_ = false;     // the pointer was last seen inside the ellipse
  bool mousePressed_ = false;    // a button went down on the control and has not come up
  bool downBeforePress_ = false; // Down when the last press inside the ellipse began
  bool sunkByMouse_ = false;     // this press sank the button and nothing has raised it since
};

}  // namespace OvalBtn
