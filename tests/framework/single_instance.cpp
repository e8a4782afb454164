// One running copy per user: the lock, the bring-to-front request, and
// what a killed holder leaves behind.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "TempHome.h"
#include "framework/SingleInstance.h"

namespace {

namespace fs = std::filesystem;

class SingleInstanceTest : public TempHomeTest {
 protected:
  std::string stem = home.MakeFolder("user") + "/Glowmere";
};

TEST_F(SingleInstanceTest, SecondHolderIsRefusedUntilTheFirstGoes) {
  auto first = std::make_unique<TSingleInstance>(stem);
  ASSERT_TRUE(first->Acquire());
  EXPECT_TRUE(first->Listening());
  TSingleInstance second(stem);
  EXPECT_FALSE(second.Acquire());
  EXPECT_FALSE(second.Held());
  first.reset();
  EXPECT_FALSE(fs::exists(stem + ".lock")) << "a holder that ends removes its lock file";
  // second still has the removed file open: it must lock the new one.
  TSingleInstance third(stem);
  EXPECT_TRUE(second.Acquire());
  EXPECT_FALSE(third.Acquire()) << "the lock is on the file the name leads to";
}

TEST_F(SingleInstanceTest, LaterStartAsksTheHolderToComeToTheFront) {
  TSingleInstance holder(stem);
  ASSERT_TRUE(holder.Acquire());
  int activations = 0;
  QObject::connect(&holder, &TSingleInstance::Activated, [&activations] { ++activations; });
  TSingleInstance later(stem);
  ASSERT_FALSE(later.Acquire());
  EXPECT_TRUE(later.ActivateRunning(10000));
  EXPECT_EQ(activations, 1);
}

// A holder that dies by SIGKILL: a child process takes the lock and binds
// the socket by hand, never answers, and is killed.
TEST_F(SingleInstanceTest, KilledHolderLeavesFilesButNoLock) {
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const std::string lock = stem + ".lock", socketName = stem + ".socket";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const int fd = open(lock.c_str(), O_RDWR | O_CREAT, 0600);
    const int s = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketName.c_str(), sizeof address.sun_path - 1);
    const bool ok = fd >= 0 && flock(fd, LOCK_EX) == 0 && s >= 0 &&
                    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && listen(s, 4) == 0;
    [[maybe_unused]] const ssize_t written = write(ready[1], ok ? "1" : "0", 1);
    for (;;) pause();
  }
  close(ready[1]);
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1);
  close(ready[0]);
  ASSERT_EQ(byte, '1');

  {
    TSingleInstance later(stem);
    EXPECT_FALSE(later.Acquire());
    EXPECT_FALSE(later.ActivateRunning(300)) << "a holder that does not answer is not taken for one that did";
  }
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(fs::exists(socketName)) << "the killed holder's socket file is left behind";

  TSingleInstance next(stem);
  EXPECT_TRUE(next.Acquire());
  EXPECT_TRUE(next.Listening()) << "the stale socket file is replaced";
  TSingleInstance after(stem);
  EXPECT_FALSE(after.Acquire());
  EXPECT_TRUE(after.ActivateRunning(10000));
}

TEST_F(SingleInstanceTest, NoPlaceForTheLockDoesNotKeepTheTaskFromStarting) {
  TSingleInstance instance(home.Root() + "/missing/folder/Glowmere");
  EXPECT_TRUE(instance.Acquire());
  EXPECT_FALSE(instance.Listening());
}

}  // namespace
