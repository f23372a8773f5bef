// Grid templates of the measuring functions and the mini grid mirror.
#include "measure/grid_templates.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/flexgrid.h"
#include "shell/function_switch.h"

namespace {

using Items = std::vector<std::string>;

// --- reading a template (no window) -------------------------------------------------

TEST(ItemsModele, SplitsAtDollarsAndTrimsEachItem) {
  EXPECT_EQ(Items_Modele("Triangle$4$Surf$peri.$angle$img $comment$"),
            (Items{"Triangle", "4", "Surf", "peri.", "angle", "img", "comment"}));
  EXPECT_EQ(Items_Modele(" 7$550$ 550 $"), (Items{"7", "550", "550"}));
  EXPECT_EQ(Items_Modele("mesure Cystide 3 $6$ M$"), (Items{"mesure Cystide 3", "6", "M"}));
}

TEST(ItemsModele, LastPieceWithoutDollarIsNoItem) {
  EXPECT_EQ(Items_Modele("4$550$200$1500"), (Items{"4", "550", "200"}));
  EXPECT_TRUE(Items_Modele("").empty());
  EXPECT_TRUE(Items_Modele("no dollar").empty());
}

TEST(ItemsModele, EmptyItemsCount) {
  // Two dollars in a row give an empty heading (gill counting has one).
  EXPECT_EQ(Items_Modele("Comptage_Lames$4$Nb Lames$ %$$img $comment$"),
            (Items{"Comptage_Lames", "4", "Nb Lames", "%", "", "img", "comment"}));
  EXPECT_EQ(Items_Modele("$"), (Items{""}));
}

// --- the template tables -------------------------------------------------------------

class Templates : public ::testing::Test {
 protected:
  void SetUp() override {
    Messages_Defaut();
    Modeles_Grille();
  }
  void TearDown() override {
    Messages_Defaut();
    Modeles_Grille();
  }
};

struct Expected {
  int code;
  const char* titles;
  const char* widths;
};

// Typed in from the layout table of the measuring functions (French message texts
// for functions 1 to 4 written out in full).
const Expected kTemplates[] = {
    {1, "mesure Segment$4$Longueur$img $comment$", "4$550$200$1500$"},
    {2, "mesure Spore 2D$7$Long.$Larg.$Q$V$img$comment$", " 7$550$550$350$500$220$1500$"},
    {3, "mesure Spore 3D$8$long.$larg.$épais.$Q$L$img$comment$",
     "8$550$550$550$350$350$220$1500$"},
    {4, "mesure Cystide 3 $6$Long.$L.base$L.col$img $comment$", " 6$550$550$550$220$1500$"},
    {5, "mesure Cystide 4$7$Long.$Base$ M$ A$A / M$A / B$B / M$img $comment$",
     "10$550$550$550$550$500$500$500$220$1500$"},
    {6, "mesure Cystide 5$8$Long.$Base$ M$ A$L++$A /M$A / B$B / M$img $comment$img $comment$",
     " 11$550$550$550$550$550$500$500$500$220$1500$"},
    {10, "Comptage_1$4$NB1$img $comment$", "4$550$200$1500$"},
    {11, "Comptage_2$6$A$B$A+2B$img $comment$", "6$550$550$550$200$1500$"},
    {13, "Densité_Ellipse$6$S$Nb$Nb/S$Nb/L$img $comment$", "7$750$300$550$450$200$1500$"},
    {14, "Densité_rectangle$6$S$Nb$Nb/S$Nb/L$img $comment$", "7$750$300$550$450$200$1500$"},
    {15, "Triangle$4$Surf$peri.$angle$img $comment$", "6$750$550$500$500$1450$"},
    {16, "Polygone$5$Surf$peri.$Rm$F$img $comment$", "7$750$600$500$500$500$1450$"},
    {20, "tintavel $10$R$V$B$L$a$b$zone$S$comment$", " 10$500$500$500$500$500$500$350$250$1500$"},
    {22, "Comptage_Lames$4$Nb Lames$ %$$img $comment$", "6$750$550$50$500$1450$"},
};

TEST_F(Templates, EveryFunctionHasItsExactTexts) {
  for (const auto& e : kTemplates) {
    SCOPED_TRACE(e.code);
    EXPECT_EQ(Modele_Titres(e.code), e.titles);
    EXPECT_EQ(Modele_Largeurs(e.code), e.widths);
  }
}

TEST_F(Templates, CodesWithoutGridHoldEmptyTexts) {
  for (int code : {0, 7, 8, 9, 12, 17, 18, 19, 21, 23, 24, 25}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(Modele_Titres(code), "");
    EXPECT_EQ(Modele_Largeurs(code), "");
  }
}

TEST_F(Templates, ColumnCountsOfTheWidthTemplates) {
  // The first width item is the number of grid columns, column 0 included.
  const int codes[] = {1, 2, 3, 4, 5, 6, 10, 11, 13, 14, 15, 16, 20, 22};
  const char* counts[] = {"4", "7", "8", "6", "10", "11", "4", "6", "7", "7", "6", "7", "10", "6"};
  for (size_t i = 0; i < std::size(codes); ++i) {
    SCOPED_TRACE(codes[i]);
    const Items items = Items_Modele(Modele_Largeurs(codes[i]));
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items[0], counts[i]);
  }
  // Colour zone: ten columns, the last (comment) 1500 twips wide.
  const Items couleur = Items_Modele(Modele_Largeurs(20));
  ASSERT_EQ(couleur.size(), 10u);
  EXPECT_EQ(couleur.back(), "1500");
}

