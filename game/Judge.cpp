// The judge in three steps: read the command line (game/JudgeCommandLine),
// judge each file in the window, report the lines. Each judged file is
// copied into the judge's folder first: a tree rewrites its file when it
// goes, and the original must stay as it was.
#include "game/Judge.h"

#include <QApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "engine/Scoring.h"
#include "framework/IniNameValueTree.h"
#include "framework/TaskStart.h"
#include "game/Glowmere.h"
#include "game/JudgeCommandLine.h"
#include "game/JudgeFolder.h"
#include "game/JudgePicture.h"
#include "game/JudgeRemarks.h"

namespace fs = std::filesystem;

namespace {

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

class TJudgeRun {
 public:
  TJudgeRun(const TJudgeOptions& options, TJudgeFolder& folder, std::ostream& err)
      : options_(options), folder_(folder), err_(err), pictures_(folder.Caller() / options.pictureDir) {}

  // Creates the window; false (reported) when the picture folder cannot be
  // made.
  bool Open() {
    if (!options_.pictureDir.empty()) {
      std::error_code ec;
      fs::create_directories(folder_.Caller() / options_.pictureDir, ec);
      if (ec) {
        err_ << "glowmere-judge: cannot create the picture folder " << options_.pictureDir << "\n";
        return false;
      }
    }
    folder_.Enter();
    window_ = std::make_unique<TfrmGlowmere>(options_.level);
    HideSplash(window_.get());
    return true;
  }

  // Judges one file into judged_; an unreadable file is reported instead.
  void Judge(const std::string& file) {
    std::string bytes;
    // Relative names are the caller's, not the judge folder's.
    if (!ReadWhole(folder_.Caller() / file, bytes)) {
      err_ << "glowmere-judge: cannot read " << file << "\n";
      status_ = 1;
      return;
    }
    const int n = copies_++;
    const fs::path copy = folder_.Work() / ("solution-" + std::to_string(n) + ".tuv-Glowmere");
    if (!WriteWhole(copy, bytes)) {
      err_ << "glowmere-judge: cannot copy " << file << "\n";
      status_ = 1;
      return;
    }
    TJudged j;
    j.path = file;
    j.result = std::make_unique<TIniNameValueTree>((folder_.Work() / ("result-" + std::to_string(n))).string());
    TIniNameValueTree solution(copy.string());
    const TJudgeRemarks remarks = SolutionRemarks(*window_, solution, bytes);
    const bool holds = window_->HoldsSolution(solution);
    if (!holds) ClearField();
    std::string message;
    window_->CheckSolution(solution, *j.result, message);
    const std::string verdict = j.result->ReadString("lights", "", 0);
    j.verdict = verdict.empty() ? "-" : verdict;
    j.share = holds ? TenDecimals(window_->litPercent) : "-";
    for (const std::string& line : remarks.lines) Remark(file, line);
    if (holds && j.verdict == "-") Remark(file, DarkFloorRemark(*window_));
    // A share beyond the tolerance means a region was wrong; the line and
    // the rank stay as the window's rules give them.
    if (j.verdict == std::to_string(OverLitVerdict) && OverLitShare(window_->litPercent)) {
      err_ << "glowmere-judge: over-lit (share " << j.share << "%, judged " << OverLitVerdict << "): " << file << "\n";
    }
    if (options_.strict && remarks.breaksRules && j.verdict != "-") {
      Remark(file, "judged \"-\" by the statement's rules (--strict)");
      j.verdict = "-";
      j.result->WriteString("lights", "", 0);
    }
    if (!options_.pictureDir.empty()) {
      const fs::path picture = pictures_.For(file);
      if (!WriteJudgePicture(*window_, picture.string())) {
        err_ << "glowmere-judge: cannot write the picture " << picture.string() << "\n";
        status_ = 1;
      }
    }
    judged_.push_back(std::move(j));
  }

  void Report(std::ostream& out) {
    if (options_.rank) {
      std::stable_sort(judged_.begin(), judged_.end(), [&](const TJudged& a, const TJudged& b) {
        return window_->CompareResults(*a.result, *b.result) > 0;
      });
    }
    for (const TJudged& j : judged_) out << j.verdict << '\t' << j.share << '\t' << j.path << '\n';
  }

  // The window goes after the framework has written its files.
  int Close() {
    judged_.clear();
    FinalizeTask();
    window_.reset();
    return status_;
  }

 private:
  void Remark(const std::string& file, const std::string& line) {
    err_ << "glowmere-judge: " << file << ": " << line << "\n";
  }

  // A file without a solution leaves the lights of the one before on the
  // field; its picture shows the field empty.
  void ClearField() {
    TIniNameValueTree none("");
    StoreSolutionPoints(none, {});
    window_->LoadSolution(none);
  }

  const TJudgeOptions& options_;
  TJudgeFolder& folder_;
  std::ostream& err_;
  TPictureNames pictures_;
  std::unique_ptr<TfrmGlowmere> window_;
  std::vector<TJudged> judged_;
  int copies_ = 0;  // names the copies in the work folder
  int status_ = 0;
};

}  // namespace

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
  int status = 0;
  const std::optional<TJudgeOptions> options = ReadJudgeOptions(args, out, err, status);
  if (!options) return status;

  TJudgeRun run(*options, *folder, err);
  if (!run.Open()) return 1;
  for (const std::string& file : options->files) run.Judge(file);
  run.Report(out);
  return run.Close();
}
