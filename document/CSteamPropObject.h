#pragma once

#include <string_view>

#include "vaporix/StateProperties.h"

namespace vaporix {

// One calculated state kept by the document, in the unit system of the list
// that holds it; the ".stb" file stores it under its class name and schema.
class CSteamPropObject {
 public:
  static constexpr std::string_view kClassName = "CSteamPropObject";
  static constexpr unsigned kSchema = 1;

  CSteamPropObject() = default;
  CSteamPropObject(const StateProperties& state, const TransportProperties& transport);
  virtual ~CSteamPropObject();

  virtual std::string_view RuntimeClassName() const { return kClassName; }

  StateProperties state{};
  TransportProperties transport{};
};

}  // namespace vaporix
