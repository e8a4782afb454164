// Where the framework's Windows-1251 byte strings meet Qt's Unicode strings,
// and where native file names (bytes as the file system holds them) meet Qt.
// Texts stay 8-bit everywhere else; only what Qt shows or returns is
// converted, at the last moment.
#pragma once

#include <QString>
#include <string>
#include <string_view>

QString Cp1251ToQString(std::string_view bytes);

// File names are kept as native bytes (UTF-8 on the systems we run on).
QString PathToQString(const std::string& path);
std::string QStringToPath(const QString& path);
