// The temporary folder of the window that draws the judge's pictures
// (judge/JudgeCanvas): its HOME, data, documents, config, runtime and
// program folder while it draws, removed afterwards, so that no file of
// the player is read or written and nothing is left behind.
//
// Make it before the QApplication: Qt reads XDG_RUNTIME_DIR when the
// platform starts, and without one it warns on standard error and makes a
// runtime folder of its own in the system's temporary folder.
#pragma once

#include <filesystem>

class TJudgeFolder {
 public:
  // Throws std::runtime_error when no temporary folder can be made.
  TJudgeFolder();
  ~TJudgeFolder();
  TJudgeFolder(const TJudgeFolder&) = delete;
  TJudgeFolder& operator=(const TJudgeFolder&) = delete;

  // Makes the folder's program folder the current directory, where the
  // window's framework looks for and writes its localizations. The
  // caller's comes back when the folder goes.
  void Enter();

 private:
  std::filesystem::path root_;
  std::filesystem::path oldCwd_;
};
