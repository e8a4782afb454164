// The autosave at every step of play. The lights go into the autosave tree
// and, when they differ from what its file got last, the tree is written at
// once, so that a killed game loses nothing. The tree renames the new file
// into place without waiting for the disk (framework/TaskStart.cpp); a
// press, which moves no light yet, writes nothing.
#include "game/Glowmere.h"

void TfrmGlowmere::AutosavePosition() {
  StoreSolution(*savTree);
  TLightPoints now = LightPoints();
  if (now == autosaved_) return;
  // A failed write (result ignored, as at exit) is tried again at the next step.
  if (savTree->Flush()) autosaved_ = std::move(now);
}
