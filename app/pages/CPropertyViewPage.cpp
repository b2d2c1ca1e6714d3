#include "CPropertyViewPage.h"

#include <QFontMetrics>
#include <QStringLiteral>
#include <cmath>

#include "CVaporixDoc.h"

namespace vaporix {

namespace {

// Dialog units: horizontal base is the average width of the letters, the
// vertical base the font's line height, as dialog templates measure them.
double HorizontalBase(const QFont& font) {
  const QFontMetrics metrics(font);
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return metrics.horizontalAdvance(letters) / 52.0;
}

double VerticalBase(const QFont& font) {
  return QFontMetrics(font).height();
}

}  // namespace

CPropertyViewPage::CPropertyViewPage(CVaporixDoc& document, const QString& title,
                                     QSize templateDialogUnits, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_title(title),
      m_templateDialogUnits(templateDialogUnits) {
  setWindowTitle(title);
}

CPropertyViewPage::~CPropertyViewPage() = default;

void CPropertyViewPage::MarkModified() {
  m_document.SetModifiedFlag();
}

int CPropertyViewPage::dialogUnitsToX(int units) const {
  return static_cast<int>(std::lround(units * HorizontalBase(font()) / 4.0));
}

int CPropertyViewPage::dialogUnitsToY(int units) const {
  return static_cast<int>(std::lround(units * VerticalBase(font()) / 8.0));
}

QRect CPropertyViewPage::dialogRect(int x, int y, int width, int height, QPoint origin) const {
  const int left = dialogUnitsToX(x - origin.x());
  const int top = dialogUnitsToY(y - origin.y());
  return {left, top, dialogUnitsToX(x - origin.x() + width) - left,
          dialogUnitsToY(y - origin.y() + height) - top};
}

QSize CPropertyViewPage::templateSize() const {
  return {dialogUnitsToX(m_templateDialogUnits.width()),
          dialogUnitsToY(m_templateDialogUnits.height())};
}

void CPropertyViewPage::focusFirstControl() {
  for (QWidget* candidate = nextInFocusChain(); candidate != this && candidate != nullptr;
       candidate = candidate->nextInFocusChain()) {
    if (isAncestorOf(candidate) && candidate->isEnabled() && candidate->isVisibleTo(this) &&
        (candidate->focusPolicy() & Qt::TabFocus) != 0) {
      candidate->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

}  // namespace vaporix
