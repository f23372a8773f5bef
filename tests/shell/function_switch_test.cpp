// The measuring-function switch on the real main window (offscreen).
#include "shell/function_switch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_state.h"
#include "platform/control.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/flexgrid.h"
#include "reports/stat_rows.h"
#include "support/user_input.h"

namespace {

using Strings = std::vector<std::string>;
using Widths = std::vector<double>;

constexpr int kPrevious = -100;   // "the previous NbCellules" / "unchanged" in the table
const char* const kUnchanged = nullptr;

// One function of the switch: what the cell table and the grid templates give it.
struct Case {
  int code;
  int cells;        // NbCellules (kPrevious: kept)
  int copy;         // NbPoints_Copie (kPrevious: the previous NbCellules)
  int lastColumn;   // Der_Colonne (kPrevious: kept)
  const char* prompt;   // message 55 (kUnchanged: kept)
  const char* name;     // NomFonction, the end of the caption
  Strings headings;     // row 0 of GrilleRef
  Widths widths;        // column widths of the three grids (twips)
  bool polyline;
};

// Values typed in from the function table and the layout templates; the French
// default messages written out: 166 "Marquer un point", 202 " marquer ",
// 204 " les bosses externes", 205 " l'élément désiré".
const Case kCases[] = {
    {1, 1, 1, 1, "Marquer un point", "mesure Segment", {"N°", "Longueur", "img", "comment"},
     {350, 550, 200, 1500}, false},
    {2, 2, 2, 4, "Marquer un point", "mesure Spore 2D",
     {"N°", "Long.", "Larg.", "Q", "V", "img", "comment"}, {350, 550, 550, 350, 500, 220, 1500}, false},
    {3, 3, 2, 5, "Marquer un point", "mesure Spore 3D",
     {"N°", "long.", "larg.", "épais.", "Q", "L", "img", "comment"},
     {350, 550, 550, 550, 350, 350, 220, 1500}, true},
    {4, 3, 3, 3, "Marquer un point", "mesure Cystide 3",
     {"N°", "Long.", "L.base", "L.col", "img", "comment"}, {350, 550, 550, 550, 220, 1500}, false},
    {5, 7, 4, 7, "Marquer un point", "mesure Cystide 4",
     {"N°", "Long.", "Base", "M", "A", "A / M", "A / B", "B / M", "img", "comment"},
     {350, 550, 550, 550, 550, 500, 500, 500, 220, 1500}, false},
    {6, 8, 5, 8, "Marquer un point", "mesure Cystide 5",
     {"N°", "Long.", "Base", "M", "A", "L++", "A /M", "A / B", "B / M", "img", "comment"},
     {350, 550, 550, 550, 550, 550, 500, 500, 500, 220, 1500}, false},
    {10, 1, 1, 1, "marquer l'élément", "Comptage_1", {"N°", "NB1", "img", "comment"},
     {350, 550, 200, 1500}, false},
    {11, 2, 2, 2, " marquer  les bosses externes", "Comptage_2",
     {"N°", "A", "B", "A+2B", "img", "comment"}, {350, 550, 550, 550, 200, 1500}, false},
    {13, 3, 2, 3, " marquer  l'élément désiré", "Densité_Ellipse",
     {"N°", "S", "Nb", "Nb/S", "Nb/L", "img", "comment"}, {350, 750, 300, 550, 450, 200, 1500}, false},
    {14, 3, 2, 3, " marquer  l'élément désiré", "Densité_rectangle",
     {"N°", "S", "Nb", "Nb/S", "Nb/L", "img", "comment"}, {350, 750, 300, 550, 450, 200, 1500}, false},
    {15, 2, 1, 2, kUnchanged, "Triangle", {"N°", "Surf", "peri.", "angle", "img", "comment"},
     {350, 750, 550, 500, 500, 1450}, false},
    // Open polygon (Courbe_Fermee false): the name is the surface menu's caption.
    {16, 2, 1, 2, kUnchanged, "Polygone ouvert abandonné",
     {"N°", "Surf", "peri.", "Rm", "F", "img", "comment"}, {350, 750, 600, 500, 500, 500, 1450}, false},
    {20, 6, kPrevious, 6, " marquer la zone couleur à mesurer", "tintavel",
     {"N°", "R", "V", "B", "L", "a", "b", "zone", "S", "comment"},
     {350, 500, 500, 500, 500, 500, 500, 350, 250, 1500}, false},
    // The gill count keeps the cells of the function before it; its values are columns 1, 2.
    {22, kPrevious, kPrevious, 2, kUnchanged, "Comptage_Lames",
     {"N°", "Nb Lames", "%", "", "img", "comment"}, {350, 750, 550, 50, 500, 1450}, false},
};

std::string caption(const std::string& user, const std::string& function) {
  return "Quorvale 2.0" + std::to_string(kRevisionProgramme) + "  /  " + user + " : " + function;
}

class FunctionSwitch : public ::testing::Test {
 protected:
  void SetUp() override {
    // The first showing runs the start-up chain, which may ask questions.
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    s_.function = FonctionCourante;
    s_.cells = NbCellules;
    s_.copy = NbPoints_Copie;
    s_.last = Der_Colonne;
    s_.line = LigneCourante;
    s_.lineRef = Ligne_Ref;
    s_.step = EtapeClic;
    s_.counter = Compteur_Lignes;
    s_.size = Taille_Grille;
    s_.user = Nom_Utilisateur;
    s_.closed = Courbe_Fermee;
    s_.poly = Trace_Poly;
    s_.prompt = MSG(55);
    s_.caption = f.caption();
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    platform::setErrorReporter([this](const std::string& where, const std::string& what) {
      errors_.push_back(where + ": " + what);
    });
    Messages_Defaut();
    Modeles_Grille();
    Taille_Grille = 3000;
    Nom_Utilisateur = "Marie";
    Courbe_Fermee = false;
  }
  void TearDown() override {
    platform::setErrorReporter(nullptr);
    platform::setDialogs(nullptr);
    QVL& f = Qvl();
    Messages_Defaut();
    Modeles_Grille();
    Taille_Grille = s_.size;
    Nom_Utilisateur = s_.user;
    Courbe_Fermee = s_.closed;
    f.GrilleRef.setRows(1);
    NbCellules = s_.cells;
    Choix_Fonction_Mesure(s_.function);
    NbCellules = s_.cells;
    NbPoints_Copie = s_.copy;
    Der_Colonne = s_.last;
    LigneCourante = s_.line;
    Ligne_Ref = s_.lineRef;
    EtapeClic = s_.step;
    Compteur_Lignes = s_.counter;
    Trace_Poly = s_.poly;
    MSG.set(55, s_.prompt);
    f.setCaption(s_.caption);
  }

