// What a file is on disk: its bytes, its inode and its modification time.
// Two equal stamps mean nobody wrote, replaced, truncated or touched it;
// a name with nothing behind it stamps as missing.
#pragma once

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

struct TFileStamp {
  bool exists = false;
  std::string bytes;  // empty for a folder
  ino_t inode = 0;
  long long seconds = 0, nanoseconds = 0;  // modification time
  bool operator==(const TFileStamp&) const = default;
};

inline TFileStamp StampOf(const std::string& path) {
  TFileStamp stamp;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.inode = info.st_ino;
  stamp.seconds = info.st_mtim.tv_sec;
  stamp.nanoseconds = info.st_mtim.tv_nsec;
  if (S_ISREG(info.st_mode)) {
    std::ifstream in(path, std::ios::binary);
    stamp.bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  return stamp;
}

// gtest prints this instead of megabytes of bytes.
inline void PrintTo(const TFileStamp& s, std::ostream* out) {
  *out << (s.exists ? "" : "missing ") << s.bytes.size() << " bytes, inode " << s.inode << ", mtime " << s.seconds
       << "." << s.nanoseconds;
}
