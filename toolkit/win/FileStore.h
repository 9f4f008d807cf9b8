// The real file store: Win32 files, saves atomic through a uniquely named temporary file put in
// place with ReplaceFileW (or MoveFileExW for a new file), beside the final target of a link.
#pragma once
#include "toolkit/FileStore.h"

// One for the whole process; stateless, so sharing it is safe.
TFileStore& SystemFileStore();
