// The real program, started as a player starts it, in a throw-away home and
// ended from outside: it leaves the task's six files and nothing else.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "ProbedGame.h"
#include "framework/TempHome.h"
#include "support/ChildProcess.h"

namespace fs = std::filesystem;

namespace {

const std::string RunFolder = GLOWMERE_BUILD_DATA_DIR "/../run/";

// Every file and folder below `root`, as paths relative to it.
std::set<std::string> Tree(const fs::path& root) {
  std::set<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    entries.insert(fs::relative(entry.path(), root).string() + (entry.is_directory() ? "/" : ""));
  return entries;
}

}  // namespace

TEST(ProgramRun, LeavesOnlyTheSixFilesOfTheTask) {
  TTempHome home;  // HOME and XDG folders in a temporary root; the program folder is the current one
  home.SetEnv("XDG_CACHE_HOME", std::nullopt);  // so that a cache, too, would land in the home
  home.SetEnv("XDG_STATE_HOME", std::nullopt);
  for (const char* name : {"TUV-2009-2.loc", "Glowmere-2.loc"})
    fs::copy_file(RunFolder + name, home.ProgramFolder() + "/" + name);

  const pid_t pid = fork();
  ASSERT_NE(pid, -1);
  if (pid == 0) {
    execl(GLOWMERE_PROGRAM, GLOWMERE_PROGRAM, static_cast<char*>(nullptr));
    _exit(127);
  }
  // The documents folder is made near the end of the start-up; a request to
  // end from then on is served by the event loop.
  const fs::path documents = home.Documents() + "/TUV-2009-2/Glowmere";
  for (int i = 0; i < 400 && !fs::exists(documents); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(fs::exists(documents)) << "the program did not get that far";
  kill(pid, SIGTERM);
  int status = WaitFor(pid, 30);
  if (status == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  EXPECT_EQ(status, 0);

  EXPECT_EQ(Tree(home.Home()), (std::set<std::string>{
                                   ".local/", ".local/share/", ".local/share/TUV-2009-2/",
                                   ".local/share/TUV-2009-2/Glowmere.rec", ".local/share/TUV-2009-2/Glowmere.sav",
                                   ".local/share/TUV-2009-2/Glowmere.set", ".local/share/TUV-2009-2/Glowmere.stat",
                                   "Documents/", "Documents/TUV-2009-2/", "Documents/TUV-2009-2/Glowmere/",
                               }));
  EXPECT_EQ(Tree(home.ProgramFolder()), (std::set<std::string>{"Glowmere-2.loc", "TUV-2009-2.loc"}));
}

// Started by its path from a folder of the player's own, as the level
// designer's loop starts it from the project's root: the texts are those
// beside the program, and nothing is made where it was started.
TEST(ProgramRun, FindsItsTextsBesideItselfWhereverItIsStarted) {
  TTempHome home;
  const std::string elsewhere = home.MakeFolder("elsewhere");
  TTempHome::WriteFile(home.UserFolder() + "Glowmere.set", "[/help/showonstart/]\r\nstatement=0\r\n");
  TProbedGame game = StartProbedGame("", {}, elsewhere);
  ASSERT_TRUE(WaitForLine(game, "placed")) << game.said;
  EXPECT_NE(game.said.find("title Огни подземелья\n"), std::string::npos) << game.said;
  int status = -1;
  EXPECT_EQ(EndProbedGame(game, SIGTERM, &status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(fs::is_empty(elsewhere));
}
