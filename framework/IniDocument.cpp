// The INI document and its file format; see IniDocument.h.
#include "framework/IniDocument.h"

#include "framework/CodePage.h"

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

const std::string_view LineEnd = "\r\n";

}  // namespace

void TIniDocument::Load(std::string_view bytes) {
  TIniSection* current = nullptr;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of(LineEnd, pos);
    if (end == std::string_view::npos) end = bytes.size();
    // CR LF gives an empty line between the two, which is dropped below.
    const std::string_view line = Trim(bytes.substr(pos, end - pos));
    pos = end + 1;

    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &AddSection(std::string(Trim(line.substr(1, line.size() - 2))));
      continue;
    }
    if (current == nullptr) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      current->Lines.push_back({std::string(line), std::string::npos});
    } else {
      const std::string_view key = Trim(line.substr(0, equals));
      const std::string_view value = Trim(line.substr(equals + 1));
      std::string text;
      text.reserve(key.size() + 1 + value.size());
      text.append(key).append("=").append(value);
      current->Lines.push_back({std::move(text), key.size()});
    }
  }
}

bool TIniDocument::TakesWhole(std::string_view bytes) {
  bool inSection = false;
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find_first_of(LineEnd, pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view raw = bytes.substr(pos, end - pos);
    pos = end + 1;
    for (const char c : raw)
      if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return false;
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      inSection = true;
      continue;
    }
    if (!inSection || line.find('=') == std::string_view::npos) return false;
  }
  return true;
}

std::string TIniDocument::Save() const {
  size_t size = 0;
  for (const TIniSection& section : sections_) {
    size += section.Name.size() + 2 + 2 * LineEnd.size();
    for (const TIniLine& line : section.Lines) size += line.Text.size() + LineEnd.size();
  }
  std::string bytes;
  bytes.reserve(size);
  for (const TIniSection& section : sections_) {
    bytes.append("[").append(section.Name).append("]").append(LineEnd);
    for (const TIniLine& line : section.Lines) bytes.append(line.Text).append(LineEnd);
    bytes.append(LineEnd);
  }
  return bytes;
}

std::optional<std::string_view> TIniDocument::FindValue(const std::string& section, const std::string& key) const {
  const TIniSection* found = FindSection(section);
  if (found == nullptr) return std::nullopt;
  const TNameIndex& keys = KeysOf(*found);
  const auto it = keys.find(UpperCaseCp1251(key));
  if (it == keys.end()) return std::nullopt;
  const TIniLine& line = found->Lines[it->second];
  return std::string_view(line.Text).substr(line.KeyLength + 1);
}

void TIniDocument::SetValue(const std::string& section, const std::string& key, const std::string& value) {
  TIniSection* target = FindSection(section);
  if (target == nullptr) target = &AddSection(section);
  std::string text;
  text.reserve(key.size() + 1 + value.size());
  text.append(key).append("=").append(value);

  const TNameIndex& keys = KeysOf(*target);
  const std::string upperKey = UpperCaseCp1251(key);
  const auto it = keys.find(upperKey);
  if (it != keys.end()) {
    target->Lines[it->second] = {std::move(text), key.size()};
  } else {
    target->Lines.push_back({std::move(text), key.size()});
    (*target->KeyIndex)[upperKey] = target->Lines.size() - 1;
  }
}

std::vector<std::string> TIniDocument::SectionLines(size_t i) const {
  std::vector<std::string> lines;
  lines.reserve(sections_[i].Lines.size());
  for (const TIniLine& line : sections_[i].Lines) lines.push_back(line.Text);
  return lines;
}

TIniDocument::TIniSection* TIniDocument::FindSection(const std::string& name) {
  const auto it = sectionIndex_.find(UpperCaseCp1251(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const TIniDocument::TIniSection* TIniDocument::FindSection(const std::string& name) const {
  const auto it = sectionIndex_.find(UpperCaseCp1251(name));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

TIniDocument::TIniSection& TIniDocument::AddSection(std::string name) {
  // A later section of the same name takes over the index entry: the last
  // occurrence is the one found.
  sectionIndex_[UpperCaseCp1251(name)] = sections_.size();
  sections_.push_back({std::move(name), {}, nullptr});
  return sections_.back();
}

const TIniDocument::TNameIndex& TIniDocument::KeysOf(const TIniSection& section) {
  if (!section.KeyIndex) {
    auto index = std::make_unique<TNameIndex>();
    index->reserve(section.Lines.size());
    for (size_t i = 0; i < section.Lines.size(); ++i) {
      const TIniLine& line = section.Lines[i];
      // Lines without "=" are no keys, whatever their text.
      if (line.KeyLength != std::string::npos) (*index)[UpperCaseCp1251(line.Text.substr(0, line.KeyLength))] = i;
    }
    section.KeyIndex = std::move(index);
  }
  return *section.KeyIndex;
}
