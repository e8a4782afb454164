// The program entry's one-game rule, as the game asks it: the lock in the
// player's own folder, and the Russian message when the running game does
// not answer.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "GameFixture.h"
#include "framework/CodePage.h"
#include "framework/MessageBox.h"
#include "game/SingleGame.h"

TEST_F(GameTest, FirstGameTakesTheLockInThePlayersFolderAndASecondOneOpensNothing) {
  auto first = ClaimSingleGame();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->LockFileName(), UserFile("Glowmere.lock").string());
  EXPECT_TRUE(first->Listening());
  // The running game answers: no message, and this start ends.
  EXPECT_EQ(ClaimSingleGame(), nullptr);
  EXPECT_TRUE(asked.empty());
}

TEST_F(GameTest, RunningGameThatDoesNotAnswerIsNamedInARussianMessage) {
  std::filesystem::create_directories(UserFile(""));
  // Another process's lock, with nobody listening.
  const int fd = open(UserFile("Glowmere.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  EXPECT_EQ(ClaimSingleGame(), nullptr);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, mkInformation);
  EXPECT_EQ(asked[0].caption, QString::fromUtf8("Информация"));
  EXPECT_TRUE(asked[0].text.startsWith(QString::fromUtf8("Игра «Огни подземелья» уже запущена.")))
      << asked[0].text.toStdString();
  close(fd);
  EXPECT_NE(ClaimSingleGame(), nullptr) << "once that process is gone, the game starts";
}
