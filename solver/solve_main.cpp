// glowmere-solve [--map FILE] [--out FILE] [--time-limit SECONDS]
//                [--threads N]
#include <QCoreApplication>
#include <iostream>

#include "solver/SolveCommand.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("glowmere-solve");
  QCoreApplication::setApplicationVersion(QStringLiteral(GLOWMERE_VERSION));
  return RunSolve(QCoreApplication::arguments(), std::cout, std::cerr);
}
