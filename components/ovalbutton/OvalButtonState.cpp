// Mouse, accelerator and property behaviour of the oval button.
#include "components/ovalbutton/OvalButtonState.h"

#include <utility>

#include "components/ovalbutton/OvalButtonCaption.h"

namespace OvalBtn {

namespace {
// Highlight halfway to white, shadow at 60 % of the face's luminance.
constexpr int32_t kHighlightTenths = 5, kShadowTenths = 4;
}  // namespace

TOvalButtonState::TOvalButtonState(TOvalButtonHost& host, TSysColorFn sysColor)
    : host_(host), sysColor_(std::move(sysColor)) {
  ComputeBevelColorsTenths(color_, kHighlightTenths, kShadowTenths, highlight_, shadow_, sysColor_);
}

void TOvalButtonState::RedrawFaceOrRepaint() {
  // A transparent face shows what lies beneath, which only a full repaint brings back.
  if (transparent_)
    host_.RepaintLater();
  else
    host_.RedrawFace();
}

void TOvalButtonState::Press(TMouseButton button, TShiftState shift, int x, int y) {
  if (enabled_ && host_.PointInOval(x, y)) {
    // The press itself sees the pointer inside, so a release without any move between still
    // clicks.
    mouseInside_ = true;
    downBeforePress_ = down_;
    down_ = true;
    bevelState_ = kBevelSunken;
    sunkByMouse_ = true;
    RedrawFaceOrRepaint();
    host_.FireMouseDown(button, shift, x, y);
  }
  // Even a press in a corner outside the ellipse: dragging into it then sinks the bevel.
  mousePressed_ = true;
}

void TOvalButtonState::Move(TShiftState shift, int x, int y) {
  if (mousePressed_) {
    // While dragging only the bevel follows the pointer; a toggle button's does not, and a
    // disabled button, which ignored the press, does not sink either. Coming back inside counts
    // for the click in every case, so a toggle dragged out and back in still fires OnClick.
    if (host_.PointInOval(x, y)) {
      mouseInside_ = true;
      if (bevelState_ == kBevelRaised && groupIndex_ == 0 && enabled_) {
        down_ = true;
        bevelState_ = kBevelSunken;
        sunkByMouse_ = true;
        host_.RedrawBevel();
      }
    } else {
      if (bevelState_ == kBevelSunken && groupIndex_ == 0 && mouseInside_) {
        down_ = false;
        bevelState_ = kBevelRaised;
        sunkByMouse_ = false;
        host_.RedrawBevel();
      }
      mouseInside_ = false;
    }
  } else if (flat_ && !down_) {
    if (host_.PointInOval(x, y)) {
      mouseInside_ = true;
      bevelState_ = kBevelRaised;
      host_.RedrawBevel();
    } else if (mouseInside_) {
      mouseInside_ = false;
      bevelState_ = kBevelNone;
      host_.RepaintLater();
    }
  } else {
    mouseInside_ = host_.PointInOval(x, y);
  }
  if (mouseInside_) host_.FireMouseMove(shift, x, y);
}

void TOvalButtonState::Release(TMouseButton button, TShiftState shift, int x, int y) {
  if (enabled_ && host_.PointInOval(x, y)) {
    if (groupIndex_ == 0) {
      // A push button released inside ends raised, even when flat; the next move settles that.
      down_ = false;
      bevelState_ = kBevelRaised;
      RedrawFaceOrRepaint();
    } else {
      SetDown(!downBeforePress_);
    }
    host_.FireMouseUp(button, shift, x, y);
  } else if (sunkByMouse_) {
    CancelPress();
  }
  sunkByMouse_ = false;
  mousePressed_ = false;
}

// A press that ends outside the ellipse (or after the button was disabled) is no click: put
// back what the press changed. Without this a toggle released outside stayed down, and a push
// button that the pointer left through the rectangle's edge while held stayed sunk.
void TOvalButtonState::CancelPress() {
  if (groupIndex_ != 0) {
    SetDown(downBeforePress_);
  } else if (down_) {
    down_ = false;
    bevelState_ = flat_ ? kBevelNone : kBevelRaised;
    host_.RepaintLater();
  }
}

void TOvalButtonState::Click() {
  if (enabled_ && mouseInside_) host_.FireClick();
}

void TOvalButtonState::DblClick() {
  if (enabled_ && mouseInside_) host_.FireDblClick();
}

void TOvalButtonState::Enter() { host_.FireMouseEnter(); }

void TOvalButtonState::Leave() {
  // Out of the rectangle is out of the ellipse. The toolkit reports the leaving before the move
  // that caused it, so a drag straight out across the rectangle's edge would otherwise keep the
  // bevel sunk until the release.
  if (mousePressed_ && mouseInside_ && bevelState_ == kBevelSunken && groupIndex_ == 0) {
    down_ = false;
    bevelState_ = kBevelRaised;
    sunkByMouse_ = false;
    host_.RedrawBevel();
  }
  if (mouseInside_ && enabled_) {
    mouseInside_ = false;
    if (flat_ && !down_) {
      bevelState_ = kBevelNone;
      host_.RepaintLater();
    }
  }
  host_.FireMouseExit();
}

void TOvalButtonState::CaptionChanged() { host_.RepaintLater(); }

bool TOvalButtonState::DialogChar(unsigned code, std::string_view caption) {
  if (!IsAccelChar(code, caption)) return false;
  if (enabled_) Click();
  return true;
}

void TOvalButtonState::SetColor(TColor color) {
  if (color == color_) return;
  // Derive first: should the resolver throw, the old colour and its bevel stay consistent.
  TColor highlight = highlight_, shadow = shadow_;
  ComputeBevelColorsTenths(color, kHighlightTenths, kShadowTenths, highlight, shadow, sysColor_);
  color_ = color;
  highlight_ = highlight;
  shadow_ = shadow;
  host_.RepaintLater();
}

void TOvalButtonState::DeriveBevelColors() {
  ComputeBevelColorsTenths(color_, kHighlightTenths, kShadowTenths, highlight_, shadow_, sysColor_);
}

void TOvalButtonState::SetDown(bool down) {
  if (down == down_) return;
  down_ = down;
  bevelState_ = down ? kBevelSunken : (flat_ ? kBevelNone : kBevelRaised);
  host_.RepaintLater();
}

void TOvalButtonState::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  bevelState_ = flat ? kBevelNone : kBevelRaised;  // whatever Down is
  host_.RepaintLater();
}

void TOvalButtonState::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  host_.RepaintLater();
}

}  // namespace OvalBtn
