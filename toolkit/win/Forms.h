// Top-level windows: borderless, tool window or dialog; stay-on-top; modal showing.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>

#include "toolkit/win/Controls.h"

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };
enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TPosition { poDesigned, poScreenCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                          mrYes = 6, mrNo = 7 };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle s);
  uint8_t BorderIcons() const { return border_icons_; }
  void SetBorderIcons(uint8_t icons);
  TFormStyle FormStyle() const { return form_style_; }
  void SetFormStyle(TFormStyle s);  // switchable while the window is shown
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  void SetClientSize(int width, int height);
  TRect ClientRect() const override;
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool v) { key_preview_ = v; }
  // Takes ownership of the region (as SetWindowRgn does).
  void SetWindowRegion(HRGN region, bool redraw);

  void Show();
  void Hide();
  void Close();
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int r) { modal_result_ = r; }
  bool Active() const;
  void BringToFront();

  // The control that has the focus while the form is active, and gets it back whenever the form
  // is activated again (set before the first show: the control focused then).
  void SetActiveControl(TWinControl* control);
  // Moves the focus to the next (or previous) visible, enabled tab stop in tab order, windowless
  // controls included, wrapping around; false when the form has none.
  bool SelectNext(bool forward);

  // Call at the end of a form's constructor, once every control is made: runs Loaded on every
  // component, then OnCreate. The native windows are made later, when the form is first shown or
  // its handle is first asked for.
  void FinishCreate();

  TNotifyEvent OnCreate, OnShow, OnHide, OnActivate, OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TKeyEvent OnKeyDown, OnKeyUp;

  // Key messages for this form or any window in it, before the window sees them (key preview)
  // or, without key preview, for the form's own window. A key set to 0 is swallowed.
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  // True while KeyDown runs for the auto-repeat of a key held down: a command acts once per press.
  bool KeyRepeat() const { return key_repeat_; }
  // Runs KeyDown (down) or KeyUp for one key message.
  void PreviewKey(bool down, bool repeat, uint16_t& key);

  void WndProc(TMessage& m) override;
  // The form is now on a monitor of another DPI (or the DPI changed): lays everything out at it
  // without moving, then takes the rectangle the system suggests in one move.
  void DpiChanged(int newDpi, const RECT& suggested);
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  void ScaleBounds(int oldDpi) override;
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void PaintWindow(TCanvas& canvas) override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();

 private:
  void Restyle();
  void SetOwnerAndTopmost(HWND owner, bool topmost);
  void PlaceOnScreen();
  SIZE FrameExtra(int dpi) const;
  TBorderStyle border_style_ = TBorderStyle::bsSizeable;
  uint8_t border_icons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle form_style_ = TFormStyle::fsNormal;
  TPosition position_ = TPosition::poDesigned;
  bool key_preview_ = false;
  bool key_repeat_ = false;
  bool modal_ = false;
  int modal_result_ = 0;
  HWND active_control_ = nullptr;  // the focus to give back on activation (a window of ours)
  // Named before the form had windows; not owned, and looked for among the form's controls before
  // use, since it may be gone by then.
  TWinControl* pending_active_ = nullptr;
  bool awaiting_suggested_ = false;  // laid out for a new DPI: the window keeps its rectangle
};

// What forms ask of the program around them. The application object fills it in while it lives;
// without one (a test, a tool) forms have no owner window and a modal form cannot run.
struct TFormHost {
  std::function<HWND()> OwnerWindow;  // owns every form, so forms have no taskbar button
  std::function<HWND()> MainWindow;   // the main form's window, or null
  std::function<bool()> RunLoopOnce;  // handles one message, waiting for it; false once WM_QUIT came
  // Closing the main form ends the program: true when the form was the main one.
  std::function<bool(TForm* form)> EndIfMainForm;
  // The main form painted something new (the taskbar's picture of it is out of date).
  std::function<void()> MainFormPainted;
};
TFormHost& FormHost();

// What watches every form's activation for the program as a whole; none unless the program
// sets one (ForegroundReclaim.h).
class TActivationWatch {
 public:
  virtual ~TActivationWatch() = default;
  virtual void Deactivated(HWND form) = 0;
  virtual void Activated(HWND form) = 0;
  // A timer message of the form: true when it was the watch's. `wanted`: the form is shown and
  // not active.
  virtual bool Tick(HWND form, WPARAM timer, bool wanted) = 0;
};
// Not owned; null ends the watching.
void SetActivationWatch(TActivationWatch* watch);

// The form that a window belongs to, or nullptr.
TForm* FormOfWindow(HWND hwnd);

// The window a dialog of the program is shown above, and owned by, so that it comes up over it
// whatever the window's stay-on-top state: the window of ours that is active, else the main
// form while it is on the screen, else the host's owner window.
HWND DialogOwner();
// Whether a window stays on top; a dialog owned by it must too, or it would open beneath it.
bool StaysOnTop(HWND hwnd);
// The dialog of the program that is up now (a modal form or a message box: a shown, enabled
// window of this thread with a caption, other than the host's owner window), or null.
HWND ShownDialog();

// A key or character on its way from the message loop to a window of ours, handled as its form
// handles keys (a windowless control's click, the key preview, Tab, dialog characters). True
// when the form took it; an exception a handler raised goes to `fault`.
bool PreTranslateFormKey(MSG& msg, const std::function<void(const std::exception&)>& fault);
