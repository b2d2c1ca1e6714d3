#pragma once

#include <QList>
#include <QSplitter>

namespace vaporix {

// The outer splitter of the main window, whose rows can be hidden and shown
// again at the height they had.
class CSplWnd : public QSplitter {
  Q_OBJECT

 public:
  static constexpr int kMinimumRowHeight = 10;

  explicit CSplWnd(QWidget* parent = nullptr);

  // Hides the pane of `row`, giving its height to the other rows; the
  // height is kept for ShowRow. Nothing happens while a row is hidden.
  void HideRow(int row);
  // Shows the hidden row again at its former height.
  void ShowRow();
  // The hidden row, or -1.
  int hiddenRow() const { return m_hiddenRow; }

  // The height a hidden row had when it was hidden.
  int hiddenRowHeight() const { return m_hiddenRowHeight; }

 protected:
  QSplitterHandle* createHandle() override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  int m_hiddenRow = -1;
  int m_hiddenRowHeight = 0;
  QList<int> m_sizesBeforeHide;
};

// The inner splitter that holds the banner above the input pane: the banner
// row keeps its fixed height and the bar between them cannot be dragged.
class CCaptionSplWnd : public QSplitter {
  Q_OBJECT

 public:
  static constexpr int kBannerHeight = 22;

  explicit CCaptionSplWnd(QWidget* parent = nullptr);

 protected:
  QSplitterHandle* createHandle() override;
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace vaporix
