#include "CCaptionView.h"

#include <QEvent>

#include "AppIcon.h"
#include "CCaption.h"

namespace vaporix {

CCaptionView::CCaptionView(QWidget* parent)
    : QWidget(parent),
      m_caption(new CCaption(QStringLiteral("IAPWS Industrial Formulation 1997"), this)) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(20);
  font.setWeight(QFont::Bold);
  m_caption->setFont(font);
  m_caption->setIcon(ApplicationIcon());
  ApplyColours();
  setFixedHeight(kHeight);
}

void CCaptionView::resizeEvent(QResizeEvent* event) {
  m_caption->setGeometry(0, 0, width(), kHeight);
  QWidget::resizeEvent(event);
}

void CCaptionView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) {
    ApplyColours();
  }
  QWidget::changeEvent(event);
}

// Window-coloured text on the button-shadow colour, following the palette.
void CCaptionView::ApplyColours() {
  m_caption->setBackgroundColor(palette().color(QPalette::Dark));
  m_caption->setTextColor(palette().color(QPalette::Window));
}

}  // namespace vaporix
