// The nearest-entry search: exact result texts on a six-entry chart for every formula
// (distances worked out by hand for RGB and by independent Python for the Lab ones),
// swatches, the count limits, ties, bad input and the found-list test.
#include "colour/nearest_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "colour_fixture.h"

namespace {

using colour_test::ColourTest;

// A chart of its own, beside the program's.
struct Charte {
  std::unique_ptr<TableNuancier> valeurs = std::make_unique<TableNuancier>();
  std::unique_ptr<NomsNuancier> noms = std::make_unique<NomsNuancier>();
  int nb = 0;
  void ajoute(const std::string& nom, std::array<float, 6> v) {
    ++nb;
    for (int c = 1; c <= 6; ++c) (*valeurs)(nb, c) = v[c - 1];
    (*noms)(nb) = nom;
  }
  VueNuancier vue() const { return {*valeurs, *noms, nb}; }
};

Charte sixCouleurs() {
  Charte c;
  c.ajoute("rouge", {200, 30, 40, 43.3f, 63.58f, 39.67f});
  c.ajoute("vert", {40, 160, 60, 57.96f, -52.88f, 41.53f});
  c.ajoute("bleu", {60, 60, 200, 34.73f, 45.03f, -73.11f});
  c.ajoute("gris", {128, 128, 128, 53.59f, 0, 0});
  c.ajoute("rouge2", {200, 30, 40, 43.3f, 63.58f, 39.67f});
  c.ajoute("noir", {0, 0, 0, 0, 0, 0});
  return c;
}

// Input 190, 40, 50, whose L*a*b* is 42.3, 58.59, 32.19.
DemandeAjust demande(int formule, const std::string& nombre, bool lab) {
  DemandeAjust d;
  d.formule = formule;
  d.nombre = nombre;
  d.entree = lab ? std::array<std::string, 3>{"42.3", "58,59", "32.19"}
                 : std::array<std::string, 3>{"190", "40", "50"};
  d.entete = "E";
  return d;
}

// (entry, distance text) of each result line.
std::vector<std::pair<int, std::string>> resultats(const std::string& texteRes) {
  std::vector<std::pair<int, std::string>> r;
  std::size_t p = 0;
  while ((p = texteRes.find("Cel.: ", p)) != std::string::npos) {
    p += 6;
    const int entree = std::stoi(texteRes.substr(p));
    const std::size_t e = texteRes.find(" écart : ", p) + std::string(" écart : ").size();
    const std::size_t fin = texteRes.find("\r\n", e);
    r.emplace_back(entree, texteRes.substr(e, fin == std::string::npos ? std::string::npos : fin - e));
  }
  return r;
}

using NearestSearch = ColourTest;

TEST_F(NearestSearch, RgbTextAndSwatchesExactly) {
  const Charte c = sixCouleurs();
  // sqrt((10² + 10² + 10²) / 3) = 10; grey sqrt((62² + 88² + 78²) / 3) = 76.75;
  // green sqrt((150² + 120² + 10²) / 3) = 111.06.
  const ResultatAjust r = calcul_Ajust(demande(kDeltaRVB, "4", false), c.vue());
  EXPECT_TRUE(r.ecrit);
  EXPECT_EQ(r.message, 0);
  EXPECT_EQ(r.texte,
            "E\r\ndelta RVB quadratique\r\n"
            "\r\n1  Cel.: 1 /ref:  rouge\t écart : 10.00"
            "\r\n2  Cel.: 5 /ref:  rouge2\t écart : 10.00"
            "\r\n3  Cel.: 4 /ref:  gris\t écart : 76.75"
            "\r\n4  Cel.: 2 /ref:  vert\t écart : 111.06");
  EXPECT_EQ(r.texte, "E\r\ndelta RVB quadratique\r\n" + r.texteRes);
  EXPECT_FALSE(r.mesure.visible);
  EXPECT_EQ(r.mesure.legende, "mesure");
  EXPECT_TRUE(r.nuancier.visible);
  EXPECT_EQ(r.nuancier.legende, "nua (4)");
  EXPECT_EQ(r.nuancier.couleur, 60u * 65536 + 160 * 256 + 40);

  platform::SetDecimalSeparator(',');
  const ResultatAjust v = calcul_Ajust(demande(kDeltaRVB, "1", false), c.vue());
  EXPECT_EQ(v.texteRes, "\r\n1  Cel.: 1 /ref:  rouge\t écart : 10,00");
}

TEST_F(NearestSearch, EveryFormulaRanksTheChart) {
  const Charte c = sixCouleurs();
  struct Case {
    int formule;
    bool relatif, automatique, lab;
    const char* nombre;
    std::vector<std::pair<int, std::string>> attendu;
    const char* ref;
  };
  // Lab quad: rouge sqrt((1 + 24.90 + 55.95) / 3) = 5.22, grey 39.14; CIE_Lab: the same without
  // the / 3, 9.05; CIE94, CMC and CIEDE2000 from Python (colormath, and the Sharma
  // formulas); relative: chromaticities against 190/280, 40/280, 50/280; automatic:
  // sqrt(sum of squares) / 3.
  const Case cases[] = {
      {kDeltaLabQuad, false, false, true, "3", {{1, "05.22"}, {5, "05.22"}, {4, "39.14"}}, " /ref: "},
      {kDeltaCieLab, false, false, true, "4", {{1, "09.05"}, {5, "09.05"}, {4, "67.80"}, {6, "79.11"}}, " /ref:   "},
      {kDeltaCIE94, false, false, true, "2", {{1, "02.99"}, {5, "02.99"}}, " /ref:"},
      {kDeltaCMC, false, false, true, "2", {{1, "03.88"}, {5, "03.88"}}, " /ref:"},
      {kDeltaCIE2000, false, false, true, "4", {{1, "03.01"}, {5, "03.01"}, {4, "29.15"}, {6, "40.04"}}, " /ref:"},
      {kDeltaRVB, true, false, false, "6",
       {{1, "00.04"}, {5, "00.04"}, {4, "00.24"}, {6, "00.24"}, {3, "00.38"}, {2, "00.41"}}, " /ref:  "},
      {kDeltaRVB, false, true, false, "3", {{1, "05.77"}, {5, "05.77"}, {4, "44.31"}}, " /ref:  "},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.formule) + (k.relatif ? " relatif" : "") + (k.automatique ? " auto" : ""));
    DemandeAjust d = demande(k.formule, k.nombre, k.lab);
    d.relatif = k.relatif;
    d.automatique = k.automatique;
    const ResultatAjust r = calcul_Ajust(d, c.vue());
    EXPECT_EQ(resultats(r.texteRes), k.attendu);
    EXPECT_NE(r.texteRes.find(std::string("Cel.: 1") + k.ref + "rouge\t"), std::string::npos);
  }
}

