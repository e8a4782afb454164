// Test fixture: a throw-away home and program folder.
//
// TTempHome points HOME, XDG_DATA_HOME, XDG_CONFIG_HOME and
// XDG_DOCUMENTS_DIR into a fresh temporary folder and makes another fresh
// folder the current directory (the program folder, where the .loc files
// are looked for); everything is restored and removed afterwards. Nothing a
// test does can then reach the real home. A task still running when the
// fixture ends is finalized first, so its files land in the temporary home.
//
// TestApplication() gives the one QApplication of the test process
// (offscreen unless QT_QPA_PLATFORM says otherwise); create it before any
// widget.
//
//   class MyTest : public TempHomeTest {};
//   TEST_F(MyTest, Something) { StartTask(2009, "Glowmere", 2); ... home.UserFolder() ... }
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "framework/Modal.h"
#include "framework/TaskStart.h"

// Readable failure messages for Qt strings (and lists of them).
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline QApplication*& TestApplicationPointer() {
  static QApplication* application = nullptr;
  return application;
}

// Deletes the application when the test program ends, inside the test run
// (not in static destruction, where Qt's own globals may be gone already):
// Qt then releases its font database, which a never-deleted application
// leaves to the leak checker.
class TQtTestEnvironment : public ::testing::Environment {
 public:
  void TearDown() override {
    delete TestApplicationPointer();
    TestApplicationPointer() = nullptr;
  }
};

inline QApplication& TestApplication() {
  QApplication*& application = TestApplicationPointer();
  if (!application) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "glowmere-test";
    static char* argv[] = {name, nullptr};
    application = new QApplication(argc, argv);
    ::testing::AddGlobalTestEnvironment(new TQtTestEnvironment);
  }
  return *application;
}

class TTempHome {
 public:
  TTempHome() {
    TestApplication();
    std::string pattern = (std::filesystem::temp_directory_path() / "glowmere-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    home_ = root_ + "/home";
    program_ = root_ + "/program";
    std::filesystem::create_directories(home_);
    std::filesystem::create_directories(program_);
    Save("HOME", home_);
    Save("XDG_DATA_HOME", DataHome());
    Save("XDG_CONFIG_HOME", ConfigHome());
    Save("XDG_DOCUMENTS_DIR", Documents());
    std::error_code error;
    savedCwd_ = std::filesystem::current_path(error).string();
    std::filesystem::current_path(program_);
  }

  ~TTempHome() {
    FinalizeTask();
    SetMessageBoxHandler({});
    SetFileDialogHandler({});
    SetHelpWindowHandler({});
    std::error_code error;
    if (!savedCwd_.empty()) std::filesystem::current_path(savedCwd_, error);
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) setenv(it->first.c_str(), it->second->c_str(), 1);
      else unsetenv(it->first.c_str());
    }
    std::filesystem::remove_all(root_, error);
  }

  TTempHome(const TTempHome&) = delete;
  TTempHome& operator=(const TTempHome&) = delete;

  const std::string& Root() const { return root_; }
  const std::string& Home() const { return home_; }
  std::string DataHome() const { return home_ + "/.local/share"; }
  std::string ConfigHome() const { return home_ + "/.config"; }
  std::string Documents() const { return home_ + "/Documents"; }
  const std::string& ProgramFolder() const { return program_; }
  // Where the framework keeps the per-user files of the 2009 level-2 task.
  std::string UserFolder() const { return DataHome() + "/TUV-2009-2/"; }

  // Sets (or, with nullopt, removes) a variable until the fixture ends.
  void SetEnv(const std::string& name, const std::optional<std::string>& value) {
    Save(name, value ? *value : std::string());
    if (!value) unsetenv(name.c_str());
  }

  // A fresh folder under the temporary root.
  std::string MakeFolder(const std::string& name) const {
    const std::string path = root_ + "/" + name;
    std::filesystem::create_directories(path);
    return path;
  }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

 private:
  // Remembers the variable's first value and sets the new one.
  void Save(const std::string& name, const std::string& value) {
    bool known = false;
    for (const auto& entry : saved_) known = known || entry.first == name;
    if (!known) {
      const char* old = getenv(name.c_str());
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    }
    setenv(name.c_str(), value.c_str(), 1);
  }

  std::string root_;
  std::string home_;
  std::string program_;
  std::string savedCwd_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

class TempHomeTest : public ::testing::Test {
 protected:
  TTempHome home;
};