  // The state a switch must overwrite (or keep, for codes without an entry).
  static void spoil() {
    QVL& f = Qvl();
    NbCellules = 9;
    NbPoints_Copie = -5;
    Der_Colonne = 9;
    MSG.set(55, "avant");
    Trace_Poly = true;
    f.PopOrg(1).setVisible(true);
    LigneCourante = 7;
    Ligne_Ref = 7;
    EtapeClic = 3;
    Compteur_Lignes = 4;
    f.GrilleRef.setRows(10);
    f.MGrille.setRows(9);
    f.GrilleRefP.setCols(11);
    for (int c = 0; c < 11; ++c) f.GrilleRefP.setTextMatrix(0, c, "x");
  }

  static Strings row0(const platform::FlexGrid& g) {
    Strings h;
    for (int c = 0; c < g.cols(); ++c) h.push_back(g.textMatrix(0, c));
    return h;
  }
  static Widths widths(const platform::FlexGrid& g) {
    Widths w;
    for (int c = 0; c < g.cols(); ++c) w.push_back(g.colWidth(c));
    return w;
  }
  // Puts one measurement in row 1 of the grid.
  static void measureOneRow() {
    Qvl().GrilleRef.setTextMatrix(1, 1, "12.5");
    TabMesures(1).NumImage = 1;
    LigneCourante = 2;
  }

