// The command line of glowmere-solve around SolveFewestLights, in three
// steps: reading the command line (and the map), solving, reporting.
// Numbers are printed through std::to_chars, so the output reads the same
// in every locale (the Qt application sets the C locale from the
// environment).
#include "solver/SolveCommand.h"

#include <QCoreApplication>
#include <sys/resource.h>

#include <QCommandLineParser>
#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "engine/EngineError.h"
#include "engine/MapText.h"
#include "engine/Scoring.h"
#include "framework/ByteArguments.h"
#include "framework/WholeFile.h"
#include "solver/CoverField.h"
#include "solver/CoverProgram.h"
#include "solver/FewestLights.h"
#include "solver/SolutionFile.h"
#include "solver/StopSignals.h"

namespace {

constexpr double DefaultTimeLimit = 600;
constexpr int32_t MaxThreads = 64;

// The machine's cores (1 where the library cannot tell), at most MaxThreads.
int32_t DefaultThreads() {
  return std::clamp(int32_t(std::thread::hardware_concurrency()), 1, MaxThreads);
}

// What the command line asks for.
struct TSolveRequest {
  TWallGrid walls;
  std::string outPath;  // empty: no solution file
  double timeLimit = DefaultTimeLimit;
  int32_t threads = DefaultThreads();
  bool verbose = false;
  bool machine = false;  // --machine: progress lines on standard output
  std::vector<TGridPoint> startLights;
  std::vector<gpc_vertex> startWitnesses;
  std::string witnessesOut;  // empty: no witness file
};

// The map of --map - : standard input, as strictly as a file.
TWallGrid WallsOfStandardInput() {
  std::string text(MaxMapTextBytes + 1, '\0');
  std::cin.read(text.data(), std::streamsize(text.size()));
  if (std::cin.bad()) throw EEngineError("cannot read the map from standard input");
  text.resize(size_t(std::cin.gcount()));
  const std::string side = std::to_string(MaxMapSide);
  if (text.size() > MaxMapTextBytes) throw EEngineError("standard input: more than " + side + " x " + side + " cells");
  if (const std::string problem = MapTextProblem(text); !problem.empty())
    throw EEngineError("standard input: " + problem);
  return WallsOfMapText(text);
}

std::string Fixed(double value, int digits) {
  char text[64];
  const auto done = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, digits);
  return std::string(text, done.ptr);
}

void PrintProgress(std::ostream& err, const TSolveProgress& p) {
  err << "iteration " << p.iteration << ": " << p.witnesses << " witnesses, lower bound " << p.lowerBound
      << ", best " << p.best << ", LP " << (p.fractional ? Fixed(*p.fractional, 4) : std::string("-")) << ", alive "
      << (p.alive ? std::to_string(*p.alive) : std::string("-")) << ", dark "
      << (p.darkArea ? Fixed(double(*p.darkArea), 10) : std::string("-")) << ", " << Fixed(p.elapsed, 1)
      << " s (regions " << Fixed(p.times.regions, 1) << " s, rows " << Fixed(p.times.rows, 1) << " s, dark "
      << Fixed(p.times.dark, 1) << " s, search " << Fixed(p.times.search, 1) << " s, LP relaxations "
      << Fixed(p.times.relaxations, 1) << " s, fractional " << Fixed(p.times.fractional, 1)
      << " s, integer programs " << Fixed(p.times.programs, 1) << " s)" << std::endl;
}

// The shortest decimals that read back to the same double.
std::string Shortest(double value) {
  char text[64];
  const auto done = std::to_chars(text, text + sizeof text, value);
  return std::string(text, done.ptr);
}

// --machine: one line per round for a program that runs the solver as a
// child (the level editor), fixed keys in a fixed order.
void PrintMachineProgress(std::ostream& out, const TSolveProgress& p) {
  std::string line = "progress bound=" + std::to_string(p.lowerBound) + " best=" + std::to_string(p.best) +
                     " proved=" + (p.proved ? "1" : "0") + " elapsed=" + Fixed(p.elapsed, 3) + " lights=";
  for (size_t k = 0; k < p.bestLights.size(); ++k)
    line += (k ? ";" : "") + std::to_string(p.bestLights[k].x) + "," + std::to_string(p.bestLights[k].y);
  line += " independent=";
  for (size_t k = 0; k < p.independent.size(); ++k)
    line += (k ? ";" : "") + Shortest(p.independent[k].x) + "," + Shortest(p.independent[k].y);
  out << line << std::endl;
}

constexpr int NotDone = -1;

