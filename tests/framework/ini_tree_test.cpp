// The operations of TIniNameValueTree: typed reads with defaults, writes,
// indexes, empty paths, and the life of a tree between its file's reads and
// writes.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/IniDocument.h"
#include "framework/IniNameValueTree.h"
#include "ini_test_support.h"

namespace {

class IniTreeTest : public ::testing::Test {
 protected:
  TTempFolder folder;
  const std::string file = folder.File("tree.ini");
};

// A tree loaded from the given text.
std::unique_ptr<TIniNameValueTree> TreeOf(const std::string& fileName, const std::string& text) {
  WriteBytes(fileName, text);
  return std::make_unique<TIniNameValueTree>(fileName);
}

}  // namespace

TEST_F(IniTreeTest, NamesCompareWithoutCaseAndBlanksAroundEqualsAreTrimmed) {
  auto tree = TreeOf(file, "[/ETC/]\r\nLevel = 2\r\n");
  EXPECT_EQ(tree->ReadInteger("/etc/level", 0), 2);
  EXPECT_EQ(tree->ReadInteger("/Etc/LEVEL", 0), 2);
}

TEST_F(IniTreeTest, IndexedValuesAreKeysWithHashSuffix) {
  TIniNameValueTree tree(file);
  for (int i = 0; i < 3; ++i) tree.WriteInteger("x", 10 + i, i);
  ASSERT_EQ(tree.IniDocument().SectionCount(), 1u);
  EXPECT_EQ(tree.IniDocument().SectionName(0), "/");
  EXPECT_EQ(tree.IniDocument().SectionLines(0), (std::vector<std::string>{"x=10", "x#1=11", "x#2=12"}));
  EXPECT_EQ(tree.ReadInteger("/x#2", 0), 12);
  EXPECT_EQ(tree.ReadInteger("x", 0, 1), 11);
}

TEST_F(IniTreeTest, IndexedSectionPathsPutTheIndexInsideTheKey) {
  TIniNameValueTree tree(file);
  tree.WriteString("/a/b/", "v", 3);
  ASSERT_EQ(tree.IniDocument().SectionCount(), 1u);
  EXPECT_EQ(tree.IniDocument().SectionName(0), "/a/");
  EXPECT_EQ(tree.IniDocument().SectionLines(0), std::vector<std::string>{"b#3/=v"});
  EXPECT_EQ(tree.ReadString("/a/b#3/", "-"), "v");
}

TEST_F(IniTreeTest, RelativeAndAbsolutePathsOfTheRootAreOne) {
  TIniNameValueTree tree(file);
  tree.WriteInteger("lights", 5);
  EXPECT_EQ(tree.ReadInteger("/lights", 0), 5);
  tree.WriteInteger("data/points", 7);
  EXPECT_EQ(tree.ReadInteger("/data/points", 0), 7);
  EXPECT_EQ(tree.BasePath, "/");
}

TEST_F(IniTreeTest, IntegersReadInDecimalAndHexOrDefault) {
  auto tree = TreeOf(file, "[/]\nhex=0x1F\ndollar=$1F\nneg=-0x1F\nbad=12abc\nempty=\nbig=4294967296\n");
  EXPECT_EQ(tree->ReadInteger("hex", -1), 31);
  EXPECT_EQ(tree->ReadInteger("dollar", -1), 31);
  EXPECT_EQ(tree->ReadInteger("neg", -1), -31);
  EXPECT_EQ(tree->ReadInteger("bad", -1), -1);
  EXPECT_EQ(tree->ReadInteger("empty", -1), -1);
  EXPECT_EQ(tree->ReadInteger("big", -1), -1);
  EXPECT_EQ(tree->ReadInteger("missing", -1), -1);
}

TEST_F(IniTreeTest, BooleansAreIntegers) {
  auto tree = TreeOf(file, "[/]\nword=true\ntwo=2\nzero=0\nminus=-1\nhex=0x0\n");
  EXPECT_TRUE(tree->ReadBool("word", true));
  EXPECT_FALSE(tree->ReadBool("word", false));
  EXPECT_TRUE(tree->ReadBool("two", false));
  EXPECT_FALSE(tree->ReadBool("zero", true));
  EXPECT_TRUE(tree->ReadBool("minus", false));
  EXPECT_FALSE(tree->ReadBool("hex", true));
  tree->WriteBool("on", true);
  tree->WriteBool("off", false);
  EXPECT_EQ(tree->ReadString("on", "-"), "1");
  EXPECT_EQ(tree->ReadString("off", "-"), "0");
}

TEST_F(IniTreeTest, EmptyValueIsAnEmptyStringButNoNumber) {
  auto tree = TreeOf(file, "[/]\nk=\n");
  EXPECT_EQ(tree->ReadString("k", "default"), "");
  EXPECT_EQ(tree->ReadString("other", "default"), "default");
  EXPECT_EQ(tree->ReadFloat("k", 1.5L), 1.5L);
  EXPECT_EQ(tree->ReadDate("k", 3.0), 3.0);
}

