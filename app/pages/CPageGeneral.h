#pragma once

#include <memory>
#include <vector>

#include "CInputPropertyPage.h"
#include "ImplementFunction.h"

namespace vaporix {

// The "Subcooled/Superheated properties" page: a single-phase state from one
// of fourteen input pairs, shown in the five-column results grid.
class CPageGeneral final : public CInputPropertyPage {
  Q_OBJECT

 public:
  static const QString kTitle;

  explicit CPageGeneral(CVaporixDoc& document, QWidget* parent = nullptr);
  ~CPageGeneral() override;

  void ResetPage() override;

  ImplementFunction& currentFunction() const { return *m_currentFunction; }
  int currentFunctionPosition() const;
  // The last successful result, in SI and English units.
  const ResultSet& result() const { return m_result; }
  // Holds and shows a result that was not calculated here (a row of the
  // output pane); the document is not told.
  void ShowStoredResult(const ResultSet& result);
  // Every state with the inputs of the last calculation, the calculated one
  // first; the note under the grid offers the others.
  const std::vector<ResultSet>& statesWithSameInputs() const { return m_states; }
  std::size_t shownState() const { return m_shown; }

 protected:
  void SelectFunction(int position) override;
  const CheckedInputPair& CurrentFields() const override { return m_currentFunction->Fields(); }
  void FillCurrentFunctionUnits() override;
  void ShowHeldResult() override;
  void CalculateFilledInputs() override;
  void NoteLinkActivated(const QString& link) override;
  void GridUnitsChanged() override { UpdateNote(); }

 private:
  // Finds the other states of the held result's inputs.
  void FindStatesWithSameInputs(InputPair pair);
  // The note that names the states not shown, each a link that shows it.
  void UpdateNote();

  std::vector<std::unique_ptr<ImplementFunction>> m_functions;
  ImplementFunction* m_currentFunction = nullptr;
  ResultSet m_result;
  std::vector<ResultSet> m_states;
  std::size_t m_shown = 0;
  InputPair m_statesPair = InputPair::PT;
};

}  // namespace vaporix
