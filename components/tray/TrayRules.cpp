#include "components/tray/TrayRules.h"

#include "toolkit/Utf.h"

namespace {
constexpr int kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;
}

TShiftState ShiftFromAsyncKeys(const std::function<int16_t(int)>& asyncKeyState) {
  TShiftState shift;
  if (asyncKeyState(kVkShift) < 0) shift += TShift::Shift;
  if (asyncKeyState(kVkControl) < 0) shift += TShift::Ctrl;
  if (asyncKeyState(kVkMenu) < 0) shift += TShift::Alt;
  return shift;
}

bool ShellRestartMessageAvailable(uint32_t comctlVersion) { return comctlVersion >= ((4u << 16) | 71u); }

std::u16string ShellTextField(std::string_view text, size_t maxUnits) {
  std::u16string field = Utf8ToUtf16(text);
  if (field.size() > maxUnits) {
    size_t keep = maxUnits;
    const char16_t last = field[keep - 1];
    if (last >= 0xD800 && last <= 0xDBFF) --keep;  // its other half would be cut off
    field.resize(keep);
  }
  return field;
}

std::u16string TrayTip(std::string_view hint, bool showHint) {
  if (hint.empty() || !showHint) return {};
  return ShellTextField(hint, kTrayTipMax);
}

int LimitIconIndex(int index, int count) { return index >= count ? count - 1 : index; }

int NextCycleIndex(int index, int count) { return index < count - 1 ? index + 1 : 0; }
