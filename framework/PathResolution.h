// Turning a tree path and index into an INI section and key: "/etc/level"
// is key "level" of section "/etc/", element 2 of "x" is key "x#2" of "/".
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A broken internal contract of the framework; never caught by it.
class EAssertionFailed : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// "Assertion failure (TUVAPI, line 259)" for the empty-path contract.
std::string AssertionMessage(const char* message, const char* sourceName, int line);

// Appends the index ("x"+2 -> "x#2", "/a/b/"+3 -> "/a/b#3/"; 0 adds
// nothing) and puts basePath before a path that starts with neither "/" nor
// "#". An empty path throws EAssertionFailed: the tree's operations filter it
// out before they get here.
std::string ResolvePath(const std::string& basePath, const std::string& path, int32_t index);

struct TSectionKey {
  std::string Section;  // up to and including a "/", e.g. "/etc/"
  std::string Key;      // the rest, e.g. "level"; may end with "/"
};

// Splits at the last "/", or at the one before it when the path ends with
// "/". A path with no usable "/" ("/" alone, "#x", "#x/") gives an empty
// section and an empty key.
TSectionKey SplitPath(const std::string& resolvedPath);
