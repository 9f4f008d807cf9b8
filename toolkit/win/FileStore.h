// The real file store: Win32 files, saves atomic through a uniquely named temporary file beside
// the final target of a link, put in place with ReplaceFileW on Windows and one rename under Wine.
#pragma once
#include "toolkit/FileStore.h"

// One for the whole process; stateless, so sharing it is safe.
TFileStore& SystemFileStore();
