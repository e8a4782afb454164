// Start-up and finalization: folders, per-user files and their names, the
// localizations of the current directory, the prepared dialogs, the splash.
#include <QFileDialog>
#include <filesystem>

#include "TempHome.h"
#include "framework/SplashForm.h"
#include "framework/TaskStart.h"

namespace {

namespace fs = std::filesystem;

const std::string CommonLoc =
    "[/filedialog/filter/]\r\n"
    "main=Glowmere solutions\r\n"
    "main-core=Contest files\r\n"
    "allfiles=All files\r\n";

class StartTaskTest : public TempHomeTest {
 protected:
  std::string InUserFolder(const std::string& name) const { return home.UserFolder() + name; }
};

TEST_F(StartTaskTest, FirstRunCreatesTheUserAndDocumentsFolders) {
  ASSERT_FALSE(fs::exists(home.DataHome()));
  ASSERT_FALSE(fs::exists(home.Documents()));
  StartTask(2009, "Glowmere", 2);

  EXPECT_TRUE(fs::is_directory(home.UserFolder()));
  EXPECT_TRUE(fs::is_directory(home.Documents() + "/TUV-2009-2/Glowmere"));
  EXPECT_EQ(UserFolder, home.UserFolder());
  EXPECT_EQ(DocumentsFolder, home.Documents() + "/TUV-2009-2/Glowmere/");
  EXPECT_EQ(ProgramFolder, home.ProgramFolder() + "/");
  EXPECT_EQ(TaskYear, 2009);
  EXPECT_EQ(TaskName, "Glowmere");
  EXPECT_EQ(TaskLevel, 2);
}

TEST_F(StartTaskTest, ExitWritesTheFourPerUserFilesWithTheLevelInRecordAndAutosave) {
  StartTask(2009, "Glowmere", 2);
  // The level is in memory at once, before anything reaches the disk.
  ASSERT_NE(GetRecordTree(), nullptr);
  ASSERT_NE(GetAutosaveTree(), nullptr);
  EXPECT_EQ(GetRecordTree()->ReadInteger("/etc/level", 0), 2);
  EXPECT_EQ(GetAutosaveTree()->ReadInteger("/etc/level", 0), 2);
  EXPECT_FALSE(fs::exists(InUserFolder("Glowmere.rec")));
  FinalizeTask();

  EXPECT_EQ(home.ReadFile(InUserFolder("Glowmere.rec")), "[/etc/]\r\nlevel=2\r\n\r\n");
  EXPECT_EQ(home.ReadFile(InUserFolder("Glowmere.sav")), "[/etc/]\r\nlevel=2\r\n\r\n");
  ASSERT_TRUE(fs::exists(InUserFolder("Glowmere.stat")));
  ASSERT_TRUE(fs::exists(InUserFolder("Glowmere.set")));
  EXPECT_EQ(fs::file_size(InUserFolder("Glowmere.stat")), 0u);
  EXPECT_EQ(fs::file_size(InUserFolder("Glowmere.set")), 0u);
  // Missing localizations come back as empty files beside the program.
  EXPECT_TRUE(fs::exists(home.ProgramFolder() + "/TUV-2009-2.loc"));
  EXPECT_TRUE(fs::exists(home.ProgramFolder() + "/Glowmere-2.loc"));
}

TEST_F(StartTaskTest, FinalizationReleasesEverythingAndClearsTheIdentity) {
  StartTask(2009, "Glowmere", 2);
  FinalizeTask();
  EXPECT_FALSE(TaskStarted());
  EXPECT_EQ(CommonLocalization, nullptr);
  EXPECT_EQ(TaskLocalization, nullptr);
  EXPECT_EQ(StatisticsTree, nullptr);
  EXPECT_EQ(SettingsTree, nullptr);
  EXPECT_EQ(RecordTree, nullptr);
  EXPECT_EQ(AutosaveTree, nullptr);
  EXPECT_TRUE(TaskName.empty());
  EXPECT_TRUE(UserFolder.empty());
  EXPECT_TRUE(ProgramFolder.empty());
  EXPECT_TRUE(OpenDialog.isNull());
  EXPECT_TRUE(SaveDialog.isNull());
  EXPECT_TRUE(Splash.isNull());
  FinalizeTask();  // a second time does nothing
}

TEST_F(StartTaskTest, ExistingPerUserFilesAreReadAndTheirOtherContentKept) {
  home.WriteFile(InUserFolder("Glowmere.rec"), "[/etc/]\r\nlevel=7\r\n[/]\r\nlights=3\r\n");
  home.WriteFile(InUserFolder("Glowmere.set"), "[/help/showonstart/]\r\nstatement=0\r\n");
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(RecordTree->ReadInteger("/etc/level", 0), 2);
  EXPECT_EQ(RecordTree->ReadInteger("lights", 0), 3);
  EXPECT_FALSE(SettingsTree->ReadBool("/help/showonstart/statement", true));
  FinalizeTask();
  EXPECT_EQ(home.ReadFile(InUserFolder("Glowmere.rec")), "[/etc/]\r\nlevel=2\r\n\r\n[/]\r\nlights=3\r\n\r\n");
  EXPECT_EQ(home.ReadFile(InUserFolder("Glowmere.set")), "[/help/showonstart/]\r\nstatement=0\r\n\r\n");
}

TEST_F(StartTaskTest, WithoutTaskNameOnlyStatisticsAndSettingsNamedAfterTheContest) {
  home.WriteFile(home.ProgramFolder() + "/TUV-2009-2.loc", CommonLoc);
  StartTask(2009, "", 2);
  EXPECT_EQ(TaskName, "TUV-2009-2");
  EXPECT_EQ(TaskLocalization, CommonLocalization.get());
  EXPECT_EQ(GetRecordTree(), nullptr);
  EXPECT_EQ(GetAutosaveTree(), nullptr);
  EXPECT_EQ(DefaultExtension, "tuv");
  EXPECT_EQ(FileDialogFilter, "Contest files|*.tuv|All files|*.*");
  EXPECT_EQ(DocumentsFolder, home.Documents() + "/TUV-2009-2");
  ASSERT_FALSE(SaveDialog.isNull());
  EXPECT_EQ(SaveDialog->defaultSuffix(), "tuv");
  EXPECT_EQ(SaveDialog->nameFilters(), QStringList({"Contest files (*.tuv)", "All files (*)"}));
  EXPECT_EQ(fs::path(SaveDialog->directory().absolutePath().toStdString()),
            fs::path(home.Documents() + "/TUV-2009-2"));
  FinalizeTask();

  EXPECT_TRUE(fs::exists(InUserFolder("TUV-2009-2.stat")));
  EXPECT_TRUE(fs::exists(InUserFolder("TUV-2009-2.set")));
  EXPECT_FALSE(fs::exists(InUserFolder("TUV-2009-2.rec")));
  EXPECT_FALSE(fs::exists(InUserFolder("TUV-2009-2.sav")));
  EXPECT_FALSE(fs::exists(home.ProgramFolder() + "/TUV-2009-2-2.loc"));
  EXPECT_FALSE(fs::exists(home.Documents() + "/TUV-2009-2/TUV-2009-2"));
}

TEST_F(StartTaskTest, DialogsArePresetToTheTaskFileTypeInTheTaskDocumentsFolder) {
  home.WriteFile(home.ProgramFolder() + "/TUV-2009-2.loc", CommonLoc);
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(DefaultExtension, "tuv-Glowmere");
  EXPECT_EQ(FileDialogFilter, "Glowmere solutions|*.tuv-Glowmere|All files|*.*");
  const QStringList filters = {"Glowmere solutions (*.tuv-Glowmere)", "All files (*)"};
  for (QFileDialog* dialog : {OpenDialog.data(), SaveDialog.data()}) {
    ASSERT_NE(dialog, nullptr);
    SCOPED_TRACE(dialog->objectName().toStdString());
    EXPECT_EQ(dialog->nameFilters(), filters);
    EXPECT_EQ(dialog->selectedNameFilter(), filters.first());
    EXPECT_EQ(dialog->defaultSuffix(), "tuv-Glowmere");
    EXPECT_EQ(dialog->fileMode(), dialog == OpenDialog ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    EXPECT_EQ(fs::path(dialog->directory().absolutePath().toStdString()),
              fs::path(home.Documents() + "/TUV-2009-2/Glowmere"));
  }
  EXPECT_EQ(OpenDialog->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(SaveDialog->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_FALSE(SaveDialog->testOption(QFileDialog::DontConfirmOverwrite));
}

TEST_F(StartTaskTest, MissingCommonLocalizationGivesPlaceholderFilterNames) {
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(FileDialogFilter, " - |*.tuv-Glowmere| - |*.*");
}

TEST_F(StartTaskTest, LocalizationsAreReadFromTheCurrentDirectory) {
  home.WriteFile(home.ProgramFolder() + "/Glowmere-2.loc", "[/]\r\ntitle=Beside the program\r\n");
  const std::string elsewhere = home.MakeFolder("elsewhere");
  home.WriteFile(elsewhere + "/Glowmere-2.loc", "[/]\r\ntitle=Where we were started\r\n");
  home.WriteFile(elsewhere + "/TUV-2009-2.loc", "[/help/]\r\ncloseButton=Close\r\n");
  fs::current_path(elsewhere);
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(ProgramFolder, elsewhere + "/");
  EXPECT_EQ(GetTaskLocalization()->Translate("title"), "Where we were started");
  EXPECT_EQ(CommonLocalization->Translate("/help/closebutton"), "Close");
  // No fallback from the task's file to the common one.
  EXPECT_EQ(GetTaskLocalization()->Translate("/help/closebutton"), " - ");
}

TEST_F(StartTaskTest, StartingAgainFinalizesTheRunningTaskFirst) {
  StartTask(2009, "Glowmere", 2);
  StatisticsTree->WriteInteger("/fileoperations/save", 5);
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(StatisticsTree->ReadInteger("/fileoperations/save", 0), 5);
  FinalizeTask();
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(StatisticsTree->ReadInteger("/fileoperations/save", 0), 5);
}

TEST_F(StartTaskTest, UnreadablePerUserFileLeavesOnlyThatTreeAbsent) {
  // A folder in the place of the record file cannot be read as one.
  fs::create_directories(InUserFolder("Glowmere.rec"));
  StartTask(2009, "Glowmere", 2);
  EXPECT_EQ(GetRecordTree(), nullptr);
  EXPECT_NE(GetAutosaveTree(), nullptr);
  EXPECT_NE(StatisticsTree, nullptr);
  EXPECT_NE(SettingsTree, nullptr);
  FinalizeTask();
  EXPECT_TRUE(fs::is_directory(InUserFolder("Glowmere.rec")));
  EXPECT_TRUE(fs::exists(InUserFolder("Glowmere.sav")));
}

TEST_F(StartTaskTest, SplashIsUpDuringStartAndHideSplashRemovesIt) {
  StartTask(2009, "Glowmere", 2);
  ASSERT_FALSE(Splash.isNull());
  EXPECT_TRUE(Splash->isVisible());
  EXPECT_EQ(Splash->size(), QSize(TSplashForm::Width, TSplashForm::Height));
  EXPECT_TRUE(Splash->windowFlags().testFlag(Qt::FramelessWindowHint));
  ASSERT_NE(Splash->SplashImage, nullptr);
  EXPECT_EQ(Splash->SplashImage->pixmap().size(), QSize(532, 366));
  HideSplash(nullptr);
  EXPECT_TRUE(Splash.isNull());
  HideSplash(nullptr);  // nothing left to hide
}

}  // namespace
