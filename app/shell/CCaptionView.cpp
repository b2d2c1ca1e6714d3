#include "CCaptionView.h"

#include <QEvent>

#include "AppIcon.h"
#include "CCaption.h"
#include "Contrast.h"

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

// Window-coloured text on a shadow colour, following the palette; the
// light palette's shadow is darkened until the text reads on it, and text
// that still would not read turns black or white.
void CCaptionView::ApplyColours() {
  QColor background = palette().color(QPalette::Dark);
  if (!IsDarkPalette(palette())) {
    background = background.darker(160);
  }
  m_caption->setBackgroundColor(background);
  m_caption->setTextColor(ReadableOn(background, palette().color(QPalette::Window)));
}

}  // namespace vaporix
