// Paths and indexes to INI sections and keys.
#include <gtest/gtest.h>

#include "framework/PathResolution.h"

namespace {

std::string SectionOf(const std::string& path, int32_t index = 0) {
  return SplitPath(ResolvePath("/", path, index)).Section;
}
std::string KeyOf(const std::string& path, int32_t index = 0) { return SplitPath(ResolvePath("/", path, index)).Key; }

}  // namespace

TEST(PathResolution, IndexZeroAddsNoSuffix) {
  EXPECT_EQ(ResolvePath("/", "/x", 0), "/x");
  EXPECT_EQ(ResolvePath("/", "/a/b/", 0), "/a/b/");
}

TEST(PathResolution, IndexGoesAfterTheNameOrBeforeTheClosingSlash) {
  EXPECT_EQ(ResolvePath("/", "x", 2), "/x#2");
  EXPECT_EQ(ResolvePath("/", "/a/b/", 3), "/a/b#3/");
  EXPECT_EQ(ResolvePath("/", "/", 1), "#1/");
  EXPECT_EQ(ResolvePath("/", "x", -1), "/x#-1");
  EXPECT_EQ(ResolvePath("/", "x", INT32_MIN), "/x#-2147483648");
}

TEST(PathResolution, RelativePathsGoUnderTheBasePath) {
  EXPECT_EQ(ResolvePath("/", "lights", 0), "/lights");
  EXPECT_EQ(ResolvePath("/", "data/points", 0), "/data/points");
  EXPECT_EQ(ResolvePath("/", "/etc/level", 0), "/etc/level");
  EXPECT_EQ(ResolvePath("/", "#x", 0), "#x");
}

TEST(PathResolution, EmptyPathIsAnAssertionFailureWithTheFrameworksMessage) {
  try {
    ResolvePath("/", "", 0);
    FAIL() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Assertion failure (TUVAPI, line 259)");
  }
  EXPECT_THROW(ResolvePath("/", "", 5), EAssertionFailed);
}

TEST(PathSplitting, SectionEndsAtTheLastSlash) {
  EXPECT_EQ(SectionOf("/etc/level"), "/etc/");
  EXPECT_EQ(KeyOf("/etc/level"), "level");
  EXPECT_EQ(SectionOf("/lights"), "/");
  EXPECT_EQ(KeyOf("/lights"), "lights");
  EXPECT_EQ(SectionOf("/Certificate/line", 2), "/Certificate/");
  EXPECT_EQ(KeyOf("/Certificate/line", 2), "line#2");
  EXPECT_EQ(SectionOf("data/points"), "/data/");
  EXPECT_EQ(KeyOf("data/points"), "points");
}

TEST(PathSplitting, TrailingSlashBelongsToTheKey) {
  EXPECT_EQ(SectionOf("/a/b/"), "/a/");
  EXPECT_EQ(KeyOf("/a/b/"), "b/");
  EXPECT_EQ(SectionOf("/a/b/", 3), "/a/");
  EXPECT_EQ(KeyOf("/a/b/", 3), "b#3/");
  EXPECT_EQ(SectionOf("/a//"), "/a/");
  EXPECT_EQ(KeyOf("/a//"), "/");
}

TEST(PathSplitting, PathsWithoutUsableSlashGiveEmptySectionAndKey) {
  for (const char* path : {"/", "#x", "#x/", "#"}) {
    const TSectionKey place = SplitPath(path);
    EXPECT_EQ(place.Section, "") << path;
    EXPECT_EQ(place.Key, "") << path;
  }
  EXPECT_EQ(SplitPath("#x/y").Section, "#x/");
  EXPECT_EQ(SplitPath("#x/y").Key, "y");
}

TEST(PathResolution, AssertionMessageFollowsThePattern) {
  EXPECT_EQ(AssertionMessage("Assertion failure", "TUVAPI", 259), "Assertion failure (TUVAPI, line 259)");
  EXPECT_EQ(AssertionMessage("x", "Y", -1), "x (Y, line -1)");
}
