#include "COutputView.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QStyle>
#include <QTabWidget>
#include <array>
#include <string_view>

#include "CCaption.h"
#include "CFlatButton.h"
#include "CGridCtrl.h"
#include "GridDisplayHandler.h"
#include "vaporix/Properties.h"
#include "vaporix/Units.h"

namespace vaporix {

namespace {

constexpr int kFixedColumnWidth = 30;

// The main properties the pane shows in columns 1-14, by property number.
constexpr std::array<int, 14> kColumnProperties{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 15, 16};
static_assert(kColumnProperties.size() + 1 == COutputView::kColumnCount);

// A column header, "key [unit]"; the SI table shows bar and degC, and the
// quality is spelt out.
QString Header(const PropertyInfo& property, bool english) {
  std::string_view unit = english ? property.englishUnit : property.siUnit;
  if (!english && property.stateField == &StateProperties::p) {
    unit = "bar";
  } else if (!english && property.stateField == &StateProperties::t) {
    unit = "°C";
  }
  const std::string_view key =
      property.stateField == &StateProperties::x ? "quality" : property.key;
  return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())) + QStringLiteral(" [") +
         QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())) + QStringLiteral("]");
}

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
  for (std::size_t i = 0; i < kColumnProperties.size(); ++i) {
    table.setCellText(0, static_cast<int>(i) + 1,
                      Header(PropertyByNumber(kColumnProperties[i]), english));
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
  const TransportProperties noTransport;
  for (std::size_t i = 0; i < kColumnProperties.size(); ++i) {
    const PropertyInfo& property = PropertyByNumber(kColumnProperties[i]);
    QString text;
    if (!IsAvailable(property, state, noTransport, /*saturationCalculation=*/false)) {
      text = QStringLiteral("N/A");
    } else if (property.isRegion) {
      text = QString::number(state.region);
    } else {
      double value = ValueOf(property, state, noTransport);
      if (!english && property.stateField == &StateProperties::p) {
        value *= units::kBarPerMegapascal;
      } else if (!english && property.stateField == &StateProperties::t) {
        value -= units::kCelsiusOffset;
      }
      text = Format(value);
    }
    table.setCellText(row, static_cast<int>(i) + 1, text);
  }
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
