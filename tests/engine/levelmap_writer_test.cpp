// The map writer beside the reader: what it writes reads back as the same
// grid, and a canonical picture (every line ended alike) read and written
// again is the same bytes, in either line end.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/MapText.h"
#include "engine/MapTextWriter.h"
#include "support/WallPicture.h"

namespace {

std::string ShippedMapBytes() {
  std::ifstream file(GLOWMERE_DATA_DIR "/map.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string WithCrLf(const std::string& text) {
  std::string crlf;
  for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return crlf;
}

TEST(MapTextWriter, WhatItWritesReadsBackAsTheSameGrid) {
  std::mt19937 rng(35);
  for (int round = 0; round < 200; ++round) {
    std::uniform_int_distribution<int32_t> side(1, round < 190 ? 12 : MaxMapSide);
    TWallGrid walls = RandomWalls(rng, side(rng), side(rng), 0.4);
    walls.Set(0, 0, false);  // the reader takes only levels with floor
    for (const TLineEnd end : {TLineEnd::Lf, TLineEnd::CrLf}) {
      const std::string text = MapTextOf(walls, end);
      ASSERT_EQ(WallsOfMapText(text), walls) << "round " << round << ", seed 35";
      EXPECT_EQ(LineEndOf(text), end);
    }
  }
}

TEST(MapTextWriter, ACanonicalFileReadAndWrittenIsTheSameBytes) {
  const std::string shipped = ShippedMapBytes();
  ASSERT_EQ(shipped.back(), '\n');
  for (const std::string& bytes : {shipped, WithCrLf(shipped), std::string(".\n"), std::string("#.#\r\n...\r\n")})
    EXPECT_EQ(MapTextOf(WallsOfMapText(bytes), LineEndOf(bytes)), bytes);
}

TEST(MapTextWriter, TheLineEndIsTheFirstLinesAndAMissingLastEndIsAdded) {
  EXPECT_EQ(LineEndOf("#.\r\n.#\n"), TLineEnd::CrLf);
  EXPECT_EQ(LineEndOf("#.\n.#\r\n"), TLineEnd::Lf);
  EXPECT_EQ(LineEndOf("#."), TLineEnd::Lf);
  EXPECT_EQ(LineEndOf("\r\n"), TLineEnd::CrLf);
  EXPECT_EQ(MapTextOf(WallsOfMapText("#.\n.#"), LineEndOf("#.\n.#")), "#.\n.#\n");
}

TEST(MapTextWriter, AGridWithoutFloorIsWrittenAndTheReaderSaysWhy) {
  const std::string text = MapTextOf(WallPicture("##\n##"));
  EXPECT_EQ(text, "##\n##\n");
  EXPECT_EQ(MapTextProblem(text), "the map has no floor");
}

}  // namespace
