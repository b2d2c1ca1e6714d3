#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

namespace vaporix {
namespace {

QPixmap DrawDrop(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  // A drop: a circle at the bottom whose top is drawn out into a point.
  QPainterPath drop;
  drop.moveTo(s * 0.5, s * 0.04);
  drop.cubicTo(s * 0.62, s * 0.30, s * 0.86, s * 0.46, s * 0.86, s * 0.64);
  drop.arcTo(QRectF(s * 0.14, s * 0.28, s * 0.72, s * 0.68), 0.0, -180.0);
  drop.cubicTo(s * 0.14, s * 0.46, s * 0.38, s * 0.30, s * 0.5, s * 0.04);
  QRadialGradient fill(QPointF(s * 0.40, s * 0.55), s * 0.5);
  fill.setColorAt(0.0, QColor(170, 215, 255));
  fill.setColorAt(1.0, QColor(20, 90, 200));
  painter.setBrush(fill);
  painter.setPen(QPen(QColor(10, 50, 130), std::max(1.0, s / 32.0)));
  painter.drawPath(drop);
  return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48}) {
    icon.addPixmap(DrawDrop(size));
  }
  return icon;
}

}  // namespace vaporix
