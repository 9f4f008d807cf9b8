// The note window's life: creation, the first activation, its place on the screen and closing.
#include "app/win/StickForm.h"

#include <optional>
#include <vector>

#include "components/tray/win/SysTrayIcon.h"

namespace {
// A save tries a refused file for about two seconds; then every so often, while the change waits.
constexpr unsigned SaveRetryMs = 15000;
}  // namespace

TStickForm::TStickForm(TComponent* owner, TNoteSession& session, const TFormContext& context)
    : TForm(owner), session_(session), ctx_(context) {
  SetName("StickForm");
  SetCaption("Zettly");
  SetBorderStyle(TBorderStyle::bsNone);
  SetBounds(session_.Settings().Left, session_.Settings().Top, Width(), Height());
  SetClientSize(245, 175);
  SetColor(clInfoBk);
  SetKeyPreview(true);
  SetShowHint(true);
  const TRun run = [this](TCommand command) { Run(command); };
  CreateControls(*this, run);
  NoteLabel->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) { NoteLabelMouseDown(x, y); };
  NoteLabel->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) { NoteLabelMouseUp(x, y); };
  DigitalClock->OnMouseMove = [this](TObject*, TShiftState, int, int) { ShowDateHint(*DigitalClock); };
  CycleTimer->OnTimer = [this](TObject*) { session_.CycleTick(); };
  save_retry_ = new TTimer(this);
  save_retry_->SetName("SaveRetryTimer");
  save_retry_->SetEnabled(false);
  save_retry_->SetInterval(SaveRetryMs);
  save_retry_->OnTimer = [this](TObject*) {
    if (session_.RetrySave()) save_retry_->SetEnabled(false);
  };
  CreateMenu(*this, run);
  SetPopupMenu(TrayPopupMenu);
  session_.Attach(this, this);
  ShowSettings(session_.Settings(), "");
  DescribeForScreenReaders();
  OnCreate = [this](TObject*) { FormCreate(); };
  OnActivate = [this](TObject*) { FormActivate(); };
  OnShow = [this](TObject*) { FormShow(); };
  OnClose = [this](TObject*, TCloseAction& a) { FormClose(a); };
  OnKeyDown = [this](TObject*, uint16_t& key, TShiftState shift) { FormKeyDown(key, shift); };
  FinishCreate();
}

TStickForm::~TStickForm() { session_.Attach(nullptr, nullptr); }

bool TStickForm::EditorHoldsChanges() const { return dialogs_.Editor() && dialogs_.Editor()->HoldsChanges(); }

void TStickForm::EndEditing() {
  TEditorForm* editor = dialogs_.Editor();
  if (!editor || !editor->Modal()) return;
  if (editor->HoldsChanges()) session_.KeepEditedNote(editor->Value());
  editor->Dismiss();
}

void TStickForm::SetTrayIcon(TSysTrayIcon* icon, bool canHide) {
  tray_icon_ = icon;
  HideItem->SetVisible(canHide);
}

void TStickForm::SetDialogs(TEditorForm* editor, TForm* about) { dialogs_.Set(editor, about); }

void TStickForm::FormCreate() {
  DragStartX = DragStartY = 0;
  try {
    session_.ReadPlacement();
  } catch (const std::exception& e) {
    // The window comes up all the same, where the values read so far put it.
    ctx_.App.HandleException(e);
  }
  TPoint place{session_.Settings().Left, session_.Settings().Top};
  // The first place counts from the primary monitor's work area: a taskbar at the top or on the
  // left would cover a note at 15, 15 of the screen.
  const TSettings first = DefaultSettings();
  RECT area{};
  if (place.X == first.Left && place.Y == first.Top && SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    place = {area.left + place.X, area.top + place.Y};
  SetTop(place.Y);
  SetLeft(place.X);
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
  if (session_.Started()) return;
  session_.Start();
  if (OnStarted) OnStarted();
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
  if (dialogs_.CloseHeld() || !session_.SaveForClose()) {
    action = TCloseAction::caNone;
    return;
  }
  const TPoint place = RestoredPlace();
  session_.SaveAllSettings(place.X, place.Y);
  dialogs_.EndForClose();
}

TPoint TStickForm::RestoredPlace() const {
  WINDOWPLACEMENT placement{sizeof placement};
  const bool parked = HandleAllocated() && IsIconic(hwnd_) && GetWindowPlacement(hwnd_, &placement);
  return parked ? TPoint{placement.rcNormalPosition.left, placement.rcNormalPosition.top} : TPoint{Left(), Top()};
}

void TStickForm::BringToFront() {
  if (ctx_.App.IsMinimized()) ctx_.App.Restore();
  HWND app = ctx_.App.Handle();
  if (app && !IsWindowVisible(app)) ShowWindow(app, SW_SHOWNA);  // the taskbar button, hidden by the tray
  if (HandleAllocated() && IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  Show();
  if (!dialogs_.BringModalForward()) SetForegroundWindow(Handle());
}
