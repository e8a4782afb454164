// Fuzz target: solution documents of any content handed to the game window.
// The bytes become an INI file; the window (built once per process,
// offscreen, in a throw-away home) loads the tree as a solution and updates
// its state with an autosave, as the load command does. The figures it
// shows afterwards must be sane: lit share finite within 0..100 % (plus
// rounding), one light per loaded point, every light on a grid point.
#include <stdlib.h>

#include <QApplication>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "FuzzSupport.h"
#include "framework/IniNameValueTree.h"
#include "framework/Modal.h"
#include "game/Glowmere.h"

namespace {

// Documents may legally name up to one light per grid point (2440 on the
// shipped map); each light costs a region computation under the sanitizers,
// so larger counts are only checked for acceptance, not loaded.
constexpr int32_t MaxLoadedLights = 100;

TfrmGlowmere& Window() {
  static TfrmGlowmere* window = [] {
    // The home must point into the scratch folder before the framework
    // starts: it creates its user files on the first call. The current
    // folder stays (libFuzzer names inputs relative to it); the task is never
    // finalized, so nothing is written there.
    const std::string root = FuzzScratchFolder();
    const std::string home = root + "/home";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(root + "/runtime");
    std::filesystem::permissions(root + "/runtime", std::filesystem::perms::owner_all);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (home + "/Documents").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").c_str(), 1);
    // Nothing may wait for a person.
    SetMessageBoxHandler([](const TMessageBoxRequest&) { return int(QMessageBox::Ok); });
    SetFileDialogHandler([](const TFileDialogRequest&) { return std::optional<std::string>(); });
    SetHelpWindowHandler([](TfmHelp&) {});
    static int argc = 1;
    static char name[] = "fuzz_load_solution";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the process
    return new TfrmGlowmere;
  }();
  return *window;
}

}  // namespace

// Fontconfig keeps caches that Qt never frees; they are no finding.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TfrmGlowmere& window = Window();
  const std::string file = FuzzScratchFolder() + "/solution.ini";
  WriteFuzzFile(file, data, size);
  TIniNameValueTree tree(file);

  const bool holds = window.HoldsSolution(tree);
  const int32_t count = tree.ReadInteger("vertices", -1, 0);
  if (holds && count > MaxLoadedLights) return 0;

  // Each input starts on an empty field, whatever the one before left.
  {
    TIniNameValueTree empty("");
    empty.WriteInteger("vertices", 0, 0);
    window.LoadSolution(empty);
  }
  const int32_t before = window.lights.Count();
  // Each input starts without a record, so that a full covering is a new
  // record every time and takes that path too.
  window.recordPoints = -1;
  window.LoadSolution(tree);
  window.UpdateState(true);

  if (!holds) {
    FUZZ_CHECK(window.lights.Count() == before, "a document without a solution changed the lights");
  } else {
    FUZZ_CHECK(window.lights.Count() == std::max(count, 0), "lights differ from the document's count");
    for (int32_t i = 0; i < window.lights.Count(); ++i) {
      const TLight& light = *window.lights[i];
      FUZZ_CHECK(light.GridX == tree.ReadInteger("x", 0, i) && light.GridY == tree.ReadInteger("y", 0, i),
                 "a light is not where the document puts it");
    }
  }
  FUZZ_CHECK(std::isfinite(static_cast<double>(window.litPercent)), "lit share not finite");
  FUZZ_CHECK(window.litPercent >= 0 && window.litPercent <= 100.0000001L, "lit share out of 0..100 %");
  FUZZ_CHECK(window.pointsCount == window.lights.Count(), "panel count differs from the lights");
  return 0;
}
