#include "components/links/win/URLLabel.h"

#include "toolkit/win/Screen.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

namespace {
constexpr char kDefaultCaption[] = "www.zettly.example.com";
constexpr wchar_t kCursorResource[] = L"URLCURSOR_1";
constexpr TColor kHoverColor = 0x00FF0000;  // pure blue
constexpr TColor kLeftColor = 0x00000000;   // black, not the colour the font started with

HCURSOR LoadLinkCursor() {
  // A module without the resource still gets a hand rather than no cursor at all.
  HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), kCursorResource);
  return cursor ? cursor : LoadCursorW(nullptr, IDC_HAND);
}
}  // namespace

TURLLabel::TURLLabel(TComponent* owner) : TCustomLabel(owner) {
  SetCaption(kDefaultCaption);
  Font().SetStyle(fsUnderline);
  Screen->SetCursors(LinkCursor, LoadLinkCursor());
  SetCursor(LinkCursor);
}

void TURLLabel::Click() {
  TCustomLabel::Click();
  Sys().ShellExecute(GetDesktopWindow(), L"open", W(LinkTarget()), std::wstring(), std::wstring(), SW_SHOWNORMAL);
}

void TURLLabel::MouseEnter() {
  TCustomLabel::MouseEnter();
  Font().SetColor(kHoverColor);
}

void TURLLabel::MouseLeave() {
  TCustomLabel::MouseLeave();
  Font().SetColor(kLeftColor);
}

void TURLLabel::DescribeAccessible(const TControl& control, TAccessibleInfo& info) const {
  if (&control != this) return;
  info.Role = TAccessibleRole::Link;
  info.Description = LinkTarget();
}