TEST_F(NearestSearch, TitlesAndSwatchesOfTheLabSearches) {
  const Charte c = sixCouleurs();
  const std::pair<int, const char*> titres[] = {{kDeltaLabQuad, "CIELAB delta quadratique"},
                                                {kDeltaCieLab, "CieLab deltaE*"},
                                                {kDeltaCIE94, "Delta_CIE94"},
                                                {kDeltaCMC, "Delta_CMC"},
                                                {kDeltaCIE2000, "Delta_CIEDE2000"}};
  for (const auto& [f, titre] : titres) {
    const ResultatAjust r = calcul_Ajust(demande(f, "3", true), c.vue());
    EXPECT_EQ(r.texte.substr(0, 3 + std::string(titre).size() + 2), std::string("E\r\n") + titre + "\r\n");
    EXPECT_FALSE(r.mesure.visible);
    EXPECT_FALSE(r.mesure.legende.has_value());
    EXPECT_TRUE(r.nuancier.visible);
    // The last entry listed is the grey.
    EXPECT_EQ(r.nuancier.couleur, 128u * 65536 + 128 * 256 + 128) << titre;
    EXPECT_EQ(r.nuancier.legende.has_value(), f == kDeltaCieLab) << titre;
  }
  EXPECT_EQ(calcul_Ajust(demande(kDeltaCieLab, "3", true), c.vue()).nuancier.legende, "nua (3)");
  // The relative search colours no swatch but shows the second one at the end.
  DemandeAjust d = demande(kDeltaRVB, "2", false);
  d.relatif = true;
  const ResultatAjust r = calcul_Ajust(d, c.vue());
  EXPECT_TRUE(r.nuancier.visible);
  EXPECT_FALSE(r.nuancier.couleur.has_value());
  EXPECT_EQ(r.nuancier.legende, "nua (2)");
  // The automatic search shows no swatch and no header.
  d.relatif = false;
  d.automatique = true;
  const ResultatAjust a = calcul_Ajust(d, c.vue());
  EXPECT_EQ(a.texte, "ajustauto 09\r\n1  Cel.: 1 /ref:  rouge\t écart : 05.77\r\n2  Cel.: 5 /ref:  rouge2\t écart : 05.77");
  EXPECT_FALSE(a.nuancier.visible || a.mesure.visible);
}

