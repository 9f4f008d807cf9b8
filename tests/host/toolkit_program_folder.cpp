// Where the program runs from: an archive opened in a temporary folder, a folder it cannot write.
#include <gtest/gtest.h>

#include "toolkit/ProgramFolder.h"

namespace {

constexpr const char* kTemp = "C:\\Users\\Jane\\AppData\\Local\\Temp\\";

TEST(ProgramFolder, AnArchiveOpenedInTheTemporaryFolderIsToldFromAnyOther) {
  const struct {
    const char* folder;
    bool writable;
    TProgramFolderKind kind;
  } cases[] = {
      {"C:\\Users\\Jane\\AppData\\Local\\Temp\\Temp1_Zettly.zip\\Zettly\\", true, TProgramFolderKind::OpenedArchive},
      {"c:\\users\\jane\\appdata\\local\\temp\\TEMP12_zettly (2).zip", true, TProgramFolderKind::OpenedArchive},
      {"C:\\Users\\Jane\\AppData\\Local\\Temp\\7zO8A1B2C3D\\", true, TProgramFolderKind::OpenedArchive},
      {"C:\\Users\\Jane\\AppData\\Local\\Temp\\Rar$EXa1234.5678\\Zettly", false, TProgramFolderKind::OpenedArchive},
      // Unpacked by the user into the temporary folder or elsewhere: theirs to keep.
      {"C:\\Users\\Jane\\AppData\\Local\\Temp\\Zettly\\", true, TProgramFolderKind::Usable},
      {"C:\\Users\\Jane\\AppData\\Local\\Temp\\Temp_Zettly.zip\\", true, TProgramFolderKind::Usable},
      {"C:\\Users\\Jane\\AppData\\Local\\Temp\\Temp1_\\", true, TProgramFolderKind::Usable},
      {"C:\\Users\\Jane\\AppData\\Local\\Temporary\\Temp1_Zettly.zip\\", true, TProgramFolderKind::Usable},
      {"C:\\Users\\Jane\\Documents\\Temp1_Zettly.zip\\Zettly\\", true, TProgramFolderKind::Usable},
      {"C:\\Program Files\\Zettly\\", false, TProgramFolderKind::NotWritable},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ClassifyProgramFolder(c.folder, kTemp, c.writable), c.kind) << c.folder;
  EXPECT_FALSE(IsOpenedArchiveFolder("C:\\Temp1_Zettly.zip\\", ""));  // no temporary folder known
}

}  // namespace
