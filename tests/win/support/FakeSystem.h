// A stand-in for the system services that records what the program asked of them.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/win/System.h"

class FakeSystem : public TSystemServices {
 public:
  struct Box {
    std::wstring text, caption;
    UINT flags;
    HWND owner;
  };
  struct Shell {
    HWND owner;
    std::wstring operation, file, parameters, directory;
    int show;
  };
  std::vector<Box> boxes;
  std::vector<Shell> shell;
  std::vector<std::pair<DWORD, NOTIFYICONDATAW>> notify;
  int box_answer = IDOK;
  std::function<void()> during_box;  // runs while a box is up, as the user or the system would
  INT_PTR shell_result = 42;         // 32 or less: the shell's failure codes
  SYSTEMTIME time{2026, 12, 1, 7, 9, 5, 7, 250};
  POINT cursor{0, 0};
  SHORT keys[256] = {};
  UINT double_click_time = 500;
  bool open_file_confirms = false;
  std::wstring open_file_result;
  std::vector<OPENFILENAMEW> open_file_requests;
  std::vector<std::wstring> open_file_filters;  // each request's list, read as the dialog does: "a|b|"
  bool notify_result = true;
  bool high_contrast = false;
  std::function<BOOL(DWORD message)> notify_answer;  // when set, answers instead of notify_result

  SYSTEMTIME LocalTime() override { return time; }
  POINT CursorPos() override { return cursor; }
  SHORT AsyncKeyState(int vk) override { return keys[vk & 0xFF]; }
  UINT DoubleClickTime() override { return double_click_time; }
  HINSTANCE ShellExecute(HWND owner, const std::wstring& op, const std::wstring& file, const std::wstring& params,
                         const std::wstring& dir, int show) override {
    shell.push_back({owner, op, file, params, dir, show});
    return reinterpret_cast<HINSTANCE>(shell_result);
  }
  BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW* data) override {
    notify.emplace_back(message, *data);
    return notify_answer ? notify_answer(message) : notify_result;
  }
  bool HighContrast() override { return high_contrast; }
  int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) override {
    boxes.push_back({text, caption, flags, owner});
    if (during_box) during_box();
    return box_answer;
  }
  bool GetOpenFileName(OPENFILENAMEW& request) override {
    open_file_requests.push_back(request);
    std::wstring filters;
    for (const wchar_t* p = request.lpstrFilter; p && *p; p += std::wstring(p).size() + 1) filters += p + std::wstring(L"|");
    open_file_filters.push_back(filters);
    if (open_file_confirms && request.lpstrFile && request.nMaxFile > open_file_result.size()) {
      open_file_result.copy(request.lpstrFile, open_file_result.size());
      request.lpstrFile[open_file_result.size()] = L'\0';
    }
    return open_file_confirms;
  }
};

// Installs a FakeSystem for the lifetime of the object.
class WithFakeSystem : public FakeSystem {
 public:
  WithFakeSystem() : scope_(this) {}

 private:
  ScopedSystemServices scope_;
};
