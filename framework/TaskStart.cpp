// StartTask, HideSplash, the Get* accessors and FinalizeTask.
#include "framework/TaskStart.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <filesystem>
#include <vector>

#include "framework/FileCommands.h"
#include "framework/HelpWindow.h"
#include "framework/ProgramFolder.h"
#include "framework/QtOwnSettings.h"
#include "framework/QtText.h"
#include "framework/QtTranslation.h"
#include "framework/ShellFolders.h"
#include "framework/SplashForm.h"
#include "framework/TaskLevelPath.h"

int32_t TaskYear = 0;
std::string TaskName;
int32_t TaskLevel = 0;
std::string ProgramFolder;
std::string UserFolder;

std::unique_ptr<TNameValueTreeTuvLocalization> CommonLocalization;
TNameValueTreeTuvLocalization* TaskLocalization = nullptr;
std::unique_ptr<TIniNameValueTree> StatisticsTree;
std::unique_ptr<TIniNameValueTree> SettingsTree;
std::unique_ptr<TIniNameValueTree> RecordTree;
std::unique_ptr<TIniNameValueTree> AutosaveTree;

std::string DocumentsFolder;
std::string DefaultExtension;
std::string FileDialogFilter;

QPointer<QFileDialog> OpenDialog;
QPointer<QFileDialog> SaveDialog;
QPointer<TSplashForm> Splash;
QPointer<TfmHelp> fmHelp;
QPointer<QWidget> TaskWindow;

namespace {

bool taskStarted = false;
// The task localization when it is a separate file; TaskLocalization
// points either here or at CommonLocalization.
std::unique_ptr<TNameValueTreeTuvLocalization> separateTaskLocalization;

// Paints the splash now: no event loop runs while the task window is being
// built. Socket notifiers stay out so that a termination request waits for
// a real loop (framework/Termination.h), and the user cannot act yet.
void RepaintSplash() {
  if (!Splash) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
  Splash->repaint();
}

// Empty when unknown: names then become relative to wherever we are.
std::string CurrentFolder() {
  std::error_code error;
  std::string folder = std::filesystem::current_path(error).string();
  if (error) return {};
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// A per-user tree; a file that exists but cannot be read leaves it absent.
std::unique_ptr<TIniNameValueTree> OpenTree(const std::string& fileName) {
  try {
    return std::make_unique<TIniNameValueTree>(fileName);
  } catch (const std::exception&) {
    return nullptr;
  }
}

QFileDialog* MakeDialog(bool save) {
  auto* dialog = new QFileDialog(TaskWindow.data());
  dialog->setObjectName(save ? "SaveDialog" : "OpenDialog");
  // Qt's own dialog: it honours the default suffix and the overwrite
  // question on every desktop, which portal dialogs do not promise.
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Opening takes only a file that is there: a mistyped name is caught in
  // the dialog, where the player can mend it.
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !save);
  dialog->setOption(QFileDialog::ReadOnly, false);
  dialog->setSizeGripEnabled(true);
  dialog->setWindowModality(Qt::ApplicationModal);
  return dialog;
}

void ConfigureDialog(QFileDialog* dialog) {
  const QStringList filters = FilterToNameFilters(FileDialogFilter);
  dialog->setDirectory(PathToQString(DocumentsFolder));
  dialog->setNameFilters(filters);
  if (!filters.isEmpty()) dialog->selectNameFilter(filters.first());
  dialog->setDefaultSuffix(PathToQString(DefaultExtension));
}

}  // namespace

void SetTaskWindow(QWidget* window) { TaskWindow = window; }

std::string MakeContestId(int32_t year, int32_t level) {
  return "TUV-" + std::to_string(year) + "-" + std::to_string(level);
}

std::string TaskUserFolder(int32_t year, int32_t level) {
  return JoinFolder(GetSpecialFolderPath(CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE), MakeContestId(year, level)) + "/";
}

bool TaskStarted() { return taskStarted; }

