// A locale with a decimal comma for tests of locale-free output: the
// machine may have none installed, so it is compiled into a scratch folder
// with localedef and used through LOCPATH.
#pragma once

#include <langinfo.h>
#include <locale.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline constexpr const char* CommaLocaleName = "ru_RU.UTF-8";

// Compiles the locale into folder; true when a process started with
// LOCPATH=folder and LC_ALL=CommaLocaleName gets a decimal comma.
inline bool MakeCommaLocale(const std::string& folder) {
  std::filesystem::create_directories(folder);
  const std::string command =
      "localedef -i ru_RU -f UTF-8 '" + folder + "/" + CommaLocaleName + "' >/dev/null 2>&1";
  (void)std::system(command.c_str());
  // Asked in this process, with LOCPATH pointing there for the question.
  const char* old = getenv("LOCPATH");
  const std::string saved = old ? old : "";
  setenv("LOCPATH", folder.c_str(), 1);
  locale_t comma = newlocale(LC_NUMERIC_MASK, CommaLocaleName, locale_t(0));
  if (old) setenv("LOCPATH", saved.c_str(), 1);
  else unsetenv("LOCPATH");
  if (comma == locale_t(0)) return false;
  const bool ok = std::string(nl_langinfo_l(RADIXCHAR, comma)) == ",";
  freelocale(comma);
  return ok;
}
