#include "CStyledGroupBox.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeySequence>
#include <QPainter>
#include <QShortcutEvent>

#include "Contrast.h"

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
  updateMnemonic();
}

void CStyledGroupBox::setTitle(const QString& title) {
  m_title = title;
  updateMargins();
  updateMnemonic();
  update();
}

void CStyledGroupBox::updateMnemonic() {
  if (m_shortcutId != 0) {
    releaseShortcut(m_shortcutId);
    m_shortcutId = 0;
  }
  const QKeySequence mnemonic = QKeySequence::mnemonic(m_title);
  if (!mnemonic.isEmpty()) {
    m_shortcutId = grabShortcut(mnemonic);
  }
}

bool CStyledGroupBox::event(QEvent* event) {
  if (event->type() == QEvent::Shortcut &&
      static_cast<QShortcutEvent*>(event)->shortcutId() == m_shortcutId && m_shortcutId != 0) {
    focusFirstChild();
    return true;
  }
  return QFrame::event(event);
}

void CStyledGroupBox::focusFirstChild() {
  // The checked radio button is where the arrow keys continue; otherwise
  // the first child in the tab order.
  QWidget* first = nullptr;
  for (QWidget* candidate = nextInFocusChain(); candidate != this;
       candidate = candidate->nextInFocusChain()) {
    if (!isAncestorOf(candidate) || !candidate->isEnabled() || !candidate->isVisibleTo(this) ||
        (candidate->focusPolicy() & Qt::TabFocus) == 0) {
      continue;
    }
    if (first == nullptr) {
      first = candidate;
    }
    if (const auto* button = qobject_cast<QAbstractButton*>(candidate);
        button != nullptr && button->isCheckable() && button->isChecked()) {
      first = candidate;
      break;
    }
  }
  if (first != nullptr) {
    first->setFocus(Qt::ShortcutFocusReason);
  }
}

void CStyledGroupBox::updateMargins() {
  // The layout of the children starts below the caption line.
  const QFontMetrics metrics(m_captionFont);
  setContentsMargins(kMargin, metrics.height() + kTitlePadding, kMargin, kMargin);
}

QSize CStyledGroupBox::minimumSizeHint() const {
  const QFontMetrics metrics(m_captionFont);
  const QSize content = QFrame::minimumSizeHint();
  return {std::max(content.width(), metrics.size(Qt::TextShowMnemonic, m_title).width() +
                                        2 * kTitleLeft + 2 * kTitlePadding),
          std::max(content.height(), metrics.height() + kTitlePadding + kMargin)};
}

QColor CStyledGroupBox::captionColor() const {
  return IsDarkPalette(palette()) ? QColor(140, 180, 255) : QColor(0, 0, 200);
}

QColor CStyledGroupBox::fillColor() const {
  // The fill follows the window's darkness; the palette's text stays on it.
  return IsDarkPalette(palette()) ? QColor(28, 48, 52) : QColor(220, 240, 240);
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
  const QRect titleRect(kTitleLeft, 0,
                        metrics.size(Qt::TextShowMnemonic, m_title).width() + 2 * kTitlePadding,
                        metrics.height());
  painter.fillRect(titleRect, fillColor());
  painter.setFont(m_captionFont);
  painter.drawText(titleRect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, m_title);
}

}  // namespace vaporix
