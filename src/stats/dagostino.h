#pragma once
// Moments of the values of a data text and the D'Agostino normality test built on
// them: the skewness statistic Z1, the kurtosis statistic Z2 and the omnibus K^2.

#include <optional>
#include <span>
#include <string>

namespace stats {

// The moments of a sample, divisor n; the higher ones are 0 unless the standard
// deviation exceeds 0.001.
struct Moments {
  double n = 0;          // number of values
  double mean = 0;
  double variance = 0;   // divisor n
  double m3 = 0;         // third central moment
  double m4 = 0;         // fourth central moment
  double skewness = 0;   // m3 / sd^3
  double kurtosis = 0;   // m4 / variance^2 (3 for a normal law)
};

// The moments of the values, taken about the mean (two passes).
Moments momentsOf(std::span<const double> values);

// The moments of the values of a data text (items separated by ";"); empty when the
// text holds no ";".
std::optional<Moments> Calcul_Moments(const std::string& dataText);

// The D'Agostino statistics and the chi-square (2 degrees of freedom) p-value of K^2.
struct DagostinoResult {
  double z1 = 0;   // D'Agostino's transformation of the skewness; 0 for a skewness of 0
  double z2 = 0;   // Anscombe and Glynn's transformation of the kurtosis
  double k2 = 0;   // z1^2 + z2^2
  double p = 0;    // exp(-k2 / 2)
};

// The test from moments of at least 8 values with a non-zero spread; empty otherwise,
// or when a transformation is undefined.
std::optional<DagostinoResult> Dagostino(const Moments& m);

// The D'Agostino panel's text for a data text, on the logarithms of the positive
// values when logNormal (the others are left out): "n = ", Z1, Z2, K² and p on lines
// joined by CR LF, or the text that says why the test cannot be made.
std::string Texte_Dagostino(const std::string& dataText, bool logNormal);

}  // namespace stats
