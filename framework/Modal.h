// Seams in front of the framework's modal windows. Message boxes, file
// dialogs and the help window each run a nested event loop; a test (or any
// caller that cannot wait for a person) installs a handler that answers in
// place of the window. With no handler the real Qt window runs.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

class TfmHelp;

struct TMessageBoxRequest {
  QString text;
  QString caption;
  int32_t kind = 0;  // as given to ShowMessageBox, also when out of range
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  // The button that Enter presses; NoButton leaves the choice to Qt.
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};
// Returns the button pressed (a QMessageBox::StandardButton).
using TMessageBoxHandler = std::function<int(const TMessageBoxRequest&)>;

enum class TFileDialogKind { Open, Save };

struct TFileDialogRequest {
  TFileDialogKind kind = TFileDialogKind::Open;
  std::string folder;            // initial folder, native bytes
  std::string filter;            // "T1|*.ext|T2|*.*", Windows-1251
  QStringList nameFilters;       // the same filter as Qt shows it
  std::string defaultExtension;  // without the dot
  bool overwritePrompt = false;
};
// Returns the chosen file name (native bytes), or nothing for Cancel.
using TFileDialogHandler = std::function<std::optional<std::string>(const TFileDialogRequest&)>;

// Called where the help window would run modally; the handler may look at
// the window, click its check box and close it. The window is closed (with
// OK) after the handler returns.
using THelpWindowHandler = std::function<void(TfmHelp&)>;

// An empty function removes the handler.
void SetMessageBoxHandler(TMessageBoxHandler handler);
void SetFileDialogHandler(TFileDialogHandler handler);
void SetHelpWindowHandler(THelpWindowHandler handler);

const TMessageBoxHandler& MessageBoxHandler();
const TFileDialogHandler& FileDialogHandler();
const THelpWindowHandler& HelpWindowHandler();

// Installs handlers for its lifetime and removes all three afterwards.
class TModalAnswers {
 public:
  TModalAnswers() = default;
  ~TModalAnswers();
  TModalAnswers(const TModalAnswers&) = delete;
  TModalAnswers& operator=(const TModalAnswers&) = delete;

  void OnMessageBox(TMessageBoxHandler handler) { SetMessageBoxHandler(std::move(handler)); }
  void OnFileDialog(TFileDialogHandler handler) { SetFileDialogHandler(std::move(handler)); }
  void OnHelpWindow(THelpWindowHandler handler) { SetHelpWindowHandler(std::move(handler)); }
};
