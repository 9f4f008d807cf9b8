// What the program's forms use of the program around them, handed to each at construction by
// the entry point (tests hand in their own), so that no form reaches for a global.
#pragma once
#include "toolkit/win/Application.h"
#include "toolkit/win/Screen.h"

struct TFormContext {
  TApplication& App;  // message boxes, the error box, the title, the taskbar button's window
  TScreen& Screen;    // the pointer's shape while a long change runs
};
