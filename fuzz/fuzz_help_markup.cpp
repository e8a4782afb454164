// Fuzz target: the help texts' markup on arbitrary bytes. The parser's runs
// must keep their contract (text runs never empty, line breaks without
// text, heights within 1..MaxHelpHeightPx, colours of 24 bits, all text of
// the input accounted for); short inputs also go through the help window's
// rendering into its text view (offscreen Qt).
#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "framework/HelpMarkup.h"
#include "framework/HelpWindow.h"

namespace {

// The widget path costs far more than the parser; long inputs only reach
// the parser.
constexpr size_t MaxRenderedSize = 2048;

TfmHelp& Window() {
  static TfmHelp* window = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "fuzz_help_markup";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the process
    return new TfmHelp;
  }();
  return *window;
}

}  // namespace

// Fontconfig keeps caches that Qt never frees; they are no finding.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<THelpRun> runs = ParseHelpMarkup(text);

  size_t textBytes = 0;
  for (const THelpRun& run : runs) {
    if (run.lineBreak) {
      FUZZ_CHECK(run.text.empty(), "a line break carries text");
    } else {
      FUZZ_CHECK(!run.text.empty(), "an empty text run");
    }
    textBytes += run.text.size();
    FUZZ_CHECK(run.attributes.heightPx >= 1 && run.attributes.heightPx <= MaxHelpHeightPx, "height out of range");
    FUZZ_CHECK((run.attributes.color >> 24) == 0, "colour past 24 bits");
    const int32_t points = HelpHeightToPoints(run.attributes.heightPx, 96);
    FUZZ_CHECK(points >= 1, "a height that gives no point size");
  }
  // Runs are cut from the input, never made up.
  FUZZ_CHECK(textBytes <= size, "runs hold more text than the input");

  if (size <= MaxRenderedSize) {
    TfmHelp& window = Window();
    window.RenderHelpText(std::string(text));
  }
  return 0;
}
