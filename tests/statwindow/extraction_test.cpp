// Choosing rows on the scatter plot: the shapes and the split without a window, then
// the rectangle, the circle and the split in the real window.
#include <cmath>

#include "statwindow/extract_selection.h"
#include "statwindow/extraction.h"
#include "statwindow/auto_split.h"
#include "statwindow/stat_state.h"
#include "statwindow/stat_window_fixture.h"
#include "statwindow/table_grid.h"
#include "stats/homogeneity.h"
#include "stats/notices.h"
#include "support/user_input.h"

namespace {

// X 1 3 5 7 4, Y 2 6 4 8 5: 125 picture units per unit on both axes.
const ScatterMap kRepere{1, 2, 125, 125};

std::vector<ExtractPoint> points(const std::vector<double>& x, const std::vector<double>& y) {
  std::vector<ExtractPoint> p;
  for (size_t i = 0; i < x.size(); ++i) p.push_back({static_cast<int>(i) + 1, x[i], y[i]});
  return p;
}

TEST(ExtractSelection, PointsNeedBothCellsAndStopAtTheLastRow) {
  const TableGrid g({{"1", "", "3", "4,5", "abc"}, {"2", "6", " ", "8", "1"}});
  const auto p = Points_Extraction(g, 1, 2, 5);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].row, 1);
  EXPECT_EQ(p[1].row, 4);
  EXPECT_DOUBLE_EQ(p[1].x, 4.5);
  EXPECT_EQ(p[2].row, 5);   // a text that is no number reads 0
  EXPECT_DOUBLE_EQ(p[2].x, 0);
  EXPECT_EQ(Points_Extraction(g, 1, 2, 3).size(), 1u);
  EXPECT_EQ(Points_Extraction(g, 1, 2, 99).size(), 3u);
}

TEST(ExtractSelection, RectangleBoundsIncludeTheBorder) {
  const FormeTracee f{kRectangle, 450, 450, 600, 650, 1};
  const BornesRectangle b = Bornes_Rectangle(f, kRepere);
  EXPECT_FLOAT_EQ(b.xlo, 2.2f);
  EXPECT_FLOAT_EQ(b.xhi, 4.6f);
  EXPECT_FLOAT_EQ(b.ylo, 2.8f);
  EXPECT_FLOAT_EQ(b.yhi, 6.0f);
  const auto choisis = Selection_Forme(points({1, 3, 5, 7, 4}, {2, 6, 4, 8, 5}), f, kRepere);
  EXPECT_EQ(Liste_Lignes(choisis), "2;5;");
  // A release on the press point still takes a point lying exactly there.
  const FormeTracee zero{kRectangle, 400, 650, 400, 650, 1};
  EXPECT_TRUE(Dans_Forme(zero, kRepere, 3, 6));
  EXPECT_FALSE(Dans_Forme(zero, kRepere, 3.01, 6));
}

TEST(ExtractSelection, CircleWeighsTheVerticalAndExcludesItsEdge) {
  const ScatterMap unite{0, 0, 1, 1};
  // Press (500, 500), release (600, 500): R = 100 whatever the weight.
  const struct {
    double poids, px, py;
    bool dedans;
  } cas[] = {{0.5, 500, 640, true},    // 0.5 * 140^2 = 9800 < 10000
             {0.5, 600, 501, false},   // 10000 + 0.5 > 10000
             {0.5, 600, 500, false},   // exactly R
             {1, 500, 599.9, true},    {1, 500, 600.1, false},
             {0.43, 500, 500 + 100 / std::sqrt(0.43) - 0.1, true},
             {0.43, 500, 500 + 100 / std::sqrt(0.43) + 0.1, false}};
  for (const auto& c : cas) {
    const FormeTracee f{kCercle, 500 - 150, 500 - 150, 600 - 150, 500 - 150, c.poids};
    EXPECT_DOUBLE_EQ(Rayon_Cercle(f), 100);
    EXPECT_EQ(Dans_Forme(f, unite, c.px - 300, c.py - 300), c.dedans) << c.poids << " " << c.px << " " << c.py;
  }
}

