// Shared pieces of the tray icon's Win32 tests: the program's main form, a window hook that
// records what reaches the window's own procedure, and a popup menu that records instead of
// tracking.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "components/tray/win/SysTrayIcon.h"
#include "components/tray/win/TrayIconHandler.h"
#include "tests/win/support/Icons.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/WindowHooks.h"

// The application's main form for the whole test program (the first form made through
// CreateForm becomes it, and the application keeps it).
inline TForm* MainTestForm() {
  static TForm* form = [] {
    TForm* f = nullptr;
    Application->CreateForm(f);
    f->FinishCreate();
    return f;
  }();
  return form;
}

// Installed on a window before the component under test hooks it, so it runs after that hook:
// it sees exactly what the hook passes on.
class PassedOnRecorder {
 public:
  explicit PassedOnRecorder(HWND window) : window_(window) {
    AddWindowHook(window_, Proc, 77, reinterpret_cast<DWORD_PTR>(this));
  }
  ~PassedOnRecorder() { RemoveWindowHook(window_, Proc, 77); }
  PassedOnRecorder(const PassedOnRecorder&) = delete;
  PassedOnRecorder& operator=(const PassedOnRecorder&) = delete;

  bool Saw(UINT msg) const {
    for (const Seen& m : seen)
      if (m.msg == msg) return true;
    return false;
  }
  bool Saw(UINT msg, WPARAM wp, LPARAM lp) const {
    for (const Seen& m : seen)
      if (m.msg == msg && m.wp == wp && m.lp == lp) return true;
    return false;
  }

  struct Seen {
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  };
  std::vector<Seen> seen;
  UINT swallow = 0xFFFFFFFF;  // a message answered here (with `answer`) instead of going on
  LRESULT answer = 0;

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<PassedOnRecorder*>(ref);
    self->seen.push_back({msg, wp, lp});
    if (msg == self->swallow) return self->answer;
    return CallNextWindowHook(h, msg, wp, lp);
  }
  HWND window_;
};

// Records where and for whom it was asked to pop up; no modal menu loop.
class RecordingPopupMenu : public TPopupMenu {
 public:
  using TPopupMenu::TPopupMenu;
  struct Call {
    int x, y;
    TComponent* from;
  };
  std::vector<Call> calls;
  std::function<void()> while_open;  // what the user does in the menu (nothing: cancelled)
  void Popup(int x, int y) override {
    calls.push_back({x, y, PopupComponent()});
    if (while_open) while_open();
  }

  TMenuItem* AddItem(const std::string& caption, bool isDefault, std::vector<std::string>* clicks) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    item->SetDefault(isDefault);
    if (clicks) item->OnClick = [clicks, caption](TObject*) { clicks->push_back(caption); };
    Items()->Add(item);
    return item;
  }
};
