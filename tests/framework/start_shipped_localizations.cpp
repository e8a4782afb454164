// The localization files the build puts beside the game: every key the
// framework and the game window look up is there, in Windows-1251, and the
// help texts use only commands the markup knows.
#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

#include "TempHome.h"
#include "framework/CodePage.h"
#include "framework/IniDocument.h"
#include "framework/TaskStart.h"

namespace {

namespace fs = std::filesystem;

const std::string RunFolder = GLOWMERE_BUILD_DATA_DIR "/../run/";
const std::string SourceFolder = GLOWMERE_DATA_DIR "/loc/";

const char* const CommonKeys[] = {
    "/filedialog/filter/main", "/filedialog/filter/main-core", "/filedialog/filter/allfiles",
    "/help/caption/statement", "/help/caption/usermanual",     "/help/closebutton",
    "/help/showonstart",
};
const char* const TaskKeys[] = {
    "title",          "action/file",      "action/clear",      "action/load",         "action/save",
    "action/exit",    "action/statement", "action/usermanual", "action/leftHint",     "action/left",
    "action/gotoRecord", "data/record",   "data/points",       "data/light",          "dialogs/clear",
    "dialogs/gotoRecord", "dialogs/savingFailed", "/help/statement", "/help/usermanual",
    "action/edit",    "action/undo",      "action/redo",       "dialogs/noSolution",  "dialogs/loadingFailed",
    "access/field",   "access/point",     "access/light",      "access/free",         "access/walled",
    "access/carrying", "access/panel",    "access/gotoRecord", "access/hint",
};

class ShippedLocalizationTest : public TempHomeTest {
 protected:
  void SetUp() override {
    for (const char* name : {"TUV-2009-2.loc", "Glowmere-2.loc"}) {
      ASSERT_TRUE(fs::exists(RunFolder + name)) << "build the glowmere_localization target";
      fs::copy_file(RunFolder + name, home.ProgramFolder() + "/" + name);
    }
    StartTask(2009, "Glowmere", 2);
  }
};

TEST_F(ShippedLocalizationTest, CommonFileHoldsEveryFrameworkKey) {
  for (const char* key : CommonKeys) {
    const std::string text = CommonLocalization->Translate(key);
    EXPECT_NE(text, MissingText) << key;
    EXPECT_FALSE(text.empty()) << key;
  }
}

TEST_F(ShippedLocalizationTest, TaskFileHoldsEveryWindowKey) {
  for (const char* key : TaskKeys) {
    const std::string text = GetTaskLocalization()->Translate(key);
    EXPECT_NE(text, MissingText) << key;
    EXPECT_FALSE(text.empty()) << key;
  }
}

TEST_F(ShippedLocalizationTest, TextsAreWindows1251OfTheUtf8Sources) {
  EXPECT_EQ(Cp1251ToUtf8(GetTaskLocalization()->Translate("action/left")), "Что осталось?");
  EXPECT_EQ(Cp1251ToUtf8(GetTaskLocalization()->Translate("action/leftHint")), "Нажмите и держите");
  EXPECT_EQ(Cp1251ToUtf8(GetTaskLocalization()->Translate("action/gotoRecord")), "Перейти");
  // The game rewrites its copies at exit in normalised form, so the copy
  // is compared value by value, not byte by byte. The copy read is the one
  // in the temporary program folder: a tree on the run folder's file would
  // rewrite it.
  for (TNameValueTreeTuvLocalization* localization : {CommonLocalization.get(), GetTaskLocalization()}) {
    ASSERT_NE(localization->Tree(), nullptr);
    const std::string name = fs::path(localization->Tree()->FileName()).filename().string();
    const std::string converted = home.Root() + "/" + name;
    TTempHome::WriteFile(converted, Utf8ToCp1251(TTempHome::ReadFile(SourceFolder + name)));
    TIniNameValueTree source(converted);
    std::istringstream lines(TTempHome::ReadFile(converted));
    std::string line, section;
    int values = 0;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
        section = line.substr(1, line.size() - 2);
      } else if (const auto eq = line.find('='); eq != std::string::npos && line[0] != ';') {
        const std::string path = section + line.substr(0, eq);
        EXPECT_EQ(localization->Tree()->ReadString(path, "?"), source.ReadString(path, "!")) << name << " " << path;
        ++values;
      }
    }
    EXPECT_GT(values, 5) << name;
  }
}

// The last of two equal keys wins, so a stray copy hides nothing while it
// stands above the real one, and everything once the two change places.
TEST_F(ShippedLocalizationTest, NoKeyStandsTwiceInOneSection) {
  for (const char* name : {"TUV-2009-2.loc", "Glowmere-2.loc"}) {
    TIniDocument document(name);
    document.Load(TTempHome::ReadFile(RunFolder + name));
    std::set<std::pair<std::string, std::string>> seen;
    for (size_t i = 0; i < document.SectionCount(); ++i) {
      for (const std::string& line : document.SectionLines(i)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        EXPECT_TRUE(seen.emplace(UpperCaseCp1251(document.SectionName(i)), UpperCaseCp1251(key)).second)
            << name << ": " << document.SectionName(i) << key << " twice";
      }
    }
    EXPECT_GT(seen.size(), 5u) << name;
  }
}

TEST_F(ShippedLocalizationTest, FilterNamesTheTaskFiles) {
  EXPECT_EQ(FileDialogFilter.substr(FileDialogFilter.find('|')), "|*.tuv-Glowmere|" +
                                                                     CommonLocalization->Translate("/filedialog/filter/allfiles") +
                                                                     "|*.*");
}

// Every "{{{" is closed and every command is one the markup knows, so a
// typo cannot show up as a silently ignored format.
TEST_F(ShippedLocalizationTest, HelpTextsUseOnlyKnownCommands) {
  const std::vector<std::string> exact = {"+b", "-b", "+i", "-i", "+u", "-u", "+s", "-s", "n"};
  for (const char* key : {"/help/statement", "/help/usermanual"}) {
    const std::string text = GetTaskLocalization()->Translate(key);
    int breaks = 0;
    for (size_t at = text.find("{{{"); at != std::string::npos; at = text.find("{{{", at)) {
      const size_t close = text.find("}}}", at + 3);
      ASSERT_NE(close, std::string::npos) << key << " unclosed at " << at;
      const std::string command = text.substr(at + 3, close - at - 3);
      const bool known = std::find(exact.begin(), exact.end(), command) != exact.end() ||
                         command.starts_with("f=") ||
                         (command.starts_with("c=") && command.size() == 8) ||
                         (command.starts_with("s=") && command.size() > 2 &&
                          command.find_first_not_of("0123456789", 2) == std::string::npos);
      EXPECT_TRUE(known) << key << ": {{{" << command << "}}}";
      breaks += command == "n";
      at = close + 3;
    }
    EXPECT_GE(breaks, 10) << key << " should be laid out in paragraphs";
    EXPECT_EQ(text.find("}}}" "}"), std::string::npos) << key;
  }
}

}  // namespace
