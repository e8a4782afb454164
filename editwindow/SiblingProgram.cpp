#include "editwindow/SiblingProgram.h"

#include <unistd.h>

#include <filesystem>

#include "framework/ProgramFolder.h"

namespace {
std::string installedFolder;

bool Runnable(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}
}  // namespace

void SetInstalledProgramFolder(const std::string& folder) { installedFolder = folder; }

std::string SiblingProgram(const std::string& name) {
  for (const std::string& folder : {ExecutableFolder(), installedFolder}) {
    if (folder.empty()) continue;
    const std::string path = (std::filesystem::path(folder) / name).string();
    if (Runnable(path)) return path;
  }
  return {};
}
