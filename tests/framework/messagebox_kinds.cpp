// Message boxes: caption, icon and buttons by kind, and the answer.
#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QTimer>

#include "TempHome.h"
#include "framework/MessageBox.h"
#include "framework/TuvForm.h"

namespace {

class TTitledWindow : public TTuvForm {
 public:
  void CheckSolution(TNameValueTree&, TNameValueTree&, std::string&) override {}
  int32_t CompareResults(TNameValueTree&, TNameValueTree&) override { return 0; }
};

class MessageBoxTest : public TempHomeTest {
 protected:
  // Answers with `button` and remembers what was asked.
  void AnswerWith(QMessageBox::StandardButton button) {
    answers.OnMessageBox([this, button](const TMessageBoxRequest& request) {
      asked.push_back(request);
      return static_cast<int>(button);
    });
  }
  TModalAnswers answers;
  std::vector<TMessageBoxRequest> asked;
};

struct KindCase {
  int32_t kind;
  const char* caption;  // UTF-8
  QMessageBox::Icon icon;
  QMessageBox::StandardButtons buttons;
};

TEST_F(MessageBoxTest, EachKindHasItsCaptionIconAndButtons) {
  const KindCase cases[] = {
      {mkWarning, "Предупреждение", QMessageBox::Warning, QMessageBox::Ok},
      {mkError, "Ошибка", QMessageBox::Critical, QMessageBox::Ok},
      {mkInformation, "Информация", QMessageBox::Information, QMessageBox::Ok},
      {mkConfirmation, "Подтверждение", QMessageBox::Question, QMessageBox::Yes | QMessageBox::No},
      {-1, "", QMessageBox::NoIcon, QMessageBox::Ok},
      {5, "", QMessageBox::NoIcon, QMessageBox::Ok},
  };
  AnswerWith(QMessageBox::Ok);
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.kind);
    asked.clear();
    ShowMessageBox("text", c.kind);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, QString::fromUtf8(c.caption));
    EXPECT_EQ(asked[0].icon, c.icon);
    EXPECT_EQ(asked[0].buttons, c.buttons);
    EXPECT_EQ(asked[0].kind, c.kind);
    // A question's Enter answers No: every question guards lost lights.
    const auto box = NewMessageBox(asked[0], nullptr);
    EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(c.kind == mkConfirmation ? QMessageBox::No : QMessageBox::NoButton));
  }
}

TEST_F(MessageBoxTest, ConfirmationIsTrueOnlyForYes) {
  AnswerWith(QMessageBox::Yes);
  EXPECT_TRUE(ShowMessageBox("Clear?", mkConfirmation));
  AnswerWith(QMessageBox::No);
  EXPECT_FALSE(ShowMessageBox("Clear?", mkConfirmation));
  AnswerWith(QMessageBox::Escape);
  EXPECT_FALSE(ShowMessageBox("Clear?", mkConfirmation));
}

TEST_F(MessageBoxTest, BoxesWithoutYesAreFalseWhateverTheAnswer) {
  AnswerWith(QMessageBox::Yes);
  for (int32_t kind : {int32_t{mkWarning}, int32_t{mkError}, int32_t{mkInformation}, int32_t{mkApplication}, int32_t{7}}) {
    EXPECT_FALSE(ShowMessageBox("Saving failed", kind)) << kind;
  }
}

TEST_F(MessageBoxTest, ApplicationKindIsCaptionedWithTheTaskWindowTitle) {
  AnswerWith(QMessageBox::Ok);
  {
    QApplication::setApplicationDisplayName("Display name");
    ShowMessageBox("x", mkApplication);
    EXPECT_EQ(asked.back().caption, "Display name");
    EXPECT_EQ(asked.back().icon, QMessageBox::Critical);
  }
  TTitledWindow window;
  window.setWindowTitle(QString::fromUtf8("Огни подземелья"));
  ShowMessageBox("x", mkApplication);
  EXPECT_EQ(asked.back().caption, QString::fromUtf8("Огни подземелья"));
  QApplication::setApplicationDisplayName(QString());
}

TEST_F(MessageBoxTest, TextIsShownAsUnicode) {
  AnswerWith(QMessageBox::Ok);
  ShowMessageBox("\xCD\xE5 \xF3\xE4\xE0\xEB\xEE\xF1\xFC", mkError);  // Windows-1251
  EXPECT_EQ(asked.back().text, QString::fromUtf8("Не удалось"));
}

// The real box, answered by pressing one of its buttons.
void PressWhenShown(QMessageBox::StandardButton button, Qt::WindowModality* modality, QString* caption) {
  QTimer::singleShot(0, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      PressWhenShown(button, modality, caption);
      return;
    }
    *modality = box->windowModality();
    *caption = box->windowTitle();
    box->button(button)->click();
  });
}

TEST_F(MessageBoxTest, RealBoxIsApplicationModalAndReportsTheButtonPressed) {
  Qt::WindowModality modality = Qt::NonModal;
  QString caption;
  PressWhenShown(QMessageBox::Yes, &modality, &caption);
  EXPECT_TRUE(ShowMessageBox("Go to the record?", mkConfirmation));
  EXPECT_EQ(modality, Qt::ApplicationModal);
  EXPECT_EQ(caption, QString::fromUtf8("Подтверждение"));
  PressWhenShown(QMessageBox::No, &modality, &caption);
  EXPECT_FALSE(ShowMessageBox("Go to the record?", mkConfirmation));
  PressWhenShown(QMessageBox::Ok, &modality, &caption);
  EXPECT_FALSE(ShowMessageBox("Could not save", mkError));
  EXPECT_EQ(caption, QString::fromUtf8("Ошибка"));
}

}  // namespace
