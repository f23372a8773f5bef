// Undo and row deletion on the measurement table, its cursor and a grid of texts,
// without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measure/measure_state.h"
#include "measure/table_editing.h"

namespace {

// A grid of texts of fixed size: row 0 headings, column 0 row numbers.
class GrilleTextes : public Grille_Edition {
 public:
  GrilleTextes(int lignes, int colonnes)
      : t_(static_cast<std::size_t>(lignes), std::vector<std::string>(static_cast<std::size_t>(colonnes))) {}
  int lignes() const override { return static_cast<int>(t_.size()); }
  int colonnes() const override { return static_cast<int>(t_[0].size()); }
  std::string texte(int r, int c) const override { return t_.at(static_cast<std::size_t>(r)).at(static_cast<std::size_t>(c)); }
  void ecrit(int r, int c, const std::string& s) override {
    t_.at(static_cast<std::size_t>(r)).at(static_cast<std::size_t>(c)) = s;
  }
  void retireLigne(int r) override {
    t_.erase(t_.begin() + r);
    t_.emplace_back(t_[0].size());
  }
  std::vector<std::string> ligne(int r) const { return t_.at(static_cast<std::size_t>(r)); }

 private:
  std::vector<std::vector<std::string>> t_;
};

struct Regle {
  int fonction, cellules, copie, colonnes;
};
// Cells per row, first column an undo of a whole row empties, and grid columns, as the
// measuring-function switch sets them.
constexpr Regle kF1{1, 1, 1, 4}, kF2{2, 2, 2, 7}, kF3{3, 3, 2, 8}, kF5{5, 7, 4, 10}, kF20{20, 6, 2, 10};

constexpr int kLignesTable = 30;

class TableEditing : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i <= kLignesTable; ++i) TabMesures(i) = Mesure{};
    LigneCourante = 1;
    EtapeClic = 1;
    Compteur_Lignes = 0;
  }
  void TearDown() override { SetUp(); }

  GrilleTextes start(const Regle& r, int lignes = 20) {
    FonctionCourante = r.fonction;
    NbCellules = r.cellules;
    NbPoints_Copie = r.copie;
    return GrilleTextes(lignes, r.colonnes);
  }

  // Writes step `etape` of the row of the cursor as the measuring does: its value, its
  // segment, its image; the last step adds the computed columns, the image number and
  // the comment and moves the cursor on.
  void step(GrilleTextes& g, int etape, int derniere, int image = 1) {
    const int r = LigneCourante;
    g.ecrit(r, 0, std::to_string(r));
    g.ecrit(r, etape, "v" + std::to_string(r) + "." + std::to_string(etape));
    Mesure& m = TabMesures(r);
    m.Seg(etape) = {double(r), double(etape), double(r + 10), double(etape + 10)};
    m.NumImage = image;
    m.ExpZoom = -2;
    EtapeClic = etape + 1;
    Compteur_Lignes += 1;
    if (etape == derniere) {
      for (int c = derniere + 1; c < g.colonnes() - 2; ++c) g.ecrit(r, c, "q" + std::to_string(r));
      g.ecrit(r, g.colonnes() - 2, std::to_string(image));
      g.ecrit(r, g.colonnes() - 1, "note " + std::to_string(r));
      LigneCourante += 1;
      EtapeClic = 1;
      Compteur_Lignes = 0;
    }
  }
  void rows(GrilleTextes& g, int n, int derniere) {
    for (int k = 0; k < n; ++k)
      for (int e = 1; e <= derniere; ++e) step(g, e, derniere);
  }

  static bool empty(const Segment& s) { return s.X1 == 0 && s.Y1 == 0 && s.X2 == 0 && s.Y2 == 0; }
  static std::vector<std::string> vide(int colonnes) { return std::vector<std::string>(static_cast<std::size_t>(colonnes)); }
};

// --- undo --------------------------------------------------------------------------------

TEST_F(TableEditing, UndoOnAnEmptyGridDoesNothing) {
  GrilleTextes g = start(kF2);
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Rien);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(g.ligne(1), vide(7));
}

