// Zettly's entry point: one copy per session, the note session, the windows in their order, the
// program shell around them, the message loop.
#include <windows.h>

#include <memory>
#include <string>

#include "app/NoteSession.h"
#include "app/win/DllSearch.h"
#include "app/win/EditorForm.h"
#include "app/win/FolderCopies.h"
#include "app/win/InfoForm.h"
#include "app/win/ProgramShell.h"
#include "app/win/SettingsRegistry.h"
#include "app/win/SingleInstance.h"
#include "app/win/StickForm.h"
#include "components/timer/win/SimpleTimerWin.h"
#include "toolkit/win/Accessible.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/FileStore.h"
#include "toolkit/win/Screen.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RestrictLibrarySearchToSystem();
  auto lock = std::make_unique<TInstanceLock>();
  if (!lock->First()) {
    // The running copy owns the notes file and the settings; this one leaves both alone.
    if (HandOverToRunningCopy()) return 0;
    // Nobody answered: the other copy may have ended meanwhile. Run only if it really has (our
    // own handle goes first, or the lock would always look taken).
    lock.reset();
    lock = std::make_unique<TInstanceLock>();
    if (!lock->First()) return 0;
  }
  UseWindowTimers();
  TApplication app;
  app.Initialize();
  InstallAccessibility();
  app.SetTitle("Zettly");
  const std::string exe = app.ExeName();
  // The program's one document lives in "notices.msg" beside the program. The session outlives
  // the windows that show it (the application destroys its forms first).
  const std::string notesPath = NotesPathIn(exe.substr(0, exe.find_last_of("\\/") + 1));
  TRegistrySettings settings;
  TRegistryAutorun autorun(exe);
  TFolderCopies copies(notesPath);
  TNoteSession session(SystemFileStore(), notesPath, settings, autorun, copies);
  const TFormContext context{app, *Screen};
  TStickForm* stick = nullptr;
  TEditorForm* editor = nullptr;
  TInfoForm* about = nullptr;
  app.CreateForm(stick, session, context);
  app.CreateForm(editor, context);
  app.CreateForm(about);
  stick->SetDialogs(editor, about);
  const TProgramShell shell(app, session, *stick);
  app.Run();
  return 0;
}
