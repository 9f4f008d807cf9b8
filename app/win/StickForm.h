// The note window: the program's main window. It shows the note session's state (one note with
// its counter, the switches on the menu's ticks, the clock and the cycling button) and hands
// every button, menu item and key to the session; it is also what the session asks for dialogs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/NoteSession.h"
#include "app/win/EditorForm.h"
#include "app/win/FormContext.h"
#include "app/win/StickControls.h"
#include "app/win/StickDialogs.h"
#include "toolkit/win/Forms.h"

class TStickForm : public TForm, private TStickControls, private TSessionView, private TSessionHost {
 public:
  using TCommand = TStickCommand;

  // The session and the context's objects are the program's, not owned; they MUST outlive the
  // window.
  TStickForm(TComponent* owner, TNoteSession& session, const TFormContext& context);
  ~TStickForm() override;

  // The dialogs the window opens (not owned); unset, New, Edit and About do nothing.
  void SetDialogs(TEditorForm* editor, TForm* about);

  // The session's commands, as a button, the menu or a key runs them.
  void Run(TCommand command) { session_.Run(command); }
  void ShowNote(int32_t k) { session_.ShowNote(k); }
  // The number of the note on display; 0 while none is.
  int32_t ShownNote() const { return session_.ShownNote(); }
  bool ClockShown() const { return session_.Settings().Clock; }
  // The notes are loaded: the first activation has run.
  bool ActivationDone() const { return session_.Started(); }
  // Called once the first activation has loaded the notes.
  std::function<void()> OnStarted;

  // The window's place as stored: the restored place of a minimised window, not where the
  // system parks it.
  TPoint RestoredPlace() const;
  // Back on the screen and in front, wherever the window was (hidden, minimised, behind).
  void BringToFront();
  // The tray icon that Show and Hide window go through (not owned); without one Hide window
  // only minimises. `canHide`: the icon is shown, so there is somewhere to hide into.
  void SetTrayIcon(class TSysTrayIcon* icon, bool canHide);
  TPopupMenu* Menu() const { return TrayPopupMenu; }

 protected:
  // The rounded corners follow the window's size at every DPI.
  void Resize() override;

 private:
  friend struct TStickFormSeam;  // the tests' way to the controls

  void FormCreate();
  void FormActivate();
  void FormShow();
  void FormClose(TCloseAction& action);
  void FormKeyDown(uint16_t& key, TShiftState shift);
  void NoteLabelMouseDown(int x, int y);
  void NoteLabelMouseUp(int x, int y);
  void KeepOnScreen();
  void RoundCorners();
  // Has the cycling and attachment buttons and the clock tell a screen reader what they are.
  void DescribeForScreenReaders();

  // TSessionView
  void ShowNote(const TNotice* note, const std::string& counter, uint32_t interval) override;
  void RefreshNote(const TNotice* note, const std::string& counter) override;
  void ShowSettings(const TSettings& settings, const std::string& cyclingHint) override;
  void ShowNoteText(const TNotice* note);
  // TSessionHost
  void Warn(const std::string& message) override;
  void Fail(const std::exception& error) override;
  bool ConfirmTrashAll(int count) override;
  bool ConfirmLoss(const std::string& question) override;
  bool BringDialogForward() override;
  void EditNote(const TNotice& note, int32_t number) override;
  void RunWindowCommand(TStickCommand command, const std::string& target) override;
  void Busy(bool busy) override;

  TNoteSession& session_;  // not owned
  TFormContext ctx_;
  TStickDialogs dialogs_{ctx_.App};
  class TSysTrayIcon* tray_icon_ = nullptr;  // not owned
  int busy_cursor_ = 0;                      // the pointer's shape before a long change
  // Where a mouse button went down on the note text, in the label's coordinates.
  int DragStartX = 0;
  int DragStartY = 0;
};

// The date the clock's hint shows: the user's short date, always with a four-digit year.
std::string ShortDateText(const SYSTEMTIME& date);
// Today's date as the clock's hint; the old hint stays when it cannot be formatted.
void ShowDateHint(TDigitClock& clock);
