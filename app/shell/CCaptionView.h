#pragma once

#include <QWidget>

namespace vaporix {

class CCaption;

// The banner above the input pane: the name of the formulation in a 22-pixel
// title bar across the whole width.
class CCaptionView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 22;

  explicit CCaptionView(QWidget* parent = nullptr);

  CCaption& caption() const { return *m_caption; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ApplyColours();

  CCaption* m_caption;
};

}  // namespace vaporix
