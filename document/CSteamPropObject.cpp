#include "CSteamPropObject.h"

namespace vaporix {

CSteamPropObject::CSteamPropObject(const StateProperties& stateToKeep,
                                   const TransportProperties& transportToKeep)
    : state(stateToKeep), transport(transportToKeep) {}

CSteamPropObject::~CSteamPropObject() = default;

}  // namespace vaporix
