// The counting, density, triangle, outline and gill tools on the main window, driven
// through the picture's mouse handlers as the window forwards them, down to the grid
// rows they write.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/counting_tools.h"
#include "measure/dispatch.h"
#include "measure/live_display.h"
#include "measure/measure_state.h"
#include "measure/outline_tool.h"
#include "measure/surface_writers.h"
#include "measure/trame_file.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/colour.h"
#include "platform/control.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "support/user_input.h"

namespace {

using measure_window::MeasureWindow;
using Strings = std::vector<std::string>;

constexpr int kGauche = platform::kLeftButton;
constexpr int kDroit = platform::kRightButton;

class SurfaceTools : public MeasureWindow {
 protected:
  void SetUp() override {
    MeasureWindow::SetUp();
    QVL& f = Qvl();
    r_.keep(Courbe_Fermee); r_.keep(Liste_Sommets); r_.keep(Pourcentage_Lames_Calcule);
    r_.keep(Mode_Surface); r_.keep(Mode_Surface2); r_.keep(NbPoints_Surface);
    const std::string box = f.TBox(6).text(), label5 = f.label(5).caption(), label12 = f.Label12.caption();
    const std::string prompt = MSG(55);
    r_.then([box, label5, label12, prompt] {
      QVL& g = Qvl();
      g.TBox(6).setText(box);
      g.label(5).setCaption(label5);
      g.Label12.setCaption(label12);
      MSG.set(55, prompt);
    });
    Palmer = 2;
    Mode_Standard = true;
    Mode_Main = false;
    Mode_Comptage = false;
    Mode_Surface = false;
    Mode_Surface2 = false;
    Mode_InsRef = false;
    Mode_Annot = false;
    Illus_Trait = false;
    Illus_Texte = false;
    Illus_Saisie = false;
    Etat_Pt1 = Etat_Pt2 = Etat_Pt3 = false;
  }

  // A mouse-down then a mouse-up at (x, y) of Picture1, as the window forwards them.
  static void click(double x, double y, int button = kGauche) {
    Clic_Image_Mesure(button, 0, x, y);
    Relache_Image(button, 0, x, y);
  }
  static void drag(double x1, double y1, double x2, double y2) {
    Clic_Image_Mesure(kGauche, 0, x1, y1);
    Affiche_Mesure_En_Cours(kGauche, 0, x2, y2);
    Relache_Image(kGauche, 0, x2, y2);
  }
  static std::string label9() { return Qvl().label(9).caption(); }
  // Whether Picture1 has a pixel other than the background c within a pixel of (x, y).
  static bool drawnNear(double x, double y, platform::Colour c) {
    const double u = picture_window::unitsPerPixel();
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j)
        if (Qvl().Picture1.point(x + i * u, y + j * u) != c) return true;
    return false;
  }
};

// --- density -------------------------------------------------------------------------------

// Ellipse (100,100)-(150,130), F = 0.1: Int(3400 x 0.6 x 3.1416) = 6408 units, 64.08; five
// counts: 5 / 64.08 = 0.078, its root 0.279.
TEST_F(SurfaceTools, DensityEllipseCountedAndWritten) {
  startFunction(13);
  QVL& f = Qvl();
  Mode_Densite = true;
  Calibrage = 0.1;
  f.TBox(6).setText("0");
  Clic_Image_Mesure(kGauche, 0, 100, 100);
  Affiche_Mesure_En_Cours(kGauche, 0, 150, 130);
  EXPECT_EQ(label9(), "S= 64.08");   // live
  Relache_Image(kGauche, 0, 150, 130);
  EXPECT_EQ(label9(), "S= 64.08");
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_DOUBLE_EQ(ValMesure(1), 64.08);
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 1), "64.08");
  EXPECT_DOUBLE_EQ(TabMesures(1).Seg(1).X1, 100);
  EXPECT_DOUBLE_EQ(TabMesures(1).Seg(1).Y2, 130);
  for (int i = 0; i < 5; ++i) click(200 + 50 * i, 300);
  EXPECT_EQ(platform::Val(f.TBox(6).text()), 5);
  EXPECT_EQ(label9(), "S= 64.08 d= 0.08");
  click(500, 500, kDroit);
  EXPECT_EQ(row(1, 5), (Strings{"64.08", "5", "0.08", "0.28", "1"}));
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 0), "1");
  EXPECT_EQ(f.TBox(6).text(), "0");
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_TRUE(messages().empty());
}

