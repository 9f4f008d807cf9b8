// The real file store: Win32 files, saves atomic through a temporary file and MoveFileExW.
#pragma once
#include "toolkit/FileStore.h"

// One for the whole process; stateless, so sharing it is safe.
TFileStore& SystemFileStore();
