#include "game/GlowmereApplication.h"

#include <QIcon>
#include <QMessageBox>
#include <exception>

#include "framework/ProgramFolder.h"
#include "framework/TaskStart.h"

std::function<void(const std::string&)> ErrorReportHandler;

void ReportError(const std::string& text) {
  if (ErrorReportHandler) {
    ErrorReportHandler(text);
    return;
  }
  // Captioned like the game window, whose title is the localized one.
  const QString caption = TaskWindow && !TaskWindow->windowTitle().isEmpty() ? TaskWindow->windowTitle()
                                                                             : QApplication::applicationName();
  QMessageBox::critical(nullptr, caption, QString::fromStdString(text));
}

void NameGlowmereApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("Glowmere"));
  QCoreApplication::setApplicationVersion(QStringLiteral(GLOWMERE_VERSION));
}

TGlowmereApplication::TGlowmereApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // No display name: Qt would append it to every window title (" — Glowmere"),
  // and the titles are the localized texts alone.
  NameGlowmereApplication();
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
