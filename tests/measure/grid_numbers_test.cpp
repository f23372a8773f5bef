// Numbers kept beside the texts of the measurement grid: the column store on its own,
// then on the main window's grid under every kind of writer, and the statistics grids
// after rows measured through the dispatcher, each compared with a fresh reading of
// the texts.
#include "measure/grid_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "base/helpers.h"
#include "measure/dispatch.h"
#include "measure/grid_statistics.h"
#include "measure/live_display.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/flexgrid.h"
#include "reports/deciles.h"
#include "reports/stat_rows.h"

namespace {

// --- a fresh reading of texts ----------------------------------------------------------

double nombre(const std::string& t) { return t.empty() ? 0.0 : Val_Decimal(t); }

std::vector<double> valeursFraiches(const std::vector<std::string>& textes) {
  std::vector<double> v;
  for (const std::string& t : textes) v.push_back(nombre(t));
  return v;
}

// The texts of a written 0 among those the tests write.
bool zeroEcrit(const std::string& t) { return t == "0" || t == "0.00"; }

// With zero, a written 0 counts (the colour zone) and every value counted is a decile
// value; otherwise values count when not 0, and are decile values above 0.0001 in size.
std::vector<double> decilesFrais(const std::vector<std::string>& textes, bool zero = false) {
  std::vector<double> v;
  for (const std::string& t : textes) {
    const double x = nombre(t);
    if (std::fabs(x) > 0.0001 || (zero && (x != 0 || zeroEcrit(t)))) v.push_back(decileValue(x));
  }
  std::sort(v.begin(), v.end());
  return v;
}

std::vector<double> compteesFraiches(const std::vector<std::string>& textes, bool zero) {
  std::vector<double> v;
  for (const std::string& t : textes)
    if (nombre(t) != 0 || (zero && zeroEcrit(t))) v.push_back(nombre(t));
  std::sort(v.begin(), v.end());
  return v;
}

std::vector<double> vecteur(std::span<const double> s) { return std::vector<double>(s.begin(), s.end()); }

// Texts a grid cell may hold: numbers in both separators, zero, values under the
// decile threshold, negatives, empty cells and words.
std::string texteAuHasard(std::mt19937& gen) {
  static const std::vector<std::string> speciaux = {"", "", "0", "0.00", "0.00005", "-3.5", "abc", "7,25", "12.5"};
  std::uniform_int_distribution<int> choix(0, 3);
  if (choix(gen) == 0) return speciaux[std::uniform_int_distribution<std::size_t>(0, speciaux.size() - 1)(gen)];
  return platform::Format(std::uniform_real_distribution<double>(2.0, 20.0)(gen), "###0.00");
}

// --- the column store --------------------------------------------------------------------

TEST(NombresColonne, ValuesAsTheStatisticsReadThem) {
  const struct {
    const char* texte;
    double valeur;
    bool decile;   // counted by the deciles
  } cas[] = {{"", 0, false},       {"12.5", 12.5, true},  {"7,25", 7.25, true}, {"0", 0, false},
             {"0.00005", 0.00005, false}, {"-3.5", -3.5, true}, {"abc", 0, false}, {" 4", 4, true}};
  NombresColonne n;
  for (const auto& c : cas) n.set(n.size() + 1, c.texte);
  ASSERT_EQ(n.size(), static_cast<int>(std::size(cas)));
  const std::span<const double> v = n.values(n.size());
  for (std::size_t i = 0; i < std::size(cas); ++i) EXPECT_EQ(v[i], cas[i].valeur) << cas[i].texte;
  EXPECT_EQ(n.sortedDeciles(n.size()), (std::vector<double>{-3.5, 4, 7.25, 12.5}));
  // A row beyond the next one is not taken.
  n.set(n.size() + 2, "9");
  EXPECT_EQ(n.size(), static_cast<int>(std::size(cas)));
}

// Values held to four decimals by their sort items: 1.23456 sorts as 1.2346.
TEST(NombresColonne, DecilesHoldTheRoundedValues) {
  NombresColonne n;
  n.set(1, "1.23456");
  n.set(2, "0.99994");
  EXPECT_EQ(n.sortedDeciles(2), (std::vector<double>{0.9999, 1.2346}));
}

// The counted numbers as the texts give them, sorted: the kept deciles while every
// value has at most four decimals, the numbers themselves once one has more or lies
// under the deciles' threshold, and the deciles again once that row is cut off.
TEST(NombresColonne, SortedCountedAreTheNumbersThemselves) {
  NombresColonne n;
  for (const char* t : {"12.5", "", "7,25", "-2", "4"}) n.set(n.size() + 1, t);
  EXPECT_EQ(n.sortedCounted(5), (std::vector<double>{-2, 4, 7.25, 12.5}));
  EXPECT_EQ(&n.sortedCounted(5), &n.sortedDeciles(5));
  n.set(6, "1.23456");
  n.set(7, "0.00005");
  EXPECT_EQ(n.sortedCounted(7), (std::vector<double>{-2, 0.00005, 1.23456, 4, 7.25, 12.5}));
  EXPECT_EQ(n.sortedDeciles(7), (std::vector<double>{-2, 1.2346, 4, 7.25, 12.5}));
  n.set(6, "1.5");
  EXPECT_EQ(n.sortedCounted(6), (std::vector<double>{-2, 1.5, 4, 7.25, 12.5}));
  EXPECT_EQ(&n.sortedCounted(6), &n.sortedDeciles(6));
}

// 500 random changes (new rows, edits of any row, rows cut off, prefixes of every
// length, written zeros counted or not): the values and the sorted deciles always
// equal a fresh reading.
TEST(NombresColonne, RandomChangesMatchAFreshReading) {
  std::mt19937 gen(12);
  NombresColonne n;
  std::vector<std::string> textes;
  bool zero = false;
  for (int pas = 0; pas < 500; ++pas) {
    if (pas % 37 == 36) {
      zero = !zero;
      n.setWrittenZeroCounts(zero);
    }
    const int op = std::uniform_int_distribution<int>(0, 9)(gen);
    if (op < 5 || textes.empty()) {
      textes.push_back(texteAuHasard(gen));
      n.set(static_cast<int>(textes.size()), textes.back());
    } else if (op < 8) {
      const int r = std::uniform_int_distribution<int>(1, static_cast<int>(textes.size()))(gen);
      textes[static_cast<std::size_t>(r - 1)] = texteAuHasard(gen);
      n.set(r, textes[static_cast<std::size_t>(r - 1)]);
    } else {
      const int garde = std::uniform_int_distribution<int>(0, static_cast<int>(textes.size()))(gen);
      textes.resize(static_cast<std::size_t>(garde));
      n.truncate(garde);
    }
    ASSERT_EQ(n.size(), static_cast<int>(textes.size()));
    // A prefix near the end most of the time, anywhere sometimes.
    int k = static_cast<int>(textes.size()) - std::uniform_int_distribution<int>(0, 2)(gen);
    if (op == 9) k = std::uniform_int_distribution<int>(0, static_cast<int>(textes.size()))(gen);
    k = std::max(k, 0);
    const std::vector<std::string> prefixe(textes.begin(), textes.begin() + k);
    ASSERT_EQ(vecteur(n.values(k)), valeursFraiches(prefixe)) << "step " << pas;
    ASSERT_EQ(n.sortedDeciles(k), decilesFrais(prefixe, zero)) << "step " << pas;
    ASSERT_EQ(n.sortedCounted(k), compteesFraiches(prefixe, zero)) << "step " << pas;
  }
}

// --- the grid of the main window ------------------------------------------------------------

constexpr int kColonnesValeurs = 4;   // L, l, Q and V of spores in two dimensions

class GridNumbersWindow : public measure_window::MeasureWindow {
 protected:
  GridNumbersWindow() : MeasureWindow(kDerniereLigneTable) {}

