// The help window: the task's statement and user manual in one modal
// dialog, their texts rendered from the help markup, and the statement's
// show-at-start choice kept in the settings file.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTextEdit>
#include <string>

// A check box that says which document the window shows: 0 the user
// manual, 1 the statement.
class TTaggedCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  using QCheckBox::QCheckBox;
  int Tag = 0;
};

class TfmHelp : public QDialog {
  Q_OBJECT

 public:
  static constexpr int ClientWidth = 627;
  static constexpr int ClientHeight = 443;

  explicit TfmHelp(QWidget* parent = nullptr);

  // Children, owned by the window.
  QTextEdit* reText = nullptr;
  TTaggedCheckBox* cbShowOnStart = nullptr;
  QPushButton* btClose = nullptr;

  // Replaces the view's content by the rendered markup (Windows-1251).
  void RenderHelpText(const std::string& text);

  // Stores the box's state under the setting its tag selects.
  void cbShowOnStartClick();

  // Sets the box as a program would; a change of state counts as a click,
  // so the setting is stored. Qt's setChecked alone would store nothing.
  void SetShowOnStartChecked(bool checked);
};

// Create the help window if needed, set the tag, and show the document.
// Explicit: the user asked for it (shown whatever the setting, counted).
void ShowStatement(bool Explicit);
void ShowUserManual(bool Explicit);

void ShowHelpWindow(bool Explicit, const std::string& captionKey, const std::string& textKey,
                    const std::string& showOnStartKey, const std::string& statisticKey, bool offerShowOnStart);

// RenderHelpText on the help window, created if needed.
void RenderHelpText(const std::string& text);

// The help window, created on first use; lives until FinalizeTask.
TfmHelp& HelpWindow();