// Fills request from the command line; returns NotDone to go on, else the
// exit status (after --help, --version or a refusal).
int ReadCommandLine(const QStringList& arguments, std::ostream& out, std::ostream& err, TSolveRequest& request) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Finds the fewest lights that light the whole floor of a level, and proves that no fewer can.\n"
      "Progress goes to standard error, one line per round: witnesses, lower bound, best full cover so\n"
      "far, the value of the LP relaxation over every known witness (\"-\" until one ran to its end),\n"
      "how many candidates can still be in a cover of one light fewer than the best (\"-\" before the\n"
      "first LP), dark area of the round's choice (square cells, \"-\" when the round chose none),\n"
      "elapsed seconds, and the seconds spent on lit regions, witness rows, dark remainders, the local\n"
      "search, the LP relaxations, the witnesses from its fractional solution and the integer\n"
      "programs. Standard output gets \"optimum N\" when the optimum is proved, else \"best N, lower\n"
      "bound M\". The run ends within its time limit and a few per cent; when the time\n"
      "runs out before the search has any cover, the cover is one light for each of a set of free\n"
      "rectangles that tile the floor.\n"
      "Exit status: 0 done; 1 the solution file could not be written, or the game would not count the\n"
      "cover as full; 2 bad arguments or a refused map (nothing is written); 3 the integer-programming\n"
      "library failed (the best cover and lower bound found until then are still reported and written).\n"
      "SIGTERM or SIGINT stops the run within a tenth of a second: it then reports and writes its best\n"
      "cover and lower bound so far, as at the time limit, and exits with status 0.\n"
      "With --machine, standard output also gets one line per round, for a program that runs the solver\n"
      "as a child: \"progress bound=L best=B proved=0|1 elapsed=S lights=X,Y;... independent=X,Y;...\",\n"
      "the best cover's grid points and witness points of which no grid point sees two.");
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption mapOption(
      "map", "Level map FILE, as data/map.txt ('#' wall, '.' floor), - for standard input; default: the shipped level.",
      "FILE");
  const QCommandLineOption outOption("out", "Write the best cover to FILE as a solution file of the game.", "FILE");
  const QCommandLineOption timeOption("time-limit", "Stop after SECONDS (default 600).", "SECONDS");
  // The help names no count: the manual page is made from it, and must
  // read the same whichever machine built it.
  const QCommandLineOption threadsOption("threads", "Use N threads (default: the machine's cores).", "N");
  const QCommandLineOption verboseOption(
      "verbose", "At the end, on standard error: the local search's moves per second and its time in tries that "
                 "found no better cover, and the processor time over the wall-clock time.");
  const QCommandLineOption machineOption("machine", "Also write one progress line per round to standard output.");
  const QCommandLineOption startOption("start", "Start the search from the lights of the solution FILE.", "FILE");
  const QCommandLineOption witnessesOption("witnesses", "Start with the witness points of FILE, one \"x y\" a line.",
                                           "FILE");
  const QCommandLineOption witnessesOutOption("witnesses-out", "Write every witness point known at the end to FILE.",
                                              "FILE");
  parser.addOptions({mapOption, outOption, timeOption, threadsOption, verboseOption, machineOption, startOption,
                     witnessesOption, witnessesOutOption});
  // A string_view keeps each message whole in the binary, where lintian's
  // spelling check reads it; a std::string made in place may be stored in
  // pieces.
  auto refuse = [&](std::string_view why) {
    err << "glowmere-solve: " << why << "\n";
    return 2;
  };
  if (!parser.parse(arguments)) return refuse(ArgumentBytes(parser.errorText()));
  if (parser.isSet("help")) {
    out << parser.helpText().toStdString();
    return 0;
  }
  if (parser.isSet("version")) {
    out << "glowmere-solve " << QCoreApplication::applicationVersion().toStdString() << "\n";
    return 0;
  }
  if (!parser.positionalArguments().isEmpty())
    return refuse("unexpected argument " + ArgumentBytes(parser.positionalArguments().first()));

  if (parser.isSet(timeOption)) {
    bool ok = false;
    request.timeLimit = parser.value(timeOption).toDouble(&ok);
    if (!ok || !(request.timeLimit >= 0) || request.timeLimit > 1e9)
      return refuse("--time-limit needs a number of seconds, 0 or more");
  }
  if (parser.isSet(threadsOption)) {
    bool ok = false;
    request.threads = parser.value(threadsOption).toInt(&ok);
    if (!ok || request.threads < 1 || request.threads > MaxThreads)
      return refuse("--threads needs a whole number from 1 to " + std::to_string(MaxThreads));
  }
  if (parser.isSet(outOption)) request.outPath = ArgumentBytes(parser.value(outOption));
  request.verbose = parser.isSet(verboseOption);
  request.machine = parser.isSet(machineOption);
  if (parser.isSet(witnessesOutOption)) request.witnessesOut = ArgumentBytes(parser.value(witnessesOutOption));

  try {
    if (!parser.isSet(mapOption)) {
      request.walls = WallsOfMapText(ShippedMapText());
    } else if (parser.value(mapOption) == "-") {
      request.walls = WallsOfStandardInput();
    } else {
      request.walls = WallsOfMapFile(ArgumentBytes(parser.value(mapOption)));
    }
  } catch (const EEngineError& e) {
    return refuse(e.what());
  }
  // The solution would replace the map it was found for.
  const std::string mapPath = ArgumentBytes(parser.value(mapOption));
  std::error_code same;
  if (parser.isSet(mapOption) && mapPath != "-" && !request.outPath.empty() &&
      std::filesystem::equivalent(mapPath, request.outPath, same))
    return refuse("--out " + request.outPath + " is the map itself; the solution needs a file of its own");
  std::string error;
  if (parser.isSet(startOption)) {
    const int64_t gridPoints = (int64_t(request.walls.width) + 1) * (int64_t(request.walls.height) + 1);
    const auto lights = ReadSolutionFile(ArgumentBytes(parser.value(startOption)), gridPoints, error);
    if (!lights) return refuse("--start: " + error);
    request.startLights = *lights;
  }
  if (parser.isSet(witnessesOption)) {
    const std::string path = ArgumentBytes(parser.value(witnessesOption));
    std::string bytes;
    if (ReadWholeFile(path, bytes, error) != TReadResult::Read) return refuse("--witnesses: cannot read " + path);
    const auto points = ReadWitnessText(bytes, error);
    if (!points) return refuse("--witnesses: " + path + ": " + error);
    request.startWitnesses = *points;
  }
  return NotDone;
}

