// ShowMessageBox: the framework's one message box, with captions, icons
// and buttons fixed by its kind. Texts are Windows-1251.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Modal.h"

enum TMessageKind : int32_t {
  mkWarning = 0,
  mkError = 1,
  mkInformation = 2,
  mkConfirmation = 3,  // Yes and No
  mkApplication = 4,   // captioned with the application's title
};

// Shows the box application-modally (or asks the seam of framework/Modal.h)
// and returns true exactly when the answer is Yes. A kind outside 0..4 has
// an empty caption, no icon and OK.
bool ShowMessageBox(const std::string& text, int32_t kind);

// What the box for `kind` shows.
TMessageBoxRequest MakeMessageBoxRequest(const std::string& text, int32_t kind);
// The box ShowMessageBox runs for `request`, not yet shown.
std::unique_ptr<QMessageBox> NewMessageBox(const TMessageBoxRequest& request, QWidget* parent);
