#include "toolkit/win/Application.h"

#include <algorithm>
#include <utility>

#include "toolkit/ScopeExit.h"
#include "toolkit/win/Forms.h"
#include "toolkit/win/IdleTask.h"
#include "toolkit/win/SystemLibrary.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WindowPicture.h"
#include "toolkit/win/WindowObject.h"

TApplication* Application = nullptr;

namespace {
constexpr wchar_t kAppClass[] = L"ZettlyApplication";
constexpr UINT kShowPostedFaults = WM_APP + 0x13;
// Whether the innermost message being handled is one the system repeats (UI thread only). A
// message sent from inside such a handler (a click a timer makes) is not one of them.
bool in_repeating_message = false;
}  // namespace

TApplication::SystemMessage::SystemMessage(UINT msg)
    : outer_repeating_(std::exchange(in_repeating_message, msg == WM_PAINT || msg == WM_TIMER)) {}

TApplication::SystemMessage::~SystemMessage() { in_repeating_message = outer_repeating_; }

LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  TApplication* app = ObjectOf<TApplication>(hwnd);
  if (app) {
    try {
      switch (msg) {
        case WM_CLOSE:
          if (app->main_form_) app->main_form_->Close();
          return 0;
        case kShowPostedFaults:
          app->ShowPostedFaults();
          return 0;
        case WM_DWMSENDICONICTHUMBNAIL:
          app->SendThumbnail(HIWORD(lp), LOWORD(lp));
          return 0;
        case WM_DWMSENDICONICLIVEPREVIEWBITMAP:
          app->SendLivePreview();
          return 0;
        case WM_SYSCOMMAND:
          switch (wp & 0xFFF0) {
            case SC_MINIMIZE: app->Minimize(); return 0;
            case SC_RESTORE: app->Restore(); return 0;
            default: break;
          }
          break;
        default:
          break;
      }
    } catch (const std::exception& e) {
      app->HandleException(e);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TApplication::TApplication() : TComponent(nullptr) {
  Application = this;
  Initialize();
  FormHost() = {[this] { return handle_; },
                [this] { return main_form_ && main_form_->HandleAllocated() ? main_form_->Handle() : nullptr; },
                [this] { return HandleMessage(); },
                [this](TForm* form) {
                  if (form != main_form_) return false;
                  Terminate();
                  return true;
                },
                [this] { ThumbnailOutOfDate(); }};
}

TApplication::~TApplication() {
  // Forms and their components go first (they are owned); the application window last.
  while (ComponentCount() > 0) delete Components(ComponentCount() - 1);
  if (handle_) {
    DetachObject(handle_);
    DestroyWindow(handle_);
  }
  if (Application == this) {
    Application = nullptr;
    FormHost() = {};
  }
}

void TApplication::Initialize() {
  if (handle_) return;
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = ApplicationWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
  wc.hIconSm = wc.hIcon;
  wc.lpszClassName = kAppClass;
  RegisterClassExW(&wc);
  // A zero-size window in the middle of the screen: it carries the taskbar button and the title.
  handle_ = CreateWindowExW(0, kAppClass, ToWide(title_).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                            nullptr, wc.hInstance, nullptr);
  if (handle_) AttachObject(handle_, this);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, ToWide(title).c_str());
}

void TApplication::Run() {
  if (main_form_ && show_main_form_) {
    ShowWindow(handle_, SW_SHOWNORMAL);
    main_form_->Show();
  }
  ShowMainFormInTaskbar();
  while (!terminated_) HandleMessage();
}

bool TApplication::PreTranslate(MSG& msg) {
  return PreTranslateFormKey(msg, [this](const std::exception& e) { HandleException(e); });
}

void TApplication::Dispatch(MSG& msg) {
  if (PreTranslate(msg)) return;
  TranslateMessage(&msg);
  // Timer windows of every kind are reached through here: their faults count as repeating.
  const SystemMessage repeating(msg.message);
  DispatchMessageW(&msg);
}

bool TApplication::HandleMessage() {
  MSG msg;
  if (waits_.empty() && idle_tasks_.empty()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      terminated_ = true;
      return false;
    }
  } else {
    while (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      std::vector<HANDLE> handles;
      for (const TWait& w : waits_) handles.push_back(w.Handle);
      // With idle work to do the loop only looks, and does the work if nothing came: the look is
      // a wait all the same, where what was painted goes to the screen.
      const DWORD timeout = idle_tasks_.empty() ? INFINITE : 0;
      const DWORD r = MsgWaitForMultipleObjectsEx(static_cast<DWORD>(handles.size()), handles.data(), timeout,
                                                  QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      if (r == WAIT_TIMEOUT) {
        RunIdleTasks();
        return true;
      }
      if (r >= WAIT_OBJECT_0 && r < WAIT_OBJECT_0 + handles.size()) {
        // A copy: the handler may remove its own wait.
        const std::function<void()> signalled = waits_[r - WAIT_OBJECT_0].Signalled;
        try {
          if (signalled) signalled();
        } catch (const std::exception& e) {
          HandleException(e);
        }
        return true;
      }
      if (r == WAIT_FAILED) DropFailedWaits();
    }
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return false;
    }
  }
  Dispatch(msg);
  return true;
}

