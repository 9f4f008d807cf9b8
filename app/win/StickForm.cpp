// The note window's controls and its life: creation, the first activation, closing, the end of
// the user's session and the hand-over from a second start.
#include "app/win/StickForm.h"

#include <algorithm>
#include <vector>

#include "app/Notes.h"
#include "app/Settings.h"
#include "app/res/resource.h"
#include "app/win/SingleInstance.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/FileStore.h"
#include "toolkit/win/Registry.h"
#include "toolkit/win/Text.h"

namespace {
constexpr unsigned TrayIconDelayMs = 150;
}  // namespace

TStickForm::TStickForm(TComponent* owner) : TForm(owner) {
  SetName("StickForm");
  SetCaption("Zettly");
  SetBorderStyle(TBorderStyle::bsNone);
  SetBounds(DefaultLeft, DefaultTop, Width(), Height());
  SetClientSize(245, 175);
  SetColor(clInfoBk);
  SetKeyPreview(true);
  SetShowHint(true);
  CreateControls();
  CreateMenu();
  SetPopupMenu(TrayPopupMenu);
  CreateTrayIcon();
  DescribeForScreenReaders();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnActivate = [this](TObject* s) { FormActivate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  OnKeyDown = [this](TObject* s, uint16_t& key, TShiftState shift) { FormKeyDown(s, key, shift); };
  FinishCreate();
}

TStickForm::~TStickForm() {
  folder_watch_.reset();
  if (session_blocked_ && HandleAllocated()) ShutdownBlockReasonDestroy(hwnd_);
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
  show_tray_icon_.Start();
  TrayIcon->SetIconIndex(0);
  TrayIcon->SetPopupMenu(TrayPopupMenu);
  TrayIcon->SetMinimizeToTray(true);
  TrayIcon->SetShellVersionMode(2);  // Enter and the menu key on the icon reach us too
}

void TStickForm::CreateControls() {
  NotePanel = new TPanel(this);
  NotePanel->SetName("NotePanel");
  NotePanel->SetBounds(0, 0, 245, 175);
  NotePanel->SetBorderStyle(TPanelBorderStyle::bsSingle);
  NotePanel->SetBevelOuter(TBevelCut::bvNone);
  NotePanel->SetColor(clInfoBk);
  NotePanel->SetParent(this);

  NoteLabel = new TLabel(this);
  NoteLabel->SetName("NoteLabel");
  NoteLabel->SetAutoSize(false);
  NoteLabel->SetBounds(7, 29, 226, 100);
  NoteLabel->SetAlignment(TAlignment::taCenter);
  NoteLabel->SetLayout(TTextLayout::tlCenter);
  NoteLabel->SetWordWrap(true);
  NoteLabel->SetTransparent(true);
  // A note is shown as typed: an ampersand in it is text, not an accelerator mark.
  NoteLabel->SetShowAccelChar(false);
  NoteLabel->SetCursor(crHandPoint);
  NoteLabel->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    NoteLabelMouseDown(s, b, sh, x, y);
  };
  NoteLabel->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    NoteLabelMouseUp(s, b, sh, x, y);
  };
  NoteLabel->SetParent(NotePanel);

  ExitImage = new TImage(this);
  ExitImage->SetName("ExitImage");
  ExitImage->SetBounds(0, 0, RES_EXITPIC_WIDTH, RES_EXITPIC_HEIGHT);
  ExitImage->SetTransparent(true);
  ExitImage->LoadPicture(RES_EXITPIC);
  ExitImage->SetHint("Exit");
  ExitImage->SetShowHint(true);
  ExitImage->OnClick = [this](TObject* s) { ExitImageClick(s); };
  ExitImage->SetParent(NotePanel);

  DigitalClock = new TDigitClock(this);
  DigitalClock->SetName("DigitalClock");
  DigitalClock->SetBounds(49, 2, 89, DigitalClock->Height());
  DigitalClock->SetCharColor(clBlack);
  DigitalClock->SetCharWidth(2);
  DigitalClock->SetCharBorderWidth(1);
  DigitalClock->SetCharHeight(2);
  DigitalClock->SetBorderColor(clSilver);
  DigitalClock->SetColor(clInfoBk);
  DigitalClock->SetShowHint(true);
  // The cells only show the time: the pointer anywhere over the clock is the clock's, for its
  // date hint.
  for (int n = 1; n <= ClockCellCount; ++n) DigitalClock->Cells(n)->SetEnabled(false);
  DigitalClock->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { DigitalClockMouseMove(s, sh, x, y); };
  DigitalClock->SetParent(NotePanel);

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

  CounterLabel = new TLabel(this);
  CounterLabel->SetName("CounterLabel");
  CounterLabel->SetAutoSize(false);
  CounterLabel->SetBounds(141, 152, 46, 13);
  CounterLabel->SetAlignment(TAlignment::taCenter);
  CounterLabel->SetTransparent(true);
  CounterLabel->SetCaption("0 / 0");
  CounterLabel->SetParent(NotePanel);

  BackSpeedBtn = MakeSpeedButton(192, 148, 20, RES_GLYPH_BACK, "Back", &TStickForm::BackSpeedBtnClick);
  ForwardSpeedBtn = MakeSpeedButton(215, 148, 20, RES_GLYPH_FORWARD, "Forward", &TStickForm::ForwardSpeedBtnClick);

  CycleTimer = new TTimer(this);
  CycleTimer->SetName("CycleTimer");
  CycleTimer->SetEnabled(false);
  CycleTimer->SetInterval(1000);
  CycleTimer->OnTimer = [this](TObject* s) { CycleTimerTimer(s); };
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

