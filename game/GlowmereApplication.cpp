#include "game/GlowmereApplication.h"

#include <QMessageBox>
#include <exception>

std::function<void(const std::string&)> ErrorReportHandler;

void ReportError(const std::string& text) {
  if (ErrorReportHandler) {
    ErrorReportHandler(text);
    return;
  }
  QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), QString::fromStdString(text));
}

TGlowmereApplication::TGlowmereApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Glowmere"));
  setApplicationDisplayName(QStringLiteral("Glowmere"));
}

bool TGlowmereApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ReportError(e.what());
  }
  return false;
}
