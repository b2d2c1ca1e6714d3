#include "SteamTableModel.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "GridDisplayHandler.h"
#include "vaporix/tables/TableCsv.h"

namespace vaporix {
namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString UnitsLine(const tables::UnitChoice& units) {
  if (units.english) {
    return QStringLiteral("Units: English (psi, °F, Btu/lb, Btu/(lb·°F), ft³/lb)");
  }
  return QStringLiteral("Units: SI (%1, %2, kJ/kg, kJ/(kg·K), m³/kg)")
      .arg(FromView(tables::UnitText(Quantity::Pressure, units)),
           FromView(tables::UnitText(Quantity::Temperature, units)));
}

}  // namespace

SteamTableModel::SteamTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void SteamTableModel::setTable(tables::SteamTable table) {
  beginResetModel();
  m_table = std::move(table);
  m_columns = tables::Columns(m_table.request);
  m_hasTable = true;
  endResetModel();
}

void SteamTableModel::clear() {
  beginResetModel();
  m_table = {};
  m_columns.clear();
  m_hasTable = false;
  endResetModel();
}

void SteamTableModel::setUnits(const tables::UnitChoice& units) {
  if (units == m_units) {
    return;
  }
  m_units = units;
  if (!m_table.rows.empty()) {
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
  if (!m_columns.empty()) {
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  }
}

int SteamTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_table.rows.size());
}

int SteamTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString SteamTableModel::cellText(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
    return {};
  }
  const tables::Cell cell =
      tables::CellOf(m_table.request, m_table.rows[static_cast<std::size_t>(row)],
                     m_columns[static_cast<std::size_t>(column)], m_units);
  switch (cell.kind) {
    case tables::Cell::Kind::Number:
    case tables::Cell::Kind::Integer:
      return GridDisplayHandler::FormatValue(cell.value);
    case tables::Cell::Kind::NotAvailable:
      return QStringLiteral("N/A");
    case tables::Cell::Kind::Text:
      return FromView(cell.text).replace(QLatin1Char('_'), QLatin1Char(' '));
    case tables::Cell::Kind::Empty:
      break;
  }
  return {};
}

QString SteamTableModel::columnTitle(int column) const {
  if (column < 0 || column >= columnCount()) {
    return {};
  }
  const tables::TableColumn& info = m_columns[static_cast<std::size_t>(column)];
  const std::string_view unit = tables::ColumnUnit(info, m_units);
  const QString name = QString::fromStdString(info.name);
  return unit.empty() ? name : QStringLiteral("%1 [%2]").arg(name, FromView(unit));
}

QVariant SteamTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) {
    return {};
  }
  if (role == Qt::DisplayRole) {
    return cellText(index.row(), index.column());
  }
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  }
  return {};
}

QVariant SteamTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) {
    return {};
  }
  if (orientation == Qt::Vertical) {
    return section + 1;
  }
  return columnTitle(section);
}

QString SteamTableModel::copyText(const QModelIndexList& selection) const {
  int top = 0;
  int bottom = rowCount() - 1;
  int left = 0;
  int right = columnCount() - 1;
  if (!selection.isEmpty()) {
    top = left = std::numeric_limits<int>::max();
    bottom = right = -1;
    for (const QModelIndex& index : selection) {
      top = std::min(top, index.row());
      bottom = std::max(bottom, index.row());
      left = std::min(left, index.column());
      right = std::max(right, index.column());
    }
  }
  QString text;
  for (int column = left; column <= right; ++column) {
    text += columnTitle(column) + (column == right ? QStringLiteral("\n") : QStringLiteral("\t"));
  }
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      text +=
          cellText(row, column) + (column == right ? QStringLiteral("\n") : QStringLiteral("\t"));
    }
  }
  return text;
}

QString SteamTableModel::csvText() const {
  return m_hasTable ? QString::fromStdString(tables::TableCsv(m_table, m_units)) : QString();
}

QString SteamTableModel::describe() const {
  tables::TableRequest shown = m_table.request;
  return QString::fromStdString(tables::Describe(shown)) + QStringLiteral(" (entered in ") +
         (shown.units.english ? QStringLiteral("English units)") : QStringLiteral("SI units)"));
}

int PrintSteamTable(QPrinter& printer, const SteamTableModel& model) {
  if (!model.hasTable() || model.columnCount() == 0) {
    return 0;
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    return 0;
  }
  const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRectF area(0, 0, page.width(), page.height());
  const int columns = model.columnCount();

  // The font shrinks until the widest column fits its share of the page.
  QFont font = painter.font();
  font.setPointSizeF(9.0);
  const auto widest = [&model, columns](const QFontMetricsF& metrics) {
    qreal width = 0;
    for (int column = 0; column < columns; ++column) {
      width = std::max(width, metrics.horizontalAdvance(model.columnTitle(column)));
    }
    const int sample = std::min(model.rowCount(), 200);
    for (int row = 0; row < sample; ++row) {
      for (int column = 0; column < columns; ++column) {
        width = std::max(width, metrics.horizontalAdvance(model.cellText(row, column)));
      }
    }
    return width;
  };
  while (font.pointSizeF() > 4.0) {
    painter.setFont(font);
    if ((widest(QFontMetricsF(font, &printer)) + 8.0) * columns <= area.width()) {
      break;
    }
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  painter.setFont(font);
  const QFontMetricsF metrics(font, &printer);
  const qreal lineHeight = metrics.height() * 1.25;
  const qreal columnWidth = area.width() / columns;
  const QStringList header = {
      model.describe(), UnitsLine(model.units()),
      QStringLiteral("Printed %1")
          .arg(QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat))};
  const int bodyLines = std::max(
      1, static_cast<int>((area.height() - lineHeight * (static_cast<qreal>(header.size()) + 3.0)) /
                          lineHeight));
  const int rows = model.rowCount();
  const int pages = std::max(1, (rows + bodyLines - 1) / bodyLines);

  for (int pageIndex = 0; pageIndex < pages; ++pageIndex) {
    if (pageIndex > 0 && !printer.newPage()) {
      painter.end();
      return 0;
    }
    qreal y = 0;
    for (const QString& line : header) {
      painter.drawText(QRectF(0, y, area.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                       line);
      y += lineHeight;
    }
    y += lineHeight * 0.5;
    const auto drawRow = [&](auto text) {
      for (int column = 0; column < columns; ++column) {
        painter.drawText(QRectF(column * columnWidth, y, columnWidth - 4.0, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, text(column));
      }
      y += lineHeight;
    };
    drawRow([&model](int column) { return model.columnTitle(column); });
    painter.drawLine(QPointF(0, y), QPointF(area.width(), y));
    const int first = pageIndex * bodyLines;
    for (int row = first; row < std::min(rows, first + bodyLines); ++row) {
      drawRow([&model, row](int column) { return model.cellText(row, column); });
    }
    painter.drawText(QRectF(0, area.height() - lineHeight, area.width(), lineHeight),
                     Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(pageIndex + 1).arg(pages));
  }
  painter.end();
  return pages;
}

}  // namespace vaporix
