// Whether the folder a program runs from can keep its files: one it may not write to (under
// Program Files, guarded by Controlled Folder Access, a read-only share) or the temporary folder
// an archive was opened into (Explorer runs a program inside a zip from
// "%TEMP%\Temp1_Zettly.zip\Zettly\", and Windows empties that folder when it likes).
#pragma once
#include <string>
#include <string_view>

enum class TProgramFolderKind { Usable, NotWritable, OpenedArchive };

// folder and temporaryFolder are full paths in the same form (long names), with or without a
// trailing separator ('\' or '/'); names compare ignoring the case of ASCII letters. An opened
// archive's folder lies right under the temporary folder: "Temp<digits>_<name>" as Explorer
// makes it, "7zO<...>" as 7-Zip does, "Rar$EX<...>" as WinRAR does.
bool IsOpenedArchiveFolder(std::string_view folder, std::string_view temporaryFolder);

TProgramFolderKind ClassifyProgramFolder(std::string_view folder, std::string_view temporaryFolder, bool writable);

// What the user is told at start, or "" for a usable folder. reason: the system's words for a
// folder that cannot be written, may be empty.
std::string ProgramFolderWarning(TProgramFolderKind kind, std::string_view folder, std::string_view reason);
