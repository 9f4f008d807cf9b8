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
constexpr int64_t kStat = 4, kLstat = 6, kChmod = 90;
constexpr size_t kStatSize = 144, kModeOffset = 24;  // struct stat on x86-64
constexpr uint32_t kTypeMask = 0170000, kRegular = 0100000, kLink = 0120000;

std::optional<uint32_t> LinuxMode(const std::string& path, int64_t call) {
  alignas(8) unsigned char status[kStatSize] = {};
  if (LinuxCall(call, path.c_str(), reinterpret_cast<intptr_t>(status)) != 0) return std::nullopt;
  uint32_t mode = 0;
  std::memcpy(&mode, status + kModeOffset, sizeof mode);
  return mode;
}
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
  const std::optional<uint32_t> mode = LinuxMode(source, kStat);
  if (!mode) return true;
  if (LinuxCall(kChmod, target.c_str(), static_cast<int64_t>(*mode & 07777)) != 0) {
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

bool WineUnixFilesKnown() { return LinuxUnixName() != nullptr; }

std::optional<TUnixFile> WineUnixFile(const std::wstring& path, bool followLinks) {
  const UnixNameFunction unixName = LinuxUnixName();
  if (!unixName) return std::nullopt;
  return WineUnixFileAt(UnixName(unixName, path), followLinks);
}

std::optional<TUnixFile> WineUnixFileAt(const std::string& unixPath, bool followLinks) {
#if defined(__x86_64__)
  if (!LinuxUnixName()) return std::nullopt;
  std::string name = unixPath;
  // "folder/name/" would make lstat follow a link at name.
  while (name.size() > 1 && name.back() == '/') name.pop_back();
  if (name.empty()) return std::nullopt;
  const std::optional<uint32_t> mode = LinuxMode(name, followLinks ? kStat : kLstat);
  if (!mode) return std::nullopt;
  const uint32_t type = *mode & kTypeMask;
  return TUnixFile{type == kRegular ? TUnixFileKind::Regular : type == kLink ? TUnixFileKind::Link : TUnixFileKind::Other,
                   *mode & 07777};
#else
  (void)unixPath;
  (void)followLinks;
  return std::nullopt;
#endif
}
