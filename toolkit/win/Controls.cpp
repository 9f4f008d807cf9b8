#include "toolkit/win/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "toolkit/win/Application.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/Screen.h"
#include "toolkit/win/Text.h"

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

void TControl::Invalidate() {
  if (parent_ && visible_) parent_->InvalidateArea(BoundsRect());
}

void TControl::Repaint() {
  Invalidate();
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

// ============================================================================ TWinControl

std::function<void(TWinControl*, const TRect&)> TWinControl::InvalidateSpy;

namespace {
constexpr wchar_t kWindowClass[] = L"ZettlyWindow";
constexpr wchar_t kObjectProp[] = L"ZettlyObject";

TWinControl* FromHandle(HWND hwnd) { return static_cast<TWinControl*>(GetPropW(hwnd, kObjectProp)); }

void EnsureWindowClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ZettlyWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);
  registered = true;
}

// Runs one message through an object's window procedure; no exception leaves it.
LRESULT Dispatch(TWinControl* obj, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp};
  try {
    obj->WndProc(m);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  }
  (void)hwnd;
  return m.Result;
}
}  // namespace

LRESULT CALLBACK ZettlyWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* obj = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetPropW(hwnd, kObjectProp, obj);
    obj->hwnd_ = hwnd;
  }
  TWinControl* obj = FromHandle(hwnd);
  if (!obj) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT r = Dispatch(obj, hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemovePropW(hwnd, kObjectProp);
    obj->hwnd_ = nullptr;
  }
  return r;
}

LRESULT CALLBACK ZettlyNativeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto* obj = reinterpret_cast<TWinControl*>(ref);
  const LRESULT r = Dispatch(obj, hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ZettlyNativeProc, 1);
    RemovePropW(hwnd, kObjectProp);
    obj->hwnd_ = nullptr;
  }
  return r;
}

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
  return {0, 0, r.right, r.bottom};
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
  if (tab_stop_) p.Style |= WS_TABSTOP;
}

