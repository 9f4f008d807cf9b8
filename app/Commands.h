// The note window's commands and how each is reached: one row per command with its key, the
// hint its button shows and whether it waits for an open dialog. The shortcut people read and
// a screen reader announces is made from the key, never written beside it.
#pragma once
#include <cstdint>
#include <string>

enum class TStickCommand {
  Forward, Back, New, Edit, Trash, Attachment, Cycle, About, Help,
  ShowWindow, HideWindow, TrashAll, AlwaysOnTop, Clock, Autorun, Exit
};

// The virtual keys the table uses that are not letters (their Windows values).
namespace VirtualKey {
inline constexpr uint16_t Space = 0x20, Left = 0x25, Right = 0x27, F1 = 0x70;
}

struct TStickCommandRow {
  TStickCommand Command;
  uint16_t Key;       // the virtual key that runs it; 0: no key
  bool Ctrl;          // with Ctrl held; without, neither Ctrl nor Alt may be
  const char* Hint;   // its button's hint, without the keys
  bool HintNamesKeys;  // the hint ends in "(Keys)", as the button has always said
  // It waits while a dialog of the program is up: it would open a second dialog, change the
  // list under the editor, or hide the window the dialog belongs to.
  bool WaitsForDialogs;
};

// The row of a command, or of a key pressed with or without Ctrl (and without Alt); null
// when there is none.
const TStickCommandRow* CommandRow(TStickCommand command);
const TStickCommandRow* CommandForKey(uint16_t key, bool ctrl, bool alt);
// The command's key as people read it ("Ctrl+B", "F1", "Ctrl+Space"); empty without a key.
std::string CommandKeys(TStickCommand command);
// The hint of a command's button: its text, with the keys where the row says so.
std::string CommandHint(TStickCommand command);
bool WaitsForDialogs(TStickCommand command);
