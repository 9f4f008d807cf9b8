#include "toolkit/win/WineFileMode.h"

#include <cstdint>
#include <cstring>

namespace {

using UnixNameFunction = char*(CDECL*)(LPCWSTR);
using HostVersionFunction = void(CDECL*)(const char** sysname, const char** release);

template <typename F>
F Export(const wchar_t* module, const char* name) {
  const HMODULE m = GetModuleHandleW(module);
  return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

HostVersionFunction WineHostVersion() {
  return Export<HostVersionFunction>(L"ntdll.dll", "wine_get_host_version");
}

// Wine's path translation, only where the kernel calls below are the host's: Linux on x86-64.
UnixNameFunction LinuxUnixName() {
#if defined(__x86_64__)
  static const UnixNameFunction found = []() -> UnixNameFunction {
    const auto host = WineHostVersion();
    if (!host) return nullptr;
    const char* sysname = nullptr;
    const char* release = nullptr;
    host(&sysname, &release);
    if (!sysname || std::strcmp(sysname, "Linux") != 0) return nullptr;
    return Export<UnixNameFunction>(L"kernel32.dll", "wine_get_unix_file_name");
  }();
  return found;
#else
  return nullptr;
#endif
}

std::string UnixName(UnixNameFunction unixName, const std::wstring& path) {
  char* name = unixName(path.c_str());
  if (!name) return {};
  std::string out = name;
  HeapFree(GetProcessHeap(), 0, name);
  return out;
}

#if defined(__x86_64__)
// Registers are 64 bits wide, where Windows' long is 32.
int64_t LinuxCall(int64_t number, const char* path, int64_t argument) {
  int64_t result;
  asm volatile("syscall"
               : "=a"(result)
               : "a"(number), "D"(path), "S"(argument)
               : "rcx", "r11", "memory");
  return result;
}
constexpr int64_t kStat = 4, kChmod = 90;
constexpr size_t kStatSize = 144, kModeOffset = 24;  // struct stat on x86-64
#endif

}  // namespace

bool UnderWine() {
  static const bool wine = WineHostVersion() != nullptr;
  return wine;
}

bool CopyWineFileMode(const std::wstring& from, const std::wstring& to, DWORD& error) {
#if defined(__x86_64__)
  const UnixNameFunction unixName = LinuxUnixName();
  if (!unixName) return true;
  const std::string source = UnixName(unixName, from), target = UnixName(unixName, to);
  if (source.empty() || target.empty()) return true;
  alignas(8) unsigned char status[kStatSize] = {};
  if (LinuxCall(kStat, source.c_str(), reinterpret_cast<intptr_t>(status)) != 0) return true;
  uint32_t mode = 0;
  std::memcpy(&mode, status + kModeOffset, sizeof mode);
  if (LinuxCall(kChmod, target.c_str(), static_cast<int64_t>(mode & 07777)) != 0) {
    error = ERROR_ACCESS_DENIED;
    return false;
  }
#else
  (void)from;
  (void)to;
  (void)error;
#endif
  return true;
}
