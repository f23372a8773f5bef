// Archive search: the tests of one record against a sample and the results text.
// One-sided p references from scipy.stats.ttest_ind_from_stats (pooled for equal
// counts, Welch otherwise; p / 2) and scipy.stats.norm, for the sample n 7, mean
// 10.79, deviation 1.39.
#include "stats/archive_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const stats::ArchiveSample kEchantillon{7, 10.79f, 1.39f};

const std::string kGeophylla =
    "Inocybe; geophylla; R1; 12/10/2024; Bois Nord/4.35/48.27; 1; 7; 10,20; 1,10; 5,60; 0,30; 1,71; 0,08; ; ";
const std::string kLacera = "Inocybe; lacera; R2; 01/09/2023; 1; 40; 13,20; 0,80; 6,10; 0,40; 2,16; 0,10; ; ";
const std::string kRimosa = "Inocybe; rimosa; R3; 02/09/2023; 1; ; 11,60; ; 6,50; ; ; ; ; ";
const std::string kFastigiata =
    "Inocybe; fastigiata; R4; 03/09/2023; 1; 25; 10,40; 1,20; 5,90; 0,50; 1,76; 0,12; ; ";
const std::string kCookei = "Inocybe; cookei; R5; 04/09/2023; 1; 7; 12,30; 0,90; 6,80; 0,40; 1,81; 0,09; ; ";

const std::string kRegle(59, '-');
const std::string kTitre20 = "Eventualités non écartées au risque de 1ère espèce de   20%\r\n" + kRegle + "\r\n";
const std::string kLigneGeophylla =
    "Inocybe  geophylla\t R1\t 12/10/2024\t Bois Nord/4.35/48.27\t lng  10,20\t  larg  5,60\r\n";
const std::string kLigneFastigiata = "Inocybe  fastigiata\t R4\t 03/09/2023\t 1\t lng  10,40\t  larg  5,90\r\n";
const std::string kLigneRimosa = "Inocybe  rimosa\t R3\t 02/09/2023\t 1\t lng  11,60\t  larg  6,50\r\n";

std::vector<std::string> archive() { return {kGeophylla, kLacera, kRimosa, kFastigiata, kCookei}; }

double pDe(const std::string& line) {
  const auto r = stats::Lit_Enregistrement(line, false);
  EXPECT_TRUE(r.has_value()) << line;
  if (!r) return -1;
  if (r->nbmes == 0) return stats::P_ComparMoyNb(kEchantillon.n, kEchantillon.mean, kEchantillon.sigma, r->lng).value_or(-1);
  return stats::P_Test_2m(kEchantillon.n, kEchantillon.mean, kEchantillon.sigma, r->nbmes, r->lng, r->slng)
      .value_or(-1);
}

TEST(ArchiveSearch, OneSidedProbabilitiesOfEachRecord) {
  const struct {
    const std::string* line;
    double p;
  } cas[] = {
      {&kGeophylla, 0.197908}, {&kFastigiata, 0.258569}, {&kRimosa, 0.076732},
      {&kCookei, 0.016379},    {&kLacera, 0.001628},
  };
  for (const auto& c : cas) EXPECT_NEAR(pDe(*c.line), c.p, 1e-6) << *c.line;
}

TEST(ArchiveSearch, RecordsArePlacedByTheirOwnPieceCount) {
  const auto avecLieu = stats::Lit_Enregistrement(kGeophylla, false);
  ASSERT_TRUE(avecLieu);
  EXPECT_TRUE(avecLieu->coord);
  EXPECT_EQ(avecLieu->nbmes, 7);
  EXPECT_FLOAT_EQ(avecLieu->lng, 10.2f);
  EXPECT_FLOAT_EQ(avecLieu->slarg, 0.3f);
  const auto sansLieu = stats::Lit_Enregistrement(kLacera, true);
  ASSERT_TRUE(sansLieu);
  EXPECT_FALSE(sansLieu->coord);
  EXPECT_EQ(sansLieu->nbmes, 40);
  EXPECT_EQ(sansLieu->lngText, " 13,20");
  // Another count: the header decides (here 13 pieces, KS at 4 without place).
  const auto court = stats::Lit_Enregistrement("a; b; c; d; ; 2,5; 11.5; 1; 6; 0.5; 1.9; 0.1; ", false);
  ASSERT_TRUE(court);
  EXPECT_FLOAT_EQ(court->ks, 1.0f);  // empty KS
  EXPECT_EQ(court->nbmes, 2);        // 2.5 half to even
  EXPECT_FLOAT_EQ(court->lng, 11.5f);
}

TEST(ArchiveSearch, UnreadableLinesAreRefused) {
  const char* const lignes[] = {
      "garbage",
      "a; b; c; d; 1; 7; 10; 1",                                // too few pieces
      "a; b; c; d; 1; 40000; 10; 1; 5; 0.3; 1.7; 0.1; ; ",     // count beyond 32,767
      "a; b; c; d; 1; -3; 10; 1; 5; 0.3; 1.7; 0.1; ; ",        // negative count
  };
  for (const char* l : lignes) EXPECT_FALSE(stats::Lit_Enregistrement(l, false)) << l;
}

