// TfmHelp and the statement / user manual commands.
#include "framework/HelpWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include "framework/FileCommands.h"
#include "framework/HelpMarkup.h"
#include "framework/Modal.h"
#include "framework/QtText.h"
#include "framework/TaskStart.h"

namespace {

constexpr int ShowUserManualTag = 0;
constexpr int ShowStatementTag = 1;

QTextCharFormat ToCharFormat(const THelpAttributes& attributes, int dpi) {
  QTextCharFormat format;
  format.setForeground(QColor(static_cast<int>((attributes.color >> 16) & 0xFF),
                              static_cast<int>((attributes.color >> 8) & 0xFF),
                              static_cast<int>(attributes.color & 0xFF)));
  format.setFontFamilies({Cp1251ToQString(attributes.fontName)});
  format.setFontWeight(attributes.bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(attributes.italic);
  format.setFontUnderline(attributes.underline);
  format.setFontStrikeOut(attributes.strikeOut);
  format.setFontPointSize(HelpHeightToPoints(attributes.heightPx, dpi));
  return format;
}

std::string CommonText(const std::string& key) {
  return CommonLocalization ? CommonLocalization->Translate(key) : MissingText;
}

std::string TaskText(const std::string& key) {
  return TaskLocalization ? TaskLocalization->Translate(key) : MissingText;
}

}  // namespace

TfmHelp::TfmHelp(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("fmHelp");
  setWindowTitle(QString::fromUtf8("#Помощь"));
  setFont(QFont("Tahoma", 8));
  setFixedSize(ClientWidth, ClientHeight);
  setWindowModality(Qt::ApplicationModal);

  reText = new QTextEdit(this);
  reText->setObjectName("reText");
  reText->setGeometry(8, 8, 609, 388);
  reText->setReadOnly(true);
  reText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  reText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  cbShowOnStart = new TTaggedCheckBox(this);
  cbShowOnStart->setObjectName("cbShowOnStart");
  cbShowOnStart->setGeometry(8, 410, 509, 17);
  cbShowOnStart->setText(QString::fromUtf8("#Показывать при запуске"));
  connect(cbShowOnStart, &QCheckBox::clicked, this, [this] { cbShowOnStartClick(); });

  btClose = new QPushButton(this);
  btClose->setObjectName("btClose");
  btClose->setGeometry(537, 402, 80, 33);
  btClose->setText(QString::fromUtf8("#закрыть"));
  btClose->setDefault(true);
  connect(btClose, &QPushButton::clicked, this, &QDialog::accept);

  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TfmHelp::RenderHelpText(const std::string& text) {
  const int dpi = reText->logicalDpiY();
  const QTextCharFormat reset = ToCharFormat(THelpAttributes{}, dpi);
  reText->clear();
  reText->setCurrentCharFormat(reset);
  QTextCursor cursor(reText->document());
  cursor.setBlockCharFormat(reset);
  for (const THelpRun& run : ParseHelpMarkup(text)) {
    const QTextCharFormat format = ToCharFormat(run.attributes, dpi);
    if (run.lineBreak) {
      cursor.insertBlock(QTextBlockFormat(), format);
    } else {
      cursor.insertText(Cp1251ToQString(run.text), format);
    }
  }
  reText->moveCursor(QTextCursor::Start);
}

void TfmHelp::cbShowOnStartClick() {
  std::string key;
  switch (cbShowOnStart->Tag) {
    case ShowUserManualTag: key = "/help/showonstart/usermanual"; break;
    case ShowStatementTag: key = "/help/showonstart/statement"; break;
    default: return;
  }
  // Without a settings file the choice lasts as long as the box shows it.
  // Written at once, so that a killed game does not show the statement
  // again to a player who turned it off.
  if (!SettingsTree) return;
  SettingsTree->WriteBool(key, cbShowOnStart->isChecked());
  SettingsTree->Flush();
}

void TfmHelp::SetShowOnStartChecked(bool checked) {
  if (cbShowOnStart->isChecked() == checked) return;
  cbShowOnStart->setChecked(checked);
  cbShowOnStartClick();
}

TfmHelp& HelpWindow() {
  if (!fmHelp) fmHelp = new TfmHelp();
  return *fmHelp;
}

void RenderHelpText(const std::string& text) { HelpWindow().RenderHelpText(text); }

void ShowStatement(bool Explicit) {
  HelpWindow().cbShowOnStart->Tag = ShowStatementTag;
  ShowHelpWindow(Explicit, "/help/caption/statement", "/help/statement", "/help/showonstart/statement",
                 "/help/statement", true);
}

void ShowUserManual(bool Explicit) {
  HelpWindow().cbShowOnStart->Tag = ShowUserManualTag;
  ShowHelpWindow(Explicit, "/help/caption/usermanual", "/help/usermanual", "/help/showonstart/usermanual",
                 "/help/usermanual", false);
}

void ShowHelpWindow(bool Explicit, const std::string& captionKey, const std::string& textKey,
                    const std::string& showOnStartKey, const std::string& statisticKey, bool offerShowOnStart) {
  TfmHelp& help = HelpWindow();
  const bool showOnStart = SettingsTree ? SettingsTree->ReadBool(showOnStartKey, true) : true;
  if (!showOnStart && !Explicit) return;

  help.RenderHelpText(TaskText(textKey));
  help.setWindowTitle(Cp1251ToQString(CommonText(captionKey)));
  help.reText->setAccessibleName(help.windowTitle());  // screen readers name the text by its document
  help.SetShowOnStartChecked(showOnStart);
  help.btClose->setText(Cp1251ToQString(CommonText("/help/closebutton")));
  help.cbShowOnStart->setText(Cp1251ToQString(CommonText("/help/showonstart")));
  if (Explicit) IncStatistic(statisticKey);
  help.cbShowOnStart->setVisible(offerShowOnStart);
  help.cbShowOnStart->setEnabled(offerShowOnStart);

  if (const THelpWindowHandler& handler = HelpWindowHandler()) {
    handler(help);
    // The handler may have destroyed the window (by finalizing the task).
    if (fmHelp) fmHelp->done(QDialog::Accepted);
  } else {
    help.exec();
  }
}
