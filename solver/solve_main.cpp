// glowmere-solve [--map FILE] [--out FILE] [--time-limit SECONDS]
//                [--threads N]
#include <QCoreApplication>
#include <iostream>

#include "framework/ByteArguments.h"
#include "solver/SolveCommand.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName("glowmere-solve");
  QCoreApplication::setApplicationVersion(QStringLiteral(GLOWMERE_VERSION));
  // The arguments as bytes, so that a file name is kept as it was given.
  return RunSolve(ByteArguments(argc, argv), std::cout, std::cerr);
}
