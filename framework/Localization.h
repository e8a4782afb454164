// Localizations: key to text, read from one named-value file. A missing key
// or file gives the placeholder " - ".
#pragma once

#include <memory>
#include <string>

#include "framework/IniNameValueTree.h"

inline const std::string MissingText = " - ";

class TTuvLocalization {
 public:
  virtual ~TTuvLocalization() = default;
  virtual std::string Translate(const std::string& key) = 0;
};

class TNameValueTreeTuvLocalization : public TTuvLocalization {
 public:
  // Never throws for file trouble. Without writeBack the file is only read:
  // the destruction leaves it byte for byte as it was.
  explicit TNameValueTreeTuvLocalization(const std::string& fileName, bool writeBack = true);
  ~TNameValueTreeTuvLocalization() override;  // destroys Tree, which writes the file (see writeBack)
  std::string Translate(const std::string& key) override;
  TIniNameValueTree* Tree() const { return tree_.get(); }

 private:
  std::unique_ptr<TIniNameValueTree> tree_;
};
