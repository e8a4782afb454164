// TNameValueTreeTuvLocalization: a read-only view of one named-value file
// that answers a missing key or file with the placeholder.
#include "framework/Localization.h"

TNameValueTreeTuvLocalization::TNameValueTreeTuvLocalization(const std::string& fileName, bool writeBack) {
  try {
    tree_ = std::make_unique<TIniNameValueTree>(fileName);
    tree_->SetWriteBack(writeBack);
  } catch (...) {
    // An unreadable file is no error to report: every text shows the
    // placeholder instead.
    tree_.reset();
  }
}

// Destroying the tree writes the file back in normal form, as any tree does.
TNameValueTreeTuvLocalization::~TNameValueTreeTuvLocalization() = default;

std::string TNameValueTreeTuvLocalization::Translate(const std::string& key) {
  return tree_ ? tree_->ReadString(key, MissingText, 0) : MissingText;
}
