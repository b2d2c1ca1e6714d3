#include "vaporix/PropertyKeys.h"

namespace vaporix {

std::optional<double> PropertyValue(const StateProperties& state,
                                    const TransportProperties& transport, int number) {
  switch (number) {
    case 1:
      return state.p;
    case 2:
      return state.t;
    case 3:
      return state.d;
    case 4:
      return state.v;
    case 5:
      return state.h;
    case 6:
      return state.s;
    case 7:
      return state.u;
    case 8:
      return state.cp;
    case 9:
      return state.cv;
    case 10:
      return state.w;
    case 11:
      return state.kapa;
    case 12:
      return state.H;
    case 13:
      return state.G;
    case 14:
      return state.Z;
    case 15:
      return state.x;
    case 16:
      return static_cast<double>(state.region);
    case 17:
      return state.alpha;
    case 18:
      return state.Kt;
    case 19:
      return state.dvdt;
    case 20:
      return state.dvdp;
    case 21:
      return state.dpdt;
    case 22:
      return state.dpdv;
    case 23:
      return state.iJTC;
    case 24:
      return state.JTC;
    case 25:
      return transport.dv;
    case 26:
      return transport.kv;
    case 27:
      return transport.tc;
    case 28:
      return transport.td;
    case 29:
      return transport.Pr;
    case 30:
      return transport.Sigma;
    default:
      return std::nullopt;
  }
}

}  // namespace vaporix
