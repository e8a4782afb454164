// Shared pieces of the bad-input tests: a window that starts with a known
// record (the covering set, full light) and a known autosave (two of its
// lights), and checks that after closing neither file has lost what it
// should hold.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "support/CoveringSet.h"
#include "GameFixture.h"
#include "framework/IniNameValueTree.h"
#include "support/HostileFiles.h"

using TPoints = std::vector<std::pair<int, int>>;

// The solution a store file holds, read the way the game reads it; the file
// is left as it is.
inline TPoints StoredPoints(const std::filesystem::path& file) {
  TIniNameValueTree tree(file.string());
  tree.SetWriteBack(false);
  TPoints points;
  const int n = tree.ReadInteger("vertices", -1);
  for (int i = 0; i < n; ++i) points.emplace_back(tree.ReadInteger("x", -999, i), tree.ReadInteger("y", -999, i));
  return points;
}

class BadInputGame : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    record = ShippedCoveringSet();
    autosave = {record[0], record[5]};
    std::filesystem::create_directories(UserFile(""));
    WriteFile(UserFile("Glowmere.rec"), SolutionText(record));
    WriteFile(UserFile("Glowmere.sav"), SolutionText(autosave));
    OpenWindow();
    ASSERT_EQ(Shown(), autosave);
    ASSERT_EQ(window->recordPoints, int(record.size()));
  }

  TPoints Shown() const {
    TPoints points;
    for (const TGridPoint& p : window->LightPoints()) points.emplace_back(p.x, p.y);
    return points;
  }

  // After the window closed (which writes every file): the record file keeps
  // `expectedRecord`, the autosave holds `shownAtClose`.
  void ExpectStores(const TPoints& shownAtClose, const TPoints* expectedRecord = nullptr) {
    CloseWindow();
    EXPECT_EQ(StoredPoints(UserFile("Glowmere.rec")), expectedRecord ? *expectedRecord : record) << "record file";
    EXPECT_EQ(StoredPoints(UserFile("Glowmere.sav")), shownAtClose) << "autosave file";
  }

  // The record file is set to the covering set plus one light, which it
  // returns, and the game opened again on it: the covering set is then a
  // new record.
  TPoints ReopenWithALongerRecord() {
    CloseWindow();
    TPoints longer = record;
    longer.push_back(record.front());
    WriteFile(UserFile("Glowmere.rec"), SolutionText(longer));
    OpenWindow();
    return longer;
  }

  // The covering set loaded from a file of its own while no file can be
  // written; the file's path.
  std::filesystem::path LoadCoveringSetOnAFullDisk() {
    const std::filesystem::path file = Root() / "covering.tuv-Glowmere";
    WriteFile(file, SolutionText(record));
    SetWriteFailureForTesting(0);
    chosenFile = file.string();
    window->btLoadClick();
    return file;
  }

  TPoints record, autosave;
};
