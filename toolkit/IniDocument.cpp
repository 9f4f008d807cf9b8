#include "toolkit/IniDocument.h"

#include <algorithm>

#include "toolkit/IniEncoding.h"
#include "toolkit/IniInteger.h"
#include "toolkit/IniValue.h"
#include "toolkit/OneLine.h"

namespace {

std::string Fold(std::string_view name) {
  std::string out(TrimIniBlanks(name));
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  a = TrimIniBlanks(a);
  b = TrimIniBlanks(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// A header is a line whose first non-blank is "[" with a "]" somewhere after it; the name runs
// to the last "]".
std::optional<std::string_view> HeaderName(std::string_view line) {
  line = TrimIniBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return line.substr(1, close - 1);
}

// Each byte that could end the line its own blank.
std::string OneIniLine(std::string_view s) { return OneLine(s, TLineBreaks::EachCrLfNul); }

void AppendWithCrLf(std::string& out, std::string_view lines) {
  size_t start = 0;
  for (size_t nl; (nl = lines.find('\n', start)) != std::string_view::npos; start = nl + 1) {
    out.append(lines.substr(start, nl - start));
    out += "\r\n";
  }
  out.append(lines.substr(start));
}

}  // namespace

TIniDocument::TIniDocument() { AddSection({}, {}); }

void TIniDocument::AddSection(std::string header, std::string_view name) {
  firstByName_.try_emplace(Fold(name), sections_.size());
  sections_.push_back({std::move(header), {}});
}

std::optional<TIniDocument> TIniDocument::FromBytes(std::string_view bytes, const TAnsiCodePage& ansi) {
  const auto text = DecodeIniBytes(bytes, ansi);
  if (!text) return std::nullopt;
  return FromText(*text);
}

TIniDocument TIniDocument::FromText(std::string_view text) {
  TIniDocument doc;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size()) pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
    if (const auto name = HeaderName(line)) {
      doc.AddSection(std::string(line), *name);
    } else {
      std::string& body = doc.sections_.back().Body;
      body.append(line);
      body += '\n';
    }
  }
  return doc;
}

std::string TIniDocument::ToText() const {
  std::string out;
  for (const TSection& s : sections_) {
    if (&s != &sections_.front()) {
      out += s.Header;
      out += "\r\n";
    }
    AppendWithCrLf(out, s.Body);
  }
  return out;
}

std::string TIniDocument::ToBytes() const { return EncodeIniText(ToText()); }

const TIniDocument::TSection* TIniDocument::FindSection(std::string_view name) const {
  const auto it = firstByName_.find(Fold(name));
  return it == firstByName_.end() ? nullptr : &sections_[it->second];
}

std::optional<TIniDocument::TKeyLine> TIniDocument::FindKey(const std::string& body,
                                                            std::string_view key) {
  const std::string_view text(body);
  for (size_t begin = 0, end; begin < text.size(); begin = end + 1) {
    end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(begin, end - begin);
    if (TrimIniBlanks(line).empty()) continue;
    const size_t eq = line.find('=');
    if (!SameName(line.substr(0, eq), key)) continue;
    TKeyLine found;
    found.Begin = begin;
    found.End = end;
    found.Name = TrimIniBlanks(line.substr(0, eq));
    found.HasValue = eq != std::string_view::npos;
    if (found.HasValue) found.Value = TrimIniBlanks(line.substr(eq + 1));
    return found;
  }
  return std::nullopt;
}

std::optional<std::string> TIniDocument::FindString(std::string_view section,
                                                     std::string_view key) const {
  const TSection* s = FindSection(section);
  if (!s) return std::nullopt;
  const auto line = FindKey(s->Body, key);
  if (!line || !line->HasValue) return std::nullopt;
  return ReadIniValue(line->Value);
}

std::string TIniDocument::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const {
  auto value = FindString(section, key);
  return value ? std::move(*value) : std::string(defaultValue);
}

int32_t TIniDocument::ReadInteger(std::string_view section, std::string_view key,
                                  int32_t defaultValue) const {
  const auto value = FindString(section, key);
  if (!value) return defaultValue;
  return ParseIniInteger(*value).value_or(defaultValue);
}

void TIniDocument::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  const std::string name = OneIniLine(TrimIniBlanks(key));
  const std::string encoded = WriteIniValue(OneIniLine(value));
  const std::string line = name + '=' + encoded;
  const TSection* found = FindSection(section);
  if (!found) {
    const std::string sectionName = OneIniLine(TrimIniBlanks(section));
    AddSection('[' + sectionName + ']', sectionName);
    sections_.back().Body = line + '\n';
    return;
  }
  std::string& body = sections_[static_cast<size_t>(found - sections_.data())].Body;
  if (const auto old = FindKey(body, name)) {
    if (old->HasValue && ReadIniValue(old->Value) == OneIniLine(value)) return;
    // The name keeps its spelling, as the platform keeps it.
    body.replace(old->Begin, old->End - old->Begin, std::string(old->Name) + '=' + encoded);
    return;
  }
  // After the last line with "=", so comments and blank lines that close the section stay last.
  size_t at = 0;
  for (size_t begin = 0, end; begin < body.size(); begin = end + 1) {
    end = body.find('\n', begin);
    if (end == std::string::npos) end = body.size();
    if (std::string_view(body).substr(begin, end - begin).find('=') != std::string_view::npos) {
      at = std::min(end + 1, body.size());
    }
  }
  body.insert(at, line + '\n');
}

void TIniDocument::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, FormatIniInteger(value));
}
