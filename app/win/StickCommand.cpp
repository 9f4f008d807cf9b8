#include "app/win/StickCommand.h"

#include <windows.h>

#include <algorithm>

namespace {
using C = TStickCommand;
// Every command, whether or not a key or a button reaches it: command, key, with Ctrl, keys
// announced, hint, hint names the keys, waits for dialogs.
constexpr TStickCommandRow kCommands[] = {
    {C::Forward, VK_RIGHT, true, "", "Forward", false, false},
    {C::Back, VK_LEFT, true, "", "Back", false, false},
    {C::New, 'N', true, "", "New", false, true},
    {C::Edit, 'E', true, "", "Edit", false, true},
    {C::Trash, 'T', true, "", "Trash", false, false},
    {C::Attachment, 'A', true, "", "", false, false},  // its hint is the shown note's attachment
    {C::Cycle, VK_SPACE, true, "Ctrl+Space", "", false, false},  // its hint says whether it is on
    {C::About, 'B', true, "Ctrl+B", "About...", true, true},
    {C::Help, VK_F1, false, "F1", "Help", true, false},
    {C::ShowWindow, 0, false, "", "", false, true},
    {C::HideWindow, 0, false, "", "", false, true},
    {C::TrashAll, 0, false, "", "", false, true},
    {C::AlwaysOnTop, 0, false, "", "", false, false},
    {C::Clock, 0, false, "", "", false, false},
    {C::Autorun, 0, false, "", "", false, false},
    {C::Exit, 'X', true, "", "Exit", false, false},  // closing decides what a dialog means to it
};
}  // namespace

const TStickCommandRow* CommandRow(TStickCommand command) {
  const auto* row = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [command](const TStickCommandRow& r) { return r.Command == command; });
  return row == std::end(kCommands) ? nullptr : row;
}

const TStickCommandRow* CommandForKey(uint16_t key, bool ctrl, bool alt) {
  if (key == 0) return nullptr;
  const auto* row = std::find_if(std::begin(kCommands), std::end(kCommands), [&](const TStickCommandRow& r) {
    return r.Key == key && (r.Ctrl ? ctrl : !ctrl && !alt);
  });
  return row == std::end(kCommands) ? nullptr : row;
}

std::string CommandHint(TStickCommand command) {
  const TStickCommandRow* row = CommandRow(command);
  if (!row) return "";
  std::string hint = row->Hint;
  if (row->HintNamesKeys) hint += std::string(" (") + row->Keys + ")";
  return hint;
}

bool WaitsForDialogs(TStickCommand command) {
  const TStickCommandRow* row = CommandRow(command);
  return !row || row->WaitsForDialogs;
}
