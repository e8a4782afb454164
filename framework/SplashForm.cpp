// Splash window and its fallback picture.
#include "framework/SplashForm.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QScreen>

#include "framework/QtText.h"

TSplashForm::TSplashForm(const std::string& contestId, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("SplashForm");
  setWindowTitle("SplashForm");
  setFixedSize(Width, Height);
  SplashImage = new QLabel(this);
  SplashImage->setObjectName("SplashImage");
  SplashImage->setGeometry(0, 0, Width, Height);
  SplashImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SplashImage->setPixmap(QPixmap::fromImage(Picture(contestId)));
  SplashImage->adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

QImage TSplashForm::Picture(const std::string& contestId) {
  QImage resource(":/level/splash.png");
  if (!resource.isNull()) return resource.convertToFormat(QImage::Format_ARGB32);

  // A dark vault with a few pools of light: enough to tell the player
  // that the task is on its way.
  QImage image(Width, Height, QImage::Format_ARGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient background(0, 0, 0, Height);
  background.setColorAt(0, QColor(0x10, 0x14, 0x2a));
  background.setColorAt(1, QColor(0x03, 0x04, 0x0a));
  painter.fillRect(image.rect(), background);
  const QPointF lights[] = {{110, 250}, {270, 120}, {430, 240}};
  for (const QPointF& centre : lights) {
    QRadialGradient glow(centre, 120);
    glow.setColorAt(0, QColor(0xff, 0xd8, 0x70, 0xd0));
    glow.setColorAt(0.25, QColor(0xff, 0xa0, 0x30, 0x60));
    glow.setColorAt(1, QColor(0xff, 0x80, 0x20, 0x00));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 120, 120);
    painter.setBrush(QColor(0xff, 0xf4, 0xc0));
    painter.drawEllipse(centre, 5, 5);
  }
  painter.setPen(QColor(0xf0, 0xe6, 0xc8));
  QFont title("Arial");
  title.setPixelSize(40);
  title.setBold(true);
  painter.setFont(title);
  painter.drawText(QRect(0, 290, Width, 50), Qt::AlignCenter, PathToQString(contestId));
  painter.end();
  return image;
}