// The ellipse is drawn with the semi-axes r across and r x k down, also for k > 1:
// (3000,3000)-(3300,3600) gives r = 670.8 and 1341.6.
TEST_F(SurfaceTools, DensityEllipseDrawnWithItsTwoSemiAxes) {
  startFunction(13);
  QVL& f = Qvl();
  Mode_Densite = true;
  f.Picture1.setPicture(platform::Picture::filled(600, 600, platform::Colour(0xFFFFFF)));
  const platform::Colour fond = 0xFFFFFF;
  drag(3000, 3000, 3300, 3600);
  ASSERT_EQ(EtapeClic, 2);
  EXPECT_TRUE(drawnNear(3000 + 670.8, 3000, fond));
  EXPECT_TRUE(drawnNear(3000 - 670.8, 3000, fond));
  EXPECT_TRUE(drawnNear(3000, 3000 + 1341.6, fond));
  EXPECT_TRUE(drawnNear(3000, 3000 - 1341.6, fond));
  EXPECT_FALSE(drawnNear(3000 - 1341.6, 3000, fond));
  EXPECT_FALSE(drawnNear(3000, 3000 - 1500, fond));
}

// Rectangle (100,100)-(150,130), F = 0.1: 1500 units, 15.00. A rectangle of zero width is
// refused and the figure stays open for another release.
TEST_F(SurfaceTools, DensityRectangleAndZeroWidth) {
  startFunction(14);
  Mode_Densite = true;
  Calibrage = 0.1;
  dialogs_->answerMsgBox(platform::vbOK);
  drag(100, 100, 100, 200);
  EXPECT_EQ(messages(), (Strings{MSG(216)}));
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_TRUE(Etat_Pt1);
  Relache_Image(kGauche, 0, 150, 130);
  EXPECT_EQ(label9(), "S= 15.00");
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(1, 1), "15.00");
}

// --- counting --------------------------------------------------------------------------------

TEST_F(SurfaceTools, CountingWritesPlainCounts) {
  startFunction(10);
  QVL& f = Qvl();
  Mode_Comptage = true;
  BGr_Etat1 = true;
  f.TBox(6).setText("0");
  for (int i = 0; i < 3; ++i) click(1000 + 200 * i, 1000);
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(55));   // the release shows the prompt again
  click(2000, 2000, kDroit);
  EXPECT_EQ(row(1, 2), (Strings{"3", "1"}));
  EXPECT_EQ(f.TBox(6).text(), "0");
  EXPECT_EQ(LigneCourante, 2);
  // The first count placed the row's mark.
  EXPECT_DOUBLE_EQ(TabMesures(1).Seg(1).X1, 1000);

  // Function 11: A = 3 at the first right click, B = 4 and A + 2B = 11 at the second.
  startFunction(11);
  Mode_Comptage = true;
  BGr_Etat1 = true;
  f.TBox(6).setText("0");
  for (int i = 0; i < 3; ++i) click(1000 + 200 * i, 1000);
  click(2000, 2000, kDroit);
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 1), "3");
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(MSG(55), MSG(202) + MSG(203));
  for (int i = 0; i < 4; ++i) click(1000 + 200 * i, 1500);
  click(2000, 2000, kDroit);
  EXPECT_EQ(row(1, 4), (Strings{"3", "4", "11", "1"}));
  EXPECT_EQ(TabMesures(1).Seg(1).X2, 3);
  EXPECT_EQ(TabMesures(1).Seg(1).Y2, 4);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(MSG(55), MSG(202) + MSG(204));
}

// --- triangle ---------------------------------------------------------------------------------

