#include "framework/StoreAside.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "framework/IniDocument.h"
#include "framework/WholeFile.h"

namespace {

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Renames without replacing: an older damaged file already kept aside
// stays as it is.
bool RenameIfFree(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: a hard link never replaces either.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  unlink(from.c_str());
  return true;
}

}  // namespace

std::string StoreFileBytes(const TIniNameValueTree& tree) {
  std::string bytes, error;
  if (ReadWholeFile(tree.FileName(), bytes, error) != TReadResult::Read) return {};
  return bytes;
}

std::string KeepStoreAside(TIniNameValueTree& tree) {
  const std::string& file = tree.FileName();
  if (file.empty()) return {};
  constexpr int MaxTries = 100;
  for (int n = 1; n <= MaxTries; ++n) {
    const std::string aside = file + ".bad" + (n == 1 ? "" : "." + std::to_string(n));
    if (RenameIfFree(file, aside)) {
      tree.IniDocument() = TIniDocument(file);
      return NameOf(aside);
    }
    if (errno != EEXIST) return {};
  }
  return {};
}
