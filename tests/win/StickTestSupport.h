// Test harness for the note window: a scratch registry in place of the user's and the machine's
// keys, a program folder of its own, a notes file to start from, and the window driven through
// its own messages.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/NoteSession.h"
#include "app/Notes.h"
#include "app/Settings.h"
#include "app/win/FolderCopies.h"
#include "app/win/ProgramShell.h"
#include "app/win/SettingsRegistry.h"
#include "app/win/StickForm.h"
#include "tests/win/NotesTestFiles.h"
#include "tests/win/support/FakeSystem.h"
#include "tests/win/support/NotesFileText.h"
#include "toolkit/Exception.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/FileStore.h"
#include "toolkit/win/Registry.h"
#include "toolkit/win/Screen.h"

// Maps the current user's and the machine's keys onto scratch keys under
// HKCU\Software\ZettlyTests\<process>, removed at the end. The machine root can be made to refuse
// as it does for a user without the right to change it: either no key opens for writing, or the
// key opens but takes no value.
class ScratchRegistry : public TRegistryAccess {
 public:
  enum class Refusal { None, OpenFails, WriteFails };
  Refusal machine = Refusal::None;
  Refusal user = Refusal::None;

  ScratchRegistry() : scope_(this) {
    base_ = L"Software\\ZettlyTests\\" + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
  }
  ~ScratchRegistry() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, base_.c_str());
    // Leave the shared parent when no other test program uses it.
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\ZettlyTests");
  }

  LSTATUS OpenKey(HKEY root, const std::wstring& path, bool create, REGSAM access, HKEY* key) override {
    *key = nullptr;
    const Refusal refusal = root == HKEY_LOCAL_MACHINE ? machine : user;
    if (refusal == Refusal::OpenFails && (create || (access & KEY_SET_VALUE))) return ERROR_ACCESS_DENIED;
    if (refusal == Refusal::WriteFails) access &= ~(KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
    return TRegistryAccess::OpenKey(HKEY_CURRENT_USER, Mapped(root, path), create, access, key);
  }

  // The scratch path standing in for a key (no leading separator).
  std::wstring Mapped(HKEY root, std::wstring path) const {
    while (!path.empty() && path.front() == L'\\') path.erase(0, 1);
    return base_ + (root == HKEY_LOCAL_MACHINE ? L"\\machine\\" : L"\\user\\") + path;
  }
  std::wstring Settings() const { return Mapped(HKEY_CURRENT_USER, Wide(SettingsKey)); }
  std::wstring Run() const { return Mapped(HKEY_CURRENT_USER, Wide(RunKey)); }
  std::wstring MachineRun() const { return Mapped(HKEY_LOCAL_MACHINE, Wide(RunKey)); }

  void SetDword(const std::wstring& key, const std::wstring& name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_DWORD, &value, sizeof value);
  }
  void SetString(const std::wstring& key, const std::wstring& name, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  void SetSetting(const wchar_t* name, DWORD value) { SetDword(Settings(), name, value); }

  // The value's data as the test wants to see it: a REG_DWORD in decimal, a REG_SZ as text.
  std::optional<std::wstring> Get(const std::wstring& key, const std::wstring& name) const {
    DWORD type = 0;
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    if (type == REG_DWORD) {
      DWORD value = 0;
      memcpy(&value, data, sizeof value);
      return std::to_wstring(value);
    }
    return std::wstring(data);
  }
  std::optional<std::wstring> Setting(const wchar_t* name) const { return Get(Settings(), name); }
  std::optional<std::wstring> Autorun() const { return Get(Run(), L"Zettly"); }
  std::optional<std::wstring> MachineAutorun() const { return Get(MachineRun(), L"Zettly"); }

 private:
  ScopedRegistryAccess scope_;
  std::wstring base_;
};

// The real file store, told to refuse writes as a read-only program folder does.
class RefusingStore : public TFileStore {
 public:
  bool refuse = true;
  using TFileStore::ReadWholeFile;
  using TFileStore::WriteWholeFile;
  TReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& data,
                            TFailure& failure) override {
    return SystemFileStore().ReadWholeFile(path, maxBytes, data, failure);
  }
  bool WriteWholeFile(const std::string& path, std::string_view data, TFailure& failure) override {
    if (!refuse) return SystemFileStore().WriteWholeFile(path, data, failure);
    failure.Reason = "Access is denied.";
    return false;
  }
};

