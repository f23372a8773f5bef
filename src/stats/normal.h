#pragma once
// The standard normal law: distribution function with its density, and its inverse.

#include <optional>

namespace stats {

// A point of the normal law: P(Z <= x) and the density at x.
struct NormalPoint {
  double p = 0;
  double density = 0;
};

// P(Z <= x) and the density exp(-x^2/2) / sqrt(2 pi) at x. Beyond |x| = 40 the result
// is exactly 0 or 1 with density 0; infinite x gives the same limits. Empty for NaN.
std::optional<NormalPoint> Loi_Normale(double x);

// The z with P(Z <= z) = p, for 0 < p < 1. Outside that range, or for NaN, the
// message "alerte CLNI" goes to the message slot and the result is 0.
double Normale_Inverse(double p);

// The text Normale_Inverse shows for a probability outside (0, 1).
inline constexpr const char* kAlerteCLNI = "alerte CLNI";

}  // namespace stats
