#include "CHyperLink.h"

namespace vaporix {

CHyperLink::CHyperLink(const QString& text, const QUrl& url, QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::RichText);
  setOpenExternalLinks(true);
  setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  setCursor(Qt::PointingHandCursor);
  setLink(text, url);
}

void CHyperLink::setLink(const QString& text, const QUrl& url) {
  m_linkText = text;
  m_url = url;
  // Both parts are escaped so that an '&' or '<' in them stays plain text.
  setText(QStringLiteral("<a href=\"%1\">%2</a>")
              .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), text.toHtmlEscaped()));
  setToolTip(url.toDisplayString());
}

}  // namespace vaporix
