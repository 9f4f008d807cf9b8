#include "app/AttachmentKind.h"

#include <algorithm>
#include <cstdint>

#include "toolkit/AsciiCase.h"

namespace {

// What the shell starts beyond PATHEXT: shortcuts (which may lead to any program), installers,
// screen savers, HTML and ClickOnce applications, scripts of other hosts, control panel items,
// registry imports, gadgets and packages, compiled help (which runs script), setup information,
// Excel add-ins, saved searches and libraries (which reach remote shares), disk images (mounted,
// their programs a click away); and what a Linux desktop's opener may start when the program
// hands a file on to it there: launchers, shell scripts and self-running archives.
constexpr std::string_view kAlsoRun[] = {
    ".lnk", ".url", ".pif", ".scf", ".scr", ".msi", ".msp", ".msix", ".msixbundle", ".appx", ".appxbundle",
    ".appinstaller", ".hta", ".ps1", ".psc1", ".cpl", ".reg", ".jar", ".appref-ms", ".application", ".xbap",
    ".gadget", ".vb", ".ws", ".wsc", ".sct", ".py", ".pyw", ".settingcontent-ms", ".diagcab", ".chm", ".hlp",
    ".inf", ".xll", ".library-ms", ".search-ms", ".searchconnector-ms", ".iso", ".img", ".vhd", ".vhdx",
    ".desktop", ".sh", ".appimage", ".run"};

// Addresses that open in the browser or the mail program; every other scheme starts a program.
constexpr std::string_view kWebAndMail[] = {"http", "https", "mailto"};


bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The system drops trailing dots and blanks from a name: "marker.exe. " is marker.exe.
std::string_view WithoutTrailingDots(std::string_view s) {
  while (!s.empty() && (s.back() == '.' || IsBlank(s.back()))) s.remove_suffix(1);
  return s;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (AsciiLower(c) >= 'a' && AsciiLower(c) <= 'z'); }

// A quoted target is the text inside the quotes: "C:\Program Files\x.exe" /s runs x.exe.
std::string_view Unquoted(std::string_view target) {
  target = Trim(target);
  if (!target.empty() && target.front() == '"') {
    const size_t close = target.find('"', 1);
    target = Trim(target.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
  }
  return target;
}

// "http:", "mailto:", "file:": a scheme of two letters or more (one letter is a drive).
std::string_view Scheme(std::string_view s) {
  const size_t colon = s.find(':');
  if (colon == std::string_view::npos || colon < 2) return {};
  for (size_t i = 0; i < colon; ++i) {
    const char c = AsciiLower(s[i]);
    const bool ok = IsLetter(c) || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!ok) return {};
  }
  return s.substr(0, colon);
}

int HexDigit(char c) {
  c = AsciiLower(c);
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

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

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool OneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

// printf's one-letter escapes and what each stands for.
constexpr std::string_view kEscapeLetters = "\"\\abefnrtv";
constexpr std::string_view kEscapeValues = "\"\\\a\b\x1B\f\n\r\t\v";

// What printf(1) prints for s as its format with no arguments: backslash escapes decoded, each
// conversion given an empty or zero value; it stops at "\c" and at what it cannot parse.
std::string PrintfFormatted(std::string_view s) {
  std::string out;
  size_t i = 0;
  const auto hexRun = [&](size_t most) {
    uint32_t value = 0;
    size_t n = 0;
    while (n < most && i < s.size() && HexDigit(s[i]) >= 0) value = value * 16 + static_cast<uint32_t>(HexDigit(s[i++])), ++n;
    return std::make_pair(value, n);
  };
  while (i < s.size()) {
    const char c = s[i++];
    if (c == '\\' && i < s.size()) {
      const char e = s[i++];
      if (e == 'x') {
        const auto [value, n] = hexRun(2);
        if (n == 0) return out;
        out += static_cast<char>(value);
      } else if (e == 'u' || e == 'U') {
        const size_t want = e == 'u' ? 4 : 8;
        const auto [value, n] = hexRun(want);
        if (n != want) return out;
        AppendUtf8(out, value);
      } else if (IsOctal(e)) {
        uint32_t value = static_cast<uint32_t>(e - '0');
        for (int n = 1; n < 3 && i < s.size() && IsOctal(s[i]); ++n) value = value * 8 + static_cast<uint32_t>(s[i++] - '0');
        out += static_cast<char>(value & 0xFF);
      } else if (e == 'c') {
        return out;
      } else if (const size_t known = kEscapeLetters.find(e); known != std::string_view::npos) {
        out += kEscapeValues[known];
      } else {
        out += '\\';
        out += e;
      }
    } else if (c == '%' && i < s.size() && s[i] == '%') {
      out += '%';
      ++i;
    } else if (c == '%') {
      while (i < s.size() && OneOf(s[i], "-+ #0'")) ++i;
      size_t width = 0;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9') width = std::min<size_t>(width * 10 + static_cast<size_t>(s[i++] - '0'), 4096);
      if (i < s.size() && s[i] == '*') ++i;
      if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '*')) ++i;
      }
      if (i >= s.size()) return out;
      const char conversion = s[i++];
      std::string value;
      if (OneOf(conversion, "diouxX")) value = "0";
      else if (OneOf(conversion, "aAeEfFgG")) value = "0.000000";
      else if (conversion == 'q') value = "''";
      else if (!OneOf(conversion, "sbc")) return out;
      if (value.size() < width) out.append(width - value.size(), ' ');
      out += value;
    } else {
      out += c;
    }
  }
  return out;
}

