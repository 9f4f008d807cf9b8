#include "toolkit/win/WineFileMode.h"

#include <cstdint>
#include <cstring>
#include <vector>

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

#if defined(__x86_64__)
namespace {

int64_t LinuxCall5(int64_t number, const void* a, const void* b, int64_t c, int64_t d, int64_t e) {
  int64_t result;
  register int64_t r10 asm("r10") = d;
  register int64_t r8 asm("r8") = e;
  asm volatile("syscall"
               : "=a"(result)
               : "a"(number), "D"(a), "S"(b), "d"(c), "r"(r10), "r"(r8)
               : "rcx", "r11", "memory");
  return result;
}
constexpr int64_t kChown = 92, kSetXattr = 188, kGetXattr = 191, kListXattr = 194;
constexpr size_t kGroupOffset = 32;     // struct stat on x86-64
constexpr size_t kXattrMax = 64 << 10;  // the kernel's limit for a list of names and for a value

}  // namespace
#endif

bool WineLinkToNothing(const std::wstring& path) {
  const std::optional<TUnixFile> name = WineUnixFile(path, false);
  return name && name->Kind == TUnixFileKind::Link && !WineUnixFile(path, true);
}

void CopyWineFileExtras(const std::wstring& from, const std::wstring& to) {
#if defined(__x86_64__)
  const UnixNameFunction unixName = LinuxUnixName();
  if (!unixName) return;
  const std::string source = UnixName(unixName, from), target = UnixName(unixName, to);
  if (source.empty() || target.empty()) return;
  alignas(8) unsigned char status[kStatSize] = {};
  if (LinuxCall(kStat, source.c_str(), reinterpret_cast<intptr_t>(status)) != 0) return;
  uint32_t group = 0;
  std::memcpy(&group, status + kGroupOffset, sizeof group);
  LinuxCall5(kChown, target.c_str(), reinterpret_cast<const void*>(static_cast<intptr_t>(-1)), group, 0, 0);
  std::vector<char> names(kXattrMax), value(kXattrMax);
  const int64_t listed = LinuxCall5(kListXattr, source.c_str(), names.data(), kXattrMax, 0, 0);
  for (int64_t at = 0; at < listed;) {
    const char* name = names.data() + at;
    at += static_cast<int64_t>(std::strlen(name)) + 1;
    const int64_t size = LinuxCall5(kGetXattr, source.c_str(), name, reinterpret_cast<intptr_t>(value.data()),
                                    kXattrMax, 0);
    if (size >= 0) LinuxCall5(kSetXattr, target.c_str(), name, reinterpret_cast<intptr_t>(value.data()), size, 0);
  }
#else
  (void)from;
  (void)to;
#endif
}
