// The note window's settings: what creation and the first activation read, what the end of the program writes
// and in which order, the switches and their menu commands, and the machine-wide autorun entry
// when the machine refuses it.
#include <gtest/gtest.h>

#include "tests/win/StickTestSupport.h"

namespace {

using Refusal = ScratchRegistry::Refusal;

bool TopMost(TForm& f) { return (GetWindowLongW(f.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

struct PlacementCase {
  const char* name;
  std::function<void(ScratchRegistry&)> setup;
  int left, top;
  bool topMost;
  const wchar_t* box;  // the error box's text, or none
};

class PlacementTest : public StickTest, public testing::WithParamInterface<PlacementCase> {};

TEST_P(PlacementTest, CreationReadsThePlaceAndStay) {
  const PlacementCase& c = GetParam();
  c.setup(registry);
  Create();
  RECT r;
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(r.left, c.left);
  EXPECT_EQ(r.top, c.top);
  EXPECT_EQ(TopMost(*form), c.topMost);
  EXPECT_EQ(Ui(form).AlwaysOnTopItem->Checked(), c.topMost);
  EXPECT_EQ(Boxes(), c.box ? std::vector<std::wstring>{c.box} : std::vector<std::wstring>{});
}

INSTANTIATE_TEST_SUITE_P(
    Values, PlacementTest,
    testing::Values(
        PlacementCase{"Stored",
                      [](ScratchRegistry& r) {
                        r.SetSetting(L"top", 200);
                        r.SetSetting(L"left", 300);
                        r.SetSetting(L"Stay", 1);
                      },
                      300, 200, true, nullptr},
        // A value of the wrong type: the error box, every other value applied, the window made.
        PlacementCase{"LeftIsText",
                      [](ScratchRegistry& r) {
                        r.SetSetting(L"top", 200);
                        r.SetString(r.Settings(), L"left", L"x");
                        r.SetSetting(L"Stay", 1);
                      },
                      15, 200, true, L"Invalid data type for 'left'"},
        // Off every monitor (one was removed): brought back onto the nearest work area.
        PlacementCase{"FarOff",
                      [](ScratchRegistry& r) {
                        r.SetSetting(L"top", static_cast<DWORD>(-5000));
                        r.SetSetting(L"left", static_cast<DWORD>(-5000));
                      },
                      0, 0, false, nullptr},
        // Partly visible: exactly as stored.
        PlacementCase{"PartlyOff",
                      [](ScratchRegistry& r) {
                        r.SetSetting(L"top", 10);
                        r.SetSetting(L"left", static_cast<DWORD>(-100));
                      },
                      -100, 10, false, nullptr}),
    [](const auto& info) { return info.param.name; });

// Regression: a value of the wrong type reset the values read after it, and the next save
// stored them at their defaults.
TEST_F(StickTest, AWrongTypedValueCostsThatValueAlone) {
  const BYTE bytes[] = {1, 2, 3, 4};
  RegSetKeyValueW(HKEY_CURRENT_USER, registry.Settings().c_str(), L"left", REG_BINARY, bytes, sizeof bytes);
  registry.SetString(registry.Settings(), L"top", L"200");
  registry.SetSetting(L"Stay", 1);
  Create();
  EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Invalid data type for 'top'\nInvalid data type for 'left'"});
  EXPECT_TRUE(TopMost(*form));
  SaveAll();
  EXPECT_EQ(registry.Setting(L"Stay"), L"1");
  EXPECT_EQ(registry.Setting(L"left"), L"15");
}

TEST_F(StickTest, AWindowStoredRightOfTheScreenComesBackInsideTheWorkArea) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  registry.SetSetting(L"left", static_cast<DWORD>(work.right + 800));
  registry.SetSetting(L"top", static_cast<DWORD>(work.bottom + 600));
  Create();
  RECT r;
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
}

struct ActivationCase {
  const char* name;
  std::function<void(ScratchRegistry&)> setup;
  bool cycling, clock, autorunTick;
  std::optional<std::wstring> autorunEntry;
  const char* text = "";  // on display after the step  // nullopt: none; L"<exe>": the program's path
};

class ActivationTest : public StickTest, public testing::WithParamInterface<ActivationCase> {};

TEST_P(ActivationTest, TheFirstActivationAppliesOnClockAndRun) {
  const ActivationCase& c = GetParam();
  c.setup(registry);
  Create({{"A", "", 3000}});
  Activate();
  EXPECT_EQ(Ui(form).CycleButton->Down(), c.cycling);
  EXPECT_EQ(Ui(form).CycleTimer->Enabled(), c.cycling);
  EXPECT_EQ(Ui(form).CycleButton->Hint(), c.cycling ? "Scrolling is ON (Ctrl+Space)" : "");
  EXPECT_EQ(Text(), c.text);
  EXPECT_EQ(form->ClockShown(), c.clock);
  EXPECT_EQ(Ui(form).ClockItem->Checked(), c.clock);
  EXPECT_EQ(Ui(form).AutorunItem->Checked(), c.autorunTick);
  const std::wstring exe = Wide(Application->ExeName());
  const auto expected = c.autorunEntry == L"<exe>" ? std::optional<std::wstring>(exe) : c.autorunEntry;
  EXPECT_EQ(registry.Autorun(), expected);
  // Switching off removes an entry an older version left for the machine, where permitted.
  if (registry.machine == Refusal::None && !c.autorunTick) {
    EXPECT_EQ(registry.MachineAutorun(), std::nullopt);
  }
  EXPECT_TRUE(system.boxes.empty());  // failures here are never shown
}

INSTANTIATE_TEST_SUITE_P(
    Values, ActivationTest,
    testing::Values(
        ActivationCase{"FirstStart", [](ScratchRegistry&) {}, true, true, true, L"<exe>"},
        ActivationCase{"AllOff",
                       [](ScratchRegistry& r) {
                         r.SetSetting(L"On", 0);
                         r.SetSetting(L"Clock", 0);
                         r.SetSetting(L"Run", 0);
                         r.SetString(r.Run(), L"Zettly", L"C:\\old\\Zettly.exe");
                         r.SetString(r.MachineRun(), L"Zettly", L"C:\\old\\Zettly.exe");
                       },
                       false, false, false, std::nullopt, "A"},
        ActivationCase{"RunOffWithoutEntry", [](ScratchRegistry& r) { r.SetSetting(L"Run", 0); }, true, true, false,
                       std::nullopt},
        ActivationCase{"TheMachineKeyIsNotNeeded", [](ScratchRegistry& r) { r.machine = Refusal::OpenFails; }, true,
                       true, true, L"<exe>"},
        // The tick shows what happened: an entry that could not be written is not ticked.
        ActivationCase{"TheUserKeyRefusesTheValue", [](ScratchRegistry& r) { r.user = Refusal::WriteFails; }, true,
                       true, false, std::nullopt},
        ActivationCase{"RunOffWithoutAccessToTheMachine",
                       [](ScratchRegistry& r) {
                         r.SetSetting(L"Run", 0);
                         r.SetString(r.Run(), L"Zettly", L"C:\\mine.exe");
                         r.SetString(r.MachineRun(), L"Zettly", L"C:\\kept.exe");
                         r.machine = Refusal::OpenFails;
                       },
                       true, true, false, std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST_F(StickTest, EveryChangeOfTheListOrASwitchIsStoredAtOnce) {
  Start({{"A", "", 3000}, {"B", "", 3000}}, /*cycling=*/true);
  ClickOn(Ui(form).CycleButton);  // cycling off
  EXPECT_EQ(registry.Setting(L"On"), L"0");
  form->Run(TStickCommand::Clock);  // clock hidden
  EXPECT_EQ(registry.Setting(L"Clock"), L"0");
  form->Run(TStickCommand::Autorun);
  EXPECT_EQ(registry.Setting(L"Run"), L"0");
  EXPECT_EQ(registry.Autorun(), std::nullopt);
  form->Run(TStickCommand::AlwaysOnTop);
  EXPECT_EQ(registry.Setting(L"Stay"), L"1");
  form->SetBounds(120, 80, form->Width(), form->Height());
  form->Run(TStickCommand::Forward);
  form->Run(TStickCommand::Trash);
  // The deleted note is gone from the file at once, its section with it.
  EXPECT_EQ(GetFile(NotesFile()), "[General]\r\nN=1\r\n[Note1]\r\nContent=B\r\nAttach=\r\nExposure=3000\r\n");
  SaveAll();
  const std::pair<const wchar_t*, const wchar_t*> values[] = {{L"top", L"80"},  {L"left", L"120"}, {L"On", L"0"},
                                                              {L"Stay", L"1"},  {L"Clock", L"0"},  {L"Run", L"0"}};
  for (const auto& [name, value] : values) EXPECT_EQ(registry.Setting(name), value) << name;
  EXPECT_TRUE(system.boxes.empty());
}

TEST_F(StickTest, ADeletionThatCannotBeSavedSaysWhyAndStaysUnsaved) {
  Start({{"A", "", 3000}});
  RefusingStore refusing;
  store.target = &refusing;
  ClickOn(Ui(form).TrashSpeedBtn);
  const std::wstring expected = L"Unable to write to " + NotesFile() + L"\nAccess is denied.";
  EXPECT_EQ(Boxes(), std::vector<std::wstring>{expected});
  EXPECT_TRUE(Notes().Unsaved());
  try {
    SaveAll();
    ADD_FAILURE() << "the save went through";
  } catch (const Exception& e) {
    EXPECT_EQ(Wide(e.Message()), expected);
  }
  EXPECT_EQ(registry.Setting(L"top"), std::nullopt);  // the settings follow the notes
  EXPECT_NE(GetFile(NotesFile()).find("Content=A"), std::string::npos);
}

TEST_F(StickTest, ASwitchThatCannotBeStoredSaysSoAndTheNotesStillSave) {
  Start({{"A", "", 3000}});
  for (Refusal refusal : {Refusal::OpenFails, Refusal::WriteFails}) {
    registry.user = refusal;
    system.boxes.clear();
    form->Run(TStickCommand::AlwaysOnTop);
    EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Failed to set data for 'Stay'"});  // the one it changes
  }
  ClickOn(Ui(form).TrashSpeedBtn);
  SaveAll();  // settings that cannot be written hold nothing up
  EXPECT_NE(GetFile(NotesFile()).find("N=0"), std::string::npos);
}

TEST_F(StickTest, MenuSwitchesAndTheirTicks) {
  Start();
  form->Run(TStickCommand::AlwaysOnTop);
  EXPECT_TRUE(TopMost(*form));
  EXPECT_TRUE(Ui(form).AlwaysOnTopItem->Checked());
  form->Run(TStickCommand::AlwaysOnTop);
  EXPECT_FALSE(TopMost(*form));
  EXPECT_FALSE(Ui(form).AlwaysOnTopItem->Checked());

  form->Run(TStickCommand::Clock);
  EXPECT_FALSE(Ui(form).ClockItem->Checked());
  EXPECT_FALSE(form->ClockShown());
  form->Run(TStickCommand::Clock);
  EXPECT_TRUE(form->ClockShown());

  form->Run(TStickCommand::Autorun);
  EXPECT_FALSE(Ui(form).AutorunItem->Checked());
  EXPECT_EQ(registry.Autorun(), std::nullopt);
  form->Run(TStickCommand::Autorun);
  EXPECT_TRUE(Ui(form).AutorunItem->Checked());
  EXPECT_EQ(registry.Autorun(), Wide(Application->ExeName()));
  EXPECT_TRUE(system.boxes.empty());
}

// The menu shown as the window's context menu; the item is chosen with its accelerator key
// while the menu runs, as a person would.
void ChooseFromContextMenu(TStickForm& form, WORD accelerator) {
  PostMessageW(form.Handle(), WM_KEYDOWN, accelerator, 0);
  PostMessageW(form.Handle(), WM_KEYUP, accelerator, 0xC0000001);
  SendMessageW(Ui(form).NotePanel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Ui(form).NotePanel->Handle()),
               MAKELPARAM(60, 60));
  Application->ProcessMessages();
}

TEST_F(StickTest, AutoRunThatCannotBeWrittenShowsTheErrorAndUnticks) {
  registry.SetSetting(L"Run", 0);
  Start();
  ASSERT_FALSE(Ui(form).AutorunItem->Checked());
  registry.user = Refusal::WriteFails;
  ChooseFromContextMenu(*form, 'R');
  EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Failed to set data for 'Zettly'"});
  EXPECT_FALSE(Ui(form).AutorunItem->Checked());
  EXPECT_EQ(registry.Autorun(), std::nullopt);
  registry.user = Refusal::None;
  ChooseFromContextMenu(*form, 'R');
  EXPECT_TRUE(Ui(form).AutorunItem->Checked());
  EXPECT_EQ(registry.Autorun(), Wide(Application->ExeName()));
  EXPECT_EQ(registry.MachineAutorun(), std::nullopt);  // never the machine's key
}

TEST_F(StickTest, TheMenuHoldsItsItemsInOrderWithTicksAndTheDefault) {
  Create();
  struct Item {
    const char* caption;
    bool checked, isDefault;
  };
  const Item expected[] = {{"&Show window", false, true},   {"&Hide window", false, false}, {"-", false, false},
                           {"&Trash all notes !", false, false}, {"-", false, false},
                           {"&Always on top", false, false}, {"&Clock", true, false},       {"Auto &Run", true, false},
                           {"-", false, false},              {"A&bout...", false, false},   {"-", false, false},
                           {"E&xit", false, false}};
  TMenuItem* items = Ui(form).TrayPopupMenu->Items();
  ASSERT_EQ(items->Count(), static_cast<int>(std::size(expected)));
  for (int i = 0; i < items->Count(); ++i) {
    EXPECT_EQ(items->Items(i)->Caption(), expected[i].caption) << i;
    EXPECT_EQ(items->Items(i)->Checked(), expected[i].checked) << i;
    EXPECT_EQ(items->Items(i)->Default(), expected[i].isDefault) << i;
  }
  std::vector<TMenuItem*> byCommand;
  HMENU menu = Ui(form).TrayPopupMenu->BuildMenu(byCommand);
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 1u);  // drawn bold
  DestroyMenu(menu);
  EXPECT_EQ(form->PopupMenu(), Ui(form).TrayPopupMenu);
}

TEST_F(StickTest, TrashAllNotesAsksFirstAndEmptiesTheListOnYes) {
  Start({{"A", "a", 3000}, {"B", "", 3000}, {"C", "", 3000}});
  system.box_answer = IDNO;
  form->Run(TStickCommand::TrashAll);
  ASSERT_EQ(system.boxes.size(), 1u);
  EXPECT_EQ(system.boxes[0].text, L"Are you sure you want to delete all the 3 notes?");
  EXPECT_EQ(system.boxes[0].caption, L"Delete all notes?");
  // No is the default: a stray Enter keeps the Notes().
  EXPECT_EQ(system.boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
  EXPECT_EQ(Notes().NoteCount(), 3);
  system.box_answer = IDYES;
  form->Run(TStickCommand::TrashAll);
  EXPECT_EQ(Notes().NoteCount(), 0);
  EXPECT_EQ(GetFile(NotesFile()), "[General]\r\nN=0\r\n");  // on disk at once, no text left
  EXPECT_EQ(Counter(), "0 / 0");
  EXPECT_EQ(Text(), "");
  EXPECT_FALSE(Ui(form).AttachmentButton->Visible());
  PressKey('A', true);
  EXPECT_TRUE(system.shell.empty());  // no removed note can be opened
  form->Run(TStickCommand::TrashAll);  // empty: no question
  EXPECT_EQ(system.boxes.size(), 2u);
}

TEST_F(StickTest, HelpGoesToTheShellFromTheProgramFolder) {
  Start();
  ClickOn(Ui(form).HelpButton);
  ASSERT_EQ(system.shell.size(), 1u);
  EXPECT_EQ(system.shell[0].file, folder.Path() + L"help.chm");
  EXPECT_EQ(system.shell[0].operation, L"open");
  EXPECT_EQ(system.shell[0].owner, Application->Handle());
}

}  // namespace
