#include "app/win/InfoUnit.h"

#include "app/res/resource.h"

namespace {
constexpr char kVersionLine[] = "Zettly   version 1.0";
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
  if (ImageList1->Width() == size) return;
  // The tabs must not hold on to the list while it is made anew.
  PageControl1->SetImages(nullptr);
  ImageList1->SetSize(size, size);
  ImageList1->AddMaskedResource(PictureResourceName(RES_ABOUTTAB, scale), RES_KEY_COLOR);
  PageControl1->SetImages(ImageList1);
}

void TInfoForm::CreateControls() {
  ImageList1 = new TImageList(this);
  ImageList1->SetName("ImageList1");
  ImageList1->SetSize(16, 16);
  ImageList1->AddMaskedResource(RES_ABOUTTAB, RES_KEY_COLOR);

  PageControl1 = new TPageControl(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetBounds(0, 0, 316, 171);
  PageControl1->SetImages(ImageList1);
  PageControl1->SetParent(this);

  AboutTabSheet = new TTabSheet(this);
  AboutTabSheet->SetName("AboutTabSheet");
  AboutTabSheet->SetCaption("About");
  AboutTabSheet->SetImageIndex(0);
  AboutTabSheet->SetPageControl(PageControl1);
  AboutTabSheet->OnResize = [this](TObject* s) { AboutTabSheetResize(s); };
  PageControl1->SetActivePage(AboutTabSheet);

  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetBounds(0, 0, 308, 141);
  Panel1->SetBevelOuter(TBevelCut::bvLowered);
  Panel1->SetColor(clWindow);
  Panel1->SetParent(AboutTabSheet);
  Panel1->OnResize = [this](TObject* s) { Panel1Resize(s); };

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
    l->SetParent(Panel1);
    return l;
  };
  Label7 = text_label("Label7", Bounds(8, 14, 145, 15), kVersionLine, -12, fsBold);
  Label2 = text_label("Label2", Bounds(13, 38, 282, 25), kCopyright, -11, 0);

  URLLabel1 = new TURLLabel(this);
  URLLabel1->SetName("URLLabel1");
  URLLabel1->SetBounds(75, 72, 157, 13);
  URLLabel1->SetURLType(TURLType::utHTTP);
  URLLabel1->SetCaption(kWebAddress);
  URLLabel1->SetParent(Panel1);

  URLLabel2 = new TURLLabel(this);
  URLLabel2->SetName("URLLabel2");
  URLLabel2->SetBounds(104, 95, 98, 13);
  URLLabel2->SetURLType(TURLType::utMailTo);
  URLLabel2->SetCaption(kMailAddress);
  URLLabel2->SetParent(Panel1);

  BitBtn3 = new TOvalButton(this);
  BitBtn3->SetName("BitBtn3");
  BitBtn3->SetBounds(126, 175, 64, 31);
  BitBtn3->SetCaption("Close");
  BitBtn3->SetBevelWidth(2);
  BitBtn3->SetColor(clBtnFace);
  BitBtn3->Font().SetName("MS Sans Serif");
  BitBtn3->Font().SetHeight(-11);
  BitBtn3->Font().SetStyle(fsBold);
  BitBtn3->SetLayout(OvalBtn::blGlyphBottom);
  BitBtn3->SetMargin(0);
  BitBtn3->SetSpacing(4);
  BitBtn3->SetTransparentColor(clBlack);
  BitBtn3->SetDown(false);
  BitBtn3->SetFlat(false);
  BitBtn3->SetTransparent(false);
  BitBtn3->SetGroupIndex(0);
  BitBtn3->SetCursor(crHandPoint);
  BitBtn3->SetParent(this);
  BitBtn3->OnClick = [this](TObject* s) { BitBtn3Click(s); };
}

void TInfoForm::BitBtn3Click(TObject*) {
  // Ends the modal loop; the dialog is only hidden and lives on for the next showing.
  SetModalResult(CloseResult);
}

void TInfoForm::KeyDown(uint16_t& key, TShiftState shift) {
  // On the press: the release of the key that opened the box comes here too.
  if (key == VK_RETURN || key == VK_ESCAPE) {
    if (key == VK_RETURN) BitBtn3Click(BitBtn3);
    else SetModalResult(mrCancel);
    if (!Modal()) Hide();
    key = 0;
    return;
  }
  TForm::KeyDown(key, shift);
}

void TInfoForm::AboutTabSheetResize(TObject*) {
  // The panel fills the page, whatever room the tabs leave on this system.
  Panel1->SetBounds(0, 0, AboutTabSheet->Width(), AboutTabSheet->Height());
}

void TInfoForm::Panel1Resize(TObject*) { CentreLinks(); }

void TInfoForm::CentreLinks() {
  if (!Panel1 || !URLLabel1 || !URLLabel2) return;  // still being built
  for (TURLLabel* link : {URLLabel1, URLLabel2})
    link->SetLeft((Panel1->Width() - link->Width()) / 2);
}
