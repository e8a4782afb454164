// Hostile solution files chosen through the real Load command: each row is
// a file, and the lights it must leave on the field. Every row also checks
// that the game is still whole (the question, and a box only where nothing
// was loaded; the field can be painted and played), that the chosen file is
// exactly as it was, after the load and after closing, and that closing
// leaves the record file with its solution and the autosave with the lights
// shown.
#include <algorithm>
#include <optional>

#include "badinput_support.h"
#include "framework/MessageBox.h"
#include "support/FileStamp.h"

namespace fs = std::filesystem;

namespace {

// Free grid points of the shipped map, from the covering set.
const TPoints& Free() {
  static const TPoints points = ShippedCoveringSet();
  return points;
}
std::string X(int i) { return std::to_string(Free()[i].first); }
std::string Y(int i) { return std::to_string(Free()[i].second); }

// As many lights as the field has grid points (61 x 40), all on the corner
// where missing coordinates put them.
constexpr int GridPoints = 61 * 40;

std::string FiftyMegabytesOfJunkThenOneLight() {
  constexpr size_t Size = 50u << 20;
  std::string text = "[/]\r\n";
  text.reserve(Size + 100);
  for (size_t i = 0; text.size() < Size; ++i) text += "junk" + std::to_string(i) + "=" + std::string(48, 'j') + "\r\n";
  return text + "vertices=1\r\nx=" + X(2) + "\r\ny=" + Y(2) + "\r\n";
}

enum class TChosen { File, Folder, Missing };

struct TBadFile {
  const char* name;
  // The bytes of the file to be chosen.
  std::string (*make)();
  // The lights after loading; nothing: the lights stay as they were, and a
  // box says that the file holds no solution (or, for a folder or a name
  // with no file, that it cannot be read).
  std::optional<TPoints> loads;
  TChosen what = TChosen::File;
};

// gtest names the row in failures and listings instead of dumping its bytes.
void PrintTo(const TBadFile& row, std::ostream* out) { *out << row.name; }

using namespace std::string_literals;

const TBadFile BadFiles[] = {
    {"EmptyFile", [] { return std::string(); }, std::nullopt},
    {"RandomBytes", [] { return RandomBytes(1 << 16, 2009); }, std::nullopt},
    {"FiftyMegabytesOfJunkKeys", FiftyMegabytesOfJunkThenOneLight, TPoints{Free()[2]}},
    {"EndlessLineAfterTheSolution",
     [] { return "[/]\r\nvertices=1\r\nx=" + X(3) + "\r\ny=" + Y(3) + "\r\njunk=" + std::string(10u << 20, 'j'); },
     TPoints{Free()[3]}},
    {"EndlessCount", [] { return "[/]\r\nvertices=" + std::string(10u << 20, '9'); }, std::nullopt},
    {"NulInsideTheCount", [] { return "[/]\r\nvertices=1\0" "0\r\nx=1\r\ny=1\r\n"s; }, std::nullopt},
    {"NulInsideKeysAndValues",
     [] { return "[/]\r\nvertices=1\r\nx=1\0" "2\r\ny\0z=7\r\n"s + "y=" + Y(4) + "\r\n"; },
     TPoints{{0, Free()[4].second}}},
    {"NulInsideASectionName", [] { return "[/\0x/]\r\nvertices=1\r\n"s; }, std::nullopt},
    // NUL is one of the bytes trimmed from the ends of names, like a blank.
    {"NulAtTheEndOfASectionName", [] { return "[/\0]\r\nvertices=1\r\n"s; }, TPoints{{0, 0}}},
    {"InvalidCodePageBytes",
     [] { return "[/]\r\nvertices=1\r\nx\x98=5\r\nx=" + X(6) + "\r\ny=\xFF\r\n\xFF\x98=\x98\xFF\r\n"; },
     TPoints{{Free()[6].first, 0}}},
    {"CodePageBytesInSectionName", [] { return std::string("[/\x98\xFF]\r\nvertices=1\r\n"); }, std::nullopt},
    {"CountMinusFive", [] { return "[/]\r\nvertices=-5\r\nx=" + X(1) + "\r\ny=" + Y(1) + "\r\n"; }, TPoints{}},
    {"CountZero", [] { return std::string("[/]\r\nvertices=0\r\n"); }, TPoints{}},
    {"CountSmallestInteger", [] { return std::string("[/]\r\nvertices=-2147483648\r\n"); }, TPoints{}},
    // -1 is what the game reads for a missing count.
    {"CountMinusOneIsNoCount", [] { return std::string("[/]\r\nvertices=-1\r\n"); }, std::nullopt},
    {"CountEqualToTheGridPoints", [] { return std::string("[/]\r\nvertices=2440\r\n"); }, TPoints(GridPoints, {0, 0})},
    {"CountOneMoreThanGridPoints", [] { return std::string("[/]\r\nvertices=2441\r\n"); }, std::nullopt},
    {"CountLargestInteger", [] { return std::string("[/]\r\nvertices=2147483647\r\n"); }, std::nullopt},
    {"CountPast32Bits", [] { return std::string("[/]\r\nvertices=4294967297\r\n"); }, std::nullopt},
    {"CoordinatesAtTheIntegerLimits",
     [] {
       return std::string(
           "[/]\r\nvertices=2\r\nx=-2147483648\r\ny=2147483647\r\nx#1=2147483647\r\ny#1=-2147483648\r\n");
     },
     TPoints{{INT32_MIN, INT32_MAX}, {INT32_MAX, INT32_MIN}}},
    {"CoordinatesPastTheLimitsReadAsZero",
     [] { return std::string("[/]\r\nvertices=2\r\nx=2147483648\r\ny=-2147483649\r\nx#1=1e3\r\ny#1=99999999999\r\n"); },
     TPoints{{0, 0}, {0, 0}}},
    {"NonNumericCount", [] { return std::string("[/]\r\nvertices=two\r\n"); }, std::nullopt},
    {"FractionalCount", [] { return std::string("[/]\r\nvertices=1,0\r\n"); }, std::nullopt},
    {"EmptyCount", [] { return std::string("[/]\r\nvertices=\r\n"); }, std::nullopt},
    {"NonNumericAndHexCoordinates",
     [] { return std::string("[/]\r\nvertices=2\r\nx=twelve\r\ny=$10\r\nx#1=0x0C\r\ny#1= 7 \r\n"); },
     TPoints{{0, 16}, {12, 7}}},
    {"DuplicateSectionsAndKeysLastWins",
     [] {
       return "[/]\r\nvertices=3\r\nx=1\r\ny=1\r\n[/etc/]\r\nlevel=2\r\n[/]\r\nvertices=1\r\nx=5\r\nx=" + X(7) +
              "\r\ny=" + Y(7) + "\r\nvertices=2\r\nVERTICES=1\r\n";
     },
     TPoints{Free()[7]}},
    {"UpperCaseNames", [] { return "[/]\r\nVERTICES=1\r\nX=" + X(8) + "\r\nY=" + Y(8) + "\r\n"; }, TPoints{Free()[8]}},
    {"RussianNotes", [] { return std::string("Заметки: начать с левого зала.\n"); }, std::nullopt},
    {"SolutionWithAComment",
     [] { return "; submitted by team 7\r\n[/]\r\nvertices=1\r\nx=" + X(10) + "\r\ny=" + Y(10) + "\r\n"; },
     TPoints{Free()[10]}},
    {"FolderChosenAsTheFile", [] { return std::string(); }, std::nullopt, TChosen::Folder},
    {"NameThatDoesNotExist", [] { return std::string(); }, std::nullopt, TChosen::Missing},
};

class LoadedFile : public BadInputGame, public ::testing::WithParamInterface<TBadFile> {
  // With texts that tell the two boxes apart.
  void SetUp() override { WriteFile("Glowmere-2.loc", "[/dialogs/]\r\nnoSolution=N\r\nloadingFailed=U\r\n"), BadInputGame::SetUp(); }
};

}  // namespace

