// The save and load commands, the usage counters they leave, and the
// record certificate.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

#include "TempHome.h"
#include "support/FileStamp.h"
#include "framework/FileCommands.h"
#include "framework/Modal.h"
#include "framework/TaskStart.h"

namespace {

namespace fs = std::filesystem;

class FileCommandsTest : public TempHomeTest {
 protected:
  void SetUp() override { StartTask(2009, "Glowmere", 2); }

  std::string SolutionPath(const std::string& name) const {
    return home.Documents() + "/TUV-2009-2/Glowmere/" + name;
  }
  // Answers every file dialog with `name` in the task's folder.
  void AnswerWith(const std::string& path) {
    answers.OnFileDialog([path](const TFileDialogRequest&) { return std::optional<std::string>(path); });
  }
  std::string StatisticsFileAfterExit() {
    FinalizeTask();
    return home.ReadFile(home.UserFolder() + "Glowmere.stat");
  }

  TModalAnswers answers;
};

TEST_F(FileCommandsTest, CancellingSaveTwiceAndSavingOnceCountsThreeClicksAndOneSave) {
  int asked = 0;
  answers.OnFileDialog([&](const TFileDialogRequest&) -> std::optional<std::string> {
    if (++asked < 3) return std::nullopt;
    return SolutionPath("mine.tuv-Glowmere");
  });
  EXPECT_EQ(ExecuteSaveDialog(), nullptr);
  EXPECT_EQ(ExecuteSaveDialog(), nullptr);
  EXPECT_NE(ExecuteSaveDialog(), nullptr);
  EXPECT_EQ(StatisticsFileAfterExit(), "[/fileoperations/]\r\nsave-click=3\r\nsave=1\r\n\r\n");
}

TEST_F(FileCommandsTest, LoadCountsItsClickAndItsConfirmation) {
  home.WriteFile(SolutionPath("old.tuv-Glowmere"), "");
  AnswerWith(SolutionPath("old.tuv-Glowmere"));
  EXPECT_NE(ExecuteOpenDialog(), nullptr);
  answers.OnFileDialog([](const TFileDialogRequest&) { return std::optional<std::string>(); });
  EXPECT_EQ(ExecuteOpenDialog(), nullptr);
  EXPECT_EQ(StatisticsFileAfterExit(), "[/fileoperations/]\r\nload-click=2\r\nload=1\r\n\r\n");
}

TEST_F(FileCommandsTest, DialogsAreAskedWithTheTaskFolderFilterAndExtension) {
  std::vector<TFileDialogRequest> requests;
  answers.OnFileDialog([&](const TFileDialogRequest& request) {
    requests.push_back(request);
    return std::optional<std::string>();
  });
  ExecuteSaveDialog();
  ExecuteOpenDialog();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].kind, TFileDialogKind::Save);
  EXPECT_TRUE(requests[0].overwritePrompt);
  EXPECT_EQ(requests[1].kind, TFileDialogKind::Open);
  EXPECT_FALSE(requests[1].overwritePrompt);
  for (const TFileDialogRequest& request : requests) {
    EXPECT_EQ(fs::path(request.folder), fs::path(home.Documents() + "/TUV-2009-2/Glowmere"));
    EXPECT_EQ(request.defaultExtension, "tuv-Glowmere");
    EXPECT_EQ(request.filter, " - |*.tuv-Glowmere| - |*.*");
    EXPECT_EQ(request.nameFilters, QStringList({"- (*.tuv-Glowmere)", "- (*)"}));
  }
}

TEST_F(FileCommandsTest, SavingIntoAnExistingFileKeepsItsOtherSections) {
  const std::string path = SolutionPath("shared.tuv-Glowmere");
  home.WriteFile(path, "[/notes/]\r\nauthor=Pupil\r\n[/etc/]\r\nlevel=9\r\n[/]\r\nlights=1\r\n");
  AnswerWith(path);
  std::unique_ptr<TIniNameValueTree> tree = ExecuteSaveDialog();
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->ReadInteger("/etc/level", 0), 2);
  tree->WriteInteger("lights", 4);
  EXPECT_TRUE(tree->Flush());
  tree.reset();
  EXPECT_EQ(home.ReadFile(path), "[/notes/]\r\nauthor=Pupil\r\n\r\n[/etc/]\r\nlevel=2\r\n\r\n[/]\r\nlights=4\r\n\r\n");
}

TEST_F(FileCommandsTest, LoadingOnlyReadsTheFileEvenWhenTheTreeIsWrittenTo) {
  const std::string path = SolutionPath("commented.tuv-Glowmere");
  home.WriteFile(path, "; saved by hand\r\n\r\n[/etc/]\r\n  Level = 5 \r\n");
  const TFileStamp before = StampOf(path);
  AnswerWith(path);
  std::unique_ptr<TIniNameValueTree> tree = ExecuteOpenDialog();
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->ReadInteger("/etc/level", 0), 5);  // not compared with the task's level
  tree->WriteInteger("vertices", 0);
  EXPECT_FALSE(tree->Flush());
  tree.reset();
  EXPECT_EQ(StampOf(path), before);
}

