#include "app/win/ProgramShell.h"

#include "app/res/resource.h"
#include "app/win/SettingsRegistry.h"
#include "app/win/SingleInstance.h"
#include "components/tray/win/SysTrayIcon.h"
#include "toolkit/win/ProgramFolder.h"
#include "toolkit/win/WindowHooks.h"
#include "toolkit/win/WineFileMode.h"

namespace {
constexpr unsigned TrayIconDelayMs = 150;
constexpr UINT_PTR kShellHookId = 0x5A5E;

// The question an installer that closes us asks before it would end us: 1 when everything is
// saved, 2 when something is not (a changed note in the editor, a change the disk refused).
UINT UnsavedChangesMessage() {
  static const UINT message = RegisterWindowMessageW(L"Quorvel.Zettly.UnsavedChanges");
  return message;
}
}  // namespace

TProgramShell::TProgramShell(TApplication& app, TNoteSession& session, TStickForm& window)
    : app_(app), session_(session), window_(window), show_tray_icon_(&app, [this] { tray_delay_->SetEnabled(true); }),
      check_folder_(&app, [this] { CheckProgramFolder(); }) {
  AddWindowHook(window_.Handle(), WindowHook, kShellHookId, reinterpret_cast<DWORD_PTR>(this));
  // Wine on X loses the foreground to its docked icon's windows; Windows never does.
  if (UnderWine()) {
    foreground_reclaim_ = std::make_unique<TForegroundReclaim>();
    SetActivationWatch(foreground_reclaim_.get());
  }
  CreateTrayIcon();
  window_.OnStarted = [this] { Started(); };
  if (session_.Started()) Started();
}

TProgramShell::~TProgramShell() {
  window_.OnStarted = nullptr;
  folder_watch_.reset();
  if (foreground_reclaim_) SetActivationWatch(nullptr);
  if (window_.HandleAllocated()) RemoveWindowHook(window_.Handle(), WindowHook, kShellHookId);
}

void TProgramShell::CreateTrayIcon() {
  tray_icon_ = new TSysTrayIcon(&window_);
  tray_icon_->SetName("TrayIcon");
  tray_icon_->SetCycleInterval(0);
  tray_icon_->SetHint("Zettly");
  // The notification area shows small icons at the system's DPI.
  tray_icon_->Icon().LoadFromResource(RES_TRAYICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
  tray_icon_->SetIconIndex(0);
  tray_icon_->SetPopupMenu(window_.Menu());
  tray_icon_->SetMinimizeToTray(true);
  tray_icon_->SetShellVersionMode(2);  // Enter and the menu key on the icon reach us too
  tray_icon_->LoadedAll();             // made after the window's components were loaded
  tray_icon_->OnHiddenToTray = [this](TObject*) { TellWhereTheNoteIs(); };
  // The Linux launcher says when the desktop has no notification area, where Wine would frame the
  // icon in a window of its own. Then there is no icon and nothing to hide into; the menu stays.
  const bool no_area = GetEnvironmentVariableW(L"ZETTLY_NO_TRAY_ICON", nullptr, 0) > 0;
  window_.SetTrayIcon(tray_icon_, !no_area);
  if (no_area) {
    tray_icon_->SetMinimizeToTray(false);
    return;
  }
  tray_delay_ = new TTimer(&window_);
  tray_delay_->SetEnabled(false);
  tray_delay_->SetInterval(TrayIconDelayMs);
  tray_delay_->OnTimer = [this](TObject*) {
    tray_delay_->SetEnabled(false);
    tray_icon_->SetIconVisible(true);
  };
  show_tray_icon_.Start();
}

void TProgramShell::TellWhereTheNoteIs() {
  // Once for the user: Windows 11 (and often 10) puts a new icon among the hidden ones, so the
  // note seems gone. A balloon the shell did not take is tried again the next time.
  try {
    if (TrayNoticeGiven()) return;
    if (tray_icon_->ShowBalloon("Zettly is still running",
                                "Your note is in the notification area: click its icon to bring it back. "
                                "No icon? Click ^ beside the clock, or start Zettly again."))
      RememberTrayNotice();
  } catch (const std::exception&) {
    // Not remembered: said again next time, which is better than never.
  }
}

void TProgramShell::Started() {
  MarkNoteWindow(window_.Handle());
  // No watch (an unwatchable folder): outside changes are still merged at each save.
  folder_watch_ = std::make_unique<TFolderWatch>(app_, session_.Notes().Folder(), [this] { session_.FolderChanged(); });
  if (show_requested_) {
    show_requested_ = false;
    window_.BringToFront();
  }
  check_folder_.Start();
}

void TProgramShell::CheckProgramFolder() {
  // Said at start, rather than at the first change that cannot be saved.
  const TProgramFolderCheck folder = ::CheckProgramFolder(session_.Notes().Folder());
  if (folder.Kind != TProgramFolderKind::Usable)
    app_.MessageBox(ProgramFolderWarning(folder.Kind, session_.Notes().Folder(), folder.Reason), app_.Title(),
                    MB_OK | MB_ICONWARNING);
}

void TProgramShell::BringNoteWindowToFront() {
  if (!session_.Started()) show_requested_ = true;  // comes to the front once the notes are loaded
  else window_.BringToFront();
}

bool TProgramShell::QueryEndSession() {
  const TPoint place = window_.RestoredPlace();
  if (window_.EditorHoldsChanges()) {
    // As Windows asks of a program with unsaved work: the user sees why, and may end the
    // session all the same, which keeps the text as the note.
    session_block_.Hold(window_.Handle(), "A note being edited in Zettly is not stored yet.");
    return false;
  }
  try {
    session_.Notes().SaveNotes();
  } catch (const std::exception& e) {
    if (session_.Notes().Unsaved()) {
      // Not silently: the system shows the reason to the user who is logging off.
      session_block_.Hold(window_.Handle(), std::string("Zettly could not save your notes: ") + e.what());
      return false;
    }
  }
  session_.SaveAllSettings(place.X, place.Y);
  session_block_.Release();
  return true;
}

void TProgramShell::EndSession(bool ending, LPARAM how) {
  if (ending) {
    const TPoint place = window_.RestoredPlace();
    window_.EndEditing();
    try {
      session_.Notes().SaveNotes();  // the session ends whatever happens; nobody is left to tell
    } catch (const std::exception&) {
    }
    session_.SaveAllSettings(place.X, place.Y);
  }
  session_block_.Release();
  // An installer that replaces our files asks us to go; the notes are saved already.
  if (ending && (how & ENDSESSION_CLOSEAPP)) PostMessageW(window_.Handle(), WM_CLOSE, 0, 0);
}

LRESULT CALLBACK TProgramShell::WindowHook(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  auto* shell = reinterpret_cast<TProgramShell*>(data);
  if (msg == ShowNoteWindowMessage() && msg != 0) {
    shell->BringNoteWindowToFront();
    return 1;
  }
  if (msg == UnsavedChangesMessage() && msg != 0)
    return shell->session_.Notes().Unsaved() || shell->window_.EditorHoldsChanges() ? 2 : 1;
  switch (msg) {
    case WM_QUERYENDSESSION: return shell->QueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION: shell->EndSession(wp != 0, lp); return 0;
    default: return CallNextWindowHook(hwnd, msg, wp, lp);
  }
}
