// glowmere-judge [--rank] FILE...: one line per file (verdict, share,
// path); --help describes the columns and the exit statuses.
#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "judge/Judge.h"

int main(int argc, char** argv) {
  QCoreApplication::setApplicationVersion(QStringLiteral(GLOWMERE_VERSION));
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunJudge(args, std::cout, std::cerr);
}
