#include "editwindow/EditorDialogs.h"

#include <QFileDialog>

#include "editwindow/EditorTexts.h"
#include "framework/MessageBox.h"
#include "framework/QtText.h"

namespace {

int RunBox(QWidget* parent, const TMessageBoxRequest& request) {
  if (const TMessageBoxHandler& handler = MessageBoxHandler()) return handler(request);
  return NewMessageBox(request, parent)->exec();
}

}  // namespace

TUnsavedAnswer AskToSaveChanges(QWidget* parent, const TEditorTexts& texts) {
  TMessageBoxRequest request;
  request.caption = texts.Text("title");
  request.text = texts.Text("dialogs/saveChanges");
  request.icon = QMessageBox::Question;
  request.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  request.defaultButton = QMessageBox::Save;
  const int answer = RunBox(parent, request);
  if (answer == QMessageBox::Save) return TUnsavedAnswer::Save;
  if (answer == QMessageBox::Discard) return TUnsavedAnswer::Discard;
  // Escape, the window's close button, anything else: nothing is lost.
  return TUnsavedAnswer::Cancel;
}

void ShowEditorMessage(QWidget* parent, const TEditorTexts& texts, QMessageBox::Icon icon, const QString& text) {
  TMessageBoxRequest request;
  request.caption = texts.Text("title");
  request.text = text;
  request.icon = icon;
  RunBox(parent, request);
}

std::optional<std::string> ChooseMapFile(QWidget* parent, const TEditorTexts& texts, TFileDialogKind kind,
                                         const std::string& folder) {
  TFileDialogRequest request;
  request.kind = kind;
  request.folder = folder;
  request.nameFilters = {texts.Text("dialogs/mapFilter"), texts.Text("dialogs/allFiles")};
  request.defaultExtension = "txt";
  request.overwritePrompt = kind == TFileDialogKind::Save;
  if (const TFileDialogHandler& handler = FileDialogHandler()) return handler(request);

  QFileDialog dialog(parent, kind == TFileDialogKind::Open ? texts.Plain("action/open") : texts.Plain("action/saveAs"),
                     PathToQString(folder));
  dialog.setNameFilters(request.nameFilters);
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (kind == TFileDialogKind::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QStringToPath(dialog.selectedFiles().first());
}
