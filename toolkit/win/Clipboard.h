// Reading text from the clipboard and fitting an insertion into a text box's length limit.
#pragma once
#include <windows.h>

#include <string>

// The clipboard's Unicode text, or empty when it holds none (or is busy).
std::wstring ClipboardText(HWND owner);

// What of `text` fits in place of the selection of a box holding `length` characters of which
// `selected` are selected, under `limit` (0: no limit). A surrogate pair is never split.
std::wstring FitInLimit(std::wstring text, int length, int selected, int limit);
