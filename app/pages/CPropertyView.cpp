#include "CPropertyView.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeySequence>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

#include "CPropertyViewPage.h"

namespace vaporix {

CPropertyView::CPropertyView(QWidget* parent) : QTabWidget(parent) {
  // The pages keep the focus; the view passes its own focus on to them.
  tabBar()->setFocusPolicy(Qt::NoFocus);
  setFocusProxy(nullptr);
  setFocusPolicy(Qt::StrongFocus);

  const auto addShortcut = [this](const QKeySequence& keys, void (CPropertyView::*select)()) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, select);
  };
  addShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), &CPropertyView::SelectNextPage);
  addShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), &CPropertyView::SelectNextPage);
  addShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), &CPropertyView::SelectPreviousPage);
  addShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), &CPropertyView::SelectPreviousPage);

  connect(this, &QTabWidget::currentChanged, this, &CPropertyView::OnCurrentChanged);
}

CPropertyView::~CPropertyView() = default;

int CPropertyView::AddPage(CPropertyViewPage* page, const QIcon& icon) {
  auto* scroller = new QScrollArea();
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setWidgetResizable(true);
  scroller->setWidget(page);
  m_pages.push_back(page);
  const QSignalBlocker blocker(this);
  const int index = addTab(scroller, icon, page->title());
  if (m_shownIndex < 0) {
    m_shownIndex = index;
  }
  return index;
}

CPropertyViewPage* CPropertyView::page(int index) const {
  if (index < 0 || index >= pageCount()) {
    return nullptr;
  }
  return m_pages[static_cast<std::size_t>(index)];
}

bool CPropertyView::SetActivePage(int index) {
  if (index < 0 || index >= pageCount()) {
    return false;
  }
  if (index == currentIndex()) {
    return true;
  }
  m_programmaticSwitch = true;
  setCurrentIndex(index);
  m_programmaticSwitch = false;
  return currentIndex() == index;
}

void CPropertyView::SelectNextPage() {
  if (pageCount() > 1) {
    setCurrentIndex((currentIndex() + 1) % pageCount());
  }
}

void CPropertyView::SelectPreviousPage() {
  if (pageCount() > 1) {
    setCurrentIndex((currentIndex() + pageCount() - 1) % pageCount());
  }
}

void CPropertyView::OnCurrentChanged(int index) {
  CPropertyViewPage* previous = page(m_shownIndex);
  CPropertyViewPage* next = page(index);
  if (next == nullptr || index == m_shownIndex) {
    return;
  }
  // The tab widget has already switched; a refusal switches back.
  if ((previous != nullptr && !previous->OnKillActive()) || !next->OnSetActive()) {
    const QSignalBlocker blocker(this);
    setCurrentIndex(m_shownIndex);
    return;
  }
  m_shownIndex = index;
  FocusActivePage(!m_programmaticSwitch);
}

void CPropertyView::FocusActivePage(bool userSwitch) {
  CPropertyViewPage* current = activePage();
  if (current == nullptr) {
    return;
  }
  QWidget* focus = QApplication::focusWidget();
  if (userSwitch || focus == this || (focus != nullptr && isAncestorOf(focus))) {
    current->focusFirstControl();
  }
}

QSize CPropertyView::sizeHint() const {
  return QTabWidget::sizeHint() + QSize(0, kBandHeight);
}

QSize CPropertyView::minimumSizeHint() const {
  return QTabWidget::minimumSizeHint() + QSize(0, kBandHeight);
}

bool CPropertyView::event(QEvent* event) {
  const bool handled = QTabWidget::event(event);
  // The tab widget lays its children out again on these; the band follows.
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
    case QEvent::FontChange:
      PlaceBelowBand();
      break;
    default:
      break;
  }
  return handled;
}

void CPropertyView::tabInserted(int index) {
  QTabWidget::tabInserted(index);
  PlaceBelowBand();
}

void CPropertyView::PlaceBelowBand() {
  QStyleOptionTabWidgetFrame option;
  initStyleOption(&option);
  option.rect = QRect(0, 0, width(), std::max(height() - kBandHeight, 0));
  const QPoint below(0, kBandHeight);
  tabBar()->setGeometry(
      style()->subElementRect(QStyle::SE_TabWidgetTabBar, &option, this).translated(below));
  if (auto* pages = findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    pages->setGeometry(
        style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this).translated(below));
  }
  m_panelRect =
      style()->subElementRect(QStyle::SE_TabWidgetTabPane, &option, this).translated(below);
  update();
}

void CPropertyView::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  painter.fillRect(QRect(0, 0, width(), kBandHeight), palette().color(QPalette::Button));
  QStyleOptionTabWidgetFrame option;
  initStyleOption(&option);
  option.rect = m_panelRect;
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

void CPropertyView::focusInEvent(QFocusEvent* event) {
  QTabWidget::focusInEvent(event);
  if (CPropertyViewPage* current = activePage()) {
    current->focusFirstControl();
  }
}

}  // namespace vaporix
