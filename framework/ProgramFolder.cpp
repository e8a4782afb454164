// Choosing the program folder; see ProgramFolder.h.
#include "framework/ProgramFolder.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string installedDataFolder;

bool SameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code error;
  // Compares the files themselves, so a symbolic link to the data folder or
  // a second mount of it is still the data folder.
  const bool same = fs::equivalent(a, b, error);
  return !error && same;
}

bool Holds(const std::string& folder, const std::string& name) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(fs::path(folder) / name, error);
  return !error && status.type() != fs::file_type::not_found;
}

}  // namespace

void SetInstalledDataFolder(const std::string& folder) { installedDataFolder = folder; }

std::string InstalledDataFolder() {
  if (installedDataFolder.empty()) return {};
  fs::path folder(installedDataFolder);
  if (folder.is_relative()) {
    const std::string base = ExecutableFolder();
    if (base.empty()) return {};
    folder = fs::path(base) / folder;
  }
  std::string normal = folder.lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

TProgramFolderChoice ChooseProgramFolder(const std::string& current, const std::string& beside,
                                         const std::string& installed, const std::vector<std::string>& names) {
  const auto holdsAny = [&names](const std::string& folder) {
    if (folder.empty()) return false;
    for (const std::string& name : names)
      if (Holds(folder, name)) return true;
    return false;
  };
  const std::string& folder = holdsAny(current)    ? current
                              : holdsAny(beside)   ? beside
                              : !installed.empty() ? installed
                                                   : current;
  return {folder.empty() ? std::string() : folder + (folder.back() == '/' ? "" : "/"),
          !installed.empty() && (&folder == &installed || SameFolder(folder, installed))};
}

std::string ExecutableFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (error || !executable.is_absolute()) return {};
  return executable.parent_path().string();
}