  void SetUp() override {
    MeasureWindow::SetUp();
    picture_window::standardMeasuringState();
    Calibrage = 0.1;
    Taille_Grille = kDerniereLigneTable;
    ASSERT_TRUE(picture_window::loadPlainPicture(dir_, 400, 300, 0x404040));
    startFunction(2);
    QVL& f = Qvl();
    f.Check(3).setValue(1);
    RAZ_Compteurs_Points();
  }

  // The texts of rows 1 to last of column c.
  static std::vector<std::string> textes(int c, int last) {
    const platform::FlexGrid& g = Qvl().GrilleRef;
    std::vector<std::string> t;
    for (int r = 1; r <= std::min(last, g.rows() - 1); ++r) t.push_back(g.textMatrix(r, c));
    return t;
  }

  // The numbers kept for the value columns equal a fresh reading of the texts, over
  // the rows the statistics count (to LigneCourante) and the deciles count (to
  // LigneCourante - 1).
  static void nombresFrais(const std::string& quand) {
    platform::FlexGrid& g = Qvl().GrilleRef;
    for (int c = 1; c <= kColonnesValeurs; ++c) {
      ASSERT_EQ(vecteur(Nombres_Colonne(g, c, LigneCourante)), valeursFraiches(textes(c, LigneCourante)))
          << quand << ", column " << c;
      ASSERT_EQ(Deciles_Colonne(g, c, LigneCourante - 1), decilesFrais(textes(c, LigneCourante - 1)))
          << quand << ", column " << c;
    }
  }

