#include "CCaption.h"

#include <QPainter>

namespace vaporix {

namespace {

constexpr int kTextIndent = 8;
constexpr int kIconSize = 16;
constexpr int kIconLeft = 2;
// The text starts after four blanks so that a small icon fits before it.
constexpr QLatin1StringView kLeadingBlanks("    ");

}  // namespace

CCaption::CCaption(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {}

void CCaption::setText(const QString& text) {
  m_text = text;
  update();
}

void CCaption::setIcon(const QIcon& icon) {
  m_icon = icon;
  update();
}

QColor CCaption::backgroundColor() const {
  return m_backgroundColor.isValid() ? m_backgroundColor : palette().color(QPalette::Button);
}

void CCaption::setBackgroundColor(const QColor& color) {
  m_backgroundColor = color;
  update();
}

QColor CCaption::textColor() const {
  return m_textColor.isValid() ? m_textColor : palette().color(QPalette::ButtonText);
}

void CCaption::setTextColor(const QColor& color) {
  m_textColor = color;
  update();
}

void CCaption::setFillColor(const QColor& color) {
  m_fillColor = color;
  update();
}

QSize CCaption::sizeHint() const {
  const QFontMetrics metrics(font());
  return {kTextIndent + metrics.horizontalAdvance(kLeadingBlanks + m_text) + kTextIndent,
          std::max(metrics.height(), kIconSize) + 4};
}

void CCaption::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect bar = rect();
  painter.fillRect(bar, backgroundColor());
  if (m_fillColor.isValid()) {
    painter.fillRect(bar.adjusted(1, 1, -1, -1), m_fillColor);
  }
  // The frame is read from the palette at every paint so it follows system colour changes.
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(bar.topLeft(), bar.topRight());
  painter.drawLine(bar.topLeft(), bar.bottomLeft());
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(bar.bottomLeft(), bar.bottomRight());
  painter.drawLine(bar.topRight(), bar.bottomRight());

  if (!m_icon.isNull()) {
    const int top = (bar.height() - kIconSize) / 2;
    m_icon.paint(&painter, QRect(kIconLeft, top, kIconSize, kIconSize));
  }
  painter.setPen(textColor());
  const QRect textRect = bar.adjusted(kTextIndent, 0, -2, 0);
  const QString shown =
      painter.fontMetrics().elidedText(kLeadingBlanks + m_text, Qt::ElideRight, textRect.width());
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

}  // namespace vaporix
