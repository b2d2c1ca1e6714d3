#include "CFlatButton.h"

#include <qdrawutil.h>

#include <QEnterEvent>
#include <QPainter>

namespace vaporix {

CFlatButton::CFlatButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setIconSize(QSize(16, 16));
}

QSize CFlatButton::sizeHint() const {
  QSize size = iconSize() + QSize(4, 4);
  if (!text().isEmpty()) {
    const QFontMetrics metrics(font());
    size.rwidth() += metrics.horizontalAdvance(text()) + 4;
    size.rheight() = std::max(size.height(), metrics.height() + 4);
  }
  return size;
}

void CFlatButton::enterEvent(QEnterEvent* event) {
  // Enter and leave events replace polling the mouse position with a timer.
  m_hovered = true;
  update();
  QAbstractButton::enterEvent(event);
}

void CFlatButton::leaveEvent(QEvent* event) {
  m_hovered = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void CFlatButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect area = rect();
  if (isEnabled() && (isDown() || m_hovered)) {
    qDrawShadePanel(&painter, area, palette(), isDown(), 1);
  }
  const int shift = isDown() ? 1 : 0;
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  if (!icon().isNull()) {
    QRect iconRect(QPoint(0, 0), iconSize());
    iconRect.moveCenter(area.center());
    if (!text().isEmpty()) {
      iconRect.moveLeft(2);
    }
    icon().paint(&painter, iconRect.translated(shift, shift), Qt::AlignCenter, mode);
  }
  if (!text().isEmpty()) {
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(palette().color(group, QPalette::ButtonText));
    QRect textRect = area.translated(shift, shift);
    if (!icon().isNull()) {
      textRect.setLeft(iconSize().width() + 4 + shift);
    }
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
  }
}

}  // namespace vaporix
