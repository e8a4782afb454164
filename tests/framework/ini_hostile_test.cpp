// Files no tree ever wrote: very large ones, endless lines, NUL and
// arbitrary bytes. They must load, answer and write back without harm.
#include <gtest/gtest.h>

#include <random>

#include "framework/IniDocument.h"
#include "framework/IniNameValueTree.h"
#include "ini_test_support.h"

namespace {

class IniHostileTest : public ::testing::Test {
 protected:
  TTempFolder folder;
  const std::string file = folder.File("tree.ini");
};

constexpr size_t FiftyMegabytes = 50u << 20;

}  // namespace

TEST_F(IniHostileTest, FiftyMegabytesOfLinesLoadAndWriteBack) {
  std::string text = "[/big/]\r\n";
  text.reserve(FiftyMegabytes + 100);
  for (size_t i = 0; text.size() < FiftyMegabytes; ++i) {
    text += "key" + std::to_string(i) + " = " + std::string(40, 'v') + "\r\n";
    if (i % 100000 == 0) text += "[/s" + std::to_string(i) + "/]\n; comment\n";
  }
  text += "[/end/]\nlast=1\n";
  WriteBytes(file, text);
  {
    TIniNameValueTree tree(file);
    EXPECT_EQ(tree.ReadInteger("/end/last", 0), 1);
    EXPECT_EQ(tree.ReadString("/big/key0", ""), std::string(40, 'v'));
    EXPECT_EQ(tree.ReadString("/s0/key99999", ""), std::string(40, 'v'));
    EXPECT_EQ(tree.ReadString("/big/key1", "-"), "-");
    tree.WriteInteger("/end/last", 2);
  }
  const std::string written = ReadBytes(file);
  EXPECT_GT(written.size(), FiftyMegabytes - FiftyMegabytes / 10);
  EXPECT_EQ(written.substr(written.size() - 19), "[/end/]\r\nlast=2\r\n\r\n");
}

TEST_F(IniHostileTest, OneEndlessLineLoads) {
  std::string text = "[/]\r\n";
  text.append(FiftyMegabytes, 'x');
  WriteBytes(file, text + "\r\nk=1");
  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.ReadInteger("k", 0), 1);
  ASSERT_EQ(tree.IniDocument().SectionCount(), 1u);
  EXPECT_EQ(tree.IniDocument().SectionLines(0)[0].size(), FiftyMegabytes);

  // The same length as a value.
  text.append("=v");
  WriteBytes(file, text);
  TIniNameValueTree valued(file);
  EXPECT_EQ(valued.ReadString(std::string(FiftyMegabytes, 'x'), "-"), "v");
}

TEST_F(IniHostileTest, NulBytesAreOrdinaryBytes) {
  using namespace std::string_literals;
  WriteBytes(file, "\0[/]\0\n[/\0/]\nk\0ey = va\0lue\0\n\0\0\0\n"s);
  {
    TIniNameValueTree tree(file);
    EXPECT_EQ(tree.ReadString("/\0/k\0ey"s, "-"), "va\0lue"s);
  }
  EXPECT_EQ(ReadBytes(file), "[/]\r\n\r\n[/\0/]\r\nk\0ey=va\0lue\r\n\r\n"s);
}

TEST_F(IniHostileTest, ArbitraryBytesLoadAndWriteAFileThatLoadsAlike) {
  std::mt19937 random(777);
  SCOPED_TRACE("seed 777");
  for (int round = 0; round < 50; ++round) {
    std::string text(random() % 4096, '\0');
    for (char& c : text) c = static_cast<char>(random());
    if (round % 2 == 0) text = "[/]\n" + text;
    WriteBytes(file, text);
    std::string once;
    {
      TIniNameValueTree tree(file);
      tree.ReadString("/a/b", "");
      once = tree.IniDocument().Save();
    }
    EXPECT_EQ(ReadBytes(file), once);
    TIniNameValueTree again(file);
    EXPECT_EQ(again.IniDocument().Save(), once);
  }
}

TEST_F(IniHostileTest, ManySectionsAndKeysOfOneNameFindTheLast) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "[/s/]\nk=" + std::to_string(i) + "\nk=" + std::to_string(-i) + "\n";
  WriteBytes(file, text);
  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.ReadInteger("/S/K", 0), -19999);
  EXPECT_EQ(tree.IniDocument().SectionCount(), 20000u);
}
