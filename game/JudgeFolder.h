// The judge's own temporary folder: its HOME, data, documents, config,
// runtime and program folder while it runs, removed afterwards, so that no
// file of the player is read or written and nothing is left behind.
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

  // Makes the judge's program folder the current directory. Until then the
  // caller's stays, so the command line's names can be read as given.
  void Enter();
  // The current directory of the caller, which relative file names are
  // meant for.
  const std::filesystem::path& Caller() const { return oldCwd_; }
  // Where the judged files are copied to.
  std::filesystem::path Work() const { return root_ / "work"; }

 private:
  std::filesystem::path root_;
  std::filesystem::path oldCwd_;
};
