// The real file store: Win32 files, saves atomic through a uniquely named temporary file beside
// the final target of a link, put in place with ReplaceFileW on Windows and one rename under Wine,
// a refusal tried again for about two seconds. Files without a mark are in the ANSI code page.
#pragma once
#include <memory>

#include "toolkit/FileStore.h"

class TFileOperations;

// One for the whole process; stateless, so sharing it is safe.
TFileStore& SystemFileStore();
// The same store putting its files in place through operations (not owned).
std::unique_ptr<TFileStore> MakeFileStore(TFileOperations& operations);
