// The commands of the panel and the menu. Every command that discards the
// lights asks first, and each change they make is one step to undo.
#include "framework/FileCommands.h"
#include "framework/HelpWindow.h"
#include "framework/MessageBox.h"
#include "game/Glowmere.h"

void TfrmGlowmere::btClearClick() {
  if (!ShowMessageBox(localization->Translate("dialogs/clear"), mkConfirmation)) return;
  ReplaceLights({});
  UpdateState(true);
}

void TfrmGlowmere::btLoadClick() {
  if (!ShowMessageBox(localization->Translate("dialogs/clear"), mkConfirmation)) return;
  TOpenOutcome outcome = TOpenOutcome::Cancelled;
  // The tree only reads: the chosen file stays as it is, whatever it holds.
  const std::unique_ptr<TIniNameValueTree> tree = ExecuteOpenDialog(&outcome);
  if (outcome == TOpenOutcome::Unreadable) {
    ShowMessageBox(localization->Translate("dialogs/loadingFailed"), mkError);
    return;
  }
  if (!tree) return;
  if (!HoldsSolution(*tree)) {
    ShowMessageBox(localization->Translate("dialogs/noSolution"), mkError);
    return;
  }
  LoadSolution(*tree);
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

void TfrmGlowmere::Undo() {
  // A light in hand goes back first; the step undone is the last finished one.
  PutDragLightBack();
  if (!history.CanUndo()) return;
  ReplaceLights(history.Undo());
  UpdateState(true);
}

void TfrmGlowmere::Redo() {
  PutDragLightBack();
  if (!history.CanRedo()) return;
  ReplaceLights(history.Redo());
  UpdateState(true);
}

void TfrmGlowmere::N7Click() { close(); }
void TfrmGlowmere::N8Click() { ShowStatement(true); }
void TfrmGlowmere::N9Click() { ShowUserManual(true); }
