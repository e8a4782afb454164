// TIniDocument: the in-memory INI document behind a TIniNameValueTree, and
// its text format. An ordered list of sections, each an ordered list of
// lines; names compare by their Windows-1251 upper case, and the last of
// duplicate sections or keys is the one found.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TIniDocument {
 public:
  explicit TIniDocument(std::string fileName) : fileName_(std::move(fileName)) {}

  // The file the document belongs to, as given (absolute or relative).
  const std::string& FileName() const { return fileName_; }

  // Appends the sections found in a file's bytes: lines split at CR, LF or
  // CR LF, trimmed of bytes <= 32, empty and ";" lines and lines before the
  // first "[name]" dropped, blanks around the first "=" removed.
  void Load(std::string_view bytes);
  // "[name]" CR LF, the lines each with CR LF, an empty line, per section.
  std::string Save() const;

  // Whether Load takes every line of bytes as a section, a key, a comment
  // or a blank: no line before the first section, no line without "=", no
  // control byte but tabs and line ends. What Save writes always is; a
  // file cut off in the middle of a key, or binary junk, is not.
  static bool TakesWhole(std::string_view bytes);

  // The value of the key, or nothing when the section or key is missing.
  // The view lasts until the next change of the document.
  std::optional<std::string_view> FindValue(const std::string& section, const std::string& key) const;
  // Replaces the key's line where it stands, or appends it to the section;
  // a missing section is appended to the document first.
  void SetValue(const std::string& section, const std::string& key, const std::string& value);

  // Inspection, in document order.
  size_t SectionCount() const { return sections_.size(); }
  const std::string& SectionName(size_t i) const { return sections_[i].Name; }
  std::vector<std::string> SectionLines(size_t i) const;

 private:
  struct TIniLine {
    std::string Text;  // the whole line, "key=value" or a line without key
    size_t KeyLength;  // length of the key before "=", npos for a line without key
  };
  // Upper-cased name to the position of its last occurrence.
  using TNameIndex = std::unordered_map<std::string, size_t>;
  struct TIniSection {
    std::string Name;
    std::vector<TIniLine> Lines;
    // Built at the first lookup, so that loading a large file that nobody
    // reads from costs no hashing; kept up to date by SetValue after that.
    mutable std::unique_ptr<TNameIndex> KeyIndex;
  };

  TIniSection* FindSection(const std::string& name);
  const TIniSection* FindSection(const std::string& name) const;
  TIniSection& AddSection(std::string name);
  static const TNameIndex& KeysOf(const TIniSection& section);

  std::string fileName_;
  std::vector<TIniSection> sections_;
  TNameIndex sectionIndex_;
};
