#pragma once

#include <memory>
#include <vector>

#include "CInputPropertyPage.h"
#include "ImplementSatFunction.h"

namespace vaporix {

// The "Saturation properties" page: a point on the saturation line or inside
// the two-phase region from one of fifteen input pairs, shown with the
// saturated liquid and vapour of the same pressure or temperature.
class CPageSaturation final : public CInputPropertyPage {
  Q_OBJECT

 public:
  static const QString kTitle;

  explicit CPageSaturation(CVaporixDoc& document, QWidget* parent = nullptr);
  ~CPageSaturation() override;

  void ResetPage() override;

  ImplementSatFunction& currentFunction() const { return *m_currentFunction; }
  ImplementSatFunction& liquidVapourFunction() const { return *m_liquidVapourFunction; }
  // The last successful results: the saturated liquid, the requested point
  // and the saturated vapour.
  const ResultSet& liquid() const { return m_liquid; }
  const ResultSet& point() const { return m_point; }
  const ResultSet& vapour() const { return m_vapour; }

 protected:
  void SelectFunction(int position) override;
  const CheckedInputPair& CurrentFields() const override { return m_currentFunction->Fields(); }
  void FillCurrentFunctionUnits() override;
  void ShowHeldResult() override;
  void CalculateFilledInputs() override;

 private:
  std::vector<std::unique_ptr<ImplementSatFunction>> m_functions;
  ImplementSatFunction* m_currentFunction = nullptr;
  ImplementSatFunction* m_liquidVapourFunction = nullptr;
  ResultSet m_liquid;
  ResultSet m_point;
  ResultSet m_vapour;
};

}  // namespace vaporix
