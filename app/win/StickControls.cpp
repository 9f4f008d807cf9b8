// The note window's controls, its menu and its tray icon, each made in one place, in the order a
// stored form description would make them.
#include "app/res/resource.h"
#include "app/win/StickForm.h"

namespace {
constexpr unsigned TrayIconDelayMs = 150;

// A control of the window, named and placed (96-DPI pixels) on its parent.
template <typename T>
T* Placed(T* control, const char* name, int left, int top, int width, int height, TWinControl* parent) {
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}
}  // namespace

void TStickForm::CreateControls() {
  NotePanel = MakeNotePanel();
  NoteLabel = MakeNoteLabel();
  ExitImage = MakeExitImage();
  DigitalClock = MakeClock();
  AboutSpeedButton = MakeSpeedButton(164, 4, 23, RES_GLYPH_ABOUT, "About... (Ctrl+B)", &TStickForm::AboutSpeedButtonClick);
  HelpButton = MakeSpeedButton(188, 4, 23, RES_GLYPH_HELP, "Help (F1)", &TStickForm::HelpButtonClick);
  CycleButton = MakeSpeedButton(214, 4, 23, RES_GLYPH_CYCLE, "", &TStickForm::CycleButtonClick);
  CycleButton->SetGroupIndex(1);
  CycleButton->SetAllowAllUp(true);
  AttachmentButton = MakeSpeedButton(8, 148, 20, RES_GLYPH_ATTACH, "", &TStickForm::AttachmentButtonClick);
  AttachmentButton->SetVisible(false);
  EditSpeedBtn = MakeSpeedButton(66, 148, 23, RES_GLYPH_EDIT, "Edit", &TStickForm::EditSpeedBtnClick);
  TrashSpeedBtn = MakeSpeedButton(93, 148, 20, RES_GLYPH_TRASH, "Trash", &TStickForm::TrashSpeedBtnClick);
  NewSpeedBtn = MakeSpeedButton(116, 148, 20, RES_GLYPH_NEW, "New", &TStickForm::NewSpeedBtnClick);
  CounterLabel = MakeCounterLabel();
  BackSpeedBtn = MakeSpeedButton(192, 148, 20, RES_GLYPH_BACK, "Back", &TStickForm::BackSpeedBtnClick);
  ForwardSpeedBtn = MakeSpeedButton(215, 148, 20, RES_GLYPH_FORWARD, "Forward", &TStickForm::ForwardSpeedBtnClick);

  CycleTimer = new TTimer(this);
  CycleTimer->SetName("CycleTimer");
  CycleTimer->SetEnabled(false);
  CycleTimer->SetInterval(1000);
  CycleTimer->OnTimer = [this](TObject* s) { CycleTimerTimer(s); };
}

TPanel* TStickForm::MakeNotePanel() {
  auto* panel = Placed(new TPanel(this), "NotePanel", 0, 0, 245, 175, this);
  panel->SetBorderStyle(TPanelBorderStyle::bsSingle);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetColor(clInfoBk);
  return panel;
}

TLabel* TStickForm::MakeNoteLabel() {
  auto* label = new TLabel(this);
  label->SetAutoSize(false);
  Placed(label, "NoteLabel", 7, 29, 226, 100, NotePanel);
  label->SetAlignment(TAlignment::taCenter);
  label->SetLayout(TTextLayout::tlCenter);
  label->SetWordWrap(true);
  label->SetTransparent(true);
  // A note is shown as typed: an ampersand in it is text, not an accelerator mark.
  label->SetShowAccelChar(false);
  label->SetCursor(crHandPoint);
  label->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    NoteLabelMouseDown(s, b, sh, x, y);
  };
  label->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    NoteLabelMouseUp(s, b, sh, x, y);
  };
  return label;
}

TImage* TStickForm::MakeExitImage() {
  auto* image = Placed(new TImage(this), "ExitImage", 0, 0, RES_EXITPIC_WIDTH, RES_EXITPIC_HEIGHT, NotePanel);
  image->SetTransparent(true);
  image->LoadPicture(RES_EXITPIC);
  image->SetHint("Exit");
  image->SetShowHint(true);
  image->OnClick = [this](TObject* s) { ExitImageClick(s); };
  return image;
}

