#include "PageIcons.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace vaporix {
namespace {

// Fills that keep their hue on both palettes; the outline carries the contrast.
const QColor kMercury(215, 45, 35);
const QColor kWater(45, 125, 225);

using Draw = void (*)(QPainter& painter, const QPalette& palette);

// Paints on every request with the palette of that moment, so a palette
// change repaints the tabs in the new colours.
class PaletteIconEngine : public QIconEngine {
 public:
  explicit PaletteIconEngine(Draw draw) : m_draw(draw) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
             QIcon::State /*state*/) override {
    QPalette palette = QGuiApplication::palette();
    palette.setCurrentColorGroup(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    // The drawings are made on a 16 x 16 grid.
    painter->scale(rect.width() / 16.0, rect.height() / 16.0);
    m_draw(*painter, palette);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  QIconEngine* clone() const override { return new PaletteIconEngine(m_draw); }

 private:
  Draw m_draw;
};

QPen Outline(const QPalette& palette) {
  return QPen(palette.color(QPalette::WindowText), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawThermometer(QPainter& painter, const QPalette& palette) {
  QPainterPath glass;
  glass.addRoundedRect(QRectF(6.0, 1.0, 4.0, 10.5), 2.0, 2.0);
  glass.addEllipse(QPointF(8.0, 12.0), 3.2, 3.2);
  glass = glass.simplified();
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette.color(QPalette::Base));
  painter.drawPath(glass);
  painter.setBrush(kMercury);
  painter.drawRect(QRectF(7.0, 5.0, 2.0, 7.0));
  painter.drawEllipse(QPointF(8.0, 12.0), 2.2, 2.2);
  painter.setPen(Outline(palette));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(glass);
  // Two scale marks beside the column.
  painter.drawLine(QPointF(11.5, 4.0), QPointF(13.5, 4.0));
  painter.drawLine(QPointF(11.5, 7.0), QPointF(13.5, 7.0));
}

void DrawBoilingVessel(QPainter& painter, const QPalette& palette) {
  const QRectF vessel(2.0, 3.0, 12.0, 11.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kWater);
  painter.drawRect(QRectF(vessel.left(), 8.5, vessel.width(), vessel.bottom() - 8.5));
  // Vapour bubbles rising through the liquid.
  painter.setBrush(palette.color(QPalette::Base));
  painter.drawEllipse(QPointF(6.0, 12.0), 1.3, 1.3);
  painter.drawEllipse(QPointF(10.0, 10.5), 1.1, 1.1);
  painter.setPen(Outline(palette));
  painter.setBrush(Qt::NoBrush);
  QPainterPath walls;
  walls.moveTo(vessel.topLeft());
  walls.lineTo(vessel.bottomLeft());
  walls.lineTo(vessel.bottomRight());
  walls.lineTo(vessel.topRight());
  painter.drawPath(walls);
  // Steam above the surface.
  QPainterPath steam;
  steam.moveTo(6.0, 7.0);
  steam.cubicTo(4.8, 5.5, 7.2, 4.0, 6.0, 1.0);
  steam.moveTo(10.0, 7.0);
  steam.cubicTo(8.8, 5.5, 11.2, 4.0, 10.0, 1.0);
  painter.drawPath(steam);
}

void DrawChart(QPainter& painter, const QPalette& palette) {
  // The saturation dome and an isobar across it, over two axes.
  painter.setPen(QPen(kWater, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath dome;
  dome.moveTo(4.0, 13.0);
  dome.cubicTo(5.0, 2.0, 11.0, 2.0, 14.0, 13.0);
  painter.drawPath(dome);
  painter.setPen(QPen(kMercury, 1.4, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(3.5, 9.0), QPointF(14.5, 6.0));
  painter.setPen(Outline(palette));
  painter.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
  painter.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
}

}  // namespace

QIcon DiagramPageIcon() {
  return QIcon(new PaletteIconEngine(DrawChart));
}

QIcon SinglePhasePageIcon() {
  return QIcon(new PaletteIconEngine(DrawThermometer));
}

QIcon SaturationPageIcon() {
  return QIcon(new PaletteIconEngine(DrawBoilingVessel));
}

}  // namespace vaporix
