// Functions of system libraries that are looked up rather than imported: the library is loaded
// only when first wanted, and only from the system folder (the program's own folder is writable
// by its user). A library once loaded stays for the rest of the run.
#pragma once
#include <windows.h>

// Null where the library or the function is missing.
template <typename F>
F SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}
