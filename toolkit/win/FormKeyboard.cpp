// The keyboard inside a form: keys on their way from the message loop, Tab through the tab stops
// (windowless controls among them) and the key preview.
#include "toolkit/win/Forms.h"

#include "toolkit/win/WindowObject.h"

#include <algorithm>
#include <vector>

namespace {
// Tab stops below a control, depth first, siblings by tab order. A windowless control can take
// the keyboard once its parent has a window.
void CollectTabStops(const TWinControl& parent, std::vector<TControl*>& out) {
  std::vector<TControl*> children;
  for (TControl* c : parent.Controls())
    if (c->Visible() && c->Enabled()) children.push_back(c);
  std::stable_sort(children.begin(), children.end(),
                   [](const TControl* a, const TControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TControl* c : children) {
    if (!c->IsWindowed()) {
      if (c->TabStop() && parent.HandleAllocated()) out.push_back(c);
      continue;
    }
    auto* w = static_cast<TWinControl*>(c);
    if (w->TabStop() && w->HandleAllocated()) out.push_back(w);
    CollectTabStops(*w, out);
  }
}

HWND WindowOf(TControl* c) { return static_cast<TWinControl*>(c)->Handle(); }

// The stop that has the keyboard: a windowless control, else the window with the focus, else the
// window the focus is inside (the edit box of a spin field).
std::vector<TControl*>::iterator Current(std::vector<TControl*>& stops) {
  auto at = std::find_if(stops.begin(), stops.end(), [](TControl* c) { return !c->IsWindowed() && c->Focused(); });
  if (at != stops.end()) return at;
  const HWND focus = GetFocus();
  at = std::find_if(stops.begin(), stops.end(), [focus](TControl* c) { return c->IsWindowed() && WindowOf(c) == focus; });
  if (at != stops.end()) return at;
  return std::find_if(stops.begin(), stops.end(),
                      [focus](TControl* c) { return c->IsWindowed() && IsChild(WindowOf(c), focus); });
}
}  // namespace

bool TForm::SelectNext(bool forward) {
  std::vector<TControl*> stops;
  CollectTabStops(*this, stops);
  if (stops.empty()) return false;
  const auto at = Current(stops);
  size_t next;
  if (at == stops.end()) {
    next = forward ? 0 : stops.size() - 1;
  } else {
    const size_t i = static_cast<size_t>(at - stops.begin());
    next = forward ? (i + 1) % stops.size() : (i + stops.size() - 1) % stops.size();
    if (!(*at)->IsWindowed()) (*at)->Parent()->FocusChild(nullptr);
  }
  TControl* target = stops[next];
  if (!target->IsWindowed()) {
    target->Parent()->FocusChild(target);
    return true;
  }
  const HWND window = WindowOf(target);
  ::SetFocus(window);
  // As in dialogs: a text box reached by Tab has its text selected.
  if (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(window, EM_SETSEL, 0, -1);
  return true;
}

void TForm::PreviewKey(bool down, bool repeat, uint16_t& key) {
  key_repeat_ = down && repeat;
  try {
    if (down) KeyDown(key, KeyboardShift());
    else KeyUp(key, KeyboardShift());
  } catch (...) {
    key_repeat_ = false;
    throw;
  }
  key_repeat_ = false;
}

bool PreTranslateFormKey(MSG& msg, const std::function<void(const std::exception&)>& fault) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      TForm* form = FormOfWindow(msg.hwnd);
      if (!form) return false;
      uint16_t key = static_cast<uint16_t>(msg.wParam);
      const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
      const bool repeat = down && (msg.lParam & (1 << 30));  // the key was down already
      // Space and Enter click the windowless control that has the keyboard, as a button's own.
      if (msg.message == WM_KEYDOWN && (key == VK_SPACE || key == VK_RETURN) && KeyboardShift() == TShiftState()) {
        const auto* window = ObjectOf<TWinControl>(msg.hwnd);
        if (TControl* c = window ? window->KeyboardChild() : nullptr) {
          try {
            if (!repeat) c->PerformClick();
          } catch (const std::exception& e) {
            fault(e);
          }
          return true;
        }
      }
      if (form->KeyPreview() || msg.hwnd == form->Handle()) {
        try {
          form->PreviewKey(down, repeat, key);
        } catch (const std::exception& e) {
          fault(e);
        }
        if (key == 0) return true;
      }
      // Tab and Shift+Tab walk the form's tab stops unless the focused control takes tabs itself.
      if (msg.message == WM_KEYDOWN && key == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0 &&
          !(SendMessageW(msg.hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB))
        return form->SelectNext(GetKeyState(VK_SHIFT) >= 0);
      return false;
    }
    case WM_SYSCHAR:
    case WM_CHAR: {
      TForm* form = FormOfWindow(msg.hwnd);
      if (!form) return false;
      if (msg.message == WM_CHAR && msg.hwnd != form->Handle() &&
          (SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS))
        return false;
      try {
        return form->BroadcastDialogChar(static_cast<wchar_t>(msg.wParam));
      } catch (const std::exception& e) {
        fault(e);
        return true;
      }
    }
    default:
      return false;
  }
}
