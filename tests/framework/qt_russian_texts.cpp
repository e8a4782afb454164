// Qt's own texts in the framework's windows are Russian whatever the
// system locale: the buttons of the question box, the file dialogs, and the
// question the save dialog asks before overwriting.
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "TempHome.h"
#include "framework/FileCommands.h"
#include "framework/MessageBox.h"
#include "framework/QtTranslation.h"
#include "framework/TaskStart.h"

namespace {

// The text as shown: mnemonic marks and the colon of a label dropped.
QString Shown(QString text) { return text.remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed(); }

class QtRussianTextsTest : public TempHomeTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QFileInfo::exists(QtTranslationsFolder() + "/qtbase_ru.qm"))
        << "qtbase_ru.qm is missing from " << QtTranslationsFolder().toStdString()
        << " (tools/setup-deps.sh installs qt6-translations-l10n)";
    StartTask(2009, "Glowmere", 2);
  }
};

TEST_F(QtRussianTextsTest, QuestionBoxAnswersWithDaAndNet) {
  const auto box = NewMessageBox(MakeMessageBoxRequest("?", mkConfirmation), nullptr);
  ASSERT_NE(box->button(QMessageBox::Yes), nullptr);
  EXPECT_EQ(Shown(box->button(QMessageBox::Yes)->text()), QString::fromUtf8("Да"));
  EXPECT_EQ(Shown(box->button(QMessageBox::No)->text()), QString::fromUtf8("Нет"));
}

TEST_F(QtRussianTextsTest, BothFileDialogsAreRussian) {
  struct TExpected {
    QFileDialog* dialog;
    const char *title, *accept;
  };
  for (const TExpected& e : {TExpected{OpenDialog, "Открыть", "Открыть"}, TExpected{SaveDialog, "Сохранить как", "Сохранить"}}) {
    ASSERT_NE(e.dialog, nullptr);
    SCOPED_TRACE(e.title);
    EXPECT_EQ(e.dialog->windowTitle(), QString::fromUtf8(e.title));
    EXPECT_EQ(Shown(e.dialog->findChild<QLabel*>("lookInLabel")->text()), QString::fromUtf8("Перейти к"));
    EXPECT_EQ(Shown(e.dialog->findChild<QLabel*>("fileNameLabel")->text()), QString::fromUtf8("Имя файла"));
    EXPECT_EQ(Shown(e.dialog->findChild<QLabel*>("fileTypeLabel")->text()), QString::fromUtf8("Типы файлов"));
    const auto* buttons = e.dialog->findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(Shown(buttons->button(QDialogButtonBox::Cancel)->text()), QString::fromUtf8("Отмена"));
    const QAbstractButton* accept =
        buttons->button(e.dialog == SaveDialog ? QDialogButtonBox::Save : QDialogButtonBox::Open);
    ASSERT_NE(accept, nullptr);
    EXPECT_EQ(Shown(accept->text()), QString::fromUtf8(e.accept));
  }
}

// The real save dialog and the question it asks itself, answered as a
// person would: the name of an existing file, Enter, then «Да».
TEST_F(QtRussianTextsTest, OverwriteQuestionIsRussian) {
  const std::string existing = DocumentsFolder + "old.tuv-Glowmere";
  home.WriteFile(existing, "[/]\r\n");
  QString question;
  QStringList answers;
  bool typed = false;  // once only: a second Enter would ask again after the answer
  std::function<void()> answer = [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && !typed) {
      typed = true;
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText("old");
      QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      question = box->text();
      for (QAbstractButton* b : box->buttons()) answers << Shown(b->text());
      box->button(QMessageBox::Yes)->click();
      return;
    }
    QTimer::singleShot(10, answer);
  };
  QTimer::singleShot(0, answer);
  const auto tree = ExecuteSaveDialog();
  ASSERT_NE(tree, nullptr) << "«Да» replaces the file";
  EXPECT_TRUE(question.contains(QString::fromUtf8("уже существует"))) << question.toStdString();
  EXPECT_TRUE(answers.contains(QString::fromUtf8("Да")));
  EXPECT_TRUE(answers.contains(QString::fromUtf8("Нет")));
}

TEST_F(QtRussianTextsTest, FolderWithoutTheTranslationChangesNothing) {
  const QString before = QCoreApplication::translate("QPlatformTheme", "Cancel");
  EXPECT_FALSE(InstallQtTranslation(QString::fromStdString(home.MakeFolder("no-translations"))));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), before);
  EXPECT_TRUE(InstallQtTranslation()) << "installed once; asking again is harmless";
}

}  // namespace
