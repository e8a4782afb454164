// The level's file as the editor opens and saves it: a missing name is a
// new level, a refused file is named with the reader's reason and left
// alone, the line end read is the one written, and a save that the reader
// would refuse, or that cannot be written, leaves the file as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "editor/MapFile.h"
#include "framework/WholeFile.h"
#include "support/FileStamp.h"
#include "support/TempFolder.h"
#include "support/WallPicture.h"

namespace {

TEST(MapFile, OpensReadMissingAndRefusedFiles) {
  TTempFolder folder;
  TTempFolder::Write(folder / "crlf.txt", "#.\r\n..\r\n");
  const TOpenedMap read = OpenMapFile(folder / "crlf.txt");
  EXPECT_EQ(read.opening, TMapOpening::Read);
  EXPECT_EQ(read.walls, WallPicture("#.\n.."));
  EXPECT_EQ(read.lineEnd, TLineEnd::CrLf);
  EXPECT_EQ(read.bytes, "#.\r\n..\r\n");

  EXPECT_EQ(OpenMapFile(folder / "new.txt").opening, TMapOpening::Missing);

  TTempFolder::Write(folder / "bad.txt", "#.\n.x\n");
  const TOpenedMap refused = OpenMapFile(folder / "bad.txt");
  EXPECT_EQ(refused.opening, TMapOpening::Refused);
  EXPECT_EQ(refused.reason, folder / "bad.txt" + ": row 2, column 2: 'x' is neither a wall '#' nor floor '.'");

  // A link to nowhere is no new level: saving there would write through it.
  ASSERT_EQ(symlink((folder / "nowhere").c_str(), (folder / "dangling.txt").c_str()), 0);
  EXPECT_EQ(OpenMapFile(folder / "dangling.txt").opening, TMapOpening::Refused);
  std::filesystem::create_directory(folder / "folder.txt");
  EXPECT_EQ(OpenMapFile(folder / "folder.txt").opening, TMapOpening::Refused);
}

TEST(MapFile, SavesThePictureInTheLineEndItWasReadWith) {
  TTempFolder folder;
  const TSavedMap saved = SaveMapFile(folder / "level.txt", WallPicture("#.\n.#"), TLineEnd::CrLf);
  EXPECT_EQ(saved.saving, TMapSaving::Saved);
  EXPECT_EQ(TTempFolder::Read(folder / "level.txt"), "#.\r\n.#\r\n");
  EXPECT_EQ(saved.bytes, "#.\r\n.#\r\n");
  SaveMapFile(folder / "level.txt", WallPicture(".."), TLineEnd::Lf);
  EXPECT_EQ(TTempFolder::Read(folder / "level.txt"), "..\n");
}

TEST(MapFile, AFailedOrRefusedSaveLeavesTheFileAsItWas) {
  TTempFolder folder;
  const std::string path = folder / "level.txt";
  TTempFolder::Write(path, "#.\n");
  const TFileStamp before = StampOf(path);

  const TSavedMap noFloor = SaveMapFile(path, WallPicture("##\n##"), TLineEnd::Lf);
  EXPECT_EQ(noFloor.saving, TMapSaving::Refused);
  EXPECT_EQ(noFloor.reason, "the map has no floor");

  SetWriteFailureForTesting(2);
  const TSavedMap full = SaveMapFile(path, WallPicture("...."), TLineEnd::Lf);
  SetWriteFailureForTesting(-1);
  EXPECT_EQ(full.saving, TMapSaving::WriteFailed);
  EXPECT_EQ(StampOf(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "no temporary file left";
}

}  // namespace
