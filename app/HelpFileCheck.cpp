#include "app/HelpFileCheck.h"

#include <cctype>

#include "toolkit/AsciiCase.h"

namespace {
std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string Folder(std::string_view path) {
  const size_t cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(0, cut));
}
}  // namespace

int MarkedZone(std::string_view text) {
  bool inTransfer = false;
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = Trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.front() == '[') {
      inTransfer = SameLetters(line, "[ZoneTransfer]");
      continue;
    }
    const size_t eq = line.find('=');
    if (!inTransfer || eq == std::string_view::npos || !SameLetters(Trimmed(line.substr(0, eq)), "ZoneId")) continue;
    const std::string_view value = Trimmed(line.substr(eq + 1));
    if (value.empty() || value.size() > 2) return -1;
    int zone = 0;
    for (char c : value) {
      if (c < '0' || c > '9') return -1;
      zone = zone * 10 + (c - '0');
    }
    return zone;
  }
  return -1;
}

std::string HelpFileProblem(std::string_view path, int zone, bool onNetwork) {
  const std::string folder = Folder(path);
  if (zone >= kInternetZone)
    return "Windows keeps the help closed because help.chm came from the Internet: it would show "
           "only an empty page.\n\nTo unblock it, right-click help.chm in " + folder +
           ", choose Properties, tick \"Unblock\" and press OK. (Unblocking the zip before "
           "unpacking it spares this.)";
  if (onNetwork || path.substr(0, 2) == "\\\\")
    return "Windows shows no help from a network folder (" + folder +
           "): it would show only an empty page.\n\nCopy Zettly's folder to your own disk and start "
           "Zettly from there.";
  if (path.find('#') != std::string_view::npos)
    return "Windows shows no help from a folder whose path holds a \"#\" (" + folder +
           "): it would show only an empty page.\n\nMove Zettly's folder to a path without \"#\".";
  return {};
}
