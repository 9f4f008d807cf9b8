// TControl: bounds, look, parent links and the mouse steps every control has.
#include "toolkit/win/Controls.h"


TAccessibilityHooks& AccessibilityHooks() {
  static TAccessibilityHooks hooks;
  return hooks;
}

TShiftState ShiftFromKeys(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s += TShift::Shift;
  if (keys & MK_CONTROL) s += TShift::Ctrl;
  if (GetKeyState(VK_MENU) < 0) s += TShift::Alt;
  if (keys & MK_LBUTTON) s += TShift::Left;
  if (keys & MK_RBUTTON) s += TShift::Right;
  if (keys & MK_MBUTTON) s += TShift::Middle;
  return s;
}

TShiftState KeyboardShift() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s += TShift::Shift;
  if (GetKeyState(VK_CONTROL) < 0) s += TShift::Ctrl;
  if (GetKeyState(VK_MENU) < 0) s += TShift::Alt;
  return s;
}

// ============================================================================ TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] {
    parent_font_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  life_.reset();  // guards taken before a handler ran now tell it is gone
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) {
    Invalidate();
    parent_->RemoveControl(this);
  }
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    if (parent_color_) ParentColorChanged();
    if (parent_font_) ParentFontChanged();
    Invalidate();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  BoundsChanged();
  if (resized) Resize();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (visible_) Invalidate();
  visible_ = v;
  if (visible_) Invalidate();
  VisibleChanged();
}

bool TControl::Showing() const {
  if (!visible_) return false;
  return parent_ ? parent_->Showing() : true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  EnabledChanged();
}

void TControl::SetCaption(const std::string& text) {
  if (text == caption_) return;
  caption_ = text;
  CaptionChanged();
  if (AccessibilityHooks().NameChanged) AccessibilityHooks().NameChanged(*this);  // read out anew
}

void TControl::SetColor(TColor c) {
  parent_color_ = false;
  if (c == color_) return;
  color_ = c;
  ColorChanged();
}

void TControl::SetParentColor(bool v) {
  if (v == parent_color_) return;
  parent_color_ = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parent_color_ || !parent_) return;
  if (color_ != parent_->Color()) {
    color_ = parent_->Color();
    ColorChanged();
  }
}

void TControl::SetParentFont(bool v) {
  if (v == parent_font_) return;
  parent_font_ = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parent_font_ || !parent_) return;
  auto keep = std::move(font_.OnChange);
  font_.OnChange = nullptr;
  const bool differs = !font_.SameAs(parent_->Font());
  font_.Assign(parent_->Font());
  font_.OnChange = std::move(keep);
  if (differs) FontChanged();
}

void TControl::SetHint(const std::string& h) { hint_ = h; }

bool TControl::ShowHint() const {
  if (parent_show_hint_ && parent_) return parent_->ShowHint();
  return show_hint_;
}

void TControl::SetShowHint(bool v) {
  show_hint_ = v;
  parent_show_hint_ = false;
}

void TControl::SetParentShowHint(bool v) { parent_show_hint_ = v; }

TPoint TControl::ClientToScreen(TPoint p) const {
  if (IsWindowed()) {
    auto* self = static_cast<TWinControl*>(const_cast<TControl*>(this));
    POINT q{p.X, p.Y};
    ::ClientToScreen(self->Handle(), &q);
    return {q.x, q.y};
  }
  if (!parent_) return p;
  return parent_->ClientToScreen({p.X + left_, p.Y + top_});
}

TPoint TControl::ScreenToClient(TPoint p) const {
  if (IsWindowed()) {
    auto* self = static_cast<TWinControl*>(const_cast<TControl*>(this));
    POINT q{p.X, p.Y};
    ::ScreenToClient(self->Handle(), &q);
    return {q.x, q.y};
  }
  if (!parent_) return p;
  const TPoint q = parent_->ScreenToClient(p);
  return {q.X - left_, q.Y - top_};
}

bool TControl::Focused() const { return parent_ && parent_->KeyboardChild() == this && parent_->Focused(); }

TAccessibleRole TControl::AccessibleRole() const {
  if (IsWindowed()) return TAccessibleRole::Client;
  // A picture or a drawn button: what it does on a click says what it is.
  return OnClick ? TAccessibleRole::PushButton : TAccessibleRole::Graphic;
}

const TControl* TControl::NamingLabel() const {
  if (parent_)
    for (const TControl* c : parent_->Controls())
      if (c->LabelFor() == this) return c;
  return nullptr;
}

TAccessibleText TControl::AccessibleName() const {
  // A field is called what its label says (the system's rule, the static text before it, finds
  // nothing in a label that has no window).
  if (const TControl* label = NamingLabel()) return {label->AccessibleName().Name, "", hint_};
  return AccessibleTextOf(caption_, hint_, true);
}

TAccessibleState TControl::AccessibleState() const {
  TAccessibleState state;
  state.Focusable = tab_stop_;
  state.Focused = Focused();
  return state;
}

void TControl::Invalidate() {
  if (parent_ && visible_) parent_->InvalidateArea(BoundsRect());
}

void TControl::Repaint() {
  Invalidate();
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

namespace {
// Runs a copy of the handler: a handler that destroys its own control destroys the original
// while it runs.
template <typename F, typename... A>
void Fire(const F& handler, A... args) {
  if (!handler) return;
  const F copy = handler;
  copy(args...);
}
}  // namespace

void TControl::Click() { Fire(OnClick, this); }

void TControl::DblClick() { Fire(OnDblClick, this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Fire(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) { Fire(OnMouseMove, this, shift, x, y); }

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Fire(OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseEnter() { Fire(OnMouseEnter, this); }

void TControl::MouseLeave() { Fire(OnMouseLeave, this); }
