// The note session's command flows, as the windows drive them: a new note, an edit, a trash,
// stepping, cycling, the switches, and a conflict copy arriving while a note is shown.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/NoteSession.h"
#include "tests/host/FakeFileStore.h"
#include "tests/host/NotesFileText.h"

namespace {
const std::string kFolder = "C:\\Zettly\\";
const std::string kPath = kFolder + "notices.msg";

class TMapSettings final : public TSettingsSource {
 public:
  std::map<std::string, int32_t> Values;
  std::vector<std::string> Written;
  std::optional<int32_t> ReadInteger(const std::string& name) override {
    const auto it = Values.find(name);
    return it == Values.end() ? std::nullopt : std::optional<int32_t>(it->second);
  }
  void WriteInteger(const std::string& name, int32_t value) override {
    Values[name] = value;
    Written.push_back(name);
  }
};

class TFlagAutorun final : public TAutorunEntry {
 public:
  bool On = false;
  void Register() override { On = true; }
  void Unregister() override { On = false; }
};

// The copies are the fake store's files in the notes folder.
class TStoreFolder final : public TCopyFolder {
 public:
  explicit TStoreFolder(TFakeFileStore& store) : store_(store) {}
  std::vector<std::string> FileNames() override {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : store_.Files)
      if (path.rfind(kFolder, 0) == 0) names.push_back(path.substr(kFolder.size()));
    return names;
  }
  bool RemoveFile(const std::string& name) override { return store_.Files.erase(kFolder + name) == 1; }

 private:
  TFakeFileStore& store_;
};

// The windows as the session meets them: what they were told to show, and scripted answers.
class TRecordingWindows final : public TSessionView, public TSessionHost {
 public:
  std::string Text, Counter;
  uint32_t Interval = 0;
  int Restarts = 0;
  TSettings Shown;
  std::vector<std::string> Warnings, Errors;
  bool TrashAllAnswer = true;
  bool DialogUp = false;
  std::vector<std::pair<TStickCommand, std::string>> WindowCommands;
  // The editor: each value in turn is confirmed while it is open.
  std::vector<TNotice> Typed;
  std::vector<TNoteSession::TStickResult> StickResults;
  int OpenedOn = -1;
  TNotice OpenedWith;
  TNoteSession* Session = nullptr;

  void ShowNote(const TNotice* note, const std::string& counter, uint32_t interval) override {
    Text = note ? note->Content : "";
    Counter = counter;
    Interval = interval;
    ++Restarts;
  }
  void RefreshNote(const TNotice* note, const std::string& counter) override {
    if (note) Text = note->Content;
    Counter = counter;
  }
  void ShowSettings(const TSettings& settings, const std::string&) override { Shown = settings; }
  void Warn(const std::string& message) override { Warnings.push_back(message); }
  void Fail(const std::exception& error) override { Errors.push_back(error.what()); }
  bool ConfirmTrashAll(int) override { return TrashAllAnswer; }
  bool ConfirmLoss(const std::string&) override { return false; }
  bool BringDialogForward() override { return DialogUp; }
  void EditNote(const TNotice& note, int32_t number) override {
    OpenedOn = number;
    OpenedWith = note;
    for (const TNotice& value : Typed) {
      StickResults.push_back(Session->StickNote(value));
      if (StickResults.back() == TNoteSession::TStickResult::Closed) break;
    }
  }
  void RunWindowCommand(TStickCommand command, const std::string& target) override {
    WindowCommands.emplace_back(command, target);
  }
  void Busy(bool) override {}
};

class SessionTest : public testing::Test {
 protected:
  void Start(const std::vector<TNoteSection>& notes, bool cycling = false) {
    if (!notes.empty()) store.Files[kPath] = NotesFileText(notes);
    settings.Values["On"] = cycling ? 1 : 0;
    windows.Session = &session;
    session.Attach(&windows, &windows);
    session.ReadPlacement();
    session.Start();
    settings.Written.clear();
  }
  std::string File() { return store.Files[kPath]; }
  int32_t Count() const { return session.Notes().NoteCount(); }

