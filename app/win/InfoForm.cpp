#include "app/win/InfoForm.h"

#include "app/res/resource.h"
#include "app/res/version.h"

namespace {
constexpr char kVersionLine[] =
    "Zettly   version " ZETTLY_STRINGIZE(ZETTLY_VERSION_MAJOR) "." ZETTLY_STRINGIZE(ZETTLY_VERSION_MINOR);
constexpr char kCopyright[] = "Copyright \xC2\xA9 2026 Quorvel. All rights reserved.";
constexpr char kWebAddress[] = "www.zettly.example.com";
constexpr char kMailAddress[] = "support@zettly.example.com";
}  // namespace

TInfoForm::TInfoForm(TComponent* owner) : TForm(owner) {
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
  TabImages = new TImageList(this);
  TabImages->SetName("TabImages");
  TabImages->SetSize(16, 16);
  TabImages->AddMaskedResource(RES_ABOUTTAB, RES_KEY_COLOR);

  Pages = new TPageControl(this);
  Pages->SetName("Pages");
  Pages->SetBounds(0, 0, 316, 171);
  Pages->SetImages(TabImages);
  Pages->SetParent(this);

  AboutTabSheet = new TTabSheet(this);
  AboutTabSheet->SetName("AboutTabSheet");
  AboutTabSheet->SetCaption("About");
  AboutTabSheet->SetImageIndex(0);
  AboutTabSheet->SetPageControl(Pages);
  AboutTabSheet->OnResize = [this](TObject* s) { AboutTabSheetResize(s); };
  Pages->SetActivePage(AboutTabSheet);

  AboutPanel = new TPanel(this);
  AboutPanel->SetName("AboutPanel");
  AboutPanel->SetBounds(0, 0, 308, 141);
  AboutPanel->SetBevelOuter(TBevelCut::bvLowered);
  AboutPanel->SetColor(clWindow);
  AboutPanel->SetParent(AboutTabSheet);
  AboutPanel->OnResize = [this](TObject* s) { AboutPanelResize(s); };

  auto text_label = [this](const char* name, TRect bounds, const char* text, int height, TFontStyles style) {
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
  };
  VersionLabel = text_label("VersionLabel", Bounds(8, 14, 145, 15), kVersionLine, -12, fsBold);
  CopyrightLabel = text_label("CopyrightLabel", Bounds(13, 38, 282, 25), kCopyright, -11, 0);

  WebLink = new TURLLabel(this);
  WebLink->SetName("WebLink");
  WebLink->SetBounds(75, 72, 157, 13);
  WebLink->SetURLType(TURLType::utHTTP);
  WebLink->SetCaption(kWebAddress);
  WebLink->SetParent(AboutPanel);

  MailLink = new TURLLabel(this);
  MailLink->SetName("MailLink");
  MailLink->SetBounds(104, 95, 98, 13);
  MailLink->SetURLType(TURLType::utMailTo);
  MailLink->SetCaption(kMailAddress);
  MailLink->SetParent(AboutPanel);

  CloseButton = new TOvalButton(this);
  CloseButton->SetName("CloseButton");
  CloseButton->SetBounds(126, 175, 64, 31);
  CloseButton->SetCaption("Close");
  CloseButton->SetBevelWidth(2);
  CloseButton->SetColor(clBtnFace);
  CloseButton->Font().SetName("MS Sans Serif");
  CloseButton->Font().SetHeight(-11);
  CloseButton->Font().SetStyle(fsBold);
  CloseButton->SetLayout(OvalBtn::blGlyphBottom);
  CloseButton->SetMargin(0);
  CloseButton->SetSpacing(4);
  CloseButton->SetTransparentColor(clBlack);
  CloseButton->SetDown(false);
  CloseButton->SetFlat(false);
  CloseButton->SetTransparent(false);
  CloseButton->SetGroupIndex(0);
  CloseButton->SetCursor(crHandPoint);
  CloseButton->SetParent(this);
  CloseButton->OnClick = [this](TObject* s) { CloseButtonClick(s); };
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