TEST(ArchiveSearch, ResultsAtTwentyAndTenPercent) {
  stats::ArchiveSearch p;
  p.alpha = 0.1f;
  const stats::ArchiveResult a20 = stats::Recherche_Archive(archive(), false, kEchantillon, p);
  EXPECT_EQ(a20.text, kTitre20 + kLigneGeophylla + kLigneFastigiata);
  EXPECT_EQ(a20.NbLgn, 4);
  EXPECT_TRUE(a20.found);

  p.alpha = 0.05f;
  const stats::ArchiveResult a10 = stats::Recherche_Archive(archive(), false, kEchantillon, p);
  EXPECT_EQ(a10.text, "Eventualités non écartées au risque de 1ère espèce de   10%\r\n" + kRegle + "\r\n" +
                          kLigneGeophylla + kLigneRimosa + kLigneFastigiata);
  // Two-sided: the two-sample records are tested at half the risk.
  p.alpha = 0.1f;
  p.bilateral = true;
  const stats::ArchiveResult bi = stats::Recherche_Archive(archive(), false, kEchantillon, p);
  EXPECT_EQ(bi.text, kTitre20 + kLigneGeophylla + kLigneFastigiata);
  // At 40 %, geophylla (p 0.198) and rimosa fall.
  p.alpha = 0.2f;
  p.bilateral = false;
  EXPECT_EQ(stats::Recherche_Archive(archive(), false, kEchantillon, p).text,
            "Eventualités non écartées au risque de 1ère espèce de   40%\r\n" + kRegle + "\r\n" + kLigneFastigiata);
}

TEST(ArchiveSearch, AGarbageLineIsCountedAndChangesNothingElse) {
  std::vector<std::string> lignes = archive();
  lignes.insert(lignes.begin() + 2, "garbage");
  lignes.insert(lignes.begin() + 1, "");
  stats::ArchiveSearch p;
  const stats::ArchiveResult r = stats::Recherche_Archive(lignes, false, kEchantillon, p);
  EXPECT_EQ(r.text, kTitre20 + kLigneGeophylla + kLigneFastigiata + "1 ligne(s) ignorée(s)\r\n");
  EXPECT_EQ(r.ignored, 1);
}

TEST(ArchiveSearch, FilterIgnoresCaseAccentsIncluded) {
  stats::ArchiveSearch p;
  p.filter = "RIM";
  std::vector<std::string> lignes = archive();
  lignes.push_back("garbage");
  EXPECT_EQ(stats::Recherche_Archive(lignes, false, kEchantillon, p).text, kTitre20 + "Aucune\r\n");
  p.filter = "GEOPH";
  EXPECT_EQ(stats::Recherche_Archive(archive(), false, kEchantillon, p).text, kTitre20 + kLigneGeophylla);
  p.filter = "FORÊT";
  const std::vector<std::string> foret = {
      "Inocybe; geophylla; R1; 12/10/2024; forêt d'Orient/4.35/48.27; 1; 7; 10,20; 1,10; 5,60; 0,30; 1,71; 0,08; ; "};
  EXPECT_TRUE(stats::Recherche_Archive(foret, false, kEchantillon, p).found);
}

TEST(ArchiveSearch, TestsThatCannotBeComputedListNothing) {
  // Zero deviations on both sides, a count of 1 with unequal counts, a zero sample
  // deviation against a mean without deviation.
  EXPECT_EQ(stats::Nmst_Test_2m(0.1f, 7, 10.0f, 0.0f, 1, 7, 11.0f, 0.0f), 0);
  EXPECT_EQ(stats::Nmst_Test_2m(0.1f, 7, 10.0f, 1.0f, 1, 1, 10.0f, 0.5f), 0);
  EXPECT_EQ(stats::ComparMoyNb(0.1f, 7, 10.0f, 0.0f, 10.0f), 0);
  EXPECT_EQ(stats::ComparMoyNb(0.1f, 1, 10.0f, 1.0f, 10.0f), 2);
  // Equal means are compatible at any risk below 1/2; a tie with the risk gives 0.
  EXPECT_EQ(stats::Nmst_Test_2m(0.4f, 7, 10.0f, 1.0f, 1, 9, 10.0f, 1.0f), 1);
  EXPECT_EQ(stats::Nmst_Test_2m(0.5f, 7, 10.0f, 1.0f, 1, 7, 10.0f, 1.0f), 0);
}

TEST(ArchiveSearch, HeaderCheck) {
  bool coord = true;
  EXPECT_TRUE(stats::Entete_Archive("msgenre;msesp;msref;MSDATE;KS ", &coord));
  EXPECT_FALSE(coord);
  EXPECT_TRUE(stats::Entete_Archive("MSGENRE;MSESP;MSREF;MSDATE;COORD;KS ", &coord));
  EXPECT_TRUE(coord);
  EXPECT_FALSE(stats::Entete_Archive("MSGENRE; MSESP; MSREF", &coord));
}

TEST(ArchiveSearch, StrFormOfRisks) {
  const struct {
    double x;
    const char* texte;
  } cas[] = {{20, " 20"}, {0.2, " .2"}, {0.075, " .075"}, {0.05, " .05"}, {-0.5, "-.5"},
             {0, " 0"},   {1.5, " 1.5"}, {100, " 100"},  {1e-5, " 1E-05"}};
  for (const auto& c : cas) EXPECT_EQ(stats::Str_Simple(c.x), c.texte) << c.x;
}

}  // namespace
