// The splash window shown while the task prepares itself: frameless,
// 532 x 366, centred on the screen, one picture at scale 1.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>
#include <string>

class TSplashForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int Width = 532;
  static constexpr int Height = 366;

  // contestId labels the drawn picture when the program carries none.
  explicit TSplashForm(const std::string& contestId, QWidget* parent = nullptr);

  QLabel* SplashImage = nullptr;  // owned by the form

  // The program's splash picture is the Qt resource ":/level/splash.png"
  // (532 x 366); without it a picture is drawn.
  static QImage Picture(const std::string& contestId);
};
