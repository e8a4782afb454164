// The player's stores when the disk fills up and when a store file is
// found damaged, as the player meets them: what the panel says, what the
// files hold, what quitting asks.
#include <QCloseEvent>
#include <QLabel>
#include <QTimer>
#include <csignal>

#include "badinput_support.h"
#include "framework/MessageBox.h"
#include "framework/Termination.h"
#include "framework/WholeFile.h"

namespace fs = std::filesystem;

namespace {

// Every text the panel shows now, one after another.
QString PanelText(const TfrmGlowmere& window) {
  QStringList texts;
  for (const QLabel* label : window.pnlControl->findChildren<QLabel*>())
    if (label->isVisibleTo(window.pnlControl)) texts << label->text();
  return texts.join(QLatin1Char('\n'));
}

// The window's answer to a close request, as the window manager's close
// button or the menu's exit sends it.
bool Closes(TfrmGlowmere& window) {
  QCloseEvent event;
  QApplication::sendEvent(&window, &event);
  return event.isAccepted();
}

class FullDisk : public BadInputGame {
 protected:
  void SetUp() override {
    UseShippedTexts();
    BadInputGame::SetUp();
  }
  void TearDown() override {
    SetWriteFailureForTesting(-1);
    BadInputGame::TearDown();
  }
};

}  // namespace

// The disk fills up in play: the panel says once that the position is not
// saved, the file keeps the position it had, quitting asks with «Нет» the
// default; once the disk has room the next step saves and the notice goes.
TEST_F(FullDisk, AutosaveThatFailsIsSaidOnceAndQuittingAsks) {
  const std::string before = ReadFile(UserFile("Glowmere.sav"));
  ASSERT_FALSE(PanelText(*window).contains(QString::fromUtf8("диск заполнен")));
  SetWriteFailureForTesting(0);
  ClickGrid(record[1].first, record[1].second);
  ClickGrid(record[2].first, record[2].second);
  ASSERT_EQ(Shown().size(), 4u);
  EXPECT_EQ(PanelText(*window).count(QString::fromUtf8("Расстановка не сохранена")), 1) << PanelText(*window).toStdString();
  EXPECT_TRUE(asked.empty()) << "said in the panel, not in a box at every step";
  EXPECT_EQ(ReadFile(UserFile("Glowmere.sav")), before) << "the last good save stays";

  answer = QMessageBox::No;
  EXPECT_FALSE(Closes(*window)) << "«Нет» keeps the game open";
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, mkConfirmation);
  EXPECT_EQ(asked[0].defaultButton, QMessageBox::No);
  EXPECT_TRUE(asked[0].text.contains(QString::fromUtf8("пропадут"))) << asked[0].text.toStdString();
  answer = QMessageBox::Yes;
  EXPECT_TRUE(Closes(*window));

  SetWriteFailureForTesting(-1);
  ClickGrid(record[3].first, record[3].second);
  EXPECT_FALSE(PanelText(*window).contains(QString::fromUtf8("диск заполнен"))) << "the next step saved it";
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.sav")), Shown());
  asked.clear();
  EXPECT_TRUE(Closes(*window));
  EXPECT_TRUE(asked.empty()) << "nothing unsaved, nothing asked";
}

// Room comes back without another step: quitting saves first and asks
// nothing. A termination request from outside never asks.
TEST_F(FullDisk, QuittingSavesWhatItCanBeforeItAsks) {
  SetWriteFailureForTesting(0);
  ClickGrid(record[1].first, record[1].second);
  SetWriteFailureForTesting(-1);
  EXPECT_TRUE(Closes(*window));
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.sav")), Shown());

  SetWriteFailureForTesting(0);
  ClickGrid(record[2].first, record[2].second);
  ASSERT_TRUE(InstallTerminationHandlers());
  window->show();
  QTimer::singleShot(0, [] { raise(SIGTERM); });
  QTimer safety;
  QObject::connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  safety.start(5000);
  EXPECT_EQ(QApplication::exec(), 0) << "a termination request ends the game";
  UninstallTerminationHandlers();
  EXPECT_TRUE(asked.empty()) << "no question when the program is ended from outside";
}

