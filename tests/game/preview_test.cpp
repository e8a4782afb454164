// The game window on a level designer's map: played, saved and closed
// without reading or writing any of the player's files; a map larger than
// the screen is fitted to it and still plays; a refused map ends the program.
#include <set>

#include "support/CoveringSet.h"
#include "game/FieldScale.h"
#include "GameFixture.h"
#include "support/HostileFiles.h"
#include "support/RunCommand.h"

namespace fs = std::filesystem;

namespace {

// Every file below root with its bytes.
std::map<std::string, std::string> Files(const fs::path& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files[entry.path().string()] = ReadFile(entry.path());
  return files;
}

}  // namespace

class PreviewTest : public GameTest {
 protected:
  void OpenPreview(const std::string& picture) {
    WriteFile("level.txt", picture);
    window = std::make_unique<TfrmGlowmere>(DesignerLevel("level.txt"));
  }
};

TEST_F(PreviewTest, PlaysAndSavesWithoutThePlayersFiles) {
  // The player has a record and a position of the shipped level.
  WriteFile(UserFile("Glowmere.rec"), SolutionText(ShippedCoveringSet()));
  WriteFile(UserFile("Glowmere.sav"), SolutionText({{38, 9}}));
  const auto before = Files(home.Home());

  OpenPreview("...\n.#.\n...\n");  // a ring round a pillar: two opposite corners light it
  EXPECT_EQ(FieldWidth, 3);
  EXPECT_EQ(FieldHeight, 3);
  EXPECT_EQ(window->lights.Count(), 0) << "not the player's position";
  EXPECT_EQ(window->recordPoints, -1) << "not the player's record";
  EXPECT_NE(window->windowTitle().indexOf("level.txt"), -1);
  ClickGrid(0, 0);
  ClickGrid(3, 3);
  EXPECT_EQ(window->lights.Count(), 2);
  EXPECT_EQ(window->lbLight->text(), "100,00%");
  EXPECT_EQ(window->recordPoints, 2) << "a record of this session";
  chosenFile = (fs::current_path() / "mine.tuv-Glowmere").string();
  window->btSaveClick();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(fs::path(dialogs[0].folder), fs::current_path()) << "beside the map";
  CloseWindow();

  EXPECT_EQ(ReadFile("mine.tuv-Glowmere"),
            "[/etc/]\r\nlevel=2\r\n\r\n[/]\r\nvertices=2\r\nx=0\r\ny=0\r\nx#1=3\r\ny#1=3\r\n\r\n");
  EXPECT_EQ(Files(home.Home()), before) << "record, autosave, settings and statistics untouched";
  EXPECT_FALSE(fs::exists(home.Documents() + "/TUV-2009-2"));
}

TEST_F(PreviewTest, AFieldLargerThanTheScreenIsFittedToItAndPlays) {
  std::string picture;
  for (int y = 0; y < 70; ++y) picture += std::string(95, '.') + "\n";
  OpenPreview(picture);
  window->ShowAtLastSize();
  const QSize screen = window->screen()->availableGeometry().size();
  EXPECT_LE(window->width(), screen.width());
  EXPECT_LE(window->height(), screen.height());
  EXPECT_LT(window->cellPixels, 10) << "fewer pixels a cell, the whole field in view";
  EXPECT_GE(window->cellPixels, MinCellPixels);
  const TBitmap32& field = window->imgField->Composed();
  EXPECT_LE(field.Width(), window->imgField->width());
  EXPECT_LE(field.Height(), window->imgField->height());
  ClickGrid(95, 70);  // the far corner
  ASSERT_EQ(window->lights.Count(), 1);
  EXPECT_EQ(window->lights[0]->GridX, 95);
  EXPECT_EQ(window->lbLight->text(), "100,00%");
}

TEST_F(PreviewTest, ARefusedMapEndsTheProgramWithItsReason) {
  WriteFile("ragged.txt", "...\n..\n");
  const TRun run = RunCommand(std::string(GLOWMERE_PROGRAM) + " --map ragged.txt");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("glowmere: ragged.txt: row 2 has 2 cells, row 1 has 3\n"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(UserFile("")));
  // A named pipe is refused unopened (the timeout only ends a game that
  // waits on it); a map named in bytes that are no UTF-8 is found.
  const TUnwrittenPipe pipe("pipe.txt");
  const TRun piped = RunCommand("timeout 20 " + std::string(GLOWMERE_PROGRAM) + " --map pipe.txt");
  EXPECT_EQ(piped.status, 2);
  EXPECT_NE(piped.err.find("glowmere: cannot read the map pipe.txt: a named pipe, not a regular file\n"), std::string::npos)
      << piped.err;
  WriteFile("ragged\xe9.txt", "...\n..\n");
  const TRun latin = RunCommand(std::string(GLOWMERE_PROGRAM) + " --map 'ragged\xe9.txt'");
  EXPECT_NE(latin.err.find("glowmere: ragged\xe9.txt: row 2 has 2 cells"), std::string::npos) << latin.err;
}