TEST(ExtractSelection, EllipseAlongTheDrawnAxis) {
  const ScatterMap unite{0, 0, 1, 1};
  // Centre (500, 500), release (800, 800): d = 424.26 along 45 degrees, 100 across.
  const FormeTracee f{kEllipse, 500, 500, 800, 800, 1};
  const EllipseExtraction e = Ellipse_Extraction(f);
  EXPECT_NEAR(e.d, 424.264, 1e-3);
  EXPECT_NEAR(e.theta, std::atan(1.0), 1e-12);
  const auto v = [&](double x, double y) { return Dans_Forme(f, unite, x - 150, y - 150); };
  EXPECT_TRUE(v(750, 750));     // along the axis
  EXPECT_TRUE(v(250, 250));     // the other way
  EXPECT_FALSE(v(820, 820));    // past its end
  EXPECT_TRUE(v(560, 440));     // 84.9 across
  EXPECT_FALSE(v(580, 420));    // 113 across
  EXPECT_FALSE(v(800, 500));    // on the side, well outside
  // A vertical segment gives the angle 0: the long axis lies across.
  const FormeTracee haut{kEllipse, 500, 500, 500, 700, 1};
  EXPECT_EQ(Ellipse_Extraction(haut).theta, 0);
  EXPECT_TRUE(Dans_Forme(haut, unite, 650 - 150, 500 - 150));
  EXPECT_FALSE(Dans_Forme(haut, unite, 500 - 150, 650 - 150));
  // A release on the press point chooses nothing.
  EXPECT_FALSE(Dans_Forme(FormeTracee{kEllipse, 500, 500, 500, 500, 1}, unite, 350, 350));
}

TEST(ExtractSelection, CutPointOfTheXValues) {
  const auto p = points({2.1, 2.4, 2.2, 2.6, 5.3, 5.9, 5.5}, {1, 1, 1, 1, 1, 1, 1});
  ASSERT_TRUE(Point_Coupure(p).has_value());
  EXPECT_DOUBLE_EQ(*Point_Coupure(p), 3.95);
  std::vector<double> tri = {2.1, 2.2, 2.4, 2.6, 5.3, 5.5, 5.9};
  const auto c = stats::Meilleure_Coupure(tri);
  EXPECT_EQ(c->k, 4);
  EXPECT_NEAR(c->criterion, 114.5858, 1e-4);
  EXPECT_EQ(Liste_Lignes(Selection_Coupure(p, 3.95, true)), "1;2;3;4;");
  EXPECT_EQ(Liste_Lignes(Selection_Coupure(p, 3.95, false)), "5;6;7;");
  // A value equal to X0 goes to both groups.
  EXPECT_EQ(Liste_Lignes(Selection_Coupure(p, 2.6, true)), "1;2;3;4;");
  EXPECT_EQ(Liste_Lignes(Selection_Coupure(p, 2.6, false)), "4;5;6;7;");
  // 1 2 3 10 11 12: k = 3, X0 = 6.5.
  EXPECT_DOUBLE_EQ(*Point_Coupure(points({12, 1, 11, 2, 10, 3}, {1, 1, 1, 1, 1, 1})), 6.5);
  // Four values are the fewest; all zero keeps k = 1 and the cut 0.
  EXPECT_FALSE(Point_Coupure(points({1, 2, 3}, {1, 1, 1})).has_value());
  EXPECT_DOUBLE_EQ(*Point_Coupure(points({0, 0, 0, 0}, {1, 1, 1, 1})), 0);
  EXPECT_FALSE(Point_Coupure(points({1, 2, 3, NAN}, {1, 1, 1, 1})).has_value());
}

TEST(ExtractSelection, ListOfRows) {
  EXPECT_EQ(Liste_Lignes({}), "");
  EXPECT_EQ(Lignes_Liste("4;9;17;"), (std::vector<int>{4, 9, 17}));
  EXPECT_EQ(Lignes_Liste("4;9;17"), (std::vector<int>{4, 9}));
  EXPECT_EQ(Lignes_Liste(""), std::vector<int>{});
  EXPECT_EQ(Lignes_Liste("0;x;2,5;3001;3;"), std::vector<int>{3});
}

