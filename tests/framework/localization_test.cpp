// Localizations: one read from one file per key, the placeholder for
// everything missing, and the file written back when the localization goes.
#include <gtest/gtest.h>

#include "framework/CodePage.h"
#include "framework/Localization.h"
#include "ini_test_support.h"

namespace {

class LocalizationTest : public ::testing::Test {
 protected:
  TTempFolder folder;
  const std::string common = folder.File("TUV-2009-2.loc");
  const std::string task = folder.File("Glowmere-2.loc");
};

}  // namespace

TEST_F(LocalizationTest, PlaceholderIsBlankHyphenBlank) { EXPECT_EQ(MissingText, " - "); }

TEST_F(LocalizationTest, MissingFileGivesThePlaceholderAndAnEmptyFileAtTheEnd) {
  {
    TNameValueTreeTuvLocalization localization(task);
    EXPECT_EQ(localization.Translate("title"), " - ");
    EXPECT_EQ(localization.Translate("/help/statement"), " - ");
    EXPECT_FALSE(std::filesystem::exists(task));
  }
  ASSERT_TRUE(std::filesystem::exists(task));
  EXPECT_EQ(std::filesystem::file_size(task), 0u);
}

TEST_F(LocalizationTest, RelativeAndRootKeysAreTheSame) {
  WriteBytes(task, "[/]\ntitle=Lights\n[/action/]\nfile=File\n");
  TNameValueTreeTuvLocalization localization(task);
  EXPECT_EQ(localization.Translate("title"), "Lights");
  EXPECT_EQ(localization.Translate("/title"), "Lights");
  EXPECT_EQ(localization.Translate("action/file"), "File");
  EXPECT_EQ(localization.Translate("/action/file"), "File");
}

TEST_F(LocalizationTest, KeysAreCaseFreeAndBlanksTrimmed) {
  WriteBytes(task, Utf8ToCp1251("[/]\r\nTitle = Lights\r\n[/Действие/]\r\nФайл = Открыть\r\n"));
  TNameValueTreeTuvLocalization localization(task);
  EXPECT_EQ(localization.Translate("title"), "Lights");
  EXPECT_EQ(localization.Translate(Utf8ToCp1251("действие/ФАЙЛ")), Utf8ToCp1251("Открыть"));
}

TEST_F(LocalizationTest, EmptyValueIsAnEmptyTextAndMissingKeyThePlaceholder) {
  WriteBytes(task, "[/]\nblank=\n");
  TNameValueTreeTuvLocalization localization(task);
  EXPECT_EQ(localization.Translate("blank"), "");
  EXPECT_EQ(localization.Translate("other"), " - ");
  EXPECT_EQ(localization.Translate(""), " - ");
}

TEST_F(LocalizationTest, NoFallbackFromTaskToCommonFile) {
  WriteBytes(common, "[/help/]\ncloseButton=Close\n");
  WriteBytes(task, "[/]\ntitle=Lights\n");
  TNameValueTreeTuvLocalization commonLocalization(common);
  TNameValueTreeTuvLocalization taskLocalization(task);
  EXPECT_EQ(commonLocalization.Translate("/help/closebutton"), "Close");
  EXPECT_EQ(taskLocalization.Translate("/help/closebutton"), " - ");
}

TEST_F(LocalizationTest, UnreadableFileGivesThePlaceholderAndIsLeftAlone) {
  std::filesystem::create_directory(task);
  {
    TNameValueTreeTuvLocalization localization(task);
    EXPECT_EQ(localization.Tree(), nullptr);
    EXPECT_EQ(localization.Translate("title"), " - ");
  }
  EXPECT_TRUE(std::filesystem::is_directory(task));
}

TEST_F(LocalizationTest, MissingFolderGivesThePlaceholderAndNoFile) {
  const std::string nowhere = folder.File("missing/Glowmere-2.loc");
  {
    TNameValueTreeTuvLocalization localization(nowhere);
    EXPECT_NE(localization.Tree(), nullptr);
    EXPECT_EQ(localization.Translate("title"), " - ");
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}

TEST_F(LocalizationTest, FileIsWrittenBackInNormalForm) {
  WriteBytes(task, "; texts of the task\n\n[/]\n  title  =  Lights  \n\n[/data/]\npoints = Lights:\n");
  { TNameValueTreeTuvLocalization localization(task); }
  EXPECT_EQ(ReadBytes(task), "[/]\r\ntitle=Lights\r\n\r\n[/data/]\r\npoints=Lights:\r\n\r\n");
}
