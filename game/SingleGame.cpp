// The single-game rule of the program entry.
#include "game/SingleGame.h"

#include "engine/TaskIdentity.h"
#include "framework/CodePage.h"
#include "framework/MessageBox.h"
#include "framework/ShellFolders.h"
#include "framework/TaskStart.h"

std::string GameRunsAlreadyText() {
  return Utf8ToCp1251(
      "Игра «Огни подземелья» уже запущена. Две игры сразу переписали бы рекорд и сохранённую "
      "позицию друг друга, поэтому вторая не открывается. Переключитесь на окно уже открытой игры.");
}

std::unique_ptr<TSingleInstance> ClaimSingleGame() {
  const std::string folder = TaskUserFolder(GlowmereYear, GlowmereLevel);
  ForceFolder(folder);
  auto instance = std::make_unique<TSingleInstance>(folder + GlowmereTaskName);
  if (instance->Acquire()) return instance;
  if (!instance->ActivateRunning()) ShowMessageBox(GameRunsAlreadyText(), mkInformation);
  return nullptr;
}
