#pragma once

namespace canopex {

// a / b in double precision, or 0 when b is exactly 0 (an empty group has a
// weighted mean of 0, not a NaN).
constexpr double SafeDivide(double a, double b) {
  return b == 0.0 ? 0.0 : a / b;
}

}  // namespace canopex