TEST_F(FileCommandsTest, ChosenNameThatCannotBeReadGivesNoTreeAndCreatesNothing) {
  const std::string folder = SolutionPath("a-folder.tuv-Glowmere"), missing = SolutionPath("typed.tuv-Glowmere");
  fs::create_directories(folder);
  for (const std::string& path : {folder, missing}) {
    AnswerWith(path);
    TOpenOutcome outcome = TOpenOutcome::Opened;
    EXPECT_EQ(ExecuteOpenDialog(&outcome), nullptr);
    EXPECT_EQ(outcome, TOpenOutcome::Unreadable);
  }
  AnswerWith(folder);
  EXPECT_EQ(ExecuteSaveDialog(), nullptr);
  // All were confirmed, so all count.
  EXPECT_EQ(StatisticsFileAfterExit(),
            "[/fileoperations/]\r\nload-click=2\r\nload=2\r\nsave-click=1\r\nsave=1\r\n\r\n");
  EXPECT_FALSE(fs::exists(missing));
}

TEST_F(FileCommandsTest, EmptyAnswerCountsAsCancelled) {
  AnswerWith("");
  EXPECT_EQ(ExecuteSaveDialog(), nullptr);
  EXPECT_EQ(StatisticsFileAfterExit(), "[/fileoperations/]\r\nsave-click=1\r\n\r\n");
}

TEST_F(FileCommandsTest, CommandsWorkWithoutAStatisticsTree) {
  StatisticsTree.reset();
  AnswerWith(SolutionPath("x.tuv-Glowmere"));
  EXPECT_NE(ExecuteSaveDialog(), nullptr);
  IncStatistic("/help/statement");
}

TEST_F(FileCommandsTest, ShorterCertificateLeavesTheOldLinesBehindAndReachesTheDiskAtOnce) {
  WriteCertificate({"points: 40", "second", "third"});
  WriteCertificateLine("points: 39");
  EXPECT_EQ(home.ReadFile(home.UserFolder() + "Glowmere.rec"),
            "[/etc/]\r\nlevel=2\r\n\r\n"
            "[/Certificate/]\r\nlines=1\r\nline=points: 39\r\nline#1=second\r\nline#2=third\r\n\r\n");
}

TEST_F(FileCommandsTest, WriteLinesUsesThePrefixForCountAndLines) {
  WriteLines(*AutosaveTree, "/notes/", {"a", "b"});
  EXPECT_EQ(AutosaveTree->ReadInteger("/notes/lines", 0), 2);
  EXPECT_EQ(AutosaveTree->ReadString("/notes/line", ""), "a");
  EXPECT_EQ(AutosaveTree->ReadString("/notes/line", "", 1), "b");
}

TEST_F(FileCommandsTest, CertificateWithoutARecordTreeDoesNothing) {
  StartTask(2009, "", 2);
  ASSERT_EQ(RecordTree, nullptr);
  WriteCertificateLine("points: 1");
  FinalizeTask();
  EXPECT_FALSE(fs::exists(home.UserFolder() + "TUV-2009-2.rec"));
}

// The real Qt dialog, driven the way a person would: type a name, press
// Enter. Nothing answers in its place.
class RealFileDialogTest : public FileCommandsTest {
 protected:
  // Once the dialog is up, types `name` and accepts (or rejects when empty).
  static void WhenTheDialogShows(const QString& name) {
    QTimer::singleShot(0, [name] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) {
        WhenTheDialogShows(name);  // not up yet
        return;
      }
      if (name.isEmpty()) {
        dialog->reject();
        return;
      }
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
      // Enter in the name field, as a person would confirm it.
      QMetaObject::invokeMethod(dialog, "accept");
    });
  }
};

TEST_F(RealFileDialogTest, TypedNameWithoutExtensionGetsTheDefaultOne) {
  WhenTheDialogShows("typed");
  std::unique_ptr<TIniNameValueTree> tree = ExecuteSaveDialog();
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(fs::path(tree->FileName()), fs::path(SolutionPath("typed.tuv-Glowmere")));
}

TEST_F(RealFileDialogTest, CancelledDialogGivesNothing) {
  WhenTheDialogShows("");
  EXPECT_EQ(ExecuteOpenDialog(), nullptr);
  EXPECT_EQ(StatisticsFileAfterExit(), "[/fileoperations/]\r\nload-click=1\r\n\r\n");
}

TEST(FilterToNameFilters, PairsBecomeQtFilters) {
  EXPECT_EQ(FilterToNameFilters("Solutions|*.tuv-Glowmere|All files|*.*"),
            QStringList({"Solutions (*.tuv-Glowmere)", "All files (*)"}));
  EXPECT_EQ(FilterToNameFilters("Pictures|*.png;*.bmp"), QStringList({"Pictures (*.png *.bmp)"}));
  EXPECT_EQ(FilterToNameFilters("Odd|"), QStringList({"Odd (*)"}));
  EXPECT_EQ(FilterToNameFilters("Name without patterns"), QStringList());
  // Windows-1251 names arrive as Unicode.
  EXPECT_EQ(FilterToNameFilters("\xC2\xF1\xE5|*.*"), QStringList({QString::fromUtf8("Все (*)")}));
}

}  // namespace
