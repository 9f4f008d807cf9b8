// An INI file held whole, read and written with the rules of the platform's private-profile
// functions, so that a save rewrites the file once and keeps every line it does not change.
//
// Reading: section and key names compare case-insensitively (ASCII letters) with blanks around
// them ignored; the first section of a name is the only one searched and its first key of a name
// wins; a line without "=" is a key without a value (it reads as missing and hides later keys of
// its name); keys before the first section belong to the section named "". Line ends may be
// CR LF, LF or CR. Values follow IniValue.h.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "toolkit/AnsiCodePage.h"

class TIniDocument {
 public:
  TIniDocument();

  // nullopt for bytes that are no text; bytes without a mark in ansi (see IniEncoding.h).
  static std::optional<TIniDocument> FromBytes(std::string_view bytes, const TAnsiCodePage& ansi = {});
  static TIniDocument FromText(std::string_view utf8);
  // CR LF after every line; ASCII when the text is, else UTF-16LE with a byte-order mark.
  std::string ToBytes() const;
  std::string ToText() const;

  // nullopt when the section or the key is missing or the key has no "=".
  std::optional<std::string> FindString(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  // The default when the value is missing or not a number (IniInteger.h).
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

  // Sets the key that a read would find, else adds it after the section's last key, else adds
  // the section at the end. Line breaks and NULs in names and values become blanks, so a write
  // can never add lines of its own; values are quoted when a read would change them. A key that
  // already reads as the value keeps its line as it is. A key name
  // must hold no "=" and not start with "[" (the platform could not read it back either).
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);

 private:
  struct TSection {
    std::string Header;  // the line as read, e.g. "[ General ]"; empty for the lead-in
    std::string Body;    // the section's lines, each ending in '\n'
  };
  struct TKeyLine {
    size_t Begin = 0, End = 0;  // the line within Body, without its '\n'
    std::string_view Name, Value;  // blanks trimmed
    bool HasValue = false;
  };

  void AddSection(std::string header, std::string_view name);
  const TSection* FindSection(std::string_view name) const;
  static std::optional<TKeyLine> FindKey(const std::string& body, std::string_view key);

  std::vector<TSection> sections_;  // sections_[0] is the lead-in, before any header
  std::unordered_map<std::string, size_t> firstByName_;  // folded name -> first such section
};
