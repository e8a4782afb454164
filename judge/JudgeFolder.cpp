#include "judge/JudgeFolder.h"

#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

TJudgeFolder::TJudgeFolder() {
  std::string pattern = (fs::temp_directory_path() / "glowmere-judge-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  root_ = pattern;
  for (const char* sub : {"data", "documents", "config", "program", "runtime"}) {
    fs::create_directories(root_ / sub);
  }
  fs::permissions(root_ / "runtime", fs::perms::owner_all, fs::perm_options::replace);
  oldCwd_ = fs::current_path();
  setenv("HOME", root_.c_str(), 1);
  setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  setenv("XDG_DOCUMENTS_DIR", (root_ / "documents").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (root_ / "runtime").c_str(), 1);
}

void TJudgeFolder::Enter() { fs::current_path(root_ / "program"); }

TJudgeFolder::~TJudgeFolder() {
  std::error_code ec;
  fs::current_path(oldCwd_, ec);
  fs::remove_all(root_, ec);
}
