#pragma once

#include <QAbstractButton>

namespace vaporix {

// A flat push button that shows a raised edge while the mouse is over it and
// a sunken edge while it is pressed, with its icon centred.
class CFlatButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit CFlatButton(QWidget* parent = nullptr);

  // True while the mouse is over the button (the raised edge is shown).
  bool isHovered() const { return m_hovered; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  bool m_hovered = false;
};

}  // namespace vaporix
