#include "COutputView.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QStyle>
#include <QTabWidget>
#include <array>

#include "CCaption.h"
#include "CFlatButton.h"
#include "CGridCtrl.h"
#include "GridDisplayHandler.h"
#include "vaporix/Units.h"

namespace vaporix {

namespace {

constexpr int kFixedColumnWidth = 30;
constexpr double kCelsiusOffset = units::kCelsiusOffset;
constexpr double kBarPerMPa = 1.0 / units::kMegapascalPerBar;
constexpr int kQualityColumn = 13;
constexpr int kRegionColumn = 14;

struct ColumnHeader {
  const char* si;
  const char* english;
};

// Headers of columns 1-14.
constexpr std::array<ColumnHeader, 14> kHeaders{{
    {"p [bar]", "p [psi]"},
    {"t [°C]", "t [°F]"},
    {"d [kg/m³]", "d [lb/ft³]"},
    {"v [m³/kg]", "v [ft³/lb]"},
    {"h [kJ/kg]", "h [Btu/lb]"},
    {"s [kJ/(kg·K)]", "s [Btu/(lb·°F)]"},
    {"u [kJ/kg]", "u [Btu/lb]"},
    {"cp [kJ/(kg·K)]", "cp [Btu/(lb·°F)]"},
    {"cv [kJ/(kg·K)]", "cv [Btu/(lb·°F)]"},
    {"w [m/s]", "w [ft/s]"},
    {"kapa [-]", "kapa [-]"},
    {"Z [-]", "Z [-]"},
    {"quality [%]", "quality [%]"},
    {"region [-]", "region [-]"},
}};

QString Format(double value) {
  return GridDisplayHandler::FormatValue(value);
}

}  // namespace

COutputView::COutputView(QWidget* parent)
    : QWidget(parent),
      m_caption(new CCaption(QStringLiteral("Output - All Results [ main properties ]"), this)),
      m_closeButton(new CFlatButton(this)),
      m_tabs(new QTabWidget(this)),
      m_siTable(new CGridCtrl()),
      m_englishTable(new CGridCtrl()) {
  m_closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
  m_closeButton->setToolTip(QStringLiteral("Hide the output pane"));
  m_closeButton->raise();
  connect(m_closeButton, &CFlatButton::clicked, this, &COutputView::closeRequested);

  BuildTable(*m_siTable, false);
  BuildTable(*m_englishTable, true);
  m_tabs->addTab(m_siTable, QStringLiteral("SI Unit results"));
  m_tabs->addTab(m_englishTable, QStringLiteral("English Unit results"));
  m_tabs->setCurrentIndex(0);
  m_siTable->installEventFilter(this);
  m_englishTable->installEventFilter(this);

  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    m_focusConnection = connect(application, &QApplication::focusChanged, this,
                                [this](QWidget* /*old*/, QWidget* now) {
                                  setActive(now != nullptr && (now == this || isAncestorOf(now)));
                                });
  }
  setActive(false);
}

COutputView::~COutputView() {
  // Hiding the window in the base destructor moves the focus; this part of
  // the object is gone by then.
  disconnect(m_focusConnection);
}

void COutputView::BuildTable(CGridCtrl& table, bool english) {
  table.setFrameShape(QFrame::NoFrame);
  table.setGridRowCount(kInitialRowCount);
  table.setGridColumnCount(kColumnCount);
  table.setFixedColumnWidth(kFixedColumnWidth);
  for (std::size_t i = 0; i < kHeaders.size(); ++i) {
    table.setCellText(0, static_cast<int>(i) + 1,
                      QString::fromUtf8(english ? kHeaders[i].english : kHeaders[i].si));
  }
  for (int row = 1; row < kInitialRowCount; ++row) {
    table.setCellText(row, 0, QString::number(row));
  }
}

