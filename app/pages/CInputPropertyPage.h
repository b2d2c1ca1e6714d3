#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

#include "CPropertyViewPage.h"
#include "IF97CalculationEngine.h"
#include "InputFunction.h"
#include "InputPage.h"
#include "vaporix/IF97Calculator.h"
#include "vaporix/StateProperties.h"

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSettings;

namespace vaporix {

class CGridCtrl;
class CHyperLink;
class CNumericEdit;
class CStyledGroupBox;

// One calculated state: the SI records and their English copies.
struct ResultSet {
  StateProperties state{};
  TransportProperties transport{};
  StateProperties englishState{};
  TransportProperties englishTransport{};

  // Makes the English copies of the SI records.
  void MakeEnglishCopies();
  // The set of English records as the document stores them.
  static ResultSet FromEnglish(const StateProperties& englishState,
                               const TransportProperties& englishTransport);
};

// What both input pages share: the unit buttons, the function list, the two
// labelled inputs with their unit lists, "&Calculate", the hyperlink and the
// results grid, the page's own engine, and the handling of unit switches,
// input checks, calculation messages and unit cells. The pages add their
// input functions, their result records and their calculation.
class CInputPropertyPage : public CPropertyViewPage, public InputPage {
  Q_OBJECT

 public:
  static constexpr int kTemplateWidth = 404;  // dialog units
  static constexpr int kTemplateHeight = 98;

  // Messages of a calculation, shown titled "Vaporix".
  static const QString kEnterInputMessage;
  static const QString kValueOutOfRangeMessage;
  static const QString kPointOutOfRangeMessage;

  // The hyperlink to the program's help.
  static const QString kWebSiteText;
  static const QString kWebSiteAddress;

  ~CInputPropertyPage() override;

  // Back to the start state: SI units, first function, empty fields, no result.
  virtual void ResetPage() = 0;

  // The unit system, input pair, unit choices and typed inputs, kept in
  // the current group of `settings`; values that do not fit are ignored.
  void SaveSession(QSettings& settings) const;
  void RestoreSession(QSettings& settings);

  // What a printout of the grid says above it: the unit system, and the
  // input pair with the typed values of the result shown.
  QStringList PrintHeaderLines() const;

  // The first input field, so that the user can type at once.
  void focusFirstControl() override;

  // InputPage, over the page's controls.
  UnitSystem CurrentUnitSystem() const override { return m_unitSystem; }
  std::string InputText(InputSlot slot) const override;
  std::string DecimalSeparator() const override;
  std::string LabelText(InputSlot slot) const override;
  void SetLabelText(InputSlot slot, const std::string& text) override;
  void ClearUnits(InputSlot slot) override;
  void AddUnit(InputSlot slot, const std::string& unit) override;
  void SelectUnit(InputSlot slot, int position) override;
  int SelectedUnit(InputSlot slot) const override;
  CalculationEngine& Engine() override { return m_engineAdapter; }

  bool hasResults() const { return m_hasResults; }
  bool isSaturationLayout() const { return m_saturationLayout; }
  // The unit column of the results grid (3 single-phase, 5 saturation).
  int unitColumn() const;
  // The units the displayed pressure and temperature values are written in.
  const QString& pressureUnit() const { return m_pressureUnit; }
  const QString& temperatureUnit() const { return m_temperatureUnit; }

  CGridCtrl& grid() const { return *m_grid; }
  CStyledGroupBox& unitsGroup() const { return *m_unitsGroup; }
  CStyledGroupBox& inputGroup() const { return *m_inputGroup; }
  QRadioButton& siButton() const { return *m_siButton; }
  QRadioButton& englishButton() const { return *m_englishButton; }
  QLabel& functionLabel() const { return *m_functionLabel; }
  QComboBox& functionList() const { return *m_functionList; }
  QLabel& firstLabel() const { return *m_firstLabel; }
  QLabel& secondLabel() const { return *m_secondLabel; }
  CNumericEdit& firstEdit() const { return *m_firstEdit; }
  CNumericEdit& secondEdit() const { return *m_secondEdit; }
  QComboBox& firstUnits() const { return *m_firstUnits; }
  QComboBox& secondUnits() const { return *m_secondUnits; }
  QPushButton& calculateButton() const { return *m_calculateButton; }
  CHyperLink& hyperLink() const { return *m_hyperLink; }
  // The one-line note under the grid (hidden while it has no text).
  QLabel& noteLabel() const { return *m_note; }

 protected:
  CInputPropertyPage(CVaporixDoc& document, const QString& title,
                     const QString& secondLabelTemplate, bool saturationLayout, QWidget* parent);

