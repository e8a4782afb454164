// The application object. Errors of the engine and the raster layer carry
// fixed texts and are caught nowhere else: an event handler that throws
// ends here, where the general error report shows the text and the program
// goes on with the next event.
#pragma once

#include <QApplication>
#include <functional>
#include <string>

// It also names the program, its version and its desktop entry, and tells
// the framework where an installed copy keeps its localization files (the
// judge, which makes a plain QApplication, never looks there).
class TGlowmereApplication : public QApplication {
  Q_OBJECT
 public:
  TGlowmereApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The program's name and version, on whichever application object exists.
void NameGlowmereApplication();

// Shows text in the general error report (a message box; tests replace it).
void ReportError(const std::string& text);
extern std::function<void(const std::string&)> ErrorReportHandler;
