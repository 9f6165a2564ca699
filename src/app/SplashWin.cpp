#include "app/SplashWin.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "app/AppTexts.h"
#include "app/ImageList.h"

namespace lexiscoop {

QPixmap TSplashWin::Picture() {
  constexpr int kWidth = 234;
  constexpr int kHeight = 451;
  QPixmap pixmap(kWidth, kHeight);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, 0, kHeight);
  sky.setColorAt(0.0, QColor(36, 74, 128));
  sky.setColorAt(1.0, QColor(239, 239, 205));
  p.fillRect(pixmap.rect(), sky);

  // A scatter of letters being picked up: the program's idea in one picture.
  QFont letters(QStringLiteral("IPAGothic"));
  letters.setPixelSize(18);
  p.setFont(letters);
  const char* words[] = {"word", "dog", "cats", "wrote", "begin", "the", "letter", "Japan"};
  for (int i = 0; i < 8; ++i) {
    p.setPen(QColor(255, 255, 255, 60 + i * 15));
    p.drawText(QPointF(16 + (i * 53) % 170, 262 + i * 17), QString::fromLatin1(words[i]));
  }
  constexpr int kIconSize = 96;
  p.drawPixmap((kWidth - kIconSize) / 2, 140, RenderImage(-1, kIconSize));

  QFont title(QStringLiteral("IPAPGothic"));
  title.setBold(true);
  title.setPixelSize(30);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 48, kWidth, 40), Qt::AlignHCenter, QStringLiteral("レキシスクープ"));
  title.setPixelSize(22);
  p.setFont(title);
  p.drawText(QRect(0, 92, kWidth, 32), Qt::AlignHCenter, QStringLiteral("単語拾い"));

  QFont small(QStringLiteral("IPAPGothic"));
  small.setPixelSize(13);
  p.setFont(small);
  p.setPen(QColor(60, 60, 60));
  p.drawText(QRect(0, kHeight - 58, kWidth, 20), Qt::AlignHCenter, QStringLiteral("Lexiscoop"));
  p.drawText(QRect(0, kHeight - 38, kWidth, 20), Qt::AlignHCenter,
             QStringLiteral("version ") + QStringLiteral(LEXISCOOP_VERSION));
  p.setPen(QColor(90, 90, 90));
  p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  return pixmap;
}

TSplashWin::TSplashWin() : QSplashScreen(Picture()) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
  }
}

}  // namespace lexiscoop
