// Writing INI documents: one line changed per key, everything else kept, values that read back.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/IniDocument.h"

namespace {

TEST(IniWrite, ChangesOnlyTheLinesItWrites) {
  auto doc = TIniDocument::FromText(
      "; top\r\nlead=1\r\n[general]\r\nn=1\r\n\r\n; about note1\r\n[Note1]\r\n  CONTENT = x\r\n"
      "bare\r\n\r\n[Other]\r\nk=v");
  doc.WriteInteger("General", "N", 2);
  doc.WriteString("Note1", "Content", "y");
  doc.WriteString("note1", "Attach", "a");
  doc.WriteString("Note2", "Content", "z");
  doc.WriteString("Note1", "bare", "now set");
  EXPECT_EQ(doc.ToText(),
            "; top\r\nlead=1\r\n[general]\r\nn=2\r\n\r\n; about note1\r\n[Note1]\r\nCONTENT=y\r\n"
            "Attach=a\r\nbare=now set\r\n\r\n[Other]\r\nk=v\r\n[Note2]\r\nContent=z\r\n");
}

TEST(IniWrite, WritesTheFirstOfDuplicates) {
  auto doc = TIniDocument::FromText("[A]\nk=1\nk=2\n[a]\nk=3\n");
  doc.WriteString("A", "k", "new");
  EXPECT_EQ(doc.ToText(), "[A]\r\nk=new\r\nk=2\r\n[a]\r\nk=3\r\n");
}

TEST(IniWrite, AsciiStaysAsciiOtherTextIsUtf16) {
  TIniDocument doc;
  doc.WriteString("A", "k", "plain");
  EXPECT_EQ(doc.ToBytes(), "[A]\r\nk=plain\r\n");
  doc.WriteString("A", "k", "\xCE\xB1");  // alpha
  const std::u16string expected = u"\xFEFF[A]\r\nk=\x03B1\r\n";
  EXPECT_EQ(doc.ToBytes(), std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * 2));
}

// Regression: a value with a line break used to add keys and sections of its own.
TEST(IniWrite, ALineBreakInAValueCannotAddLines) {
  auto doc = TIniDocument::FromText("[Note1]\r\nContent=mine\r\n");
  doc.WriteString("Note2", "Content", "x\r\n[Note1]\r\nContent=evil");
  doc.WriteString("Note2", "Attach\n[Note1]", "y");
  const auto back = *TIniDocument::FromBytes(doc.ToBytes());
  EXPECT_EQ(back.ReadString("Note1", "Content", ""), "mine");
  EXPECT_EQ(back.ReadString("Note2", "Content", ""), "x  [Note1]  Content=evil");
}

TEST(IniWrite, KeepsEveryLineOfAFileItDoesNotChange) {
  const std::string text = "x=lead\r\n[ A ]\r\n;c\r\n\r\nk = \" v \"\r\nbare\r\n[]\r\ne=5\r\n[A]\r\nk=2\r\n";
  EXPECT_EQ(TIniDocument::FromText(text).ToText(), text);
  EXPECT_EQ(TIniDocument::FromText("[A]\nk=1\r[B]\rj=2").ToText(), "[A]\r\nk=1\r\n[B]\r\nj=2\r\n");
}

}  // namespace