TEST_F(NearestSearch, FifteenthLineAndTheLimit) {
  Charte c;
  for (int i = 1; i <= 20; ++i) {
    const float l = 10.0f + i;
    c.ajoute("n" + std::to_string(i), {static_cast<float>(i), 0, 0, l, 5, 5});
  }
  DemandeAjust d = demande(kDeltaCIE2000, "15", true);
  d.entree = {"10", "5", "5"};
  ResultatAjust r = calcul_Ajust(d, c.vue());
  const std::vector<std::pair<int, std::string>> lignes = resultats(r.texteRes);
  ASSERT_EQ(lignes.size(), 15u);
  for (int k = 1; k <= 15; ++k) EXPECT_EQ(lignes[k - 1].first, k);
  EXPECT_NE(r.texteRes.find("14  Cel.: 14 /ref:n14\t"), std::string::npos);
  EXPECT_NE(r.texteRes.find("15  Cel.: 15 /ref:   n15\t"), std::string::npos);
  // The swatch keeps the colour of result 14.
  EXPECT_EQ(r.nuancier.couleur, 14u);
  // More asked: still fifteen lines; the automatic search lists fifteen too.
  d.nombre = "40";
  EXPECT_EQ(resultats(calcul_Ajust(d, c.vue()).texteRes).size(), 15u);
  DemandeAjust a = demande(kDeltaRVB, "40", false);
  a.automatique = true;
  EXPECT_EQ(resultats(calcul_Ajust(a, c.vue()).texteRes).size(), 15u);
  // No line at all for 0, for 0.4 and for a count that is not a number (the point-only
  // reading makes "2,6" a 2).
  for (const char* n : {"0", "0.4", "x", "-3"}) {
    d.nombre = n;
    r = calcul_Ajust(d, c.vue());
    EXPECT_EQ(r.texte, "E\r\nDelta_CIEDE2000\r\n") << n;
  }
  d.nombre = "2,6";
  EXPECT_EQ(resultats(calcul_Ajust(d, c.vue()).texteRes).size(), 2u);
}

TEST_F(NearestSearch, MoreAskedThanEntriesEndsWithoutRepeating) {
  const Charte c = sixCouleurs();
  ResultatAjust r = calcul_Ajust(demande(kDeltaCIE94, "10", true), c.vue());
  EXPECT_EQ(resultats(r.texteRes).size(), 6u);
  DemandeAjust d = demande(kDeltaRVB, "10", false);
  r = calcul_Ajust(d, c.vue());
  EXPECT_EQ(resultats(r.texteRes).size(), 6u);
  EXPECT_EQ(r.nuancier.legende, "nua (6)");
  // Typed values far outside: nothing lies nearer than 9999.
  d.entree = {"1e6", "0", "0"};
  r = calcul_Ajust(d, c.vue());
  EXPECT_EQ(r.texteRes, "");
  EXPECT_EQ(r.nuancier.legende, "nua (0)");
}

