// The question before an attachment that the shell would run as a program: anyone who can write
// the notes file (a synced folder, an outside edit the program takes in) chooses what it names.
#pragma once
#include <string>

#include "toolkit/win/Application.h"

// True when `target` may be handed to the shell: it opens as a document, folder or link, or it
// runs as a program (by the system's PATHEXT as well as the usual kinds) and the user said Yes
// to running it. No is the default answer, and a question that could not be asked is a No.
bool AttachmentMayOpen(const std::string& target, TApplication& app);
