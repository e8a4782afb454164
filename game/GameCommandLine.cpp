// The game's command line, in Qt's manner.
#include "game/GameCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include "game/GlowmereApplication.h"

void ProcessGameCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(
      "Огни подземелья: осветите весь пол подземелья как можно меньшим числом светильников.\n"
      "Glowmere: light the whole dungeon floor with as few lights as you can."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  // Errors are not ours to report: an option we do not know may be Qt's.
  parser.parse(arguments);
  if (!parser.isSet(help) && !parser.isSet(version) && !parser.isSet(QStringLiteral("help-all"))) return;

  // A core application, which needs no display, for the texts Qt prints.
  int count = argc;
  QCoreApplication core(count, argv);
  NameGlowmereApplication();
  if (parser.isSet(version)) parser.showVersion();
  parser.showHelp(0);
}
