// The file format of the named-value trees: what a load keeps and how a
// flush writes it, byte for byte.
#include <gtest/gtest.h>

#include "framework/CodePage.h"
#include "framework/IniDocument.h"
#include "framework/IniNameValueTree.h"
#include "ini_test_support.h"

namespace {

class IniFormatTest : public ::testing::Test {
 protected:
  // Loads bytes from a file and returns what the tree writes back.
  std::string Normalised(const std::string& bytes) {
    WriteBytes(file, bytes);
    { TIniNameValueTree tree(file); }
    return ReadBytes(file);
  }

  TTempFolder folder;
  const std::string file = folder.File("tree.ini");
};

std::string Cp(const std::string& utf8) { return Utf8ToCp1251(utf8); }

}  // namespace

TEST_F(IniFormatTest, TwoValuesGiveTheSixLinesOfTheExample) {
  {
    TIniNameValueTree tree(file);
    tree.WriteInteger("/etc/level", 2);
    tree.WriteInteger("lights", 5);
    ASSERT_TRUE(tree.Flush());
  }
  EXPECT_EQ(ReadBytes(file), "[/etc/]\r\nlevel=2\r\n\r\n[/]\r\nlights=5\r\n\r\n");
}

TEST_F(IniFormatTest, EmptyTreeOnMissingFileLeavesAnEmptyFile) {
  {
    TIniNameValueTree tree(file);
    EXPECT_FALSE(std::filesystem::exists(file)) << "no file before the first write";
  }
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(std::filesystem::file_size(file), 0u);
}

TEST_F(IniFormatTest, LoadDropsCommentsBlanksAndLinesBeforeTheFirstSection) {
  const std::string input =
      "orphan=1\r\n"
      "; a comment before\r\n"
      "\r\n"
      "  [  /etc/  ]  \r\n"
      "\t level \t =  2 \t\r\n"
      "; level=3\r\n"
      "   ;indented comment\r\n"
      "no equals sign here\r\n"
      "\x01\x02 bare \x1F\r\n"
      "\r\n"
      "[/]\r\n"
      "lights=5";
  EXPECT_EQ(Normalised(input),
            "[/etc/]\r\n"
            "level=2\r\n"
            "no equals sign here\r\n"
            "bare\r\n"
            "\r\n"
            "[/]\r\n"
            "lights=5\r\n"
            "\r\n");
}

TEST_F(IniFormatTest, CrOnlyLfOnlyAndMixedLineEndsReadAlike) {
  const std::string expected = "[/a/]\r\nx=1\r\ny=2\r\n\r\n";
  EXPECT_EQ(Normalised("[/a/]\rx=1\ry=2\r"), expected);
  EXPECT_EQ(Normalised("[/a/]\nx=1\ny=2\n"), expected);
  EXPECT_EQ(Normalised("[/a/]\r\nx=1\n\ry=2"), expected);
  EXPECT_EQ(Normalised("\n\n[/a/]\r\r\r\nx=1\n\n\ny=2\r\n\r\n"), expected);
}

TEST_F(IniFormatTest, SplitsAtTheFirstEqualsSign) {
  EXPECT_EQ(Normalised("[/]\nkey = a = b\n= only value\nempty =\n"),
            "[/]\r\nkey=a = b\r\n=only value\r\nempty=\r\n\r\n");
  WriteBytes(file, "[/]\nkey = a = b\n= only value\nempty =\n");
  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.ReadString("/key", "-"), "a = b");
  EXPECT_EQ(tree.ReadString("/empty", "-"), "");
}

TEST_F(IniFormatTest, HeaderTakesPrecedenceOverEqualsSign) {
  EXPECT_EQ(Normalised("[/a=b/]\nk=v\n"), "[/a=b/]\r\nk=v\r\n\r\n");
  EXPECT_EQ(Normalised("[]\n=v\n[ ]\nw=1\n"), "[]\r\n=v\r\n\r\n[]\r\nw=1\r\n\r\n");
  // Brackets at one end only make no header.
  EXPECT_EQ(Normalised("[/]\n[x\nx]\n["), "[/]\r\n[x\r\nx]\r\n[\r\n\r\n");
}

