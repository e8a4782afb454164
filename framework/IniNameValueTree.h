// TIniNameValueTree: a named-value tree kept in memory as an INI document
// and written whole to one text file. Paths map to sections ("/etc/") and
// keys ("level"); names compare case-free (Windows-1251 letters fold too);
// the last of duplicate sections or keys is the one found.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "framework/NameValueTree.h"
#include "framework/WholeFile.h"

// Raised by the constructor when the file exists but cannot be read.
class EFOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TIniDocument;

class TIniNameValueTree : public TNameValueTree {
 public:
  explicit TIniNameValueTree(const std::string& fileName);
  ~TIniNameValueTree() override;  // Flush, synced, result ignored

  std::string ReadString(const std::string& path, const std::string& def, int32_t index = 0) override;
  int32_t ReadInteger(const std::string& path, int32_t def, int32_t index = 0) override;
  bool ReadBool(const std::string& path, bool def, int32_t index = 0) override;
  TDateTime ReadDate(const std::string& path, TDateTime def, int32_t index = 0) override;
  TDateTime ReadTime(const std::string& path, TDateTime def, int32_t index = 0) override;
  TDateTime ReadDateTime(const std::string& path, TDateTime def, int32_t index = 0) override;
  long double ReadFloat(const std::string& path, long double def, int32_t index = 0) override;
  void WriteString(const std::string& path, const std::string& value, int32_t index = 0) override;
  void WriteInteger(const std::string& path, int32_t value, int32_t index = 0) override;
  void WriteBool(const std::string& path, bool value, int32_t index = 0) override;
  void WriteDate(const std::string& path, TDateTime value, int32_t index = 0) override;
  void WriteTime(const std::string& path, TDateTime value, int32_t index = 0) override;
  void WriteDateTime(const std::string& path, TDateTime value, int32_t index = 0) override;
  void WriteFloat(const std::string& path, long double value, int32_t index = 0) override;
  bool Flush() override;

  const std::string& FileName() const;
  TIniDocument& IniDocument() { return *document_; }

  // Off: Flush (and so the destruction) leaves the file alone and returns
  // false. For files that belong to someone else, such as the copies
  // installed with the program.
  void SetWriteBack(bool writeBack) { writeBack_ = writeBack; }

  // How Flush replaces the file (framework/WholeFile.h); Synced unless set.
  // The destruction syncs whatever this says, so that the file is on the
  // disk after a normal exit.
  void SetFlushDurability(TDurability durability) { durability_ = durability; }

 private:
  bool WriteFile(TDurability durability);

  std::unique_ptr<TIniDocument> document_;
  bool writeBack_ = true;
  TDurability durability_ = TDurability::Synced;
};