TEST_F(SurfaceTools, TriangleRows) {
  startFunction(15);
  Mode_Surface = true;
  NbPoints_Surface = 0;
  click(0, 0);
  EXPECT_EQ(Qvl().StatusBar1.simpleText(), MSG(279));   // the next point's prompt
  click(400, 0);
  click(0, 300);
  EXPECT_EQ(label9(), "S=6.00 Deg =90.00");
  EXPECT_EQ(row(1, 4), (Strings{"6", "12", "90", "1"}));
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(NbPoints_Surface, 0);
  // An obtuse vertex angle: (0,0), (400,0), (-300,400).
  click(0, 0);
  click(400, 0);
  click(-300, 400);
  EXPECT_EQ(row(2, 3), (Strings{"8", "17.06", "126.87"}));
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(2, 0), "2");
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(EtapeClic, 1);
}

// --- outline ----------------------------------------------------------------------------------

// (0,0), (300,0), (300,400) closed by the right click: S 6, P 12, Rm 1, F 0.91; mean point
// (150, 100); cell 2 (6000, 12000) and the closed flag 1.
TEST_F(SurfaceTools, OutlineClosedMeasuredAndSaved) {
  startFunction(16);
  listOneImage();
  Mode_Surface2 = true;
  Courbe_Fermee = true;
  Liste_Sommets(1).clear();
  Liste_Sommets(2).clear();
  NbPoints_Surface = 1;
  click(0, 0);
  click(300, 0);
  click(300, 400);
  EXPECT_EQ(Liste_Sommets(1), ";0;300;300");
  click(5000, 5000, kDroit);   // closes through the first vertex wherever it is
  EXPECT_EQ(label9(), "S= 6.00 P=12.00");
  EXPECT_EQ(row(1, 5), (Strings{"6", "12", "1", "0.91", "1"}));
  const Mesure& m = TabMesures(1);
  EXPECT_DOUBLE_EQ(m.Seg(1).X1, 150);
  EXPECT_DOUBLE_EQ(m.Seg(1).Y1, 100);
  EXPECT_NEAR(m.Seg(2).X1, 6000, 1e-9);
  EXPECT_NEAR(m.Seg(2).Y1, 12000, 1e-9);
  EXPECT_EQ(m.Seg(2).X2, 1);
  EXPECT_EQ(m.Seg(2).Y2, 0);
  EXPECT_EQ(Liste_Sommets(1), "");
  EXPECT_EQ(NbPoints_Surface, 1);
  EXPECT_EQ(LigneCourante, 2);

  // A second outline: a line traced there and back (P = its length, S = F = Rm = 0).
  click(1000, 1000);
  click(1000, 1500);
  click(0, 0, kDroit);
  EXPECT_EQ(row(2, 4), (Strings{"0", "5", "0", "0"}));
  EXPECT_EQ(TabMesures(2).Seg(2).X2, 1);
  EXPECT_EQ(TabMesures(1).Seg(2).X2, 1);

  // Both rows keep their flag in the saved session.
  picture_window::TempFolder dir;
  const std::string path = dir.file("contours.trm");
  std::string error;
  ASSERT_TRUE(Ecrit_Trame(path, &error)) << error;
  Strings l;
  ASSERT_TRUE(platform::readLines(path, &l));
  ASSERT_GE(l.size(), 2u);
  EXPECT_EQ(l[l.size() - 2], "0;1;150;100;0;0;6000;12000;1;0;6;12;1;0.91;");
  EXPECT_EQ(l[l.size() - 1], "0;1;1000;1166.6666666666667;0;0;0;0;1;0;0;5;0;0;");
}

// The open polygon: the right click adds its vertex and writes the row unmeasured, with
// the open flag 0; the edges are drawn and the lists emptied for the next one.
TEST_F(SurfaceTools, OpenPolygonWrittenWithoutMeasure) {
  startFunction(16);
  Mode_Surface2 = true;
  Courbe_Fermee = false;
  Liste_Sommets(1).clear();
  Liste_Sommets(2).clear();
  NbPoints_Surface = 1;
  TabMesures(1).Seg(2).X2 = 7;
  click(0, 0);
  click(300, 0);
  click(300, 400, kDroit);
  EXPECT_EQ(row(1, 5), (Strings{"0", "0", "0", "0", "1"}));
  EXPECT_EQ(TabMesures(1).Seg(2).X2, 0);
  EXPECT_EQ(Segments_Etape(2).X2, 300);
  EXPECT_EQ(Segments_Etape(2).Y2, 400);
  EXPECT_EQ(Liste_Sommets(2), "");
  EXPECT_EQ(NbPoints_Surface, 1);
  EXPECT_EQ(LigneCourante, 2);
}

