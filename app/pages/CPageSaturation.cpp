#include "CPageSaturation.h"

#include "GridDisplayHandler.h"

namespace vaporix {

const QString CPageSaturation::kTitle = QStringLiteral("Saturation properties");

CPageSaturation::CPageSaturation(CVaporixDoc& document, QWidget* parent)
    : CInputPropertyPage(document, kTitle, QStringLiteral("&Quality:"),
                         /*saturationLayout=*/true, parent) {
  FillFunctionList(kSaturationFunctionCount, SaturationFunctionListText);
  m_functions = CreateSaturationFunctions(*this);
  ChooseFunction(0);
}

CPageSaturation::~CPageSaturation() = default;

void CPageSaturation::SelectFunction(int position) {
  if (position >= 0 && position < static_cast<int>(m_functions.size())) {
    m_currentFunction = m_functions[static_cast<std::size_t>(position)].get();
    m_liquidVapourFunction =
        m_functions[static_cast<std::size_t>(LiquidVapourProviderPosition(position))].get();
  }
  m_currentFunction->Apply();
}

void CPageSaturation::FillCurrentFunctionUnits() {
  m_currentFunction->FillUnits();
}

void CPageSaturation::ShowHeldResult() {
  const bool si = m_unitSystem == UnitSystem::SI;
  const auto fill = [this, si](const ResultSet& set, int column) {
    GridDisplayHandler::FillValues(grid(), si ? set.state : set.englishState,
                                   si ? set.transport : set.englishTransport, column, true);
  };
  fill(m_liquid, GridDisplayHandler::kLiquidColumn);
  fill(m_point, GridDisplayHandler::kSaturationResultColumn);
  fill(m_vapour, GridDisplayHandler::kVaporColumn);
}

void CPageSaturation::CalculateFilledInputs() {
  // Fresh records for the attempt; the held results change only when the
  // point, its liquid and its vapour were all found.
  ResultSet point;
  const InputStatus status = m_currentFunction->Calculate(point.state, point.transport);
  if (status != InputStatus::Ok) {
    ReportFailure(status);
    return;
  }
  // The providers read the point's state (the (h, s) provider its temperature).
  ResultSet liquid;
  ResultSet vapour;
  liquid.state = point.state;
  vapour.state = point.state;
  const int liquidStatus = m_liquidVapourFunction->CalculateLiquid(liquid.state, liquid.transport);
  const int vapourStatus = m_liquidVapourFunction->CalculateVapour(vapour.state, vapour.transport);
  if (liquidStatus != kLiquidVapourOk || vapourStatus != kLiquidVapourOk) {
    // Without its liquid and vapour the point is not shown; saying so keeps
    // the previous result from passing for the answer to the new inputs.
    ReportFailure(InputStatus::PointOutOfRange);
    return;
  }
  point.MakeEnglishCopies();
  liquid.MakeEnglishCopies();
  vapour.MakeEnglishCopies();
  m_point = point;
  m_liquid = liquid;
  m_vapour = vapour;
  m_hasResults = true;
  ShowHeldResult();
  PublishResult(m_point);
}

void CPageSaturation::ResetPage() {
  m_currentFunction = m_functions.front().get();
  m_liquidVapourFunction = m_functions.front().get();
  ResetControls();
}

}  // namespace vaporix
