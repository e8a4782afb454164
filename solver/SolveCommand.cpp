// The command line of glowmere-solve around SolveFewestLights. Numbers are
// printed through std::to_chars, so the output reads the same in every
// locale (the Qt application sets the C locale from the environment).
#include "solver/SolveCommand.h"

#include <QCoreApplication>

#include <QCommandLineParser>
#include <charconv>
#include <memory>
#include <string>

#include "engine/EngineError.h"
#include "engine/MapText.h"
#include "engine/Scoring.h"
#include "solver/CoverField.h"
#include "solver/CoverProgram.h"
#include "solver/FewestLights.h"
#include "solver/SolutionFile.h"

namespace {

constexpr double DefaultTimeLimit = 600;
constexpr int32_t MaxThreads = 64;

std::string Fixed(double value, int digits) {
  char text[64];
  const auto done = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, digits);
  return std::string(text, done.ptr);
}

void PrintProgress(std::ostream& err, const TSolveProgress& p) {
  err << "iteration " << p.iteration << ": " << p.witnesses << " witnesses, lower bound " << p.lowerBound
      << ", best " << p.best << ", dark " << Fixed(double(p.darkArea), 10) << ", " << Fixed(p.elapsed, 1) << " s"
      << std::endl;
}

}  // namespace

int RunSolve(const QStringList& arguments, std::ostream& out, std::ostream& err) {
  const auto began = std::chrono::steady_clock::now();
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Finds the fewest lights that light the whole floor of a level, and proves that no fewer can.\n"
      "Progress goes to standard error, one line per iteration: witnesses, lower bound, best full cover\n"
      "so far, dark area of the iteration's choice (square cells), elapsed seconds. Standard output gets\n"
      "\"optimum N\" when the optimum is proved, else \"best N, lower bound M\".\n"
      "Exit status: 0 done, 1 the solution file could not be written, 2 bad arguments or a refused map.");
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption mapOption("map", "Level map FILE, as data/map.txt ('#' wall, '.' floor); default: the shipped level.", "FILE");
  const QCommandLineOption outOption("out", "Write the best cover to FILE as a solution file of the game.", "FILE");
  const QCommandLineOption timeOption("time-limit", "Stop after SECONDS (default 600).", "SECONDS");
  const QCommandLineOption threadsOption("threads", "Use N threads (default 1).", "N");
  parser.addOptions({mapOption, outOption, timeOption, threadsOption});
  auto refuse = [&](const std::string& why) {
    err << "glowmere-solve: " << why << "\n";
    return 2;
  };
  if (!parser.parse(arguments)) return refuse(parser.errorText().toStdString());
  if (parser.isSet("help")) {
    out << parser.helpText().toStdString();
    return 0;
  }
  if (parser.isSet("version")) {
    out << "glowmere-solve " << QCoreApplication::applicationVersion().toStdString() << "\n";
    return 0;
  }
  if (!parser.positionalArguments().isEmpty())
    return refuse("unexpected argument " + parser.positionalArguments().first().toStdString());

  double timeLimit = DefaultTimeLimit;
  if (parser.isSet(timeOption)) {
    bool ok = false;
    timeLimit = parser.value(timeOption).toDouble(&ok);
    if (!ok || !(timeLimit >= 0) || timeLimit > 1e9) return refuse("--time-limit needs a number of seconds, 0 or more");
  }
  int32_t threads = 1;
  if (parser.isSet(threadsOption)) {
    bool ok = false;
    threads = parser.value(threadsOption).toInt(&ok);
    if (!ok || threads < 1 || threads > MaxThreads)
      return refuse("--threads needs a whole number from 1 to " + std::to_string(MaxThreads));
  }
  std::unique_ptr<TCoverProgram> program = MakeCbcCoverProgram();

  auto map = std::make_unique<TBitmap32>();
  try {
    if (parser.isSet(mapOption)) {
      LoadMapFile(parser.value(mapOption).toStdString(), *map);
    } else {
      LoadMapText(ShippedMapText(), *map);
    }
  } catch (const EEngineError& e) {
    return refuse(e.what());
  }

  try {
    TCoverField field(*map, threads);
    TSolveOptions options;
    options.timeLimit = timeLimit;
    options.threads = threads;
    options.began = began;
    const TSolveResult result =
        SolveFewestLights(field, *program, options, [&](const TSolveProgress& p) { PrintProgress(err, p); });
    const int32_t n = int32_t(result.best.size());
    if (result.proved) {
      out << "optimum " << n << std::endl;
    } else {
      if (result.stalled) err << "glowmere-solve: a choice left only darkness too thin for a witness; stopped\n";
      out << "best " << n << ", lower bound " << result.lowerBound << std::endl;
    }
    int status = 0;
    const long double share = field.LitPercent(result.best);
    if (OverLitShare(share)) {
      err << "glowmere-solve: the game measures this cover at " << Fixed(double(share), 10)
          << " %, outside its full-light range\n";
      status = 1;
    }
    if (parser.isSet(outOption)) {
      std::vector<TGridPoint> lights;
      for (int32_t c : result.best) lights.push_back({field.Candidates()[size_t(c)].gridX, field.Candidates()[size_t(c)].gridY});
      const std::string path = parser.value(outOption).toStdString();
      if (!WriteSolutionFile(path, lights)) {
        err << "glowmere-solve: cannot write " << path << "\n";
        status = 1;
      }
    }
    return status;
  } catch (const std::exception& e) {
    err << "glowmere-solve: " << e.what() << "\n";
    return 1;
  }
}
