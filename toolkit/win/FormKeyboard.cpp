// The keyboard inside a form: Tab through the tab stops (windowless controls among them) and the
// key preview.
#include "toolkit/win/Forms.h"

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
