// TIniNameValueTree: typed values on an INI document, read once from its
// file at creation and written whole at each Flush and at destruction.
#include "framework/IniNameValueTree.h"

#include <optional>

#include "framework/IniDocument.h"
#include "framework/PathResolution.h"
#include "framework/ValueConversion.h"
#include "framework/WholeFile.h"

namespace {

// The stored text of a path, or nothing. An empty path never reaches
// ResolvePath, whose contract forbids it.
std::optional<std::string> Lookup(const TIniDocument& document, const std::string& basePath,
                                  const std::string& path, int32_t index) {
  if (path.empty()) return std::nullopt;
  const TSectionKey place = SplitPath(ResolvePath(basePath, path, index));
  const auto value = document.FindValue(place.Section, place.Key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

void Store(TIniDocument& document, const std::string& basePath, const std::string& path, int32_t index,
           const std::string& text) {
  if (path.empty()) return;
  const TSectionKey place = SplitPath(ResolvePath(basePath, path, index));
  document.SetValue(place.Section, place.Key, text);
}

template <typename T, typename Convert>
T ReadConverted(const TIniDocument& document, const std::string& basePath, const std::string& path, T def,
                int32_t index, Convert convert) {
  const auto text = Lookup(document, basePath, path, index);
  T value;
  return text && convert(*text, value) ? value : def;
}

}  // namespace

TIniNameValueTree::TIniNameValueTree(const std::string& fileName)
    : document_(std::make_unique<TIniDocument>(fileName)) {
  std::string bytes, error;
  switch (ReadWholeFile(fileName, bytes, error)) {
    case TReadResult::Read:
      document_->Load(bytes);
      break;
    case TReadResult::Missing:
      break;  // created by the first flush
    case TReadResult::Unreadable:
      throw EFOpenError("Cannot open file \"" + fileName + "\". " + error);
  }
}

TIniNameValueTree::~TIniNameValueTree() { WriteFile(TDurability::Synced); }

const std::string& TIniNameValueTree::FileName() const { return document_->FileName(); }

std::string TIniNameValueTree::ReadString(const std::string& path, const std::string& def, int32_t index) {
  return Lookup(*document_, BasePath, path, index).value_or(def);
}

int32_t TIniNameValueTree::ReadInteger(const std::string& path, int32_t def, int32_t index) {
  return ReadConverted(*document_, BasePath, path, def, index, TextToInteger);
}

bool TIniNameValueTree::ReadBool(const std::string& path, bool def, int32_t index) {
  return ReadInteger(path, def ? 1 : 0, index) != 0;
}

TDateTime TIniNameValueTree::ReadDate(const std::string& path, TDateTime def, int32_t index) {
  return ReadConverted(*document_, BasePath, path, def, index, TextToDate);
}

TDateTime TIniNameValueTree::ReadTime(const std::string& path, TDateTime def, int32_t index) {
  return ReadConverted(*document_, BasePath, path, def, index, TextToTime);
}

TDateTime TIniNameValueTree::ReadDateTime(const std::string& path, TDateTime def, int32_t index) {
  return ReadConverted(*document_, BasePath, path, def, index, TextToDateTime);
}

long double TIniNameValueTree::ReadFloat(const std::string& path, long double def, int32_t index) {
  return ReadConverted(*document_, BasePath, path, def, index, TextToFloat);
}

void TIniNameValueTree::WriteString(const std::string& path, const std::string& value, int32_t index) {
  Store(*document_, BasePath, path, index, value);
}

void TIniNameValueTree::WriteInteger(const std::string& path, int32_t value, int32_t index) {
  Store(*document_, BasePath, path, index, IntegerToText(value));
}

void TIniNameValueTree::WriteBool(const std::string& path, bool value, int32_t index) {
  Store(*document_, BasePath, path, index, value ? "1" : "0");
}

void TIniNameValueTree::WriteDate(const std::string& path, TDateTime value, int32_t index) {
  Store(*document_, BasePath, path, index, DateToText(value));
}

void TIniNameValueTree::WriteTime(const std::string& path, TDateTime value, int32_t index) {
  Store(*document_, BasePath, path, index, TimeToText(value));
}

void TIniNameValueTree::WriteDateTime(const std::string& path, TDateTime value, int32_t index) {
  Store(*document_, BasePath, path, index, DateTimeToText(value));
}

void TIniNameValueTree::WriteFloat(const std::string& path, long double value, int32_t index) {
  Store(*document_, BasePath, path, index, FloatToText(value));
}

bool TIniNameValueTree::Flush() { return WriteFile(durability_); }

bool TIniNameValueTree::WriteFile(TDurability durability) {
  if (!writeBack_) return false;
  try {
    return WriteFileAtomically(document_->FileName(), document_->Save(), durability);
  } catch (...) {
    return false;  // e.g. no memory for the file's bytes: the tree stays as it was
  }
}
