#pragma once
// The search of a statistics archive for the species a measured sample may belong to:
// the records read back from their lines, the two-sample and one-sample tests of the
// first quantity (the length for spores), and the results text that lists the records
// whose mean is not significantly different at the chosen risk. Pure functions of
// their arguments.

#include <optional>
#include <string>
#include <vector>

namespace stats {

// A number as the archive window writes it: a leading blank for 0 or more (a minus
// sign otherwise), a point as decimal separator, no zero before the point below 1, at
// most 7 significant digits, single precision (20 gives " 20", 0.2 gives " .2",
// 0.075 gives " .075", 1e-5 gives " 1E-05"); " 0" when not finite.
std::string Str_Simple(double x);

// One-sided p of the two-sample test of means given as counts, means and deviations:
// pooled Student when the counts are equal (df = Nb1 + Nb2 - 2), Welch otherwise; the
// upper tail beyond |t|. Empty when it cannot be computed: a count below 1, no degree
// of freedom, a zero or non-finite deviation or statistic.
std::optional<double> P_Test_2m(int Nb1, double Mo1, double Sig1, int Nb2, double Mo2, double Sig2);

// 1 when the two means are compatible at the risk (p, in single precision, above the
// risk, halved when two-sided), 0 when the difference is significant or the test
// cannot be computed. Ksig2 is accepted and not used.
int Nmst_Test_2m(float Risque, int Nb1, float Mo1, float Sig1, float Ksig2, int Nb2, float Mo2,
                 float Sig2, bool bilateral = false);

// One-sided p of the sample mean against an archived mean given without deviation:
// z = (Mo1 - Mo2) / (Sig1 / sqrt(Nb1 - 1)), the tail on the side of the difference.
// Empty when Nb1 is below 2, the deviation is 0 or a value is not finite.
std::optional<double> P_ComparMoyNb(int Nb1, float Mo1, float Sig1, float Mo2);

// 1 compatible, 0 significant or not computable, 2 when Nb1 is 1 (the caller beeps).
int ComparMoyNb(float Risque, int Nb1, float Mo1, float Sig1, float Mo2);

// True when the first line of a file is an archive header ("MSGENRE;MSESP;MSREF",
// without regard to case); *coord tells whether it holds "COORD".
bool Entete_Archive(const std::string& line, bool* coord = nullptr);

// A record read back from its line.
struct ArchiveRecord {
  std::vector<std::string> fields;   // the ";" pieces as written
  bool coord = false;                 // placed as a record with place
  float ks = 1;
  int nbmes = 0;
  float lng = 0, slng = 0, larg = 0, slarg = 0;
  std::string lngText, largText;      // LONG and LARG as written
};

// The record of a line: 15 pieces are a record with place, 14 one without, any other
// count is placed by the header. Empty when it cannot be read: too few pieces for
// SLARG, or a count outside 0 to 32,767. Numbers read with a comma or a point; an
// empty KS counts as 1, an empty NBMES as 0; NBMES rounded half to even.
std::optional<ArchiveRecord> Lit_Enregistrement(const std::string& line, bool headerCoord);

// The sample tested: count and the mean and deviation of its first quantity.
struct ArchiveSample {
  int n = 0;
  float mean = 0;
  float sigma = 0;
};

// Parameters of a search.
struct ArchiveSearch {
  float alpha = 0.1f;       // one-sided risk
  std::string filter;       // a record is read only when its line holds it ("" all)
  bool bilateral = false;   // the two-sample risk is halved
};

// What a search gives.
struct ArchiveResult {
  std::string text;   // the results text, each line ended by CR LF
  int NbLgn = 2;      // lines of the text: title and rule, then one per listed line
  bool found = false; // a record was listed
  int ignored = 0;    // lines that could not be read
  bool test2m = false; // a record was tested against the sample with its count
};

// The first two lines of a search's results: the title with the risk (alpha x 200 in
// percent, Str_Simple) and a rule of 59 "-", each ended by CR LF.
std::string Titre_Recherche(float alpha);

// The search of the records (the file's lines after its header): Titre_Recherche, then each record compatible with
// the sample; "Aucune" when none; n & " ligne(s) ignorée(s)" when lines could not be
// read. Blank lines and lines without the filter (compared without regard to case,
// accented letters included) are passed over.
ArchiveResult Recherche_Archive(const std::vector<std::string>& records, bool headerCoord,
                                const ArchiveSample& sample, const ArchiveSearch& search);

}  // namespace stats