TEST_F(IniTreeTest, EmptyPathReadsDefaultAndWritesNothing) {
  auto tree = TreeOf(file, "[]\n=stored\n[/]\n=root\n");
  EXPECT_EQ(tree->ReadString("", "d"), "d");
  EXPECT_EQ(tree->ReadInteger("", 7), 7);
  EXPECT_EQ(tree->ReadInteger("", 7, 3), 7);
  EXPECT_TRUE(tree->ReadBool("", true));
  EXPECT_EQ(tree->ReadDate("", 1.0), 1.0);
  EXPECT_EQ(tree->ReadTime("", 0.5), 0.5);
  EXPECT_EQ(tree->ReadDateTime("", 2.5), 2.5);
  EXPECT_EQ(tree->ReadFloat("", 2.5L), 2.5L);

  const std::string before = tree->IniDocument().Save();
  tree->WriteString("", "x");
  tree->WriteInteger("", 1, 2);
  tree->WriteBool("", true);
  tree->WriteDate("", 1.0);
  tree->WriteTime("", 0.5);
  tree->WriteDateTime("", 1.5);
  tree->WriteFloat("", 1.5L);
  EXPECT_EQ(tree->IniDocument().Save(), before);
}

TEST_F(IniTreeTest, PathsWithoutUsableSlashShareTheSlotWithEmptyNames) {
  // "/" and "#x" split into an empty section and key, which a file can hold
  // as "[]" and "=value".
  auto tree = TreeOf(file, "[]\n=stored\n");
  EXPECT_EQ(tree->ReadString("/", "-"), "stored");
  EXPECT_EQ(tree->ReadString("#x", "-"), "stored");
  tree->WriteString("#y/", "new");
  EXPECT_EQ(tree->IniDocument().Save(), "[]\r\n=new\r\n\r\n");
}

TEST_F(IniTreeTest, EveryTypeRoundTripsThroughTheFile) {
  const TDateTime date = 39846;                            // 02.02.2009
  const TDateTime time = (13 * 3600 + 5 * 60 + 9) / 86400.0;  // 13:05:09
  const TDateTime moment = 39846 + time;
  {
    TIniNameValueTree tree(file);
    tree.WriteString("/s/text", "Hello, world = yes");
    tree.WriteInteger("/i/min", INT32_MIN);
    tree.WriteInteger("/i/max", INT32_MAX);
    tree.WriteInteger("/i/neg", -42);
    tree.WriteBool("/b/yes", true);
    tree.WriteBool("/b/no", false);
    tree.WriteFloat("/f/pi", 3.14L);
    tree.WriteFloat("/f/tiny", 1e-20L);
    tree.WriteFloat("/f/third", 1.0L / 3);
    tree.WriteDate("/d/date", moment);
    tree.WriteTime("/d/time", moment);
    tree.WriteDateTime("/d/moment", moment);
    tree.WriteDateTime("/d/midnight", date);
  }
  EXPECT_NE(ReadBytes(file).find("pi=3,14\r\n"), std::string::npos);
  EXPECT_NE(ReadBytes(file).find("tiny=1E-20\r\n"), std::string::npos);
  EXPECT_NE(ReadBytes(file).find("moment=02.02.2009 13:05:09\r\n"), std::string::npos);
  EXPECT_NE(ReadBytes(file).find("midnight=02.02.2009\r\n"), std::string::npos);

  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.ReadString("/s/text", ""), "Hello, world = yes");
  EXPECT_EQ(tree.ReadInteger("/i/min", 0), INT32_MIN);
  EXPECT_EQ(tree.ReadInteger("/i/max", 0), INT32_MAX);
  EXPECT_EQ(tree.ReadInteger("/i/neg", 0), -42);
  EXPECT_TRUE(tree.ReadBool("/b/yes", false));
  EXPECT_FALSE(tree.ReadBool("/b/no", true));
  EXPECT_EQ(tree.ReadFloat("/f/pi", 0), static_cast<long double>(3.14));
  EXPECT_EQ(tree.ReadFloat("/f/tiny", 0), static_cast<long double>(1e-20));
  EXPECT_NEAR(static_cast<double>(tree.ReadFloat("/f/third", 0)), 1.0 / 3, 1e-15);
  EXPECT_EQ(tree.ReadDate("/d/date", 0), date);
  EXPECT_NEAR(tree.ReadTime("/d/time", 0), time, 1e-9);
  EXPECT_NEAR(tree.ReadDateTime("/d/moment", 0), moment, 1e-9);
  EXPECT_EQ(tree.ReadDateTime("/d/midnight", 0), date);
}

