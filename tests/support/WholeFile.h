// A test's files read and written whole, as bytes.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The file's bytes; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
// Its folder is made first where it is missing.
inline void WriteFile(const std::filesystem::path& p, const std::string& s) {
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << s;
}
