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

// Wine's rich edit crashes placing a mark that begins a run in a font that positions marks (Thai
// in Loma): a run never begins with one; marks at the start stay in the box's own face.
std::vector<std::pair<size_t, std::wstring>> WithoutLeadingMarks(
    const std::wstring& text, const std::vector<std::pair<size_t, std::wstring>>& runs, const std::wstring& own) {
  std::vector<WORD> types(text.size(), 0);
  if (!text.empty()) GetStringTypeW(CT_CTYPE3, text.c_str(), static_cast<int>(text.size()), types.data());
  std::vector<std::pair<size_t, std::wstring>> safe;
  for (size_t k = 0; k < runs.size(); ++k) {
    const size_t end = k + 1 < runs.size() ? runs[k + 1].first : text.size();
    size_t begin = runs[k].first;
    while (begin < end && (types[begin] & C3_NONSPACING)) ++begin;
    if (k == 0 && begin > 0) safe.emplace_back(0, own);
    if (begin < end && (safe.empty() || safe.back().second != runs[k].second)) safe.emplace_back(begin, runs[k].second);
  }
  return safe;
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
  // A face with linked fonts (Wine) needs a face per run, which only rich text keeps; pasting
  // and setting the text still insert plain characters.
  runs_ = HasLinkedFaces(ToWide(Font().Name()));
  SendMessageW(hwnd_, EM_SETTEXTMODE, (runs_ ? TM_RICHTEXT : TM_PLAINTEXT) | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
  SendMessageW(hwnd_, EM_SETEVENTMASK, 0, ENM_CHANGE);
  ApplyLimit(max_length_);
  ApplyColors();
  if (!text_.empty()) {
    const std::wstring text = std::move(text_);
    text_.clear();
    setting_text_ = true;
    ApplyLimit(0);
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    ApplyLimit(max_length_);
    ApplyFaces();
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

void TRichEdit::ApplyFaces() {
  if (!hwnd_ || !runs_) return;
  const std::wstring text = RawText(hwnd_);
  // Undoing a change of faces alone leaves the text as it was: the faces are not set again, or
  // that undo would never get past them.
  if (text == faced_) return;
  faced_ = text;
  const std::wstring own = ToWide(Font().Name());
  std::vector<std::pair<size_t, std::wstring>> runs;
  {
    const WindowDC dc(hwnd_);
    runs = WithoutLeadingMarks(text, FaceRuns(dc.Get(), text, Font().Handle(), own), own);
  }
  CHARRANGE kept{};
  SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  const bool setting = setting_text_;
  setting_text_ = true;
  for (size_t k = 0; k < runs.size(); ++k) {
    CHARRANGE range{static_cast<LONG>(runs[k].first),
                    static_cast<LONG>(k + 1 < runs.size() ? runs[k + 1].first : text.size())};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof cf;
    SendMessageW(hwnd_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    if ((cf.dwMask & CFM_FACE) && runs[k].second == cf.szFaceName) continue;
    cf = CHARFORMAT2W{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_CHARSET;
    lstrcpynW(cf.szFaceName, runs[k].second.c_str(), LF_FACESIZE);
    cf.bCharSet = DEFAULT_CHARSET;
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  }
  SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&kept));
  setting_text_ = setting;
}

void TRichEdit::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TRichEdit::FontChanged() {
  TWinControl::FontChanged();  // the new font resets the character format
  faced_.clear();
  ApplyColors();
  ApplyFaces();
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
  ApplyLimit(0);
  SendMessageW(hwnd_, EM_SETSEL, 0, -1);
  SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
  ApplyLimit(max_length_);
  ApplyFaces();
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
  ApplyFaces();
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
