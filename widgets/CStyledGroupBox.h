#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>

namespace vaporix {

// A group box with a caption in Times New Roman 14 pt bold italic, its
// caption and frame in blue on a pale cyan fill; children keep their own font.
// An '&' in the title marks a mnemonic that moves the focus into the box.
class CStyledGroupBox : public QFrame {
  Q_OBJECT

 public:
  explicit CStyledGroupBox(const QString& title = QString(), QWidget* parent = nullptr);

  QString title() const { return m_title; }
  void setTitle(const QString& title);

  QFont captionFont() const { return m_captionFont; }
  // Blue caption on a pale cyan fill, or their dark-desktop counterparts,
  // chosen by the palette so that the caption and the labels on the fill
  // stay readable.
  QColor captionColor() const;
  QColor fillColor() const;

  QSize minimumSizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void updateMargins();
  void updateMnemonic();
  void focusFirstChild();

  QString m_title;
  QFont m_captionFont;
  int m_shortcutId = 0;
};

}  // namespace vaporix
