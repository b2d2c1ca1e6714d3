#include "COutputView.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <array>
#include <string_view>

#include "CCaption.h"
#include "CFlatButton.h"
#include "CGridCtrl.h"
#include "Contrast.h"
#include "GridDisplayHandler.h"
#include "vaporix/Properties.h"
#include "vaporix/Units.h"

namespace vaporix {

namespace {

constexpr int kFixedColumnWidth = 30;
constexpr double kCelsiusOffset = units::kCelsiusOffset;
constexpr double kBarPerMPa = 1.0 / units::kMegapascalPerBar;
// The properties of columns 1-14, by key.
constexpr std::array<std::string_view, 14> kColumnKeys{"p",  "t",  "d", "v",    "h", "s", "u",
                                                       "cp", "cv", "w", "kapa", "Z", "x", "region"};

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
  for (CGridCtrl* table : {m_siTable, m_englishTable}) {
    connect(table, &QTableWidget::cellDoubleClicked, this, [this, table](int row, int) {
      if (row >= 0 && row < filledRowCount(*table)) {
        Q_EMIT resultActivated(table == m_englishTable, row);
      }
    });
  }
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
  ShowNewRow(*m_siTable, m_siRowCount);
}

void COutputView::AppendEnglishRow(const StateProperties& state) {
  AppendRow(*m_englishTable, m_englishRowCount, state, true);
  ShowNewRow(*m_englishTable, m_englishRowCount);
}

void COutputView::ShowNewRow(CGridCtrl& table, int row) {
  // The user sees each result arrive: its tab, scrolled to and selected.
  m_tabs->setCurrentWidget(&table);
  table.clearSelection();
  const int modelRow = row - 1;  // grid row 0 is the header
  table.setRangeSelected(
      QTableWidgetSelectionRange(modelRow, 0, modelRow, table.gridColumnCount() - 2), true);
  table.scrollTo(table.model()->index(modelRow, 0), QAbstractItemView::EnsureVisible);
  update();
}

int COutputView::filledRowCount(const CGridCtrl& table) const {
  return &table == m_englishTable ? m_englishRowCount : m_siRowCount;
}

QString COutputView::selectedResultsText() const {
  const CGridCtrl& table = activeTable();
  const QModelIndexList selected = table.selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    return {};
  }
  int left = selected.first().column();
  int right = left;
  for (const QModelIndex& index : selected) {
    left = std::min(left, index.column());
    right = std::max(right, index.column());
  }
  // A header line names the columns; rows past the last result are left out.
  QStringList lines;
  QStringList header;
  for (int column = left; column <= right; ++column) {
    header << table.cellText(0, column + 1);
  }
  lines << header.join(QLatin1Char('\t'));
  for (int row = 1; row <= filledRowCount(table); ++row) {
    QStringList cells;
    bool any = false;
    for (int column = left; column <= right; ++column) {
      const bool isSelected =
          table.selectionModel()->isSelected(table.model()->index(row - 1, column));
      any = any || isSelected;
      cells << (isSelected ? table.cellText(row, column + 1) : QString());
    }
    if (any) {
      lines << cells.join(QLatin1Char('\t'));
    }
  }
  return lines.size() > 1 ? lines.join(QLatin1Char('\n')) + QLatin1Char('\n') : QString();
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
  for (std::size_t i = 0; i < kColumnKeys.size(); ++i) {
    const PropertyInfo& info = *FindProperty(kColumnKeys[i]);
    double value = ValueOf(info, state, TransportProperties{});
    if (!english && info.stateField == &StateProperties::p) {
      value *= kBarPerMPa;
    } else if (!english && info.stateField == &StateProperties::t) {
      value -= kCelsiusOffset;
    }
    QString text;
    if (!IsAvailable(info, state, TransportProperties{}, false)) {
      text = QStringLiteral("N/A");
    } else if (info.isRegion) {
      text = QString::number(state.region);
    } else {
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

int COutputView::heightForRows(int rows) const {
  const CGridCtrl& table = *m_siTable;
  const int tabFrame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_tabs) + 4;
  return kCaptionHeight + m_tabs->tabBar()->sizeHint().height() + tabFrame +
         table.horizontalHeader()->sizeHint().height() +
         rows * table.verticalHeader()->defaultSectionSize() + 2 * table.frameWidth() +
         style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &table);
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
  const QString text = selectedResultsText();
  if (!text.isEmpty()) {
    QApplication::clipboard()->setText(text);
  }
}

int COutputView::printActiveTable(QPrinter& printer, const QString& titleLine) const {
  return printTable(printer, m_tabs->currentIndex() == 1, titleLine);
}

int COutputView::printTable(QPrinter& printer, bool english, const QString& titleLine) const {
  const CGridCtrl& table = english ? *m_englishTable : *m_siTable;
  CGridCtrl::PrintOptions options;
  if (!titleLine.isEmpty()) {
    options.headerLines << titleLine;
  }
  options.headerLines << m_tabs->tabText(english ? 1 : 0);
  options.bodyRows = filledRowCount(table);
  return table.print(printer, options);
}

void COutputView::setActive(bool active) {
  m_active = active;
  if (active) {
    m_caption->setBackgroundColor(palette().color(QPalette::Highlight));
    m_caption->setTextColor(palette().color(QPalette::HighlightedText));
  } else {
    const QColor background = palette().color(QPalette::Button);
    m_caption->setBackgroundColor(background);
    m_caption->setTextColor(ReadableOn(
        background, IsDarkPalette(palette()) ? QColor(140, 180, 255) : QColor(0, 0, 200)));
  }
}

void COutputView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) {
    setActive(m_active);  // the caption's colours follow the new palette
  }
  QWidget::changeEvent(event);
}

void COutputView::resizeEvent(QResizeEvent* event) {
  m_caption->setGeometry(0, 0, width(), kCaptionHeight);
  m_closeButton->setGeometry(width() - 18, 2, 16, 15);
  m_tabs->setGeometry(1, kCaptionHeight, std::max(width() - 1, 0),
                      std::max(height() - kCaptionHeight, 0));
  QWidget::resizeEvent(event);
}

bool COutputView::eventFilter(QObject* watched, QEvent* event) {
  const bool table = watched == m_siTable || watched == m_englishTable;
  // Only a focus the user moved drops the selections: not the one a closing
  // menu hands back, or Edit > Copy would find nothing to copy.
  if (event->type() == QEvent::FocusIn && table) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      Q_EMIT tableFocused();
    }
  }
  // Ctrl+C in a table copies as Edit > Copy does: header line, filled rows.
  if (event->type() == QEvent::KeyPress && table &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    copySelection();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vaporix
