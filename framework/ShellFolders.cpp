// XDG lookup of the per-user folders.
#include "framework/ShellFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

bool IsAbsolute(const std::string& path) { return !path.empty() && path.front() == '/'; }

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// Reads XDG_DOCUMENTS_DIR="..." from a user-dirs.dirs file: a shell
// fragment whose values are double-quoted, either absolute or starting with
// $HOME. Anything else is not trusted.
std::string DocumentsFromUserDirs(const std::string& configHome, const std::string& home) {
  std::ifstream file(configHome + "/user-dirs.dirs");
  if (!file) return {};
  std::string found;
  std::string line;
  while (std::getline(file, line)) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    if (line.compare(start, key.size(), key) != 0) continue;
    std::string value = line.substr(start + key.size());
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ' || value.back() == '\t')) value.pop_back();
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
    value = value.substr(1, value.size() - 2);
    std::string unescaped;
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size()) ++i;
      unescaped += value[i];
    }
    if (unescaped.rfind("$HOME", 0) == 0) {
      if (home.empty()) continue;
      unescaped = home + unescaped.substr(5);
    } else if (unescaped.rfind("${HOME}", 0) == 0) {
      if (home.empty()) continue;
      unescaped = home + unescaped.substr(7);
    }
    if (IsAbsolute(unescaped)) found = unescaped;  // the last assignment wins, as in a shell
  }
  return found;
}

}  // namespace

std::string HomeFolder() {
  std::string home = EnvironmentValue("HOME");
  if (IsAbsolute(home)) return WithoutTrailingSeparators(home);
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* result = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result && result->pw_dir) {
    home = result->pw_dir;
    if (IsAbsolute(home)) return WithoutTrailingSeparators(home);
  }
  return {};
}

void ForceFolder(const std::string& path) {
  if (path.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(path, ignored);
}

std::string JoinFolder(const std::string& base, const std::string& name) {
  return base.empty() ? name : base + "/" + name;
}

std::string GetSpecialFolderPath(int32_t folder) {
  const bool create = (folder & CSIDL_FLAG_CREATE) != 0;
  const std::string home = HomeFolder();
  std::string path;
  switch (folder & ~CSIDL_FLAG_CREATE) {
    case CSIDL_LOCAL_APPDATA: {
      // The XDG rules: a relative value is invalid and is ignored.
      path = EnvironmentValue("XDG_DATA_HOME");
      if (!IsAbsolute(path)) path = home.empty() ? std::string() : home + "/.local/share";
      break;
    }
    case CSIDL_PERSONAL: {
      path = EnvironmentValue("XDG_DOCUMENTS_DIR");
      if (!IsAbsolute(path)) {
        std::string configHome = EnvironmentValue("XDG_CONFIG_HOME");
        if (!IsAbsolute(configHome)) configHome = home.empty() ? std::string() : home + "/.config";
        path = configHome.empty() ? std::string() : DocumentsFromUserDirs(configHome, home);
      }
      if (!IsAbsolute(path)) path = home.empty() ? std::string() : home + "/Documents";
      break;
    }
    default:
      return {};
  }
  path = WithoutTrailingSeparators(path);
  if (create) ForceFolder(path);
  return path;
}
