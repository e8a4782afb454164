// The platform's per-user folders as the XDG rules name them.
#include <filesystem>

#include "TempHome.h"
#include "framework/ShellFolders.h"

namespace {

namespace fs = std::filesystem;

class SpecialFoldersTest : public TempHomeTest {};

TEST_F(SpecialFoldersTest, LocalApplicationDataFollowsXdgDataHome) {
  const std::string data = home.MakeFolder("data");
  home.SetEnv("XDG_DATA_HOME", data + "/");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_LOCAL_APPDATA), data);
}

TEST_F(SpecialFoldersTest, LocalApplicationDataDefaultsToLocalShareUnderHome) {
  home.SetEnv("XDG_DATA_HOME", std::nullopt);
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_LOCAL_APPDATA), home.Home() + "/.local/share");
  home.SetEnv("XDG_DATA_HOME", "relative/is/not/allowed");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_LOCAL_APPDATA), home.Home() + "/.local/share");
}

TEST_F(SpecialFoldersTest, OnlyTheCreateFlagMakesTheFolder) {
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_LOCAL_APPDATA), home.DataHome());
  EXPECT_FALSE(fs::exists(home.DataHome()));
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE), home.DataHome());
  EXPECT_TRUE(fs::is_directory(home.DataHome()));
}

TEST_F(SpecialFoldersTest, DocumentsFollowTheEnvironmentFirst) {
  home.WriteFile(home.ConfigHome() + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/FromFile\"\n");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL), home.Documents());
}

TEST_F(SpecialFoldersTest, DocumentsComeFromUserDirsWithHomeExpanded) {
  home.SetEnv("XDG_DOCUMENTS_DIR", std::nullopt);
  home.WriteFile(home.ConfigHome() + "/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\n"
                 "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                 "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                 "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL), home.Home() + "/Dokumente");
}

TEST_F(SpecialFoldersTest, DocumentsFromUserDirsMayBeAbsoluteAndTheLastAssignmentWins) {
  home.SetEnv("XDG_DOCUMENTS_DIR", std::nullopt);
  home.WriteFile(home.ConfigHome() + "/user-dirs.dirs",
                 "XDG_DOCUMENTS_DIR=\"$HOME/First\"\n"
                 "  XDG_DOCUMENTS_DIR=\"/srv/papers/\"\n");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL), "/srv/papers");
}

TEST_F(SpecialFoldersTest, DocumentsDefaultToDocumentsUnderHome) {
  home.SetEnv("XDG_DOCUMENTS_DIR", std::nullopt);
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL), home.Home() + "/Documents");
  // An entry that is neither absolute nor under $HOME is not trusted.
  home.WriteFile(home.ConfigHome() + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"Papers\"\n");
  EXPECT_EQ(GetSpecialFolderPath(CSIDL_PERSONAL), home.Home() + "/Documents");
}

TEST_F(SpecialFoldersTest, UnknownFolderIsEmpty) { EXPECT_EQ(GetSpecialFolderPath(0x0027), ""); }

TEST(JoinFolder, EmptyBaseStaysRelativeInsteadOfBecomingTheRoot) {
  EXPECT_EQ(JoinFolder("", "TUV-2009-2"), "TUV-2009-2");
  EXPECT_EQ(JoinFolder("/home/u/.local/share", "TUV-2009-2"), "/home/u/.local/share/TUV-2009-2");
}

}  // namespace
