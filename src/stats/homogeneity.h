#pragma once
// Homogeneity of a sample along the value axis: the sorted values are cut into a low
// and a high group where the groups' means lie furthest apart (largest between-groups
// sum of squares), and the ratio Ro of the within-groups to the total sum of squares
// of that cut gives an approximate significance level of a two-population mixture.

#include <optional>
#include <span>
#include <string>

namespace stats {

// The best cut of values sorted ascending: the low group x(1..k), the high group
// x(k+1..n).
struct BestCut {
  int k = 0;              // size of the low group, 1 to n - 1
  double x0 = 0;          // cut value (x(k) + x(k+1)) / 2
  double criterion = 0;   // S_k^2 / k + (S - S_k)^2 / (n - k), S_k the sum of the low group
  double between = 0;     // between-groups sum of squares (about the mean) of the cut
  double total = 0;       // total sum of squares about the mean
};

// The cut with the largest criterion, the first of equal ones (k = 1 when all values
// are equal). The sums are taken about the mean, so large values lose no digits.
// Empty for fewer than two values or a value that is not finite.
std::optional<BestCut> Meilleure_Coupure(std::span<const double> sorted);

// What the homogeneity test shows and returns.
struct HomogeneityResult {
  std::string text;   // the verdict lines (CR LF between them)
  std::string cut;    // the cut value with the mask "###0.00"
  BestCut best;
  double ro = 0;      // sqrt(within / total sum of squares); 0 when all values are equal
  double p = 0;       // approximate significance level; 1 when all values are equal
};

// Sorts a copy of the values, cuts it and writes the verdict; a best cut at k = 1
// beeps unless all values are equal (then the text says the population is homogeneous
// and the cut is the common value). Empty for fewer than two values.
std::optional<HomogeneityResult> Test_Homogeneite(std::span<const double> values);

// The homogeneity test of a data text (items separated by ";"): MSG 187 to the message
// slot and empty when it holds fewer than four values.
std::optional<HomogeneityResult> Test_Homogeneite_Texte(const std::string& dataText);

}  // namespace stats