  // What was asked, less the colour zone's notice of a standard it could not open
  // (every switch-on without one says so).
  std::vector<platform::ScriptedDialogs::Asked> asked() const {
    std::vector<platform::ScriptedDialogs::Asked> a;
    for (const auto& q : dialogs_->log())
      if (q.text != "fichier étalon non chargé ") a.push_back(q);
    return a;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
  Strings errors_;

 private:
  struct {
    int function = 0, cells = 0, copy = 0, last = 0, line = 1, lineRef = 1, step = 1, counter = 0,
        size = 3000;
    std::string user, prompt, caption;
    bool closed = false, poly = false;
  } s_;
};

TEST_F(FunctionSwitch, EveryFunctionCode) {
  QVL& f = Qvl();
  for (const Case& k : kCases) {
    SCOPED_TRACE(k.code);
    spoil();
    FonctionCourante = k.code;
    ASSERT_TRUE(Choix_Fonction_Mesure());

    EXPECT_EQ(NbCellules, k.cells == kPrevious ? 9 : k.cells);
    EXPECT_EQ(NbPoints_Copie, k.copy == kPrevious ? 9 : k.copy);
    EXPECT_EQ(Der_Colonne, k.lastColumn == kPrevious ? 9 : k.lastColumn);
    EXPECT_EQ(MSG(55), k.prompt ? k.prompt : "avant");
    EXPECT_EQ(Trace_Poly, k.polyline);
    EXPECT_EQ(f.PopOrg(1).visible(), k.polyline);
    EXPECT_EQ(NomFonction, k.name);
    EXPECT_EQ(f.caption(), caption("Marie", k.name));

    // The cursor and counters start again.
    EXPECT_EQ(LigneCourante, 1);
    EXPECT_EQ(Ligne_Ref, 1);
    EXPECT_EQ(EtapeClic, 1);
    EXPECT_EQ(Compteur_Lignes, 0);

    // Layout: headings and widths of the template; 3000 rows after the headings.
    EXPECT_EQ(row0(f.GrilleRef), k.headings);
    EXPECT_EQ(widths(f.GrilleRef), k.widths);
    EXPECT_EQ(widths(f.GrilleRefP), k.widths);
    EXPECT_EQ(widths(f.MGrille), k.widths);
    EXPECT_EQ(row0(f.MGrille), k.headings);
    EXPECT_EQ(f.GrilleRef.rows(), 3001);
    EXPECT_EQ(f.MGrille.rows(), 4);
    EXPECT_EQ(f.GrilleRefP.rows(), 13);
    for (int c = 0; c < f.GrilleRef.cols(); ++c) EXPECT_EQ(f.GrilleRef.fixedAlignment(c), 2) << c;

    // The statistics grid repeats the headings but for the image and comment columns.
    const int n = static_cast<int>(k.headings.size());
    ASSERT_EQ(f.GrilleRefP.cols(), n);
    for (int c = 0; c <= n - 3; ++c) EXPECT_EQ(f.GrilleRefP.textMatrix(0, c), k.headings[c]) << c;
    EXPECT_EQ(f.GrilleRefP.textMatrix(0, n - 2), "x");
    EXPECT_EQ(f.GrilleRefP.textMatrix(0, n - 1), "x");
  }
  // No function asks or reports anything (cystidia 5 drops its extra headings silently).
  EXPECT_TRUE(asked().empty());
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FunctionSwitch, CodeWithoutEntryKeepsThePreviousCounts) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(5));
  ASSERT_TRUE(Choix_Fonction_Mesure(22));
  EXPECT_EQ(NbCellules, 7);
  EXPECT_EQ(Der_Colonne, 2);
  EXPECT_EQ(NbPoints_Copie, 7);
  EXPECT_EQ(f.GrilleRef.cols(), 6);
  // Code 7 has neither a table entry nor a template: only the caption is written again.
  ASSERT_TRUE(Choix_Fonction_Mesure(1));
  ASSERT_TRUE(Choix_Fonction_Mesure(7));
  EXPECT_EQ(NbCellules, 1);
  EXPECT_EQ(Der_Colonne, 1);
  EXPECT_EQ(f.GrilleRef.cols(), 4);
  EXPECT_EQ(f.caption(), caption("Marie", "mesure Segment"));
  EXPECT_EQ(MSG(55), "Marquer un point");
}

TEST_F(FunctionSwitch, LeavingTheThreeDimensionalSpores) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(3));
  EXPECT_TRUE(Trace_Poly);
  EXPECT_TRUE(f.PopOrg(1).visible());
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  EXPECT_FALSE(Trace_Poly);
  EXPECT_FALSE(f.PopOrg(1).visible());
  // NbPoints_Copie is the table's value, not the previous count.
  EXPECT_EQ(NbPoints_Copie, 2);
}

TEST_F(FunctionSwitch, ColourZoneKeepsThePreviousCountForCopies) {
  ASSERT_TRUE(Choix_Fonction_Mesure(5));
  ASSERT_TRUE(Choix_Fonction_Mesure(20));
  EXPECT_EQ(NbPoints_Copie, 7);
  EXPECT_EQ(NbCellules, 6);
}

TEST_F(FunctionSwitch, EmptyUserName) {
  Nom_Utilisateur.clear();
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  EXPECT_EQ(Qvl().caption(), "Quorvale 2.0" + std::to_string(kRevisionProgramme) + "  /   : mesure Spore 2D");
}

TEST_F(FunctionSwitch, CaptionFollowsTheLanguage) {
  MSG.set(147, "Spores 2D$7$L$W$Q$V$img$comment$");
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  EXPECT_EQ(Qvl().caption(), caption("Marie", "Spores 2D"));
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(0, 2), "W");
}

TEST_F(FunctionSwitch, GridRowsFollowTheGridSizeWithinTheTable) {
  QVL& f = Qvl();
  // Taille_Grille rows after the heading row, kept within 1 to 3000.
  const std::pair<int, int> cases[] = {{3000, 3001}, {63, 64}, {1, 2}, {4095, 3001}, {0, 2}, {-8, 2}};
  for (const auto& [size, rows] : cases) {
    SCOPED_TRACE(size);
    Taille_Grille = size;
    f.GrilleRef.setRows(5);
    ASSERT_TRUE(Choix_Fonction_Mesure(2));
    EXPECT_EQ(f.GrilleRef.rows(), rows);
    EXPECT_EQ(f.MGrille.rows(), 4);
  }
}

