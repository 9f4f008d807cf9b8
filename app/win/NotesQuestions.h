// What the program tells and asks the user about the notes file: that a refused file takes no
// change, and whether to close when changes cannot be saved.
#pragma once
#include "app/Notes.h"
#include "toolkit/win/Application.h"

// Says why the notes cannot be changed; true when they can.
bool ListCanChange(const TNoteList& notes, TApplication& app);
// True when nothing is unsaved any more: saved now, or the user agreed to lose the changes.
bool SaveOrConfirmLoss(TNoteList& notes, TApplication& app);