TEST_F(IniTreeTest, LongDoubleWritesThroughDoublePrecision) {
  TIniNameValueTree tree(file);
  tree.WriteFloat("x", 0.1L);
  EXPECT_EQ(tree.ReadString("x", ""), "0,1");
  EXPECT_EQ(tree.ReadFloat("x", 0), static_cast<long double>(0.1));
}

TEST_F(IniTreeTest, ValueWithLineBreakComesBackCutAtTheBreak) {
  {
    TIniNameValueTree tree(file);
    tree.WriteString("/a/text", "first\r\nsecond");
    tree.WriteString("/a/lf", "one\ntwo=2");
    EXPECT_EQ(tree.ReadString("/a/text", ""), "first\r\nsecond") << "memory holds it as given";
  }
  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.ReadString("/a/text", ""), "first");
  EXPECT_EQ(tree.ReadString("/a/lf", ""), "one");
  // What followed the break is a line of its own now.
  EXPECT_EQ(tree.IniDocument().SectionLines(0), (std::vector<std::string>{"text=first", "second", "lf=one", "two=2"}));
}

TEST_F(IniTreeTest, LineBreakBeforeAHeaderStartsASectionAfterReload) {
  // Values are single lines; a break in one is not escaped, so the rest of
  // the value is read as file structure next time.
  {
    TIniNameValueTree tree(file);
    tree.WriteString("/a/v", "cut\n[/x/]\nk=1");
  }
  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.ReadString("/a/v", ""), "cut");
  EXPECT_EQ(tree.ReadInteger("/x/k", 0), 1);
}

TEST_F(IniTreeTest, CommentVanishesWhenAReadOnlyTreeGoes) {
  WriteBytes(file, "; keep me?\r\n[/]\r\n; and me?\r\nk=1\r\n");
  {
    TIniNameValueTree tree(file);
    EXPECT_EQ(tree.ReadInteger("k", 0), 1);
  }
  EXPECT_EQ(ReadBytes(file), "[/]\r\nk=1\r\n\r\n");
}

TEST_F(IniTreeTest, FileIsReadOnceAndTheLastWriterWins) {
  auto first = TreeOf(file, "[/]\nk=0\n");
  TIniNameValueTree second(file);
  first->WriteInteger("k", 1);
  second.WriteInteger("k", 2);
  EXPECT_EQ(second.ReadInteger("k", -1), 2);
  ASSERT_TRUE(first->Flush());
  EXPECT_EQ(second.ReadInteger("k", -1), 2) << "the file is not consulted again";
  ASSERT_TRUE(second.Flush());
  first.reset();  // its destruction writes once more, and so wins
  EXPECT_EQ(TIniNameValueTree(file).ReadInteger("k", -1), 1);
}

TEST_F(IniTreeTest, FlushKeepsTheTreeUsableAndWritesTheSameBytesTwice) {
  TIniNameValueTree tree(file);
  tree.WriteInteger("k", 1);
  ASSERT_TRUE(tree.Flush());
  const std::string once = ReadBytes(file);
  ASSERT_TRUE(tree.Flush());
  EXPECT_EQ(ReadBytes(file), once);
  tree.WriteInteger("k", 2);
  EXPECT_EQ(tree.ReadInteger("k", 0), 2);
}

TEST_F(IniTreeTest, FileNameIsKeptAsGiven) {
  TIniNameValueTree tree(file);
  EXPECT_EQ(tree.FileName(), file);
}

TEST_F(IniTreeTest, RelativeFileNameIsUnderTheCurrentFolder) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  {
    TIniNameValueTree tree("relative.ini");
    tree.WriteInteger("k", 1);
  }
  std::filesystem::current_path(previous);
  EXPECT_EQ(ReadBytes(folder.File("relative.ini")), "[/]\r\nk=1\r\n\r\n");
}

TEST_F(IniTreeTest, ExistingFileThatCannotBeReadFailsTheCreation) {
  std::filesystem::create_directory(file);
  EXPECT_THROW(TIniNameValueTree tree(file), EFOpenError);
}

TEST_F(IniTreeTest, FileWithoutReadPermissionFailsTheCreation) {
  WriteBytes(file, "[/]\nk=1\n");
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  if (geteuid() != 0) {
    EXPECT_THROW(TIniNameValueTree tree(file), EFOpenError);
    return;
  }
  // Root reads everything, so the reader must be someone else.
  const int status = RunAsNobody([&] {
    try {
      TIniNameValueTree tree(file);
    } catch (const EFOpenError&) {
      return 0;
    }
    return 1;
  });
  if (status == 111 || status < 0) GTEST_SKIP() << "cannot run as another user";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(file), "[/]\nk=1\n");
}

TEST_F(IniTreeTest, NamedPipeFailsTheCreationWithoutHanging) {
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  EXPECT_THROW(TIniNameValueTree tree(file), EFOpenError);
}
