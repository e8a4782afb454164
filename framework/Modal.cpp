// Storage of the modal seams' handlers.
#include "framework/Modal.h"

namespace {
TMessageBoxHandler messageBoxHandler;
TFileDialogHandler fileDialogHandler;
THelpWindowHandler helpWindowHandler;
}  // namespace

void SetMessageBoxHandler(TMessageBoxHandler handler) { messageBoxHandler = std::move(handler); }
void SetFileDialogHandler(TFileDialogHandler handler) { fileDialogHandler = std::move(handler); }
void SetHelpWindowHandler(THelpWindowHandler handler) { helpWindowHandler = std::move(handler); }

const TMessageBoxHandler& MessageBoxHandler() { return messageBoxHandler; }
const TFileDialogHandler& FileDialogHandler() { return fileDialogHandler; }
const THelpWindowHandler& HelpWindowHandler() { return helpWindowHandler; }

TModalAnswers::~TModalAnswers() {
  SetMessageBoxHandler({});
  SetFileDialogHandler({});
  SetHelpWindowHandler({});
}
