// See QtOwnSettings.h. The path has to be unmakeable rather than merely
// absent: Qt creates the missing folders of a settings file before it writes.
#include "framework/QtOwnSettings.h"

#include <QSettings>

void KeepQtSettingsOffDisk() {
  const QString nowhere = QStringLiteral("/dev/null/qt-settings");
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}
