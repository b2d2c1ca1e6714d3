#pragma once

#include <QLabel>
#include <QUrl>

namespace vaporix {

// A label that shows its text as an underlined link and opens its address
// (a web page or a mail address) with the desktop's handler when clicked.
class CHyperLink : public QLabel {
  Q_OBJECT

 public:
  explicit CHyperLink(const QString& text = QString(), const QUrl& url = QUrl(),
                      QWidget* parent = nullptr);

  QString linkText() const { return m_linkText; }
  QUrl url() const { return m_url; }
  void setLink(const QString& text, const QUrl& url);

 private:
  QString m_linkText;
  QUrl m_url;
};

}  // namespace vaporix
