// Spreadsheet tables pasted into the grid: the cell reader and the tables without a
// window, then both pastes in the real window, and the copy buttons.
#include "measure/measure_state.h"
#include "platform/clipboard.h"
#include "statwindow/spreadsheet_paste.h"
#include "statwindow/stat_window_fixture.h"
#include "support/user_input.h"

namespace {

TEST(SpreadsheetPaste, CellsReadEitherMarkWhateverTheSystem) {
  for (char sep : {',', '.'}) {
    platform::SetDecimalSeparator(sep);
    const struct {
      const char* texte;
      bool bon;
      std::optional<double> v;
    } cas[] = {{"1.5", true, 1.5},  {"1,5", true, 1.5},   {" 12 ", true, 12}, {"", true, std::nullopt},
               {"  ", true, std::nullopt}, {"-2.5e1", true, -25}, {"abc", false, std::nullopt},
               {"1.5x", false, std::nullopt}, {"1,234.5", false, std::nullopt}};
    for (const auto& c : cas) {
      std::optional<double> v = 7.0;
      EXPECT_EQ(Lit_Cellule_Tableur(c.texte, &v), c.bon) << c.texte;
      EXPECT_EQ(v, c.v) << c.texte;
    }
  }
  platform::SetDecimalSeparator(0);
}

TEST(SpreadsheetPaste, WholeLinesOnly) {
  EXPECT_EQ(Lignes_Entieres("a\tb\r\nc\r\n"), (std::vector<std::string>{"a\tb", "c"}));
  EXPECT_EQ(Lignes_Entieres("a\nb\rc"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(Lignes_Entieres("4\t5\t6").empty());
}

TEST(SpreadsheetPaste, TablesAndTheirErrors) {
  LectureTableau h = Lit_Tableau_H("4\t5\t6\t7\r\n1.5\t\t2.5\r\n", 3000);
  ASSERT_TRUE(h.tableau);
  EXPECT_EQ(h.tableau->lignes, 4);
  ASSERT_EQ(h.tableau->series.size(), 2u);
  EXPECT_EQ(h.tableau->series[1], (std::vector<std::optional<double>>{1.5, std::nullopt, 2.5}));
  EXPECT_EQ(Lit_Tableau_H("1\t2\t3\r\n", 2).erreur, "2 mesures au maximum  (ajuster dans options)");
  EXPECT_EQ(Lit_Tableau_H("1\tabc\r\n", 3000).erreur, NMST(1) + NMST(2));
  const LectureTableau sept = Lit_Tableau_H("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n", 3000);
  EXPECT_TRUE(sept.avertissement6);
  EXPECT_EQ(sept.tableau->series.size(), 6u);
  EXPECT_FALSE(Lit_Tableau_H("1\t2", 3000).tableau);

  LectureTableau v = Lit_Tableau_V("1\t2\t3\n4\t5\t6\n", 3000);
  ASSERT_TRUE(v.tableau);
  EXPECT_EQ(v.tableau->lignes, 2);
  EXPECT_EQ(v.tableau->series[2], (std::vector<std::optional<double>>{3, 6}));
  EXPECT_EQ(Lit_Tableau_V("Long\tLarg\r\n1\t2\r\n", 3000).erreur, "0 erreur ligne ");
  EXPECT_EQ(Lit_Tableau_V("1\t2\r\n3\t4\r\n5\r\n", 3000).erreur, "2 erreur ligne ");
  EXPECT_EQ(Lit_Tableau_V("1\r\n2\r\n3\r\n", 2).erreur, "2 mesures au maximum (ajuster dans options)");
  EXPECT_TRUE(Lit_Tableau_V("1\t2\t3\t4\t5\t6\t7\r\n", 3000).avertissement6);
  EXPECT_EQ(Lit_Tableau_V("1\t2\t3\t4\t5\t6\t7\r\n", 3000).tableau->series.size(), 6u);
}

// --- in the window ------------------------------------------------------------------

class PasteWindow : public StatWindowTest {
 protected:
  void TearDown() override {
    platform::Clipboard::clear();
    StatWindowTest::TearDown();
  }
};

TEST_F(PasteWindow, ColumnsAreSeriesInBothGrids) {
  grid(2, kTroisSpores);
  Liste_Extrait = "1;2;";
  TabMesures(2).Seg(1) = Segment{1, 2, 3, 4};
  const int fonction = FonctionCourante;
  platform::Clipboard::setText("2.718281828\t12,3456789\r\n1.5\t2\r\n");
  dialogs_->answerMsgBox(platform::vbYes);
  whileOpen(openWithButton, [&](FenHisto& f) {
    user::click(f.Mnstat(2));
    EXPECT_FALSE(f.Command2(1).visible());
    ASSERT_TRUE(user::click(f.MOption1(2)));
    EXPECT_TRUE(f.Command2(1).visible());
    user::click(f.Command2(1));
    QVL& q = Qvl();
    for (platform::FlexGrid* g : {&q.GrilleRef, &q.GrilleRefP, &q.MGrille}) EXPECT_EQ(g->cols(), 5);
    const std::vector<std::string> r1 = {"1", "2,718282", "12,34568", "", ""}, r2 = {"2", "1,5", "2", "", ""};
    for (int c = 0; c < 5; ++c) {
      EXPECT_EQ(q.GrilleRef.textMatrix(1, c), r1[c]) << c;
      EXPECT_EQ(q.GrilleRef.textMatrix(2, c), r2[c]) << c;
    }
    EXPECT_EQ(q.GrilleRef.textMatrix(3, 1), "");
    for (platform::FlexGrid* g : {&q.GrilleRef, &q.GrilleRefP}) {
      EXPECT_EQ(g->textMatrix(0, 1), "A");
      EXPECT_EQ(g->textMatrix(0, 2), "B");
      EXPECT_EQ(g->textMatrix(0, 3), "");
    }
    EXPECT_EQ(q.GrilleRef.textMatrix(0, 4), "");
    EXPECT_EQ(LigneCourante, 3);
    EXPECT_EQ(FonctionCourante, fonction);
    EXPECT_EQ(Liste_Extrait, "");
    EXPECT_FALSE(f.Mnstat6(1).enabled());
    EXPECT_FALSE(f.MOption1(3).enabled());
    EXPECT_TRUE(f.MOption1(0).value());
    EXPECT_FALSE(f.Command2(1).visible());
    EXPECT_EQ(TabMesures(2).Seg(1).X2, 0);   // no old segment left for a pasted row
    EXPECT_EQ(f.List1.listCount(), 2);
  });
}

TEST_F(PasteWindow, LinesAreSeriesAndTheFunctionBecomesNone) {
  grid(2, kTroisSpores);
  platform::Clipboard::setText("4\t5\t6\t7\r\n1.5\t2.5\r\n");
  dialogs_->answerMsgBox(platform::vbYes);
  whileOpen(openWithButton, [&](FenHisto& f) {
    // The paste buttons show with the typed-text source of the diagram panel.
    ASSERT_TRUE(user::click(f.Mnstat(2)));
    ASSERT_TRUE(user::click(f.MOption1(2)));
    ASSERT_TRUE(user::click(f.Command2(0)));
    QVL& q = Qvl();
    EXPECT_EQ(LigneCourante, 5);
    EXPECT_EQ(FonctionCourante, 0);
    EXPECT_EQ(q.GrilleRef.textMatrix(4, 1), "7");
    EXPECT_EQ(q.GrilleRef.textMatrix(2, 2), "2,5");
    EXPECT_EQ(q.GrilleRef.textMatrix(3, 2), "");
    EXPECT_EQ(q.GrilleRef.cols(), 5);
    EXPECT_EQ(f.ChkH(0).caption(), "A");
    EXPECT_EQ(f.ChkH(1).caption(), "B");
    EXPECT_EQ(f.List1.listCount(), 2);
  });
}

TEST_F(PasteWindow, NoBadCellOrNoWholeLineChangesNothing) {
  grid(2, kTroisSpores);
  Liste_Extrait = "1;";
  TabMesures(1).Seg(1) = Segment{1, 2, 3, 4};
  const int fonction = FonctionCourante;
  dialogs_->answerMsgBox(platform::vbNo);
  dialogs_->answerMsgBox(platform::vbOK);
  whileOpen(openWithButton, [&](FenHisto& f) {
    QVL& q = Qvl();
    platform::Clipboard::setText("4\t5\r\n");
    ASSERT_TRUE(user::click(f.Mnstat(2)));
    ASSERT_TRUE(user::click(f.MOption1(2)));
    user::click(f.Command2(0));   // No to the clear question
    platform::Clipboard::setText("1\tabc\r\n");
    user::click(f.Command2(1));
    platform::Clipboard::setText("4\t5");
    user::click(f.Command2(0));
    EXPECT_EQ(q.GrilleRef.textMatrix(1, 1), "10,2");
    EXPECT_EQ(q.GrilleRef.textMatrix(0, 1), "Long.");
    EXPECT_EQ(LigneCourante, 4);
    EXPECT_EQ(FonctionCourante, fonction);
    EXPECT_EQ(TabMesures(1).Seg(1).X2, 3);
    EXPECT_EQ(Liste_Extrait, "1;");
  });
  std::vector<std::string> attendu = {"msgBox: " + MSG(190) + " " + MSG(188) + " ? ", "msgBox: 0 erreur ligne "};
  EXPECT_EQ(dialogLog(), attendu);
}

TEST_F(PasteWindow, CopyButtonsPutResultLinesOnTheClipboard) {
  grid(2, kTroisSpores);
  whileOpen(openWithButton, [&](FenHisto& f) {
    // Each panel opened from its menu, its result line then set.
    ASSERT_TRUE(user::click(f.Mnstat4(2)));
    f.StLabel3(2).setCaption(" risque = 0,05");
    ASSERT_TRUE(user::click(f.Tblcopie(6)));
    EXPECT_EQ(platform::Clipboard::getText(), " risque = 0,05\r\n");
    ASSERT_TRUE(user::click(f.Mnstat3(1)));
    f.CLabel6(3).setCaption("a");
    f.CLabel6(4).setCaption("b");
    ASSERT_TRUE(user::click(f.Tblcopie(4)));
    EXPECT_EQ(platform::Clipboard::getText(), "a\r\nb\r\n");
    dialogs_->answerMsgBox(platform::vbOK);   // three rows are too few for the test
    ASSERT_TRUE(user::click(f.Mnstat3(3)));
    f.Tlabel1(3).setCaption("W = 0,9");
    ASSERT_TRUE(user::click(f.TCopie(3)));
    EXPECT_EQ(platform::Clipboard::getText(), "W = 0,9");
  });
}

}  // namespace
