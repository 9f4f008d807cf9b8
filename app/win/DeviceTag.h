// This computer's tag, counted in the versions of the notes it changes (NoteVersion.h). It lives
// in the user's registry beside the settings, where no sync tool copies it; the first start makes it.
#pragma once
#include <string>

// The stored tag, or a new one stored now. A registry that refuses the write still gives a tag
// for this run: its changes then count under a tag of their own, which merges as well.
std::string ThisComputersTag();