  TFakeFileStore store;
  TMapSettings settings;
  TFlagAutorun autorun;
  TStoreFolder folder{store};
  TNoteSession session{store, kPath, settings, autorun, folder};
  TRecordingWindows windows;
};

TEST_F(SessionTest, ANewNoteIsStoredShownAndSavedWithoutRewritingTheSettings) {
  Start({{.Content = "one"}, {.Content = "two"}});
  windows.Typed = {{.Content = "three", .Exposure = 7000}};
  session.Run(TStickCommand::New);
  EXPECT_EQ(windows.OpenedOn, 0);
  ASSERT_EQ(windows.StickResults, std::vector{TNoteSession::TStickResult::Closed});
  EXPECT_EQ(windows.Text, "three");
  EXPECT_EQ(windows.Counter, "3 / 3");
  EXPECT_NE(File().find("Content=three"), std::string::npos);
  EXPECT_TRUE(settings.Written.empty());
}

TEST_F(SessionTest, AnEditLandsOnTheNoteThatMovedWhileTheEditorWasOpen) {
  Start({{.Content = "one"}, {.Content = "two"}});
  session.ShowNote(2);
  session.Run(TStickCommand::Edit);
  ASSERT_EQ(windows.OpenedOn, 2);
  // While the editor is open another program reorders the file.
  store.Files[kPath] = NotesFileText({{.Content = "two"}, {.Content = "one"}});
  session.FolderChanged();
  EXPECT_EQ(session.StickNote({.Content = "two, changed"}), TNoteSession::TStickResult::Closed);
  EXPECT_EQ(session.Notes().Notes(1).Content, "two, changed");
  EXPECT_EQ(session.Notes().Notes(2).Content, "one");
  EXPECT_EQ(Count(), 2);
}

TEST_F(SessionTest, AnEditedNoteThatIsGoneTurnsTheEditorIntoANewNote) {
  Start({{.Content = "one"}, {.Content = "two"}});
  session.Run(TStickCommand::Edit);
  store.Files[kPath] = NotesFileText({{.Content = "two"}});
  session.FolderChanged();
  EXPECT_EQ(session.StickNote({.Content = "one, changed"}), TNoteSession::TStickResult::Retargeted);
  EXPECT_EQ(session.EditingNote(), 0);
  ASSERT_EQ(windows.Errors.size(), 1u);
  EXPECT_EQ(session.StickNote({.Content = "one, changed"}), TNoteSession::TStickResult::Closed);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(session.Notes().Notes(2).Content, "one, changed");
}

TEST_F(SessionTest, ANewNoteThatCouldNotBeSavedIsChangedNotAddedAgainByTheNextTry) {
  Start({{.Content = "one"}});
  store.ReadOnlyFolder = true;
  windows.Typed = {{.Content = "two"}, {.Content = "two, again"}};
  session.Run(TStickCommand::New);
  EXPECT_EQ(windows.StickResults,
            (std::vector{TNoteSession::TStickResult::Retargeted, TNoteSession::TStickResult::Kept}));
  EXPECT_EQ(session.EditingNote(), 2);
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(session.Notes().Notes(2).Content, "two, again");
  store.ReadOnlyFolder = false;
  EXPECT_EQ(session.StickNote({.Content = "two, at last"}), TNoteSession::TStickResult::Closed);
  EXPECT_EQ(Count(), 2);
  EXPECT_NE(File().find("Content=two, at last"), std::string::npos);
}

TEST_F(SessionTest, AFullListIsSaidBeforeTheEditorOpens) {
  std::vector<TNoteSection> full(MaxNotes, TNoteSection{.Content = "n"});
  Start(full);
  session.Run(TStickCommand::New);
  EXPECT_EQ(windows.OpenedOn, -1);
  EXPECT_EQ(windows.Warnings.size(), 1u);
}