  // What the statistics show: the texts of the statistics grid, the colours of the
  // measurement grid, the per-column tables, the sorted list and its selection.
  struct Statistiques {
    std::vector<std::string> textes;
    std::vector<platform::Colour> couleurs;
    std::vector<double> tables;
    std::vector<std::string> liste;
    int choix = -1;
    bool operator==(const Statistiques&) const = default;
  };

  static Statistiques statistiques() {
    QVL& f = Qvl();
    Statistiques s;
    for (int r = 0; r < f.GrilleRefP.rows(); ++r)
      for (int c = 0; c < f.GrilleRefP.cols(); ++c) s.textes.push_back(f.GrilleRefP.textMatrix(r, c));
    for (int r = 0; r < f.GrilleRef.rows(); ++r)
      for (int c = 0; c < f.GrilleRef.cols(); ++c) s.couleurs.push_back(f.GrilleRef.cellBackColor(r, c));
    for (int c = 1; c <= 8; ++c)
      for (double v : {Stat_N(c), Stat_Mediane(c), Stat_D1(c), Stat_D9(c)}) s.tables.push_back(v);
    for (int i = 0; i < f.Ldeci.listCount(); ++i) s.liste.push_back(f.Ldeci.list(i));
    s.choix = f.Ldeci.listIndex();
    return s;
  }

  // The statistics as they stand, then as a reading of every text gives them.
  static void commeUnRecalculComplet(const std::string& quand) {
    const Statistiques suivies = statistiques();
    Relit_Nombres_Grille();
    Calcul_stat();
    Entetes_Stat();
    const Statistiques completes = statistiques();
    ASSERT_FALSE(completes.textes.empty());
    ASSERT_TRUE(suivies == completes) << quand;
  }

