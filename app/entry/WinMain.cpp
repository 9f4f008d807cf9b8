// Zettly's entry point.
#include <windows.h>

#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TApplication app;
  app.SetTitle("Zettly");
  TForm* form = nullptr;
  app.CreateForm(form);
  form->SetCaption("Zettly");
  form->SetBorderStyle(TBorderStyle::bsNone);
  form->SetClientSize(245, 175);
  form->SetBounds(15, 15, form->Width(), form->Height());
  form->SetColor(clInfoBk);
  form->FinishCreate();
  app.Run();
  return 0;
}
