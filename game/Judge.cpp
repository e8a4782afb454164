// Each judged file is copied into the judge's folder first: a tree rewrites
// its file when it goes, and the original must stay as it was.
#include "game/Judge.h"

#include <QApplication>
#include <QCommandLineParser>
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "framework/IniNameValueTree.h"
#include "framework/TaskStart.h"
#include "game/Glowmere.h"
#include "game/JudgeFolder.h"
#include "game/Scoring.h"

namespace fs = std::filesystem;

namespace {

const char* const Usage = "usage: glowmere-judge [--rank] FILE...\n";

const char* const Description =
    "Checks Glowmere solution files by the game's own rules and prints one line\n"
    "per file: VERDICT <tab> SHARE <tab> PATH.\n"
    "  VERDICT  the number of lights of a solution that lights the whole floor;\n"
    "           21 for a share beyond the tolerance (also named on standard\n"
    "           error as over-lit); \"-\" for a solution that leaves floor dark\n"
    "  SHARE    the lit share of the floor in percent, ten decimals, with a\n"
    "           decimal point whatever the locale; \"-\" when the file holds no\n"
    "           solution\n"
    "The judged files, the player's record, autosave and settings are never\n"
    "changed.\n"
    "Exit status: 0 every file judged; 1 a file could not be read (it is named\n"
    "on standard error and gets no line); 2 a wrong command line.";

struct TJudged {
  std::string verdict;  // "lights" of the result, "-" when empty
  std::string share;    // percent with ten decimals, "-" without a solution
  std::string path;
  std::unique_ptr<TIniNameValueTree> result;
};

bool ReadWhole(const fs::path& path, std::string& bytes) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) return false;
  bytes = s.str();
  return true;
}

bool WriteWhole(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

// The platform is offscreen and the application exists only while judging;
// a caller that has an application of its own keeps it.
std::unique_ptr<QApplication> EnsureApplication() {
  if (QCoreApplication::instance()) return nullptr;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "glowmere-judge";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

std::string ShareText(long double percent) {
  char text[128];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, percent, std::chars_format::fixed, 10);
  if (ec != std::errc()) return "-";
  return std::string(text, end);
}

int RunJudge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<TJudgeFolder> folder;
  try {
    folder.emplace();
  } catch (const std::exception& e) {
    err << "glowmere-judge: " << e.what() << "\n";
    return 1;
  }
  QCoreApplication::setApplicationName("glowmere-judge");
  const std::unique_ptr<QApplication> app = EnsureApplication();

  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromLatin1(Description));
  const QCommandLineOption rankOption(QStringLiteral("rank"), QStringLiteral("Print the lines best first (fewer lights is better); ties keep the order given."));
  parser.addOption(rankOption);
  const QCommandLineOption helpOption = parser.addHelpOption();
  const QCommandLineOption versionOption = parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Solution files to judge."), QStringLiteral("FILE..."));
  QStringList line{QStringLiteral("glowmere-judge")};
  for (const std::string& a : args) line << QString::fromLocal8Bit(a.data(), qsizetype(a.size()));
  if (!parser.parse(line)) {
    err << "glowmere-judge: " << parser.errorText().toLocal8Bit().constData() << "\n" << Usage;
    return 2;
  }
  if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
    out << parser.helpText().toLocal8Bit().constData();
    return 0;
  }
  if (parser.isSet(versionOption)) {
    out << "glowmere-judge " << QCoreApplication::applicationVersion().toLocal8Bit().constData() << "\n";
    return 0;
  }
  const bool rank = parser.isSet(rankOption);
  std::vector<std::string> files;
  for (const QString& f : parser.positionalArguments()) files.emplace_back(f.toLocal8Bit().constData());
  if (files.empty()) {
    err << Usage;
    return 2;
  }

  int status = 0;
  std::vector<TJudged> judged;
  auto window = std::make_unique<TfrmGlowmere>();
  HideSplash(window.get());
  int n = 0;
  for (const std::string& file : files) {
    // Relative names are the caller's, not the judge folder's.
    std::string bytes;
    if (!ReadWhole(folder->Caller() / file, bytes)) {
      err << "glowmere-judge: cannot read " << file << "\n";
      status = 1;
      continue;
    }
    const fs::path copy = folder->Work() / ("solution-" + std::to_string(n) + ".tuv-Glowmere");
    TJudged j;
    j.path = file;
    j.result = std::make_unique<TIniNameValueTree>((folder->Work() / ("result-" + std::to_string(n))).string());
    ++n;
    if (!WriteWhole(copy, bytes)) {
      err << "glowmere-judge: cannot copy " << file << "\n";
      status = 1;
      continue;
    }
    bool holds = false;
    {
      TIniNameValueTree solution(copy.string());
      holds = window->HoldsSolution(solution);
      std::string message;
      window->CheckSolution(solution, *j.result, message);
    }
    const std::string verdict = j.result->ReadString("lights", "", 0);
    j.verdict = verdict.empty() ? "-" : verdict;
    j.share = holds ? ShareText(window->litPercent) : "-";
    // A share beyond the tolerance means a region was wrong; the line and
    // the rank stay as the window's rules give them.
    if (j.verdict == std::to_string(OverLitVerdict) && OverLitShare(window->litPercent)) {
      err << "glowmere-judge: over-lit (share " << j.share << "%, judged " << OverLitVerdict << "): " << file << "\n";
    }
    judged.push_back(std::move(j));
  }
  if (rank) {
    std::stable_sort(judged.begin(), judged.end(), [&](const TJudged& a, const TJudged& b) {
      return window->CompareResults(*a.result, *b.result) > 0;
    });
  }
  for (const TJudged& j : judged) out << j.verdict << '\t' << j.share << '\t' << j.path << '\n';
  judged.clear();
  FinalizeTask();
  window.reset();
  return status;
}
