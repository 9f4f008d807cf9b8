// A screen reader's side as the tests play it: a window's accessible object got through
// AccessibleObjectFromWindow and read child by child, and the name-change events it hears.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "toolkit/win/Accessible.h"
#include "toolkit/win/Text.h"

inline VARIANT ChildId(long id) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

class AccessibleClient {
 public:
  explicit AccessibleClient(HWND window)
      : result(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc))) {}
  ~AccessibleClient() {
    if (acc) acc->Release();
  }
  AccessibleClient(const AccessibleClient&) = delete;
  AccessibleClient& operator=(const AccessibleClient&) = delete;

  long Count() const {
    long n = 0;
    acc->get_accChildCount(&n);
    return n;
  }
  std::string Name(long id) const {
    BSTR s = nullptr;
    acc->get_accName(ChildId(id), &s);
    std::string out = s ? ToUtf8(s) : "";
    SysFreeString(s);
    return out;
  }
  long Role(long id) const { return Int(&IAccessible::get_accRole, id); }
  long State(long id) const { return Int(&IAccessible::get_accState, id); }

  IAccessible* acc = nullptr;  // before result: the call that initialises result sets it
  HRESULT result;

 private:
  long Int(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) const {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ((acc->*get)(ChildId(id), &v), S_OK);
    return v.vt == VT_I4 ? v.lVal : -1;
  }
};

// The name and role a client reads for a window itself; {"", -1} when it gets no object.
inline std::pair<std::string, long> NameAndRole(HWND window) {
  AccessibleClient client(window);
  EXPECT_EQ(client.result, S_OK);
  if (!client.acc) return {"", -1};
  return {client.Name(CHILDID_SELF), client.Role(CHILDID_SELF)};
}

// Records the events of one kind (name changes by default) raised for client areas while it
// lives (delivered by the message loop).
class NameChangeRecorder {
 public:
  explicit NameChangeRecorder(DWORD event = EVENT_OBJECT_NAMECHANGE) {
    events().clear();
    hook_ = SetWinEventHook(event, event, nullptr, OnEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  }
  ~NameChangeRecorder() { UnhookWinEvent(hook_); }
  NameChangeRecorder(const NameChangeRecorder&) = delete;
  NameChangeRecorder& operator=(const NameChangeRecorder&) = delete;

  bool Hooked() const { return hook_ != nullptr; }
  static std::vector<std::pair<HWND, long>>& events() {
    static std::vector<std::pair<HWND, long>> seen;
    return seen;
  }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) events().emplace_back(hwnd, child);
  }
  HWINEVENTHOOK hook_;
};
