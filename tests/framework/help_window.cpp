// The help window: layout, rendered text, and the show-at-start choice
// across runs.
#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include "TempHome.h"
#include "framework/HelpMarkup.h"
#include "framework/HelpWindow.h"
#include "framework/TaskStart.h"

namespace {

const std::string CommonLoc =
    "[/help/caption/]\r\nstatement=Statement\r\nusermanual=Manual\r\n"
    "[/help/]\r\nclosebutton=Close\r\nshowonstart=Show at start\r\n";
const std::string TaskLoc = "[/help/]\r\nstatement=The {{{+b}}}task{{{-b}}}\r\nusermanual=How to play\r\n";

class HelpWindowTest : public TempHomeTest {
 protected:
  void SetUp() override {
    home.WriteFile(home.ProgramFolder() + "/TUV-2009-2.loc", CommonLoc);
    home.WriteFile(home.ProgramFolder() + "/Glowmere-2.loc", TaskLoc);
    StartTask(2009, "Glowmere", 2);
    HideSplash(nullptr);
    answers.OnHelpWindow([this](TfmHelp& help) {
      ++shown;
      title = help.windowTitle();
      text = help.reText->toPlainText();
      boxOffered = !help.cbShowOnStart->isHidden() && help.cbShowOnStart->isEnabled();
      boxChecked = help.cbShowOnStart->isChecked();
      if (action) action(help);
    });
  }

  // A new run of the program on the same home.
  void Restart() {
    FinalizeTask();
    StartTask(2009, "Glowmere", 2);
    HideSplash(nullptr);
  }

  std::string SettingsFile() const { return home.ReadFile(home.UserFolder() + "Glowmere.set"); }
  std::string StatisticsFile() const { return home.ReadFile(home.UserFolder() + "Glowmere.stat"); }

  TModalAnswers answers;
  std::function<void(TfmHelp&)> action;  // what the person does while it shows
  int shown = 0;
  QString title;
  QString text;
  bool boxOffered = false;
  bool boxChecked = false;
};

TEST_F(HelpWindowTest, WindowHasItsFixedLayout) {
  TfmHelp& help = HelpWindow();
  EXPECT_EQ(help.size(), QSize(627, 443));
  EXPECT_EQ(help.minimumSize(), help.maximumSize());
  EXPECT_EQ(help.reText->geometry(), QRect(8, 8, 609, 388));
  EXPECT_TRUE(help.reText->isReadOnly());
  EXPECT_EQ(help.reText->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(help.cbShowOnStart->geometry(), QRect(8, 410, 509, 17));
  EXPECT_EQ(help.btClose->geometry(), QRect(537, 402, 80, 33));
}

TEST_F(HelpWindowTest, FirstRunShowsTheStatementAndStoresTheChoice) {
  ShowStatement(false);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(title, "Statement");
  EXPECT_EQ(text, "The task");
  EXPECT_TRUE(boxOffered);
  EXPECT_TRUE(boxChecked);
  EXPECT_EQ(fmHelp->btClose->text(), "Close");
  EXPECT_EQ(fmHelp->cbShowOnStart->text(), "Show at start");
  FinalizeTask();
  EXPECT_EQ(SettingsFile(), "[/help/showonstart/]\r\nstatement=1\r\n\r\n");
  EXPECT_EQ(StatisticsFile(), "");  // shown at start, not on request
}

TEST_F(HelpWindowTest, UncheckedStatementStaysAwayAtStartButTheMenuStillShowsIt) {
  action = [](TfmHelp& help) { help.cbShowOnStart->click(); };
  ShowStatement(false);
  action = nullptr;
  EXPECT_EQ(SettingsFile(), "[/help/showonstart/]\r\nstatement=0\r\n\r\n") << "on disk at once: a killed game keeps it";
  Restart();

  ShowStatement(false);
  EXPECT_EQ(shown, 1);
  ShowStatement(true);
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(boxOffered);
  EXPECT_FALSE(boxChecked);
  FinalizeTask();
  EXPECT_EQ(SettingsFile(), "[/help/showonstart/]\r\nstatement=0\r\n\r\n");
  EXPECT_EQ(StatisticsFile(), "[/help/]\r\nstatement=1\r\n\r\n");
}

TEST_F(HelpWindowTest, CheckingTheBoxAgainBringsTheStatementBackAtStart) {
  SettingsTree->WriteBool("/help/showonstart/statement", false);
  action = [](TfmHelp& help) { help.cbShowOnStart->click(); };
  ShowStatement(true);
  action = nullptr;
  Restart();
  ShowStatement(false);
  EXPECT_EQ(shown, 2);
}

TEST_F(HelpWindowTest, BoxKeptFromTheLastShowingCountsAsAClickWhenTheSettingDiffers) {
  ShowStatement(false);  // leaves the box checked
  SettingsTree->WriteBool("/help/showonstart/statement", false);
  ShowStatement(true);
  EXPECT_FALSE(boxChecked);
  EXPECT_FALSE(SettingsTree->ReadBool("/help/showonstart/statement", true));
}

TEST_F(HelpWindowTest, UserManualNeverOffersTheBox) {
  ShowUserManual(true);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(title, "Manual");
  EXPECT_EQ(text, "How to play");
  EXPECT_FALSE(boxOffered);
  EXPECT_EQ(fmHelp->cbShowOnStart->Tag, 0);
  ShowStatement(true);
  EXPECT_TRUE(boxOffered);
  EXPECT_EQ(fmHelp->cbShowOnStart->Tag, 1);
  FinalizeTask();
  EXPECT_EQ(StatisticsFile(), "[/help/]\r\nusermanual=1\r\nstatement=1\r\n\r\n");
}

TEST_F(HelpWindowTest, BoxWithAnUnknownTagStoresNothing) {
  TfmHelp& help = HelpWindow();
  help.cbShowOnStart->Tag = 7;
  help.cbShowOnStart->click();
  FinalizeTask();
  EXPECT_EQ(SettingsFile(), "");
}

TEST_F(HelpWindowTest, WithoutASettingsTreeTheStatementIsShownAndNothingStored) {
  SettingsTree.reset();
  action = [](TfmHelp& help) { help.cbShowOnStart->click(); };
  ShowStatement(false);
  ShowStatement(false);
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(boxChecked);
}

TEST_F(HelpWindowTest, MissingTextsShowThePlaceholder) {
  FinalizeTask();
  std::filesystem::remove(home.ProgramFolder() + "/TUV-2009-2.loc");
  std::filesystem::remove(home.ProgramFolder() + "/Glowmere-2.loc");
  StartTask(2009, "Glowmere", 2);
  ShowStatement(true);
  EXPECT_EQ(text, " - ");
  EXPECT_EQ(title, " - ");
  EXPECT_EQ(fmHelp->btClose->text(), " - ");
}

TEST_F(HelpWindowTest, RealWindowRunsUntilItsCloseButtonIsPressed) {
  SetHelpWindowHandler({});
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    auto* help = qobject_cast<TfmHelp*>(QApplication::activeModalWidget());
    ASSERT_NE(help, nullptr);
    wasModal = help->isModal();
    help->btClose->click();
  });
  ShowUserManual(true);
  EXPECT_TRUE(wasModal);
  EXPECT_EQ(fmHelp->result(), QDialog::Accepted);
  EXPECT_FALSE(fmHelp->isVisible());
}

