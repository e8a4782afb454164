// Orderly termination: a signal from outside closes the task window through
// the event loop, so the loop ends normally and every file gets written.
#include <QCloseEvent>
#include <QTimer>
#include <csignal>
#include <filesystem>

#include "TempHome.h"
#include "framework/HelpWindow.h"
#include "framework/MessageBox.h"
#include "framework/SplashForm.h"
#include "framework/TaskStart.h"
#include "framework/Termination.h"
#include "framework/TuvForm.h"

namespace {

class TTestTaskWindow : public TTuvForm {
 public:
  void CheckSolution(TNameValueTree&, TNameValueTree&, std::string& message) override { message.clear(); }
  int32_t CompareResults(TNameValueTree&, TNameValueTree&) override { return 0; }
  int closeEvents = 0;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++closeEvents;
    TTuvForm::closeEvent(event);
  }
};

class TerminationTest : public TempHomeTest {
 protected:
  void SetUp() override { ASSERT_TRUE(InstallTerminationHandlers()); }
  void TearDown() override { UninstallTerminationHandlers(); }

  // Runs the loop; a loop that no signal ends stops after a few seconds
  // with 99.
  static int RunLoop() {
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    safety.start(5000);
    return QApplication::exec();
  }
};

TEST_F(TerminationTest, SigtermClosesTheTaskWindowAndEndsTheLoop) {
  TTestTaskWindow window;
  StartTask(2009, "Glowmere", 2);
  window.show();
  HideSplash(&window);
  QTimer::singleShot(0, [] { raise(SIGTERM); });
  EXPECT_EQ(RunLoop(), 0);
  EXPECT_GE(window.closeEvents, 1);
  EXPECT_FALSE(window.isVisible());
  FinalizeTask();
  EXPECT_TRUE(std::filesystem::exists(home.UserFolder() + "Glowmere.sav"));
}

TEST_F(TerminationTest, SignalBeforeTheLoopRunsIsHandledOnceItDoes) {
  TTestTaskWindow window;
  StartTask(2009, "Glowmere", 2);  // the splash stays up: it is closed as well
  window.show();
  raise(SIGHUP);
  EXPECT_EQ(RunLoop(), 0);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(Splash && Splash->isVisible());
}

TEST_F(TerminationTest, SigintDuringAModalBoxClosesTheBoxAndTheWindow) {
  TTestTaskWindow window;
  StartTask(2009, "Glowmere", 2);
  window.show();
  HideSplash(&window);
  bool answered = true;
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(50, [] { raise(SIGINT); });
    answered = ShowMessageBox("Clear the field?", mkConfirmation);
  });
  EXPECT_EQ(RunLoop(), 0);
  EXPECT_FALSE(answered);
  EXPECT_FALSE(window.isVisible());
}

}  // namespace

namespace {

// A window that asks a question as soon as it is shown, before the
// application's loop has started.
class TAskingWindow : public TTestTaskWindow {
 protected:
  void showEvent(QShowEvent* event) override {
    TTestTaskWindow::showEvent(event);
    if (asked_) return;
    asked_ = true;
    QTimer::singleShot(50, [] { std::raise(SIGTERM); });
    ShowMessageBox("First question", mkInformation);
  }

 private:
  bool asked_ = false;
};

TEST_F(TerminationTest, SignalInAModalLoopBeforeTheApplicationLoopStillEndsIt) {
  TAskingWindow window;
  StartTask(2009, "Glowmere", 2);
  HideSplash(&window);
  window.show();  // returns once the signal has closed the box
  EXPECT_EQ(RunLoop(), 0);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(TerminationTest, SigtermWhileTheHelpWindowIsOpenEndsTheLoop) {
  TTestTaskWindow window;
  StartTask(2009, "Glowmere", 2);
  window.show();
  HideSplash(&window);
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(50, [] { raise(SIGTERM); });
    ShowStatement(false);
  });
  EXPECT_EQ(RunLoop(), 0);
  EXPECT_FALSE(window.isVisible());
}
}  // namespace
