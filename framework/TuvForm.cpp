// TTuvForm registration as the task window.
#include "framework/TuvForm.h"

#include "framework/TaskStart.h"

TTuvForm::TTuvForm(QWidget* parent) : QMainWindow(parent) { SetTaskWindow(this); }

TTuvForm::~TTuvForm() {
  if (TaskWindow == this) SetTaskWindow(nullptr);
}
