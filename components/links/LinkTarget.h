// What a hyperlink label hands to the shell: its caption, completed with the scheme of its kind
// unless the caption already names that scheme somewhere.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

enum class TURLType : uint8_t { utHTTP, utFTP, utMailTo };

// "http://", "ftp://" or "mailto:" (lower case); empty for a value outside the three kinds.
std::string_view URLPrefix(TURLType type);

// The caption unchanged when its ASCII-lower-cased text contains the kind's prefix anywhere,
// otherwise the prefix followed by the caption. The caption's own capitals are kept.
std::string BuildLinkTarget(std::string_view caption, TURLType type);