void TApplication::AddWaitHandle(HANDLE handle, std::function<void()> signalled) {
  RemoveWaitHandle(handle);
  if (waits_.size() + 1 >= MAXIMUM_WAIT_OBJECTS) return;
  waits_.push_back({handle, std::move(signalled)});
}

void TApplication::DropFailedWaits() {
  // A handle closed under us fails every wait: waiting on it again would spin. Its owner is not
  // told; it finds out when it removes the wait (or never needs to).
  const auto bad = [](const TWait& w) { return WaitForSingleObject(w.Handle, 0) == WAIT_FAILED; };
  const size_t before = waits_.size();
  waits_.erase(std::remove_if(waits_.begin(), waits_.end(), bad), waits_.end());
  if (waits_.size() == before) waits_.clear();  // none to blame: messages alone still come
}

void TApplication::RemoveWaitHandle(HANDLE handle) {
  for (auto it = waits_.begin(); it != waits_.end(); ++it) {
    if (it->Handle == handle) {
      waits_.erase(it);
      return;
    }
  }
}

void TApplication::AddIdleTask(TIdleTask* task) { idle_tasks_.push_back(task); }

void TApplication::RemoveIdleTask(TIdleTask* task) {
  for (auto* list : {&idle_tasks_, &due_idle_tasks_})
    list->erase(std::remove(list->begin(), list->end(), task), list->end());
}

void TApplication::RunIdleTasks() {
  // Only the tasks waiting now: one started by a task waits for the next quiet moment. A task may
  // destroy another that is due, which then leaves the due list.
  due_idle_tasks_ = std::exchange(idle_tasks_, {});
  while (!due_idle_tasks_.empty()) {
    TIdleTask* task = due_idle_tasks_.front();
    due_idle_tasks_.erase(due_idle_tasks_.begin());
    try {
      task->Run();
    } catch (const std::exception& e) {
      HandleException(e);
    }
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    Dispatch(msg);
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::Minimize() {
  if (!handle_ || IsIconic(handle_)) return;
  ShowWindow(handle_, SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!handle_ || !IsIconic(handle_)) return;
  ShowWindow(handle_, SW_RESTORE);
  if (OnRestore) OnRestore(this);
}

void TApplication::BringToFront() {
  // The window the user last worked in (a dialog over the main form, or the main form itself),
  // not the invisible application window, gets the foreground and with it the keyboard.
  HWND target = ShownDialog();
  if (!target) target = main_form_ && main_form_->HandleAllocated() ? main_form_->Handle() : handle_;
  if (target && IsWindowVisible(target) && IsWindowEnabled(target)) SetForegroundWindow(target);
  else if (handle_) SetForegroundWindow(handle_);
}

std::string TApplication::ExeName() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return ToUtf8(path);
    }
    path.resize(path.size() * 2);
  }
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND active = GetActiveWindow();
  HWND focus = GetFocus();
  int answer = 0;
  ++boxes_shown_;
  {
    const ScopeExit counted([this] { --boxes_shown_; });
    HWND owner = DialogOwner();
    if (!owner) owner = handle_;
    answer = Sys().MessageBox(owner, ToWide(text), ToWide(caption), flags | (StaysOnTop(owner) ? MB_TOPMOST : 0));
  }
  if (!active || active == handle_ || !IsWindow(active) || !IsWindowVisible(active)) {
    active = main_form_ && main_form_->HandleAllocated() ? main_form_->Handle() : nullptr;
    focus = nullptr;
  }
  if (active && IsWindowVisible(active) && IsWindowEnabled(active)) {
    SetForegroundWindow(active);
    SetActiveWindow(active);
    if (focus && IsWindow(focus) && (focus == active || IsChild(active, focus))) ::SetFocus(focus);
  }
  return answer;
}

