// The commands of the panel and the menu. Every command that discards the
// lights asks first.
#include "framework/FileCommands.h"
#include "framework/HelpWindow.h"
#include "framework/MessageBox.h"
#include "game/Glowmere.h"

void TfrmGlowmere::btClearClick() {
  if (!ShowMessageBox(localization->Translate("dialogs/clear"), mkConfirmation)) return;
  ClearLights();
  UpdateState(true);
}

void TfrmGlowmere::btLoadClick() {
  if (!ShowMessageBox(localization->Translate("dialogs/clear"), mkConfirmation)) return;
  std::unique_ptr<TIniNameValueTree> tree = ExecuteOpenDialog();
  if (!tree) return;
  LoadSolution(*tree);
  tree.reset();  // writes the file back in normalised form
  UpdateState(true);
}

void TfrmGlowmere::btSaveClick() {
  std::unique_ptr<TIniNameValueTree> tree = ExecuteSaveDialog();
  if (!tree) return;
  StoreSolution(*tree);
  if (!tree->Flush()) ShowMessageBox(localization->Translate("dialogs/savingFailed"), mkError);
  tree.reset();
}

void TfrmGlowmere::btShowRecordClick() {
  if (!ShowMessageBox(localization->Translate("dialogs/gotoRecord"), mkConfirmation)) return;
  LoadSolution(*recTree);
  UpdateState(true);
}

void TfrmGlowmere::N7Click() { close(); }
void TfrmGlowmere::N8Click() { ShowStatement(true); }
void TfrmGlowmere::N9Click() { ShowUserManual(true); }
