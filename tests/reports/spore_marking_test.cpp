// The optimal spore marked on the main window's grid: each option through the menus,
// the mark following a new spore measured through the row writer, and the other
// functions refused.
#include "reports/spore_marking.h"

#include <gtest/gtest.h>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "measure/measure_window.h"
#include "measure/row_writers.h"
#include "shell/function_switch.h"
#include "support/user_input.h"

namespace {

constexpr platform::Colour kMarque = 0x808000;

class SporeMarking : public measure_window::MeasureWindow {
 protected:
  void SetUp() override {
    MeasureWindow::SetUp();
    nspo1_Click(0);
  }
  void TearDown() override {
    FonctionCourante = 2;
    nspo1_Click(0);
    MeasureWindow::TearDown();
  }
  // One spore of two dimensions measured through the row writer (lengths in 1/100).
  void spore(int longueur, int largeur) {
    NbSegments_Calib = longueur;
    Inscrit_Mesure_Rapports();
    NbSegments_Calib = largeur;
    Inscrit_Mesure_Rapports();
  }
  void septSpores() {
    startFunction(2);
    QVL& f = Qvl();
    f.Check(3).setValue(1);
    f.Frame(6).setVisible(true);
    const int spores[][2] = {{1200, 580}, {810, 580}, {1140, 740}, {1020, 570},
                             {1260, 510}, {1120, 680}, {1000, 620}};
    for (const auto& s : spores) spore(s[0], s[1]);
    ASSERT_EQ(LigneCourante, 8);
    ASSERT_EQ(f.GrilleRefP.textMatrix(1, 1), "10.79");
    ASSERT_EQ(f.GrilleRefP.textMatrix(4, 2), "0.71");
  }
  // The marked rows of the grid; every other row is pale green.
  static std::vector<int> marked() {
    const platform::FlexGrid& g = Qvl().GrilleRef;
    std::vector<int> rows;
    for (int r = 1; r < LigneCourante; ++r) {
      const platform::Colour c = g.cellBackColor(r, 0);
      if (c == kMarque) rows.push_back(r);
      else EXPECT_EQ(c, kVertGrille) << r;
    }
    return rows;
  }
};

TEST_F(SporeMarking, EachOptionMarksItsRowAndNonUnmarks) {
  septSpores();
  QVL& f = Qvl();
  const int attendus[] = {0, 4, 6, 7, 1, 6, 1};
  for (int option = 1; option <= 6; ++option) {
    user::click(f.nspo1(option));
    EXPECT_EQ(marked(), std::vector<int>{attendus[option]}) << option;
    EXPECT_EQ(Option_Spore_Optimale(), option);
    EXPECT_EQ(f.GrilleRef.row(), attendus[option]);
    for (int i = 0; i <= 6; ++i) EXPECT_EQ(f.nspoItems(i).checked(), i == option) << option << " " << i;
  }
  user::click(f.nspo1(0));
  EXPECT_TRUE(marked().empty());
  // The pop-up menu shares the option; the test button runs item 2.
  f.nspoItems(3).click();   // the pop-up's item, as the pop-up fires it
  EXPECT_TRUE(f.nspo1(3).checked());
  EXPECT_EQ(marked(), std::vector<int>{7});
  user::click(f.cmdFlash);
  EXPECT_TRUE(f.nspo1(2).checked());
  EXPECT_EQ(marked(), std::vector<int>{6});
  // The dominant values need five values: with seven, c 1 marks a row.
  user::click(f.nspo1(7));
  EXPECT_EQ(marked().size(), 1u);
}

// "Param. recherche > Spore optimale" is a submenu of every optimal-spore option; the
// one chosen there is ticked in every menu and marks its row, and an option chosen in
// the tools menu is ticked there too.
TEST_F(SporeMarking, SearchParametersItemHoldsTheOptions) {
  septSpores();
  QVL& f = Qvl();
  const std::vector<platform::MenuItem*> options = f.spo(2).items();
  std::vector<std::string> captions;
  for (const platform::MenuItem* m : options) captions.push_back(m->caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"Non", "a 1 / Moyene", "a 2", "a 3", "b 1/ médiane", "b 2", "b 3",
                                                "c 1 / Dominante", "c 2", "c 3", "d / Longueur dominante",
                                                "e / Largeur dominante"}));
  ASSERT_EQ(options.size(), 12u);
  ASSERT_TRUE(user::choose(*options[2]));
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_TRUE(f.nspo1(2).checked());
  EXPECT_TRUE(f.nspoItems(2).checked());
  EXPECT_EQ(marked(), std::vector<int>{6});
  user::click(f.nspo1(7));
  for (std::size_t i = 0; i < options.size(); ++i) EXPECT_EQ(options[i]->checked(), i == 7) << i;
}

TEST_F(SporeMarking, TheMarkFollowsANewSpore) {
  septSpores();
  QVL& f = Qvl();
  user::click(f.nspo1(1));
  EXPECT_EQ(marked(), std::vector<int>{4});
  spore(1090, 610);
  EXPECT_EQ(LigneCourante, 9);
  EXPECT_EQ(marked(), std::vector<int>{8});
  // Half a spore: no refresh while the measurement is pending; "MAJ" says so.
  NbSegments_Calib = 1500;
  Inscrit_Mesure_Rapports();
  EXPECT_EQ(marked(), std::vector<int>{8});
  user::click(f.OutlPItems(1));
  EXPECT_EQ(f.lblLabelflashx.caption(), MSG(178));
  EXPECT_EQ(marked(), std::vector<int>{8});
}

TEST_F(SporeMarking, ARowWithoutANumberIsNoCandidate) {
  septSpores();
  QVL& f = Qvl();
  f.GrilleRef.setTextMatrix(4, 2, "x");
  user::click(f.nspo1(1));
  EXPECT_EQ(marked(), std::vector<int>{7});
}

TEST_F(SporeMarking, OtherFunctionsAreRefused) {
  startFunction(1);
  QVL& f = Qvl();
  spore(1200, 1100);
  user::click(f.nspo1(1));
  EXPECT_EQ(f.lblLabelflashx.caption(), "Fonction 2D seulement");
  EXPECT_TRUE(f.nspo1(0).checked());
  EXPECT_FALSE(f.nspo1(1).checked());
  EXPECT_EQ(f.GrilleRef.cellBackColor(1, 0), f.GrilleRef.cellBackColor(2, 0));
  EXPECT_NE(f.GrilleRef.cellBackColor(1, 0), kMarque);
}

}  // namespace
