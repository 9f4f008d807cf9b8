#include "toolkit/win/RichEdit.h"

#include <richedit.h>

#include <vector>

#include "toolkit/OneLine.h"
#include "toolkit/win/Clipboard.h"
#include "toolkit/win/Handles.h"
#include "toolkit/win/LinkedFont.h"
#include "toolkit/win/Text.h"

namespace {
// The newest rich-edit class the system has, its library loaded when the first box is made
// (most runs never open the editor) and only from the system folder (the program's own folder
// is writable by the user). The library stays loaded for the process.
const wchar_t* RichEditClass() {
  static const wchar_t* name = [] {
    if (LoadLibraryExW(L"msftedit.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return L"RICHEDIT50W";
    LoadLibraryExW(L"riched20.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return L"RichEdit20W";
  }();
  return name;
}

constexpr int kNoLimit = 0x7FFFFFFE;

// The control breaks lines at VT and FF too.
constexpr TLineBreaks kBreaks = TLineBreaks::CrLfNulVtFf;

// The text as the control counts it: a paragraph break is one character.
std::wstring RawText(HWND hwnd) {
  GETTEXTLENGTHEX len{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LRESULT n = SendMessageW(hwnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
  std::wstring s(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  GETTEXTEX get{static_cast<DWORD>(s.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
  const LRESULT got = SendMessageW(hwnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                   reinterpret_cast<LPARAM>(s.data()));
  s.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return s;
}

// Wine's rich edit crashes placing a mark that begins a run in a font that positions marks
// (Thai in Loma): a text with such marks stays in the box's own font.
bool HasNonspacingMark(const std::wstring& text) {
  std::vector<WORD> types(text.size());
  if (text.empty() || !GetStringTypeW(CT_CTYPE3, text.c_str(), static_cast<int>(text.size()), types.data()))
    return false;
  for (WORD t : types)
    if (t & C3_NONSPACING) return true;
  return false;
}
}  // namespace

TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 89);
  SetColor(clWindow);
  SetTabStop(true);
}

void TRichEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ClassName = RichEditClass();
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
}

void TRichEdit::HandleCreated() {
  // Plain text: what is pasted or set keeps no formatting and is never read as RTF. The mode can
  // only change while the box is empty.
  SendMessageW(hwnd_, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
  SendMessageW(hwnd_, EM_SETEVENTMASK, 0, ENM_CHANGE);
  ApplyLimit(max_length_);
  ApplyColors();
  // The face before the text, so the text is laid out once.
  face_ = ToWide(Font().Name());
  ApplyFace(text_);
  if (!text_.empty()) {
    const std::wstring text = std::move(text_);
    text_.clear();
    setting_text_ = true;
    ApplyLimit(0);
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    ApplyLimit(max_length_);
    setting_text_ = false;
  }
}

void TRichEdit::ApplyLimit(int limit) {
  if (hwnd_) SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, limit > 0 ? limit : kNoLimit);
}

void TRichEdit::ApplyColors() {
  if (!hwnd_) return;
  // The window's colour as the control's own, which follows a theme change by itself.
  if (Color() == clWindow) SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 1, 0);
  else SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ThemedColorToRGB(Color(), clWindow)));
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_COLOR;
  if (Font().Color() == clWindowText) cf.dwEffects = CFE_AUTOCOLOR;
  else cf.crTextColor = ThemedColorToRGB(Font().Color(), clWindowText);
  SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

void TRichEdit::ApplyFace(const std::wstring& text) {
  if (!hwnd_) return;
  const WindowDC dc(hwnd_);
  const std::wstring own = ToWide(Font().Name());
  const std::wstring face = HasNonspacingMark(text) ? own : FaceForText(dc.Get(), text, Font().Handle(), own);
  if (face == face_) return;
  face_ = face;
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_FACE | CFM_CHARSET;
  lstrcpynW(cf.szFaceName, face.c_str(), LF_FACESIZE);
  cf.bCharSet = DEFAULT_CHARSET;
  SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

void TRichEdit::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TRichEdit::FontChanged() {
  TWinControl::FontChanged();  // the new font resets the character format
  face_ = ToWide(Font().Name());
  ApplyColors();
  if (hwnd_) ApplyFace(RawText(hwnd_));
}

std::string TRichEdit::Text() const { return hwnd_ ? ToUtf8(RawText(hwnd_)) : ToUtf8(text_); }

int TRichEdit::TextLength() const {
  if (!hwnd_) return static_cast<int>(text_.size());
  GETTEXTLENGTHEX len{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<int>(SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0));
}

void TRichEdit::MoveCaretToEnd() {
  CHARRANGE end{-1, -1};
  SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
}

void TRichEdit::SetText(const std::string& text) {
  const std::wstring wide = ToWide(text);
  if (!hwnd_) {
    if (wide == text_) return;
    text_ = wide;
    Change();
    return;
  }
  if (RawText(hwnd_) == wide) return;
  // Replacing the whole selection inserts the characters as they are; WM_SETTEXT would read a
  // text that starts with "{\rtf" as formatting.
  setting_text_ = true;
  ApplyFace(wide);
  ApplyLimit(0);
  SendMessageW(hwnd_, EM_SETSEL, 0, -1);
  SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
  ApplyLimit(max_length_);
  SendMessageW(hwnd_, EM_SETSEL, 0, 0);
  setting_text_ = false;
  Change();
}

void TRichEdit::SetMaxLength(int n) {
  if (n < 0) n = 0;
  if (n == max_length_) return;
  max_length_ = n;
  ApplyLimit(n);
}

void TRichEdit::PasteFromClipboard() {
  if (!hwnd_) return;
  std::wstring text = ClipboardText(hwnd_);
  if (!want_returns_) text = OneLine(text, kBreaks);
  CHARRANGE sel{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  text = FitInLimit(std::move(text), TextLength(), sel.cpMax - sel.cpMin, max_length_);
  if (text.empty()) {
    MessageBeep(MB_OK);
    return;
  }
  SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TRichEdit::ReplaceLineBreaks() {
  const std::wstring text = RawText(hwnd_);
  bool any = false;
  for (wchar_t c : text) any = any || IsLineBreak(c, kBreaks);
  if (!any) return;
  CHARRANGE sel{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  setting_text_ = true;
  // From the end, so the positions still to visit do not move.
  for (size_t i = text.size(); i-- > 0;) {
    if (!IsLineBreak(text[i], kBreaks)) continue;
    CHARRANGE r{static_cast<LONG>(i), static_cast<LONG>(i + 1)};
    if (text[i] == L'\n' && i > 0 && text[i - 1] == L'\r') r.cpMin = static_cast<LONG>(--i);
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" "));
  }
  SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  setting_text_ = false;
}

void TRichEdit::Change() {
  if (OnChange) OnChange(this);
}

void TRichEdit::CommandNotify(WORD code) {
  if (code != EN_CHANGE || setting_text_) return;
  if (!want_returns_) ReplaceLineBreaks();
  ApplyFace(RawText(hwnd_));
  Change();
}

void TRichEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      // Tab moves the focus on, and Enter is the form's unless we take returns.
      TWinControl::WndProc(m);
      m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
      if (!want_returns_) m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
      return;
    case WM_KEYDOWN: {
      const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0,
                 alt = GetKeyState(VK_MENU) < 0;
      if (m.WParam == VK_RETURN && !want_returns_) return;
      if ((m.WParam == 'V' && ctrl && !alt) || (m.WParam == VK_INSERT && shift && !ctrl && !alt)) {
        PasteFromClipboard();
        return;
      }
      break;
    }
    case WM_CHAR:
      if (m.WParam == L'\t') return;
      if (!want_returns_ && (m.WParam == L'\r' || m.WParam == L'\n')) return;
      break;
    case WM_PASTE:
      PasteFromClipboard();
      return;
    case WM_SYSCOLORCHANGE:
      TWinControl::WndProc(m);
      ApplyColors();  // a colour of ours may give way to the theme's now, or no longer
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}
