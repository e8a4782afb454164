// A library that the kill tests preload into the real game. Once the game's
// window is up it plays from the keyboard, as a player may: for every grid
// point "x,y" in GLOWMERE_PLAY (blank-separated) the arrows bring the
// keyboard cursor there and Space places a light. Then it prints the
// window's title ("title TEXT", UTF-8) and "placed" on standard output and
// leaves the game running, to be ended by the test.
//
// With GLOWMERE_PLAY_DIE_RENAMING set, the game kills itself (SIGKILL) once
// the play has begun, when it renames a new file over one whose name ends
// so: killed while that file is written, the new bytes complete beside the
// old file, which is still in place.
#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

bool playing = false;

QWidget* ShownField() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || std::strcmp(window->metaObject()->className(), "TfrmGlowmere") != 0) continue;
    for (QWidget* child : window->findChildren<QWidget*>())
      if (std::strcmp(child->metaObject()->className(), "TImage32") == 0) return child;
  }
  return nullptr;
}

void Key(QWidget* field, int key, int times = 1) {
  for (int i = 0; i < times; ++i) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(field, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(field, &release);
  }
}

void Play(QWidget* field) {
  playing = true;
  const char* play = std::getenv("GLOWMERE_PLAY");
  std::istringstream points(play ? play : "");
  int gx = 0, gy = 0;
  char comma = 0;
  while (points >> gx >> comma >> gy) {
    // From the top left corner, where the cursor stops however far it goes
    // (no map is wider or higher than 200 cells).
    Key(field, Qt::Key_Left, 201);
    Key(field, Qt::Key_Up, 201);
    Key(field, Qt::Key_Right, gx);
    Key(field, Qt::Key_Down, gy);
    Key(field, Qt::Key_Space);
  }
  std::printf("title %s\nplaced\n", field->window()->windowTitle().toUtf8().constData());
  std::fflush(stdout);
}

void Watch() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, timer, [timer] {
    QWidget* field = ShownField();
    if (!field) return;
    timer->stop();
    Play(field);
  });
  timer->start(50);
}

void OnApplication() { QMetaObject::invokeMethod(QCoreApplication::instance(), &Watch, Qt::QueuedConnection); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(OnApplication)

extern "C" int rename(const char* from, const char* to) {
  using TRename = int (*)(const char*, const char*);
  static const auto next = reinterpret_cast<TRename>(dlsym(RTLD_NEXT, "rename"));
  const char* ending = std::getenv("GLOWMERE_PLAY_DIE_RENAMING");
  if (playing && ending && std::string(to).ends_with(ending)) kill(getpid(), SIGKILL);
  return next(from, to);
}