TEST_F(FunctionSwitch, CodeOutsideTheTemplatesIsReported) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  const std::string before = f.caption();
  LigneCourante = 5;
  EXPECT_FALSE(Choix_Fonction_Mesure(40));
  EXPECT_EQ(errors_.size(), 1u);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(NbCellules, 2);
  EXPECT_EQ(f.caption(), before);
}

TEST_F(FunctionSwitch, MenuAsksOnlyWhenTheGridHoldsAMeasurement) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  user::click(f.MnuFonc(1));
  EXPECT_EQ(FonctionCourante, 1);
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_EQ(f.caption(), caption("Marie", "mesure Segment"));
}

TEST_F(FunctionSwitch, MenuAnswerNoChangesNothing) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  measureOneRow();
  dialogs_->answerMsgBox(platform::vbNo);
  user::click(f.MnuFonc(3));
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, " effacer  la grille  ?");
  EXPECT_EQ(dialogs_->log()[0].style & 7, platform::vbYesNo);
  EXPECT_EQ(FonctionCourante, 2);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 1), "12.5");
}

TEST_F(FunctionSwitch, MenuAnswerYesClearsTheGridAndSwitches) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  measureOneRow();
  dialogs_->answerMsgBox(platform::vbYes);
  user::click(f.MnuFonc(3));
  EXPECT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(FonctionCourante, 3);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 1), "");
  EXPECT_EQ(TabMesures(1).NumImage, 0);
  EXPECT_EQ(f.GrilleRef.textMatrix(0, 3), "épais.");
  EXPECT_EQ(f.GrilleRef.rows(), 3001);
}

// The statistics of spores in two dimensions (four value columns) do not outlive a
// change to the segment function (one value column): every cell of rows 1 to 12 past
// its value column is empty, but for the rows of minima and maxima of the last column.
TEST_F(FunctionSwitch, ChangeLeavesNoStatisticsOfTheOldLayout) {
  QVL& f = Qvl();
  const int stat = f.Check(3).value();
  f.Check(3).setValue(1);
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  const char* const rows[3][5] = {{"12.50", "6.20", "2.02", "251.6", "1"},
                                  {"11.00", "5.90", "1.86", "200.5", "1"},
                                  {"13.10", "6.60", "1.98", "298.8", "1"}};
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 5; ++c) f.GrilleRef.setTextMatrix(r, c, rows[r - 1][c - 1]);
  LigneCourante = 4;
  Calcul_stat();
  Entetes_Stat();
  platform::FlexGrid& p = f.GrilleRefP;
  ASSERT_EQ(p.textMatrix(1, 2), "6.23");   // the old layout's widths are there
  ASSERT_NE(p.textMatrix(8, 3), "");
  PGr_Etat = true;
  dialogs_->answerMsgBox(platform::vbYes);
  user::click(f.MnuFonc(1));
  ASSERT_EQ(FonctionCourante, 1);
  EXPECT_FALSE(PGr_Etat);
  ASSERT_EQ(p.cols(), 4);
  ASSERT_EQ(p.rows(), 13);
  for (int r = 1; r <= 12; ++r)
    for (int c = Der_Colonne + 1; c < p.cols(); ++c) {
      if ((r == 2 || r == 3) && c == p.cols() - 1) continue;
      EXPECT_EQ(p.textMatrix(r, c), "") << "row " << r << " column " << c;
    }
  EXPECT_EQ(p.textMatrix(1, 0), "Moy");
  EXPECT_EQ(p.textMatrix(8, 0), "N=");
  f.Check(3).setValue(stat);
}

TEST_F(FunctionSwitch, MenuItemOfTheCurrentFunctionDoesNothing) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  measureOneRow();
  user::click(f.MnuFonc(2));
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 1), "12.5");
}

TEST_F(FunctionSwitch, CystidiaMenuChoosesFourToSix) {
  QVL& f = Qvl();
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  for (int item = 1; item <= 3; ++item) {
    SCOPED_TRACE(item);
    user::click(f.Cyst(item));
    EXPECT_EQ(FonctionCourante, item + 3);
  }
  EXPECT_EQ(f.GrilleRef.cols(), 11);
  EXPECT_TRUE(dialogs_->log().empty());
  // With a measurement in the grid it asks first, even for the current function.
  measureOneRow();
  dialogs_->answerMsgBox(platform::vbNo);
  user::click(f.Cyst(3));
  EXPECT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(LigneCourante, 2);
  dialogs_->answerMsgBox(platform::vbYes);
  user::click(f.Cyst(1));
  EXPECT_EQ(FonctionCourante, 4);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(f.GrilleRef.cols(), 6);
}

}  // namespace