TEST_F(TableEditing, UndoAfterTheFirstClickOfRowOneRemovesIt) {
  GrilleTextes g = start(kF2);
  step(g, 1, 2);
  ASSERT_EQ(EtapeClic, 2);
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Mesure_Abandonnee);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(g.texte(1, 1), "");
  EXPECT_TRUE(empty(TabMesures(1).Seg(1)));
  EXPECT_EQ(TabMesures(1).NumImage, 0);
}

// Spores in two dimensions: a finished row opens again at its width; the width, Q, V,
// image and comment cells are emptied and the length stays. A second undo removes the
// length, a third opens the row above.
TEST_F(TableEditing, SporesUndoStepByStep) {
  GrilleTextes g = start(kF2);
  rows(g, 2, 2);
  ASSERT_EQ(LigneCourante, 3);
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Ligne_Rouverte);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(g.ligne(2), (std::vector<std::string>{"2", "v2.1", "", "", "", "", ""}));
  const Mesure& m = TabMesures(2);
  EXPECT_FALSE(empty(m.Seg(1)));
  EXPECT_TRUE(empty(m.Seg(2)));
  EXPECT_EQ(m.NumImage, 0);
  EXPECT_EQ(m.Texte, "0");
  EXPECT_EQ(m.ExpZoom, 1);
  EXPECT_EQ(Compteur_Lignes, 0);

  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Etape_Annulee);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(g.ligne(2), (std::vector<std::string>{"2", "", "", "", "", "", ""}));
  EXPECT_TRUE(empty(TabMesures(2).Seg(1)));

  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Ligne_Rouverte);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(g.ligne(1), (std::vector<std::string>{"1", "v1.1", "", "", "", "", ""}));
  EXPECT_EQ(g.ligne(0), vide(7));
}

// One segment per row: undo empties the whole last row.
TEST_F(TableEditing, SegmentsUndoRemovesTheWholeRow) {
  GrilleTextes g = start(kF1);
  rows(g, 3, 1);
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Ligne_Rouverte);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(g.ligne(3), (std::vector<std::string>{"3", "", "", ""}));
  EXPECT_TRUE(empty(TabMesures(3).Seg(1)));
  EXPECT_EQ(g.ligne(2), (std::vector<std::string>{"2", "v2.1", "1", "note 2"}));
}

// Spores in three dimensions reopen at the width: width and thickness measured again.
TEST_F(TableEditing, ThreeDimensionsReopenAtTheWidth) {
  GrilleTextes g = start(kF3);
  rows(g, 1, 3);
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Ligne_Rouverte);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(g.ligne(1), (std::vector<std::string>{"1", "v1.1", "", "", "", "", "", ""}));
  EXPECT_FALSE(empty(TabMesures(1).Seg(1)));
  EXPECT_TRUE(empty(TabMesures(1).Seg(2)));
  EXPECT_TRUE(empty(TabMesures(1).Seg(3)));
}

// Cystidia with four marks: the apex width and the ratios are measured again; in the
// middle of a row one step goes back; a step beyond the fourth counts as the fourth.
TEST_F(TableEditing, CystidiaUndo) {
  GrilleTextes g = start(kF5);
  rows(g, 1, 4);
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Ligne_Rouverte);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 4);
  EXPECT_EQ(g.ligne(1), (std::vector<std::string>{"1", "v1.1", "v1.2", "v1.3", "", "", "", "", "", ""}));
  EXPECT_FALSE(empty(TabMesures(1).Seg(3)));
  EXPECT_TRUE(empty(TabMesures(1).Seg(4)));

  EtapeClic = 7;
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Etape_Annulee);
  EXPECT_EQ(EtapeClic, 3);
  EXPECT_EQ(g.texte(1, 3), "");
  EXPECT_EQ(g.texte(1, 2), "v1.2");
  EXPECT_TRUE(empty(TabMesures(1).Seg(3)));
  EXPECT_FALSE(empty(TabMesures(1).Seg(2)));
}

