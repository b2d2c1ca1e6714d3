#pragma once

#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <optional>
#include <vector>

#include "CPropertyViewPage.h"
#include "CVaporixDoc.h"
#include "DiagramPainter.h"
#include "vaporix/charts/IsolineTracer.h"

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRubberBand;

namespace vaporix {

class CDiagramPage;
class CPageGeneral;

// The drawing surface of the diagram page: paints the chart, shows the
// cross-hair and read-out on hover, picks a state on a click, zooms with the
// wheel or a rubber band (right button, or Shift with the left one), pans
// when dragged; Home resets the window.
class CDiagramCanvas : public QWidget {
 public:
  explicit CDiagramCanvas(CDiagramPage& page, QWidget* parent = nullptr);

  std::optional<QPointF> crossHair() const { return m_crossHair; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CDiagramPage& m_page;
  std::optional<QPointF> m_crossHair;
  QPoint m_pressPosition;
  charts::ChartRange m_pressRange;
  bool m_panning = false;
  bool m_pressed = false;
  QRubberBand* m_rubberBand = nullptr;
  QPixmap m_picture;
  std::vector<double> m_pictureKey;
};

// The "Diagram" tab: the h-s, T-s, log p-h or p-T chart with the document's
// states as numbered markers. A click computes the state at the point on
// the "Subcooled/Superheated properties" page, exactly as its Calculate
// would, so it joins the document and the output pane.
class CDiagramPage final : public CPropertyViewPage, public CDocumentView {
  Q_OBJECT

 public:
  static const QString kTitle;

  // The unit choices of the units list, in list order.
  enum UnitChoice { kBarCelsius = 0, kMegapascalKelvin = 1, kEnglish = 2 };

  CDiagramPage(CVaporixDoc& document, CPageGeneral& generalPage, QWidget* parent = nullptr);
  ~CDiagramPage() override;

  charts::ChartType chart() const { return m_chart; }
  void setChart(charts::ChartType chart);
  const charts::ChartRange& range() const { return m_range; }
  // Accepts a window inside which the chart can be drawn; answers whether it did.
  bool setRange(const charts::ChartRange& range);
  void ResetRange();
  charts::DisplayUnits units() const;

  CDiagramCanvas& canvas() const { return *m_canvas; }
  QComboBox& chartList() const { return *m_chartList; }
  QComboBox& unitList() const { return *m_unitList; }
  QPushButton& homeButton() const { return *m_homeButton; }
  QLabel& readOut() const { return *m_readOut; }

  // The mapping of chart coordinates to canvas pixels, and the trace of the
  // current window at the canvas size (traced again when stale).
  charts::PlotMapping mapping() const;
  const charts::ChartTrace& trace();
  int traceCount() const { return m_traceCount; }
  std::vector<DiagramMarker> markers() const;

  // Hover: the read-out of the state at a canvas pixel; answers whether the
  // engine found one.
  bool ShowReadOut(QPointF pixel);
  // Click: the state at a canvas pixel calculated on the single-phase page.
  bool PickState(QPointF pixel);

  int print(QPrinter& printer);
  std::optional<QString> exportTo(const QString& path);
  // Edit > Copy on this page: the chart as drawn, as an image on the clipboard.
  void copyToClipboard();

  // CDocumentView: markers follow the document.
  void OnUpdate(CDocumentView* sender, UpdateHint hint) override;
  void OnNewDocument() override;
  void OnContentsReplaced() override;

 private:
  void StoreSettings() const;
  QSize ExportSize() const;

  CPageGeneral& m_generalPage;
  charts::IsolineTracer m_tracer;
  charts::ChartType m_chart = charts::ChartType::HS;
  charts::ChartRange m_range;
  charts::ChartTrace m_trace;
  bool m_traceValid = false;
  int m_traceCount = 0;
  QComboBox* m_chartList = nullptr;
  QComboBox* m_unitList = nullptr;
  QPushButton* m_homeButton = nullptr;
  QLabel* m_readOut = nullptr;
  CDiagramCanvas* m_canvas = nullptr;
};

}  // namespace vaporix
