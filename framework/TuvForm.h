// TTuvForm: the base of every task's main window. It adds the two judge
// operations that a task must provide; nothing in the framework calls them.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <string>

#include "framework/NameValueTree.h"

class TTuvForm : public QMainWindow {
  Q_OBJECT

 public:
  // Registers the window as the task window (TaskWindow, framework/TaskStart.h).
  explicit TTuvForm(QWidget* parent = nullptr);
  ~TTuvForm() override;

  // Judges the solution stored in `solution`, writes the outcome into
  // `result`, and sets `message` to "" or to what is wrong.
  virtual void CheckSolution(TNameValueTree& solution, TNameValueTree& result, std::string& message) = 0;
  // Orders two outcomes written by CheckSolution: negative, zero or positive.
  virtual int32_t CompareResults(TNameValueTree& a, TNameValueTree& b) = 0;
};
