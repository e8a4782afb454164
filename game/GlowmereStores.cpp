// The player's two stores as the window keeps them: the autosave written
// at every step of play, the record written when it is beaten, and what
// the player is told when either goes wrong. A write that fails (a full
// disk) is said once, in the panel, and tried again at the next change;
// quitting while something is unsaved asks first. A store file found
// damaged at the start is kept aside beside itself (framework/StoreAside.h)
// and the player is told; of a damaged store only the lights whose keys
// read as whole numbers come back. A designer's preview keeps its stores
// in memory by design and says none of this.
#include <QCloseEvent>

#include "engine/SolutionFormat.h"
#include "engine/TaskIdentity.h"
#include "framework/CodePage.h"
#include "framework/IniDocument.h"
#include "framework/MessageBox.h"
#include "framework/StoreAside.h"
#include "framework/TaskLevelPath.h"
#include "framework/TaskStart.h"
#include "framework/Termination.h"
#include "game/Glowmere.h"

namespace {

// A file that holds what the stores never write: lines the reader drops
// (a key cut off, binary junk), a count that is no count, or a light whose
// keys are no whole numbers. An empty file is no damage: nothing is lost.
bool Damaged(const std::string& bytes, const TSolutionCount& count, const std::vector<TLightKeys>& keys) {
  if (bytes.empty()) return false;
  if (!TIniDocument::TakesWhole(bytes)) return true;
  if (count.kind == TSolutionCountKind::NotANumber || count.kind == TSolutionCountKind::TooMany) return true;
  for (const TLightKeys& k : keys)
    if (!k.Whole()) return true;
  return false;
}

}  // namespace

void TfrmGlowmere::LoadStore(TNameValueTree& tree, TIniNameValueTree* file, QString& keptAside) {
  const TSolutionCount count = SolutionCountOf(tree);
  const std::vector<TLightKeys> keys = count.Holds() ? ReadSolutionKeys(tree, count.count) : std::vector<TLightKeys>{};
  std::vector<TGridPoint> points = count.Holds() ? ReadSolutionPoints(tree, count.count) : std::vector<TGridPoint>{};
  if (file && levelChoice_.Shipped() && Damaged(StoreFileBytes(*file), count, keys)) {
    // Only the lights that the file really names; a missing key is no
    // light at (0, 0).
    std::vector<TGridPoint> whole;
    for (size_t i = 0; i < points.size(); ++i)
      if (keys[i].Whole()) whole.push_back(points[i]);
    points = std::move(whole);
    keptAside = QString::fromLocal8Bit(KeepStoreAside(*file));
    file->WriteInteger(TaskLevelPath, GlowmereLevel);  // as the start gives every store
    ShowStoreNotice();
  }
  if (!count.Holds()) return;
  ReplaceLights(points);
  UpdateState(false);
}

void TfrmGlowmere::AutosavePosition() {
  StoreSolution(*savTree);
  TLightPoints now = LightPoints();
  if (now == autosaved_) {
    NoteStoreWrite(autosaveUnsaved_, true);
    return;
  }
  // A failed write is tried again at the next step; the file keeps the
  // position it got last.
  const bool written = savTree->Flush();
  if (written) autosaved_ = std::move(now);
  NoteStoreWrite(autosaveUnsaved_, written);
}

void TfrmGlowmere::SaveRecord() {
  StoreSolution(*recTree);
  WriteRecordCertificate();
  NoteStoreWrite(recordUnsaved_, recTree->Flush());
}

void TfrmGlowmere::RetryUnsavedRecord() {
  if (recordUnsaved_) NoteStoreWrite(recordUnsaved_, recTree->Flush());
}

void TfrmGlowmere::NoteStoreWrite(bool& unsaved, bool written) {
  // The preview's stores live in memory: no write is expected there.
  const bool now = levelChoice_.Shipped() && !written;
  if (now == unsaved) return;
  unsaved = now;
  ShowStoreNotice();
}

bool TfrmGlowmere::StoresUnsaved() const { return autosaveUnsaved_ || recordUnsaved_; }

void TfrmGlowmere::ShowStoreNotice() {
  QStringList lines;
  const auto named = [this](const char* key, const QString& aside) {
    return Text(key).replace(QStringLiteral("%1"), aside);
  };
  if (!recordAside_.isEmpty() && !autosaveAside_.isEmpty()) lines << Text("dialogs/damagedStores");
  else if (!recordAside_.isEmpty()) lines << named("dialogs/damagedRecord", recordAside_);
  else if (!autosaveAside_.isEmpty()) lines << named("dialogs/damagedAutosave", autosaveAside_);
  if (autosaveUnsaved_ || recordUnsaved_)
    lines << Text(autosaveUnsaved_ && recordUnsaved_ ? "dialogs/storesFailed"
                  : autosaveUnsaved_                 ? "dialogs/autosaveFailed"
                                                     : "dialogs/recordFailed");
  const QString text = lines.join(QLatin1Char('\n'));
  lbStoreNotice->setText(text);
  // The whole text also where the panel's room cuts it short.
  lbStoreNotice->setToolTip(text);
  lbStoreNotice->setAccessibleName(text);
  lbStoreNotice->setVisible(!lines.isEmpty());
}

void TfrmGlowmere::closeEvent(QCloseEvent* event) {
  // Nobody may be there to answer a termination request; the exit writes
  // what it can either way.
  if (StoresUnsaved() && !ClosingForTermination()) {
    // The disk may have room again.
    AutosavePosition();
    RetryUnsavedRecord();
    if (StoresUnsaved() && !ShowMessageBox(localization->Translate("dialogs/quitUnsaved"), mkConfirmation)) {
      event->ignore();
      return;
    }
  }
  TTuvForm::closeEvent(event);
}
