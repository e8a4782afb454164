// The child process around the integer-programming library: its answer
// comes back whole, and a crash, an abort or a hang ends only the child.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <thread>

#include "solver/ContainedCall.h"

TEST(ContainedCall, TheAnswerComesBackAndFailuresStayInTheChild) {
  const TDeadline soon = TDeadline::After(TDeadline::Clock::now(), 20);
  const std::string big(200000, 'x');  // more than a pipe holds at once
  const TContainedOutcome fine = RunContained([&](int fd) { WriteAll(fd, big.data(), big.size()); }, soon);
  EXPECT_TRUE(fine.completed);
  EXPECT_EQ(fine.answer, big);

  const TContainedOutcome crash = RunContained([](int fd) {
    WriteAll(fd, "partial", 7);
    std::signal(SIGSEGV, SIG_DFL);  // a sanitizer's handler would turn it into an exit
    std::raise(SIGSEGV);
  }, soon);
  EXPECT_FALSE(crash.completed);
  EXPECT_FALSE(crash.stopped);
  EXPECT_EQ(crash.failure, "signal " + std::to_string(SIGSEGV));

  const TContainedOutcome aborted = RunContained([](int) { std::abort(); }, soon);
  EXPECT_EQ(aborted.failure, "signal " + std::to_string(SIGABRT));

  const TContainedOutcome thrown = RunContained([](int) { throw std::runtime_error("no"); }, soon);
  EXPECT_EQ(thrown.failure, "exit status 3");

  const auto began = TDeadline::Clock::now();
  const TContainedOutcome hung = RunContained([](int) { std::this_thread::sleep_for(std::chrono::seconds(60)); },
                                              TDeadline::After(began, 0.3));
  EXPECT_TRUE(hung.stopped);
  EXPECT_FALSE(hung.completed);
  EXPECT_LT(std::chrono::duration<double>(TDeadline::Clock::now() - began).count(), 10.0);
}

// The processor limit counts the child's work, not the time it waits: a
// child that sleeps past it ends normally, one that computes past it is
// ended (well before its wall-clock deadline).
TEST(ContainedCall, TheProcessorLimitEndsAChildThatWorksNotOneThatWaits) {
  const TDeadline far = TDeadline::After(TDeadline::Clock::now(), 60);
  const TContainedOutcome waited = RunContained([](int fd) {
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    WriteAll(fd, "done", 4);
  }, far, nullptr, 0.1);
  EXPECT_TRUE(waited.completed);
  EXPECT_EQ(waited.answer, "done");

  const TContainedOutcome worked = RunContained([](int) {
    volatile uint64_t spin = 0;
    for (;;) spin = spin + 1;
  }, far, nullptr, 0.2);
  EXPECT_TRUE(worked.stopped);
  EXPECT_FALSE(worked.completed);
}