void TApplication::ShowException(const std::string& message) {
  MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(const std::exception& e) {
  const std::string text = e.what();
  if (text == showing_fault_) return;
  for (const std::string& waiting : posted_faults_)
    if (waiting == text) return;
  if (in_repeating_message) {
    if (text == repeating_fault_) return;
    repeating_fault_ = text;
    posted_faults_.push_back(text);
    if (posted_faults_.size() == 1 && !(handle_ && PostMessageW(handle_, kShowPostedFaults, 0, 0))) {
      posted_faults_.clear();  // nowhere to post to: better the box now than none
      ShowException(text);
    }
    return;
  }
  repeating_fault_.clear();
  showing_fault_ = text;
  const ScopeExit shown([this] { showing_fault_.clear(); });
  ShowException(text);
}

void TApplication::ShowPostedFaults() {
  // A box that could not be shown must not keep its fault from being shown another time.
  const ScopeExit shown([this] { showing_fault_.clear(); });
  while (!posted_faults_.empty()) {
    showing_fault_ = posted_faults_.front();
    posted_faults_.erase(posted_faults_.begin());
    ShowException(showing_fault_);
  }
}

// --- the taskbar's picture of the program ----------------------------------------------------

namespace {
using SetAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using SetThumbnailFn = HRESULT(WINAPI*)(HWND, HBITMAP, DWORD);
using SetPreviewFn = HRESULT(WINAPI*)(HWND, HBITMAP, POINT*, DWORD);
constexpr DWORD kForceIconicRepresentation = 7, kHasIconicBitmap = 10;  // DWMWA_*
}  // namespace

void TApplication::ShowMainFormInTaskbar() {
  // The taskbar button is the application window's, which has no size: its thumbnail and its
  // card in Task View would be empty. The window manager asks us for a picture instead, and
  // gets the main form's.
  const auto setAttribute = SystemFunction<SetAttributeFn>(L"dwmapi.dll", "DwmSetWindowAttribute");
  if (!handle_ || !setAttribute) return;
  const BOOL on = TRUE;
  setAttribute(handle_, kForceIconicRepresentation, &on, sizeof on);
  setAttribute(handle_, kHasIconicBitmap, &on, sizeof on);
}

void TApplication::SendThumbnail(int maxWidth, int maxHeight) {
  const auto setThumbnail = SystemFunction<SetThumbnailFn>(L"dwmapi.dll", "DwmSetIconicThumbnail");
  if (!setThumbnail || !main_form_ || !main_form_->HandleAllocated()) return;
  const UniqueBitmap picture = WindowPicture(main_form_->Handle(), maxWidth, maxHeight);
  if (picture && SUCCEEDED(setThumbnail(handle_, picture.Get(), 0))) picture_shown_ = true;
}

void TApplication::ThumbnailOutOfDate() {
  // Once after each picture the window manager took, not at every paint: the clock paints twice
  // a second.
  if (!picture_shown_) return;
  picture_shown_ = false;
  using InvalidateFn = HRESULT(WINAPI*)(HWND);
  if (const auto invalidate = SystemFunction<InvalidateFn>(L"dwmapi.dll", "DwmInvalidateIconicBitmaps"))
    invalidate(handle_);
}

void TApplication::SendLivePreview() {
  const auto setPreview = SystemFunction<SetPreviewFn>(L"dwmapi.dll", "DwmSetIconicLivePreviewBitmap");
  if (!setPreview || !main_form_ || !main_form_->HandleAllocated()) return;
  RECT form{}, own{};
  GetWindowRect(main_form_->Handle(), &form);
  GetWindowRect(handle_, &own);
  const UniqueBitmap picture = WindowPicture(main_form_->Handle(), form.right - form.left, form.bottom - form.top);
  // Shown where the form is, measured from the application window.
  POINT at{form.left - own.left, form.top - own.top};
  if (picture && SUCCEEDED(setPreview(handle_, picture.Get(), &at, 0))) picture_shown_ = true;
}
