#pragma once

#include <QColor>
#include <QIcon>
#include <QWidget>

namespace vaporix {

// A title bar: a 3-D framed strip with a single line of text, vertically
// centred after an optional small icon, in settable colours.
class CCaption : public QWidget {
  Q_OBJECT

 public:
  explicit CCaption(const QString& text = QString(), QWidget* parent = nullptr);

  QString text() const { return m_text; }
  void setText(const QString& text);

  void setIcon(const QIcon& icon);

  // Background of the bar; an invalid colour means the button face colour.
  QColor backgroundColor() const;
  void setBackgroundColor(const QColor& color);

  // Text colour; an invalid colour means the button text colour.
  QColor textColor() const;
  void setTextColor(const QColor& color);

  // An optional second colour that fills the bar inside its frame.
  QColor fillColor() const { return m_fillColor; }
  void setFillColor(const QColor& color);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString m_text;
  QIcon m_icon;
  QColor m_backgroundColor;
  QColor m_textColor;
  QColor m_fillColor;
};

}  // namespace vaporix
