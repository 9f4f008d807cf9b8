// The note window's life: creation, the first activation, closing, the end of the user's
// session and the hand-over from a second start.
#include "app/win/StickForm.h"

#include <algorithm>
#include <vector>

#include "app/Settings.h"
#include "app/win/SingleInstance.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Text.h"

TStickForm::TStickForm(TComponent* owner, TNoteList& notes) : TForm(owner), notes_(notes) {
  SetName("StickForm");
  SetCaption("Zettly");
  SetBorderStyle(TBorderStyle::bsNone);
  const TSettings defaults = DefaultSettings();
  SetBounds(defaults.Left, defaults.Top, Width(), Height());
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

void TStickForm::FormCreate(TObject*) {
  notes_.Reset();
  next_note_ = 1;
  DragStartX = DragStartY = 0;
  const std::string exe = Application->ExeName();
  notes_.SetProgramFolder(exe.substr(0, exe.find_last_of("\\/") + 1));
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
  try {
    notes_.BuildNotesPath();
    notes_.LoadNotes();
  } catch (const std::exception&) {
    // No store to read through: the list stays empty and unread, so nothing is ever saved.
  }
  ready_ = true;
  MarkNoteWindow(hwnd_);  // from now on a second start may hand over to us
  WatchNotesFolder();
  conflict_copies_.Merge(notes_);
  ApplySwitches();
  if (notes_.FileState() == TNoteList::TFileState::Refused)
    Application->MessageBox(notes_.RefusalText(), Application->Title(), MB_OK | MB_ICONWARNING);
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

void TStickForm::FormShow(TObject*) {
  RoundCorners();
  // The first show normally activates the window too. When the system keeps the activation
  // from us (a start at logon behind another program), the notes must still be loaded now: a
  // save before them would write an empty list over the file.
  FormActivate(this);
}

void TStickForm::FormClose(TObject*, TCloseAction& action) {
  if (CloseHeldByDialog() || !SaveOrConfirmLoss()) {
    action = TCloseAction::caNone;
    return;
  }
  try {
    SaveSettings();
  } catch (const std::exception&) {
    // Settings that cannot be written never keep the program from ending.
  }
  // Neither holds anything to lose: they end with the program (the quit message ends the
  // question's loop), the question as "No".
  if (about_ && about_->Modal()) about_->SetModalResult(mrCancel);
  if (asking_trash_all_) trash_all_dismissed_ = true;
}

bool TStickForm::SaveOrConfirmLoss() {
  try {
    notes_.SaveNotes();
    return true;
  } catch (const std::exception& e) {
    if (!notes_.Unsaved()) return true;
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
    notes_.SaveNotes();
  } catch (const std::exception& e) {
    if (notes_.Unsaved()) {
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
  folder_watch_ = std::make_unique<TFolderWatch>(notes_.ProgramFolder(), [this] { NotesFolderChanged(); });
}

void TStickForm::NotesFolderChanged() {
  const bool reloaded = notes_.ReloadIfChanged();
  if (!conflict_copies_.Merge(notes_) && !reloaded) return;
  // The note on display again, or the nearest one left.
  const int32_t shown = next_note_ - 1;
  ShowNote(shown < 1 ? 1 : std::min(shown, notes_.NoteCount()));
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
