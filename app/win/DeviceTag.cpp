#include "app/win/DeviceTag.h"

#include <windows.h>

#include <random>

#include "app/NoteVersion.h"
#include "app/Settings.h"
#include "toolkit/win/Registry.h"

namespace {
constexpr char kDeviceValue[] = "Device";

// Ten letters and digits, random enough that two computers never draw the same: the system's
// random source mixed with this moment and this process.
std::string NewTag() {
  std::random_device random;
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  const std::string seed = std::to_string(random()) + "." + std::to_string(random()) + "." +
                           std::to_string(counter.QuadPart) + "." + std::to_string(GetCurrentProcessId()) + "." +
                           std::to_string(GetTickCount64());
  uint64_t n = TextHash({seed});
  std::string tag;
  for (int i = 0; i < 10; ++i, n /= 36) tag += "0123456789abcdefghijklmnopqrstuvwxyz"[n % 36];
  return tag;
}
}  // namespace

std::string ThisComputersTag() {
  TRegistry reg;
  try {
    if (reg.OpenKey(std::string(SettingsKey), true)) {
      if (reg.ValueExists(kDeviceValue)) {
        const std::string stored = reg.ReadString(kDeviceValue);
        if (IsDeviceTag(stored)) return stored;
      }
      const std::string tag = NewTag();
      reg.WriteString(kDeviceValue, tag);
      return tag;
    }
  } catch (const std::exception&) {
    // A value of another type, or a key that refuses the write: a tag for this run.
  }
  return NewTag();
}
