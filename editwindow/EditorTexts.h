// The editor's texts, taken from the game's task localization file
// (Glowmere-2.loc, under /editor/) found the way the game finds it: the
// current folder when it holds the file, else the editor's own folder when
// it does, else the installed data folder.
// The file is only read, never written back. A missing key, or no file,
// gives the framework's placeholder " - ", as in the game.
#pragma once

#include <QString>
#include <memory>
#include <string>

class TNameValueTreeTuvLocalization;

class TEditorTexts {
 public:
  TEditorTexts();
  ~TEditorTexts();
  // key under /editor/, such as "action/save".
  QString Text(const std::string& key) const;
  // The same without the "&" that marks the letter a menu takes, and
  // without a closing "…", for a dialog's caption.
  QString Plain(const std::string& key) const;
  // The file the texts came from (for tests and the manual).
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
  std::unique_ptr<TNameValueTreeTuvLocalization> localization_;
};
