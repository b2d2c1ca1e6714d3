#pragma once

#include <QTabWidget>
#include <vector>

namespace vaporix {

class CPropertyViewPage;

// A tab view whose tabs hold CPropertyViewPage panels. Ctrl+Tab and
// Ctrl+PgDn select the next page, Ctrl+Shift+Tab and Ctrl+PgUp the previous
// one, both wrapping around; a page may refuse to be left or shown. A page
// larger than the view scrolls. A band of kBandHeight pixels in the button
// colour runs above the tabs.
class CPropertyView : public QTabWidget {
  Q_OBJECT

 public:
  static constexpr int kBandHeight = 4;

  explicit CPropertyView(QWidget* parent = nullptr);
  ~CPropertyView() override;

  // Adds a page (the view takes ownership) with its title as the tab text;
  // the first page added becomes the current one. Answers its index.
  int AddPage(CPropertyViewPage* page, const QIcon& icon = QIcon());

  int pageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyViewPage* page(int index) const;
  CPropertyViewPage* activePage() const { return page(activeIndex()); }
  int activeIndex() const { return currentIndex(); }

  // Switches to the page at `index` when the current page may be left and
  // the new one shown; answers whether the page at `index` is current.
  bool SetActivePage(int index);
  void SelectNextPage();
  void SelectPreviousPage();

  // The tab widget's sizes and the band.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void focusInEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void tabInserted(int index) override;

 private:
  void OnCurrentChanged(int index);
  // Moves the focus to the current page when the user switched pages or
  // the focus was inside the view.
  void FocusActivePage(bool userSwitch);
  // Lays the tab bar and the pages out below the band, where the tab
  // widget's own layout would put them at the top.
  void PlaceBelowBand();

  QRect m_panelRect;

  std::vector<CPropertyViewPage*> m_pages;
  int m_shownIndex = -1;
  bool m_programmaticSwitch = false;
};

}  // namespace vaporix
