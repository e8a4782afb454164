// A file's bytes, inode and modification time: equal stamps mean nobody
// wrote, replaced, truncated or touched it. A missing name stamps as {}.
#pragma once

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>

struct TFileStamp {
  std::string bytes;  // empty for a folder
  ino_t inode = 0;
  long long seconds = 0, nanoseconds = 0;
  bool operator==(const TFileStamp&) const = default;
};

inline TFileStamp StampOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  std::ifstream in(path, std::ios::binary);
  std::string bytes = S_ISREG(info.st_mode) ? std::string(std::istreambuf_iterator<char>(in), {}) : "";
  return {bytes, info.st_ino, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}
