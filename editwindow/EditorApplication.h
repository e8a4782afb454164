// The editor's application object: its name, version and desktop entry,
// where an installed copy finds the texts and its sibling programs, and
// Qt's own texts in Russian. An exception that an event handler lets out
// is shown in a message box, and the editor goes on with the next event.
#pragma once

#include <QApplication>

class TEditorApplication : public QApplication {
  Q_OBJECT
 public:
  TEditorApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The program's name and version, on whichever application object exists.
void NameEditorApplication();
