// What belongs to the whole program rather than to one window: the tray icon, the watch on the
// notes file's folder, being the one running copy that a second start hands over to, the end of
// the user's session, and Wine's lost foreground.
#pragma once
#include <windows.h>

#include <memory>

#include "app/NoteSession.h"
#include "app/win/ShutdownBlock.h"
#include "app/win/StickForm.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/FolderWatch.h"
#include "toolkit/win/ForegroundReclaim.h"
#include "toolkit/win/IdleTask.h"
#include "toolkit/win/Timer.h"

class TSysTrayIcon;

class TProgramShell {
 public:
  // All three are the program's (not owned) and MUST outlive the shell; the window's handle
  // exists.
  TProgramShell(TApplication& app, TNoteSession& session, TStickForm& window);
  ~TProgramShell();
  TProgramShell(const TProgramShell&) = delete;
  TProgramShell& operator=(const TProgramShell&) = delete;

  TSysTrayIcon* TrayIcon() const { return tray_icon_; }

 private:
  static LRESULT CALLBACK WindowHook(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  // The icon goes into the notification area a moment after the start is on the screen, unless
  // the desktop has none to show it in.
  void CreateTrayIcon();
  // The notes are loaded: a second start may hand over from now on, and the folder is watched.
  void Started();
  // Says at once, with the note on the screen, when its folder cannot keep the notes.
  void CheckProgramFolder();
  void BringNoteWindowToFront();
  // The first time the note goes to the tray, the user is told where it is.
  void TellWhereTheNoteIs();
  bool QueryEndSession();
  void EndSession(bool ending, LPARAM how);

  TApplication& app_;      // not owned
  TNoteSession& session_;  // not owned
  TStickForm& window_;     // not owned
  TSysTrayIcon* tray_icon_ = nullptr;  // owned by the window, as its component
  // The shell's work for the icon (tens of milliseconds) would otherwise compete with the first
  // sight of the notes. The pause is a one-shot timer, armed only once the loop has been idle.
  TTimer* tray_delay_ = nullptr;       // owned by the window
  TIdleTask show_tray_icon_;
  TIdleTask check_folder_;
  std::unique_ptr<TFolderWatch> folder_watch_;  // on the notes file's folder, once started
  TShutdownBlock session_block_;  // the end of the session held up while notes are unsaved
  std::unique_ptr<TForegroundReclaim> foreground_reclaim_;  // under Wine only
  bool show_requested_ = false;  // a hand-over came before the notes were loaded
};
