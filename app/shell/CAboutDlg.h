#pragma once

#include <QDialog>

namespace vaporix {

class CHyperLink;

// The About box: the program's icon, name and version, a link to the product
// page, the rights notice and a link to the maker's web site.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

  CHyperLink& productLink() const { return *m_productLink; }
  CHyperLink& webSiteLink() const { return *m_webSiteLink; }

 private:
  CHyperLink* m_productLink;
  CHyperLink* m_webSiteLink;
};

}  // namespace vaporix
