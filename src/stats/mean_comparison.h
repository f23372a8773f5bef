#pragma once
// Comparisons of means of the statistics window: one sample against a reference mean
// (normal statistic) and two samples (Student t, pooled or with unequal deviations),
// with the decision at the chosen risk, the risk of the second kind, the power and
// the critical probability. The inputs are the texts of the panel's boxes (read with
// Val_Decimal); the results are the texts of its labels.

#include <optional>
#include <string>

namespace stats {

// The boxes and options of the one-sample panel.
struct OneSampleInput {
  std::string mean;            // sample mean m
  std::string reference;       // reference mean mt
  std::string deviation;       // sample standard deviation, divisor n
  std::string standardError;   // standard error of the mean, typed directly
  std::string size;            // sample size n
  std::string risk;            // risk alpha in percent
  bool deviationGiven = true;  // the standard error comes from the deviation
  bool normalPower = false;    // the power uses the normal law (else Student, n - 1 df)
  bool showT = false;          // t is shown
  std::string column;          // name of the current grid column
};

// The labels of the one-sample panel; an empty optional leaves the label as it is.
struct OneSampleLabels {
  std::optional<std::string> CLabel1;      // t
  std::optional<std::string> CLabel2;      // hypotheses
  std::optional<std::string> CLabel3;      // decision and beta
  std::optional<std::string> CLabel4;
  std::optional<std::string> Clabel5_0;    // critical probability, power and its warning
  std::optional<std::string> Clabel5_1;    // standard error derived from the deviation
  std::optional<std::string> lblMoyenne5;  // column name
};

// The one-sample comparison. A size that rounds to 1 value beeps and writes only the
// emptied t and the column; a box without a number, a size below 1 or beyond 32,768, a
// standard error <= 0 or a risk outside (0, 100) write " données  incorrectes" and
// empty the other result labels.
OneSampleLabels CompMoy_1(const OneSampleInput& in);

// The boxes and options of the two-sample panel.
struct TwoSampleInput {
  std::string n1, n2;      // sizes, rounded to whole numbers
  std::string m1, m2;      // means
  std::string s1, s2;      // estimated standard deviations
  std::string risk;        // risk alpha in percent
  bool unequal = false;    // unequal deviations: Welch's statistic and degrees of freedom
  bool twoSided = false;   // two-sided test
  bool showCalc = false;   // the line with df, deviation and t is shown
  std::string column;      // name of the current grid column
};

// The labels of the two-sample panel; an empty optional leaves the label as it is.
struct TwoSampleLabels {
  std::optional<std::string> CLabel6_1;     // hypotheses
  std::optional<std::string> CLabel6_3;     // decision and beta
  std::optional<std::string> CLabel6_4;     // power, critical probability and warnings
  std::optional<std::string> CLabel6_11;    // df, deviation and t
  std::optional<std::string> lblMoyenne10;  // column name
};

// The two-sample comparison. A box without a number, sizes leaving no degree of
// freedom (n1 + n2 < 3, a size below 1, or a size of 1 with unequal deviations), a size
// above 32,767, a deviation <= 0 or a risk outside (0, 100) write " données  incorrectes"
// and empty the power label.
TwoSampleLabels CompMoy_2(const TwoSampleInput& in);

}  // namespace stats
