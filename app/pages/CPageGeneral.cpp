#include "CPageGeneral.h"

#include "GridDisplayHandler.h"

namespace vaporix {

const QString CPageGeneral::kTitle = QStringLiteral("Subcooled/Superheated properties");

CPageGeneral::CPageGeneral(CVaporixDoc& document, QWidget* parent)
    : CInputPropertyPage(document, kTitle, QStringLiteral("&Temperature:"),
                         /*saturationLayout=*/false, parent) {
  FillFunctionList(kSinglePhaseFunctionCount, SinglePhaseFunctionListText);
  m_functions = CreateSinglePhaseFunctions(*this);
  ChooseFunction(0);
}

CPageGeneral::~CPageGeneral() = default;

int CPageGeneral::currentFunctionPosition() const {
  for (std::size_t position = 0; position < m_functions.size(); ++position) {
    if (m_functions[position].get() == m_currentFunction) {
      return static_cast<int>(position);
    }
  }
  return -1;
}

void CPageGeneral::SelectFunction(int position) {
  if (position >= 0 && position < static_cast<int>(m_functions.size())) {
    m_currentFunction = m_functions[static_cast<std::size_t>(position)].get();
  }
  m_currentFunction->Apply();
}

void CPageGeneral::FillCurrentFunctionUnits() {
  m_currentFunction->FillUnits();
}

void CPageGeneral::ShowHeldResult() {
  const bool si = m_unitSystem == UnitSystem::SI;
  GridDisplayHandler::FillValues(grid(), si ? m_result.state : m_result.englishState,
                                 si ? m_result.transport : m_result.englishTransport,
                                 GridDisplayHandler::kResultColumn, false);
}

void CPageGeneral::CalculateFilledInputs() {
  // A failed attempt must not touch the held result, so the function
  // writes into fresh records that are kept only on success.
  ResultSet attempt;
  const InputStatus status = m_currentFunction->Calculate(attempt.state, attempt.transport);
  if (status != InputStatus::Ok) {
    ReportFailure(status);
    return;
  }
  attempt.MakeEnglishCopies();
  m_result = attempt;
  m_hasResults = true;
  ShowHeldResult();
  PublishResult(m_result);
}

void CPageGeneral::ShowStoredResult(const ResultSet& result) {
  m_result = result;
  m_hasResults = true;
  ShowHeldResult();
  TakeDisplayedUnits();
  RedrawGrid();
}

void CPageGeneral::ResetPage() {
  m_currentFunction = m_functions.front().get();
  ResetControls();
}

}  // namespace vaporix