// The path xdg-open's generic mode opens for a "file:///" URL: it turns each %HH into \xHH and
// runs the result through printf as the format.
std::string XdgOpenDecoded(std::string_view path) {
  std::string escaped;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '%' && i + 2 < path.size() && HexDigit(path[i + 1]) >= 0 && HexDigit(path[i + 2]) >= 0) {
      escaped += "\\x";
      escaped += path.substr(i + 1, 2);
      i += 2;
    } else {
      escaped += path[i];
    }
  }
  return PrintfFormatted(escaped);
}

// The path as the system reads it: separators as backslashes, "." and ".." steps taken (never
// above the root), trailing separators dropped, and the last name without its trailing dots and
// blanks: "C:\x\evil.exe\." is C:\x\evil.exe.
std::string NormalPath(std::string_view path) {
  path = Trim(path);
  std::string root;
  size_t i = 0;
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') {
    root = std::string(path.substr(0, 2));
    i = 2;
  }
  while (i < path.size() && IsSeparator(path[i])) {
    root += '\\';
    ++i;
  }
  std::vector<std::string_view> names;
  while (i < path.size()) {
    size_t end = i;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string_view name = path.substr(i, end - i);
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    i = end + 1;
  }
  while (!names.empty() && WithoutTrailingDots(names.back()).empty()) names.pop_back();
  if (!names.empty()) names.back() = WithoutTrailingDots(names.back());
  std::string out = root;
  for (size_t k = 0; k < names.size(); ++k) {
    if (k > 0) out += '\\';
    out += names[k];
  }
  return out;
}

std::string_view LastName(std::string_view normalPath) {
  const size_t slash = normalPath.find_last_of('\\');
  std::string_view name = slash == std::string_view::npos ? normalPath : normalPath.substr(slash + 1);
  if (slash == std::string_view::npos && name.size() >= 2 && IsLetter(name[0]) && name[1] == ':') name.remove_prefix(2);
  return name;
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

bool NameRuns(std::string_view name, std::string_view programExtensions) {
  name = WithoutTrailingDots(name);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view extension = name.substr(dot + 1);
  if (InExtensionList(extension, programExtensions)) return true;
  return std::any_of(std::begin(kAlsoRun), std::end(kAlsoRun),
                     [&](std::string_view also) { return SameLetters(also.substr(1), extension); });
}

bool PathRuns(std::string_view path, std::string_view programExtensions) {
  const std::string normal = NormalPath(path);
  const std::string_view name = LastName(normal);
  if (name.empty()) return false;  // a drive or a folder's root
  // A bare name is searched for with the program extensions; a path without one is a folder or
  // a document the shell asks about.
  const std::string_view written = Trim(path);
  if (name.find_first_of(".:") == std::string_view::npos)
    return std::none_of(written.begin(), written.end(), [](char c) { return IsSeparator(c) || c == ':'; });
  // A colon is a stream of the name before it on Windows ("a.exe::$DATA" runs a.exe) and part of
  // the name on Linux ("a.txt:b.exe" is run as a program there).
  return NameRuns(name, programExtensions) || NameRuns(name.substr(0, name.find(':')), programExtensions);
}

// The paths a "file:" URL may stand for: its %-escapes decoded (with and without a "?" or "#"
// tail, which not every reader takes for part of the name), and as xdg-open decodes it.
std::vector<std::string> FileUrlPaths(std::string_view url) {
  std::string_view rest = url.substr(url.find(':') + 1);
  // "file:///C:/x" is C:/x, "file:///home/x" /home/x, "file://server/share" \\server\share.
  if (rest.starts_with("///")) rest.remove_prefix(2);
  std::vector<std::string> paths = {PercentDecoded(rest)};
  const size_t tail = rest.find_first_of("?#");
  if (tail != std::string_view::npos) paths.push_back(PercentDecoded(rest.substr(0, tail)));
  paths.push_back(XdgOpenDecoded(rest.substr(0, tail)));
  for (std::string& path : paths)
    if (path.size() >= 3 && path[0] == '/' && IsLetter(path[1]) && path[2] == ':') path.erase(0, 1);
  std::sort(paths.begin(), paths.end());
  paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
  return paths;
}

bool IsFileScheme(std::string_view scheme) { return SameLetters(scheme, "file"); }

}  // namespace

TAttachmentKind KindOfAttachment(std::string_view target, std::string_view programExtensions) {
  target = Unquoted(target);
  const std::string_view scheme = Scheme(target);
  if (scheme.empty()) return PathRuns(target, programExtensions) ? TAttachmentKind::Program : TAttachmentKind::Document;
  if (std::any_of(std::begin(kWebAndMail), std::end(kWebAndMail), [&](std::string_view s) { return SameLetters(scheme, s); }))
    return TAttachmentKind::Document;
  if (!IsFileScheme(scheme)) return TAttachmentKind::Link;
  for (const std::string& path : FileUrlPaths(target))
    if (PathRuns(path, programExtensions)) return TAttachmentKind::Program;
  return TAttachmentKind::Document;
}

std::string AddressScheme(std::string_view target) { return std::string(Scheme(Unquoted(target))); }

std::vector<TShellFileName> ShellFileNames(std::string_view target) {
  target = Unquoted(target);
  const std::string_view scheme = Scheme(target);
  std::vector<std::string> paths;
  if (scheme.empty()) paths.push_back(std::string(target));
  else if (IsFileScheme(scheme)) paths = FileUrlPaths(target);
  std::vector<TShellFileName> names;
  for (const std::string& path : paths) {
    const std::string normal = NormalPath(path);
    // A dot that begins a name (".profile") starts no extension.
    const bool hasExtension = LastName(normal).find('.', 1) != std::string_view::npos;
    // A URL's "/home/..." is a Linux path, as the desktop's opener takes it.
    const bool onLinux = !scheme.empty() && path.starts_with("/") && !path.starts_with("//");
    names.push_back({onLinux ? path : normal, hasExtension});
  }
  return names;
}
