// A locale whose decimal separator is a comma, for tests that check that
// number texts do not follow the locale: in this process (LC_NUMERIC) or
// in a program the test starts.
//
// Machines often carry no such locale. Then ru_RU.UTF-8 is built from the
// locale sources (Debian's `locales`, installed by tools/setup-deps.sh) with
// localedef into a temporary folder, once per test process, and loaded
// through LOCPATH; nothing outside the temporary folder changes.
//
//   TCommaNumericLocale comma;           // LC_NUMERIC switched until scope end
//   ASSERT_TRUE(comma.Active()) << comma.Why();
//
//   popen((CommaLocaleEnvironment() + " program").c_str(), "r");
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

// The folder that holds the built locale, or nothing when it cannot be
// built; made on first use and removed when the test program ends.
struct TBuiltCommaLocale {
  std::string folder;
  bool ok = false;
  TBuiltCommaLocale() {
    std::string pattern = (std::filesystem::temp_directory_path() / "glowmere-locale-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    folder = pattern;
    const std::string command = "localedef -i ru_RU -f UTF-8 '" + folder + "/ru_RU.UTF-8' >/dev/null 2>&1";
    // localedef may warn (and exit 1) and still write a usable locale, so
    // its status says nothing (a cast to void does not quiet the fortified
    // system()'s unused-result warning; an empty if does).
    if (std::system(command.c_str())) {
    }
    ok = std::filesystem::exists(folder + "/ru_RU.UTF-8/LC_NUMERIC");
  }
  ~TBuiltCommaLocale() {
    std::error_code error;
    if (!folder.empty()) std::filesystem::remove_all(folder, error);
  }
};

inline const TBuiltCommaLocale& BuiltCommaLocale() {
  static const TBuiltCommaLocale built;
  return built;
}

// Shell assignments that start a program under the built comma locale;
// empty when it could not be built.
inline std::string CommaLocaleEnvironment() {
  const TBuiltCommaLocale& built = BuiltCommaLocale();
  return built.ok ? "LOCPATH='" + built.folder + "' LC_ALL=ru_RU.UTF-8" : std::string();
}

class TCommaNumericLocale {
 public:
  TCommaNumericLocale() : before_(std::setlocale(LC_NUMERIC, nullptr)) {
    active_ = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") || std::setlocale(LC_NUMERIC, "de_DE.UTF-8") ||
              SetBuiltLocale();
    if (active_) {
      char text[16];
      std::snprintf(text, sizeof text, "%.2f", 3.25);
      active_ = std::string(text) == "3,25";
      if (!active_) why_ = "the locale switched to writes " + std::string(text);
    }
  }
  ~TCommaNumericLocale() { std::setlocale(LC_NUMERIC, before_.c_str()); }
  TCommaNumericLocale(const TCommaNumericLocale&) = delete;
  TCommaNumericLocale& operator=(const TCommaNumericLocale&) = delete;

  bool Active() const { return active_; }
  const std::string& Why() const { return why_; }

 private:
  bool SetBuiltLocale() {
    const TBuiltCommaLocale& built = BuiltCommaLocale();
    if (!built.ok) {
      why_ = "no comma locale installed, and localedef could not build ru_RU.UTF-8 (install `locales`)";
      return false;
    }
    // LOCPATH only for this call: with it set, glibc looks nowhere else.
    const char* old = getenv("LOCPATH");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("LOCPATH", built.folder.c_str(), 1);
    const bool ok = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") != nullptr;
    if (saved) setenv("LOCPATH", saved->c_str(), 1);
    else unsetenv("LOCPATH");
    if (!ok) why_ = "the built ru_RU.UTF-8 does not load";
    return ok;
  }

  std::string before_;
  bool active_ = false;
  std::string why_;
};
