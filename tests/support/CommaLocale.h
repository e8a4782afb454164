// A locale with a decimal comma for tests of locale-free output: the
// machine may have none installed, so it is compiled into a scratch folder
// with localedef and used through LOCPATH.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

inline constexpr const char* CommaLocaleName = "ru_RU.UTF-8";

// Compiles the locale into folder; true when a process started with
// LOCPATH=folder and LC_ALL=CommaLocaleName gets a decimal comma. The
// question goes to a child process: glibc keeps what it allocates for
// LOCPATH for good, which the leak checker would hold against the test.
inline bool MakeCommaLocale(const std::string& folder) {
  std::filesystem::create_directories(folder);
  const std::string command =
      "localedef -i ru_RU -f UTF-8 '" + folder + "/" + CommaLocaleName + "' >/dev/null 2>&1";
  (void)std::system(command.c_str());
  const std::string probe =
      "LOCPATH='" + folder + "' LC_ALL=" + CommaLocaleName + " /usr/bin/printf '%.1f' 0.5 2>/dev/null";
  FILE* pipe = popen(probe.c_str(), "r");
  if (pipe == nullptr) return false;
  char text[16] = {};
  const size_t n = fread(text, 1, sizeof text - 1, pipe);
  pclose(pipe);
  return std::string(text, n) == "0,5";
}
