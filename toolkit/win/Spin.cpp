#include "toolkit/win/Spin.h"

#include <commctrl.h>

#include <climits>
#include <string>

#include "toolkit/Decimal.h"
#include "toolkit/win/Clipboard.h"
#include "toolkit/win/CommonControls.h"
#include "toolkit/win/WindowHooks.h"

namespace {
// The arrows are called what their field is: a screen reader asks their own window.
LRESULT CALLBACK ArrowsHook(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_GETOBJECT) {
    if (const auto answer = AccessibilityHooks().AnswerPartGetObject) {
      TMessage m{msg, wp, lp};
      if (answer(*reinterpret_cast<TSpinEdit*>(data), hwnd, TAccessibleRole::SpinButton, m)) return m.Result;
    }
  }
  return CallNextWindowHook(hwnd, msg, wp, lp);
}
}  // namespace

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) { SetText("0"); }

TSpinEdit::~TSpinEdit() = default;

void TSpinEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_NUMBER | WS_CLIPCHILDREN;
}

void TSpinEdit::HandleCreated() {
  TCustomEdit::HandleCreated();
  updown_ = CreateWindowExW(0, CommonControlClass(UPDOWN_CLASSW), nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  // The arrows' own position never moves: each press is read from its notification and refused.
  SendMessageW(updown_, UDM_SETRANGE32, static_cast<WPARAM>(-1), 1);
  SendMessageW(updown_, UDM_SETPOS32, 0, 0);
  // The hook goes with the arrows' window, a child of ours, before we go.
  AddWindowHook(updown_, ArrowsHook, 0, reinterpret_cast<DWORD_PTR>(this));
  PlaceButton();
}

void TSpinEdit::Resize() {
  TCustomEdit::Resize();
  PlaceButton();
}

void TSpinEdit::RedrawArrows() {
  // The system's edit box draws its whole face when it loses the focus, over the arrows inside
  // it (Wine's does, clipping or not): they are drawn again on top.
  if (updown_) RedrawWindow(updown_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TSpinEdit::PlaceButton() {
  if (!updown_) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  SetWindowPos(updown_, nullptr, client.right - w, 0, w, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  // The text stays clear of the arrows.
  SendMessageW(hwnd_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, w));
}

namespace {
// Spaces around the number are allowed.
std::optional<int32_t> ParseInt(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return ParseDecimal(text);
}
}  // namespace

int TSpinEdit::Value() const {
  return ParseInt(Text()).value_or(min_value_);
}

int TSpinEdit::CheckValue(int v) const {
  if (max_value_ == min_value_) return v;
  if (v < min_value_) return min_value_;
  if (v > max_value_) return max_value_;
  return v;
}

void TSpinEdit::SetValue(int v) { SetText(std::to_string(CheckValue(v))); }

void TSpinEdit::UpClick() {
  const long long v = static_cast<long long>(Value()) + increment_;
  SetValue(v > INT_MAX ? INT_MAX : static_cast<int>(v));
}

void TSpinEdit::DownClick() {
  const long long v = static_cast<long long>(Value()) - increment_;
  SetValue(v < INT_MIN ? INT_MIN : static_cast<int>(v));
}

void TSpinEdit::PasteDigits() {
  std::wstring digits;
  for (wchar_t c : ClipboardText(hwnd_))
    if (c >= L'0' && c <= L'9') digits += c;
  DWORD from = 0, to = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  digits = FitInLimit(std::move(digits), GetWindowTextLengthW(hwnd_), static_cast<int>(to - from), MaxLength());
  if (!digits.empty()) SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digits.c_str()));
}

void TSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (hdr->hwndFrom == updown_ && hdr->code == UDN_DELTAPOS) {
        if (reinterpret_cast<const NMUPDOWN*>(m.LParam)->iDelta > 0) UpClick();
        else DownClick();
        m.Result = TRUE;
        return;
      }
      break;
    }
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(m.LParam) == updown_) return;
      break;
    case WM_KEYDOWN:
      if (m.WParam == VK_UP || m.WParam == VK_DOWN) {
        m.WParam == VK_UP ? UpClick() : DownClick();
        return;
      }
      break;
    case WM_PASTE:
      // Only digits come in, as when typed.
      PasteDigits();
      return;
    case WM_KILLFOCUS: {
      TCustomEdit::WndProc(m);
      const int v = Value();
      if (CheckValue(v) != v) SetValue(v);
      RedrawArrows();
      return;
    }
    case WM_PAINT:
      TCustomEdit::WndProc(m);
      RedrawArrows();
      return;
    case WM_DESTROY:
      updown_ = nullptr;
      break;
    default:
      break;
  }
  TCustomEdit::WndProc(m);
}