  picture_window::TempFolder dir_;
};

// Every writer of the grid is seen: new rows, edits of earlier cells, deleted and
// inserted rows, a cleared grid, a grid laid out again and bursts of more changes
// than the journal holds. After each of 500 random steps the numbers equal a fresh
// reading; every tenth step the statistics also equal a full recomputation.
TEST_F(GridNumbersWindow, EveryWriterOfTheGridIsSeen) {
  platform::FlexGrid& g = Qvl().GrilleRef;
  std::mt19937 gen(7);
  auto ecritLigne = [&](int r) {
    for (int c = 1; c <= kColonnesValeurs; ++c) g.setTextMatrix(r, c, texteAuHasard(gen));
  };
  auto auHasard = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
  for (int pas = 1; pas <= 500; ++pas) {
    const int op = auHasard(0, 19);
    const int derniere = LigneCourante - 1;
    if (op < 10 || derniere < 1) {
      if (LigneCourante < g.rows()) {
        g.setTextMatrix(LigneCourante, 0, std::to_string(LigneCourante));
        ecritLigne(LigneCourante);
        ++LigneCourante;
      }
    } else if (op < 13) {
      g.setTextMatrix(auHasard(1, derniere), auHasard(1, kColonnesValeurs), texteAuHasard(gen));
    } else if (op == 13) {
      g.removeItem(auHasard(1, derniere));
      g.setRows(g.rows() + 1);
      --LigneCourante;
    } else if (op == 14) {
      g.addItem("x\t5.5\t\t3,25\t9", auHasard(1, derniere));
      g.setRows(g.rows() - 1);
      if (LigneCourante < g.rows()) ++LigneCourante;
    } else if (op == 15) {
      for (int k = 0; k < 40; ++k) g.setTextMatrix(auHasard(1, derniere), auHasard(1, kColonnesValeurs), texteAuHasard(gen));
    } else if (op == 16) {
      LigneCourante = std::max(1, LigneCourante - auHasard(1, 3));   // rows given up
    } else if (op == 17 && pas % 50 == 0) {
      g.clear();
      LigneCourante = 1;
    } else if (op == 18 && pas % 40 == 0) {
      const int lignes = g.rows();
      g.setRows(1);
      g.setRows(lignes);
      LigneCourante = 1;
    }
    Calcul_stat();
    Entetes_Stat();
    ASSERT_NO_FATAL_FAILURE(nombresFrais("step " + std::to_string(pas)));
    if (pas % 10 == 0) {
      ASSERT_NO_FATAL_FAILURE(commeUnRecalculComplet("step " + std::to_string(pas)));
    }
  }
}

// 3,000 rows of spores measured through the dispatcher (a length and a width by press,
// move and release each, the width ending at the Palmer foot): the statistics grids
// equal a full recomputation of every text along the way and at the end.
// The sanitized build runs about ten times slower: there the rows stop at 500, short
// of the full grid, which keeps the run within the test time limit.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kLignesMesurees = 500;
#else
constexpr int kLignesMesurees = kDerniereLigneTable;
#endif

TEST_F(GridNumbersWindow, ThreeThousandRowsThroughTheDispatcherMatchAFullRecomputation) {
  std::mt19937 gen(2024);
  auto au = [&](double a, double b) { return std::round(std::uniform_real_distribution<double>(a, b)(gen)); };
  if (kLignesMesurees == kDerniereLigneTable) dialogs_->answerMsgBox(platform::vbOK);   // the grid is full after the last row
  for (int i = 1; i <= kLignesMesurees; ++i) {
    const double x = au(800, 4000), y = au(600, 2600), l = au(400, 1800), h = au(-150, 150);
    Clic_Image_Mesure(1, 0, x, y);
    Affiche_Mesure_En_Cours(1, 0, x + l, y + h);
    Relache_Image(1, 0, x + l, y + h);
    const double mx = x + l / 2, my = y + h / 2, w = au(150, 700);
    Clic_Image_Mesure(1, 0, mx, my);
    Affiche_Mesure_En_Cours(1, 0, mx + 40, my + w);
    Relache_Image(1, 0, mx + 40, my + w);
    ASSERT_EQ(LigneCourante, i + 1) << "row " << i << " was not written";
    if (i <= 12 || i % 250 == 0 || i == kLignesMesurees) {
      ASSERT_NO_FATAL_FAILURE(nombresFrais("row " + std::to_string(i)));
      ASSERT_NO_FATAL_FAILURE(commeUnRecalculComplet("row " + std::to_string(i)));
    }
  }
  EXPECT_EQ(Stat_N(1), kLignesMesurees);   // a full grid counts its last row too
}

}  // namespace