  // Fills the function list with the texts of positions 0 to count - 1; the
  // page creates its input functions after this.
  void FillFunctionList(int count, std::string_view (*listText)(int position));

  // Selection of the function at `position` of the list (-1: none) and its Apply.
  virtual void SelectFunction(int position) = 0;
  // The quantities and range tests of the selected function.
  virtual const CheckedInputPair& CurrentFields() const = 0;
  // SelectFunction, then the edit fields follow the new pair: a quantity
  // the pair keeps keeps its typed value and unit, any other field is
  // emptied, and a minus sign is accepted where the quantity can be negative.
  void ChooseFunction(int position);
  // FillUnits of the current function.
  virtual void FillCurrentFunctionUnits() = 0;
  // Writes the held result of the current unit system into the value columns.
  virtual void ShowHeldResult() = 0;
  // Runs the current function after both fields were found filled.
  virtual void CalculateFilledInputs() = 0;

  // The steps both pages' ResetPage share after the page's own records.
  void ResetControls();
  // Shows "The value is out of the range!" or "The point is out of the range!"
  // and moves the focus as the status asks.
  void ReportFailure(InputStatus status);
  // Hands a new result of the current unit system to the document (hint 101
  // or 102) and takes note of the units the grid now shows.
  void PublishResult(const ResultSet& point);
  // Notes the units the grid's unit cells show after values were written.
  void TakeDisplayedUnits();
  void RedrawGrid();
  // Shows `richText` in the note under the grid, which the grid makes room
  // for; an empty text hides the note.
  void SetNote(const QString& richText);
  // A link of the note was clicked.
  virtual void NoteLinkActivated(const QString& /*link*/) {}
  // The user picked another pressure or temperature unit in the grid.
  virtual void GridUnitsChanged() {}
  IF97Calculator& engine() { return m_engine; }

  UnitSystem m_unitSystem = UnitSystem::SI;
  bool m_hasResults = false;

  // Enter presses "&Calculate", as the default button of a dialog.
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildControls(const QString& secondLabelTemplate);
  void LayoutControls();
  void OnFunctionListChanged(int position);
  void OnSISelected();
  void OnEnglishSelected();
  void OnCalculate();
  void OnUnitCellPicked(int row, int column, const QString& text);
  void FocusEdit(CNumericEdit& edit, bool selectText);
  void OnUnitListChanged(InputSlot slot, int position);
  // Rewrites a typed value for another unit; a text that is no number stays.
  void ConvertTypedValue(InputSlot slot, UnitSystem fromSystem, int fromPosition,
                         UnitSystem toSystem, int toPosition);
  void SwitchUnitSystem(UnitSystem system);
  // The field's name and allowed range in the units shown, for messages.
  QString FieldRangeLine(InputSlot slot) const;
  QString FieldName(InputSlot slot) const;
  Quantity SlotQuantity(InputSlot slot) const;
  CNumericEdit& edit(InputSlot slot) const;

  QLabel* label(InputSlot slot) const;
  QComboBox* unitList(InputSlot slot) const;

  bool m_saturationLayout;
  // What the user last typed into a field and in which unit, while the
  // field shows it or a conversion of it (`shown`).
  struct TypedOrigin {
    QString text;
    UnitSystem system = UnitSystem::SI;
    int position = 0;
    QString shown;
    bool valid = false;
  };
  TypedOrigin m_firstOrigin;
  TypedOrigin m_secondOrigin;
  // The unit list positions the typed values are written in (-1: none).
  int m_firstUnitPosition = -1;
  int m_secondUnitPosition = -1;
  QString m_pressureUnit;
  QString m_temperatureUnit;

  IF97Calculator m_engine;
  IF97CalculationEngine m_engineAdapter{m_engine};

  CStyledGroupBox* m_unitsGroup = nullptr;
  QRadioButton* m_siButton = nullptr;
  QRadioButton* m_englishButton = nullptr;
  CStyledGroupBox* m_inputGroup = nullptr;
  QLabel* m_functionLabel = nullptr;
  QComboBox* m_functionList = nullptr;
  QLabel* m_firstLabel = nullptr;
  CNumericEdit* m_firstEdit = nullptr;
  QComboBox* m_firstUnits = nullptr;
  QLabel* m_secondLabel = nullptr;
  CNumericEdit* m_secondEdit = nullptr;
  QComboBox* m_secondUnits = nullptr;
  QPushButton* m_calculateButton = nullptr;
  CHyperLink* m_hyperLink = nullptr;
  CGridCtrl* m_grid = nullptr;
  QLabel* m_note = nullptr;
};

}  // namespace vaporix
