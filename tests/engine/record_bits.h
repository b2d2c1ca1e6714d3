#pragma once

// Bit-for-bit comparison of state records, for the failure tests (nothing
// written before a check) and the thread tests (results identical to one
// thread). Fields are compared one by one: the record has padding, and NaN
// must equal NaN.

#include <cstring>
#include <vector>

#include "vaporix/StateProperties.h"

namespace vaporix::records {

// Every double field of the record.
inline constexpr double StateProperties::*kDoubleFields[] = {
    &StateProperties::p,    &StateProperties::t,    &StateProperties::v,     &StateProperties::d,
    &StateProperties::h,    &StateProperties::s,    &StateProperties::u,     &StateProperties::cp,
    &StateProperties::cv,   &StateProperties::w,    &StateProperties::kapa,  &StateProperties::H,
    &StateProperties::G,    &StateProperties::Z,    &StateProperties::alpha, &StateProperties::Kt,
    &StateProperties::dvdt, &StateProperties::dvdp, &StateProperties::dpdt,  &StateProperties::dpdv,
    &StateProperties::iJTC, &StateProperties::JTC,  &StateProperties::x};

inline bool SameBits(const StateProperties& a, const StateProperties& b) {
  for (const auto field : kDoubleFields) {
    if (std::memcmp(&(a.*field), &(b.*field), sizeof(double)) != 0) {
      return false;
    }
  }
  return a.region == b.region;
}

inline bool SameBits(const std::vector<StateProperties>& a, const std::vector<StateProperties>& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!SameBits(a[i], b[i])) {
      return false;
    }
  }
  return true;
}

// A record whose every field holds a value no evaluation produces, to see
// whether a call wrote to it.
inline StateProperties SentinelRecord() {
  StateProperties record;
  for (const auto field : kDoubleFields) {
    record.*field = -123456.789;
  }
  record.region = -7;
  return record;
}

}  // namespace vaporix::records
