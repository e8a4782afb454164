// Fuzz target: INI named-value trees on arbitrary file bytes.
//
// The bytes become a file; a tree read from it answers every typed read on
// the paths its own document names and on a few fixed ones. Values that the
// format carries unchanged (texts without line breaks, integers, booleans,
// the stable texts of floats and dates) are written back under "/fuzz/";
// after a Flush a second tree read from the same file must hold the same
// document and give the same answers. A mismatch aborts.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "framework/CodePage.h"
#include "framework/IniDocument.h"
#include "framework/IniNameValueTree.h"
#include "framework/ValueConversion.h"

namespace {

// Bounds the reads per input, so a document of many keys stays fast.
constexpr size_t MaxDocumentPaths = 24;

struct TPathRead {
  std::string path;
  int32_t index;
};

// Everything a tree says about one path, for comparing two trees.
struct TAnswers {
  std::string text;
  int32_t integer;
  bool boolean;
  std::string date, time, dateTime, floating;  // as texts: NaN compares by text

  bool operator==(const TAnswers&) const = default;
};

TAnswers Ask(TIniNameValueTree& tree, const TPathRead& read) {
  TAnswers a;
  a.text = tree.ReadString(read.path, "\x01missing", read.index);
  a.integer = tree.ReadInteger(read.path, -123456789, read.index);
  a.boolean = tree.ReadBool(read.path, true, read.index);
  a.date = DateToText(tree.ReadDate(read.path, -1.5, read.index));
  a.time = TimeToText(tree.ReadTime(read.path, 0.25, read.index));
  a.dateTime = DateTimeToText(tree.ReadDateTime(read.path, 2.75, read.index));
  a.floating = FloatToText(tree.ReadFloat(read.path, -0.5L, read.index));
  return a;
}

std::vector<TPathRead> PathsOf(TIniNameValueTree& tree) {
  std::vector<TPathRead> paths;
  const TIniDocument& document = tree.IniDocument();
  for (size_t s = 0; s < document.SectionCount() && paths.size() < MaxDocumentPaths; ++s) {
    const std::string& section = document.SectionName(s);
    for (const std::string& line : document.SectionLines(s)) {
      if (paths.size() >= MaxDocumentPaths) break;
      const std::string key = line.substr(0, line.find('='));
      paths.push_back({section + key, 0});
      paths.push_back({key, 1});
    }
  }
  for (const char* fixed : {"vertices", "x", "/etc/level", "#x", "/", "a/b/", "/a/b#3/", "x#1", "/FUZZ/s0"}) {
    for (int32_t index : {0, 2, -1, INT32_MAX}) paths.push_back({fixed, index});
  }
  return paths;
}

// Where the document itself names section S (its last occurrence) and key
// K, the tree must find the document's value under "S" + "K" (when that
// path splits back into S and K).
void CheckLookupAgreesWithDocument(TIniNameValueTree& tree) {
  TIniDocument& document = tree.IniDocument();
  size_t checked = 0;
  for (size_t s = 0; s < document.SectionCount() && checked < MaxDocumentPaths; ++s) {
    const std::string& section = document.SectionName(s);
    if (section.empty() || section.front() != '/' || section.back() != '/') continue;
    // A later section of the same name hides this one.
    bool hidden = false;
    for (size_t later = s + 1; later < document.SectionCount() && !hidden; ++later) {
      hidden = UpperCaseCp1251(document.SectionName(later)) == UpperCaseCp1251(section);
    }
    if (hidden) continue;
    for (const std::string& line : document.SectionLines(s)) {
      const size_t equals = line.find('=');
      if (equals == std::string::npos || equals == 0) continue;
      const std::string key = line.substr(0, equals);
      if (key.find('/') != std::string::npos) continue;
      ++checked;
      const auto expected = document.FindValue(section, key);
      FUZZ_CHECK(expected.has_value(), "a key of the document is not found in it");
      FUZZ_CHECK(tree.ReadString(section + key, "\x01missing") == std::string(*expected),
                 "tree path lookup differs from the document");
    }
  }
}

// Writes values that the format must carry through a file unchanged.
void WriteBack(TIniNameValueTree& tree, const std::vector<TPathRead>& paths) {
  int n = 0;
  for (const TPathRead& read : paths) {
    if (n >= 16) break;
    const std::string tag = std::to_string(n++);
    const std::string text = tree.ReadString(read.path, "", read.index);
    tree.WriteString("/fuzz/s" + tag, text);
    tree.WriteInteger("/fuzz/i" + tag, tree.ReadInteger(read.path, n, read.index));
    tree.WriteBool("/fuzz/b" + tag, tree.ReadBool(read.path, n % 2 == 0, read.index));
    tree.WriteFloat("/fuzz/f" + tag, tree.ReadFloat(read.path, n * 0.1L, read.index));
    tree.WriteDate("/fuzz/d" + tag, tree.ReadDate(read.path, n * 7.0, read.index));
    tree.WriteTime("/fuzz/t" + tag, tree.ReadTime(read.path, n / 17.0, read.index));
    tree.WriteDateTime("/fuzz/dt" + tag, tree.ReadDateTime(read.path, 40000 + n / 3.0, read.index));
  }
}

void CheckWrittenBack(TIniNameValueTree& first, TIniNameValueTree& second, int count) {
  for (int n = 0; n < count; ++n) {
    const std::string tag = std::to_string(n);
    FUZZ_CHECK(first.ReadString("/fuzz/s" + tag, "?") == second.ReadString("/fuzz/s" + tag, "!"), "string");
    FUZZ_CHECK(first.ReadInteger("/fuzz/i" + tag, 1) == second.ReadInteger("/fuzz/i" + tag, 2), "integer");
    FUZZ_CHECK(first.ReadBool("/fuzz/b" + tag, true) == second.ReadBool("/fuzz/b" + tag, false), "bool");
    // A float's or date's text is read back to a value with the same text
    // (texts that read as no number, like "INF", read as the default).
    const std::string f = first.ReadString("/fuzz/f" + tag, "");
    long double parsed;
    if (TextToFloat(f, parsed)) {
      FUZZ_CHECK(FloatToText(second.ReadFloat("/fuzz/f" + tag, 0)) == f, "float text not stable");
    }
    const std::string d = first.ReadString("/fuzz/d" + tag, "");
    if (!d.empty()) FUZZ_CHECK(DateToText(second.ReadDate("/fuzz/d" + tag, -1e9)) == d, "date text not stable");
    const std::string t = first.ReadString("/fuzz/t" + tag, "");
    if (!t.empty()) FUZZ_CHECK(TimeToText(second.ReadTime("/fuzz/t" + tag, -1e9)) == t, "time text not stable");
    const std::string dt = first.ReadString("/fuzz/dt" + tag, "");
    if (!dt.empty()) {
      FUZZ_CHECK(DateTimeToText(second.ReadDateTime("/fuzz/dt" + tag, -1e9)) == dt, "date-time text not stable");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string file = FuzzScratchFolder() + "/input.ini";
  WriteFuzzFile(file, data, size);

  TIniNameValueTree first(file);
  const std::vector<TPathRead> paths = PathsOf(first);
  std::vector<TAnswers> before;
  before.reserve(paths.size());
  for (const TPathRead& read : paths) before.push_back(Ask(first, read));
  CheckLookupAgreesWithDocument(first);

  // Reading changes nothing that a file would show.
  const std::string loaded = first.IniDocument().Save();
  for (size_t i = 0; i < paths.size(); ++i) FUZZ_CHECK(Ask(first, paths[i]) == before[i], "reads not repeatable");

  FUZZ_CHECK(first.Flush(), "flush to the scratch folder failed");
  {
    TIniNameValueTree reread(file);
    FUZZ_CHECK(reread.IniDocument().Save() == loaded, "document changed by a save and load");
    for (size_t i = 0; i < paths.size(); ++i) FUZZ_CHECK(Ask(reread, paths[i]) == before[i], "answer changed by a save and load");
  }

  WriteBack(first, paths);
  FUZZ_CHECK(first.Flush(), "second flush failed");
  TIniNameValueTree second(file);
  FUZZ_CHECK(second.IniDocument().Save() == first.IniDocument().Save(), "written document changed by a save and load");
  CheckWrittenBack(first, second, static_cast<int>(std::min<size_t>(paths.size(), 16)));
  return 0;
}
