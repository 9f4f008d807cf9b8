#include "components/links/LinkTarget.h"

std::string_view URLPrefix(TURLType type) {
  switch (type) {
    case TURLType::utHTTP: return "http://";
    case TURLType::utFTP: return "ftp://";
    case TURLType::utMailTo: return "mailto:";
  }
  return {};
}

std::string BuildLinkTarget(std::string_view caption, TURLType type) {
  const std::string_view prefix = URLPrefix(type);
  // Only A to Z are folded: the bytes of other UTF-8 characters never match a prefix anyway.
  std::string lowered(caption);
  for (char& c : lowered)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  if (lowered.find(prefix) != std::string::npos) return std::string(caption);
  std::string target(prefix);
  target += caption;
  return target;
}
