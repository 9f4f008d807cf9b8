#include "app/win/InfoForm.h"

#include "app/res/resource.h"
#include "app/res/version.h"

namespace {
constexpr char kVersionLine[] =
    "Zettly   version " ZETTLY_STRINGIZE(ZETTLY_VERSION_MAJOR) "." ZETTLY_STRINGIZE(ZETTLY_VERSION_MINOR);
constexpr char kCopyright[] = "Copyright \xC2\xA9 2026 Quorvel. All rights reserved.";
}  // namespace

// A link without an address is not shown rather than leading nowhere.
TAboutLinks BuiltAboutLinks() { return {ZETTLY_WEB_ADDRESS, ZETTLY_MAIL_ADDRESS}; }

TInfoForm::TInfoForm(TComponent* owner, TAboutLinks links) : TForm(owner), links_(links) {
  SetName("InfoForm");
  SetCaption("Information");
  SetBorderIcons(0);
  SetBorderStyle(TBorderStyle::bsDialog);
  SetColor(clBtnFace);
  Font().SetName("Arial");
  Font().SetHeight(-12);
  Font().SetStyle(0);
  Font().SetCharset(ANSI_CHARSET);
  SetPosition(TPosition::poScreenCenter);
  SetClientSize(316, 208);
  SetKeyPreview(true);
  CreateControls();
  FinishCreate();
}

void TInfoForm::HandleCreated() {
  TForm::HandleCreated();
  // Placed only now: centring measures the links' text, and most runs never open the box.
  CentreLinks();
}

void TInfoForm::ChangeScale(int newDpi) {
  TForm::ChangeScale(newDpi);
  const int scale = PictureScale(Dpi()), size = PictureLength(16, scale);
  if (TabImages->Width() == size) return;
  // The tabs must not hold on to the list while it is made anew.
  Pages->SetImages(nullptr);
  TabImages->SetSize(size, size);
  TabImages->AddMaskedResource(PictureResourceName(RES_ABOUTTAB, scale), RES_KEY_COLOR);
  Pages->SetImages(TabImages);
}

void TInfoForm::CreateControls() {
  TabImages = MakeTabImages();
  Pages = MakePages();
  AboutTabSheet = MakeAboutTabSheet();
  AboutPanel = MakeAboutPanel();
  VersionLabel = MakeTextLabel("VersionLabel", Bounds(8, 14, 145, 15), kVersionLine, -12, fsBold);
  CopyrightLabel = MakeTextLabel("CopyrightLabel", Bounds(13, 38, 282, 25), kCopyright, -11, 0);
  WebLink = MakeLink("WebLink", Bounds(75, 72, 157, 13), TURLType::utHTTP, links_.Web);
  MailLink = MakeLink("MailLink", Bounds(104, 95, 98, 13), TURLType::utMailTo, links_.Mail);
  CloseButton = MakeCloseButton();
}

TImageList* TInfoForm::MakeTabImages() {
  auto* images = new TImageList(this);
  images->SetName("TabImages");
  images->SetSize(16, 16);
  images->AddMaskedResource(RES_ABOUTTAB, RES_KEY_COLOR);
  return images;
}

TPageControl* TInfoForm::MakePages() {
  auto* pages = new TPageControl(this);
  pages->SetName("Pages");
  pages->SetBounds(0, 0, 316, 171);
  pages->SetImages(TabImages);
  pages->SetParent(this);
  return pages;
}

TTabSheet* TInfoForm::MakeAboutTabSheet() {
  auto* sheet = new TTabSheet(this);
  sheet->SetName("AboutTabSheet");
  sheet->SetCaption("About");
  sheet->SetImageIndex(0);
  sheet->SetPageControl(Pages);
  sheet->OnResize = [this](TObject* s) { AboutTabSheetResize(s); };
  Pages->SetActivePage(sheet);
  return sheet;
}

