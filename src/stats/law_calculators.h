#pragma once
// The Student and normal law calculators of the statistics window: the texts of their
// labels as functions of the texts typed in their boxes (read with Val_Decimal).

#include <optional>
#include <string>

namespace stats {

// The captions of the Student law panel for its two choices.
struct StudentCaptions {
  std::string StLabel3_0;    // label of the first box: "t= " or " risque ="
  std::string StLabel3_1;    // label of the degrees of freedom
  std::string StLabel3_2;    // result line before the first computation
  std::string StlblLabel1;   // name of the probability: "p(T <= t)" or "p(|T| <= t)"
};
StudentCaptions Libelles_Student(bool tInverse, bool bilateral);

// The result line of the Student law panel. From t ("tdist"): " risque =" and
// P(T <= t), or P(|T| <= |t|) = 2 F(|t|) - 1 when bilateral. From a risk ("T-inv"):
// " t = " and the t exceeded with that probability (in both tails when bilateral).
// Empty, so that the last result stays, when a box holds no number, df <= 0, or the
// risk lies outside (0, 1).
std::optional<std::string> Calcul_Student(bool tInverse, bool bilateral, const std::string& first,
                                          const std::string& df);

// The two result labels of the normal law panel; both empty to clear them.
struct NormalLawLabels {
  std::string LNLabel7;   // u and the probabilities, or u and x
  std::string LNLabel4;   // the first and ninth deciles
};

// The caption of the third box: "X= " from x, "p= " from p.
std::string Libelle_Normale(bool inverse);

// The normal law with mean m and deviation s: from x, u = (x - m) / s, p(X < x),
// p(X > x) and p(|X| < x) = 2 Phi(|u|) - 1; from p (inverse), u and the x with
// p(X < x) = p; both with the deciles m -/+ 1.2815515655446 s. Both labels cleared
// when a box holds no number, s <= 0, or p lies outside (0, 1).
NormalLawLabels CalculS_LN(bool inverse, const std::string& m, const std::string& s, const std::string& xOrP);

}  // namespace stats