namespace {

// documentsFolder: null for the per-user files, else the dialogs' folder of
// a run in memory.
void StartTaskWith(int32_t year, const std::string& taskName, int32_t level, const std::string* documentsFolder) {
  if (taskStarted) FinalizeTask();
  taskStarted = true;
  // For the whole process, before the first framework window exists.
  InstallQtTranslation();
  KeepQtSettingsOffDisk();

  const std::string contestId = MakeContestId(year, level);
  const bool noTask = taskName.empty();

  if (!Splash) {
    Splash = new TSplashForm(contestId);
    Splash->show();
    RepaintSplash();
  }

  TaskName = noTask ? contestId : taskName;
  TaskYear = year;
  TaskLevel = level;

  const std::string commonFile = contestId + ".loc";
  const std::string taskFile = TaskName + "-" + std::to_string(level) + ".loc";
  std::vector<std::string> localizationFiles{commonFile};
  if (!noTask) localizationFiles.push_back(taskFile);
  const TProgramFolderChoice programFolder =
      ChooseProgramFolder(CurrentFolder(), ExecutableFolder(), InstalledDataFolder(), localizationFiles);
  ProgramFolder = programFolder.Folder;
  const bool writeBack = !programFolder.Installed;

  const bool inMemory = documentsFolder != nullptr;
  if (!inMemory) {
    UserFolder = TaskUserFolder(year, level);
    ForceFolder(UserFolder);
  }

  CommonLocalization = std::make_unique<TNameValueTreeTuvLocalization>(ProgramFolder + commonFile, writeBack);
  if (noTask) {
    TaskLocalization = CommonLocalization.get();
  } else {
    separateTaskLocalization = std::make_unique<TNameValueTreeTuvLocalization>(ProgramFolder + taskFile, writeBack);
    TaskLocalization = separateTaskLocalization.get();
  }

  // A tree without a file name lives in memory: it reads nothing and its
  // flush writes nothing.
  const auto userTree = [&](const char* extension) { return OpenTree(inMemory ? "" : UserFolder + TaskName + extension); };
  StatisticsTree = userTree(".stat");
  SettingsTree = userTree(".set");
  if (!noTask) {
    RecordTree = userTree(".rec");
    if (RecordTree) RecordTree->WriteInteger(TaskLevelPath, level);
    AutosaveTree = userTree(".sav");
    if (AutosaveTree) {
      AutosaveTree->WriteInteger(TaskLevelPath, level);
      // The task flushes it at every step of play, so that a killed game
      // loses nothing; waiting for the disk each time would slow every
      // click, and the exit syncs it.
      AutosaveTree->SetFlushDurability(TDurability::Renamed);
    }
  }

  OpenDialog = MakeDialog(false);
  SaveDialog = MakeDialog(true);

  // Documents may not exist on a fresh Linux account, so the whole chain is
  // created, not only the last folder.
  if (inMemory) {
    DocumentsFolder = *documentsFolder;
    if (DocumentsFolder.empty() || DocumentsFolder.back() != '/') DocumentsFolder += "/";
  } else {
    DocumentsFolder = JoinFolder(GetSpecialFolderPath(CSIDL_PERSONAL), contestId);
    ForceFolder(DocumentsFolder);
    if (!noTask) {
      DocumentsFolder += "/" + TaskName + "/";
      ForceFolder(DocumentsFolder);
    }
  }

  DefaultExtension = noTask ? std::string("tuv") : "tuv-" + TaskName;
  const std::string mainName =
      CommonLocalization->Translate(noTask ? "/filedialog/filter/main-core" : "/filedialog/filter/main");
  const std::string allFilesName = CommonLocalization->Translate("/filedialog/filter/allfiles");
  FileDialogFilter = mainName + "|*." + DefaultExtension + "|" + allFilesName + "|*.*";
  ConfigureDialog(OpenDialog);
  ConfigureDialog(SaveDialog);

  RepaintSplash();
}

}  // namespace

void StartTask(int32_t year, const std::string& taskName, int32_t level) {
  StartTaskWith(year, taskName, level, nullptr);
}

void StartTaskInMemory(int32_t year, const std::string& taskName, int32_t level, const std::string& documentsFolder) {
  StartTaskWith(year, taskName, level, &documentsFolder);
}

void HideSplash(QWidget* /*taskWindow*/) {
  if (!Splash) return;
  Splash->hide();
  delete Splash.data();
}

TIniNameValueTree* GetAutosaveTree() { return AutosaveTree.get(); }
TIniNameValueTree* GetRecordTree() { return RecordTree.get(); }
TNameValueTreeTuvLocalization* GetTaskLocalization() { return TaskLocalization; }

void FinalizeTask() {
  if (!taskStarted) return;
  taskStarted = false;

  // Each destruction writes its file.
  SettingsTree.reset();
  StatisticsTree.reset();
  AutosaveTree.reset();
  RecordTree.reset();
  TaskLocalization = nullptr;
  separateTaskLocalization.reset();
  CommonLocalization.reset();

  TaskYear = 0;
  TaskName.clear();
  TaskLevel = 0;
  ProgramFolder.clear();
  UserFolder.clear();
  DocumentsFolder.clear();
  DefaultExtension.clear();
  FileDialogFilter.clear();

  delete OpenDialog.data();
  delete SaveDialog.data();
  delete Splash.data();
  delete fmHelp.data();
}
