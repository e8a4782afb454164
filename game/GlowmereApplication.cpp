#include "game/GlowmereApplication.h"

#include <QIcon>
#include <QMessageBox>
#include <exception>

#include "framework/ProgramFolder.h"

std::function<void(const std::string&)> ErrorReportHandler;

void ReportError(const std::string& text) {
  if (ErrorReportHandler) {
    ErrorReportHandler(text);
    return;
  }
  QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), QString::fromStdString(text));
}

void NameGlowmereApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("Glowmere"));
  QCoreApplication::setApplicationVersion(QStringLiteral(GLOWMERE_VERSION));
}

TGlowmereApplication::TGlowmereApplication(int& argc, char** argv) : QApplication(argc, argv) {
  NameGlowmereApplication();
  setApplicationDisplayName(QStringLiteral("Glowmere"));
  // Lets the desktop match the window with the menu entry and its icon.
  setDesktopFileName(QStringLiteral(GLOWMERE_APP_ID));
  setWindowIcon(QIcon::fromTheme(QStringLiteral(GLOWMERE_APP_ID)));
  SetInstalledDataFolder(GLOWMERE_INSTALLED_DATA);
}

bool TGlowmereApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ReportError(e.what());
  }
  return false;
}