// The store a test's session reads and saves through: the real one, until a test hands it
// another in the middle of a run.
class SwitchableStore : public TFileStore {
 public:
  TFileStore* target = &SystemFileStore();  // not owned
  using TFileStore::ReadWholeFile;
  using TFileStore::WriteWholeFile;
  TReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& data,
                            TFailure& failure) override {
    return target->ReadWholeFile(path, maxBytes, data, failure);
  }
  bool WriteWholeFile(const std::string& path, std::string_view data, TFailure& failure) override {
    return target->WriteWholeFile(path, data, failure);
  }
};

// The context the program hands its forms: the test program's application and screen.
inline TFormContext Context() { return {*Application, *Screen}; }

// The tests' way to the note window's controls, which are its own.
struct TStickFormSeam {
  static TStickControls& Controls(TStickForm& form) { return form; }
};
inline TStickControls& Ui(TStickForm& form) { return TStickFormSeam::Controls(form); }
inline TStickControls& Ui(const std::unique_ptr<TStickForm>& form) { return Ui(*form); }

// One note window per test, with the harness above; the fixture's members are public so tests
// read like a person's steps.
class StickTest : public testing::Test {
 protected:
  ~StickTest() override {
    shell.reset();
    form.reset();
    session.reset();
    SetCtrl(false);
  }

  // Creates the window (which reads its placement) with a notes file in its program folder, on a
  // session of its own, as a start of the program makes them.
  void Create(const std::vector<NoteRow>& rows = {}) {
    if (!rows.empty()) {
      ASSERT_TRUE(PutFile(NotesFile(), NotesFileText(rows)));
    }
    shell.reset();
    form.reset();
    copies = std::make_unique<TFolderCopies>(Narrow(NotesFile()));
    session = std::make_unique<TNoteSession>(store, Narrow(NotesFile()), settings, autorun, *copies);
    form = std::make_unique<TStickForm>(nullptr, *session, Context());
    shell = std::make_unique<TProgramShell>(*Application, *session, *form);
  }
  // Creates the window and delivers its first activation (notes loaded, switches applied).
  void Start(const std::vector<NoteRow>& rows = {}, bool cycling = false) {
    registry.SetSetting(L"On", cycling ? 1 : 0);
    Create(rows);
    Activate();
  }
  void Activate() { SendMessageW(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0); }

  std::wstring NotesFile() const { return folder / L"notices.msg"; }
  std::string Text() const { return Ui(form).NoteLabel->Caption(); }
  std::string Counter() const { return Ui(form).CounterLabel->Caption(); }
  void Tick() { SendMessageW(TTimer::WindowHandle(), WM_TIMER, Ui(form).CycleTimer->Id(), 0); }

  // A left click on a windowless control of the panel, through the panel's window.
  void ClickOn(TControl* c, int x = 5, int y = 5) {
    HWND panel = Ui(form).NotePanel->Handle();
    const LPARAM at = MAKELPARAM(c->Left() + x, c->Top() + y);
    SendMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(panel, WM_LBUTTONUP, 0, at);
  }

  // A key pressed and let go with or without Ctrl held, as the message loop delivers them; with
  // repeat, the press is the auto-repeat of a key held down.
  void PressKey(WORD key, bool ctrl, bool repeat = false) {
    SetCtrl(ctrl);
    PostMessageW(Ui(form).NotePanel->Handle(), WM_KEYDOWN, key, repeat ? 0x40000001 : 1);
    PostMessageW(Ui(form).NotePanel->Handle(), WM_KEYUP, key, 0xC0000001);
    Application->ProcessMessages();
    SetCtrl(false);
  }
  static void SetCtrl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = down ? 0x80 : 0;
    keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }

  std::vector<std::wstring> Boxes() const {
    std::vector<std::wstring> out;
    for (const auto& b : system.boxes) out.push_back(b.text);
    return out;
  }

  WithFakeSystem system;
  ScratchRegistry registry;
  TScratchFolder folder;
  TNoteList& Notes() { return session->Notes(); }
  // What the program saves as it ends: the notes, raising what their save raises, then every
  // setting with the window's place.
  void SaveAll() {
    Notes().SaveNotes();
    const TPoint place = form->RestoredPlace();
    session->SaveAllSettings(place.X, place.Y);
  }

  SwitchableStore store;
  TRegistrySettings settings;
  TRegistryAutorun autorun{Application->ExeName()};
  std::unique_ptr<TFolderCopies> copies;
  std::unique_ptr<TNoteSession> session;  // the program's, as the entry point makes it
  std::unique_ptr<TStickForm> form;
  std::unique_ptr<TProgramShell> shell;
};
