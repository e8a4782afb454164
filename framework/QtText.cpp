// Code-page and file-name conversions between the framework and Qt.
#include "framework/QtText.h"

#include <QFile>

#include "framework/CodePage.h"

QString Cp1251ToQString(std::string_view bytes) {
  const std::string utf8 = Cp1251ToUtf8(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString PathToQString(const std::string& path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string QStringToPath(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}
