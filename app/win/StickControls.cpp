// The note window's controls and its menu, each made in one place, in the order
// the window stacks them.
#include "app/win/StickControls.h"

#include "app/res/resource.h"
#include "app/win/NoteClock.h"

namespace {
// A control of the window, named and placed (96-DPI pixels) on its parent.
template <typename T>
T* Placed(T* control, const char* name, int left, int top, int width, int height, TWinControl* parent) {
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  control->SetParent(parent);
  return control;
}
}  // namespace

void TStickControls::CreateControls(TForm& form, const TRun& run) {
  using C = TStickCommand;
  MakePanelAndLabels(form);
  MakeExitImage(form, run);
  MakeClock(form);
  AboutSpeedButton = MakeSpeedButton(form, 164, 4, 23, RES_GLYPH_ABOUT, C::About, run);
  HelpButton = MakeSpeedButton(form, 188, 4, 23, RES_GLYPH_HELP, C::Help, run);
  CycleButton = MakeSpeedButton(form, 214, 4, 23, RES_GLYPH_CYCLE, C::Cycle, run);
  CycleButton->SetGroupIndex(1);
  CycleButton->SetAllowAllUp(true);
  AttachmentButton = MakeSpeedButton(form, 8, 148, 20, RES_GLYPH_ATTACH, C::Attachment, run);
  AttachmentButton->SetVisible(false);
  EditSpeedBtn = MakeSpeedButton(form, 66, 148, 23, RES_GLYPH_EDIT, C::Edit, run);
  TrashSpeedBtn = MakeSpeedButton(form, 93, 148, 20, RES_GLYPH_TRASH, C::Trash, run);
  NewSpeedBtn = MakeSpeedButton(form, 116, 148, 20, RES_GLYPH_NEW, C::New, run);
  CounterLabel = new TLabel(&form);
  CounterLabel->SetAutoSize(false);
  Placed(CounterLabel, "CounterLabel", 141, 152, 46, 13, NotePanel);
  CounterLabel->SetAlignment(TAlignment::taCenter);
  CounterLabel->SetTransparent(true);
  CounterLabel->SetCaption("0 / 0");
  BackSpeedBtn = MakeSpeedButton(form, 192, 148, 20, RES_GLYPH_BACK, C::Back, run);
  ForwardSpeedBtn = MakeSpeedButton(form, 215, 148, 20, RES_GLYPH_FORWARD, C::Forward, run);

  CycleTimer = new TTimer(&form);
  CycleTimer->SetName("CycleTimer");
  CycleTimer->SetEnabled(false);
  CycleTimer->SetInterval(1000);
}

void TStickControls::MakePanelAndLabels(TForm& form) {
  NotePanel = Placed(new TPanel(&form), "NotePanel", 0, 0, 245, 175, &form);
  NotePanel->SetBorderStyle(TPanelBorderStyle::bsSingle);
  NotePanel->SetBevelOuter(TBevelCut::bvNone);
  NotePanel->SetColor(clInfoBk);
  NoteLabel = new TLabel(&form);
  NoteLabel->SetAutoSize(false);
  Placed(NoteLabel, "NoteLabel", 7, 29, 226, 100, NotePanel);
  NoteLabel->SetAlignment(TAlignment::taCenter);
  NoteLabel->SetLayout(TTextLayout::tlCenter);
  NoteLabel->SetWordWrap(true);
  NoteLabel->SetTransparent(true);
  // A note is shown as typed: an ampersand in it is text, not an accelerator mark.
  NoteLabel->SetShowAccelChar(false);
  NoteLabel->SetCursor(crHandPoint);
}

void TStickControls::MakeExitImage(TForm& form, const TRun& run) {
  ExitImage = Placed(new TImage(&form), "ExitImage", 0, 0, RES_EXITPIC_WIDTH, RES_EXITPIC_HEIGHT, NotePanel);
  ExitImage->SetTransparent(true);
  ExitImage->LoadPicture(RES_EXITPIC);
  ExitImage->SetHint(CommandHint(TStickCommand::Exit));
  ExitImage->SetShowHint(true);
  ExitImage->OnClick = [run](TObject*) { run(TStickCommand::Exit); };
}

void TStickControls::MakeClock(TForm& form) {
  DigitalClock = new TDigitClock(&form);
  Placed(DigitalClock, "DigitalClock", 49, 2, 89, DigitalClock->Height(), NotePanel);
  StyleAsNoteClock(*DigitalClock);
  DigitalClock->SetShowHint(true);
  // The cells only show the time: the pointer anywhere over the clock is the clock's, for its
  // date hint.
  for (int n = 1; n <= ClockCellCount; ++n) DigitalClock->Cells(n)->SetEnabled(false);
}

TSpeedButton* TStickControls::MakeSpeedButton(TForm& form, int left, int top, int width, const wchar_t* glyph,
                                              TStickCommand command, const TRun& run) {
  auto* b = new TSpeedButton(&form);
  b->SetBounds(left, top, width, 20);
  b->SetFlat(true);
  b->SetNumGlyphs(RES_GLYPH_IMAGES);
  b->LoadGlyph(glyph);
  b->SetHint(CommandHint(command));
  b->SetShowHint(true);
  b->OnDescribeAccessible = [command](const TControl&, TAccessibleInfo& info) {
    info.Text.Shortcut = CommandKeys(command);
  };
  b->OnClick = [run, command](TObject*) { run(command); };
  b->SetParent(NotePanel);
  return b;
}

void TStickControls::CreateMenu(TForm& form, const TRun& run) {
  TrayPopupMenu = new TPopupMenu(&form);
  TrayPopupMenu->SetName("TrayPopupMenu");
  auto item = [&](const char* name, const char* caption, TStickCommand command) {
    auto* m = new TMenuItem(&form);
    m->SetName(name);
    m->SetCaption(caption);
    m->OnClick = [run, command](TObject*) { run(command); };
    TrayPopupMenu->Items()->Add(m);
    return m;
  };
  auto separator = [&] {
    auto* m = new TMenuItem(&form);
    m->SetCaption("-");
    TrayPopupMenu->Items()->Add(m);
  };
  using C = TStickCommand;
  ShowWindowItem = item("ShowWindowItem", "&Show window", C::ShowWindow);
  ShowWindowItem->SetDefault(true);
  HideItem = item("HideItem", "&Hide window", C::HideWindow);
  separator();
  TrashAllItem = item("TrashAllItem", "&Trash all notes !", C::TrashAll);
  separator();
  AlwaysOnTopItem = item("AlwaysOnTopItem", "&Always on top", C::AlwaysOnTop);
  ClockItem = item("ClockItem", "&Clock", C::Clock);
  AutorunItem = item("AutorunItem", "Auto &Run", C::Autorun);
  separator();
  AboutItem = item("AboutItem", "A&bout...", C::About);
  separator();
  ExitItem = item("ExitItem", "E&xit", C::Exit);
}