TEST_F(SessionTest, TrashAndTrashAllSaveAtOnceAndAnsweringNoKeepsEveryNote) {
  Start({{.Content = "one"}, {.Content = "two"}, {.Content = "three"}});
  session.ShowNote(2);
  session.Run(TStickCommand::Trash);
  EXPECT_EQ(windows.Text, "three");
  EXPECT_EQ(windows.Counter, "2 / 2");
  EXPECT_EQ(File().find("Content=two"), std::string::npos);
  windows.TrashAllAnswer = false;
  session.Run(TStickCommand::TrashAll);
  EXPECT_EQ(Count(), 2);
  windows.TrashAllAnswer = true;
  session.Run(TStickCommand::TrashAll);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(windows.Counter, "0 / 0");
  EXPECT_EQ(File().find("Content="), std::string::npos);
}

TEST_F(SessionTest, SteppingWrapsAndCyclingRestartsEachNoteWithItsOwnTime) {
  Start({{.Content = "one", .Exposure = 3000}, {.Content = "two", .Exposure = 9000}}, true);
  EXPECT_EQ(windows.Restarts, 0);  // cycling shows the first note at its first tick
  session.CycleTick();
  EXPECT_EQ(windows.Text, "one");
  EXPECT_EQ(windows.Interval, 3000u);
  session.CycleTick();
  EXPECT_EQ(windows.Text, "two");
  EXPECT_EQ(windows.Interval, 9000u);
  session.Run(TStickCommand::Forward);
  EXPECT_EQ(windows.Text, "one");
  session.Run(TStickCommand::Back);
  EXPECT_EQ(windows.Text, "two");
}

TEST_F(SessionTest, ASwitchWritesItsOneSetting) {
  Start({{.Content = "one"}});
  session.Run(TStickCommand::Clock);
  session.Run(TStickCommand::Cycle);
  session.Run(TStickCommand::AlwaysOnTop);
  EXPECT_EQ(settings.Written, (std::vector<std::string>{"Clock", "On", "Stay"}));
  EXPECT_FALSE(windows.Shown.Clock);
  EXPECT_TRUE(windows.Shown.Cycling);
  EXPECT_TRUE(windows.Shown.Stay);
  settings.Written.clear();
  session.Moved(300, 200);
  EXPECT_EQ(settings.Written, (std::vector<std::string>{"top", "left"}));
  EXPECT_EQ(settings.Values["left"], 300);
}

TEST_F(SessionTest, ACommandThatWaitsForADialogBringsItForwardInstead) {
  Start({{.Content = "one"}});
  windows.DialogUp = true;
  session.Run(TStickCommand::New);
  session.Run(TStickCommand::TrashAll);
  EXPECT_EQ(windows.OpenedOn, -1);
  EXPECT_EQ(Count(), 1);
  session.Run(TStickCommand::Forward);  // stepping does not wait
  EXPECT_EQ(windows.Text, "one");
}

TEST_F(SessionTest, AConflictCopyArrivingWhileANoteIsShownIsMergedAndTheNoteStaysUp) {
  Start({{.Content = "one"}, {.Content = "two"}});
  session.ShowNote(2);
  const std::string copy = kFolder + "notices.sync-conflict-20261208-101010-ABCDEFG.msg";
  store.Files[copy] = NotesFileText({{.Content = "one"}, {.Content = "from the other computer"}});
  session.FolderChanged();
  EXPECT_EQ(Count(), 3);
  EXPECT_EQ(windows.Text, "two");
  EXPECT_EQ(windows.Counter, "2 / 3");
  EXPECT_EQ(store.Files.count(copy), 0u);
  EXPECT_NE(File().find("from the other computer"), std::string::npos);
}

TEST(Commands, EveryKeyedCommandIsFoundByItsKeyAndNamesIt) {
  for (int c = 0; c <= static_cast<int>(TStickCommand::Exit); ++c) {
    const auto command = static_cast<TStickCommand>(c);
    const TStickCommandRow* row = CommandRow(command);
    ASSERT_NE(row, nullptr);
    if (row->Key == 0) continue;
    EXPECT_EQ(CommandForKey(row->Key, row->Ctrl, false), row);
    EXPECT_FALSE(CommandKeys(command).empty()) << c;
  }
  EXPECT_EQ(CommandKeys(TStickCommand::About), "Ctrl+B");
  EXPECT_EQ(CommandKeys(TStickCommand::Cycle), "Ctrl+Space");
  EXPECT_EQ(CommandHint(TStickCommand::Help), "Help (F1)");
}
}  // namespace
