// TWinControl: the window's life (created when first needed, destroyed with the object), its
// bounds, focus, colours and fonts pushed to children, and painting through a double buffer.
#include "toolkit/win/Controls.h"

#include <algorithm>
#include <utility>

#include "toolkit/win/Text.h"


TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  DestroyHandle();
}

TRect TWinControl::ClientRect() const {
  if (!hwnd_) return TControl::ClientRect();
  RECT r;
  GetClientRect(hwnd_, &r);
  return ToTRect(r);
}

HWND TWinControl::Handle() {
  if (!hwnd_) CreateHandle();
  return hwnd_;
}

HWND TWinControl::ParentHandleForCreate() { return parent_ ? parent_->Handle() : nullptr; }

void TWinControl::CreateParams(TCreateParams& p) {
  p.Parent = ParentHandleForCreate();
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
  if (visible_) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (TabStop()) p.Style |= WS_TABSTOP;
}

void TWinControl::CreateHandle() {
  if (hwnd_) return;
  TCreateParams p;
  CreateParams(p);
  if (hwnd_) return;  // making the parent's window made ours too
  if ((p.Style & WS_CHILD) && !p.Parent) return;  // a child has nowhere to live until it has a parent
  const std::wstring caption = ToWide(Caption());
  if (p.ClassName.empty()) {
    CreateWindowExW(p.ExStyle, ZettlyWindowClass(), caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height, p.Parent,
                    nullptr, GetModuleHandleW(nullptr), this);
  } else {
    HWND h = CreateWindowExW(p.ExStyle, p.ClassName.c_str(), caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.Parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (h) {
      AttachNative(h);
      SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    }
  }
  if (!hwnd_) return;
  HandleCreated();
  for (TControl* c : controls_)
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->CreateHandle();
    else c->ParentHandleCreated();
}

void TWinControl::DestroyHandle() {
  if (!hwnd_) return;
  if (tooltip_) {
    DestroyWindow(tooltip_);
    tooltip_ = nullptr;
  }
  DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
  hwnd_ = nullptr;
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (hwnd_ && !parent) DestroyHandle();
  TControl::SetParent(parent);
  if (parent_ && parent_->HandleAllocated()) {
    if (hwnd_) ::SetParent(hwnd_, parent_->Handle());
    else CreateHandle();
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (hwnd_) SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  BoundsChanged();
  if (resized) Resize();
}

void TWinControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
  VisibleChanged();
}

void TWinControl::SetEnabled(bool v) {
  if (v == Enabled()) return;
  TControl::SetEnabled(v);
  if (hwnd_) EnableWindow(hwnd_, v);
}

void TWinControl::Invalidate() {
  if (hwnd_) InvalidateArea(ClientRect());
}

void TWinControl::InvalidateArea(const TRect& r) {
  if (!hwnd_) return;
  const RECT rc = ToRECT(r);
  if (batching_) batched_.push_back(rc);
  else InvalidateRect(hwnd_, &rc, FALSE);
}

TWinControl::InvalidationBatch::InvalidationBatch(TWinControl& control) : control_(control) { ++control_.batching_; }

TWinControl::InvalidationBatch::~InvalidationBatch() {
  if (--control_.batching_ > 0) return;
  const std::vector<RECT> areas = std::exchange(control_.batched_, {});
  if (areas.empty() || !control_.hwnd_) return;
  if (areas.size() == 1) {
    InvalidateRect(control_.hwnd_, &areas[0], FALSE);
    return;
  }
  UniqueRegion all(CreateRectRgnIndirect(&areas[0]));
  for (size_t i = 1; i < areas.size() && all; ++i) {
    const UniqueRegion piece(CreateRectRgnIndirect(&areas[i]));
    if (piece) CombineRgn(all.Get(), all.Get(), piece.Get(), RGN_OR);
  }
  if (all) InvalidateRgn(control_.hwnd_, all.Get(), FALSE);
  else for (const RECT& r : areas) InvalidateRect(control_.hwnd_, &r, FALSE);
}

void TWinControl::InsertControl(TControl* c) { controls_.push_back(c); }

void TWinControl::RemoveControl(TControl* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  mouse_.Forget(c);
  if (hint_control_ == c) hint_control_ = nullptr;
  if (keyboard_child_ == c) keyboard_child_ = nullptr;
}

TControl* TWinControl::ControlAtPos(TPoint p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->IsWindowed() && c->Visible() && c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

void TWinControl::SetFocus() {
  if (Handle()) ::SetFocus(hwnd_);
}

bool TWinControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

void TWinControl::FocusChild(TControl* child) {
  if (child == keyboard_child_) {
    if (child && !Focused()) SetFocus();
    return;
  }
  TControl* old = std::exchange(keyboard_child_, child);
  if (old) old->Invalidate();
  if (child) {
    if (!Focused()) SetFocus();
    child->Invalidate();
    if (AccessibilityHooks().FocusChanged) AccessibilityHooks().FocusChanged(*child);
  }
}

void TWinControl::CaptionChanged() {
  if (hwnd_) SetWindowTextW(hwnd_, ToWide(Caption()).c_str());
  Invalidate();
}

void TWinControl::ColorChanged() {
  Invalidate();
  for (TControl* c : controls_) c->ParentColorChanged();
}

void TWinControl::FontChanged() {
  if (hwnd_ && native_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  Invalidate();
  for (TControl* c : controls_) c->ParentFontChanged();
}

bool TWinControl::BroadcastDialogChar(wchar_t ch) {
  for (TControl* c : controls_) {
    if (!c->Visible()) continue;
    if (c->DialogChar(ch)) return true;
    if (c->IsWindowed() && static_cast<TWinControl*>(c)->BroadcastDialogChar(ch)) return true;
  }
  return false;
}

void TWinControl::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
}

void TWinControl::PaintTo(HDC target, const TRect& dirty) {
  // Everything is drawn off screen and copied in one go, so nothing flickers.
  MemoryCanvasDC buffer(target, dirty);
  HDC mem = buffer.Get();
  IntersectClipRect(mem, dirty.Left, dirty.Top, dirty.Right, dirty.Bottom);
  {
    TCanvas canvas(mem);
    canvas.Font.Assign(Font());
    PaintWindow(canvas);
  }
  UniqueRegion clip;
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    const TRect b = c->BoundsRect();
    if (b.Right <= dirty.Left || b.Left >= dirty.Right || b.Bottom <= dirty.Top || b.Top >= dirty.Bottom) continue;
    // The area may be the bounds of several invalidated pieces: a child between them that the
    // target's clipping leaves out is not drawn.
    const RECT inTarget = ToRECT(b);
    if (!RectVisible(target, &inTarget)) continue;
    // The child's clipping and origin are set outright rather than saved and restored with the
    // DC: a restore selects the font again, which costs the X11 driver under Wine (see TCanvas).
    const int left = std::max(b.Left, dirty.Left) - dirty.Left, top = std::max(b.Top, dirty.Top) - dirty.Top;
    const int right = std::min(b.Right, dirty.Right) - dirty.Left, bottom = std::min(b.Bottom, dirty.Bottom) - dirty.Top;
    if (clip) SetRectRgn(clip.Get(), left, top, right, bottom);
    else clip.Reset(CreateRectRgn(left, top, right, bottom));
    SelectClipRgn(mem, clip.Get());
    SetViewportOrgEx(mem, b.Left - dirty.Left, b.Top - dirty.Top, nullptr);
    TCanvas canvas(mem);
    canvas.Font.Assign(c->Font());
    c->Paint(canvas);
    if (c == keyboard_child_ && Focused()) canvas.DrawFocusRect({1, 1, b.Width() - 1, b.Height() - 1});
  }
  SetViewportOrgEx(mem, -dirty.Left, -dirty.Top, nullptr);
  BitBlt(target, dirty.Left, dirty.Top, dirty.Width(), dirty.Height(), mem, dirty.Left, dirty.Top, SRCCOPY);
}

void TWinControl::PaintMessage() {
  const PaintScope paint(hwnd_);
  PaintTo(paint.Get(), paint.Dirty());
}
