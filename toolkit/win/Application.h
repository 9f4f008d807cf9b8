// The application object: the hidden top-level window that carries the title and the taskbar
// button and owns the forms, the message loop, and the standard error box.
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/win/System.h"

class TForm;
class TIdleTask;

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  void Initialize();
  HWND Handle() const { return handle_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Creates a form owned by the application, handing it what follows the owner in its
  // constructor; the first one becomes the main form.
  template <typename T, typename... TArgs>
  void CreateForm(T*& ref, TArgs&&... args) {
    ref = new T(this, std::forward<TArgs>(args)...);
    if (!main_form_) main_form_ = ref;
  }
  TForm* MainForm() const { return main_form_; }
  bool ShowMainForm() const { return show_main_form_; }
  void SetShowMainForm(bool v) { show_main_form_ = v; }

  // Shows the main form and handles messages until Terminate.
  void Run();
  // Handles one message (waiting for it); false once WM_QUIT arrived.
  bool HandleMessage();
  void ProcessMessages();
  bool Terminated() const { return terminated_; }
  void Terminate();

  // While the message loop waits, it also waits for the handle (a change notification, an event)
  // and runs signalled on this thread each time it is signalled; no polling. The handle stays
  // the caller's, who removes it before closing it. At most MAXIMUM_WAIT_OBJECTS - 1 handles.
  void AddWaitHandle(HANDLE handle, std::function<void()> signalled);
  void RemoveWaitHandle(HANDLE handle);
  // Used by TIdleTask: the tasks waiting for the loop's next quiet moment, run in this order.
  void AddIdleTask(TIdleTask* task);
  void RemoveIdleTask(TIdleTask* task);

  void Minimize();
  void Restore();
  bool IsMinimized() const { return handle_ && ::IsIconic(handle_); }
  void BringToFront();

  std::string ExeName() const;
  // The standard error box with the exception's message. A fault raised while the system's own
  // repeating messages are handled (painting, timers) never opens a modal box inside them: its box
  // is posted to show once the message is done, and the same fault again from such a message is
  // not shown a second time. A fault whose box is waiting or open is not shown twice either.
  void HandleException(const std::exception& e);
  // Marks, for its lifetime, the handling of a message; WM_PAINT and WM_TIMER count as repeating,
  // and a message handled inside another one decides for itself.
  class SystemMessage {
   public:
    explicit SystemMessage(UINT msg);
    ~SystemMessage();
    SystemMessage(const SystemMessage&) = delete;
    SystemMessage& operator=(const SystemMessage&) = delete;

   private:
    bool outer_repeating_;
  };
  void ShowException(const std::string& message);
  // A modal box over the window of ours that is active, or else the main form (owned by it, and
  // stays on top where it does); afterwards the window that was active, or else the main form,
  // has the keyboard back, never the invisible application window.
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);
  // How many of those boxes are up now (nested ones count each).
  int MessageBoxesShown() const { return boxes_shown_; }

  TNotifyEvent OnMinimize, OnRestore;

 private:
  friend LRESULT CALLBACK ApplicationWindowProc(HWND, UINT, WPARAM, LPARAM);
  bool PreTranslate(MSG& msg);
  void ShowMainFormInTaskbar();
  void SendThumbnail(int maxWidth, int maxHeight);
  void SendLivePreview();
  void ThumbnailOutOfDate();
  void ShowPostedFaults();
  void Dispatch(MSG& msg);
  void DropFailedWaits();
  void RunIdleTasks();
  HWND handle_ = nullptr;
  std::string title_;
  TForm* main_form_ = nullptr;  // owned as a component
  bool show_main_form_ = true;
  bool terminated_ = false;
  struct TWait {
    HANDLE Handle;
    std::function<void()> Signalled;
  };
  std::vector<TWait> waits_;
  std::vector<TIdleTask*> idle_tasks_;
  std::vector<TIdleTask*> due_idle_tasks_;  // being run now
  int boxes_shown_ = 0;
  bool picture_shown_ = false;  // the window manager holds a picture of the main form
  std::vector<std::string> posted_faults_;  // boxes waiting for their message to be done
  std::string showing_fault_;               // the box on screen now
  std::string repeating_fault_;             // last fault from a repeating message, shown once
};

extern TApplication* Application;
