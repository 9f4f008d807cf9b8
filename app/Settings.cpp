#include "app/Settings.h"

#include <algorithm>

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
