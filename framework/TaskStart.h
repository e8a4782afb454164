// The task's start-up and finalization: its identity (year, name, level),
// the per-user files (statistics, settings, record, autosave), the two
// localizations, the prepared file dialogs and the splash window, all kept
// in framework globals from StartTask until FinalizeTask.
//
// Program entry, in this order:
//   QApplication app(argc, argv);
//   InstallTerminationHandlers();          // declared in framework/Termination.h
//   auto window = std::make_unique<TfrmGlowmere>();  // its constructor calls StartTask
//   window->show();
//   int rc = app.exec();                   // the event loop
//   FinalizeTask();                        // every file written
//   window.reset();                        // uses no framework object any more
//   return rc;
#pragma once

#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/IniNameValueTree.h"
#include "framework/Localization.h"
#include "framework/Termination.h"  // the program entry installs these handlers too

class QFileDialog;
class QWidget;
class TSplashForm;
class TfmHelp;

// Identity, set by StartTask. TaskName is the contest identity when the
// task was started without a name.
extern int32_t TaskYear;
extern std::string TaskName;
extern int32_t TaskLevel;
// Both end with "/"; native bytes.
extern std::string ProgramFolder;  // where the .loc files are read (framework/ProgramFolder.h)
extern std::string UserFolder;     // <local app data>/TUV-<year>-<level>/

// Owned by the framework; each may be absent (its file could not be read).
// TaskLocalization is the same object as CommonLocalization when the task
// has no name; it is never absent while a task runs.
extern std::unique_ptr<TNameValueTreeTuvLocalization> CommonLocalization;
extern TNameValueTreeTuvLocalization* TaskLocalization;
extern std::unique_ptr<TIniNameValueTree> StatisticsTree;
extern std::unique_ptr<TIniNameValueTree> SettingsTree;
extern std::unique_ptr<TIniNameValueTree> RecordTree;      // absent without a task name
extern std::unique_ptr<TIniNameValueTree> AutosaveTree;    // absent without a task name

// The file dialogs' shared settings: initial folder (native bytes, ends with
// "/" when a task name was given), default extension without the dot, and
// the filter "T1|*.ext|T2|*.*" in Windows-1251.
extern std::string DocumentsFolder;
extern std::string DefaultExtension;
extern std::string FileDialogFilter;

// Windows of the framework. They are released by FinalizeTask after every
// file has been written (Qt has no application-owned widgets to release
// them later); the splash goes earlier, with HideSplash.
extern QPointer<QFileDialog> OpenDialog;
extern QPointer<QFileDialog> SaveDialog;
extern QPointer<TSplashForm> Splash;
extern QPointer<TfmHelp> fmHelp;  // created on first use (framework/HelpWindow.h)

// The task's main window: TTuvForm registers itself on construction. It
// owns the message boxes and dialogs and is what orderly termination closes.
extern QPointer<QWidget> TaskWindow;
void SetTaskWindow(QWidget* window);

// "TUV-" + year + "-" + level.
std::string MakeContestId(int32_t year, int32_t level);
// The per-user folder UserFolder that StartTask will use, with "/" at the
// end; the local application data folder is created, this one is not.
std::string TaskUserFolder(int32_t year, int32_t level);

// Starts the task; see the file comment. Called again (as tests do), it
// first finalizes the task that runs.
void StartTask(int32_t year, const std::string& taskName, int32_t level);
// The same for a run that must leave the player's files alone (the game
// opened on a level designer's map): statistics, settings, record and
// autosave are trees in memory only, none read or written, no per-user
// folder is made (UserFolder stays empty), and the file dialogs open in
// documentsFolder, which is not created either.
void StartTaskInMemory(int32_t year, const std::string& taskName, int32_t level, const std::string& documentsFolder);
bool TaskStarted();

// Closes the splash window if it is up; the argument is not used.
void HideSplash(QWidget* taskWindow = nullptr);

TIniNameValueTree* GetAutosaveTree();
TIniNameValueTree* GetRecordTree();
TNameValueTreeTuvLocalization* GetTaskLocalization();

// Destroys SettingsTree, StatisticsTree, AutosaveTree, RecordTree,
// TaskLocalization and CommonLocalization (if a separate object), in this
// order, each writing its file; then clears the framework's strings and
// releases its windows. Does nothing when no task runs.
void FinalizeTask();
