#pragma once
// Special functions under the Student law and the incomplete beta ratio: log(1 + x)
// and log(1 + x) - x, the logarithmic continued fraction, exp(x) - 1, the Stirling
// error of (x + 1)! with its step difference and their odd derivatives, and
// log Gamma(1 + a) for small a. All are pure functions of their arguments.

namespace stats {

// Rescaling factors of the continued fractions: 2^256 and 2^-256.
inline constexpr double kScaleUp = 0x1p256;
inline constexpr double kScaleDown = 0x1p-256;

// The sum over k >= 0 of x^k / (i + k d), by the convergents of its continued
// fraction (relative tolerance 1e-15); meant for |x| < 1 and i, d > 0.
double Log_Fraction_Continue(double x, double i, double d);

// log(1 + x), accurate for small x; 0 for x <= -1 or NaN.
double Log_1_Plus(double x);

// log(1 + x) - x, accurate for small x; -1e308 for x <= -1 or NaN.
double Log_1_Plus_Moins_X(double x);

// exp(x) - 1, accurate for small x.
double Exp_Moins_1(double x);

// E(x) = log((x + 1)!) - [(x + 1.5) log(x + 1) - (x + 1) + log(sqrt(2 pi))], the Stirling
// error of (x + 1)!; 1e308 for x <= -1 or NaN.
double Erreur_Stirling(double x);

// E(x) - E(x + 1) for x > -1; 1e308 for x <= -1 or NaN.
double Terme_Lgamma_1_Plus(double x);

// E(a + b) - E(b), accurate when a is small beside b.
double Diff_Erreur_Stirling(double a, double b);

// First, third, fifth and seventh derivatives of E at x > -1; -1e308 for x <= -1.
double Erreur_Stirling_D1(double x);
double Erreur_Stirling_D3(double x);
double Erreur_Stirling_D5(double x);
double Erreur_Stirling_D7(double x);

// The same derivatives of E(x) - E(x + 1), for x > -1.
double Terme_Lgamma_1_Plus_D1(double x);
double Terme_Lgamma_1_Plus_D3(double x);
double Terme_Lgamma_1_Plus_D5(double x);
double Terme_Lgamma_1_Plus_D7(double x);

// log Gamma(1 + a) for -1 < a < 1, to full precision also near 0.
double Lgamma_1_Plus(double a);

// True when x is an even whole number (floor(x / 2) x 2 = x).
bool Est_Pair(double x);

}  // namespace stats
