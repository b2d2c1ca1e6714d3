#include "widgets/CStyledGroupBox.h"

#include <QPainter>

namespace vaporix {

namespace {

constexpr int kTitleLeft = 8;
constexpr int kTitlePadding = 4;
constexpr int kMargin = 8;

}  // namespace

CStyledGroupBox::CStyledGroupBox(const QString& title, QWidget* parent)
    : QFrame(parent),
      m_title(title),
      m_captionFont(QStringLiteral("Times New Roman"), 14, QFont::Bold, true) {
  updateMargins();
}

void CStyledGroupBox::setTitle(const QString& title) {
  m_title = title;
  updateMargins();
  update();
}

void CStyledGroupBox::updateMargins() {
  // The layout of the children starts below the caption line.
  const QFontMetrics metrics(m_captionFont);
  setContentsMargins(kMargin, metrics.height() + kTitlePadding, kMargin, kMargin);
}

QSize CStyledGroupBox::minimumSizeHint() const {
  const QFontMetrics metrics(m_captionFont);
  const QSize content = QFrame::minimumSizeHint();
  return {std::max(content.width(),
                   metrics.horizontalAdvance(m_title) + 2 * kTitleLeft + 2 * kTitlePadding),
          std::max(content.height(), metrics.height() + kTitlePadding + kMargin)};
}

void CStyledGroupBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics(m_captionFont);
  const QRect frame = rect().adjusted(0, metrics.height() / 2, -1, -1);
  painter.fillRect(frame, fillColor());
  painter.setPen(captionColor());
  painter.drawRect(frame);
  if (m_title.isEmpty()) {
    return;
  }
  const QRect titleRect(kTitleLeft, 0, metrics.horizontalAdvance(m_title) + 2 * kTitlePadding,
                        metrics.height());
  painter.fillRect(titleRect, fillColor());
  painter.setFont(m_captionFont);
  painter.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine, m_title);
}

}  // namespace vaporix
