#include "toolkit/ProgramFolder.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c; }

bool StartsWithFolded(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Folded(s[i]) != Folded(prefix[i])) return false;
  return true;
}

std::string_view WithoutTrailingSeparators(std::string_view s) {
  while (!s.empty() && IsSeparator(s.back())) s.remove_suffix(1);
  return s;
}

bool IsArchiveFolderName(std::string_view name) {
  if (StartsWithFolded(name, "7zO") || StartsWithFolded(name, "Rar$EX")) return name.size() > 3;
  if (!StartsWithFolded(name, "Temp")) return false;
  size_t i = 4;
  while (i < name.size() && name[i] >= '0' && name[i] <= '9') ++i;
  return i > 4 && i + 1 < name.size() && name[i] == '_';
}

}  // namespace

bool IsOpenedArchiveFolder(std::string_view folder, std::string_view temporaryFolder) {
  const std::string_view temp = WithoutTrailingSeparators(temporaryFolder);
  if (temp.empty() || !StartsWithFolded(folder, temp) || folder.size() <= temp.size() ||
      !IsSeparator(folder[temp.size()]))
    return false;
  std::string_view below = folder.substr(temp.size() + 1);
  size_t end = 0;
  while (end < below.size() && !IsSeparator(below[end])) ++end;
  return IsArchiveFolderName(below.substr(0, end));
}

TProgramFolderKind ClassifyProgramFolder(std::string_view folder, std::string_view temporaryFolder, bool writable) {
  // An opened archive's folder can be written, for a while: that is what makes it a trap.
  if (IsOpenedArchiveFolder(folder, temporaryFolder)) return TProgramFolderKind::OpenedArchive;
  return writable ? TProgramFolderKind::Usable : TProgramFolderKind::NotWritable;
}

std::string ProgramFolderWarning(TProgramFolderKind kind, std::string_view folder, std::string_view reason) {
  const std::string where(WithoutTrailingSeparators(folder));
  switch (kind) {
    case TProgramFolderKind::Usable: return {};
    case TProgramFolderKind::NotWritable:
      return "Zettly keeps your notes in its own folder, " + where + ", but cannot write there" +
             (reason.empty() ? "" : " (" + std::string(reason) + ")") +
             ": no note you make will be saved.\n\nMove the Zettly folder to one you can write to, such as "
             "Documents, and start Zettly from there, or install Zettly with Zettly.msi.";
    case TProgramFolderKind::OpenedArchive:
      return "Zettly runs from inside its zip file, in the temporary folder " + where +
             ", which Windows empties when it likes: the notes you make there would be lost, and Auto Run is "
             "not set up for this copy.\n\nExtract the zip (Extract All) into a folder such as Documents and "
             "start Zettly from there, or install Zettly with Zettly.msi.";
  }
  return {};
}
