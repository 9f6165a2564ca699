#include "app/ImageList.h"

#include <QFile>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <array>

// The resources live in the static library lexiscoop_app: nothing else would
// pull their initialiser into the program.
static void InitLexiscoopResources() { Q_INIT_RESOURCE(lexiscoop); }

namespace lexiscoop {
namespace {

// The sizes in which the bars and menus ask for the images.
constexpr int kIconSizes[] = {16, 24, 32, 48};

QString ImagePath(int index) {
  InitLexiscoopResources();
  if (index == -1) return QStringLiteral(":/images/lexiscoop.svg");
  return QStringLiteral(":/images/%1.svg").arg(index);
}

QIcon IconOf(int index) {
  QIcon icon;
  for (int size : kIconSizes) {
    const QPixmap pixmap = RenderImage(index, size);
    if (pixmap.isNull()) return {};
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QPixmap RenderImage(int index, int size) {
  if (index < -1 || index >= kImageCount || size <= 0) return {};
  const QString path = ImagePath(index);
  if (!QFile::exists(path)) return {};
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return {};
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  return pixmap;
}

QIcon ImageListIcon(int index) {
  static std::array<QIcon, kImageCount> icons;
  static std::array<bool, kImageCount> made{};
  if (index < 0 || index >= kImageCount) return {};
  const auto slot = static_cast<size_t>(index);
  if (!made[slot]) {
    icons[slot] = IconOf(index);
    made[slot] = true;
  }
  return icons[slot];
}

QIcon ProgramIcon() {
  static const QIcon icon = IconOf(-1);
  return icon;
}

}  // namespace lexiscoop
