#include "editwindow/EditorTexts.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/TaskIdentity.h"
#include "framework/Localization.h"
#include "framework/ProgramFolder.h"
#include "framework/QtText.h"

TEditorTexts::TEditorTexts() {
  const std::string name = std::string(GlowmereTaskName) + "-" + std::to_string(GlowmereLevel) + ".loc";
  std::error_code error;
  const std::string current = std::filesystem::current_path(error).string();
  const TProgramFolderChoice folder = ChooseProgramFolder(current, ExecutableFolder(), InstalledDataFolder(), {name});
  fileName_ = folder.Folder + name;
  localization_ = std::make_unique<TNameValueTreeTuvLocalization>(fileName_, false);
}

TEditorTexts::~TEditorTexts() = default;

QString TEditorTexts::Text(const std::string& key) const {
  return Cp1251ToQString(localization_->Translate("/editor/" + key));
}

QString TEditorTexts::Plain(const std::string& key) const {
  QString text = Text(key);
  text.remove(QLatin1Char('&'));
  if (text.endsWith(QChar(0x2026))) text.chop(1);
  return text;
}
