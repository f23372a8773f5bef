#pragma once
// The regularized incomplete beta ratio I_z(a, b) and its complement, for real shape
// arguments a, b >= 0 and any real z: a power series when a shape argument is below 1
// near an edge, otherwise a tail of the binomial law with real indices, by continued
// fraction or, for large balanced indices, by an expansion about the Student law.

#include <optional>

namespace stats {

// I_z(a, b). z <= 0 gives 0 and z >= 1 gives 1; a = 0 gives 1 (0 with a beep when b = 0
// as well); b = 0 gives 0. Empty when an argument is NaN, or a or b is negative or
// infinite.
std::optional<double> Beta_Incomplete(double z, double a, double b);

// 1 - I_z(a, b), formed without cancellation; the same edges reversed (a = 0 gives 0
// without a beep).
std::optional<double> Beta_Incomplete_Compl(double z, double a, double b);

// I_z(a, b) (or its complement when complement) by the power series, for a < 1; z above 0.5
// is turned into 1 - z with a and b exchanged.
double Beta_Par_Serie(double z, double a, double b, bool complement);

// The correction a (b - 1) S of the power series, so that the series of I_z(a, b) over
// its leading factor is 1 minus this value.
double Somme_Serie_Beta(double z, double a, double b);

// Binomial notation: index i (> -1, real), remainder j >= 0, n = i + j, event
// probability p and q = 1 - p, d = n p - i. A negative index -a with 0 < a < 1 stands
// for the index a - 1.

// The binomial term Gamma(n + 1) / (Gamma(i + 1) Gamma(j + 1)) p^i q^j x exp(L), in
// saddle-point form; `limit` is set when a boundary case gave the value exactly.
struct BinomialTerm {
  double value = 0;
  bool limit = false;
};
BinomialTerm Terme_Binomial(double i, double j, double p, double q, double d, double L);

// The lower tail (at most i events) and the upper tail of the binomial law.
double Repartition_Binomiale(double i, double j, double p, double q, double d);
double Repartition_Binomiale_Compl(double i, double j, double p, double q, double d);

// The lower tail (the upper one when complement) by continued fraction.
double Binomiale_Fraction_Continue(double i, double j, double p, double q, double d, bool complement);

// The lower tail (the upper one when complement) for m = j - 1 and i both above 50 with |d|
// below a tenth of the smaller, by an asymptotic expansion about the Student law.
double Binomiale_Asymptotique(double m, double i, double d, bool complement);

}  // namespace stats
