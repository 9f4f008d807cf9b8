// The question before an attachment that would start a program: anyone who can write the notes
// file (a synced folder, an outside edit the program takes in) chooses what it names.
#pragma once
#include <string>

#include "toolkit/win/Application.h"

// True when `target` may be handed on: it opens as a document, folder, web or mail address, or
// it is a program (by the system's PATHEXT as well as the usual kinds, under Wine on a Linux
// desktop also an executable file without an extension) or a link of another scheme, and the
// user, told what will run, said Yes. No is the default answer, and a question that could not be
// asked is a No.
bool AttachmentMayOpen(const std::string& target, TApplication& app);