// --- in the window ------------------------------------------------------------------

const Rows kCinqPoints = {{"1", "2", "", ""}, {"3", "6", "", ""}, {"5", "4", "", ""},
                          {"7", "8", "", ""}, {"4", "5", "", ""}};

class ExtractionWindow : public StatWindowTest {
 protected:
  // The scatter plot shown (of the five points: 125 units per unit on both axes).
  void nuage(FenHisto& f, bool cinqPoints = true) {
    user::click(f.Mnstat(1));
    ASSERT_EQ(Mode_Histogramme, 0);
    if (cinqPoints) {
      ASSERT_DOUBLE_EQ(Coef_X, 125);
      ASSERT_DOUBLE_EQ(Coef_Y, 125);
    }
    stats::Stat_Notices().beep = [this] { ++beeps; };
  }
  int beeps = 0;
};

TEST_F(ExtractionWindow, RectangleChoosesRowsAndFeedsTheExtractSource) {
  grid(2, kCinqPoints);
  Liste_Extrait.clear();
  whileOpen(openWithButton, [&](FenHisto& f) {
    nuage(f);
    EXPECT_FALSE(f.Mnstat6(1).enabled());
    user::click(f.CmdHisto(0));
    EXPECT_EQ(f.StatusBar2.simpleText(), "B.G. : encadrer les points / B.D. : valider le choix");
    EXPECT_FALSE(f.Image_extr.picture().isNull());
    // A right click before any press does nothing.
    HistPicHist_MouseDown(2, 0, 600, 650);
    EXPECT_EQ(Liste_Extrait, "");
    HistPicHist_MouseDown(1, 0, 450.4, 449.6);
    EXPECT_EQ(X_Centre, 450);
    EXPECT_EQ(Y_Centre, 450);
    EXPECT_FALSE(f.CmdHisto(0).enabled());
    // The rubber band is drawn, then wiped by the next position.
    HistPicHist_MouseMove(1, 0, 700, 700);
    EXPECT_NE(f.HistPicHist.point(700, 450), 0xFFFFFFu);
    HistPicHist_MouseMove(1, 0, 600, 650);
    EXPECT_EQ(f.HistPicHist.point(700, 450), 0xFFFFFFu);
    HistPicHist_MouseDown(2, 0, 600, 650);
    EXPECT_EQ(Liste_Extrait, "2;5;");
    EXPECT_EQ(f.Label3.caption(), "2 pts : 2;5;");
    EXPECT_EQ(f.StatusBar2.simpleText(), "Sauvegarde extrait : menu Outil  ou  reselection  : extraire");
    EXPECT_TRUE(f.CmdHisto(0).enabled());
    EXPECT_FALSE(Selection_En_Cours);
    EXPECT_FALSE(Extraction_Armee);
    EXPECT_TRUE(f.Mnstat6(1).enabled());
    EXPECT_TRUE(f.MOption1(3).enabled());
    EXPECT_EQ(beeps, 0);
    // Crosses in the fore colour on the chosen points, none on the others.
    const platform::Colour fore = f.HistPicHist.foreColor();
    ASSERT_NE(fore, 0x000000u);
    EXPECT_EQ(f.HistPicHist.point(412, 650), fore);
    EXPECT_EQ(f.HistPicHist.point(537, 525), fore);
    EXPECT_EQ(f.HistPicHist.point(662, 400), 0x000000u);   // row 3 keeps its black cross
    // The diagram panel's "Extrait" source loads the X values of rows 2 and 5.
    user::click(f.Mnstat(2));
    user::setValue(f.MOption1(3), true);
    EXPECT_EQ(f.MText3.text(), "3;4;");

    // An empty selection beeps and takes the extract away.
    user::click(f.Mnstat(1));
    user::click(f.CmdHisto(0));
    HistPicHist_MouseDown(1, 0, 300, 900);
    HistPicHist_MouseDown(2, 0, 310, 910);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(Liste_Extrait, "");
    EXPECT_EQ(f.Label3.caption(), "0 pts : ");
    EXPECT_FALSE(f.Mnstat6(1).enabled());
    EXPECT_FALSE(f.MOption1(3).enabled());
    EXPECT_TRUE(f.CmdHisto(0).enabled());
  });
}

