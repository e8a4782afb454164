// glowmere-judge FILE...      one line per file: verdict, share, path
// glowmere-judge --rank FILE... the same lines, best first
#include <QApplication>
#include <iostream>

#include "game/Judge.h"

int main(int argc, char** argv) {
  // The judge never needs a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setApplicationVersion(QStringLiteral(GLOWMERE_VERSION));
  std::vector<std::string> args(argv + 1, argv + argc);
  return RunJudge(args, std::cout, std::cerr);
}
