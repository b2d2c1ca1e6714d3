#include "CSplWnd.h"

#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace vaporix {
namespace {

// A splitter bar filled with button face, with a 3-D edge of button
// highlight above and button shadow below.
class FlatSplitterHandle : public QSplitterHandle {
 public:
  FlatSplitterHandle(Qt::Orientation orientation, QSplitter* parent, bool draggable)
      : QSplitterHandle(orientation, parent), m_draggable(draggable) {
    if (!m_draggable) {
      unsetCursor();
      setCursor(Qt::ArrowCursor);
    }
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const QRect bar = rect();
    painter.fillRect(bar, palette().color(QPalette::Button));
    if (bar.height() >= 2) {
      painter.setPen(palette().color(QPalette::Light));
      painter.drawLine(bar.topLeft(), bar.topRight());
      painter.setPen(palette().color(QPalette::Dark));
      painter.drawLine(bar.bottomLeft(), bar.bottomRight());
    } else {
      painter.setPen(palette().color(QPalette::Dark));
      painter.drawLine(bar.topLeft(), bar.topRight());
    }
  }

  // The banner's bar ignores the mouse so that it cannot be dragged.
  void mousePressEvent(QMouseEvent* event) override {
    if (m_draggable) {
      QSplitterHandle::mousePressEvent(event);
    }
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (m_draggable) {
      QSplitterHandle::mouseMoveEvent(event);
    }
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (m_draggable) {
      QSplitterHandle::mouseReleaseEvent(event);
    }
  }

 private:
  bool m_draggable;
};

}  // namespace

CSplWnd::CSplWnd(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
  setChildrenCollapsible(false);
  setHandleWidth(4);
}

void CSplWnd::HideRow(int row) {
  if (m_hiddenRow != -1 || row < 0 || row >= count()) {
    return;
  }
  m_sizesBeforeHide = sizes();
  m_hiddenRowHeight = m_sizesBeforeHide.at(row);
  m_hiddenRow = row;
  widget(row)->hide();
}

void CSplWnd::ShowRow() {
  if (m_hiddenRow == -1) {
    return;
  }
  const int row = m_hiddenRow;
  m_hiddenRow = -1;
  widget(row)->show();
  // The other rows give back what the hidden row had; the hidden row's
  // height is taken from the rows above it first, the last row first.
  QList<int> heights = sizes();
  int total = 0;
  for (const int height : heights) {
    total += height;
  }
  const int restored = std::clamp(m_hiddenRowHeight, kMinimumRowHeight,
                                  std::max(kMinimumRowHeight, total - kMinimumRowHeight));
  int shortfall = restored - heights[row];
  heights[row] = restored;
  for (int other = count() - 1; other >= 0 && shortfall > 0; --other) {
    if (other == row) {
      continue;
    }
    const int give = std::min(shortfall, std::max(heights[other] - kMinimumRowHeight, 0));
    heights[other] -= give;
    shortfall -= give;
  }
  setSizes(heights);
}

QSplitterHandle* CSplWnd::createHandle() {
  return new FlatSplitterHandle(orientation(), this, true);
}

// The splitter does not scroll; the wheel belongs to the panes.
void CSplWnd::wheelEvent(QWheelEvent* event) {
  event->ignore();
}

CCaptionSplWnd::CCaptionSplWnd(QWidget* parent) : QSplitter(Qt::Vertical, parent) {
  setChildrenCollapsible(false);
  setHandleWidth(1);
}

QSplitterHandle* CCaptionSplWnd::createHandle() {
  return new FlatSplitterHandle(orientation(), this, false);
}

void CCaptionSplWnd::resizeEvent(QResizeEvent* event) {
  QSplitter::resizeEvent(event);
  // The banner row keeps its height whatever happens to the window.
  if (count() >= 2) {
    QList<int> heights = sizes();
    const int total = heights[0] + heights[1];
    if (heights[0] != kBannerHeight && total > kBannerHeight) {
      heights[0] = kBannerHeight;
      heights[1] = total - kBannerHeight;
      setSizes(heights);
    }
  }
}

}  // namespace vaporix