void TWinControl::CreateHandle() {
  if (hwnd_) return;
  TCreateParams p;
  CreateParams(p);
  if (hwnd_) return;  // making the parent's window made ours too
  if ((p.Style & WS_CHILD) && !p.Parent) return;  // a child has nowhere to live until it has a parent
  const std::wstring caption = W(Caption());
  if (p.ClassName.empty()) {
    EnsureWindowClass();
    CreateWindowExW(p.ExStyle, kWindowClass, caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height, p.Parent,
                    nullptr, GetModuleHandleW(nullptr), this);
  } else {
    HWND h = CreateWindowExW(p.ExStyle, p.ClassName.c_str(), caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.Parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (h) {
      hwnd_ = h;
      native_ = true;
      SetPropW(h, kObjectProp, this);
      SetWindowSubclass(h, ZettlyNativeProc, 1, reinterpret_cast<DWORD_PTR>(this));
      SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    }
  }
  if (!hwnd_) return;
  HandleCreated();
  for (TControl* c : controls_)
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->CreateHandle();
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
  if (InvalidateSpy) InvalidateSpy(this, r);
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  InvalidateRect(hwnd_, &rc, FALSE);
}

void TWinControl::InsertControl(TControl* c) { controls_.push_back(c); }

void TWinControl::RemoveControl(TControl* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  if (capture_ == c) capture_ = nullptr;
  if (mouse_control_ == c) mouse_control_ = nullptr;
  if (hint_control_ == c) hint_control_ = nullptr;
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

void TWinControl::CaptionChanged() {
  if (hwnd_) SetWindowTextW(hwnd_, W(Caption()).c_str());
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

void TWinControl::DefaultHandler(TMessage& m) {
  if (!hwnd_) return;
  m.Result = native_ ? DefSubclassProc(hwnd_, m.Msg, m.WParam, m.LParam)
                     : DefWindowProcW(hwnd_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
}

void TWinControl::PaintTo(HDC target, const TRect& dirty) {
  const TRect client = ClientRect();
  // Everything is drawn off screen and copied in one go, so nothing flickers.
  MemoryCanvasDC buffer(target, client.Right, client.Bottom);
  HDC mem = buffer.Get();
  IntersectClipRect(mem, dirty.Left, dirty.Top, dirty.Right, dirty.Bottom);
  {
    TCanvas canvas(mem);
    canvas.Font.Assign(Font());
    PaintWindow(canvas);
  }
  for (TControl* c : controls_) {
    if (c->IsWindowed() || !c->Visible()) continue;
    const TRect b = c->BoundsRect();
    if (b.Right <= dirty.Left || b.Left >= dirty.Right || b.Bottom <= dirty.Top || b.Top >= dirty.Bottom) continue;
    const int saved = SaveDC(mem);
    SetViewportOrgEx(mem, b.Left, b.Top, nullptr);
    IntersectClipRect(mem, 0, 0, b.Width(), b.Height());
    {
      TCanvas canvas(mem);
      canvas.Font.Assign(c->Font());
      c->Paint(canvas);
    }
    RestoreDC(mem, saved);
  }
  BitBlt(target, dirty.Left, dirty.Top, dirty.Width(), dirty.Height(), mem, dirty.Left, dirty.Top, SRCCOPY);
}

void TWinControl::PaintMessage() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  PaintTo(dc, {ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
  EndPaint(hwnd_, &ps);
}

void TWinControl::SetMouseControl(TControl* c) {
  if (c == mouse_control_) return;
  TControl* old = mouse_control_;
  mouse_control_ = c;
  if (old) old->MouseLeave();
  if (c) c->MouseEnter();
  UpdateHint(c);
}

void TWinControl::UpdateHint(TControl* c) {
  if (c == hint_control_) return;
  hint_control_ = c;
  if (!tooltip_ && c && c->ShowHint() && !c->Hint().empty()) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  if (tooltip_) SendMessageW(tooltip_, TTM_POP, 0, 0);
}

bool TWinControl::SetCursorMessage(TMessage& m) {
  if (LOWORD(m.LParam) != HTCLIENT || reinterpret_cast<HWND>(m.WParam) != hwnd_) return false;
  int cursor = Screen->Cursor();
  if (cursor == crDefault) {
    POINT p = Sys().CursorPos();
    ::ScreenToClient(hwnd_, &p);
    TControl* c = ControlAtPos({p.x, p.y});
    cursor = c ? c->Cursor() : Cursor();
  }
  if (cursor == crDefault) return false;
  ::SetCursor(Screen->Cursors(cursor));
  m.Result = TRUE;
  return true;
}

void TWinControl::RouteMouse(TMessage& m) {
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  const TShiftState shift = ShiftFromKeys(m.WParam);
  TControl* at = ControlAtPos(p);
  if (at && !at->Enabled()) at = nullptr;
  TControl* over = at ? at : this;
  auto local = [&p](TControl* c) {
    return c->IsWindowed() ? p : TPoint{p.X - c->Left(), p.Y - c->Top()};
  };
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      if (!tracking_leave_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
        tracking_leave_ = TrackMouseEvent(&t) != FALSE;
      }
      SetMouseControl(over);
      TControl* target = capture_ ? capture_ : over;
      const TPoint q = local(target);
      target->MouseMove(shift, q.X, q.Y);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      const TMouseButton button = (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) ? TMouseButton::mbLeft
                                  : (m.Msg == WM_RBUTTONDOWN || m.Msg == WM_RBUTTONDBLCLK) ? TMouseButton::mbRight
                                                                                           : TMouseButton::mbMiddle;
      SetMouseControl(over);  // a press tells where the pointer is, moved or not
      TShiftState s = shift;
      if (m.Msg == WM_LBUTTONDBLCLK) {
        over->DblClick();
        s += TShift::Double;
        ignore_next_click_ = true;
      }
      if (button == TMouseButton::mbLeft) {
        if (!native_) SetCapture(hwnd_);  // a system control takes the mouse itself
        capture_ = over;
        capture_button_ = button;
      }
      const TPoint q = local(over);
      over->MouseDown(button, s, q.X, q.Y);
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const TMouseButton button = m.Msg == WM_LBUTTONUP   ? TMouseButton::mbLeft
                                  : m.Msg == WM_RBUTTONUP ? TMouseButton::mbRight
                                                          : TMouseButton::mbMiddle;
      TControl* target = over;
      bool click = false;
      if (button == TMouseButton::mbLeft) {
        if (capture_) target = capture_;
        const TPoint q = local(target);
        // A system control reports its own clicks (BN_CLICKED...), so none is made up for it here.
        click = !native_ && capture_ == target && !ignore_next_click_ && q.X >= 0 && q.Y >= 0 && q.X < target->Width() &&
                q.Y < target->Height();
        capture_ = nullptr;
        ignore_next_click_ = false;
        if (!native_ && GetCapture() == hwnd_) ReleaseCapture();
      }
      const TPoint q = local(target);
      if (click) target->Click();
      target->MouseUp(button, shift, q.X, q.Y);
      break;
    }
    default:
      break;
  }
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (native_) break;
      PaintMessage();
      return;
    case WM_ERASEBKGND:
      if (native_) break;
      m.Result = 1;
      return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      RouteMouse(m);
      // The default handling of a right button's release is what raises WM_CONTEXTMENU.
      if (native_ || m.Msg == WM_RBUTTONUP) break;
      return;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      SetMouseControl(nullptr);
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(m.LParam) != hwnd_) capture_ = nullptr;
      break;
    case WM_SETCURSOR:
      if (SetCursorMessage(m)) return;
      break;
    case WM_CONTEXTMENU: {
      POINT sp{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (sp.x == -1 && sp.y == -1) GetCursorPos(&sp);
      POINT cp = sp;
      ::ScreenToClient(hwnd_, &cp);
      TControl* c = ControlAtPos({cp.x, cp.y});
      if (!c) c = this;
      for (TControl* k = c; k; k = k->Parent()) {
        if (TPopupMenu* menu = k->PopupMenu(); menu && menu->AutoPopup()) {
          menu->SetPopupComponent(c);
          menu->Popup(sp.x, sp.y);
          return;
        }
      }
      break;
    }
    case WM_COMMAND:
      if (m.LParam) {
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
          child->CommandNotify(HIWORD(m.WParam));
          return;
        }
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this &&
          child->ParentAsks(m))
        return;
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (item->CtlType == ODT_MENU) break;
      if (TWinControl* child = FromHandle(item->hwndItem); child && child != this && child->ParentAsks(m)) return;
      break;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (hdr->code == TTN_GETDISPINFOW && hdr->hwndFrom == tooltip_) {
        static std::wstring text;  // must outlive this message
        TControl* c = hint_control_;
        text = (c && c->ShowHint()) ? W(c->Hint()) : std::wstring();
        reinterpret_cast<NMTTDISPINFOW*>(m.LParam)->lpszText = text.data();
        return;
      }
      if (TWinControl* child = FromHandle(hdr->hwndFrom); child && child != this) {
        m.Result = child->Notify(hdr);
        return;
      }
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (!(wp->flags & SWP_NOSIZE) && (wp->cx != width_ || wp->cy != height_)) {
        width_ = wp->cx;
        height_ = wp->cy;
        Resize();
      }
      if (!(wp->flags & SWP_NOMOVE)) {
        left_ = wp->x;
        top_ = wp->y;
      }
      break;
    }
    default:
      break;
  }
  DefaultHandler(m);
}
