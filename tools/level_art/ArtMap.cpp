// Reading the map text for the picture generator.
#include "ArtMap.h"

#include <QFile>
#include <QStringList>

bool ReadArtMap(const QString& path, ArtMap& map, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("cannot open %1").arg(path);
    return false;
  }
  const QString text = QString::fromLatin1(file.readAll());
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  if (lines.isEmpty() || lines.first().isEmpty()) {
    error = QStringLiteral("%1 holds no map").arg(path);
    return false;
  }
  ArtMap result;
  result.width = int(lines.first().size());
  result.height = int(lines.size());
  result.walls.assign(size_t(result.width) * size_t(result.height), false);
  for (int r = 0; r < result.height; ++r) {
    const QString& line = lines[r];
    if (line.size() != result.width) {
      error = QStringLiteral("%1: line %2 is %3 characters long, not %4")
                  .arg(path).arg(r + 1).arg(line.size()).arg(result.width);
      return false;
    }
    for (int c = 0; c < result.width; ++c) {
      const QChar ch = line[c];
      if (ch == QLatin1Char('#')) {
        result.walls[size_t(r) * size_t(result.width) + size_t(c)] = true;
      } else if (ch != QLatin1Char('.')) {
        error = QStringLiteral("%1: line %2, column %3: unexpected character")
                    .arg(path).arg(r + 1).arg(c + 1);
        return false;
      }
    }
  }
  map = std::move(result);
  return true;
}