TEST_P(LoadedFile, KeepsTheGameWholeTheFileAsItWasAndTheStoresSafe) {
  const TBadFile& row = GetParam();
  const fs::path file = Root() / "chosen.tuv-Glowmere";
  if (row.what == TChosen::Folder) fs::create_directories(file / "inside");
  if (row.what == TChosen::File) WriteFile(file, row.make());
  const TFileStamp before = StampOf(file.string());
  chosenFile = file.string();
  window->btLoadClick();

  const TPoints expected = row.loads ? *row.loads : autosave;
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(window->lbPoints->text(), QString::number(expected.size()));
  ASSERT_EQ(asked.size(), row.loads ? 1u : 2u) << "the question, and a box only when nothing loads";
  if (!row.loads) {
    EXPECT_EQ(asked[1].kind, mkError);
    EXPECT_EQ(asked[1].text, row.what == TChosen::File ? "N" : "U");
  }
  EXPECT_EQ(window->recordPoints, int(record.size()));
  EXPECT_EQ(StampOf(file.string()), before) << "after loading";
  if (row.what == TChosen::Folder) {
    EXPECT_TRUE(fs::is_directory(file / "inside")) << "the folder is left alone";
  }

  // Still playable: paint, hint, and a click that adds a light.
  window->imgField->Composed();
  window->btHintMouseDown(TMouseButton::mbLeft);
  window->btHintMouseUp(TMouseButton::mbLeft);
  const auto [gx, gy] = Free()[9];
  TPoints shown = expected;
  if (std::find(shown.begin(), shown.end(), std::pair(gx, gy)) == shown.end()) {
    ClickGrid(gx, gy);
    shown.emplace_back(gx, gy);
  }
  EXPECT_EQ(Shown(), shown);
  ExpectStores(shown);
  EXPECT_EQ(StampOf(file.string()), before) << "after closing";
}

INSTANTIATE_TEST_SUITE_P(BadInput, LoadedFile, ::testing::ValuesIn(BadFiles),
                         [](const ::testing::TestParamInfo<TBadFile>& info) { return std::string(info.param.name); });
