#include "toolkit/win/Forms.h"

#include <utility>
#include <vector>

#include "toolkit/Exception.h"
#include "toolkit/ScopeExit.h"
#include "toolkit/win/Dpi.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WindowObject.h"

TFormHost& FormHost() {
  static TFormHost host;
  return host;
}


TForm* FormOfWindow(HWND hwnd) {
  for (HWND h = hwnd; h; h = GetParent(h)) {
    if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) {
      return dynamic_cast<TForm*>(ObjectOf<TWinControl>(h));
    }
  }
  return nullptr;
}

namespace {
HWND HostWindow() { return FormHost().OwnerWindow ? FormHost().OwnerWindow() : nullptr; }
}  // namespace

HWND DialogOwner() {
  const HWND host = HostWindow();
  const HWND active = GetActiveWindow();
  if (active && active != host && IsWindowVisible(active)) return active;
  const HWND main = FormHost().MainWindow ? FormHost().MainWindow() : nullptr;
  return main && IsWindowVisible(main) ? main : host;
}

bool StaysOnTop(HWND hwnd) { return hwnd && (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST); }

HWND ShownDialog() {
  struct Search {
    HWND host, found;
  } search{HostWindow(), nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (h == s->host || !IsWindowVisible(h) || !IsWindowEnabled(h) ||
            (GetWindowLongW(h, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
          return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  visible_ = false;
  SetParentColor(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  width_ = 320;
  height_ = 240;
}

TForm::~TForm() {
  // Children go first (they are owned), then the window; DestroyHandle runs in the base.
}

void TForm::CreateParams(TCreateParams& p) {
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  const bool system_menu = border_icons_ & biSystemMenu;
  switch (border_style_) {
    case TBorderStyle::bsNone:
      p.Style |= WS_POPUP;
      break;
    case TBorderStyle::bsSingle:
      p.Style |= WS_CAPTION | WS_BORDER;
      if (border_icons_ & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (border_icons_ & biMaximize) p.Style |= WS_MAXIMIZEBOX;
      break;
    case TBorderStyle::bsSizeable:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      if (border_icons_ & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (border_icons_ & biMaximize) p.Style |= WS_MAXIMIZEBOX;
      break;
    case TBorderStyle::bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case TBorderStyle::bsToolWindow:
      p.Style |= WS_CAPTION;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (system_menu && border_style_ != TBorderStyle::bsNone) p.Style |= WS_SYSMENU;
  if (form_style_ == TFormStyle::fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  p.Parent = HostWindow();
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
}

void TForm::Restyle() {
  if (!hwnd_) return;
  TCreateParams p;
  CreateParams(p);
  const DWORD keep = GetWindowLongW(hwnd_, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE);
  SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(p.Style | keep));
  const DWORD ex_keep = GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST;
  SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>((p.ExStyle & ~WS_EX_TOPMOST) | ex_keep));
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetBorderStyle(TBorderStyle s) {
  if (s == border_style_) return;
  border_style_ = s;
  Restyle();
}

void TForm::SetBorderIcons(uint8_t icons) {
  if (icons == border_icons_) return;
  border_icons_ = icons;
  Restyle();
}

void TForm::SetFormStyle(TFormStyle s) {
  if (s == form_style_) return;
  form_style_ = s;
  if (!hwnd_) return;
  if (s == TFormStyle::fsStayOnTop) {
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  SetOwnerAndTopmost(GetWindow(hwnd_, GW_OWNER), false);
}

void TForm::SetOwnerAndTopmost(HWND owner, bool topmost) {
  // Wine keeps an owned window top-most whatever it is told; released from its owner for the
  // moment of the change, it takes it (Windows takes it either way).
  if (GetWindow(hwnd_, GW_OWNER)) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, 0);
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (owner) SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

SIZE TForm::FrameExtra(int dpi) const {
  TCreateParams p;
  const_cast<TForm*>(this)->CreateParams(p);
  return FrameExtraForDpi(p.Style, p.ExStyle, dpi);
}

void TForm::SetClientSize(int width, int height) {
  const SIZE extra = FrameExtra(Dpi());
  SetBounds(left_, top_, width + extra.cx, height + extra.cy);
}

TRect TForm::ClientRect() const {
  if (hwnd_) {
    RECT r;
    GetClientRect(hwnd_, &r);
    return ToTRect(r);
  }
  const SIZE extra = FrameExtra(Dpi());
  return {0, 0, width_ - extra.cx, height_ - extra.cy};
}

// A form keeps its place on the screen; its client area is what the layout scales.
void TForm::ScaleBounds(int oldDpi) {
  const SIZE oldExtra = hwnd_ ? SIZE{width_ - ClientWidth(), height_ - ClientHeight()} : FrameExtra(oldDpi);
  SetClientSize(RescaleForDpi(width_ - oldExtra.cx, oldDpi, Dpi()), RescaleForDpi(height_ - oldExtra.cy, oldDpi, Dpi()));
}

void TForm::SetBounds(int left, int top, int width, int height) {
  // A size of the window's own in between would be judged again by the system: at the old place
  // it may put the window back on the old monitor, and the DPI changes once more.
  if (awaiting_suggested_) return;
  TWinControl::SetBounds(left, top, width, height);
}

void TForm::DpiChanged(int newDpi, const RECT& suggested) {
  // Laid out anew in one go, then drawn once: nothing half-scaled reaches the screen.
  const bool drawing = hwnd_ && IsWindowVisible(hwnd_);
  if (drawing) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  awaiting_suggested_ = true;
  {
    const ScopeExit done([this] { awaiting_suggested_ = false; });
    ChangeScale(newDpi);
  }
  SetBounds(suggested.left, suggested.top, suggested.right - suggested.left, suggested.bottom - suggested.top);
  if (drawing) {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

void TForm::SetWindowRegion(HRGN region, bool redraw) {
  if (Handle()) SetWindowRgn(hwnd_, region, redraw);
  else if (region) DeleteObject(region);
}

void TForm::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
}

void TForm::FinishCreate() {
  LoadedAll();
  ChangeScale(MonitorDpiAt({left_, top_}));
  // The native windows wait until the form is shown or its handle is asked for: most runs never
  // open most forms.
  if (OnCreate) OnCreate(this);
}

void TForm::PlaceOnScreen() {
  if (position_ != TPosition::poScreenCenter) return;
  // In the middle of the main window's monitor (its work area): with two monitors a dialog comes
  // up where the note is, not on the primary one.
  const HWND main = FormHost().MainWindow ? FormHost().MainWindow() : nullptr;
  const HMONITOR monitor = main && main != hwnd_ ? MonitorFromWindow(main, MONITOR_DEFAULTTOPRIMARY)
                                                 : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(monitor, &info)) area = info.rcWork;
  SetBounds(area.left + (area.right - area.left - width_) / 2, area.top + (area.bottom - area.top - height_) / 2,
            width_, height_);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::Show() {
  Handle();
  if (!visible_) {
    PlaceOnScreen();
    visible_ = true;
    DoShow();
  }
  ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
  BringToFront();
}

void TForm::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
  DoHide();
}

void TForm::BringToFront() {
  // A window with none above it is at the front already: raising it would change nothing, at the
  // cost of a round of position messages (a few milliseconds of every start under Wine).
  if (hwnd_ && GetWindow(hwnd_, GW_HWNDPREV)) SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool TForm::Active() const { return hwnd_ && GetActiveWindow() == hwnd_; }

namespace {
bool IsWithin(const TWinControl& parent, const TControl* control) {
  for (const TControl* c : parent.Controls())
    if (c == control || (c->IsWindowed() && IsWithin(*static_cast<const TWinControl*>(c), control))) return true;
  return false;
}
}  // namespace

void TForm::CreateHandle() {
  TWinControl::CreateHandle();
  // The form was laid out for the monitor at its first place; its window may have been put on
  // another one since (a saved place on a second monitor). Once, before it is first shown.
  if (hwnd_)
    if (const int dpi = WindowDpi(hwnd_); dpi != Dpi()) ChangeScale(dpi);
  TWinControl* pending = std::exchange(pending_active_, nullptr);
  if (hwnd_ && pending && IsWithin(*this, pending)) active_control_ = pending->Handle();
}

void TForm::SetActiveControl(TWinControl* control) {
  // Asking the control for its window now would make the whole form's windows before they are
  // needed.
  pending_active_ = hwnd_ ? nullptr : control;
  if (pending_active_) return;
  active_control_ = control ? control->Handle() : nullptr;
  if (active_control_ && Active()) ::SetFocus(active_control_);
}

void TForm::Close() {
  if (modal_) {
    modal_result_ = mrCancel;
    return;
  }
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  if (!can_close) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  if (FormHost().EndIfMainForm && FormHost().EndIfMainForm(this)) return;
  if (action == TCloseAction::caMinimize && hwnd_) ShowWindow(hwnd_, SW_MINIMIZE);
  else Hide();
}

int TForm::ShowModal() {
  if (modal_ || visible_) throw Exception("Cannot make a visible window modal");
  const HWND owner = DialogOwner();
  Handle();
  // Above the window it was opened from, even one that stays on top; hidden again, it depends
  // on that window no longer (an owner takes its owned windows with it when it goes).
  SetOwnerAndTopmost(owner, form_style_ == TFormStyle::fsStayOnTop || StaysOnTop(owner));
  const ScopeExit released([this] {
    if (hwnd_) SetOwnerAndTopmost(HostWindow(), form_style_ == TFormStyle::fsStayOnTop);
  });
  // Every other window of the program is disabled while the dialog runs.
  std::vector<HWND> disabled;
  std::pair<HWND, std::vector<HWND>*> enumeration(hwnd_, &disabled);
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL {
        auto* list = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(lp);
        if (h != list->first && IsWindowVisible(h) && IsWindowEnabled(h)) list->second->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&enumeration));
  for (HWND h : disabled) EnableWindow(h, FALSE);
  HWND previous = GetActiveWindow();
  modal_ = true;
  modal_result_ = mrNone;
  int result = mrNone;
  {
    const ScopeExit restore([&] {
      for (HWND h : disabled) EnableWindow(h, TRUE);
      modal_ = false;
      Hide();
    });
    Show();
    while (modal_result_ == mrNone) {
      if (!FormHost().RunLoopOnce()) {
        PostQuitMessage(0);  // leave WM_QUIT for the outer loop
        break;
      }
    }
    result = modal_result_;  // before hiding: OnHide may set another
  }
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return result;
}

void TForm::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TForm::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

namespace {
TActivationWatch* activation_watch = nullptr;  // not owned
}  // namespace

void SetActivationWatch(TActivationWatch* watch) { activation_watch = watch; }

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_TIMER:
      if (activation_watch && activation_watch->Tick(hwnd_, m.WParam, visible_ && !Active())) return;
      break;
    case WM_DPICHANGED:
      DpiChanged(LOWORD(m.WParam), *reinterpret_cast<const RECT*>(m.LParam));
      return;
    case WM_PAINT:
      TWinControl::WndProc(m);
      if (FormHost().MainFormPainted && FormHost().MainWindow && FormHost().MainWindow() == hwnd_)
        FormHost().MainFormPainted();
      return;
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of a new theme: the system controls inside are told here.
      // Everything of ours resolves its colours when it paints, so a repaint is all it takes.
      EnumChildWindows(
          hwnd_,
          [](HWND child, LPARAM) -> BOOL {
            SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
            return TRUE;
          },
          0);
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
      break;
    case WM_SETFOCUS:
      // The window manager hands the keyboard to the form's window: it goes on to the control
      // that holds it in the form, unless a windowless control of the form itself has it.
      TWinControl::WndProc(m);
      if (!KeyboardChild() && active_control_ && IsChild(hwnd_, active_control_) && IsWindowVisible(active_control_) &&
          IsWindowEnabled(active_control_))
        ::SetFocus(active_control_);
      return;
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) == WA_INACTIVE) {
        // The focus is still where the user left it; give it back on the next activation.
        if (HWND focus = GetFocus(); focus && IsChild(hwnd_, focus)) active_control_ = focus;
        else if (focus == hwnd_) active_control_ = nullptr;  // the form itself, or a windowless control on it
      }
      DefaultHandler(m);
      if (LOWORD(m.WParam) == WA_INACTIVE) {
        Deactivate();
        if (visible_ && activation_watch) activation_watch->Deactivated(hwnd_);
      } else {
        if (!HIWORD(m.WParam) && active_control_ && IsChild(hwnd_, active_control_) &&
            IsWindowVisible(active_control_) && IsWindowEnabled(active_control_))
          ::SetFocus(active_control_);
        if (!HIWORD(m.WParam) && (GetFocus() == nullptr || FormOfWindow(GetFocus()) != this)) ::SetFocus(hwnd_);
        if (activation_watch) activation_watch->Activated(hwnd_);
        Activate();
      }
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}
