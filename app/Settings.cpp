#include "app/Settings.h"

#include <algorithm>
#include <exception>

#include "toolkit/Exception.h"

namespace {
// Each stored setting once: its name, when it is read, its default, and where it lives in
// TSettings. The order is the stored order. A switch is on when its value is not 0.
struct TSettingRule {
  std::string_view Name;
  TSettingsMoment ReadAt;
  int32_t Default;
  int32_t (*Get)(const TSettings&);
  void (*Set)(TSettings&, int32_t);
};

using enum TSettingsMoment;
constexpr TSettingRule kSettings[] = {
    {TopValue, Creation, 15, [](const TSettings& s) { return s.Top; }, [](TSettings& s, int32_t v) { s.Top = v; }},
    {LeftValue, Creation, 15, [](const TSettings& s) { return s.Left; }, [](TSettings& s, int32_t v) { s.Left = v; }},
    {CyclingValue, Activation, 1, [](const TSettings& s) { return int32_t{s.Cycling}; },
     [](TSettings& s, int32_t v) { s.Cycling = v != 0; }},
    {StayValue, Creation, 0, [](const TSettings& s) { return int32_t{s.Stay}; },
     [](TSettings& s, int32_t v) { s.Stay = v != 0; }},
    {ClockValue, Activation, 1, [](const TSettings& s) { return int32_t{s.Clock}; },
     [](TSettings& s, int32_t v) { s.Clock = v != 0; }},
    {AutorunValue, Activation, 1, [](const TSettings& s) { return int32_t{s.Autorun}; },
     [](TSettings& s, int32_t v) { s.Autorun = v != 0; }},
};
}  // namespace

TSettings DefaultSettings() {
  TSettings settings;
  for (const TSettingRule& rule : kSettings) rule.Set(settings, rule.Default);
  return settings;
}

void ReadSettings(TSettingsSource& source, TSettingsMoment moment, TSettings& settings) {
  std::string failures;
  for (const TSettingRule& rule : kSettings) {
    if (rule.ReadAt != moment) continue;
    std::optional<int32_t> value;
    try {
      value = source.ReadInteger(std::string(rule.Name));
    } catch (const std::exception& e) {
      // Only this value is lost: a later one skipped would be saved back at its default.
      if (!failures.empty()) failures += '\n';
      failures += e.what();
    }
    rule.Set(settings, value.value_or(rule.Default));
  }
  if (moment == Creation && !failures.empty()) throw Exception(failures);
}

void WriteSettings(TSettingsSource& source, const TSettings& settings) {
  for (const TSettingRule& rule : kSettings) source.WriteInteger(std::string(rule.Name), rule.Get(settings));
}

void WriteSettings(TSettingsSource& source, const TSettings& settings, std::initializer_list<std::string_view> names) {
  for (const TSettingRule& rule : kSettings)
    if (std::find(names.begin(), names.end(), rule.Name) != names.end())
      source.WriteInteger(std::string(rule.Name), rule.Get(settings));
}

std::string AutorunCommand(std::string_view exePath) {
  const bool quoted = exePath.size() >= 2 && exePath.front() == '"' && exePath.back() == '"';
  if (quoted || exePath.find(' ') == std::string_view::npos) return std::string(exePath);
  return "\"" + std::string(exePath) + "\"";
}

TPoint KeepInsideWorkArea(const TRect& window, const TRect& area) {
  const int left = std::max(area.Left, std::min(window.Left, area.Right - window.Width()));
  const int top = std::max(area.Top, std::min(window.Top, area.Bottom - window.Height()));
  return {left, top};
}

bool DragAreaReachable(const TRect& drag, const std::vector<TRect>& areas) {
  for (const TRect& a : areas) {
    const int width = std::min(drag.Right, a.Right) - std::max(drag.Left, a.Left);
    const int height = std::min(drag.Bottom, a.Bottom) - std::max(drag.Top, a.Top);
    if (width >= MinReachable && height >= MinReachable) return true;
  }
  return false;
}
