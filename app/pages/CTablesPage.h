#pragma once

#include <QString>
#include <optional>

#include "CPropertyViewPage.h"
#include "SteamTableModel.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/tables/SteamTable.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableView;

namespace vaporix {

// The "Steam tables" page: the user picks a kind of table (saturation by
// temperature or pressure, a p-T grid, an isoline), its ranges and step in
// the page's units and the columns, and presses Calculate; the table can be
// copied with its header row, exported as CSV and printed. SI/English and the
// pressure and temperature units re-show the table without recalculating.
class CTablesPage : public CPropertyViewPage {
  Q_OBJECT

 public:
  static const QString kTitle;
  // The page keeps tables of at most this many rows (more would take long to
  // calculate and longer to look through).
  static constexpr std::size_t kRowLimit = 100'000;

  explicit CTablesPage(CVaporixDoc& document, QWidget* parent = nullptr);
  ~CTablesPage() override;

  QComboBox& kindList() const { return *m_kindList; }
  QComboBox& pairList() const { return *m_pairList; }
  QLineEdit& pressuresEdit() const { return *m_pressuresEdit; }
  QLineEdit& fixedEdit() const { return *m_fixedEdit; }
  QLineEdit& fromEdit() const { return *m_fromEdit; }
  QLineEdit& toEdit() const { return *m_toEdit; }
  QLineEdit& stepEdit() const { return *m_stepEdit; }
  QRadioButton& siButton() const { return *m_siButton; }
  QRadioButton& englishButton() const { return *m_englishButton; }
  QComboBox& pressureUnitList() const { return *m_pressureUnitList; }
  QComboBox& temperatureUnitList() const { return *m_temperatureUnitList; }
  QListWidget& columnList() const { return *m_columnList; }
  QPushButton& calculateButton() const { return *m_calculateButton; }
  QTableView& tableView() const { return *m_tableView; }
  QLabel& statusLabel() const { return *m_statusLabel; }
  const SteamTableModel& model() const { return m_model; }

  // The units the inputs are read in and the table is shown in.
  tables::UnitChoice units() const;

  // Copy, export and print work once a table was calculated.
  bool hasTable() const { return m_model.hasTable(); }
  // The selected cells (the whole table without a selection) with the header row.
  void copySelection() const;
  QString csvText() const { return m_model.csvText(); }
  int print(QPrinter& printer) const { return PrintSteamTable(printer, m_model); }

  // Reads the inputs and calculates the table; a message says what is wrong.
  // A table that was calculated leaves its inputs in the settings group
  // "Steam Tables", and a new page starts from them.
  void Calculate();

 private:
  void BuildControls();
  void OnKindChanged();
  void OnUnitsChanged();
  void UpdateUnitLabels();
  void SelectColumns(const std::vector<const PropertyInfo*>& properties);
  void LoadSettings();
  void SaveSettings() const;
  std::optional<tables::TableRequest> ReadRequest();
  void Warn(const QString& message);

  IF97Calculator m_engine;
  SteamTableModel m_model;

  QComboBox* m_kindList = nullptr;
  QComboBox* m_pairList = nullptr;
  QLabel* m_pairLabel = nullptr;
  QLineEdit* m_pressuresEdit = nullptr;
  QLabel* m_pressuresLabel = nullptr;
  QLabel* m_pressuresUnit = nullptr;
  QLineEdit* m_fixedEdit = nullptr;
  QLabel* m_fixedLabel = nullptr;
  QLabel* m_fixedUnit = nullptr;
  QLineEdit* m_fromEdit = nullptr;
  QLineEdit* m_toEdit = nullptr;
  QLineEdit* m_stepEdit = nullptr;
  QLabel* m_steppedLabel = nullptr;
  QLabel* m_steppedUnit = nullptr;
  QRadioButton* m_siButton = nullptr;
  QRadioButton* m_englishButton = nullptr;
  QComboBox* m_pressureUnitList = nullptr;
  QComboBox* m_temperatureUnitList = nullptr;
  QListWidget* m_columnList = nullptr;
  QPushButton* m_calculateButton = nullptr;
  QTableView* m_tableView = nullptr;
  QLabel* m_statusLabel = nullptr;
};

}  // namespace vaporix
