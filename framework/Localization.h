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
  explicit TNameValueTreeTuvLocalization(const std::string& fileName);  // never throws for file trouble
  ~TNameValueTreeTuvLocalization() override;  // destroys Tree, which writes the file
  std::string Translate(const std::string& key) override;
  TIniNameValueTree* Tree() const { return tree_.get(); }

 private:
  std::unique_ptr<TIniNameValueTree> tree_;
};