// A new record on a full disk: the panel says so, the old record file
// stays, and the record is written at the next step once there is room.
TEST_F(FullDisk, RecordThatCannotBeWrittenIsSaidAndWrittenLater) {
  const TPoints longer = ReopenWithALongerRecord();
  LoadCoveringSetOnAFullDisk();
  asked.clear();
  EXPECT_EQ(window->lbRecord->text(), QString::number(record.size()));
  // The autosave of the same step failed too: both are named.
  EXPECT_TRUE(PanelText(*window).contains(QString::fromUtf8("Расстановка и рекорд не сохранены")))
      << PanelText(*window).toStdString();
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.rec")), longer);
  SetWriteFailureForTesting(-1);
  ClickGrid(FreePoint(3).first, FreePoint(3).second);
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.rec")), record);
  EXPECT_FALSE(PanelText(*window).contains(QString::fromUtf8("диск заполнен")));
}

namespace {

class DamagedStore : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    UseShippedTexts();
    fs::create_directories(UserFile(""));
  }
};

}  // namespace

// 3,000 random bytes as the record: kept aside byte for byte, the player
// told once, and a sound record file written in its place.
TEST_F(DamagedStore, DamagedRecordIsKeptAsideAndThePlayerTold) {
  const std::string junk = RandomBytes(3000, 37);
  WriteFile(UserFile("Glowmere.rec"), junk);
  OpenWindow();
  EXPECT_EQ(window->lbRecord->text(), "-");
  EXPECT_EQ(ReadFile(UserFile("Glowmere.rec.bad")), junk);
  EXPECT_TRUE(PanelText(*window).contains(QString::fromUtf8("Файл рекорда был повреждён"))) << PanelText(*window).toStdString();
  EXPECT_TRUE(PanelText(*window).contains("Glowmere.rec.bad"));
  EXPECT_TRUE(asked.empty());
  CloseWindow();
  EXPECT_EQ(ReadFile(UserFile("Glowmere.rec.bad")), junk);
  const std::string rewritten = ReadFile(UserFile("Glowmere.rec"));
  EXPECT_EQ(rewritten, "[/etc/]\r\nlevel=2\r\n\r\n") << "a sound file under the old name";

  // Told once: the next start finds nothing damaged; a second damaged file
  // is kept beside the first, which stays.
  OpenWindow();
  EXPECT_FALSE(PanelText(*window).contains(QString::fromUtf8("повреждён")));
  CloseWindow();
  WriteFile(UserFile("Glowmere.rec"), junk.substr(0, 100));
  OpenWindow();
  EXPECT_EQ(ReadFile(UserFile("Glowmere.rec.bad.2")), junk.substr(0, 100));
  EXPECT_EQ(ReadFile(UserFile("Glowmere.rec.bad")), junk);
}

// An autosave cut off in the middle of a key: its first light comes back,
// the light whose y is missing and the one with no keys at all do not
// (they would stand at (14, 0) and (0, 0)); the file is kept aside.
TEST_F(DamagedStore, CutAutosaveRestoresOnlyItsWholeLights) {
  const std::string whole = SolutionText({{26, 12}, {14, 5}, {30, 20}});
  const std::string cut = whole.substr(0, whole.find("x#1=14") + 6) + "\r\ny#";
  WriteFile(UserFile("Glowmere.sav"), cut);
  OpenWindow();
  TPoints shown;
  for (const TGridPoint& p : window->LightPoints()) shown.emplace_back(p.x, p.y);
  EXPECT_EQ(shown, (TPoints{{26, 12}}));
  EXPECT_EQ(ReadFile(UserFile("Glowmere.sav.bad")), cut);
  EXPECT_TRUE(PanelText(*window).contains(QString::fromUtf8("Файл расстановки был повреждён")));
  CloseWindow();
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.sav")), (TPoints{{26, 12}}));
}

// Files the game itself writes, and hand-made ones that read whole, are no
// damage: nothing is moved, nothing said.
TEST_F(DamagedStore, SoundFilesAreLeftWhereTheyAre) {
  WriteFile(UserFile("Glowmere.rec"), "[/etc/]\r\nlevel=2\r\n\r\n[/Certificate/]\r\nlines=1\r\nline=-\r\n");
  WriteFile(UserFile("Glowmere.sav"), "; my lights\n[/]\nvertices = 1\nx = 26\ny = 12\n");
  OpenWindow();
  EXPECT_EQ(window->lights.Count(), 1);
  EXPECT_FALSE(PanelText(*window).contains(QString::fromUtf8("повреждён")));
  CloseWindow();
  EXPECT_FALSE(fs::exists(UserFile("Glowmere.rec.bad")));
  EXPECT_FALSE(fs::exists(UserFile("Glowmere.sav.bad")));
}