void TStickForm::FormCreate(TObject*) {
  TNoteList& list = NoteList();
  list.SetFileStore(&SystemFileStore());
  list.Reset();
  list.SetNextNote(1);
  DragStartX = DragStartY = 0;
  const std::string exe = Application->ExeName();
  list.SetProgramFolder(exe.substr(0, exe.find_last_of("\\/") + 1));
  try {
    ReadPlacement();
  } catch (const std::exception& e) {
    // The window comes up all the same, where the values read so far put it.
    Application->HandleException(e);
  }
  KeepOnScreen();
  DigitalClockMouseMove(DigitalClock, {}, 0, 0);  // a hint from the start, so it has a tooltip
}

namespace {
BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  MONITORINFO info{sizeof info};
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<TRect>*>(lp)->push_back(
        {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  return TRUE;
}
}  // namespace

void TStickForm::KeepOnScreen() {
  std::vector<TRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
  const TRect drag{Left() + NoteLabel->Left(), Top() + NoteLabel->Top(), Left() + NoteLabel->Left() + NoteLabel->Width(),
                   Top() + NoteLabel->Top() + NoteLabel->Height()};
  if (areas.empty() || DragAreaReachable(drag, areas)) return;  // a person can reach it: stays as stored
  RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
  MONITORINFO info{sizeof info};
  if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return;
  const TRect work{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  const TPoint p = KeepInsideWorkArea(BoundsRect(), work);
  SetBounds(p.X, p.Y, Width(), Height());
}

void TStickForm::FormActivate(TObject*) {
  // Once only: run again it would reload the file (bringing back notes deleted since the last
  // save) and re-apply the stored switches over the user's changes.
  if (activated_) return;
  activated_ = true;
  ActivationStep();
}

void TStickForm::ActivationStep() {
  TNoteList& list = NoteList();
  try {
    list.BuildNotesPath();
    list.LoadNotes();
  } catch (const std::exception&) {
    // No store to read through: the list stays empty and unread, so nothing is ever saved.
  }
  ready_ = true;
  MarkNoteWindow(hwnd_);  // from now on a second start may hand over to us
  WatchNotesFolder();
  ApplySwitches();
  if (list.FileState() == TNoteList::TFileState::Refused)
    Application->MessageBox(list.RefusalText(), Application->Title(), MB_OK | MB_ICONWARNING);
  if (show_requested_) {
    show_requested_ = false;
    BringNoteWindowToFront();
  }
}

void TStickForm::ApplySwitches() {
  TRegistry reg;
  reg.OpenKey(std::string(SettingsKey), false);
  // Each switch on its own: a value of the wrong type gives that switch its default and the
  // others still apply.
  const auto on = [&reg](std::string_view name) {
    const std::string n(name);
    try {
      return !reg.ValueExists(n) || reg.ReadInteger(n) != 0;
    } catch (const std::exception&) {
      return true;
    }
  };
  if (on(CyclingValue)) {
    CycleButton->SetDown(true);
    ApplyCycling();
  } else {
    ShowNote(1);
  }
  if (on(ClockValue)) ShowClock();
  else HideClock();
  try {
    if (on(AutorunValue)) EnableAutorun();
    else DisableAutorun();
  } catch (const std::exception&) {
    // The item's tick already says what happened; no box at start.
  }
}

void TStickForm::RoundCorners() {
  const int corner = Scaled(20);
  SetWindowRegion(CreateRoundRectRgn(0, 0, Width() + 1, Height() + 1, corner, corner), true);
}

void TStickForm::Resize() {
  TForm::Resize();
  if (HandleAllocated()) RoundCorners();
}

void TStickForm::FormShow(TObject*) {
  RoundCorners();
  // The first show normally activates the window too. When the system keeps the activation
  // from us (a start at logon behind another program), the notes must still be loaded now: a
  // save before them would write an empty list over the file.
  FormActivate(this);
}

void TStickForm::FormClose(TObject*, TCloseAction& action) {
  // The dialog in front holds what the user is typing: it comes forward and the program stays.
  if (BringModalForward() || !SaveOrConfirmLoss()) {
    action = TCloseAction::caNone;
    return;
  }
  try {
    SaveSettings();
  } catch (const std::exception&) {
    // Settings that cannot be written never keep the program from ending.
  }
}

bool TStickForm::SaveOrConfirmLoss() {
  try {
    NoteList().SaveNotes();
    return true;
  } catch (const std::exception& e) {
    if (!NoteList().Unsaved()) return true;
    std::string reason = e.what();
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
    int answer = IDNO;
    try {
      answer = Application->MessageBox(
          "Zettly could not save your notes: " + reason + ". Close anyway and lose the unsaved changes?",
          Application->Title(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    } catch (const std::exception&) {
      answer = IDNO;  // a question that could not be asked was not answered yes
    }
    return answer == IDYES;
  }
}

bool TStickForm::BringModalForward() {
  HWND modal = nullptr;
  for (TForm* f : {static_cast<TForm*>(editor_), about_})
    if (f && f->Modal() && f->HandleAllocated()) modal = f->Handle();
  if (!modal && Application->MessageBoxesShown() > 0) {
    HWND popup = GetLastActivePopup(Application->Handle());
    modal = popup && popup != Application->Handle() ? popup : Application->Handle();
  }
  if (!modal) return false;
  if (Application->IsMinimized()) Application->Restore();
  if (!IsWindowVisible(modal)) ShowWindow(modal, SW_SHOW);
  SetForegroundWindow(modal);
  return true;
}

void TStickForm::BringNoteWindowToFront() {
  if (!ready_) {
    show_requested_ = true;  // comes to the front once the notes are loaded
    return;
  }
  if (Application->IsMinimized()) Application->Restore();
  HWND app = Application->Handle();
  if (app && !IsWindowVisible(app)) ShowWindow(app, SW_SHOWNA);  // the taskbar button, hidden by the tray
  if (HandleAllocated() && IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  Show();
  if (!BringModalForward()) SetForegroundWindow(Handle());
}

bool TStickForm::QueryEndSession() {
  try {
    NoteList().SaveNotes();
  } catch (const std::exception& e) {
    if (NoteList().Unsaved()) {
      // Not silently: the system shows the reason to the user who is logging off.
      session_blocked_ = ShutdownBlockReasonCreate(hwnd_, ToWide(std::string("Zettly could not save your notes: ") + e.what()).c_str());
      return false;
    }
  }
  try {
    SaveSettings();
  } catch (const std::exception&) {
  }
  if (session_blocked_) ShutdownBlockReasonDestroy(hwnd_);
  session_blocked_ = false;
  return true;
}

void TStickForm::WatchNotesFolder() {
  // No watch (an unwatchable folder): outside changes are still merged at each save.
  folder_watch_.reset();
  folder_watch_ = std::make_unique<TFolderWatch>(NoteList().ProgramFolder(), [this] { NotesFolderChanged(); });
}

void TStickForm::NotesFolderChanged() {
  TNoteList& list = NoteList();
  if (!list.ReloadIfChanged()) return;
  // The note on display again, or the nearest one left.
  const int32_t shown = list.NextNote() - 1;
  ShowNote(shown < 1 ? 1 : std::min(shown, list.NoteCount()));
}

void TStickForm::WndProc(TMessage& m) {
  if (m.Msg == ShowNoteWindowMessage() && m.Msg != 0) {
    BringNoteWindowToFront();
    m.Result = 1;
    return;
  }
  switch (m.Msg) {
    case WM_QUERYENDSESSION:
      m.Result = QueryEndSession() ? TRUE : FALSE;
      return;
    case WM_ENDSESSION:
      if (m.WParam) {
        try {
          SaveAll();  // the session ends whatever happens; nobody is left to tell
        } catch (const std::exception&) {
        }
      }
      if (session_blocked_) ShutdownBlockReasonDestroy(hwnd_);
      session_blocked_ = false;
      m.Result = 0;
      return;
    default:
      break;
  }
  TForm::WndProc(m);
}