// The colour zone always undoes a whole row, step 1, and abandons a row in progress.
TEST_F(TableEditing, ColourZoneUndoesWholeRows) {
  GrilleTextes g = start(kF20);
  rows(g, 2, 1);
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Ligne_Rouverte);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(g.ligne(2), (std::vector<std::string>{"2", "", "", "", "", "", "", "", "", ""}));
  for (int c = 1; c <= 6; ++c) EXPECT_TRUE(empty(TabMesures(2).Seg(c)));
  step(g, 1, 3);
  step(g, 2, 3);
  EXPECT_EQ(Annule_Derniere_Etape(g), Annulation::Mesure_Abandonnee);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(g.ligne(2), (std::vector<std::string>{"2", "", "", "", "", "", "", "", "", ""}));
  EXPECT_EQ(g.texte(1, 1), "v1.1");
}

// --- deleting rows ---------------------------------------------------------------------------

// Ten finished rows, row 3 deleted: rows 4 to 10 move up, rows 3 to 10 are renumbered,
// the cursor is at row 10 and the grid keeps its size.
TEST_F(TableEditing, DeletingARowClosesTheGap) {
  GrilleTextes g = start(kF2, 15);
  rows(g, 10, 2);
  const Mesure quatre = TabMesures(4);
  EXPECT_EQ(Supprime_Ligne(g, 3), 3);
  EXPECT_EQ(LigneCourante, 10);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(g.lignes(), 15);
  EXPECT_EQ(g.texte(3, 1), "v4.1");
  EXPECT_EQ(g.texte(9, 1), "v10.1");
  EXPECT_EQ(g.texte(10, 1), "");
  for (int r = 3; r <= 10; ++r) EXPECT_EQ(g.texte(r, 0), std::to_string(r));
  EXPECT_EQ(g.texte(2, 1), "v2.1");
  EXPECT_EQ(TabMesures(3).Seg(1).X1, quatre.Seg(1).X1);
  EXPECT_TRUE(empty(TabMesures(10).Seg(1)));
  EXPECT_EQ(TabMesures(10).NumImage, 0);
}

// The same deletions for every layout: segments, spores in three dimensions, cystidia
// and colour zones. Row 2 of four goes, a row below the cursor stays, then row 0
// takes the last finished row.
TEST_F(TableEditing, DeletingRowsOfEveryFunction) {
  for (const Regle& r : {kF1, kF3, kF5, kF20}) {
    SCOPED_TRACE(r.fonction);
    SetUp();
    const int derniere = r.fonction == 20 ? 1 : r.cellules == 7 ? 4 : r.cellules;
    GrilleTextes g = start(r, 12);
    rows(g, 4, derniere);
    const std::vector<std::string> trois = g.ligne(3);
    const Mesure quatre = TabMesures(4);
    EXPECT_EQ(Supprime_Ligne(g, 2), 2);
    EXPECT_EQ(LigneCourante, 4);
    EXPECT_EQ(EtapeClic, 1);
    EXPECT_EQ(Compteur_Lignes, 0);
    EXPECT_EQ(g.lignes(), 12);
    std::vector<std::string> attendue = trois;
    attendue[0] = "2";
    EXPECT_EQ(g.ligne(2), attendue);
    EXPECT_EQ(g.texte(3, 0), "3");
    EXPECT_EQ(g.texte(3, 1), "v4.1");
    std::vector<std::string> curseur = vide(r.colonnes);
    curseur[0] = "4";   // the cursor's row is numbered too
    EXPECT_EQ(g.ligne(4), curseur);
    EXPECT_EQ(TabMesures(3).Seg(derniere).X1, quatre.Seg(derniere).X1);
    EXPECT_TRUE(empty(TabMesures(4).Seg(1)));

    EXPECT_EQ(Supprime_Ligne(g, 6), 0);
    EXPECT_EQ(LigneCourante, 4);
    EXPECT_EQ(g.texte(3, 1), "v4.1");

    EXPECT_EQ(Supprime_Ligne(g, 0), 3);
    EXPECT_EQ(LigneCourante, 3);
    EXPECT_EQ(g.texte(3, 1), "");
    EXPECT_EQ(g.texte(2, 1), "v3.1");
    EXPECT_EQ(TabMesures(3).NumImage, 0);
  }
}

TEST_F(TableEditing, DeletingBelowTheCursorDoesNothing) {
  GrilleTextes g = start(kF2, 15);
  rows(g, 3, 2);
  EXPECT_EQ(Supprime_Ligne(g, 5), 0);
  EXPECT_EQ(Supprime_Ligne(g, 3001), 0);
  EXPECT_EQ(Supprime_Ligne(g, -1), 0);
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_EQ(g.texte(3, 1), "v3.1");
}