TEST_F(ExtractionWindow, CircleTakesWhatLiesInsideItsDrawnTopInBothFrames) {
  grid(2, kCinqPoints);
  whileOpen(openWithButton, [&](FenHisto& f) {
    nuage(f);
    for (int norme : {0, 1}) {
      user::setValue(f.CheckN(0), norme);
      const double w = Poids_Vertical();
      if (norme == 0)
        EXPECT_NEAR(w, 0.43, 0.02);
      else
        EXPECT_NEAR(w, 1, 0.01);
      const ScatterMap m = Repere_Nuage();
      // Row 3 (5, 4) lies 100 units above the centre, just inside or just outside the
      // top of the circle drawn through a release 100 / sqrt(w) units up.
      const double px = m.px(5), py = m.py(4);
      for (double facteur : {1.002, 0.998}) {
        user::setValue(f.Option1(kCercle), true);
        user::click(f.CmdHisto(0));
        HistPicHist_MouseDown(1, 0, px, py - 100);
        const int yc = Y_Centre;
        const double r = (py - yc) * std::sqrt(w) * facteur;
        HistPicHist_MouseDown(2, 0, X_Centre + r, yc);
        EXPECT_EQ(Liste_Extrait, facteur > 1 ? "3;" : "") << norme << " " << facteur;
      }
    }
  });
}

TEST_F(ExtractionWindow, SplitKeepsEitherGroupOfTheScatterPlotsX) {
  grid(2, {{"2,1", "1"}, {"2,4", "2"}, {"2,2", "3"}, {"2,6", "4"}, {"5,3", "5"}, {"5,9", "6"}, {"5,5", "7"}});
  whileOpen(openWithButton, [&](FenHisto& f) {
    nuage(f, false);
    user::click(f.Command12);
    EXPECT_TRUE(f.Framehist(1).visible());
    EXPECT_EQ(f.Label11.caption(), "3,95");
    EXPECT_EQ(Qvl().StatusBar1.simpleText(),
              "un point de césure est calculé automatiquement. Permet de scinder une distribution non homogène");
    user::click(f.Command11(1));
    EXPECT_EQ(Liste_Extrait, "1;2;3;4;");
    EXPECT_TRUE(f.Mnstat6(1).enabled());
    // Red crosses on the kept rows.
    const ScatterMap m = Repere_Nuage();
    EXPECT_EQ(f.HistPicHist.point(std::nearbyint(m.px(2.1)) + 12, std::nearbyint(m.py(1))), 0x0000FFu);
    EXPECT_EQ(f.HistPicHist.point(std::nearbyint(m.px(5.3)) + 12, std::nearbyint(m.py(5))), 0x000000u);
    user::click(f.Command11(2));
    EXPECT_EQ(Liste_Extrait, "5;6;7;");
    user::click(f.Command11(0));
    EXPECT_FALSE(f.Framehist(1).visible());
    EXPECT_EQ(Liste_Extrait, "5;6;7;");
    EXPECT_EQ(Qvl().StatusBar1.simpleText(), "");
  });
}

TEST_F(ExtractionWindow, SplitOfThreeValuesSaysTooFew) {
  grid(2, {{"2", "1"}, {"3", "2"}, {"9", "3"}});
  dialogs_->answerMsgBox(platform::vbOK);
  whileOpen(openWithButton, [&](FenHisto& f) {
    nuage(f, false);
    user::click(f.Command12);
    EXPECT_FALSE(f.Framehist(1).visible());
  });
  EXPECT_EQ(dialogLog(), std::vector<std::string>{"msgBox: " + MSG(187)});
}

}  // namespace
