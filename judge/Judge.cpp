// The judge in three steps: read the command line (judge/JudgeCommandLine),
// judge each file on the level (judge/JudgeSolution), report the lines,
// and the results page when asked. Each file is read once, read-only, and
// nothing on disk changes but the pictures and the page asked for; the
// pictures are drawn on a canvas of the judge's own (judge/JudgeCanvas),
// without a window.
#include "judge/Judge.h"

#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include "engine/Level.h"
#include "engine/MapText.h"
#include "engine/RegularFile.h"
#include "framework/WholeFile.h"
#include "art/LevelResources.h"
#include "judge/JudgeCanvas.h"
#include "judge/JudgeCommandLine.h"
#include "judge/JudgePicture.h"
#include "judge/JudgeReport.h"
#include "judge/JudgeSolution.h"
#include "judge/OneLine.h"
#include "judge/ResultDocument.h"

namespace fs = std::filesystem;

namespace {

struct TJudged {
  std::string path;  // as given
  TJudgedSolution solution;
  fs::path picture;  // written for it; empty when none
};

// DIR/NAME.png, NAME the file's name without its extension; a name that
// this run has drawn already (x.tuv-Glowmere and sub/x.tuv-Glowmere, or
// x-2.tuv-Glowmere before them) takes the first free of NAME-2, NAME-3,
// ..., so that no picture replaces another's.
class TPictureNames {
 public:
  explicit TPictureNames(fs::path dir) : dir_(std::move(dir)) {}
  fs::path For(const std::string& file) {
    const std::string stem = fs::path(file).stem().string();
    std::string name = stem;
    for (int n = 2; !used_.insert(name).second; ++n) name = stem + "-" + std::to_string(n);
    return dir_ / (name + ".png");
  }

 private:
  fs::path dir_;
  std::set<std::string> used_;
};

std::unique_ptr<TLevel> LevelOf(const TLevelChoice& choice) { return std::make_unique<TLevel>(WallsOfMapText(LevelMapText(choice))); }

class TJudgeRun {
 public:
  TJudgeRun(const TJudgeOptions& options, std::ostream& err) : options_(options), err_(err), pictures_({}) {
    std::error_code ec;
    caller_ = fs::current_path(ec);
  }

  // The level, and for pictures their folder and the canvas; false
  // (reported) when the picture folder cannot be made.
  bool Open() {
    level_ = LevelOf(options_.level);
    if (options_.pictureDir.empty()) return true;
    pictures_ = TPictureNames(caller_ / options_.pictureDir);
    std::error_code ec;
    fs::create_directories(caller_ / options_.pictureDir, ec);
    if (ec) {
      err_ << "glowmere-judge: cannot create the picture folder " << OneLine(options_.pictureDir) << "\n";
      return false;
    }
    canvas_ = std::make_unique<TJudgeCanvas>(options_.level, *level_);
    return true;
  }

  // Judges one file into judged_; an unreadable file is reported instead.
  void Judge(const std::string& file) {
    // No pipe or device is waited on, no file read past the cap, and a
    // read that fails is an error, never an empty file's verdict.
    const TFileBytes read = ReadRegularFile((caller_ / file).string(), MaxSolutionFileBytes);
    if (!read.Read()) {
      err_ << "glowmere-judge: cannot read " + OneLine(file) + ": " + read.why + "\n";
      status_ = 1;
      unreadable_.push_back(file);
      return;
    }
    TJudged j;
    j.path = file;
    j.solution = JudgeSolution(*level_, read.bytes, options_.strict);
    // Each line in one piece: standard error is unbuffered.
    const std::string name = OneLine(file);
    for (const TJudgeRemark& remark : j.solution.remarks) {
      const std::string line = remark.overLit ? "glowmere-judge: " + remark.text + ": " + name + "\n"
                                              : "glowmere-judge: " + name + ": " + remark.text + "\n";
      err_ << line;
    }
    if (canvas_) {
      // A file without a solution shows the field empty.
      const fs::path picture = pictures_.For(file);
      if (WriteJudgePicture(*canvas_, j.solution.points, picture.string())) {
        j.picture = picture;
      } else {
        err_ << "glowmere-judge: cannot write the picture " << OneLine(picture.string()) << "\n";
        status_ = 1;
      }
    }
    judged_.push_back(std::move(j));
  }

  void Report(std::ostream& out) {
    if (options_.rank) Rank(judged_);
    for (const TJudged& j : judged_)
      out << j.solution.VerdictText() << '\t' << j.solution.ShareText() << '\t' << OneLine(j.path) << '\n';
    if (!options_.reportPath.empty()) WritePage();
  }

  int Close() {
    canvas_.reset();
    return status_;
  }

 private:
  // Best first, ties in the order given.
  static void Rank(std::vector<TJudged>& judged) {
    std::stable_sort(judged.begin(), judged.end(), [](const TJudged& a, const TJudged& b) {
      return CompareStandings(StandingOf(a.solution.lights), StandingOf(b.solution.lights)) > 0;
    });
  }

  void WritePage() {
    std::vector<TJudged> ranked = judged_;
    Rank(ranked);
    std::vector<TReportEntry> entries;
    for (const TJudged& j : ranked) {
      TReportEntry e;
      e.file = j.path;
      e.lights = j.solution.lights;
      e.share = j.solution.ShareText();
      for (const TJudgeRemark& r : j.solution.remarks) e.remarks.push_back(r.text);
      e.picture = j.picture;
      entries.push_back(std::move(e));
    }
    for (const std::string& file : unreadable_) {
      TReportEntry e;
      e.file = file;
      e.readable = false;
      entries.push_back(std::move(e));
    }
    TReportHead head;
    head.levelName = options_.level.Shipped() ? "Glowmere-2" : fs::path(options_.level.mapPath).filename().string();
    head.width = level_->Width();
    head.height = level_->Height();
    head.date = ReportDate();
    const fs::path page = caller_ / options_.reportPath;
    std::error_code ec;
    fs::create_directories(page.parent_path(), ec);  // as --picture makes its folder
    if (!WriteFileAtomically(page.string(), ResultsPage(head, entries, page.parent_path()))) {
      err_ << "glowmere-judge: cannot write the report " << OneLine(options_.reportPath) << "\n";
      status_ = 1;
    }
  }

  const TJudgeOptions& options_;
  std::ostream& err_;
  fs::path caller_;  // the current directory at the start, which relative names are for
  TPictureNames pictures_;
  std::unique_ptr<TLevel> level_;
  std::unique_ptr<TJudgeCanvas> canvas_;
  std::vector<TJudged> judged_;
  std::vector<std::string> unreadable_;
  int status_ = 0;
};

}  // namespace

int RunJudge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  QCoreApplication::setApplicationName("glowmere-judge");
  int status = 0;
  const std::optional<TJudgeOptions> options = ReadJudgeOptions(args, out, err, status);
  if (!options) return status;
  TJudgeRun run(*options, err);
  try {
    if (!run.Open()) return 1;
  } catch (const std::exception& e) {
    err << "glowmere-judge: " << e.what() << "\n";
    return 1;
  }
  for (const std::string& file : options->files) run.Judge(file);
  run.Report(out);
  return run.Close();
}
