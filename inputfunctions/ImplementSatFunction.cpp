#include "ImplementSatFunction.h"

#include <array>
#include <string>

namespace vaporix {
namespace {

using enum Quantity;
constexpr RangeTest kNoTest = RangeTest::None;
constexpr RangeTest kSatP = RangeTest::SaturationPressure;
constexpr RangeTest kSatT = RangeTest::SaturationTemperature;
constexpr InputStatus kBlameSecond = InputStatus::SecondOutOfRange;
constexpr int kByPX = 0;
constexpr int kByTX = 1;
constexpr int kByHS = 10;

// In function-list order; position 4 is (p, v) and 5 is (p, u), 8 is (t, v) and 9 is (t, u).
// A pair other than (p, x) and (t, x) that the engine refuses blames its
// second input: the first lies on the saturation line's range.
constexpr std::array<SatInputPairDescription, kSaturationFunctionCount> kSatPairs{{
    {" function (p, x)",
     {InputPair::SatPX, kSatP, RangeTest::Quality},
     InputStatus::PointOutOfRange,
     kByPX},
    {" function (t, x)",
     {InputPair::SatTX, kSatT, RangeTest::Quality},
     InputStatus::PointOutOfRange,
     kByTX},
    {" function (p, h)", {InputPair::SatPH, kSatP, kNoTest}, kBlameSecond, kByPX},
    {" function (p, s)", {InputPair::SatPS, kSatP, kNoTest}, kBlameSecond, kByPX},
    {" function (p, v)", {InputPair::SatPV, kSatP, kNoTest}, kBlameSecond, kByPX},
    {" function (p, u)", {InputPair::SatPU, kSatP, kNoTest}, kBlameSecond, kByPX},
    {" function (t, h)", {InputPair::SatTH, kSatT, kNoTest}, kBlameSecond, kByTX},
    {" function (t, s)", {InputPair::SatTS, kSatT, kNoTest}, kBlameSecond, kByTX},
    {" function (t, v)", {InputPair::SatTV, kSatT, kNoTest}, kBlameSecond, kByTX},
    {" function (t, u)", {InputPair::SatTU, kSatT, kNoTest}, kBlameSecond, kByTX},
    {" function (h, s)", {InputPair::SatHS, kNoTest, kNoTest}, kBlameSecond, kByHS},
    {" function (u, s)", {InputPair::SatUS, kNoTest, kNoTest}, kBlameSecond, kByHS},
    {" function (v, s)", {InputPair::SatVS, kNoTest, kNoTest}, kBlameSecond, kByHS},
    {" function (h, v)", {InputPair::SatHV, kNoTest, kNoTest}, kBlameSecond, kByHS},
    {" function (u, v) ", {InputPair::SatUV, kNoTest, kNoTest}, kBlameSecond, kByHS},
}};

constexpr double kSaturatedLiquidQuality = 0.0;
constexpr double kSaturatedVapourQuality = 100.0;

}  // namespace

int ImplementSatFunction::CalculateLiquid(StateProperties&, TransportProperties&) {
  return kLiquidVapourNotProvided;
}

int ImplementSatFunction::CalculateVapour(StateProperties&, TransportProperties&) {
  return kLiquidVapourNotProvided;
}

InputStatus DescribedSatFunction::Calculate(StateProperties& out, TransportProperties& transport) {
  return CalculateInputPair(page, description.pair, description.refusedStatus, out, transport);
}

void DescribedSatFunction::SetFirstLabel() {
  SetQuantityLabel(page, InputSlot::First, Describe(description.pair.pair).first);
}

void DescribedSatFunction::SetSecondLabel() {
  SetQuantityLabel(page, InputSlot::Second, Describe(description.pair.pair).second);
}

void DescribedSatFunction::FillFirstUnits() {
  FillUnitList(page, InputSlot::First, Describe(description.pair.pair).first, PageKind::Saturation);
}

void DescribedSatFunction::FillSecondUnits() {
  FillUnitList(page, InputSlot::Second, Describe(description.pair.pair).second,
               PageKind::Saturation);
}

int DescribedSatFunction::CalculateSaturated(InputPair pair, double value, double x,
                                             StateProperties& out, TransportProperties& transport) {
  const bool found = page.Engine().Calculate(pair, value, x, out, transport,
                                             /*withTransport=*/true, /*english=*/false);
  return found ? kLiquidVapourOk : kLiquidVapourRefused;
}

ImplementSatFunctionPX::ImplementSatFunctionPX(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[0]) {}
ImplementSatFunctionTX::ImplementSatFunctionTX(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[1]) {}
ImplementSatFunctionPH::ImplementSatFunctionPH(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[2]) {}
ImplementSatFunctionPS::ImplementSatFunctionPS(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[3]) {}
ImplementSatFunctionPV::ImplementSatFunctionPV(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[4]) {}
ImplementSatFunctionPU::ImplementSatFunctionPU(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[5]) {}
ImplementSatFunctionTH::ImplementSatFunctionTH(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[6]) {}
ImplementSatFunctionTS::ImplementSatFunctionTS(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[7]) {}
ImplementSatFunctionTV::ImplementSatFunctionTV(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[8]) {}
ImplementSatFunctionTU::ImplementSatFunctionTU(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[9]) {}
ImplementSatFunctionHS::ImplementSatFunctionHS(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[10]) {}
ImplementSatFunctionUS::ImplementSatFunctionUS(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[11]) {}
ImplementSatFunctionVS::ImplementSatFunctionVS(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[12]) {}
ImplementSatFunctionHV::ImplementSatFunctionHV(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[13]) {}
ImplementSatFunctionUV::ImplementSatFunctionUV(InputPage& p)
    : DescribedSatFunction(p, kSatPairs[14]) {}

// The providers read the pressure or temperature afresh, with no range test:
// they run after Calculate whatever its status.
int ImplementSatFunctionPX::CalculateLiquid(StateProperties& out, TransportProperties& transport) {
  return CalculateSaturated(InputPair::SatPX, ReadSIInput(page, InputSlot::First, Pressure),
                            kSaturatedLiquidQuality, out, transport);
}

int ImplementSatFunctionPX::CalculateVapour(StateProperties& out, TransportProperties& transport) {
  return CalculateSaturated(InputPair::SatPX, ReadSIInput(page, InputSlot::First, Pressure),
                            kSaturatedVapourQuality, out, transport);
}

int ImplementSatFunctionTX::CalculateLiquid(StateProperties& out, TransportProperties& transport) {
  return CalculateSaturated(InputPair::SatTX, ReadSIInput(page, InputSlot::First, Temperature),
                            kSaturatedLiquidQuality, out, transport);
}

int ImplementSatFunctionTX::CalculateVapour(StateProperties& out, TransportProperties& transport) {
  return CalculateSaturated(InputPair::SatTX, ReadSIInput(page, InputSlot::First, Temperature),
                            kSaturatedVapourQuality, out, transport);
}

// The point's temperature (K) in `out` fixes the saturation line's state.
int ImplementSatFunctionHS::CalculateLiquid(StateProperties& out, TransportProperties& transport) {
  return CalculateSaturated(InputPair::SatTX, out.t, kSaturatedLiquidQuality, out, transport);
}

int ImplementSatFunctionHS::CalculateVapour(StateProperties& out, TransportProperties& transport) {
  return CalculateSaturated(InputPair::SatTX, out.t, kSaturatedVapourQuality, out, transport);
}

std::string_view SaturationFunctionListText(int position) {
  if (position < 0 || position >= kSaturationFunctionCount) {
    return {};
  }
  return kSatPairs[static_cast<std::size_t>(position)].listText;
}

int LiquidVapourProviderPosition(int position) {
  if (position < 0 || position >= kSaturationFunctionCount) {
    return kByPX;
  }
  return kSatPairs[static_cast<std::size_t>(position)].liquidVapourProviderPosition;
}

std::vector<std::unique_ptr<ImplementSatFunction>> CreateSaturationFunctions(InputPage& page) {
  std::vector<std::unique_ptr<ImplementSatFunction>> functions;
  functions.reserve(kSaturationFunctionCount);
  functions.push_back(std::make_unique<ImplementSatFunctionPX>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionTX>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionPH>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionPS>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionPV>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionPU>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionTH>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionTS>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionTV>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionTU>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionHS>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionUS>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionVS>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionHV>(page));
  functions.push_back(std::make_unique<ImplementSatFunctionUV>(page));
  return functions;
}

}  // namespace vaporix
