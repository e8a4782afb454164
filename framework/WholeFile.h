// Whole-file reading and replacing for the named-value trees. Replacing is
// atomic: the new bytes go to a temporary file beside the target, which is
// then renamed over the target in one step, so a full disk or a killed
// process leaves either the old file or the new one, never a truncated one.
// A synced replacement also reaches the disk before the rename, so that a
// power cut cannot undo it either.
#pragma once

#include <string>
#include <string_view>

enum class TReadResult {
  Read,        // bytes hold the whole file
  Missing,     // no file of that name
  Unreadable,  // it exists but is no regular file or cannot be read; error says why
};

TReadResult ReadWholeFile(const std::string& fileName, std::string& bytes, std::string& error);

// How far a replacement has gone when WriteFileAtomically returns.
enum class TDurability {
  // The new bytes and the rename are on the disk (the file and its folder
  // synced): a power cut keeps the new file. For files written seldom.
  Synced,
  // The rename is made and the kernel holds the bytes: a killed process
  // keeps the new file, a power cut before the kernel writes it back may
  // not. No disk wait, for a file written at every step of play.
  Renamed,
};

// Replaces the file's content with bytes. A symbolic link is followed, so the
// link stays and its target gets the bytes; an existing target keeps its
// permissions (and its owner where we may set it), a new one gets
// 0666 less the umask. A target that exists but may not be written is left
// alone. False on any failure, and then the target is exactly as before and
// no temporary file remains.
bool WriteFileAtomically(const std::string& fileName, std::string_view bytes,
                         TDurability durability = TDurability::Synced);

// For tests of the failure path: the next writes fail with "no space" once
// this many bytes of the temporary file are written; negative switches it
// off again.
void SetWriteFailureForTesting(long long failAfterBytes);
