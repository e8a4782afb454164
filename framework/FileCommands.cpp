// ExecuteSaveDialog, ExecuteOpenDialog, statistics and certificate.
#include "framework/FileCommands.h"

#include <QDir>
#include <cstdint>
#include <QFileDialog>
#include <filesystem>
#include <optional>

#include "framework/Modal.h"
#include "framework/QtText.h"
#include "framework/TaskLevelPath.h"
#include "framework/TaskStart.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// The chosen file name, or nothing when the user cancelled. An empty name
// counts as cancelled: no dialog confirms one, and no tree could use it.
std::optional<std::string> RunFileDialog(QFileDialog* dialog, TFileDialogKind kind) {
  std::optional<std::string> chosen;
  if (const TFileDialogHandler& handler = FileDialogHandler()) {
    TFileDialogRequest request;
    request.kind = kind;
    request.folder = dialog ? QStringToPath(dialog->directory().absolutePath()) : DocumentsFolder;
    request.filter = FileDialogFilter;
    request.nameFilters = dialog ? dialog->nameFilters() : FilterToNameFilters(FileDialogFilter);
    request.defaultExtension = DefaultExtension;
    request.overwritePrompt = dialog ? !dialog->testOption(QFileDialog::DontConfirmOverwrite)
                                     : kind == TFileDialogKind::Save;
    chosen = handler(request);
  } else if (dialog && dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    chosen = QStringToPath(dialog->selectedFiles().first());
  }
  if (chosen && chosen->empty()) chosen.reset();
  return chosen;
}

std::unique_ptr<TIniNameValueTree> OpenChosenTree(const std::string& fileName) {
  try {
    return std::make_unique<TIniNameValueTree>(fileName);
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

std::unique_ptr<TIniNameValueTree> ExecuteSaveDialog() {
  IncStatistic("/fileoperations/save-click");
  const std::optional<std::string> fileName = RunFileDialog(SaveDialog, TFileDialogKind::Save);
  if (!fileName) return nullptr;
  IncStatistic("/fileoperations/save");
  std::unique_ptr<TIniNameValueTree> tree = OpenChosenTree(*fileName);
  if (tree) tree->WriteInteger(TaskLevelPath, TaskLevel);
  return tree;
}

std::unique_ptr<TIniNameValueTree> ExecuteOpenDialog(TOpenOutcome* outcome) {
  TOpenOutcome ignored;
  TOpenOutcome& result = outcome ? *outcome : ignored;
  result = TOpenOutcome::Cancelled;
  IncStatistic("/fileoperations/load-click");
  const std::optional<std::string> fileName = RunFileDialog(OpenDialog, TFileDialogKind::Open);
  if (!fileName) return nullptr;
  IncStatistic("/fileoperations/load");
  result = TOpenOutcome::Unreadable;
  // A name with no file behind it would give an empty tree; there is
  // nothing to read, and nothing may be created.
  std::error_code error;
  if (!std::filesystem::exists(*fileName, error)) return nullptr;
  std::unique_ptr<TIniNameValueTree> tree = OpenChosenTree(*fileName);
  if (!tree) return nullptr;
  tree->SetWriteBack(false);
  result = TOpenOutcome::Opened;
  return tree;
}

void IncStatistic(const std::string& path) {
  if (!StatisticsTree) return;
  const int32_t count = StatisticsTree->ReadInteger(path, 0);
  // A counter edited up to the top stays there rather than wrapping negative.
  StatisticsTree->WriteInteger(path, count == INT32_MAX ? count : count + 1);
}

void WriteLines(TNameValueTree& tree, const std::string& prefix, const std::vector<std::string>& lines) {
  const auto count = static_cast<int32_t>(lines.size());
  tree.WriteInteger(prefix + "lines", count);
  for (int32_t i = 0; i < count; ++i) tree.WriteString(prefix + "line", lines[static_cast<size_t>(i)], i);
}

void WriteCertificate(const std::vector<std::string>& lines) {
  if (!RecordTree) return;
  WriteLines(*RecordTree, "/Certificate/", lines);
  RecordTree->Flush();
}

void WriteCertificateLine(const std::string& line) { WriteCertificate({line}); }

QStringList FilterToNameFilters(const std::string& filter) {
  QStringList result;
  const std::vector<std::string> parts = Split(filter, '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const std::string& pattern : Split(parts[i + 1], ';')) {
      if (pattern.empty()) continue;
      patterns << (pattern == "*.*" ? QString("*") : Cp1251ToQString(pattern));
    }
    if (patterns.isEmpty()) patterns << "*";
    // Simplified as QFileDialog stores them, so that a seam sees what the dialog shows.
    result << (Cp1251ToQString(parts[i]) + " (" + patterns.join(' ') + ")").simplified();
  }
  return result;
}
