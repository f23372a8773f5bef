#pragma once
// The Student t law for any real number of degrees of freedom df > 0 (whole or
// fractional): distribution function with its density, the lower tail it rests on,
// and the inverse. Reentrant: the density travels with each result.

#include <optional>

namespace stats {

// A point of the Student law: P(T <= t), the density f(t) there, and the scaled term
// f(t) / sqrt(y) with y = df / (df + t^2) (0 when y is 0).
struct StudentPoint {
  double p = 0;
  double density = 0;
  double term = 0;
};

// P(T <= t) for df degrees of freedom, with the density at t. Above 1e30 degrees of
// freedom (and for infinite df) the normal law. Infinite t gives 0 or 1 with density
// 0. Empty when t or df is NaN or df <= 0.
std::optional<StudentPoint> Loi_Student(double t, double df);

// The lower tail P(T <= -|t|) for df >= 1, from X = t^2 / (df + t^2), y = 1 - X and
// A = log(y^(df/2)); `p` holds the tail, `density` f(t) and `term` f(t) / sqrt(y).
StudentPoint Queue_Student(double X, double y, double A, double df);

// The t with P(T <= t) = p, to about 15 digits, by Newton steps on log P from a
// normal, tail or fractional-df start and a last one on the incomplete beta ratio. Empty when p is not inside (0, 1), df is NaN
// or <= 0, a start or step is not finite (df below about 0.005 overflows the start
// for most p), or 100 steps do not converge.
std::optional<double> Inverse_Student(double p, double df);

}  // namespace stats
