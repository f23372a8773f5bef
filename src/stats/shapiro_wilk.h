#pragma once
// Shapiro-Wilk W test of normality with its p-value, for complete or censored samples
// of 3 values or more, and the verdict text of the normality panel.

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace stats {

// W and its p-value for the n values of x, sorted ascending, of which the n1 smallest
// are known (n1 = n without censoring). a holds the n2 coefficients: they are computed
// (and init set) when init is false, otherwise reused. W >= 0 on entry asks for W from
// the data; a negative W asks only for the p-value of -W. Returns 0, or the code of
// the exit taken, with pw = 1 and W = 1 (or as given): 1 fewer than 3 values (n or n1),
// 3 n2 below n / 2 rounded half to even, 4 censoring of fewer than 20 values or n1 > n,
// 5 more than 80 % censored, 6 all values equal, 7 values out of order (the index, a
// blank and MSG 236 go to the message slot). For n <= 11 a W beyond the small-sample
// approximation gives pw = 1e-19 and 0.
int Test_Shapiro_Wilk(bool& init, std::span<const double> x, int n, int n1, int n2,
                      std::vector<double>& a, double& W, double& pw);

// The panel's text for W and pw at the risk typed in percent (read with Val_Decimal,
// shown rounded to single precision; the verdict repeats the text as typed). Lines end
// with a single CR.
std::string Texte_Shapiro_Wilk(double W, double pw, const std::string& riskText);

// The normality test of a data text (items separated by ";"), on the logarithms of the
// positive values when logNormal (the others are left out): the panel's text, or when
// all values are equal "Shapiro-Wilk : valeurs toutes égales, test impossible". MSG 187
// to the message slot and empty when fewer than four values remain.
std::optional<std::string> Normalite_Shapiro_Wilk(const std::string& dataText, bool logNormal,
                                                  const std::string& riskText);

}  // namespace stats
