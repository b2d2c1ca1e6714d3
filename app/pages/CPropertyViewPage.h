#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

namespace vaporix {

class CVaporixDoc;

// A page of a CPropertyView: a dialog-like panel laid out in dialog units
// (a quarter of the font's average character width, an eighth of its
// height) that knows the document it works on.
class CPropertyViewPage : public QWidget {
  Q_OBJECT

 public:
  ~CPropertyViewPage() override;

  // The tab text.
  const QString& title() const { return m_title; }
  CVaporixDoc& document() const { return m_document; }

  // Sets the document's modified flag.
  void MarkModified();

  // Asked by the tab view before the page is shown and before it is left;
  // answering false keeps the current page.
  virtual bool OnSetActive() { return true; }
  virtual bool OnKillActive() { return true; }

  // Gives the focus to the first control of the page in tab order; a page
  // whose user starts by typing names its first input instead.
  virtual void focusFirstControl();

  // The page's size in pixels for its template size in dialog units.
  QSize templateSize() const;
  QSize sizeHint() const override { return templateSize(); }
  QSize minimumSizeHint() const override { return templateSize(); }

 protected:
  CPropertyViewPage(CVaporixDoc& document, const QString& title, QSize templateDialogUnits,
                    QWidget* parent);

  // A rectangle in dialog units converted to pixels, relative to `origin`
  // (also in dialog units) for controls placed inside a group box.
  QRect dialogRect(int x, int y, int width, int height, QPoint origin = QPoint()) const;
  int dialogUnitsToX(int units) const;
  int dialogUnitsToY(int units) const;

 private:
  CVaporixDoc& m_document;
  QString m_title;
  QSize m_templateDialogUnits;
};

}  // namespace vaporix
