// Flush replaces the file in one step: whatever fails on the way, the old
// file stays exactly as it was, no temporary file is left, and the tree
// keeps its values.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include "framework/IniNameValueTree.h"
#include "framework/WholeFile.h"
#include "ini_test_support.h"

namespace {

namespace fs = std::filesystem;

const std::string OldContent = "[/]\r\nk=old\r\n\r\n";

class IniFlushTest : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteFailureForTesting(-1); }

  TTempFolder folder;
  const std::string file = folder.File("tree.ini");
};

}  // namespace

TEST_F(IniFlushTest, MissingFolderGivesFalseAndValuesStayReadable) {
  const std::string inMissing = folder.File("missing/tree.ini");
  TIniNameValueTree tree(inMissing);
  tree.WriteInteger("/etc/level", 2);
  EXPECT_FALSE(tree.Flush());
  EXPECT_EQ(tree.ReadInteger("/etc/level", 0), 2);
  EXPECT_FALSE(fs::exists(folder.File("missing")));
}

TEST_F(IniFlushTest, FolderPathThroughARegularFileGivesFalse) {
  WriteBytes(folder.File("plain"), "x");
  TIniNameValueTree tree(folder.File("plain/sub/tree.ini"));
  tree.WriteInteger("k", 1);
  EXPECT_FALSE(tree.Flush());
  EXPECT_EQ(ReadBytes(folder.File("plain")), "x");
}

TEST_F(IniFlushTest, EmptyFileNameGivesFalse) {
  TIniNameValueTree tree("");
  tree.WriteInteger("k", 1);
  EXPECT_FALSE(tree.Flush());
}

TEST_F(IniFlushTest, FailureHalfWayLeavesTheOldFileAndNoTemporary) {
  WriteBytes(file, OldContent);
  TIniNameValueTree tree(file);
  tree.WriteString("k", std::string(10000, 'n'));
  for (long long after : {0LL, 1LL, 5000LL, 10005LL}) {
    SetWriteFailureForTesting(after);
    EXPECT_FALSE(tree.Flush()) << "failing after " << after << " bytes";
    EXPECT_EQ(ReadBytes(file), OldContent);
    EXPECT_EQ(FolderListing(folder.Path()), "tree.ini\n");
  }
  SetWriteFailureForTesting(-1);
  EXPECT_EQ(tree.ReadString("k", ""), std::string(10000, 'n'));
  EXPECT_TRUE(tree.Flush());
  EXPECT_EQ(ReadBytes(file), "[/]\r\nk=" + std::string(10000, 'n') + "\r\n\r\n");
}

TEST_F(IniFlushTest, DestructorSwallowsAFailedWrite) {
  WriteBytes(file, OldContent);
  {
    TIniNameValueTree tree(file);
    tree.WriteString("k", "new");
    SetWriteFailureForTesting(3);
  }
  EXPECT_EQ(ReadBytes(file), OldContent);
  EXPECT_EQ(FolderListing(folder.Path()), "tree.ini\n");
}

TEST_F(IniFlushTest, FullDiskLeavesTheOldFile) {
  // A tiny file system of our own, filled up; needs the right to mount.
  const fs::path small = folder.Path() / "small";
  fs::create_directory(small);
  if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "cannot mount a tmpfs here";
  struct TUnmount {
    const fs::path& Where;
    ~TUnmount() { umount2(Where.c_str(), MNT_DETACH); }
  } unmount{small};
  const std::string target = (small / "tree.ini").string();
  WriteBytes(target, OldContent);
  {
    // Fill what is left, in small steps so the last one takes the last bytes.
    std::ofstream filler(small / "filler", std::ios::binary);
    const std::string block(512, 'f');
    for (int i = 0; i < 1000 && filler; ++i) {
      filler.write(block.data(), static_cast<std::streamsize>(block.size()));
      filler.flush();
    }
  }
  {
    TIniNameValueTree tree(target);
    tree.WriteString("k", std::string(32 * 1024, 'n'));
    EXPECT_FALSE(tree.Flush());
    EXPECT_EQ(ReadBytes(target), OldContent);
    fs::remove(small / "filler");
    EXPECT_TRUE(tree.Flush()) << "room again";
  }
  EXPECT_EQ(fs::file_size(target), 7 + 32 * 1024 + 4u);
  fs::remove(small / "tree.ini");
  EXPECT_TRUE(fs::is_empty(small)) << "no temporary left";
}

TEST_F(IniFlushTest, ExistingFileKeepsItsPermissions) {
  WriteBytes(file, OldContent);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  {
    TIniNameValueTree tree(file);
    tree.WriteString("k", "new");
  }
  EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(ReadBytes(file), "[/]\r\nk=new\r\n\r\n");
}

TEST_F(IniFlushTest, NewFileGetsTheUsualPermissionsLessTheUmask) {
  const mode_t previous = umask(027);
  { TIniNameValueTree tree(file); }
  umask(previous);
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(IniFlushTest, SymbolicLinkStaysAndItsTargetGetsTheBytes) {
  fs::create_directory(folder.Path() / "real");
  const std::string real = folder.File("real/tree.ini");
  WriteBytes(real, OldContent);
  fs::create_symlink("real/tree.ini", file);  // relative to the link's folder
  fs::create_symlink(file, folder.File("chain.ini"));
  {
    TIniNameValueTree tree(folder.File("chain.ini"));
    EXPECT_EQ(tree.ReadString("k", ""), "old");
    tree.WriteString("k", "new");
  }
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_TRUE(fs::is_symlink(folder.File("chain.ini")));
  EXPECT_EQ(ReadBytes(real), "[/]\r\nk=new\r\n\r\n");
  EXPECT_EQ(FolderListing(folder.Path() / "real"), "tree.ini\n");
}

TEST_F(IniFlushTest, DanglingLinkCreatesItsTarget) {
  fs::create_symlink("made.ini", file);
  { TIniNameValueTree tree(file); }
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_TRUE(fs::exists(folder.File("made.ini")));
}

TEST_F(IniFlushTest, LinkLoopGivesFalse) {
  fs::create_symlink("b.ini", folder.File("a.ini"));
  fs::create_symlink("a.ini", folder.File("b.ini"));
  TIniNameValueTree tree(folder.File("a.ini"));
  EXPECT_FALSE(tree.Flush());
}

TEST_F(IniFlushTest, FileThatMayNotBeWrittenIsLeftAlone) {
  // The folder would allow a rename over the file; the file itself says no.
  fs::permissions(folder.Path(), fs::perms::all);
  WriteBytes(file, OldContent);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const auto attempt = [&] {
    TIniNameValueTree tree(file);
    tree.WriteString("k", "new");
    return tree.Flush() ? 1 : 0;
  };
  if (geteuid() != 0) {
    EXPECT_EQ(attempt(), 0);
  } else {
    const int status = RunAsNobody(attempt);
    if (status == 111 || status < 0) GTEST_SKIP() << "cannot run as another user";
    EXPECT_EQ(status, 0);
  }
  EXPECT_EQ(ReadBytes(file), OldContent);
  EXPECT_EQ(FolderListing(folder.Path()), "tree.ini\n");
}

TEST_F(IniFlushTest, LongFileNameStillFlushes) {
  const std::string longName = folder.File(std::string(250, 'n') + ".ini");
  TIniNameValueTree tree(longName);
  tree.WriteInteger("k", 1);
  EXPECT_TRUE(tree.Flush());
  EXPECT_EQ(ReadBytes(longName), "[/]\r\nk=1\r\n\r\n");
}
