// glowmere-random-level WIDTH HEIGHT SEED: prints a random level's map
// text (see RandomLevel.h), for glowmere-solve --map and the scale
// benchmark.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/random_level/RandomLevel.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: glowmere-random-level WIDTH HEIGHT SEED\n");
    return 2;
  }
  char* end = nullptr;
  const long width = std::strtol(argv[1], &end, 10);
  const bool widthOk = *end == 0;
  const long height = std::strtol(argv[2], &end, 10);
  const bool heightOk = *end == 0;
  const unsigned long long seed = std::strtoull(argv[3], &end, 10);
  if (!widthOk || !heightOk || *end != 0 || width < 1 || height < 1 || width > 4096 || height > 4096) {
    std::fprintf(stderr, "glowmere-random-level: WIDTH and HEIGHT from 1 to 4096, SEED a whole number\n");
    return 2;
  }
  const std::string text = RandomLevelText(int32_t(width), int32_t(height), seed);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
