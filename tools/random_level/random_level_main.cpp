// glowmere-random-level WIDTH HEIGHT SEED: prints a random level's map
// text (see RandomLevel.h), for glowmere-solve --map and the scale
// benchmark.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "tools/random_level/RandomLevel.h"

namespace {

constexpr int32_t MaxSide = 4096;

const char* const Usage =
    "usage: glowmere-random-level WIDTH HEIGHT SEED\n"
    "  WIDTH, HEIGHT  whole numbers from 1 to 4096 (cells)\n"
    "  SEED           a whole number from 0 to 18446744073709551615\n";

// Digits only, the whole argument, within the type: "-1", "+5", " 7",
// "1e3" and a number past the type's range are no such number.
template <class T>
std::optional<T> WholeNumber(const char* text) {
  const char* end = text + std::strlen(text);
  T value{};
  if (text == end || *text < '0' || *text > '9') return std::nullopt;
  const auto [stop, error] = std::from_chars(text, end, value);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

int Refuse(const char* why) {
  std::fprintf(stderr, "glowmere-random-level: %s\n%s", why, Usage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Refuse("three arguments are needed");
  const std::optional<int32_t> width = WholeNumber<int32_t>(argv[1]);
  const std::optional<int32_t> height = WholeNumber<int32_t>(argv[2]);
  const std::optional<uint64_t> seed = WholeNumber<uint64_t>(argv[3]);
  if (!width || !height || *width < 1 || *height < 1 || *width > MaxSide || *height > MaxSide)
    return Refuse("WIDTH and HEIGHT must be whole numbers from 1 to 4096");
  if (!seed) return Refuse("SEED must be a whole number from 0 to 18446744073709551615");
  const std::string text = RandomLevelText(*width, *height, *seed);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
