// Path resolution of the named-value trees; see PathResolution.h.
#include "framework/PathResolution.h"

#include <cstdio>
#include <vector>

std::string AssertionMessage(const char* message, const char* sourceName, int line) {
  const char* pattern = "%s (%s, line %d)";
  const int length = std::snprintf(nullptr, 0, pattern, message, sourceName, line);
  if (length <= 0) return message;
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  std::snprintf(buffer.data(), buffer.size(), pattern, message, sourceName, line);
  return std::string(buffer.data(), static_cast<size_t>(length));
}

std::string ResolvePath(const std::string& basePath, const std::string& path, int32_t index) {
  if (path.empty()) throw EAssertionFailed(AssertionMessage("Assertion failure", "TUVAPI", 259));
  std::string resolved = path;
  if (index != 0) {
    const std::string suffix = "#" + std::to_string(index);
    if (resolved.back() == '/') {
      resolved.pop_back();
      resolved += suffix + "/";
    } else {
      resolved += suffix;
    }
  }
  if (resolved.front() == '/' || resolved.front() == '#') return resolved;
  return basePath + resolved;
}

TSectionKey SplitPath(const std::string& resolvedPath) {
  size_t slash = resolvedPath.rfind('/');
  if (slash == std::string::npos) return {};
  const size_t last = resolvedPath.size() - 1;
  if (slash == last && slash > 0) {
    const size_t previous = resolvedPath.rfind('/', slash - 1);
    if (previous != std::string::npos) slash = previous;
  }
  if (slash == last) return {};
  return {resolvedPath.substr(0, slash + 1), resolvedPath.substr(slash + 1)};
}