TDigitClock* TStickForm::MakeClock() {
  auto* clock = new TDigitClock(this);
  Placed(clock, "DigitalClock", 49, 2, 89, clock->Height(), NotePanel);
  clock->SetCharColor(clBlack);
  clock->SetCharWidth(2);
  clock->SetCharBorderWidth(1);
  clock->SetCharHeight(2);
  clock->SetBorderColor(clSilver);
  clock->SetColor(clInfoBk);
  clock->SetShowHint(true);
  // The cells only show the time: the pointer anywhere over the clock is the clock's, for its
  // date hint.
  for (int n = 1; n <= ClockCellCount; ++n) clock->Cells(n)->SetEnabled(false);
  clock->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { DigitalClockMouseMove(s, sh, x, y); };
  return clock;
}

TLabel* TStickForm::MakeCounterLabel() {
  auto* label = new TLabel(this);
  label->SetAutoSize(false);
  Placed(label, "CounterLabel", 141, 152, 46, 13, NotePanel);
  label->SetAlignment(TAlignment::taCenter);
  label->SetTransparent(true);
  label->SetCaption("0 / 0");
  return label;
}

TSpeedButton* TStickForm::MakeSpeedButton(int left, int top, int width, const wchar_t* glyph, const char* hint,
                                          void (TStickForm::*click)(TObject*)) {
  auto* b = new TSpeedButton(this);
  b->SetBounds(left, top, width, 20);
  b->SetFlat(true);
  b->SetNumGlyphs(RES_GLYPH_IMAGES);
  b->LoadGlyph(glyph);
  b->SetHint(hint);
  b->SetShowHint(true);
  b->OnClick = [this, click](TObject* s) { (this->*click)(s); };
  b->SetParent(NotePanel);
  return b;
}

void TStickForm::CreateMenu() {
  TrayPopupMenu = new TPopupMenu(this);
  TrayPopupMenu->SetName("TrayPopupMenu");
  auto item = [this](const char* name, const char* caption, void (TStickForm::*click)(TObject*)) {
    auto* m = new TMenuItem(this);
    m->SetName(name);
    m->SetCaption(caption);
    if (click) m->OnClick = [this, click](TObject* s) { (this->*click)(s); };
    TrayPopupMenu->Items()->Add(m);
    return m;
  };
  ShowWindowItem = item("ShowWindowItem", "&Show window", &TStickForm::ShowWindowItemClick);
  ShowWindowItem->SetDefault(true);
  HideItem = item("HideItem", "&Hide window", &TStickForm::HideItemClick);
  item("", "-", nullptr);
  TrashAllItem = item("TrashAllItem", "&Trash all notes !", &TStickForm::TrashAllItemClick);
  item("", "-", nullptr);
  AlwaysOnTopItem = item("AlwaysOnTopItem", "&Always on top", &TStickForm::AlwaysOnTopItemClick);
  ClockItem = item("ClockItem", "&Clock", &TStickForm::ClockItemClick);
  ClockItem->SetChecked(true);
  AutorunItem = item("AutorunItem", "Auto &Run", &TStickForm::AutorunItemClick);
  AutorunItem->SetChecked(true);
  item("", "-", nullptr);
  AboutItem = item("AboutItem", "A&bout...", &TStickForm::AboutItemClick);
  item("", "-", nullptr);
  ExitItem = item("ExitItem", "E&xit", &TStickForm::ExitItemClick);
}

void TStickForm::CreateTrayIcon() {
  TrayIcon = new TSysTrayIcon(this);
  TrayIcon->SetName("TrayIcon");
  TrayIcon->SetCycleInterval(0);
  TrayIcon->SetHint("Zettly");
  // The notification area shows small icons at the system's DPI.
  TrayIcon->Icon().LoadFromResource(RES_TRAYICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  tray_delay_ = new TTimer(this);
  tray_delay_->SetEnabled(false);
  tray_delay_->SetInterval(TrayIconDelayMs);
  tray_delay_->OnTimer = [this](TObject*) {
    tray_delay_->SetEnabled(false);
    TrayIcon->SetIconVisible(true);
  };
  TrayIcon->SetIconIndex(0);
  TrayIcon->SetPopupMenu(TrayPopupMenu);
  TrayIcon->SetMinimizeToTray(true);
  TrayIcon->SetShellVersionMode(2);  // Enter and the menu key on the icon reach us too
  // The Linux launcher says when the desktop has no notification area, where Wine would frame the
  // icon in a window of its own. Then there is no icon and nothing to hide into; the menu stays.
  if (GetEnvironmentVariableW(L"ZETTLY_NO_TRAY_ICON", nullptr, 0) > 0) {
    TrayIcon->SetMinimizeToTray(false);
    HideItem->SetVisible(false);
  } else {
    show_tray_icon_.Start();
  }
}
