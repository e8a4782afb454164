// POSIX implementation of WholeFile.h.
#include "framework/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

long long failAfterBytesForTesting = -1;

constexpr int MaxLinkDepth = 40;  // as the kernel's own limit for a path

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The path that finally names a file, following symbolic links of the last
// component (a link to a link to a missing file gives the missing file).
bool FollowLinks(std::string path, std::string& target) {
  for (int depth = 0; depth < MaxLinkDepth; ++depth) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      target = path;
      return true;
    }
    std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t length = readlink(path.c_str(), link.data(), link.size());
    if (length <= 0 || static_cast<size_t>(length) >= link.size()) return false;
    link.resize(static_cast<size_t>(length));
    path = link.front() == '/' ? link : DirectoryOf(path) + "/" + link;
  }
  return false;
}

// The process's umask without changing it (umask() would change it for a
// moment, which other threads could notice).
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
  }
  return 022;
}

bool WriteAll(int fd, std::string_view bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    size_t chunk = bytes.size() - written;
    if (failAfterBytesForTesting >= 0) {
      const long long allowed = failAfterBytesForTesting - static_cast<long long>(written);
      if (allowed <= 0) {
        errno = ENOSPC;
        return false;
      }
      if (static_cast<long long>(chunk) > allowed) chunk = static_cast<size_t>(allowed);
    }
    const ssize_t n = write(fd, bytes.data() + written, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    written += static_cast<size_t>(n);
  }
  return true;
}

void SyncDirectory(const std::string& directory) {
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);  // best effort: the rename itself has happened either way
  close(fd);
}

}  // namespace

TReadResult ReadWholeFile(const std::string& fileName, std::string& bytes, std::string& error) {
  bytes.clear();
  struct stat st;
  if (fileName.empty() || stat(fileName.c_str(), &st) != 0) return TReadResult::Missing;
  // Non-blocking, so that a named pipe of that name cannot hang the start.
  const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = std::strerror(errno);
    return TReadResult::Unreadable;
  }
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = S_ISDIR(st.st_mode) ? "Is a directory" : "Not a regular file";
    close(fd);
    return TReadResult::Unreadable;
  }
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      close(fd);
      bytes.clear();
      return TReadResult::Unreadable;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return TReadResult::Read;
}

bool WriteFileAtomically(const std::string& fileName, std::string_view bytes, TDurability durability) {
  if (fileName.empty()) return false;
  std::string target;
  if (!FollowLinks(fileName, target)) return false;

  struct stat st;
  const bool exists = stat(target.c_str(), &st) == 0;
  if (exists && (!S_ISREG(st.st_mode) || access(target.c_str(), W_OK) != 0)) return false;

  const std::string directory = DirectoryOf(target);
  const size_t slash = target.rfind('/');
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + "." + name +
                          ".XXXXXX";
  int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0 && errno == ENAMETOOLONG) {
    // A name near the length limit leaves no room for the decoration.
    temporary = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + ".tree.XXXXXX";
    fd = mkostemp(temporary.data(), O_CLOEXEC);
  }
  if (fd < 0) return false;

  bool ok = fchmod(fd, exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask())) == 0;
  if (ok && exists && (st.st_uid != geteuid() || st.st_gid != getegid())) {
    // Only a privileged process may give the file away; for others the new
    // file is simply theirs, as a rewritten file would have been.
    [[maybe_unused]] const int ignored = fchown(fd, st.st_uid, st.st_gid);
  }
  const bool synced = durability == TDurability::Synced;
  ok = ok && WriteAll(fd, bytes) && (!synced || fsync(fd) == 0);
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  if (synced) SyncDirectory(directory);
  return true;
}

void SetWriteFailureForTesting(long long failAfterBytes) { failAfterBytesForTesting = failAfterBytes; }
