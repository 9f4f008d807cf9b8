// Handing a file to the program the shell opens it with, saying so when it cannot.
#pragma once
#include <string>

#include "toolkit/win/Application.h"

// Opens `target` (the help file, an attachment: `what`) with the application's window as owner;
// a path too long for the shell or a refusal is told in a message box.
void OpenWithShell(TApplication& app, const std::string& target, const char* what);