void COutputView::OnUpdate(int hint, const StateProperties& latestState) {
  switch (hint) {
    case kHintSIResultAdded:
      AppendSIRow(latestState);
      break;
    case kHintEnglishResultAdded:
      AppendEnglishRow(latestState);
      break;
    case kHintDropSelection:
      m_siTable->clearSelection();
      m_englishTable->clearSelection();
      break;
    default:
      update();
      break;
  }
}

void COutputView::AppendSIRow(const StateProperties& state) {
  AppendRow(*m_siTable, m_siRowCount, state, false);
  update();
}

void COutputView::AppendEnglishRow(const StateProperties& state) {
  AppendRow(*m_englishTable, m_englishRowCount, state, true);
  update();
}

void COutputView::AppendRow(CGridCtrl& table, int& filledRows, const StateProperties& state,
                            bool english) {
  if (filledRows + 1 >= table.gridRowCount()) {
    const int oldCount = table.gridRowCount();
    table.setGridRowCount(filledRows + kRowGrowth);
    for (int row = oldCount; row < table.gridRowCount(); ++row) {
      table.setCellText(row, 0, QString::number(row));
    }
  }
  const int row = ++filledRows;
  // The English record already holds psi and °F; the SI table shows bar and °C.
  const std::array<double, 12> values{english ? state.p : state.p * kBarPerMPa,
                                      english ? state.t : state.t - kCelsiusOffset,
                                      state.d,
                                      state.v,
                                      state.h,
                                      state.s,
                                      state.u,
                                      state.cp,
                                      state.cv,
                                      state.w,
                                      state.kapa,
                                      state.Z};
  for (std::size_t i = 0; i < values.size(); ++i) {
    table.setCellText(row, static_cast<int>(i) + 1, Format(values[i]));
  }
  table.setCellText(row, kQualityColumn,
                    state.region == 4 ? Format(state.x) : QStringLiteral("N/A"));
  table.setCellText(row, kRegionColumn, QString::number(state.region));
}

void COutputView::ClearTables() {
  m_siRowCount = 0;
  m_englishRowCount = 0;
  for (CGridCtrl* table : {m_siTable, m_englishTable}) {
    for (int row = 1; row < table->gridRowCount(); ++row) {
      for (int column = 1; column < table->gridColumnCount(); ++column) {
        table->setCellText(row, column, QString());
      }
    }
  }
  update();
}

CGridCtrl& COutputView::activeTable() const {
  return m_tabs->currentIndex() == 1 ? *m_englishTable : *m_siTable;
}

QString COutputView::tableTitle(const CGridCtrl& table) const {
  return m_tabs->tabText(m_tabs->indexOf(const_cast<CGridCtrl*>(&table)));
}

bool COutputView::canCopy() const {
  return activeTable().hasSelectedCells();
}

void COutputView::copySelection() const {
  activeTable().copySelectedCells();
}

int COutputView::printActiveTable(QPrinter& printer) const {
  return activeTable().print(printer);
}

void COutputView::setActive(bool active) {
  m_active = active;
  if (active) {
    m_caption->setBackgroundColor(palette().color(QPalette::Highlight));
    m_caption->setTextColor(palette().color(QPalette::HighlightedText));
  } else {
    m_caption->setBackgroundColor(palette().color(QPalette::Button));
    m_caption->setTextColor(QColor(0, 0, 200));
  }
}

void COutputView::resizeEvent(QResizeEvent* event) {
  m_caption->setGeometry(0, 0, width(), kCaptionHeight);
  m_closeButton->setGeometry(width() - 18, 2, 16, 15);
  m_tabs->setGeometry(1, kCaptionHeight, std::max(width() - 1, 0),
                      std::max(height() - kCaptionHeight, 0));
  QWidget::resizeEvent(event);
}

bool COutputView::eventFilter(QObject* watched, QEvent* event) {
  // Only a focus the user moved drops the selections: not the one a closing
  // menu hands back, or Edit > Copy would find nothing to copy.
  if (event->type() == QEvent::FocusIn && (watched == m_siTable || watched == m_englishTable)) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      Q_EMIT tableFocused();
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vaporix