TEST_F(IniFormatTest, DuplicateSectionsBothSurviveAndTheSecondIsUsed) {
  WriteBytes(file, "[/]\na=1\n[/etc/]\nlevel=1\n[/]\na=2\n");
  {
    TIniNameValueTree tree(file);
    EXPECT_EQ(tree.ReadInteger("/a", 0), 2);
    tree.WriteInteger("/b", 3);
    tree.WriteInteger("/a", 4);
    ASSERT_EQ(tree.IniDocument().SectionCount(), 3u);
  }
  EXPECT_EQ(ReadBytes(file), "[/]\r\na=1\r\n\r\n[/etc/]\r\nlevel=1\r\n\r\n[/]\r\na=4\r\nb=3\r\n\r\n");
}

TEST_F(IniFormatTest, DuplicateKeysBothSurviveAndTheLastIsUsed) {
  WriteBytes(file, "[/]\nk=1\nother=0\nK=2\n");
  {
    TIniNameValueTree tree(file);
    EXPECT_EQ(tree.ReadInteger("/k", 0), 2);
    tree.WriteInteger("/k", 3);
  }
  EXPECT_EQ(ReadBytes(file), "[/]\r\nk=1\r\nother=0\r\nk=3\r\n\r\n");
}

TEST_F(IniFormatTest, WriteReplacesTheLineWhereItStands) {
  WriteBytes(file, "[/etc/]\nfirst=1\nLevel=1\nlast=1\n");
  {
    TIniNameValueTree tree(file);
    tree.WriteInteger("/etc/level", 2);
  }
  // The key takes the spelling of the write, the line keeps its place.
  EXPECT_EQ(ReadBytes(file), "[/etc/]\r\nfirst=1\r\nlevel=2\r\nlast=1\r\n\r\n");
}

TEST_F(IniFormatTest, LineWithoutEqualsSignIsNeverAKey) {
  WriteBytes(file, "[/etc/]\nlevel\nLEVEL\n");
  {
    TIniNameValueTree tree(file);
    EXPECT_EQ(tree.ReadString("/etc/level", "none"), "none");
    tree.WriteInteger("/etc/level", 2);
    EXPECT_EQ(tree.ReadInteger("/etc/level", 0), 2);
  }
  EXPECT_EQ(ReadBytes(file), "[/etc/]\r\nlevel\r\nLEVEL\r\nlevel=2\r\n\r\n");
}

TEST_F(IniFormatTest, CyrillicNamesCompareWithoutCase) {
  WriteBytes(file, Cp("[/ПРИВЕТ/]\nКлюч = значение\n[/Ёлка/]\nёж=1\n"));
  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.ReadString(Cp("/привет/ключ"), "-"), Cp("значение"));
  EXPECT_EQ(tree.ReadString(Cp("/ПрИвЕт/КЛЮЧ"), "-"), Cp("значение"));
  EXPECT_EQ(tree.ReadInteger(Cp("/ёлка/ЁЖ"), 0), 1);
  // е and ё are different letters.
  EXPECT_EQ(tree.ReadInteger(Cp("/елка/еж"), 0), 0);
}

TEST_F(IniFormatTest, BytesAreWrittenAsTheyStand) {
  const std::string value = std::string("\xC0\xFF\x98\x80 ", 5) + std::string(1, '\0') + "z";
  {
    TIniNameValueTree tree(file);
    tree.WriteString("/\xCA/k", value);
  }
  EXPECT_EQ(ReadBytes(file), "[/\xCA/]\r\nk=" + value + "\r\n\r\n");
  TIniNameValueTree again(file);
  EXPECT_EQ(again.ReadString("/\xEA/K", "-"), value);
}

TEST_F(IniFormatTest, ByteOrderMarkIsNotRecognised) {
  // The mark makes the first header an ordinary line before any section.
  WriteBytes(file, "\xEF\xBB\xBF[/]\nk=1\n[/a/]\nk=2\n");
  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.ReadInteger("/k", 0), 0);
  EXPECT_EQ(tree.ReadInteger("/a/k", 0), 2);
}

TEST_F(IniFormatTest, NormalFormIsAFixedPointOfLoadAndSave) {
  // Random texts from the characters that matter to the format; a loaded
  // document, saved and loaded again, must save to the same bytes.
  const std::string alphabet = std::string("[]=; \t\r\n\0\x1F!ab\xE0\xC0", 16);
  std::mt19937 random(4159);
  SCOPED_TRACE("seed 4159");
  for (int round = 0; round < 500; ++round) {
    std::string text;
    const size_t length = random() % 200;
    for (size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    TIniDocument first("first");
    first.Load(text);
    const std::string once = first.Save();
    TIniDocument second("second");
    second.Load(once);
    EXPECT_EQ(second.Save(), once) << "round " << round;
  }
}
