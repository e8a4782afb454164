// glowmere-judge's options through QCommandLineParser, as the other
// programs read theirs.
#include "judge/JudgeCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <filesystem>

#include "engine/EngineError.h"
#include "framework/ByteArguments.h"
#include "judge/OneLine.h"

namespace {

const char* const Usage =
    "usage: glowmere-judge [--rank] [--strict] [--picture DIR] [--report FILE.html] [--map FILE] FILE...\n";

const char* const Description =
    "Checks Glowmere solution files by the game's own rules and prints one line\n"
    "per file: VERDICT <tab> SHARE <tab> PATH.\n"
    "  VERDICT  the number of lights of a solution that lights the whole floor;\n"
    "           21 for a share beyond the tolerance (also named on standard\n"
    "           error as over-lit); \"-\" for a solution that leaves floor dark\n"
    "           (and with --strict for one that breaks the statement's rules)\n"
    "  SHARE    the lit share of the floor in percent, ten decimals, with a\n"
    "           decimal point whatever the locale; \"-\" when the file holds no\n"
    "           solution\n"
    "Standard error gives the reasons, one line per remark, each naming the\n"
    "file: why a file holds no solution (empty, no \"vertices\", a count that\n"
    "is no number or more than the field's grid points); the number of\n"
    "lights, the dark area in square cells and the number of dark pieces of a\n"
    "solution that leaves floor dark; each light off the field, on a grid\n"
    "point walled in on all four sides, or on a point that an earlier light\n"
    "holds; each light whose x or y is missing or no whole number (read as\n"
    "0, as the game reads it); a level other than the task's (2; a file\n"
    "without a level is taken as the task's). A full cover that breaks none\n"
    "of these rules gets no remark. Control characters and backslashes in\n"
    "names are written as \\t, \\n, \\r, \\xHH and \\\\.\n"
    "The judged files, the player's record, autosave and settings are never\n"
    "changed.\n"
    "Exit status: 0 every file judged; 1 a file could not be read (no regular\n"
    "file, larger than 64 MiB, or a read error; it is named\n"
    "on standard error and gets no line) or a picture or the page could not be\n"
    "written; 2 a wrong command line, a refused map, or a page name that is\n"
    "no .html or is one of the files (nothing is then read or written).";

// Whether two names the caller gave are one file: the same path, or the
// same file under two names (a link, "./x").
bool SameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::absolute(a, error).lexically_normal() == fs::absolute(b, error).lexically_normal()) return true;
  const bool same = fs::equivalent(a, b, error);
  return !error && same;
}

// Why the page may not be written where --report says; empty when it may.
// A page name that does not end in ".html" is most likely a solution file
// that took the option's place ("--report *.tuv-Glowmere"), and the page
// would replace it.
std::string PageProblem(const std::string& page, const std::vector<std::string>& files) {
  const std::string ending = ".html";
  std::string lower = page;
  for (char& c : lower) c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower.size() <= ending.size() || lower.compare(lower.size() - ending.size(), ending.size(), ending) != 0)
    return "--report needs a page name that ends in .html, not " + OneLine(page);
  for (const std::string& file : files)
    if (SameFile(page, file)) return "--report " + OneLine(page) + " is one of the files to judge";
  return "";
}

}  // namespace

std::optional<TJudgeOptions> ReadJudgeOptions(const std::vector<std::string>& args, std::ostream& out,
                                              std::ostream& err, int& status) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromLatin1(Description));
  const QCommandLineOption rankOption(QStringLiteral("rank"),
                                      QStringLiteral("Print the lines best first (fewer lights is better); ties keep "
                                                     "the order given."));
  const QCommandLineOption strictOption(
      QStringLiteral("strict"),
      QStringLiteral("Judge by the statement's rules too: a solution with a light off the field, on a walled grid "
                     "point or on a point another light holds, with a coordinate that is missing or no whole number, "
                     "or of another level, gets \"-\" (and ranks so)."));
  const QCommandLineOption pictureOption(
      QStringLiteral("picture"),
      QStringLiteral("Write DIR/NAME.png for each file (NAME: its name without the extension; a name drawn already "
                     "takes the first free of NAME-2, NAME-3, ...): the field as the game draws it, the dark floor marked as the hint button "
                     "marks it, and a mark on the field's edge pointing to each light off the field."),
      QStringLiteral("DIR"));
  const QCommandLineOption reportOption(
      QStringLiteral("report"),
      QStringLiteral("Write FILE.html, one HTML page for the organisers: the level, the date, and a table of every file "
                     "best first (place, file, lights, lit share, remarks), with each file's picture where --picture "
                     "draws them. Standard output stays as it is. The name must end in .html and be none of the files judged."),
      QStringLiteral("FILE.html"));
  const QCommandLineOption mapOption(
      QStringLiteral("map"),
      QStringLiteral("Judge against the level map FILE ('#' wall, '.' floor, as glowmere-solve reads it) instead of "
                     "the shipped level."),
      QStringLiteral("FILE"));
  parser.addOptions({rankOption, strictOption, pictureOption, reportOption, mapOption});
  const QCommandLineOption helpOption = parser.addHelpOption();
  const QCommandLineOption versionOption = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Solution files to judge."),
                               QStringLiteral("FILE..."));
  // The arguments as bytes: a file's name reaches the file unchanged.
  const QStringList line = ByteArguments(QStringLiteral("glowmere-judge"), args);
  status = 2;
  if (!parser.parse(line)) {
    err << "glowmere-judge: " << OneLine(ArgumentBytes(parser.errorText())) << "\n" << Usage;
    return std::nullopt;
  }
  if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
    // The judge runs without an application; the usage line names the
    // program from one, so one is made for the help alone.
    std::optional<QCoreApplication> own;
    static int argc = 1;
    static char name[] = "glowmere-judge";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) own.emplace(argc, argv);
    out << parser.helpText().toLocal8Bit().constData();
    status = 0;
    return std::nullopt;
  }
  if (parser.isSet(versionOption)) {
    out << "glowmere-judge " << QCoreApplication::applicationVersion().toLocal8Bit().constData() << "\n";
    status = 0;
    return std::nullopt;
  }
  TJudgeOptions options;
  options.rank = parser.isSet(rankOption);
  options.strict = parser.isSet(strictOption);
  options.pictureDir = ArgumentBytes(parser.value(pictureOption));
  options.reportPath = ArgumentBytes(parser.value(reportOption));
  for (const QString& f : parser.positionalArguments()) options.files.push_back(ArgumentBytes(f));
  if (options.files.empty() || (parser.isSet(pictureOption) && options.pictureDir.empty()) ||
      (parser.isSet(reportOption) && options.reportPath.empty())) {
    err << Usage;
    return std::nullopt;
  }
  if (parser.isSet(reportOption)) {
    // Refused before anything is read or written.
    if (const std::string problem = PageProblem(options.reportPath, options.files); !problem.empty()) {
      err << "glowmere-judge: " << problem << "\n" << Usage;
      return std::nullopt;
    }
  }
  if (parser.isSet(mapOption)) {
    try {
      options.level = DesignerLevel(ArgumentBytes(parser.value(mapOption)));
    } catch (const EEngineError& e) {
      err << "glowmere-judge: " << OneLine(e.what()) << "\n";
      return std::nullopt;
    }
  }
  status = 0;
  return options;
}
