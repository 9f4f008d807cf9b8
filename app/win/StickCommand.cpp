#include "app/win/StickCommand.h"

#include <windows.h>

#include <algorithm>

namespace {
using C = TStickCommand;
// Every command, whether or not a key or a button reaches it.
constexpr TStickCommandRow kCommands[] = {
    {C::Forward, VK_RIGHT, true, "", "Forward", false},
    {C::Back, VK_LEFT, true, "", "Back", false},
    {C::New, 'N', true, "", "New", false},
    {C::Edit, 'E', true, "", "Edit", false},
    {C::Trash, 'T', true, "", "Trash", false},
    {C::Attachment, 'A', true, "", "", false},  // its hint is the shown note's attachment
    {C::Cycle, VK_SPACE, true, "Ctrl+Space", "", false},  // its hint says whether it is on
    {C::About, 'B', true, "Ctrl+B", "About...", true},
    {C::Help, VK_F1, false, "F1", "Help", true},
    {C::ShowWindow, 0, false, "", "", false},
    {C::HideWindow, 0, false, "", "", false},
    {C::TrashAll, 0, false, "", "", false},
    {C::AlwaysOnTop, 0, false, "", "", false},
    {C::Clock, 0, false, "", "", false},
    {C::Autorun, 0, false, "", "", false},
    {C::Exit, 'X', true, "", "Exit", false},
};
}  // namespace

std::span<const TStickCommandRow> StickCommands() { return kCommands; }

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
  switch (command) {
    case C::New: case C::Edit: case C::About: case C::ShowWindow: case C::HideWindow: case C::TrashAll:
      return true;
    case C::Forward: case C::Back: case C::Trash: case C::Attachment: case C::Cycle: case C::Help:
    case C::AlwaysOnTop: case C::Clock: case C::Autorun: case C::Exit:
      return false;  // Exit: closing decides (FormClose)
  }
  return true;
}
