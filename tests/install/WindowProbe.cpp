// A library that the install test preloads into the installed game, so
// that the real program, with its real way of finding its files, shows
// what its windows say. Once the game's window and the statement over it
// are up, or the level editor's window (or after a while without them), it
// prints one line per visible text, "kind<TAB>text", to standard output and
// then asks the program to end as a SIGTERM would, so the game writes its
// files as at any exit.
#include <signal.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

void Print(const char* kind, const QString& text) {
  std::printf("%s\t%s\n", kind, text.simplified().toUtf8().constData());
}

// A caption as shown: "&" marks the underlined letter, "&&" is an "&".
QString Shown(QString caption) {
  caption.replace(QStringLiteral("&&"), QChar(1));
  caption.remove(QLatin1Char('&'));
  return caption.replace(QChar(1), QLatin1Char('&'));
}

// Whether the object belongs to this window itself, not to a dialog that
// the window owns (the prepared file dialogs are its children, hidden).
bool InWindow(const QObject* object, const QWidget* window) {
  for (; object && object != window; object = object->parent()) {
    if (qobject_cast<const QDialog*>(object)) return false;
  }
  return object == window;
}

void Dump() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible()) continue;
    Print("window", QString::fromLatin1(window->metaObject()->className()) + " " + window->windowTitle());
    for (QAction* action : window->findChildren<QAction*>()) {
      if (InWindow(action, window) && !action->isSeparator() && !action->text().isEmpty()) Print("action", Shown(action->text()));
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
      if (InWindow(button, window)) Print(qobject_cast<QCheckBox*>(button) ? "checkbox" : "button", Shown(button->text()));
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (InWindow(label, window) && label->pixmap().isNull() && !label->text().isEmpty()) Print("label", label->text());
    }
    for (QTextEdit* text : window->findChildren<QTextEdit*>()) {
      if (InWindow(text, window)) Print("text", text->toPlainText().left(80));
    }
  }
  std::fflush(stdout);
}

// The game's window is complete once the statement is up over it; the
// level editor's has no statement.
bool WindowsAreUp() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->isVisible() && window->objectName() == QStringLiteral("fmHelp")) return true;
    if (window->isVisible() && QString::fromLatin1(window->metaObject()->className()) == QStringLiteral("TEditorWindow"))
      return true;
  }
  return false;
}

void Watch() {
  // Only the game's own application object.
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  auto* timer = new QTimer(QCoreApplication::instance());
  auto* ticks = new int(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, ticks] {
    if (!WindowsAreUp() && ++*ticks < 150) return;
    timer->stop();
    delete ticks;
    Dump();
    kill(getpid(), SIGTERM);
  });
  timer->start(100);
}

// Runs while the application object is being made; the watch starts in
// its first event loop.
void OnApplication() {
  QMetaObject::invokeMethod(QCoreApplication::instance(), &Watch, Qt::QueuedConnection);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(OnApplication)
