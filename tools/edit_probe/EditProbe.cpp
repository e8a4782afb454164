// A library that tools/edit-check.sh preloads into the real level editor,
// so that a script driving it by the keyboard can read what its panel says.
// Ten times a second it writes the texts of the panel's figure, change and
// status labels, one "name<TAB>text" a line, to the file named by
// EDIT_PROBE_OUT (a new file renamed over the old, so a reader never sees
// half of it), whenever they changed. It sends nothing to the editor.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

namespace {

QString PanelTexts() {
  QString texts;
  for (QWidget* window : QApplication::topLevelWidgets())
    for (const char* name : {"lbFewest", "lbChange", "lbStatus"})
      if (const QLabel* label = window->findChild<QLabel*>(QString::fromLatin1(name)))
        texts += QString::fromLatin1(name) + QLatin1Char('\t') + label->text() + QLatin1Char('\n');
  return texts;
}

void Watch() {
  const QString out = qEnvironmentVariable("EDIT_PROBE_OUT");
  if (out.isEmpty() || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  auto* timer = new QTimer(QCoreApplication::instance());
  auto* last = new QString;
  QObject::connect(timer, &QTimer::timeout, timer, [out, last] {
    const QString texts = PanelTexts();
    if (texts == *last) return;
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(texts.toUtf8());
    if (file.commit()) *last = texts;
  });
  timer->start(100);
}

void OnApplication() { QMetaObject::invokeMethod(QCoreApplication::instance(), &Watch, Qt::QueuedConnection); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(OnApplication)
