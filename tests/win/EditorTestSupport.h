// Test harness for the note editor: the real note window (StickTest) with the editor linked to
// it, and the dialog driven from inside its modal loop.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/win/EditorForm.h"
#include "tests/win/StickTestSupport.h"
#include "toolkit/win/Timer.h"

class EditorTest : public StickTest {
 protected:
  ~EditorTest() override { editor.reset(); }

  // The note window with its notes, then the editor, as the program makes them.
  void StartBoth(const std::vector<NoteRow>& rows) {
    Start(rows);
    editor = std::make_unique<TEditorForm>(nullptr, Context());
    form->SetDialogs(editor.get(), nullptr);
  }

  // Runs `steps` once the dialog's modal loop runs (the next NewNote or EditNote). Should the
  // steps leave the dialog open, it is ended with mrAbort and open_after_steps tells so.
  void WhileOpen(std::function<void()> steps) {
    open_after_steps = false;
    ran_steps = false;
    driver_ = std::make_unique<TTimer>(nullptr);
    driver_->SetInterval(60000);  // never by itself: the tick is delivered below
    driver_->OnTimer = [this, steps](TObject*) {
      driver_->SetEnabled(false);
      ran_steps = true;
      shown_during_steps = editor->Visible();
      steps();
      if (editor->Modal() && editor->ModalResult() == mrNone) {
        open_after_steps = true;
        editor->SetModalResult(mrAbort);
      }
    };
    PostMessageW(TTimer::WindowHandle(), WM_TIMER, driver_->Id(), 0);
  }

  // A key pressed and released on a window of the dialog, through the message loop.
  void Press(TWinControl* on, WORD key) {
    PostMessageW(on->Handle(), WM_KEYDOWN, key, 1);
    PostMessageW(on->Handle(), WM_KEYUP, key, 0xC0000001);
    Application->ProcessMessages();
  }
  // Only the release: the press went to another window (a dialog that has closed since).
  void ReleaseOnly(TWinControl* on, WORD key) {
    PostMessageW(on->Handle(), WM_KEYUP, key, 0xC0000001);
    Application->ProcessMessages();
  }
  static void Type(TWinControl* on, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(on->Handle(), WM_CHAR, c, 1);
  }
  // A left click at (x, y) of a windowless control of the dialog.
  void Click(TControl* c, int x, int y) {
    const LPARAM at = MAKELPARAM(c->Left() + x, c->Top() + y);
    SendMessageW(editor->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(editor->Handle(), WM_LBUTTONUP, 0, at);
  }
  void ClickCentre(TControl* c) { Click(c, c->Width() / 2, c->Height() / 2); }

  std::string FileText() const { return GetFile(NotesFile()); }
  const TNotice& Note(int k) { return Notes().Notes(k); }

  std::unique_ptr<TEditorForm> editor;
  bool open_after_steps = false;
  bool ran_steps = false;
  bool shown_during_steps = false;

 private:
  std::unique_ptr<TTimer> driver_;
};
