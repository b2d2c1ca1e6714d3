#pragma once

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QString>
#include <vector>

#include "vaporix/tables/SteamTable.h"

class QPrinter;

namespace vaporix {

// A calculated steam table as the Tables page shows it: one row per table
// row, one column per table column, every value in the display units. The
// table keeps SI records, so a change of units re-shows it without a new
// calculation.
class SteamTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit SteamTableModel(QObject* parent = nullptr);

  void setTable(tables::SteamTable table);
  void clear();
  bool hasTable() const { return m_hasTable; }
  const tables::SteamTable& table() const { return m_table; }
  const std::vector<tables::TableColumn>& columns() const { return m_columns; }

  void setUnits(const tables::UnitChoice& units);
  const tables::UnitChoice& units() const { return m_units; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // A cell as shown ("%g", "N/A", the status, or empty) and a column title
  // with its unit ("t [°C]").
  QString cellText(int row, int column) const;
  QString columnTitle(int column) const;

  // Tab-separated text with a header row: the rectangle spanning `selection`,
  // or the whole table when the selection is empty.
  QString copyText(const QModelIndexList& selection) const;
  // The table as CSV in the display units (shortest round-trip numbers).
  QString csvText() const;
  // A line for the printed header: the kind, the ranges and the units.
  QString describe() const;

 private:
  tables::SteamTable m_table;
  std::vector<tables::TableColumn> m_columns;
  tables::UnitChoice m_units;
  bool m_hasTable = false;
};

// Prints the table: on every page a header (what the table is, its units and
// the date) and the column titles; columns shrink to the page width. Answers
// the number of pages (0 on failure or without a table).
int PrintSteamTable(QPrinter& printer, const SteamTableModel& model);

}  // namespace vaporix
