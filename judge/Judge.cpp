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
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "engine/Level.h"
#include "engine/MapText.h"
#include "judge/ResultDocument.h"
#include "framework/WholeFile.h"
#include "art/LevelResources.h"
#include "judge/JudgeCanvas.h"
#include "judge/JudgeCommandLine.h"
#include "judge/JudgePicture.h"
#include "judge/JudgeReport.h"
#include "judge/JudgeSolution.h"

namespace fs = std::filesystem;

namespace {

struct TJudged {
  std::string path;  // as given
  TJudgedSolution solution;
  fs::path picture;  // written for it; empty when none
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

// DIR/NAME.png, NAME the file's name without its extension, with -2, -3,
// ... for a name met before in this run.
class TPictureNames {
 public:
  explicit TPictureNames(fs::path dir) : dir_(std::move(dir)) {}
  fs::path For(const std::string& file) {
    const std::string stem = fs::path(file).stem().string();
    const int n = ++seen_[stem];
    return dir_ / (stem + (n == 1 ? "" : "-" + std::to_string(n)) + ".png");
  }

 private:
  fs::path dir_;
  std::map<std::string, int> seen_;
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
      err_ << "glowmere-judge: cannot create the picture folder " << options_.pictureDir << "\n";
      return false;
    }
    canvas_ = std::make_unique<TJudgeCanvas>(options_.level, *level_);
    return true;
  }

  // Judges one file into judged_; an unreadable file is reported instead.
  void Judge(const std::string& file) {
    std::string bytes;
    if (!ReadWhole(caller_ / file, bytes)) {
      err_ << "glowmere-judge: cannot read " << file << "\n";
      status_ = 1;
      unreadable_.push_back(file);
      return;
    }
    TJudged j;
    j.path = file;
    j.solution = JudgeSolution(*level_, bytes, options_.strict);
    // Each line in one piece: standard error is unbuffered.
    for (const TJudgeRemark& remark : j.solution.remarks) {
      const std::string line = remark.overLit ? "glowmere-judge: " + remark.text + ": " + file + "\n"
                                              : "glowmere-judge: " + file + ": " + remark.text + "\n";
      err_ << line;
    }
    if (canvas_) {
      // A file without a solution shows the field empty.
      const fs::path picture = pictures_.For(file);
      if (WriteJudgePicture(*canvas_, j.solution.points, picture.string())) {
        j.picture = picture;
      } else {
        err_ << "glowmere-judge: cannot write the picture " << picture.string() << "\n";
        status_ = 1;
      }
    }
    judged_.push_back(std::move(j));
  }

  void Report(std::ostream& out) {
    if (options_.rank) Rank(judged_);
    for (const TJudged& j : judged_)
      out << j.solution.VerdictText() << '\t' << j.solution.ShareText() << '\t' << j.path << '\n';
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
      err_ << "glowmere-judge: cannot write the report " << options_.reportPath << "\n";
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
