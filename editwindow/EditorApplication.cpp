#include "editwindow/EditorApplication.h"

#include <QIcon>
#include <QMessageBox>
#include <exception>

#include "editwindow/SiblingProgram.h"
#include "framework/ProgramFolder.h"
#include "framework/QtOwnSettings.h"
#include "framework/QtTranslation.h"

void NameEditorApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("glowmere-edit"));
  QCoreApplication::setApplicationVersion(QStringLiteral(GLOWMERE_VERSION));
}

TEditorApplication::TEditorApplication(int& argc, char** argv) : QApplication(argc, argv) {
  NameEditorApplication();
  setDesktopFileName(QStringLiteral(GLOWMERE_EDITOR_APP_ID));
  setWindowIcon(QIcon::fromTheme(QStringLiteral(GLOWMERE_EDITOR_APP_ID)));
  SetInstalledDataFolder(GLOWMERE_INSTALLED_DATA);
  SetInstalledProgramFolder(GLOWMERE_INSTALLED_PROGRAMS);
  InstallQtTranslation();
  KeepQtSettingsOffDisk();
}

bool TEditorApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, applicationName(), QString::fromStdString(e.what()));
  }
  return false;
}
