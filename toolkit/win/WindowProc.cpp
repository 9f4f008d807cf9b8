// The toolkit's window class and window procedure: the object behind each window is found,
// the message decoded and run through the object's WndProc with no exception escaping, and
// what a child window tells or asks its parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*,
// WM_DRAWITEM) is passed on to the child's own object.
#include "toolkit/win/Controls.h"

#include "toolkit/win/Application.h"
#include "toolkit/win/WindowHooks.h"
#include "toolkit/win/WindowObject.h"

namespace {
constexpr wchar_t kWindowClass[] = L"ZettlyWindow";

// Runs one message through an object's window procedure; no exception leaves it.
LRESULT Dispatch(TWinControl* obj, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp};
  const TApplication::SystemMessage repeating(msg);
  try {
    obj->WndProc(m);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  }
  return m.Result;
}
}  // namespace

const wchar_t* ZettlyWindowClass() {
  static bool registered = false;
  if (!registered) {
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
  return kWindowClass;
}

LRESULT CALLBACK ZettlyWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    AttachObject(hwnd, created);
    created->hwnd_ = hwnd;
  }
  TWinControl* obj = ObjectOf<TWinControl>(hwnd);
  if (!obj) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT r = Dispatch(obj, msg, wp, lp);
  if (msg == WM_NCDESTROY) {  // late messages find no object, and the object no window
    DetachObject(hwnd);
    obj->hwnd_ = nullptr;
  }
  return r;
}

// A system control hooked into the same path; its object is found the same way.
LRESULT CALLBACK ZettlyNativeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  TWinControl* obj = ObjectOf<TWinControl>(hwnd);
  if (!obj) return CallNextWindowHook(hwnd, msg, wp, lp);
  const LRESULT r = Dispatch(obj, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemoveWindowHook(hwnd, ZettlyNativeProc, 1);
    DetachObject(hwnd);
    obj->hwnd_ = nullptr;
  }
  return r;
}

void TWinControl::AttachNative(HWND h) {
  hwnd_ = h;
  native_ = true;
  AttachObject(h, this);
  AddWindowHook(h, ZettlyNativeProc, 1, 0);
}

void TWinControl::WndProc(TMessage& m) {
  bool answered = false;
  switch (m.Msg) {
    case WM_PAINT: answered = OnPaint(); break;
    case WM_ERASEBKGND: answered = OnEraseBackground(m); break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
      const TControl::LifeGuard self = Guard();
      answered = OnMouse(m);
      if (!self.Alive()) return;  // a handler destroyed this control: nothing of it may be touched
      break;
    }
    case WM_MOUSELEAVE: OnMouseLeave(); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(m.LParam)); break;
    case WM_CANCELMODE: LosePointer(); break;
    case WM_ENABLE:
      // A modal dialog takes the pointer without a leave: the hover ends here.
      if (!m.WParam) LosePointer();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: OnFocusChanged(m.Msg == WM_SETFOCUS); break;
    case WM_GETOBJECT: answered = OnGetObject(m); break;
    case WM_SETCURSOR: answered = SetCursorMessage(m); break;
    case WM_CONTEXTMENU: answered = OnContextMenu(m); break;
    case WM_COMMAND: answered = OnCommand(m); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: answered = OnChildAsks(reinterpret_cast<HWND>(m.LParam), m); break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      answered = item->CtlType != ODT_MENU && OnChildAsks(item->hwndItem, m);
      break;
    }
    case WM_NOTIFY: answered = OnNotify(m); break;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(m.LParam)); break;
    default: break;
  }
  if (!answered) DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!hwnd_) return;
  m.Result = native_ ? CallNextWindowHook(hwnd_, m.Msg, m.WParam, m.LParam)
                     : DefWindowProcW(hwnd_, m.Msg, m.WParam, m.LParam);
}
