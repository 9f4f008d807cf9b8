#include "toolkit/win/Accessible.h"

#include <oleacc.h>

#include <algorithm>
#include <exception>
#include <map>
#include <unordered_set>

#include "toolkit/AccessibleText.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Buttons.h"
#include "toolkit/win/ExtCtrls.h"
#include "toolkit/win/StdCtrls.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WindowObject.h"

namespace {

// --- the libraries, loaded with the first client: a program nobody reads pays nothing ---------

template <typename F>
F Entry(HMODULE lib, const char* name) {
  return lib ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(lib, name))) : nullptr;
}

struct OleAccess {
  LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
  BSTR(WINAPI* SysAllocString)(const OLECHAR*) = nullptr;
  HRESULT(WINAPI* CoInitializeEx)(LPVOID, DWORD) = nullptr;

  OleAccess() {
    HMODULE acc = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    HMODULE aut = LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    HMODULE com = LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    LresultFromObject = Entry<decltype(LresultFromObject)>(acc, "LresultFromObject");
    CreateStdAccessibleObject = Entry<decltype(CreateStdAccessibleObject)>(acc, "CreateStdAccessibleObject");
    SysAllocString = Entry<decltype(SysAllocString)>(aut, "SysAllocString");
    CoInitializeEx = Entry<decltype(CoInitializeEx)>(com, "CoInitializeEx");
  }
  bool Ready() const { return LresultFromObject && CreateStdAccessibleObject && SysAllocString && CoInitializeEx; }
};

OleAccess& Ole() {
  static OleAccess ole;  // the DLLs stay loaded for the rest of the run
  return ole;
}

// Windows a client has asked for: only they raise events.
std::unordered_set<HWND>& Listened() {
  static auto* windows = new std::unordered_set<HWND>;
  return *windows;
}

// The window's link to its object goes with the window, so an object a client still holds never
// reaches a freed control.
TWinControl* LiveControl(HWND hwnd, TWinControl* control) {
  return IsWindow(hwnd) && ObjectOf<TWinControl>(hwnd) == control ? control : nullptr;
}

// A system control (edit box, tab control...) has its own object.
bool IsSystemControl(TControl* c) {
  auto* w = dynamic_cast<TWinControl*>(c);
  return w && w->IsNative();
}

// Containers of ours (panels, pages) are layout: their controls stand in their place. A system
// control is listed, and what we put inside it (the pages of a page control) after it, since its
// own object knows nothing of our windowless controls.
void AppendControls(const TWinControl& window, std::vector<TControl*>& out) {
  for (TControl* c : window.Controls()) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w) {
      out.push_back(c);
      continue;
    }
    const TAccessibleRole role = DescribeControl(*c).Role;
    const bool system = IsSystemControl(c);
    const bool container = !system && w->ControlCount() > 0 &&
                           (role == TAccessibleRole::Grouping || role == TAccessibleRole::Client);
    if (!container) out.push_back(c);
    if (container || system) AppendControls(*w, out);
  }
}

LONG RoleCode(TAccessibleRole role) {
  switch (role) {
    case TAccessibleRole::Grouping: return ROLE_SYSTEM_GROUPING;
    case TAccessibleRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case TAccessibleRole::StaticText: return ROLE_SYSTEM_STATICTEXT;
    case TAccessibleRole::Link: return ROLE_SYSTEM_LINK;
    case TAccessibleRole::Graphic: return ROLE_SYSTEM_GRAPHIC;
    case TAccessibleRole::Client: break;
  }
  return ROLE_SYSTEM_CLIENT;
}