// Processor seconds of this process and of its child processes that ended.
double ProcessorSeconds() {
  double seconds = 0;
  for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
    rusage usage{};
    getrusage(who, &usage);
    seconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  }
  return seconds;
}

void PrintVerbose(std::ostream& err, const TSolveResult& result, double wall) {
  const double perSecond = result.searchSeconds > 0 ? double(result.searchMoves) / result.searchSeconds : 0;
  const double cpu = ProcessorSeconds();
  err << "search: " << result.searchMoves << " moves in " << Fixed(result.searchSeconds, 1)
      << " s of its threads (" << Fixed(perSecond, 0) << " a second), " << Fixed(result.searchMissed, 1)
      << " s of them in tries that found no better cover\n"
      << "processor time " << Fixed(cpu, 1) << " s over wall-clock time " << Fixed(wall, 1) << " s: "
      << Fixed(wall > 0 ? cpu / wall : 0, 2) << "\n";
}

// The result line, the warnings, the check of the cover as the game
// measures it and the solution file; returns the exit status.
int Report(const TCoverField& field, const TSolveResult& result, const TSolveRequest& request, std::ostream& out,
           std::ostream& err) {
  const int32_t n = int32_t(result.best.size());
  if (result.proved) {
    out << "optimum " << n << std::endl;
  } else {
    if (result.stalled) err << "glowmere-solve: a choice left only darkness too thin for a witness; stopped\n";
    if (result.makeshift)
      err << "glowmere-solve: the time ran out before the search found a cover; one light per free rectangle\n";
    out << "best " << n << ", lower bound " << result.lowerBound << std::endl;
  }
  if (result.stopped) err << "glowmere-solve: stopped on request; the best cover and lower bound so far\n";
  int status = 0;
  if (result.failed) {
    err << "glowmere-solve: " << result.failure << "; stopped with the best cover and lower bound so far\n";
    status = 3;
  }
  if (result.litPercent) {
    const long double share = *result.litPercent;
    if (OverLitShare(share)) {
      err << "glowmere-solve: the game measures this cover at " << Fixed(double(share), 10)
          << " %, outside its full-light range\n";
      status = 1;
    }
  }
  if (!request.outPath.empty()) {
    std::vector<TGridPoint> lights;
    for (int32_t c : result.best)
      lights.push_back({field.Candidates()[size_t(c)].gridX, field.Candidates()[size_t(c)].gridY});
    if (!WriteSolutionFile(request.outPath, lights)) {
      err << "glowmere-solve: cannot write " << request.outPath << "\n";
      status = 1;
    }
  }
  if (!request.witnessesOut.empty() &&
      !WriteFileAtomically(request.witnessesOut, WitnessText(result.witnessPoints), TDurability::Renamed)) {
    err << "glowmere-solve: cannot write " << request.witnessesOut << "\n";
    status = 1;
  }
  return status;
}

}  // namespace

int RunSolve(const QStringList& arguments, std::ostream& out, std::ostream& err) {
  const auto began = std::chrono::steady_clock::now();
  TSolveRequest request;
  if (const int status = ReadCommandLine(arguments, out, err, request); status != NotDone) return status;
  try {
    const TStopSignals stopSignals;
    TCoverField field(std::make_shared<const TLevel>(std::move(request.walls)));
    TSolveOptions options;
    options.timeLimit = request.timeLimit;
    options.threads = request.threads;
    options.began = began;
    options.stop = stopSignals.Token();
    options.startLights = std::move(request.startLights);
    options.startWitnesses = std::move(request.startWitnesses);
    std::unique_ptr<TCoverProgram> program = MakeCbcCoverProgram();
    const TSolveResult result = SolveFewestLights(field, *program, options, [&](const TSolveProgress& p) {
      PrintProgress(err, p);
      if (request.machine) PrintMachineProgress(out, p);
    });
    const int status = Report(field, result, request, out, err);
    if (request.verbose)
      PrintVerbose(err, result, std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
    return status;
  } catch (const std::exception& e) {
    err << "glowmere-solve: " << e.what() << "\n";
    return 1;
  }
}
