#include "CPageGeneral.h"

#include <QLabel>
#include <cmath>

#include "CGridCtrl.h"
#include "GridDisplayHandler.h"
#include "vaporix/InputPair.h"

namespace vaporix {

const QString CPageGeneral::kTitle = QStringLiteral("Subcooled/Superheated properties");

namespace {

// The note's link to the state at a position of the list.
const QString kStateLinkPrefix = QStringLiteral("state:");

// The states of a held result and of CalcAll's first answer agree to about
// the acceptance tolerance; closer than this they are one state.
constexpr double kSameStateTolerance = 1e-5;

bool Close(double x, double y) {
  return std::fabs(x - y) <= kSameStateTolerance * std::max(std::fabs(x), std::fabs(y));
}

}  // namespace

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
  UpdateNote();
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
  FindStatesWithSameInputs(m_currentFunction->Fields().pair);
  ShowHeldResult();
  PublishResult(m_result);
}

void CPageGeneral::ShowStoredResult(const ResultSet& result) {
  m_states.clear();
  m_result = result;
  m_hasResults = true;
  ShowHeldResult();
  TakeDisplayedUnits();
  RedrawGrid();
}

void CPageGeneral::ResetPage() {
  m_currentFunction = m_functions.front().get();
  m_states.clear();
  SetNote({});
  ResetControls();
}

void CPageGeneral::FindStatesWithSameInputs(InputPair pair) {
  // The held state reproduces the typed inputs to the engine tolerance, so
  // its own values stand for them.
  const InputPairInfo& info = Describe(pair);
  const StateProperties& held = m_result.state;
  m_states.assign(1, m_result);
  m_shown = 0;
  m_statesPair = pair;
  for (const CalculatedState& found :
       engine().CalcAll(pair, held.*Describe(info.first).field, held.*Describe(info.second).field,
                        true, false)) {
    if (Close(found.state.p, held.p) && Close(found.state.t, held.t) &&
        Close(found.state.v, held.v)) {
      continue;
    }
    ResultSet other;
    other.state = found.state;
    other.transport = found.transport;
    other.MakeEnglishCopies();
    m_states.push_back(other);
  }
}

void CPageGeneral::UpdateNote() {
  if (m_states.size() < 2) {
    SetNote({});
    return;
  }
  const InputPairInfo& info = Describe(m_statesPair);
  const QString pairText =
      QStringLiteral("(%1, %2)")
          .arg(QString::fromUtf8(Describe(info.first).key.data(), Describe(info.first).key.size()),
               QString::fromUtf8(Describe(info.second).key.data(),
                                 Describe(info.second).key.size()));
  const bool si = m_unitSystem == UnitSystem::SI;
  // A state is named by what the inputs leave free: p for the (t, .) pairs,
  // t for the (p, .) pairs, both for the others; and the quality when wet.
  const auto link = [&](std::size_t position) {
    const ResultSet& set = m_states[position];
    const StateProperties& state = si ? set.state : set.englishState;
    QStringList parts;
    if (info.first != Quantity::Pressure) {
      parts << QStringLiteral("p = ") + GridDisplayHandler::ValueWithUnit(
                                            grid(), state, GridDisplayHandler::kPressureRow);
    }
    if (info.first != Quantity::Temperature) {
      parts << QStringLiteral("t = ") + GridDisplayHandler::ValueWithUnit(
                                            grid(), state, GridDisplayHandler::kTemperatureRow);
    }
    if (set.state.region == 4) {
      parts << QStringLiteral("x = ") + GridDisplayHandler::ValueWithUnit(
                                            grid(), state, GridDisplayHandler::kQualityRow);
    }
    return QStringLiteral("<a href=\"%1%2\">%3</a>")
        .arg(kStateLinkPrefix)
        .arg(position)
        .arg(parts.join(QStringLiteral(", ")).toHtmlEscaped());
  };
  QStringList others;
  for (std::size_t position = 1; position < m_states.size(); ++position) {
    if (position != m_shown) {
      others << link(position);
    }
  }
  QString text;
  if (m_shown == 0) {
    text = (m_states.size() == 2 ? QStringLiteral("A second state has the same %1: ")
                                 : QStringLiteral("Other states have the same %1: "))
               .arg(pairText) +
           others.join(QStringLiteral(", "));
  } else {
    text =
        QStringLiteral("Another state with the same %1 is shown; back to ").arg(pairText) + link(0);
    if (!others.isEmpty()) {
      text += QStringLiteral(", or ") + others.join(QStringLiteral(", "));
    }
  }
  SetNote(text);
}

void CPageGeneral::NoteLinkActivated(const QString& link) {
  if (!link.startsWith(kStateLinkPrefix)) {
    return;
  }
  bool ok = false;
  const qsizetype position = link.mid(kStateLinkPrefix.size()).toLongLong(&ok);
  if (!ok || position < 0 || static_cast<std::size_t>(position) >= m_states.size()) {
    return;
  }
  m_shown = static_cast<std::size_t>(position);
  m_result = m_states[m_shown];
  ShowHeldResult();
  PublishResult(m_result);
}

}  // namespace vaporix
