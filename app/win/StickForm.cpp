// The note window's life: creation, the first activation, closing, the end of the user's
// session and the hand-over from a second start.
#include "app/win/StickForm.h"

#include <optional>
#include <vector>

#include "app/Settings.h"
#include "app/win/NotesQuestions.h"
#include "app/win/SingleInstance.h"
#include "toolkit/win/Text.h"

TStickForm::TStickForm(TComponent* owner, TNoteList& notes, const TFormContext& context)
    : TForm(owner), notes_(notes), ctx_(context), settings_(DefaultSettings()) {
  settings_.Cycling = false;  // until the first activation reads the stored switch
  SetName("StickForm");
  SetCaption("Zettly");
  SetBorderStyle(TBorderStyle::bsNone);
  SetBounds(settings_.Left, settings_.Top, Width(), Height());
  SetClientSize(245, 175);
  SetColor(clInfoBk);
  SetKeyPreview(true);
  SetShowHint(true);
  const TRun run = [this](TCommand command) { Run(command); };
  CreateControls(*this, run);
  NoteLabel->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) { NoteLabelMouseDown(x, y); };
  NoteLabel->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) { NoteLabelMouseUp(x, y); };
  DigitalClock->OnMouseMove = [this](TObject*, TShiftState, int, int) { ShowDateHint(*DigitalClock); };
  CycleTimer->OnTimer = [this](TObject*) { ShowNote(view_.Shown() + 1); };
  CreateMenu(*this, run);
  SetPopupMenu(TrayPopupMenu);
  CreateTrayIcon(*this);
  ShowSettings();
  DescribeForScreenReaders();
  OnCreate = [this](TObject*) { FormCreate(); };
  OnActivate = [this](TObject*) { FormActivate(); };
  OnShow = [this](TObject*) { FormShow(); };
  OnClose = [this](TObject*, TCloseAction& a) { FormClose(a); };
  OnKeyDown = [this](TObject*, uint16_t& key, TShiftState shift) { FormKeyDown(key, shift); };
  FinishCreate();
}

TStickForm::~TStickForm() { folder_watch_.reset(); }

void TStickForm::FormCreate() {
  notes_.Reset();
  view_.Clear();
  DragStartX = DragStartY = 0;
  try {
    ReadPlacement();
  } catch (const std::exception& e) {
    // The window comes up all the same, where the values read so far put it.
    ctx_.App.HandleException(e);
  }
  KeepOnScreen();
  ShowDateHint(*DigitalClock);  // a hint from the start, so it has a tooltip
}

namespace {
BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  MONITORINFO info{sizeof info};
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<TRect>*>(lp)->push_back(
        {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
  return TRUE;
}

// Where a window (screen bounds) whose drag area a person cannot reach on any monitor goes: into
// the work area of the monitor nearest to it. Nothing when it can be reached where it is.
std::optional<TPoint> ReachablePlace(const TRect& window, const TRect& drag) {
  std::vector<TRect> areas;
  EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
  if (areas.empty() || DragAreaReachable(drag, areas)) return std::nullopt;
  const RECT r{window.Left, window.Top, window.Right, window.Bottom};
  MONITORINFO info{sizeof info};
  if (!GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info)) return std::nullopt;
  return KeepInsideWorkArea(window, {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
}
}  // namespace

void TStickForm::KeepOnScreen() {
  const TRect drag{Left() + NoteLabel->Left(), Top() + NoteLabel->Top(), Left() + NoteLabel->Left() + NoteLabel->Width(),
                   Top() + NoteLabel->Top() + NoteLabel->Height()};
  // A window a person can reach stays where it was stored.
  if (const auto p = ReachablePlace(BoundsRect(), drag)) SetBounds(p->X, p->Y, Width(), Height());
}

void TStickForm::FormActivate() {
  // Once only: run again it would reload the file (bringing back notes deleted since the last
  // save) and re-apply the stored switches over the user's changes.
  if (activated_) return;
  activated_ = true;
  ActivationStep();
}

void TStickForm::ActivationStep() {
  try {
    notes_.LoadNotes();
  } catch (const std::exception&) {
    // No store to read through: the list stays empty and unread, so nothing is ever saved.
  }
  ready_ = true;
  MarkNoteWindow(hwnd_);  // from now on a second start may hand over to us
  WatchNotesFolder();
  conflict_copies_.Merge(notes_, ctx_.App);
  ApplySwitches();
  if (notes_.FileState() == TNoteList::TFileState::Refused)
    ctx_.App.MessageBox(notes_.RefusalText(), ctx_.App.Title(), MB_OK | MB_ICONWARNING);
  if (show_requested_) {
    show_requested_ = false;
    BringNoteWindowToFront();
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

void TStickForm::FormShow() {
  RoundCorners();
  // The first show normally activates the window too. When the system keeps the activation
  // from us (a start at logon behind another program), the notes must still be loaded now: a
  // save before them would write an empty list over the file.
  FormActivate();
}

void TStickForm::FormClose(TCloseAction& action) {
  if (dialogs_.CloseHeld() || !SaveOrConfirmLoss(notes_, ctx_.App)) {
    action = TCloseAction::caNone;
    return;
  }
  SaveSettingsQuietly();
  dialogs_.EndForClose();
}

void TStickForm::BringNoteWindowToFront() {
  if (!ready_) {
    show_requested_ = true;  // comes to the front once the notes are loaded
    return;
  }
  if (ctx_.App.IsMinimized()) ctx_.App.Restore();
  HWND app = ctx_.App.Handle();
  if (app && !IsWindowVisible(app)) ShowWindow(app, SW_SHOWNA);  // the taskbar button, hidden by the tray
  if (HandleAllocated() && IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  Show();
  if (!dialogs_.BringModalForward()) SetForegroundWindow(Handle());
}

bool TStickForm::QueryEndSession() {
  try {
    notes_.SaveNotes();
  } catch (const std::exception& e) {
    if (notes_.Unsaved()) {
      // Not silently: the system shows the reason to the user who is logging off.
      session_block_.Hold(hwnd_, std::string("Zettly could not save your notes: ") + e.what());
      return false;
    }
  }
  SaveSettingsQuietly();
  session_block_.Release();
  return true;
}

void TStickForm::WatchNotesFolder() {
  // No watch (an unwatchable folder): outside changes are still merged at each save.
  folder_watch_.reset();
  folder_watch_ = std::make_unique<TFolderWatch>(notes_.ProgramFolder(), [this] { NotesFolderChanged(); });
}

void TStickForm::NotesFolderChanged() {
  const bool reloaded = notes_.ReloadIfChanged();
  if (!conflict_copies_.Merge(notes_, ctx_.App) && !reloaded) return;
  // The note on display again, or the nearest one left.
  view_.ShowNearest();
  ShowNote(view_.Shown());
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
      session_block_.Release();
      // An installer that replaces our files asks us to go; the notes are saved already.
      if (m.WParam && (m.LParam & ENDSESSION_CLOSEAPP)) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
      m.Result = 0;
      return;
    default:
      break;
  }
  TForm::WndProc(m);
}
