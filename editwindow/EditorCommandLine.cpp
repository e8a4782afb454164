#include "editwindow/EditorCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include "editwindow/EditorApplication.h"
#include "framework/QtText.h"

namespace {

void Describe(QCommandLineParser& parser) {
  parser.setApplicationDescription(QString::fromUtf8(
      "Редактор уровней «Огней подземелья»: рисуйте стены и пол, а решатель тем временем ищет и доказывает "
      "наименьшее число светильников.\n"
      "The level editor of Glowmere: draw walls and floor while the solver finds and proves the fewest lights."));
  parser.addPositionalArgument(QStringLiteral("MAP"),
                               QString::fromUtf8("Карта уровня ('#' стена, '.' пол); если файла нет, он будет "
                                                 "создан при сохранении.\n"
                                                 "The level's map ('#' wall, '.' floor); a missing file is made "
                                                 "when the level is saved."),
                               QStringLiteral("[MAP]"));
}

}  // namespace

void ProcessEditorCommandLine(int argc, char** argv) {
  QCommandLineParser parser;
  Describe(parser);
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  parser.parse(arguments);
  if (!parser.isSet(help) && !parser.isSet(version) && !parser.isSet(QStringLiteral("help-all"))) return;
  int count = argc;
  QCoreApplication core(count, argv);
  NameEditorApplication();
  if (parser.isSet(version)) parser.showVersion();
  parser.showHelp(0);
}

std::optional<TEditorOptions> ReadEditorOptions(const QStringList& arguments, std::ostream& err) {
  QCommandLineParser parser;
  Describe(parser);
  if (!parser.parse(arguments)) {
    err << "glowmere-edit: " << parser.errorText().toLocal8Bit().toStdString() << "\n";
    return std::nullopt;
  }
  const QStringList rest = parser.positionalArguments();
  if (rest.size() > 1) {
    err << "glowmere-edit: one MAP at most, got " << rest.size() << "\n";
    return std::nullopt;
  }
  TEditorOptions options;
  if (!rest.isEmpty()) options.mapPath = QStringToPath(rest.first());
  return options;
}