TPanel* TInfoForm::MakeAboutPanel() {
  auto* panel = new TPanel(this);
  panel->SetName("AboutPanel");
  panel->SetBounds(0, 0, 308, 141);
  panel->SetBevelOuter(TBevelCut::bvLowered);
  panel->SetColor(clWindow);
  panel->SetParent(AboutTabSheet);
  panel->OnResize = [this](TObject* s) { AboutPanelResize(s); };
  // Layout to the sighted, but its window is what has the focus while a link has the keyboard:
  // a screen reader told of that window reads the page's name.
  panel->OnDescribeAccessible = [this](const TControl&, TAccessibleInfo& info) {
    info.Text.Name = AboutTabSheet->Caption();
  };
  return panel;
}

TLabel* TInfoForm::MakeTextLabel(const char* name, TRect bounds, const char* text, int height, TFontStyles style) {
  auto* l = new TLabel(this);
  l->SetName(name);
  l->SetAutoSize(false);
  l->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  l->SetAlignment(TAlignment::taCenter);
  l->SetLayout(TTextLayout::tlCenter);
  l->SetWordWrap(true);
  l->SetTransparent(true);
  l->SetCaption(text);
  l->Font().SetName("Arial");
  l->Font().SetHeight(height);
  l->Font().SetStyle(style);
  l->Font().SetCharset(ANSI_CHARSET);
  l->SetParent(AboutPanel);
  return l;
}

TURLLabel* TInfoForm::MakeLink(const char* name, TRect bounds, TURLType type, const char* address) {
  auto* link = new TURLLabel(this);
  link->SetName(name);
  link->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  link->SetURLType(type);
  link->SetCaption(address);
  link->SetVisible(*address != '\0');
  link->SetParent(AboutPanel);
  return link;
}

TOvalButton* TInfoForm::MakeCloseButton() {
  auto* b = new TOvalButton(this);
  b->SetName("CloseButton");
  b->SetBounds(126, 175, 64, 31);
  b->SetCaption("Close");
  b->SetBevelWidth(2);
  b->SetColor(clBtnFace);
  b->Font().SetName("MS Sans Serif");
  b->Font().SetHeight(-11);
  b->Font().SetStyle(fsBold);
  b->SetLayout(OvalBtn::blGlyphBottom);
  b->SetMargin(0);
  b->SetSpacing(4);
  b->SetTransparentColor(clBlack);
  b->SetDown(false);
  b->SetFlat(false);
  b->SetTransparent(false);
  b->SetGroupIndex(0);
  b->SetCursor(crHandPoint);
  b->SetDefault(true);  // Enter presses it
  b->SetParent(this);
  b->OnClick = [this](TObject* s) { CloseButtonClick(s); };
  return b;
}

void TInfoForm::CloseButtonClick(TObject*) {
  // Ends the modal loop; the dialog is only hidden and lives on for the next showing.
  SetModalResult(CloseResult);
}

void TInfoForm::KeyDown(uint16_t& key, TShiftState shift) {
  // On the press: the release of the key that opened the box comes here too.
  if (key == VK_RETURN || key == VK_ESCAPE) {
    if (key == VK_RETURN) CloseButtonClick(CloseButton);
    else SetModalResult(mrCancel);
    if (!Modal()) Hide();
    key = 0;
    return;
  }
  TForm::KeyDown(key, shift);
}

void TInfoForm::AboutTabSheetResize(TObject*) {
  // The panel fills the page, whatever room the tabs leave on this system.
  AboutPanel->SetBounds(0, 0, AboutTabSheet->Width(), AboutTabSheet->Height());
}

void TInfoForm::AboutPanelResize(TObject*) { CentreLinks(); }

void TInfoForm::CentreLinks() {
  if (!AboutPanel || !WebLink || !MailLink) return;  // still being built
  for (TURLLabel* link : {WebLink, MailLink})
    link->SetLeft((AboutPanel->Width() - link->Width()) / 2);
}
