#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "InputFunction.h"

namespace vaporix {

// Results of CalculateLiquid and CalculateVapour.
inline constexpr int kLiquidVapourOk = 0;
inline constexpr int kLiquidVapourRefused = 1;      // the engine found no state
inline constexpr int kLiquidVapourNotProvided = 3;  // this pair does not compute them

// One input pair of the "Saturation properties" page. Like ImplementFunction,
// plus the saturated liquid (quality 0) and vapour (quality 100) belonging
// to the inputs, which three pairs provide for the others.
class ImplementSatFunction : public InputFunction {
 public:
  using InputFunction::InputFunction;

  // On entry `out` holds a copy of the point's state as Calculate left it.
  virtual int CalculateLiquid(StateProperties& out, TransportProperties& transport);
  virtual int CalculateVapour(StateProperties& out, TransportProperties& transport);
};

// What distinguishes the input pairs of the saturation page.
struct SatInputPairDescription {
  std::string_view listText;
  CheckedInputPair pair;
  InputStatus refusedStatus;         // when the engine finds no two-phase state
  int liquidVapourProviderPosition;  // the list position whose liquid/vapour the page uses
};

class DescribedSatFunction : public ImplementSatFunction {
 public:
  DescribedSatFunction(InputPage& servedPage, const SatInputPairDescription& pairDescription)
      : ImplementSatFunction(servedPage), description(pairDescription) {}

  InputStatus Calculate(StateProperties& out, TransportProperties& transport) override;
  void SetFirstLabel() override;
  void SetSecondLabel() override;
  void FillFirstUnits() override;
  void FillSecondUnits() override;
  const CheckedInputPair& Fields() const override { return description.pair; }

  const SatInputPairDescription& Description() const { return description; }

 protected:
  // The saturated state of quality `x` (0 or 100) at the given SI value.
  int CalculateSaturated(InputPair pair, double value, double x, StateProperties& out,
                         TransportProperties& transport);

 private:
  const SatInputPairDescription& description;
};

// (p, x): also the liquid/vapour provider of the pressure pairs.
class ImplementSatFunctionPX final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionPX(InputPage& servedPage);
  int CalculateLiquid(StateProperties& out, TransportProperties& transport) override;
  int CalculateVapour(StateProperties& out, TransportProperties& transport) override;
};
// (t, x): also the liquid/vapour provider of the temperature pairs.
class ImplementSatFunctionTX final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionTX(InputPage& servedPage);
  int CalculateLiquid(StateProperties& out, TransportProperties& transport) override;
  int CalculateVapour(StateProperties& out, TransportProperties& transport) override;
};
class ImplementSatFunctionPH final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionPH(InputPage& servedPage);
};
class ImplementSatFunctionPS final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionPS(InputPage& servedPage);
};
class ImplementSatFunctionPV final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionPV(InputPage& servedPage);
};
class ImplementSatFunctionPU final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionPU(InputPage& servedPage);
};
class ImplementSatFunctionTH final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionTH(InputPage& servedPage);
};
class ImplementSatFunctionTS final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionTS(InputPage& servedPage);
};
class ImplementSatFunctionTV final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionTV(InputPage& servedPage);
};
class ImplementSatFunctionTU final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionTU(InputPage& servedPage);
};
// (h, s): also the liquid/vapour provider of the pairs without p or t, at
// the temperature of the point found.
class ImplementSatFunctionHS final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionHS(InputPage& servedPage);
  int CalculateLiquid(StateProperties& out, TransportProperties& transport) override;
  int CalculateVapour(StateProperties& out, TransportProperties& transport) override;
};
class ImplementSatFunctionUS final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionUS(InputPage& servedPage);
};
class ImplementSatFunctionVS final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionVS(InputPage& servedPage);
};
class ImplementSatFunctionHV final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionHV(InputPage& servedPage);
};
class ImplementSatFunctionUV final : public DescribedSatFunction {
 public:
  explicit ImplementSatFunctionUV(InputPage& servedPage);
};

inline constexpr int kSaturationFunctionCount = 15;

// The text of position 0-14 of the saturation page's function list.
std::string_view SaturationFunctionListText(int position);
// The list position of the function whose CalculateLiquid/CalculateVapour
// the page uses while `position` is selected: 0 (p, x), 1 (t, x) or 10 (h, s).
int LiquidVapourProviderPosition(int position);

// The fifteen functions serving `page`, indexed by list position.
std::vector<std::unique_ptr<ImplementSatFunction>> CreateSaturationFunctions(InputPage& page);

}  // namespace vaporix
