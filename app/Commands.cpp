#include "app/Commands.h"

#include <algorithm>
#include <iterator>

namespace {
using C = TStickCommand;
namespace K = VirtualKey;
// Every command, whether or not a key or a button reaches it: command, key, with Ctrl, hint,
// hint names the keys, waits for dialogs.
constexpr TStickCommandRow kCommands[] = {
    {C::Forward, K::Right, true, "Forward", false, false},
    {C::Back, K::Left, true, "Back", false, false},
    {C::New, 'N', true, "New", false, true},
    {C::Edit, 'E', true, "Edit", false, true},
    {C::Trash, 'T', true, "Trash", false, false},
    {C::Attachment, 'A', true, "", false, false},  // its hint is the shown note's attachment
    {C::Cycle, K::Space, true, "", false, false},  // its hint says whether it is on
    {C::About, 'B', true, "About...", true, true},
    {C::Help, K::F1, false, "Help", true, false},
    {C::ShowWindow, 0, false, "", false, true},
    {C::HideWindow, 0, false, "", false, true},
    {C::TrashAll, 0, false, "", false, true},
    {C::AlwaysOnTop, 0, false, "", false, false},
    {C::Clock, 0, false, "", false, false},
    {C::Autorun, 0, false, "", false, false},
    {C::Exit, 'X', true, "Exit", false, false},  // closing decides what a dialog means to it
};

std::string KeyName(uint16_t key) {
  switch (key) {
    case K::Space: return "Space";
    case K::Left: return "Left";
    case K::Right: return "Right";
    default: break;
  }
  if (key >= K::F1 && key < K::F1 + 24) return "F" + std::to_string(key - K::F1 + 1);
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  return "";
}
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

std::string CommandKeys(TStickCommand command) {
  const TStickCommandRow* row = CommandRow(command);
  if (!row || row->Key == 0) return "";
  const std::string name = KeyName(row->Key);
  return name.empty() ? "" : (row->Ctrl ? "Ctrl+" : "") + name;
}

std::string CommandHint(TStickCommand command) {
  const TStickCommandRow* row = CommandRow(command);
  if (!row) return "";
  std::string hint = row->Hint;
  if (row->HintNamesKeys) hint += " (" + CommandKeys(command) + ")";
  return hint;
}

bool WaitsForDialogs(TStickCommand command) {
  const TStickCommandRow* row = CommandRow(command);
  return !row || row->WaitsForDialogs;
}
