// Hostile places to write and read: a save target that cannot exist, a disk
// that fills up while the record is written, localization files that are
// missing, empty or garbage. The game goes on, shows what it can, and no
// store file loses the solution it held.
#include "badinput_support.h"
#include "framework/MessageBox.h"
#include "framework/WholeFile.h"

namespace fs = std::filesystem;

namespace {

class BadInputStores : public BadInputGame {
 protected:
  void TearDown() override {
    SetWriteFailureForTesting(-1);
    BadInputGame::TearDown();
  }
};

class BadInputLocalization : public GameTest {
 protected:
  // Captions and questions read the placeholder, and a player can still
  // place, clear and save lights.
  void ExpectPlaceholdersAndPlay() {
    OpenWindow();
    for (const QString& caption : {window->windowTitle(), window->btClear->text(), window->btLoad->text(),
                                   window->btSave->text(), window->N2->text(), window->lbRecordCaption->text()})
      EXPECT_EQ(caption, " - ");
    const auto [gx, gy] = FreePoint(7);
    ClickGrid(gx, gy);
    ASSERT_EQ(window->lights.Count(), 1);
    EXPECT_EQ(window->lbPoints->text(), "1");
    chosenFile = (Root() / "played.tuv-Glowmere").string();
    window->btSaveClick();
    EXPECT_EQ(StoredPoints(*chosenFile), (TPoints{{gx, gy}}));
    window->btClearClick();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, " - ");
    EXPECT_EQ(window->lights.Count(), 0);
    CloseWindow();
    EXPECT_EQ(StoredPoints(UserFile("Glowmere.sav")), TPoints{});
  }
};

}  // namespace

TEST_F(BadInputStores, SaveWhereNoFolderCanBeShowsTheErrorAndChangesNothing) {
  WriteFile(Root() / "plain", "x");
  chosenFile = (Root() / "plain" / "sub.tuv-Glowmere").string();
  window->btSaveClick();
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, mkError);
  EXPECT_EQ(Shown(), autosave);
  EXPECT_EQ(ReadFile(Root() / "plain"), "x");
  ExpectStores(autosave);
}

TEST_F(BadInputStores, FullDiskWhileTheRecordIsWrittenKeepsTheOldFile) {
  // The record held the covering set plus one light: the covering set
  // itself is a new record.
  const TPoints longer = ReopenWithALongerRecord();
  ASSERT_EQ(window->recordPoints, int(longer.size()));
  const std::string recordBefore = ReadFile(UserFile("Glowmere.rec"));
  const std::string autosaveBefore = ReadFile(UserFile("Glowmere.sav"));
  const std::string solution = SolutionText(record);

  const fs::path file = LoadCoveringSetOnAFullDisk();
  EXPECT_EQ(Shown(), record);
  EXPECT_EQ(window->recordPoints, int(record.size()));
  EXPECT_EQ(window->lbRecord->text(), QString::number(record.size()));
  EXPECT_EQ(ReadFile(UserFile("Glowmere.rec")), recordBefore) << "a failed flush leaves the old record file";
  EXPECT_EQ(ReadFile(file), solution);
  // Still full at exit: every file stays as it was, none is cut short.
  CloseWindow();
  EXPECT_EQ(ReadFile(UserFile("Glowmere.rec")), recordBefore);
  EXPECT_EQ(ReadFile(UserFile("Glowmere.sav")), autosaveBefore);
  EXPECT_EQ(StoredPoints(UserFile("Glowmere.rec")), longer);
}

TEST_F(BadInputStores, RecordReachesTheFileOnceTheDiskHasRoomAgain) {
  ReopenWithALongerRecord();
  LoadCoveringSetOnAFullDisk();
  SetWriteFailureForTesting(-1);
  ExpectStores(record, &record);
}

TEST_F(BadInputStores, UnreadableRecordAndAutosaveStillLetThePlayerPlay) {
  CloseWindow();
  fs::remove(UserFile("Glowmere.rec"));
  fs::remove(UserFile("Glowmere.sav"));
  fs::create_directories(UserFile("Glowmere.rec") / "inside");
  fs::create_directories(UserFile("Glowmere.sav") / "inside");
  OpenWindow();
  EXPECT_EQ(window->lights.Count(), 0);
  EXPECT_EQ(window->lbRecord->text(), "-");
  const fs::path file = Root() / "covering.tuv-Glowmere";
  WriteFile(file, SolutionText(record));
  chosenFile = file.string();
  window->btLoadClick();
  EXPECT_EQ(Shown(), record);
  EXPECT_EQ(window->recordPoints, int(record.size())) << "the record lives on in memory";
  CloseWindow();
  EXPECT_TRUE(fs::is_directory(UserFile("Glowmere.rec") / "inside"));
  EXPECT_TRUE(fs::is_directory(UserFile("Glowmere.sav") / "inside"));
}

TEST_F(BadInputLocalization, MissingFilesGivePlaceholders) {
  ASSERT_FALSE(fs::exists("TUV-2009-2.loc"));
  ASSERT_FALSE(fs::exists("Glowmere-2.loc"));
  ExpectPlaceholdersAndPlay();
}

TEST_F(BadInputLocalization, EmptyFilesGivePlaceholders) {
  WriteFile("TUV-2009-2.loc", "");
  WriteFile("Glowmere-2.loc", "");
  ExpectPlaceholdersAndPlay();
}

TEST_F(BadInputLocalization, GarbageFilesGivePlaceholders) {
  WriteFile("TUV-2009-2.loc", RandomBytes(1 << 14, 1));
  WriteFile("Glowmere-2.loc", RandomBytes(1 << 14, 2));
  ExpectPlaceholdersAndPlay();
}

TEST_F(BadInputLocalization, FolderInPlaceOfTheFilesGivesPlaceholders) {
  fs::create_directories("TUV-2009-2.loc");
  fs::create_directories("Glowmere-2.loc");
  ExpectPlaceholdersAndPlay();
}
