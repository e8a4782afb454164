// POSIX reading for RegularFile.h. The name is looked at before it is
// opened, so that a device is never opened (opening some has effects of its
// own); it is opened without blocking and looked at again through the open
// descriptor, so that a file swapped for a pipe in between is still caught.
#include "engine/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// What a name that is no regular file stands for.
std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder, not a file";
  if (S_ISFIFO(mode)) return "a named pipe, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a regular file";
  if (S_ISSOCK(mode)) return "a socket, not a regular file";
  return "not a regular file";
}

TFileBytes Refused(TFileRefusal refusal, std::string why) {
  TFileBytes result;
  result.refusal = refusal;
  result.why = std::move(why);
  return result;
}

}  // namespace

std::string SizeText(size_t bytes) {
  constexpr size_t MiB = size_t(1) << 20;
  if (bytes >= MiB && bytes % MiB == 0) return std::to_string(bytes / MiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

TFileBytes ReadRegularFile(const std::string& path, size_t maxBytes) {
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0) {
    const int error = path.empty() ? ENOENT : errno;
    return Refused(error == ENOENT ? TFileRefusal::Missing : TFileRefusal::ReadFailed,
                   error == ENOENT ? "no such file" : std::strerror(error));
  }
  if (!S_ISREG(st.st_mode)) return Refused(TFileRefusal::NotRegular, KindOf(st.st_mode));
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return Refused(TFileRefusal::ReadFailed, std::strerror(errno));
  if (fstat(fd, &st) != 0) {
    const int error = errno;
    close(fd);
    return Refused(TFileRefusal::ReadFailed, std::strerror(error));
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    return Refused(TFileRefusal::NotRegular, KindOf(st.st_mode));
  }
  TFileBytes result;
  if (size_t(st.st_size) <= maxBytes) result.bytes.reserve(size_t(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    // One byte past the limit tells a longer file; a file that grows while
    // it is read is caught the same way.
    const size_t room = maxBytes + 1 - result.bytes.size();
    const ssize_t n = read(fd, buffer, room < sizeof buffer ? room : sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      close(fd);
      return Refused(TFileRefusal::ReadFailed, std::strerror(error));
    }
    result.bytes.append(buffer, size_t(n));
    if (result.bytes.size() > maxBytes) {
      close(fd);
      result.refusal = TFileRefusal::TooLarge;
      result.why = "larger than " + SizeText(maxBytes);
      return result;
    }
  }
  close(fd);
  return result;
}
