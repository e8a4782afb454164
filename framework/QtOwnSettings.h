// Qt's own settings file. Qt's file dialog keeps its history, view mode and
// side bar in QtProject.conf under the user's configuration folder, written
// whenever a dialog is destroyed (so on every run, since the framework keeps
// its two dialogs for the run). The task keeps exactly its own files, and
// the dialogs get their folder from the framework each time, so Qt's file
// is neither read nor written.
#pragma once

// Sends every per-user Qt settings file to a place that can never be made
// (a folder below /dev/null): Qt then reads defaults and its writes fail
// silently. Applies to settings objects created afterwards; the framework
// itself keeps no settings through Qt.
void KeepQtSettingsOffDisk();
