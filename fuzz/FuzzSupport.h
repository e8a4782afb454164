// Shared pieces of the fuzz targets: a private scratch folder per process
// (under TMPDIR, removed at exit), writing an input to a file in it, and the
// check that turns a broken guarantee into a crash libFuzzer records.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

// Aborts with the failed condition and a note; libFuzzer keeps the input.
#define FUZZ_CHECK(condition, note)                                                          \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "FUZZ_CHECK failed: %s (%s) at %s:%d\n", #condition, note, __FILE__, \
                   __LINE__);                                                                \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

// The process's scratch folder, made at first use and removed when the
// process ends normally (a crashed run leaves it for inspection).
inline const std::string& FuzzScratchFolder() {
  static const std::string folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "glowmere-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    static std::string removeAtExit;
    removeAtExit = pattern;
    std::atexit([] {
      std::error_code error;
      std::filesystem::remove_all(removeAtExit, error);
    });
    return pattern;
  }();
  return folder;
}

inline void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  FUZZ_CHECK(file.good(), "scratch file not written");
}
