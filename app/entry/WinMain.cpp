// Zettly's entry point: one copy per session, the windows in their order, the message loop.
#include <windows.h>

#include "app/win/EditUnit.h"
#include "app/win/InfoUnit.h"
#include "app/win/SingleInstance.h"
#include "app/win/Unit1.h"
#include "toolkit/win/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TInstanceLock lock;
  if (!lock.First()) {
    // The running copy owns the notes file and the settings; this one leaves both alone.
    HandOverToRunningCopy();
    return 0;
  }
  TApplication app;
  app.Initialize();
  app.SetTitle("Zettly");
  app.CreateForm(StickForm);
  app.CreateForm(EditorForm);
  app.CreateForm(InfoForm);
  app.Run();
  return 0;
}
