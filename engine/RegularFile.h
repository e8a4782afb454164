// Reading a whole file that a user names on a command line (a level map,
// a solution for the judge), as a careless or hostile user may name it: a
// named pipe, a device, a folder, a file far larger than any such file.
// Nothing here ever blocks: a name that is no regular file is refused
// before it is read (a pipe without a writer would wait for ever, /dev/zero
// would never end), and at most maxBytes + 1 bytes are read, so a file
// larger than the limit is refused without being read whole.
#pragma once

#include <cstddef>
#include <string>

enum class TFileRefusal {
  None,        // bytes hold the whole file
  Missing,     // no file of that name
  NotRegular,  // a folder, a named pipe, a device, a socket
  TooLarge,    // longer than maxBytes
  ReadFailed,  // the system refused to open or read it
};

struct TFileBytes {
  TFileRefusal refusal = TFileRefusal::None;
  // The file's contents when refusal is None; for TooLarge its first
  // maxBytes + 1 bytes (enough to tell what kind of file it is); else empty.
  std::string bytes;
  // Why it was refused, one line without the file's name: "no such file",
  // "a named pipe, not a regular file", "larger than 16 MiB", the
  // system's reason; empty when read.
  std::string why;
  bool Read() const { return refusal == TFileRefusal::None; }
};

TFileBytes ReadRegularFile(const std::string& path, size_t maxBytes);

// "16 MiB", "40400 bytes": a size as the refusals name it.
std::string SizeText(size_t bytes);
