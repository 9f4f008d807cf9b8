#include "app/win/DllSearch.h"

#include <windows.h>

bool RestrictLibrarySearchToSystem() {
  // Looked up rather than imported: a system without it still starts the program.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto set = kernel ? reinterpret_cast<SetDirectories>(
                                reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                          : nullptr;
  return set && set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
