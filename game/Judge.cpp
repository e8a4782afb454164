// The judge works in a fresh temporary folder that stands in for the user's
// data and documents folders and for the program folder, so no file of the
// player is read or written. Each judged file is copied there first: a tree
// rewrites its file when it goes, and the original must stay as it was.
#include "game/Judge.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

#include "framework/IniNameValueTree.h"
#include "framework/TaskStart.h"
#include "game/Glowmere.h"

namespace fs = std::filesystem;

namespace {

struct TJudged {
  std::string verdict;  // "lights" of the result, "-" when empty
  std::string share;    // percent with ten decimals, "-" without a solution
  std::string path;
  std::unique_ptr<TIniNameValueTree> result;
};

bool ReadWhole(const std::string& path, std::string& bytes) {
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

std::string ShareText(long double percent) {
  char text[64];
  std::snprintf(text, sizeof text, "%.10Lf", percent);
  return text;
}

// A temporary folder that is the judge's HOME, data, documents and program
// folder while it runs, and is removed afterwards.
class TJudgeFolder {
 public:
  TJudgeFolder() {
    std::string pattern = (fs::temp_directory_path() / "glowmere-judge-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    root_ = pattern;
    fs::create_directories(root_ / "data");
    fs::create_directories(root_ / "documents");
    fs::create_directories(root_ / "config");
    fs::create_directories(root_ / "program");
    fs::create_directories(root_ / "work");
    fs::create_directories(root_ / "runtime");
    fs::permissions(root_ / "runtime", fs::perms::owner_all);
    oldCwd_ = fs::current_path();
    setenv("HOME", root_.c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (root_ / "documents").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root_ / "runtime").c_str(), 1);
    fs::current_path(root_ / "program");
  }
  ~TJudgeFolder() {
    std::error_code ec;
    fs::current_path(oldCwd_, ec);
    fs::remove_all(root_, ec);
  }
  fs::path Work() const { return root_ / "work"; }

 private:
  fs::path root_;
  fs::path oldCwd_;
};

}  // namespace

int RunJudge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool rank = false;
  std::vector<std::string> files;
  for (const std::string& a : args) {
    if (a == "--rank" && files.empty() && !rank)
      rank = true;
    else
      files.push_back(a);
  }
  if (files.empty()) {
    err << "usage: glowmere-judge [--rank] FILE...\n";
    return 2;
  }
  // Relative names are the caller's, not the judge folder's.
  std::vector<std::string> absolute;
  for (const std::string& f : files) absolute.push_back(fs::absolute(f).string());

  int status = 0;
  std::vector<TJudged> judged;
  {
    TJudgeFolder folder;
    auto window = std::make_unique<TfrmGlowmere>();
    HideSplash(window.get());
    int n = 0;
    for (size_t i = 0; i < files.size(); ++i) {
      std::string bytes;
      if (!ReadWhole(absolute[i], bytes)) {
        err << "glowmere-judge: cannot read " << files[i] << "\n";
        status = 1;
        continue;
      }
      const fs::path copy = folder.Work() / ("solution-" + std::to_string(n) + ".tuv-Glowmere");
      TJudged j;
      j.path = files[i];
      j.result = std::make_unique<TIniNameValueTree>((folder.Work() / ("result-" + std::to_string(n))).string());
      ++n;
      bool holds = false;
      if (!WriteWhole(copy, bytes)) {
        err << "glowmere-judge: cannot copy " << files[i] << "\n";
        status = 1;
        continue;
      }
      {
        TIniNameValueTree solution(copy.string());
        holds = window->HoldsSolution(solution);
        std::string message;
        window->CheckSolution(solution, *j.result, message);
      }
      const std::string verdict = j.result->ReadString("lights", "", 0);
      j.verdict = verdict.empty() ? "-" : verdict;
      j.share = holds ? ShareText(window->litPercent) : "-";
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
  }
  return status;
}
