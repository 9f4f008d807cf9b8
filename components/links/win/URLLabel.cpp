#include "components/links/win/URLLabel.h"

#include "toolkit/win/Application.h"
#include "toolkit/win/Screen.h"
#include "toolkit/win/ShellOpen.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

#include <functional>
#include <utility>

namespace {
constexpr char kDefaultCaption[] = "www.zettly.example.com";
constexpr wchar_t kCursorResource[] = L"URLCURSOR_1";
constexpr TColor kHoverColor = 0x00FF0000;  // pure blue
constexpr TColor kLeftColor = 0x00000000;   // black, not the colour the font started with

// Another colour for one paint, unheard, and the font's own back after it: the label keeps the
// colour the mouse gave it.
class FontColorForPaint {
 public:
  FontColorForPaint(TFont& font, TColor color)
      : font_(font), own_(font.Color()), notify_(std::exchange(font.OnChange, nullptr)) {
    font_.SetColor(color);
  }
  ~FontColorForPaint() {
    font_.SetColor(own_);
    font_.OnChange = std::move(notify_);
  }
  FontColorForPaint(const FontColorForPaint&) = delete;
  FontColorForPaint& operator=(const FontColorForPaint&) = delete;

 private:
  TFont& font_;
  TColor own_;
  std::function<void()> notify_;
};

HCURSOR LoadLinkCursor(int dpi) {
  const int scale = PictureScale(dpi), size = PictureLength(32, scale);
  const std::wstring name = PictureResourceName(kCursorResource, scale);
  // Shared: the system keeps one cursor per name however often a label asks.
  auto cursor = static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_CURSOR, size, size, LR_SHARED));
  // A module without the resource still gets a hand rather than no cursor at all.
  return cursor ? cursor : LoadCursorW(nullptr, IDC_HAND);
}
}  // namespace

TURLLabel::TURLLabel(TComponent* owner) : TCustomLabel(owner) {
  SetCaption(kDefaultCaption);
  Font().SetStyle(fsUnderline);
  Screen->SetCursorLoader(LinkCursor, [dpi = Dpi()] { return LoadLinkCursor(dpi); });
  SetCursor(LinkCursor);
  SetTabStop(true);  // a link is reached with Tab and followed with Enter or Space
}

void TURLLabel::ChangeScale(int newDpi) {
  TCustomLabel::ChangeScale(newDpi);
  Screen->SetCursorLoader(LinkCursor, [dpi = Dpi()] { return LoadLinkCursor(dpi); });
}

void TURLLabel::Click() {
  TCustomLabel::Click();
  const std::string target = LinkTarget();
  const TShellOpenResult opened = ShellOpen(GetDesktopWindow(), target);
  // A link that opens nothing would look like a dead click: say why, as for attachments.
  if (!opened.Opened)
    Application->MessageBox("Unable to open " + target + "\n" + opened.Reason, Application->Title(),
                            MB_OK | MB_ICONWARNING);
}

void TURLLabel::MouseEnter() {
  TCustomLabel::MouseEnter();
  Font().SetColor(kHoverColor);
}

void TURLLabel::MouseLeave() {
  TCustomLabel::MouseLeave();
  Font().SetColor(kLeftColor);
}

void TURLLabel::Paint(TCanvas& canvas) {
  if (!Sys().HighContrast()) return TCustomLabel::Paint(canvas);
  const FontColorForPaint themed(Font(), clHotLight);
  TCustomLabel::Paint(canvas);
}

TAccessibleText TURLLabel::AccessibleName() const {
  TAccessibleText text = TCustomLabel::AccessibleName();
  text.Description = LinkTarget();
  return text;
}