TEST_F(NearestSearch, CieLabInputMustHoldNumbers) {
  const Charte c = sixCouleurs();
  for (const char* a : {"", "  ", "abc", "-", "."}) {
    DemandeAjust d = demande(kDeltaCieLab, "4", true);
    d.entree[1] = a;
    const ResultatAjust r = calcul_Ajust(d, c.vue());
    EXPECT_EQ(r.message, 223) << a;
    EXPECT_TRUE(r.archiveBloquee);
    EXPECT_TRUE(r.ecrit);
    EXPECT_EQ(r.texte, "E\r\nCieLab deltaE*\r\n");
  }
  // A zero a* (in the input and in the grey and black entries) is an ordinary value.
  DemandeAjust d = demande(kDeltaCieLab, "6", true);
  d.entree = {"50", "0", ",5"};
  const ResultatAjust r = calcul_Ajust(d, c.vue());
  EXPECT_EQ(r.message, 0);
  EXPECT_EQ(resultats(r.texteRes).size(), 6u);
  EXPECT_EQ(resultats(r.texteRes)[0], (std::pair<int, std::string>{4, "03.62"}));
  // The other formulas take an empty box as 0.
  d = demande(kDeltaCIE94, "2", true);
  d.entree = {"50", "", ""};
  EXPECT_EQ(calcul_Ajust(d, c.vue()).message, 0);
}

TEST_F(NearestSearch, NoChartOrNoFormula) {
  const Charte vide;
  ResultatAjust r = calcul_Ajust(demande(kDeltaRVB, "4", false), vide.vue());
  EXPECT_EQ(r.message, 221);
  EXPECT_FALSE(r.ecrit);
  EXPECT_FALSE(r.nuancier.visible || r.mesure.visible);
  const Charte c = sixCouleurs();
  for (int f : {0, static_cast<int>(kDeltaRVBrel), static_cast<int>(kDeltaVide), 9}) {
    r = calcul_Ajust(demande(f, "4", false), c.vue());
    EXPECT_FALSE(r.ecrit) << f;
    EXPECT_EQ(r.message, 0) << f;
  }
}

TEST_F(NearestSearch, LoadedChartIsSearched) {
  CasesCouleur cases;
  ASSERT_EQ(Charge_Nuancier(colour_test::dataFile("chart/archive/Archv_Nuancier.nua"), cases).etat,
            ChargementNuancier::Charge);
  DemandeAjust d = demande(kDeltaRVB, "1", false);
  d.entree = {"91", "60", "30"};
  // sqrt(1 / 3) = 0.577...
  EXPECT_EQ(calcul_Ajust(d, Nuancier_Courant()).texteRes,
            "\r\n1  Cel.: 2 /ref:   Cortinarius sp.\t écart : 00.58");
}

TEST_F(NearestSearch, ResultHeader) {
  EXPECT_EQ(Texte_Entete_Ajust("01/02/2024", "a.jpg", "ref.Nua", false),
            "01/02/2024  Image : a.jpg\r\nNuancier : ref.Nua\r\n données brutes");
  EXPECT_EQ(Texte_Entete_Ajust("d", "", "", true), "d  Image : \r\nNuancier : \r\n données corrigées");
}

TEST(FoundList, MembershipStopsAtTheEndOfTheList) {
  const std::vector<int> liste = {0, 3, 7};
  EXPECT_TRUE(appartient(7, liste, 2));
  EXPECT_FALSE(appartient(7, liste, 1));
  EXPECT_TRUE(appartient(7, liste, 3000));
  EXPECT_FALSE(appartient(8, liste, 3000));
  EXPECT_TRUE(appartient(0, liste, 0));
  EXPECT_FALSE(appartient(0, liste, -1));
}

}  // namespace
