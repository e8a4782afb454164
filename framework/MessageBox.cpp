// Message box captions, icons, buttons and the modal run.
#include "framework/MessageBox.h"

#include <QGuiApplication>
#include <QWidget>

#include "framework/QtText.h"
#include "framework/TaskStart.h"

namespace {

QString ApplicationTitle() {
  if (TaskWindow && !TaskWindow->windowTitle().isEmpty()) return TaskWindow->windowTitle();
  return QGuiApplication::applicationDisplayName();
}

}  // namespace

TMessageBoxRequest MakeMessageBoxRequest(const std::string& text, int32_t kind) {
  TMessageBoxRequest request;
  request.text = Cp1251ToQString(text);
  request.kind = kind;
  request.buttons = QMessageBox::Ok;
  switch (kind) {
    case mkWarning:
      request.caption = QString::fromUtf8("Предупреждение");
      request.icon = QMessageBox::Warning;
      break;
    case mkError:
      request.caption = QString::fromUtf8("Ошибка");
      request.icon = QMessageBox::Critical;
      break;
    case mkInformation:
      request.caption = QString::fromUtf8("Информация");
      request.icon = QMessageBox::Information;
      break;
    case mkConfirmation:
      request.caption = QString::fromUtf8("Подтверждение");
      request.icon = QMessageBox::Question;
      request.buttons = QMessageBox::Yes | QMessageBox::No;
      // Every question guards a step that throws the lights away: a reflex
      // Enter must not take it.
      request.defaultButton = QMessageBox::No;
      break;
    case mkApplication:
      request.caption = ApplicationTitle();
      request.icon = QMessageBox::Critical;
      break;
    default:
      request.icon = QMessageBox::NoIcon;
      break;
  }
  return request;
}

std::unique_ptr<QMessageBox> NewMessageBox(const TMessageBoxRequest& request, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(request.icon, request.caption, request.text, request.buttons, parent);
  box->setObjectName("MessageBox");
  box->setTextFormat(Qt::PlainText);  // a localized "<" must not turn the text into HTML
  box->setWindowModality(Qt::ApplicationModal);
  if (request.defaultButton != QMessageBox::NoButton) box->setDefaultButton(request.defaultButton);
  return box;
}

bool ShowMessageBox(const std::string& text, int32_t kind) {
  const TMessageBoxRequest request = MakeMessageBoxRequest(text, kind);
  int answer = QMessageBox::NoButton;
  if (const TMessageBoxHandler& handler = MessageBoxHandler()) {
    answer = handler(request);
  } else {
    answer = NewMessageBox(request, TaskWindow.data())->exec();
  }
  // A box without a Yes button cannot say Yes, whatever a handler claims.
  return answer == QMessageBox::Yes && request.buttons.testFlag(QMessageBox::Yes);
}
