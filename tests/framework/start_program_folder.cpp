// Where the localization files are read from: the current directory when
// it holds them, else the installed data folder, whose files no run ever
// writes (these tests run as root on the development machines, where
// nothing else would stop the write).
#include <sys/stat.h>

#include <filesystem>

#include "TempHome.h"
#include "framework/ProgramFolder.h"
#include "framework/TaskStart.h"

namespace {

namespace fs = std::filesystem;

// Not in the normal form a write-back would give (comments, LF line ends,
// blanks around "="), so any rewrite shows in the bytes.
const std::string InstalledTask = "; installed\n[/]\ntitle = Installed\n";
const std::string InstalledCommon = "; installed\n[/help/]\ncloseButton = Shut\n";

class ProgramFolderTest : public TempHomeTest {
 protected:
  void SetUp() override {
    installed = home.MakeFolder("prefix/share/glowmere");
    TTempHome::WriteFile(installed + "/Glowmere-2.loc", InstalledTask);
    TTempHome::WriteFile(installed + "/TUV-2009-2.loc", InstalledCommon);
    SetInstalledDataFolder(installed);
    before = Stamps();
  }
  void TearDown() override {
    FinalizeTask();
    SetInstalledDataFolder("");
  }

  // Bytes and modification times of the installed files.
  std::vector<std::pair<std::string, long long>> Stamps() const {
    std::vector<std::pair<std::string, long long>> stamps;
    for (const char* name : {"/Glowmere-2.loc", "/TUV-2009-2.loc"}) {
      struct stat st {};
      stat((installed + name).c_str(), &st);
      stamps.emplace_back(TTempHome::ReadFile(installed + name),
                          static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec);
    }
    return stamps;
  }

  std::string installed;
  std::vector<std::pair<std::string, long long>> before;
};

TEST_F(ProgramFolderTest, InstalledCopiesAreReadFromAnUnrelatedFolderAndNeverWritten) {
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(ProgramFolder, installed + "/");
  EXPECT_EQ(GetTaskLocalization()->Translate("title"), "Installed");
  EXPECT_EQ(CommonLocalization->Translate("/help/closebutton"), "Shut");
  FinalizeTask();
  EXPECT_EQ(Stamps(), before);
  EXPECT_TRUE(fs::is_empty(home.ProgramFolder())) << "nothing is created where the game was started";
  EXPECT_TRUE(fs::exists(home.UserFolder() + "Glowmere.sav")) << "the player's files are written as always";
}

TEST_F(ProgramFolderTest, CurrentDirectoryWithItsOwnFileWinsAndIsWrittenBackAsBefore) {
  // One of the two files is enough: the folder is the task's.
  home.WriteFile(home.ProgramFolder() + "/Glowmere-2.loc", "[/]\ntitle = Contest machine\n");
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(ProgramFolder, home.ProgramFolder() + "/");
  EXPECT_EQ(GetTaskLocalization()->Translate("title"), "Contest machine");
  EXPECT_EQ(CommonLocalization->Translate("/help/closebutton"), " - ");
  FinalizeTask();
  EXPECT_EQ(home.ReadFile(home.ProgramFolder() + "/Glowmere-2.loc"), "[/]\r\ntitle=Contest machine\r\n\r\n");
  EXPECT_TRUE(fs::exists(home.ProgramFolder() + "/TUV-2009-2.loc"));
  EXPECT_EQ(Stamps(), before);
}

TEST_F(ProgramFolderTest, StartedInsideTheInstalledFolderUnderAnotherNameStillWritesNothing) {
  const std::string link = home.Root() + "/games";
  fs::create_directory_symlink(installed, link);
  fs::current_path(link);
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(GetTaskLocalization()->Translate("title"), "Installed");
  FinalizeTask();
  EXPECT_EQ(Stamps(), before);
}

TEST_F(ProgramFolderTest, InstalledFolderWithoutTheFilesShowsPlaceholdersAndCreatesNothing) {
  fs::remove(installed + "/Glowmere-2.loc");
  fs::remove(installed + "/TUV-2009-2.loc");
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(GetTaskLocalization()->Translate("title"), " - ");
  FinalizeTask();
  EXPECT_TRUE(fs::is_empty(installed));
  EXPECT_TRUE(fs::is_empty(home.ProgramFolder()));
}

TEST_F(ProgramFolderTest, RelativeInstalledFolderIsSeenFromTheExecutable) {
  SetInstalledDataFolder("../share/glowmere/");
  EXPECT_EQ(InstalledDataFolder(), (fs::path(ExecutableFolder()).parent_path() / "share/glowmere").string());
  EXPECT_EQ(fs::path(ExecutableFolder()), fs::canonical("/proc/self/exe").parent_path());
}

}  // namespace