// Row 0 stands for the cursor's row: with nothing in progress the last finished row
// goes; with a measurement in progress only that measurement is abandoned.
TEST_F(TableEditing, TheCursorRow) {
  GrilleTextes g = start(kF2, 15);
  rows(g, 3, 2);
  int n = 0;
  EXPECT_EQ(Supprime_Ligne(g, n), 3);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(g.texte(3, 1), "");
  step(g, 1, 2);
  EXPECT_EQ(Supprime_Ligne(g, 0), 3);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(g.texte(3, 1), "");
  EXPECT_EQ(g.texte(2, 1), "v2.1");
  EXPECT_TRUE(empty(TabMesures(3).Seg(1)));
}

// A finished row deleted while a measurement is in progress: the measurement moves up
// with its row and goes on where it was.
TEST_F(TableEditing, AMeasurementInProgressMovesUp) {
  GrilleTextes g = start(kF2, 15);
  rows(g, 2, 2);
  step(g, 1, 2);
  EXPECT_EQ(Supprime_Ligne(g, 1), 1);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(g.texte(2, 1), "v3.1");
  EXPECT_EQ(TabMesures(2).Seg(1).X1, 3);
  EXPECT_TRUE(empty(TabMesures(3).Seg(1)));
}

// An empty row 1 deletes nothing; a finished row with an empty first column gives way
// to the row above.
TEST_F(TableEditing, EmptyRows) {
  GrilleTextes g = start(kF2, 15);
  EXPECT_EQ(Supprime_Ligne(g, 1), 0);
  EXPECT_EQ(LigneCourante, 1);
  rows(g, 3, 2);
  g.ecrit(3, 1, "");
  EXPECT_EQ(Supprime_Ligne(g, 3), 2);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(g.texte(1, 1), "v1.1");
  EXPECT_EQ(g.texte(2, 1), "");
  EXPECT_EQ(g.texte(2, 2), "v3.2");
}

TEST_F(TableEditing, EmptiedTableRow) {
  TabMesures(5).Seg(16) = {1, 2, 3, 4};
  TabMesures(5).Texte = "x";
  TabMesures(5).NumImage = 3;
  TabMesures(5).ExpZoom = -4;
  Efface_Ligne_Table(5);
  EXPECT_TRUE(empty(TabMesures(5).Seg(16)));
  EXPECT_EQ(TabMesures(5).Texte, "");
  EXPECT_EQ(TabMesures(5).NumImage, 0);
  EXPECT_EQ(TabMesures(5).ExpZoom, 0);
  Efface_Ligne_Table(-1);
  Efface_Ligne_Table(3001);
}

// A new measurement starts the row of the cursor: what an earlier measurement left in
// it goes, the rows around it stay. A cursor beyond the table starts nothing.
TEST_F(TableEditing, StartingARowEmptiesOnlyThatRow) {
  for (int r : {1, 2, 3}) {
    TabMesures(r).Seg(1) = {1, 2, 3, 4};
    TabMesures(r).Seg(5) = {5, 6, 7, 8};
    TabMesures(r).NumImage = 2;
    TabMesures(r).ExpZoom = -1;
    TabMesures(r).Texte = "0";
  }
  LigneCourante = 2;
  Mesure* m = Commence_Ligne_Table();
  ASSERT_EQ(m, &TabMesures(2));
  for (int c = 0; c <= 16; ++c) EXPECT_TRUE(empty(m->Seg(c))) << c;
  EXPECT_EQ(m->NumImage, 0);
  EXPECT_EQ(m->ExpZoom, 0);
  EXPECT_EQ(m->Texte, "");
  for (int r : {1, 3}) {
    EXPECT_EQ(TabMesures(r).Seg(5).Y2, 8) << r;
    EXPECT_EQ(TabMesures(r).NumImage, 2) << r;
  }
  LigneCourante = kDerniereLigneTable + 1;
  EXPECT_EQ(Commence_Ligne_Table(), nullptr);
  LigneCourante = -1;
  EXPECT_EQ(Commence_Ligne_Table(), nullptr);
}

}  // namespace
