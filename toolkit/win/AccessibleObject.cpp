// The accessible object through which a client reads a window of ours and its windowless
// controls, the default action run from the message loop, and the events that tell a listening
// client what changed.
#include "toolkit/win/Accessible.h"

#include <oleacc.h>

#include <algorithm>
#include <exception>
#include <unordered_set>

#include "toolkit/win/Text.h"

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


void SetI4(VARIANT* v, LONG value) {
  v->vt = VT_I4;
  v->lVal = value;
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
    if (!IsSystemControl(*c)) return S_FALSE;
    return Ole().CreateStdAccessibleObject(static_cast<TWinControl*>(c)->Handle(), OBJID_WINDOW, IID_IDispatch,
                                           reinterpret_cast<void**>(out));
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) { return TextAnswer(info.Text.Name, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* out) override {
    if (out) *out = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) { return TextAnswer(info.Text.Description, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) {
      SetI4(out, AccessibleRoleCode(info.Role));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    return WithInfo(child, [&](const TControl& c, const TAccessibleInfo& info) {
      SetI4(out, AccessibleStateCode(c, info));
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
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) { return TextAnswer(info.Text.Shortcut, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    TWinControl* w = Live();
    if (!w) return RPC_E_DISCONNECTED;
    if (GetFocus() != hwnd_) return S_FALSE;
    const std::vector<TControl*> controls = AccessibleControls(*w);
    const auto at = std::find(controls.begin(), controls.end(), w->KeyboardChild());
    SetI4(out, at == controls.end() ? CHILDID_SELF : static_cast<LONG>(at - controls.begin() + 1));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!out) return E_POINTER;
    out->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return WithInfo(child, [&](const TControl&, const TAccessibleInfo& info) {
      return TextAnswer(info.Clickable() ? "Click" : "", out);
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
    if (!c || !DescribeControl(*c).Clickable()) return DISP_E_MEMBERNOTFOUND;
    if (!c->Showing() || !c->Enabled()) return E_FAIL;
    return PostAccessibleClick(hwnd_, *window_, *c) ? S_OK : E_FAIL;
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

// The answer is marshalled through COM, which this thread may not have needed so far; it stays
// initialised for the rest of the run.
bool OleReady() {
  if (!Ole().Ready()) return false;
  static thread_local const bool com = SUCCEEDED(Ole().CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  (void)com;
  return true;
}

// The system's object for `part` (the control's own window or one inside it), completed with
// what the control says of itself.
bool AnswerWithNamedNative(TWinControl& control, HWND part, std::optional<TAccessibleRole> role, TMessage& m) {
  IAccessible* standard = nullptr;
  if (FAILED(Ole().CreateStdAccessibleObject(part, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&standard))) || !standard)
    return false;
  IAccessible* named = NamedNativeObject(control, control.Handle(), standard, role);
  m.Result = Ole().LresultFromObject(__uuidof(IAccessible), m.WParam, named);
  named->Release();
  return true;
}

bool AnswerObjectRequest(TWinControl& window, TMessage& m) {
  if (static_cast<LONG>(m.LParam) != OBJID_CLIENT || !window.HandleAllocated()) return false;
  // A system control answers for itself unless its label or its role has something to add.
  if (window.IsNative()) {
    const TAccessibleInfo info = DescribeControl(window);
    if (info.Text.Name.empty() && info.Role == TAccessibleRole::Client) return false;
  }
  if (!OleReady()) return false;
  const HWND hwnd = window.Handle();
  if (window.IsNative()) return AnswerWithNamedNative(window, hwnd, std::nullopt, m);
  Listened().insert(hwnd);
  auto* object = new TAccessibleObject(window, hwnd);
  m.Result = Ole().LresultFromObject(__uuidof(IAccessible), m.WParam, object);
  object->Release();  // the result holds its own reference
  return true;
}

bool AnswerPartObjectRequest(TWinControl& owner, HWND part, TAccessibleRole role, TMessage& m) {
  if (static_cast<LONG>(m.LParam) != OBJID_CLIENT || !owner.HandleAllocated()) return false;
  return OleReady() && AnswerWithNamedNative(owner, part, role, m);
}

// Raises an event for a control on the innermost window that lists it (and, when asked, only on
// a window a client has read): false when none does.
bool RaiseFor(const TControl& control, DWORD event, bool listenedOnly) {
  for (TWinControl* w = control.Parent(); w; w = w->Parent()) {
    if (!w->HandleAllocated()) continue;
    if (listenedOnly) {
      if (!Listened().count(w->Handle())) continue;
      if (!IsWindow(w->Handle())) {
        Listened().erase(w->Handle());
        continue;
      }
    }
    const std::vector<TControl*> controls = AccessibleControls(*w);
    const auto at = std::find(controls.begin(), controls.end(), &control);
    if (at == controls.end()) continue;
    NotifyWinEvent(event, w->Handle(), OBJID_CLIENT, static_cast<LONG>(at - controls.begin() + 1));
    return true;
  }
  return false;
}

// A name (a note, a count) is told only where a client listens: nothing happens, at no cost,
// while none has asked.
void RaiseNameChange(const TControl& control) {
  if (!Listened().empty()) RaiseFor(control, EVENT_OBJECT_NAMECHANGE, true);
}

void RaiseStateChange(const TControl& control) {
  if (!Listened().empty()) RaiseFor(control, EVENT_OBJECT_STATECHANGE, true);
}

// The system tells of focus moving between windows; between windowless controls, we do. A
// screen reader follows the focus before it reads any window, so this is raised always.
void RaiseFocus(const TControl& control) {
  if (!control.IsWindowed()) RaiseFor(control, EVENT_OBJECT_FOCUS, false);
}

}  // namespace

HRESULT TextAnswer(const std::string& text, BSTR* out) {
  if (!out) return E_INVALIDARG;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = Ole().SysAllocString(ToWide(text).c_str());
  return *out ? S_OK : E_OUTOFMEMORY;
}

void InstallAccessibility() {
  TAccessibilityHooks& hooks = AccessibilityHooks();
  hooks.AnswerGetObject = AnswerObjectRequest;
  hooks.AnswerPartGetObject = AnswerPartObjectRequest;
  hooks.NameChanged = RaiseNameChange;
  hooks.FocusChanged = RaiseFocus;
  hooks.StateChanged = RaiseStateChange;
}

void AnnounceControl(const TControl& control) {
  if (!Listened().empty()) RaiseFor(control, EVENT_SYSTEM_ALERT, true);
}
