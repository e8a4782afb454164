// The journal of unsaved edits: it gives back the walls and the base it was
// written with, for the one map it belongs to, also for a grid the map
// reader would refuse; a damaged or foreign journal gives nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/EditJournal.h"
#include "support/TempFolder.h"
#include "support/WallPicture.h"

namespace {

TEST(EditJournal, GivesBackTheWallsAndBaseOfItsOwnMap) {
  TTempFolder folder;
  const std::string journals = folder / "journals";  // made when first written
  const TEditJournal journal(journals, folder / "a.txt");
  EXPECT_FALSE(journal.Read());
  ASSERT_TRUE(journal.Write(BytesHash("#.\n"), WallPicture("#.\n##")));
  const auto entry = journal.Read();
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->base, BytesHash("#.\n"));
  EXPECT_EQ(entry->walls, WallPicture("#.\n##"));

  // The same map named another way has the same journal; another map not.
  std::filesystem::current_path(folder.Path());
  EXPECT_EQ(TEditJournal(journals, "./sub/../a.txt").Path(), journal.Path());
  EXPECT_TRUE(TEditJournal(journals, "a.txt").Read());
  EXPECT_NE(TEditJournal(journals, folder / "b.txt").Path(), journal.Path());
  EXPECT_NE(TEditJournal(journals, "").Path(), journal.Path());

  ASSERT_TRUE(journal.Write("none", WallPicture("###\n###")));  // no floor at all
  EXPECT_EQ(journal.Read()->walls, WallPicture("###\n###"));
  EXPECT_EQ(journal.Read()->base, "none");

  journal.Remove();
  EXPECT_FALSE(std::filesystem::exists(journal.Path()));
  EXPECT_FALSE(journal.Read());
}

TEST(EditJournal, ADamagedOrForeignJournalGivesNothing) {
  TTempFolder folder;
  const TEditJournal journal(folder.Path(), folder / "a\nb.txt");  // a line break in the name
  ASSERT_TRUE(journal.Write("none", WallPicture("#.")));
  ASSERT_TRUE(journal.Read());
  const std::string whole = TTempFolder::Read(journal.Path());
  for (const size_t cut : {size_t(0), size_t(10), whole.find("base"), whole.size() - 2}) {
    TTempFolder::Write(journal.Path(), whole.substr(0, cut));
    EXPECT_FALSE(journal.Read()) << "cut at " << cut;
  }
  TTempFolder::Write(journal.Path(), whole + "x\n");
  EXPECT_FALSE(journal.Read()) << "a grid the reader refuses";
  std::string foreign = whole;
  foreign.replace(foreign.find("a\\nb"), 4, "c\\nd");
  TTempFolder::Write(journal.Path(), foreign);
  EXPECT_FALSE(journal.Read()) << "another map's journal under this name";
}

}  // namespace
