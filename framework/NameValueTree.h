// Named-value trees: values addressed by slash paths ("/etc/level") with an
// optional index (x, x#1, x#2, ...). Relative paths resolve under BasePath
// "/". Strings are bytes in the 8-bit code page (Windows-1251); they become
// Unicode only where Qt shows them.
#pragma once

#include <cstdint>
#include <string>

// Days since 30 December 1899, with the time as the fraction of the day.
using TDateTime = double;

class TNameValueTree {
 public:
  TNameValueTree() = default;
  virtual ~TNameValueTree() = default;
  TNameValueTree(const TNameValueTree&) = delete;
  TNameValueTree& operator=(const TNameValueTree&) = delete;

  // Slot order matters to the framework's peers; keep it.
  virtual std::string ReadString(const std::string& path, const std::string& def, int32_t index = 0) = 0;
  virtual int32_t ReadInteger(const std::string& path, int32_t def, int32_t index = 0) = 0;
  virtual bool ReadBool(const std::string& path, bool def, int32_t index = 0) = 0;
  virtual TDateTime ReadDate(const std::string& path, TDateTime def, int32_t index = 0) = 0;
  virtual TDateTime ReadTime(const std::string& path, TDateTime def, int32_t index = 0) = 0;
  virtual TDateTime ReadDateTime(const std::string& path, TDateTime def, int32_t index = 0) = 0;
  virtual long double ReadFloat(const std::string& path, long double def, int32_t index = 0) = 0;
  virtual void WriteString(const std::string& path, const std::string& value, int32_t index = 0) = 0;
  virtual void WriteInteger(const std::string& path, int32_t value, int32_t index = 0) = 0;
  virtual void WriteBool(const std::string& path, bool value, int32_t index = 0) = 0;
  virtual void WriteDate(const std::string& path, TDateTime value, int32_t index = 0) = 0;
  virtual void WriteTime(const std::string& path, TDateTime value, int32_t index = 0) = 0;
  virtual void WriteDateTime(const std::string& path, TDateTime value, int32_t index = 0) = 0;
  virtual void WriteFloat(const std::string& path, long double value, int32_t index = 0) = 0;
  // Writes the tree to its file; false on any failure (the file on disk is
  // then exactly as it was before).
  virtual bool Flush() = 0;

  const std::string BasePath = "/";
};
