#include "app/AttachmentKind.h"

#include <string>

namespace {

// What the shell starts beyond PATHEXT: shortcuts (which may lead to any program), installers,
// screen savers, HTML and ClickOnce applications, scripts of other hosts, control panel items,
// registry imports, gadgets and packages; and what a Linux desktop's opener may start when the
// program hands a file on to it there: launchers, shell scripts and self-running archives.
constexpr std::string_view kAlsoRun[] = {
    ".lnk", ".url", ".pif", ".scf", ".scr", ".msi", ".msp", ".msix", ".msixbundle", ".appx", ".appxbundle",
    ".hta", ".ps1", ".psc1", ".cpl", ".reg", ".jar", ".appref-ms", ".application", ".xbap", ".gadget", ".vb",
    ".ws", ".wsc", ".settingcontent-ms", ".diagcab", ".desktop", ".sh", ".appimage", ".run"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "http:", "mailto:", "file:": a scheme of two letters or more (one letter is a drive).
std::string_view Scheme(std::string_view s) {
  const size_t colon = s.find(':');
  if (colon == std::string_view::npos || colon < 2) return {};
  for (size_t i = 0; i < colon; ++i) {
    const char c = Lower(s[i]);
    const bool ok = (c >= 'a' && c <= 'z') || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!ok) return {};
  }
  return s.substr(0, colon);
}

int HexDigit(char c) {
  c = Lower(c);
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool InExtensionList(std::string_view extension, std::string_view list) {
  while (!list.empty()) {
    const size_t end = list.find(';');
    std::string_view item = Trim(list.substr(0, end));
    list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    if (!item.empty() && item.front() == '.') item.remove_prefix(1);
    if (!item.empty() && SameLetters(item, extension)) return true;
  }
  return false;
}

bool PathRunsAsProgram(std::string_view path, std::string_view programExtensions) {
  path = Trim(path);
  // The system drops trailing dots and blanks from a name: "marker.exe. " is marker.exe.
  while (!path.empty() && (path.back() == '.' || IsBlank(path.back()))) path.remove_suffix(1);
  if (path.empty() || IsSeparator(path.back())) return false;  // a folder
  size_t start = path.size();
  while (start > 0 && !IsSeparator(path[start - 1])) --start;
  std::string_view name = path.substr(start);
  // A drive's colon, or a stream after the name ("a.exe::$DATA" runs a.exe).
  if (const size_t colon = name.find(':'); colon != std::string_view::npos) {
    if (start == 0 && colon == 1) name.remove_prefix(2);
    else name = name.substr(0, colon);
  }
  while (!name.empty() && (name.back() == '.' || IsBlank(name.back()))) name.remove_suffix(1);
  const size_t dot = name.rfind('.');
  // A bare name is searched for with the program extensions; a path without one is a folder or
  // a document the shell asks about.
  if (dot == std::string_view::npos) return !name.empty() && start == 0 && name.size() == path.size();
  const std::string_view extension = name.substr(dot + 1);
  if (InExtensionList(extension, programExtensions)) return true;
  for (std::string_view also : kAlsoRun)
    if (SameLetters(also.substr(1), extension)) return true;
  return false;
}

}  // namespace

bool RunsAsProgram(std::string_view target, std::string_view programExtensions) {
  target = Trim(target);
  if (!target.empty() && target.front() == '"') {
    const size_t close = target.find('"', 1);
    target = Trim(target.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  }
  const std::string_view scheme = Scheme(target);
  if (scheme.empty()) return PathRunsAsProgram(target, programExtensions);
  if (!SameLetters(scheme, "file")) return false;  // web links, mail and the like open in their programs
  std::string_view rest = target.substr(scheme.size() + 1);
  while (!rest.empty() && IsSeparator(rest.front())) rest.remove_prefix(1);
  const std::string path = PercentDecoded(rest);
  // Whether the shell keeps a "?" or "#" tail as part of the name or not, either file must count.
  const size_t tail = path.find_first_of("?#");
  return PathRunsAsProgram(path, programExtensions) ||
         (tail != std::string::npos && PathRunsAsProgram(std::string_view(path).substr(0, tail), programExtensions));
}
