// The game's command line, in Qt's manner.
#include "game/GameCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>

#include "engine/EngineError.h"
#include "framework/ByteArguments.h"
#include "game/GlowmereApplication.h"

namespace {

const QCommandLineOption MapOption(QStringLiteral("map"),
                                   QString::fromUtf8("Открыть карту уровня FILE ('#' стена, '.' пол), для "
                                                     "автора уровня; рекорд и позиция игрока не затрагиваются.\n"
                                                     "Open a level designer's map FILE; the player's record and "
                                                     "position are left alone."),
                                   QStringLiteral("FILE"));

void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(QString::fromUtf8(
      "Огни подземелья: осветите весь пол подземелья как можно меньшим числом светильников.\n"
      "Glowmere: light the whole dungeon floor with as few lights as you can."));
  parser.addOption(MapOption);
  parser.addPositionalArgument(QStringLiteral("SOLUTION"),
                               QString::fromUtf8("С --map: решение, которое показать на карте.\n"
                                                 "With --map: a solution file to show on the map."),
                               QStringLiteral("[SOLUTION]"));
}

}  // namespace

void ProcessGameCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  Describe(parser);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QStringList arguments = ByteArguments(argc, argv);
  // Errors are reported by ReadGameOptions, once Qt has taken its options.
  parser.parse(arguments);
  if (!parser.isSet(help) && !parser.isSet(version) && !parser.isSet(QStringLiteral("help-all"))) return;

  // A core application, which needs no display, for the texts Qt prints.
  int count = argc;
  QCoreApplication core(count, argv);
  NameGlowmereApplication();
  if (parser.isSet(version)) parser.showVersion();
  parser.showHelp(0);
}

std::optional<TGameOptions> ReadGameOptions(const QStringList& arguments, std::ostream& err) {
  QCommandLineParser parser;
  Describe(parser);
  auto refuse = [&err](const std::string& why) {
    err << "glowmere: " << why << "\n";
    return std::nullopt;
  };
  const bool parsed = parser.parse(arguments);
  const QStringList given = arguments.mid(1);
  const bool asksForMap = std::any_of(given.begin(), given.end(), [](const QString& a) {
    return a == QLatin1String("--map") || a.startsWith(QLatin1String("--map="));
  });
  // A plain start ignores what it does not know, as it always has; a
  // designer's command line is read strictly.
  if (!asksForMap) return TGameOptions{};
  if (!parsed) return refuse(ArgumentBytes(parser.errorText()));
  const QStringList rest = parser.positionalArguments();
  TGameOptions options;
  if (rest.size() > 1) return refuse("one SOLUTION at most, got " + std::to_string(rest.size()));
  try {
    options.level = DesignerLevel(ArgumentBytes(parser.value(MapOption)));
  } catch (const EEngineError& e) {
    return refuse(e.what());
  }
  if (!rest.isEmpty()) options.solutionPath = ArgumentBytes(rest.first());
  return options;
}