LONG StateCode(const TControl& c, const TAccessibleInfo& info) {
  LONG state = 0;
  if (!c.Visible()) state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
  else if (!c.Showing()) state |= STATE_SYSTEM_INVISIBLE;
  if (!c.Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
  if (info.Pressed) state |= STATE_SYSTEM_PRESSED;
  if (info.Role == TAccessibleRole::Link) state |= STATE_SYSTEM_LINKED;
  if (auto* w = dynamic_cast<const TWinControl*>(&c)) {
    if (w->TabStop()) state |= STATE_SYSTEM_FOCUSABLE;
    if (w->HandleAllocated() && GetFocus() == const_cast<TWinControl*>(w)->Handle()) state |= STATE_SYSTEM_FOCUSED;
  }
  return state;
}

HRESULT Text(const std::string& text, BSTR* out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = Ole().SysAllocString(ToWide(text).c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetI4(VARIANT* v, LONG value) {
  v->vt = VT_I4;
  v->lVal = value;
}

// --- the default action: run from the message loop, never inside the client's call -----------

struct PendingClick {
  HWND hwnd;
  TWinControl* window;  // not owned, as the control: both checked before use
  TControl* target;
};

constexpr UINT kRunClick = WM_APP + 1;

std::map<WPARAM, PendingClick>& PendingClicks() {
  static auto* pending = new std::map<WPARAM, PendingClick>;
  return *pending;
}

void RunPendingClick(WPARAM id) {
  const auto found = PendingClicks().find(id);
  if (found == PendingClicks().end()) return;
  const PendingClick click = found->second;
  PendingClicks().erase(found);
  // Still there, and still one of the window's controls: the pointer may be followed.
  TWinControl* live = LiveControl(click.hwnd, click.window);
  if (!live) return;
  const std::vector<TControl*> controls = AccessibleControls(*live);
  if (std::find(controls.begin(), controls.end(), click.target) == controls.end()) return;
  try {
    click.target->Click();
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  }
}

LRESULT CALLBACK ActionWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != kRunClick) return DefWindowProcW(hwnd, msg, wp, lp);
  RunPendingClick(wp);
  return 0;
}

// A message-only window that takes the clicks to the message loop; it lives for the run.
HWND ActionWindow() {
  static const HWND window = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ActionWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZettlyAccessibleActions";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }();
  return window;
}

// --- the accessible object of one window ------------------------------------------------------

class TAccessibleObject final : public IAccessible {
 public:
  TAccessibleObject(TWinControl& window, HWND hwnd) : window_(&window), hwnd_(hwnd) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // Clients call IAccessible directly; there is no type library behind IDispatch.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    if (n) *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!Live()) return RPC_E_DISCONNECTED;
    return Ole().CreateStdAccessibleObject(hwnd_, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(out));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    TWinControl* w = Live();
    if (!w) return RPC_E_DISCONNECTED;
    *count = static_cast<long>(AccessibleControls(*w).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    TControl* c = nullptr;
    if (const HRESULT hr = Resolve(child, c); FAILED(hr)) return hr;
    if (!c) return E_INVALIDARG;
    // A system control answers for itself; ours are simple elements of this object.
    if (!IsSystemControl(c)) return S_FALSE;
    return Ole().CreateStdAccessibleObject(static_cast<TWinControl*>(c)->Handle(), OBJID_WINDOW, IID_IDispatch,
                                           reinterpret_cast<void**>(out));
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) { return Text(info.Name, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* out) override {
    if (out) *out = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) { return Text(info.Description, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) {
      SetI4(out, RoleCode(info.Role));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    return WithInfo(child, [&](const TControl& c, const TAccessibleInfo& info) {
      SetI4(out, StateCode(c, info));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
    if (out) *out = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) { return Text(info.Shortcut, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    if (!Live()) return RPC_E_DISCONNECTED;
    if (GetFocus() != hwnd_) return S_FALSE;
    SetI4(out, CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) {
      return Text(info.Clickable ? "Click" : "", out);
    });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    if (!x || !y || !w || !h) return E_POINTER;
    TControl* c = nullptr;
    if (const HRESULT hr = Resolve(child, c); FAILED(hr)) return hr;
    const TRect r = ScreenRect(c);
    *x = r.Left;
    *y = r.Top;
    *w = r.Width();
    *h = r.Height();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    TControl* c = nullptr;
    if (const HRESULT hr = Resolve(start, c); FAILED(hr)) return hr;
    const long count = static_cast<long>(AccessibleControls(*window_).size());
    long to = 0;
    if (!c && direction == NAVDIR_FIRSTCHILD) to = 1;
    else if (!c && direction == NAVDIR_LASTCHILD) to = count;
    else if (c && direction == NAVDIR_NEXT) to = start.lVal + 1;
    else if (c && direction == NAVDIR_PREVIOUS) to = start.lVal - 1;
    else if (!c) return S_FALSE;  // the window's own neighbours are the system's to tell
    else return DISP_E_MEMBERNOTFOUND;
    if (to < 1 || to > count) return S_FALSE;
    SetI4(out, to);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    TWinControl* w = Live();
    if (!w) return RPC_E_DISCONNECTED;
    const TPoint p{static_cast<int>(x), static_cast<int>(y)};
    if (!ScreenRect(nullptr).Contains(p)) return S_FALSE;
    const std::vector<TControl*> controls = AccessibleControls(*w);
    for (size_t i = controls.size(); i-- > 0;) {  // topmost first
      if (controls[i]->Showing() && ScreenRect(controls[i]).Contains(p)) {
        SetI4(out, static_cast<LONG>(i + 1));
        return S_OK;
      }
    }
    SetI4(out, CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    TControl* c = nullptr;
    if (const HRESULT hr = Resolve(child, c); FAILED(hr)) return hr;
    if (!c || !DescribeControl(*c).Clickable) return DISP_E_MEMBERNOTFOUND;
    if (!c->Showing() || !c->Enabled()) return E_FAIL;
    static WPARAM last_id = 0;
    const WPARAM id = ++last_id;
    if (!ActionWindow() || !PostMessageW(ActionWindow(), kRunClick, id, 0)) return E_FAIL;
    PendingClicks()[id] = {hwnd_, window_, c};
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~TAccessibleObject() = default;

  TWinControl* Live() const { return LiveControl(hwnd_, window_); }

  // The control a child id names: nullptr for the window itself.
  HRESULT Resolve(const VARIANT& child, TControl*& c) const {
    c = nullptr;
    TWinControl* w = Live();
    if (!w) return RPC_E_DISCONNECTED;
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return S_OK;
    const std::vector<TControl*> controls = AccessibleControls(*w);
    if (child.lVal < 1 || static_cast<size_t>(child.lVal) > controls.size()) return E_INVALIDARG;
    c = controls[static_cast<size_t>(child.lVal - 1)];
    return S_OK;
  }

  template <typename F>
  HRESULT WithInfo(const VARIANT& child, F answer) const {
    TControl* c = nullptr;
    if (const HRESULT hr = Resolve(child, c); FAILED(hr)) return hr;
    const TControl& subject = c ? *c : *window_;
    TAccessibleInfo info = DescribeControl(subject);
    if (!c && info.Role == TAccessibleRole::Grouping) info.Role = TAccessibleRole::Client;
    return answer(subject, info);
  }

  // Screen rectangle of a control, or of the window's client area.
  TRect ScreenRect(const TControl* c) const {
    if (!c) {
      RECT r{};
      GetClientRect(hwnd_, &r);
      POINT origin{0, 0};
      ClientToScreen(hwnd_, &origin);
      return Bounds(origin.x, origin.y, r.right, r.bottom);
    }
    const TPoint origin = c->ClientToScreen({0, 0});
    return Bounds(origin.X, origin.Y, c->Width(), c->Height());
  }

  LONG refs_ = 1;
  TWinControl* window_;  // not owned; read only while Live() says it exists
  HWND hwnd_;
};

}  // namespace

TAccessibleInfo DescribeControl(const TControl& c) {
  TAccessibleInfo info;
  const auto* label = dynamic_cast<const TCustomLabel*>(&c);
  const TAccessibleText text = AccessibleTextOf(c.Caption(), c.Hint(), !label || label->ShowAccelChar());
  info.Name = text.Name;
  info.Shortcut = text.Shortcut;
  if (!c.Caption().empty() && !c.Hint().empty()) info.Description = c.Hint();
  if (auto* button = dynamic_cast<const TSpeedButton*>(&c)) {
    info.Role = TAccessibleRole::PushButton;
    info.Pressed = button->Down();
  } else if (label) {
    info.Role = TAccessibleRole::StaticText;
  } else if (dynamic_cast<const TCustomPanel*>(&c) && c.Caption().empty()) {
    info.Role = TAccessibleRole::Grouping;
  } else if (!c.IsWindowed()) {
    // A picture or a drawn button: what it does on a click says what it is.
    info.Role = c.OnClick ? TAccessibleRole::PushButton : TAccessibleRole::Graphic;
  }
  info.Clickable = info.Role == TAccessibleRole::PushButton || info.Role == TAccessibleRole::Link;
  if (auto* self = dynamic_cast<const TAccessibleDescriber*>(&c)) self->DescribeAccessible(c, info);
  if (auto* owner = dynamic_cast<const TAccessibleDescriber*>(c.Owner())) owner->DescribeAccessible(c, info);
  if (info.Role == TAccessibleRole::PushButton || info.Role == TAccessibleRole::Link) info.Clickable = true;
  return info;
}

std::vector<TControl*> AccessibleControls(const TWinControl& window) {
  std::vector<TControl*> out;
  AppendControls(window, out);
  return out;
}

bool AnswerGetObject(TWinControl& window, TMessage& m) {
  if (static_cast<LONG>(m.LParam) != OBJID_CLIENT || !window.HandleAllocated()) return false;
  if (!Ole().Ready()) return false;
  // The answer is marshalled through COM, which this thread may not have needed so far; it
  // stays initialised for the rest of the run.
  static thread_local const bool com = SUCCEEDED(Ole().CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  (void)com;
  const HWND hwnd = window.Handle();
  Listened().insert(hwnd);
  auto* object = new TAccessibleObject(window, hwnd);
  m.Result = Ole().LresultFromObject(__uuidof(IAccessible), m.WParam, object);
  object->Release();  // the result holds its own reference
  return true;
}

void AccessibleNameChanged(const TControl* control) {
  if (Listened().empty() || !control) return;
  for (TWinControl* w = control->Parent(); w; w = w->Parent()) {
    if (!w->HandleAllocated() || !Listened().count(w->Handle())) continue;
    if (!IsWindow(w->Handle())) {
      Listened().erase(w->Handle());
      continue;
    }
    const std::vector<TControl*> controls = AccessibleControls(*w);
    const auto at = std::find(controls.begin(), controls.end(), control);
    if (at == controls.end()) continue;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, w->Handle(), OBJID_CLIENT, static_cast<LONG>(at - controls.begin() + 1));
    return;
  }
}
