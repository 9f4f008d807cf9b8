// A system control's own accessible object (an edit box, a button) with what the system cannot
// know put in: the name its windowless label gives it, and its role where the system's object
// only knows a client area (Wine's has no role for a rich edit box, an owner-drawn button, a
// tab control or up-down arrows). Everything else is the system's answer.
#include "toolkit/win/Accessible.h"

#include <oleacc.h>

#include <optional>
#include <string>


namespace {

class TNamedNativeObject final : public IAccessible {
 public:
  // Takes over the reference to `standard`. `hwnd` is the control's window; `part`, when given,
  // is the role of the system window inside it that `standard` stands for.
  TNamedNativeObject(IAccessible* standard, HWND hwnd, TWinControl& control, std::optional<TAccessibleRole> part)
      : standard_(standard), hwnd_(hwnd), control_(&control), part_(part) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;  // IEnumVARIANT and the like: the standard object's children are plain ids
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return standard_->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return standard_->GetTypeInfo(i, l, t); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return standard_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                   UINT* a) override {
    return standard_->Invoke(d, r, l, f, p, v, e, a);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    if (!out) return E_POINTER;
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
      if (TWinControl* c = LiveControl(hwnd_, control_)) {
        const std::string name = DescribeControl(*c).Text.Name;
        if (!name.empty()) return TextAnswer(name, out);
      }
    }
    return standard_->get_accName(child, out);
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override { return standard_->get_accParent(out); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override { return standard_->get_accChildCount(n); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** out) override { return standard_->get_accChild(c, out); }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* out) override { return standard_->get_accValue(c, out); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* out) override {
    return standard_->get_accDescription(c, out);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    if (!out) return E_POINTER;
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
      if (TWinControl* c = LiveControl(hwnd_, control_)) {
        const TAccessibleRole role = part_ ? *part_ : DescribeControl(*c).Role;
        if (role != TAccessibleRole::Client) {
          out->vt = VT_I4;
          out->lVal = AccessibleRoleCode(role);
          return S_OK;
        }
      }
    }
    return standard_->get_accRole(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* out) override { return standard_->get_accState(c, out); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* out) override { return standard_->get_accHelp(c, out); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
    return standard_->get_accHelpTopic(f, c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* out) override {
    return standard_->get_accKeyboardShortcut(c, out);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override { return standard_->get_accFocus(out); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override { return standard_->get_accSelection(out); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* out) override {
    return standard_->get_accDefaultAction(c, out);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override { return standard_->accSelect(f, c); }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
    return standard_->accLocation(x, y, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* out) override {
    return standard_->accNavigate(d, s, out);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override { return standard_->accHitTest(x, y, out); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override { return standard_->accDoDefaultAction(c); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR s) override { return standard_->put_accName(c, s); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR s) override { return standard_->put_accValue(c, s); }

 private:
  ~TNamedNativeObject() { standard_->Release(); }

  LONG refs_ = 1;
  IAccessible* standard_;  // owned reference
  HWND hwnd_;
  TWinControl* control_;  // not owned; read only while LiveControl says it exists
  std::optional<TAccessibleRole> part_;
};

}  // namespace

IAccessible* NamedNativeObject(TWinControl& control, HWND hwnd, IAccessible* standard,
                               std::optional<TAccessibleRole> part) {
  return new TNamedNativeObject(standard, hwnd, control, part);
}
