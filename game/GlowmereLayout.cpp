// The window's components at their design places, the menu, and the
// captions taken from the task localization.
#include <QEvent>
#include <QMenuBar>
#include <filesystem>

#include "framework/CodePage.h"
#include "game/Glowmere.h"

namespace {

QFont PixelFont(int pixels, bool bold = false) {
  // The design font is Tahoma; where it is missing Qt picks the nearest.
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QLabel* MakeLabel(QWidget* parent, int left, int top, int width, int height, const char* design, bool bold = false) {
  auto* label = new QLabel(QString::fromUtf8(design), parent);
  label->setGeometry(left, top, width, height);
  if (bold) label->setFont(PixelFont(13, true));
  return label;
}

QFrame* MakeRule(QWidget* parent, int left, int top) {
  auto* rule = new QFrame(parent);
  rule->setGeometry(left, top, 145, 4);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  return rule;
}

}  // namespace

QString TfrmGlowmere::Text(const std::string& key) const {
  return QString::fromStdString(Cp1251ToUtf8(localization->Translate(key)));
}

void TfrmGlowmere::BuildComponents() {
  setWindowTitle(QStringLiteral("Glowmere"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(PixelFont(11));

  auto* client = new QWidget(this);
  client->resize(671, 481);
  setCentralWidget(client);
  // The field and the panel follow the client area's size (LayOutClient).
  client->installEventFilter(this);

  pnlControl = new QWidget(client);
  pnlControl->setGeometry(493, 0, 178, 481);
  pnlControl->setFont(PixelFont(13));
  imgField = new TImage32(client);
  imgField->setGeometry(0, 0, 493, 481);

  N1 = menuBar()->addMenu(QString::fromUtf8("&Файл"));
  N2 = N1->addAction(QString::fromUtf8("&Очистить"));
  N3 = N1->addSeparator();
  N4 = N1->addAction(QString::fromUtf8("&Загрузить"));
  N5 = N1->addAction(QString::fromUtf8("&Сохранить"));
  N6 = N1->addSeparator();
  N7 = N1->addAction(QString::fromUtf8("В&ыход"));
  N10 = menuBar()->addMenu(QString::fromUtf8("П&равка"));
  N11 = N10->addAction(QString::fromUtf8("&Отменить"));
  N12 = N10->addAction(QString::fromUtf8("&Повторить"));
  N8 = menuBar()->addAction(QString::fromUtf8("&Условие"));
  N9 = menuBar()->addAction(QString::fromUtf8("По&мощь"));
  // The usual keys, the same in every layout and language.
  N4->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  N5->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  N7->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  N9->setShortcut(QKeySequence(Qt::Key_F1));
  N11->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  N12->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(N2, &QAction::triggered, this, [this] { N2Click(); });
  connect(N4, &QAction::triggered, this, [this] { N4Click(); });
  connect(N5, &QAction::triggered, this, [this] { N5Click(); });
  connect(N7, &QAction::triggered, this, [this] { N7Click(); });
  connect(N8, &QAction::triggered, this, [this] { N8Click(); });
  connect(N9, &QAction::triggered, this, [this] { N9Click(); });
  connect(N11, &QAction::triggered, this, [this] { N11Click(); });
  connect(N12, &QAction::triggered, this, [this] { N12Click(); });
  // F10 opens the menu, as on most desktops.
  auto* openMenu = new QAction(this);
  openMenu->setShortcut(QKeySequence(Qt::Key_F10));
  addAction(openMenu);
  connect(openMenu, &QAction::triggered, this, [this] { menuBar()->setActiveAction(N1->menuAction()); });

  btClear = new QPushButton(QString::fromUtf8("#Очистить"), pnlControl);
  btClear->setGeometry(16, 382, 145, 25);
  btLoad = new QPushButton(QString::fromUtf8("#Загрузить"), pnlControl);
  btLoad->setGeometry(16, 413, 145, 25);
  btSave = new QPushButton(QString::fromUtf8("#Сохранить"), pnlControl);
  btSave->setGeometry(16, 444, 145, 25);
  btHint = new THintButton(pnlControl);
  btHint->setText(QString::fromUtf8("#Что осталось?"));
  btHint->setGeometry(16, 26, 145, 25);
  lbPressAndHold = MakeLabel(pnlControl, 16, 7, 145, 16, "#Нажмите и держите");
  lbPointsCaption = MakeLabel(pnlControl, 16, 99, 145, 16, "#Точек на поле");
  lbPoints = MakeLabel(pnlControl, 32, 121, 120, 16, "#239", true);
  lbLightCaption = MakeLabel(pnlControl, 16, 143, 145, 16, "#Освещено");
  lbLight = MakeLabel(pnlControl, 32, 167, 120, 16, "#100%", true);
  Separator2 = MakeRule(pnlControl, 16, 189);
  lbRecordCaption = MakeLabel(pnlControl, 16, 199, 64, 16, "#рекорд");
  lbRecord = MakeLabel(pnlControl, 32, 221, 48, 16, "#42", true);
  Separator1 = MakeRule(pnlControl, 16, 89);
  Separator3 = MakeRule(pnlControl, 16, 243);
  btShowRecord = new QPushButton(QString::fromUtf8("#Перейти"), pnlControl);
  btShowRecord->setGeometry(81, 207, 81, 20);
  // Under the record, down to the bottom buttons (LayOutClient).
  lbStoreNotice = new QLabel(pnlControl);
  lbStoreNotice->setWordWrap(true);
  lbStoreNotice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lbStoreNotice->setFont(PixelFont(10));
  lbStoreNotice->setStyleSheet(QStringLiteral("color: #A00000;"));
  lbStoreNotice->hide();

  // The panel's buttons take the focus from Tab, never from a click: after
  // a click the keys still play on the field.
  for (QPushButton* button : {btClear, btLoad, btSave, btShowRecord}) button->setFocusPolicy(Qt::TabFocus);

  connect(btClear, &QPushButton::clicked, this, [this] { btClearClick(); });
  connect(btLoad, &QPushButton::clicked, this, [this] { btLoadClick(); });
  connect(btSave, &QPushButton::clicked, this, [this] { btSaveClick(); });
  connect(btShowRecord, &QPushButton::clicked, this, [this] { btShowRecordClick(); });
  btHint->OnMouseDown = [this](TMouseButton b) { btHintMouseDown(b); };
  btHint->OnMouseUp = [this](TMouseButton b) { btHintMouseUp(b); };

  imgField->OnMouseMove = [this](int x, int y) { imgFieldMouseMove(x, y); };
  imgField->OnMouseDown = [this](TMouseButton b, int x, int y) { imgFieldMouseDown(b, x, y); };
  imgField->OnMouseUp = [this](TMouseButton b, int x, int y) { imgFieldMouseUp(b, x, y); };
  imgField->OnMouseLeave = [this] { imgFieldMouseLeave(); };
  imgField->OnKeyDown = [this](int key, bool autoRepeat) { return imgFieldKeyDown(key, autoRepeat); };
  imgField->OnKeyUp = [this](int key, bool autoRepeat) { return imgFieldKeyUp(key, autoRepeat); };
  imgField->OnFocusLeave = [this] { imgFieldFocusLeave(); };
  imgField->OnCellPixels = [this](int cell) { ScaleField(cell); };
}

void TfrmGlowmere::LayOutClient() {
  const QSize client = centralWidget()->size();
  const int32_t fieldWidth = std::max(0, client.width() - PanelWidth);
  imgField->setGeometry(0, 0, fieldWidth, client.height());
  pnlControl->setGeometry(fieldWidth, 0, PanelWidth, client.height());
  // The bottom buttons keep their distance from the panel's lower edge.
  constexpr int32_t designHeight = 481;
  btClear->move(16, 382 - designHeight + client.height());
  btLoad->move(16, 413 - designHeight + client.height());
  btSave->move(16, 444 - designHeight + client.height());
  constexpr int32_t noticeTop = 248;
  lbStoreNotice->setGeometry(16, noticeTop, 150, std::max(0, btClear->y() - 2 - noticeTop));
}

bool TfrmGlowmere::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) LayOutClient();
  return TTuvForm::eventFilter(watched, event);
}

void TfrmGlowmere::ApplyCaptions() {
  // A designer's preview names its map, so it is never taken for the game.
  setWindowTitle(levelChoice_.Shipped() ? Text("title")
                                  : Text("title") + QStringLiteral(" — ") +
                                        QString::fromLocal8Bit(std::filesystem::path(levelChoice_.mapPath).filename().string()));
  N1->setTitle(Text("action/file"));
  N2->setText(Text("action/clear"));
  N4->setText(Text("action/load"));
  N5->setText(Text("action/save"));
  N7->setText(Text("action/exit"));
  N10->setTitle(Text("action/edit"));
  N11->setText(Text("action/undo"));
  N12->setText(Text("action/redo"));
  N8->setText(Text("action/statement"));
  N9->setText(Text("action/usermanual"));
  lbPressAndHold->setText(Text("action/leftHint"));
  btHint->setText(Text("action/left"));
  btClear->setText(Text("action/clear"));
  btLoad->setText(Text("action/load"));
  btSave->setText(Text("action/save"));
  btShowRecord->setText(Text("action/gotoRecord"));
  lbRecordCaption->setText(Text("data/record"));
  lbPointsCaption->setText(Text("data/points"));
  lbLightCaption->setText(Text("data/light"));
  SetAccessibleNames();
}

void TfrmGlowmere::SetAccessibleNames() {
  // Buttons, labels and menu items are named by their captions; these are
  // the controls whose caption says too little, or that have none.
  pnlControl->setAccessibleName(Text("access/panel"));
  btShowRecord->setAccessibleName(Text("access/gotoRecord"));
  btHint->setAccessibleDescription(Text("access/hint"));
}