class RenderHelpTextTest : public TempHomeTest {
 protected:
  void SetUp() override { StartTask(2009, "Glowmere", 2); }
  QTextCharFormat FormatAt(int position) {
    QTextCursor cursor(HelpWindow().reText->document());
    cursor.setPosition(position + 1);  // the format of the character before the cursor
    return cursor.charFormat();
  }
};

TEST_F(RenderHelpTextTest, BoldMiddleAndASecondLine) {
  RenderHelpText("a{{{+b}}}b{{{-b}}}c{{{n}}}d");
  QTextEdit* view = HelpWindow().reText;
  EXPECT_EQ(view->toPlainText(), "abc\nd");
  EXPECT_EQ(view->document()->blockCount(), 2);
  EXPECT_NE(FormatAt(0).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatAt(1).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(2).fontWeight(), QFont::Bold);
  EXPECT_NE(FormatAt(4).fontWeight(), QFont::Bold);
}

TEST_F(RenderHelpTextTest, AttributesBecomeCharacterFormats) {
  RenderHelpText("p{{{c=C04000}}}{{{f=Courier New}}}{{{s=20}}}{{{+i}}}{{{+u}}}{{{+s}}}q");
  const int dpi = HelpWindow().reText->logicalDpiY();
  const QTextCharFormat plain = FormatAt(0);
  EXPECT_EQ(plain.foreground().color(), QColor(0, 0, 0));
  EXPECT_EQ(plain.fontFamilies().toStringList(), QStringList({"Arial"}));
  EXPECT_EQ(plain.fontPointSize(), HelpHeightToPoints(14, dpi));
  const QTextCharFormat styled = FormatAt(1);
  EXPECT_EQ(styled.foreground().color(), QColor(0xC0, 0x40, 0x00));
  EXPECT_EQ(styled.fontFamilies().toStringList(), QStringList({"Courier New"}));
  EXPECT_EQ(styled.fontPointSize(), HelpHeightToPoints(20, dpi));
  EXPECT_TRUE(styled.fontItalic());
  EXPECT_TRUE(styled.fontUnderline());
  EXPECT_TRUE(styled.fontStrikeOut());
}

TEST_F(RenderHelpTextTest, EachRenderingStartsAfreshFromThePlainAttributes) {
  RenderHelpText("{{{+b}}}{{{c=FF0000}}}old");
  RenderHelpText("new");
  EXPECT_EQ(HelpWindow().reText->toPlainText(), "new");
  EXPECT_NE(FormatAt(0).fontWeight(), QFont::Bold);
  EXPECT_EQ(FormatAt(0).foreground().color(), QColor(0, 0, 0));
}

TEST_F(RenderHelpTextTest, WindowsCyrillicIsShownAsUnicode) {
  RenderHelpText("\xD3\xF1\xEB\xEE\xE2\xE8\xE5{{{n}}}\xB8");
  EXPECT_EQ(HelpWindow().reText->toPlainText(), QString::fromUtf8("Условие\nё"));
}

}  // namespace