TEST_F(Templates, QuestionsComeFromTheMessageTable) {
  EXPECT_EQ(Txt_Confirm(1), " effacer  la grille  ?");
  EXPECT_EQ(Txt_Confirm(2), "cette image a été traitée");
  MSG.set(190, "Clear");
  MSG.set(188, "the grid");
  MSG.set(111, "done");
  Modeles_Grille();
  EXPECT_EQ(Txt_Confirm(1), "Clear the grid ?");
  EXPECT_EQ(Txt_Confirm(2), "done");
}

TEST_F(Templates, LanguageChangesTheTitlesOfFunctionsOneToFourOnly) {
  MSG.set(146, "Segment$4$Length$img $comment$");
  MSG.set(147, "Spore 2D$7$L$W$Q$V$img$comment$");
  MSG.set(148, "Spore 3D$8$l$w$t$Q$L$img$comment$");
  MSG.set(141, "Cystidium 3$6$L$Base$Neck$img $comment$");
  MSG.set(142, "Cystidium 4$7$x$img $comment$");
  MSG.set(143, "Cystidium 5$8$y$img $comment$");
  Modeles_Grille();
  EXPECT_EQ(Modele_Titres(1), "Segment$4$Length$img $comment$");
  EXPECT_EQ(Modele_Titres(2), "Spore 2D$7$L$W$Q$V$img$comment$");
  EXPECT_EQ(Modele_Titres(3), "Spore 3D$8$l$w$t$Q$L$img$comment$");
  EXPECT_EQ(Modele_Titres(4), "Cystidium 3$6$L$Base$Neck$img $comment$");
  EXPECT_EQ(Modele_Titres(5), kTemplates[4].titles);
  EXPECT_EQ(Modele_Titres(6), kTemplates[5].titles);
  EXPECT_EQ(Modele_Largeurs(1), "4$550$200$1500$");
}

TEST_F(Templates, RefillingReplacesChangedEntries) {
  Modele_Titres(15) = "spoiled";
  Modele_Largeurs(7) = "3$1$";
  Modeles_Grille();
  EXPECT_EQ(Modele_Titres(15), "Triangle$4$Surf$peri.$angle$img $comment$");
  EXPECT_EQ(Modele_Largeurs(7), "");
}

// --- the mini grid mirror (real window, offscreen) ----------------------------------

class MiniGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    // The first showing runs the start-up chain, which may ask questions.
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    savedFunction_ = FonctionCourante;
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    // A 3-column measurement grid of 10 rows: "h0".."h2" in row 0, "r<row>c<col>" below.
    f.GrilleRef.setCols(3);
    f.GrilleRef.setRows(11);
    for (int r = 0; r <= 10; ++r)
      for (int c = 0; c <= 2; ++c)
        f.GrilleRef.setTextMatrix(r, c, r == 0 ? "h" + std::to_string(c)
                                               : "r" + std::to_string(r) + "c" + std::to_string(c));
    f.MGrille.setCols(3);
    f.MGrille.setRows(4);
    for (int r = 0; r <= 3; ++r)
      for (int c = 0; c <= 2; ++c) f.MGrille.setTextMatrix(r, c, "old");
    FonctionCourante = 1;
  }
  void TearDown() override {
    platform::setDialogs(nullptr);
    // Back to the layout of the function in use, on an empty grid.
    QVL& f = Qvl();
    f.GrilleRef.setRows(1);
    const int ligne = LigneCourante, etape = EtapeClic, ref = Ligne_Ref, compteur = Compteur_Lignes;
    Choix_Fonction_Mesure(savedFunction_);
    LigneCourante = ligne;
    EtapeClic = etape;
    Ligne_Ref = ref;
    Compteur_Lignes = compteur;
  }
  // Texts of column 1 of MGrille, rows 0 to 3.
  static Items miniColumn() {
    Items v;
    for (int r = 0; r <= 3; ++r) v.push_back(Qvl().MGrille.textMatrix(r, 1));
    return v;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;

 private:
  int savedFunction_ = 0;
};

TEST_F(MiniGrid, NothingChangesWithoutAFunction) {
  FonctionCourante = 0;
  Dimensionne_Grille(5);
  EXPECT_EQ(miniColumn(), (Items{"old", "old", "old", "old"}));
}

TEST_F(MiniGrid, SmallRowNumbersShowTheFirstRows) {
  // R = 4 mirror rows: for p - R < 0 the rows 1 to 3 of the grid, whatever p is.
  for (int p : {0, 1, 3}) {
    SCOPED_TRACE(p);
    Dimensionne_Grille(p);
    EXPECT_EQ(miniColumn(), (Items{"h1", "r1c1", "r2c1", "r3c1"}));
  }
  EXPECT_EQ(Qvl().MGrille.textMatrix(2, 0), "r2c0");
  EXPECT_EQ(Qvl().MGrille.textMatrix(3, 2), "r3c2");
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(MiniGrid, LaterRowsShowTheRowsEndingThere) {
  // p >= R: rows p - R + 2 to p, i.e. the R - 1 = 3 rows that end at row p.
  Dimensionne_Grille(4);
  EXPECT_EQ(miniColumn(), (Items{"h1", "r2c1", "r3c1", "r4c1"}));
  Dimensionne_Grille(9);
  EXPECT_EQ(miniColumn(), (Items{"h1", "r7c1", "r8c1", "r9c1"}));
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(MiniGrid, RowPastAFullGridShowsItsLastRows) {
  // The grid's last row is 10; the cursor of a full grid stands at 11.
  Dimensionne_Grille(11);
  EXPECT_EQ(miniColumn(), (Items{"h1", "r8c1", "r9c1", "r10c1"}));
  Dimensionne_Grille(100000);
  EXPECT_EQ(miniColumn(), (Items{"h1", "r8c1", "r9c1", "r10c1"}));
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(MiniGrid, RowsTheGridLacksShowEmpty) {
  Qvl().GrilleRef.setRows(3);   // headings and rows 1, 2
  Dimensionne_Grille(0);
  EXPECT_EQ(miniColumn(), (Items{"h1", "r1c1", "r2c1", ""}));
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(MiniGrid, MissingColumnStopsWithTheGridMessage) {
  QVL& f = Qvl();
  // The mirror has one column more than the grid: the headings copy, then row 1 fails
  // at column 3.
  f.MGrille.setCols(4);
  f.MGrille.setTextMatrix(1, 0, "old");
  dialogs_->answerMsgBox(platform::vbOK);
  Dimensionne_Grille(0);
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, "alerte 107  erreur grille  1");
  EXPECT_EQ(f.MGrille.textMatrix(0, 2), "h2");
  EXPECT_EQ(f.MGrille.textMatrix(1, 2), "r1c2");   // copied before the failure
  EXPECT_EQ(f.MGrille.textMatrix(2, 1), "old");    // never reached
}

TEST_F(MiniGrid, GridWiderThanTheMirrorFailsOnTheHeadings) {
  QVL& f = Qvl();
  f.MGrille.setCols(2);
  dialogs_->answerMsgBox(platform::vbOK);
  Dimensionne_Grille(0);
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, "alerte 107  erreur grille  0");
  EXPECT_EQ(f.MGrille.textMatrix(0, 1), "h1");
  EXPECT_EQ(f.MGrille.textMatrix(1, 1), "old");
}

}  // namespace
