#include "IF97CalculationEngine.h"

namespace vaporix {

bool IF97CalculationEngine::Calculate(InputPair pair, double first, double second,
                                      StateProperties& out, TransportProperties& transport,
                                      bool withTransport, bool english) {
  return engine.Calculate(pair, first, second, out, transport, withTransport, english);
}

}  // namespace vaporix
