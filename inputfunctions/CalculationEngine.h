#pragma once

#include <string_view>

#include "vaporix/StateProperties.h"

namespace vaporix {

// The entry points of IF97Calculator that the input functions call.
enum class EntryPoint {
  CalcPT,
  CalcPH,
  CalcPS,
  CalcPU,
  CalcPV,
  CalcTH,
  CalcTS,
  CalcTU,
  CalcTV,
  CalcHS,
  CalcUS,
  CalcVS,
  CalcHV,
  CalcUV,
  CalcSatPX,
  CalcSatTX,
  CalcSatPH,
  CalcSatPS,
  CalcSatPU,
  CalcSatPV,
  CalcSatTH,
  CalcSatTS,
  CalcSatTU,
  CalcSatTV,
  CalcSatHS,
  CalcSatUS,
  CalcSatVS,
  CalcSatHV,
  CalcSatUV,
};

std::string_view EntryPointName(EntryPoint entryPoint);

// The engine as the input functions see it: one call that runs the named
// entry point with the calculator's contract (true when the state exists).
// IF97CalculationEngine forwards to a page's IF97Calculator; tests may put a
// recording engine in its place.
class CalculationEngine {
 public:
  virtual ~CalculationEngine() = default;
  virtual bool Calculate(EntryPoint entryPoint, double first, double second, StateProperties& out,
                         TransportProperties& transport, bool withTransport, bool english) = 0;
};

}  // namespace vaporix
