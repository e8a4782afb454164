// The real editor program, ended from outside as a desktop ends it.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "framework/TempHome.h"
#include "support/ChildProcess.h"
#include "support/WholeFile.h"

// A map that the reader refuses is named in a box at the start, before the
// main loop runs. A termination then must end the editor, not only the box
// (the window would otherwise come up and run on, and a logout would wait
// on it), and the refused file is still left as it was.
TEST(EditorProgram, TerminationWhileARefusedMapIsNamedEndsTheEditor) {
  TTempHome home;
  const std::string map = home.Root() + "/level.txt";
  const std::string junk = "no map at all\n";
  WriteFile(map, junk);

  const pid_t pid = fork();
  ASSERT_NE(pid, -1);
  if (pid == 0) {
    execl(GLOWMERE_EDITOR, GLOWMERE_EDITOR, map.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // Served as soon as the handler is there: the byte waits in the pipe for
  // the first loop that runs, the box's.
  ASSERT_TRUE(WaitUntilCatching(pid, SIGTERM, 60)) << "the editor never set up its handler";
  kill(pid, SIGTERM);
  const int status = WaitFor(pid, 30);
  if (status == -1) kill(pid, SIGKILL), WaitFor(pid, 5);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadFile(map), junk);
}