// --- gills ----------------------------------------------------------------------------------

// Centre (1000,1000), gills 200 units out at directions of half degrees (floored to whole
// ones): the first at 30.5, then 14, 27 and 41 degrees on. Estimates 26, 27 (96 % of 26),
// 27 (100 %); the right click writes 27 and 100.
class GillTool : public SurfaceTools {
 protected:
  static void gill(double degrees) {
    const double a = degrees * 3.14159265358979 / 180;
    click(1000 + 200 * std::cos(a), 1000 + 200 * std::sin(a));
  }
  void count(int sens) {
    QVL& f = Qvl();
    click(1000, 1000);   // the centre
    gill(30.5);
    EXPECT_EQ(f.label(9).caption(), "");
    gill(30.5 + sens * 14);
    EXPECT_EQ(label9(), "angle :  14");
    EXPECT_EQ(f.Label12.caption(), "26");
    EXPECT_EQ(f.label(5).caption(), "");
    gill(30.5 + sens * 27);
    EXPECT_EQ(label9(), "angle :  27");
    EXPECT_EQ(f.Label12.caption(), "27");
    EXPECT_EQ(f.label(5).caption(), " % = 96");
    EXPECT_EQ(f.Label12.backColor(), platform::Colour(0xFFFF80));
    gill(30.5 + sens * 41);
    EXPECT_EQ(label9(), "angle :  41");
    EXPECT_EQ(f.Label12.caption(), "27");
    EXPECT_EQ(f.label(5).caption(), " % = 100");
    EXPECT_EQ(f.Label12.backColor(), platform::Colour(0x00FF00));
    EXPECT_EQ(f.Frame1.backColor(), platform::Colour(0x00FF00));
  }
};

TEST_F(GillTool, CountedEitherWayRound) {
  startFunction(22);
  Comptage_Lames();
  QVL& f = Qvl();
  EXPECT_EQ(Der_Colonne, 2);
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(260));
  EXPECT_EQ(f.label(9).caption(), "");
  count(+1);
  click(0, 0, kDroit);
  EXPECT_EQ(row(1, 2), (Strings{"27", "100"}));
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 0), "1");
  EXPECT_EQ(f.GrilleRef.textMatrix(1, f.GrilleRef.cols() - 2), "1");
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(NbLames, 0);
  EXPECT_EQ(f.Label12.caption(), "0");

  // The next counting starts with the angle of the last one gone.
  EXPECT_EQ(f.label(9).caption(), "");
  count(-1);
  click(0, 0, kDroit);
  EXPECT_EQ(row(2, 2), (Strings{"27", "100"}));
  EXPECT_EQ(ValMesure(3), 0);   // a new counting starts with no direction

  // A counting closed before any agreement gets an empty percentage cell.
  click(1000, 1000);
  gill(30.5);
  gill(44.5);
  click(0, 0, kDroit);
  EXPECT_EQ(row(3, 2), (Strings{"26", ""}));
}

// "Comptage Lames" chosen from its menu after another counting: the angle label of
// that counting is emptied with the new start.
TEST_F(GillTool, TheMenuStartsWithoutTheLastAngle) {
  QVL& f = Qvl();
  startFunction(22);
  Comptage_Lames();
  count(+1);
  ASSERT_NE(label9(), "");
  dialogs_->answerMsgBox(platform::vbYes);   // the grid is not empty: the usual question
  ASSERT_TRUE(user::choose(f.MnuFonc(8)));
  EXPECT_EQ(FonctionCourante, 22);
  EXPECT_EQ(f.label(9).caption(), "");
  EXPECT_EQ(f.Label12.caption(), "0");
}

}  // namespace
