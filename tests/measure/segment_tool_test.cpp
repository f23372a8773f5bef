// The standard segment tool: the pure geometry (Palmer guide, click tolerance, the
// straight segment of a polyline), then the "Palmer", "Bipoint" and "Poly" variants on
// the main window, called as the dispatcher calls them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/dispatch.h"
#include "measure/measure_state.h"
#include "measure/segment_tool.h"
#include "measure_window.h"
#include "platform/control.h"
#include "platform/runtime.h"

namespace {

using measure_window::MeasureWindow;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- pure ---------------------------------------------------------------------------------

TEST(PalmerGuide, SlopeAndExtent) {
  // Slope 1: somme 1 + 1/1 = 2, extent 2352 / Sqr(2) = 1663.115 -> 1663.
  GuidePalmer g = Guide_Palmer(600, 600, 2352, 0);
  EXPECT_EQ(g.pente, 1.0);
  EXPECT_EQ(g.somme, 2.0);
  EXPECT_EQ(g.largeur, 1663);
  // Slope -0.5: somme -0.5 - 2 = -2.5, extent 2000 / Sqr(1.25) = 1788.85 -> 1789.
  g = Guide_Palmer(-400, 200, 2000, 0);
  EXPECT_EQ(g.pente, -0.5);
  EXPECT_EQ(g.somme, -2.5);
  EXPECT_EQ(g.largeur, 1789);
  // Near horizontal (|slope| < 0.001): the full width, somme left as it was.
  g = Guide_Palmer(1000, 0.5, 2352, 7.0);
  EXPECT_EQ(g.pente, 0.0005);
  EXPECT_EQ(g.somme, 7.0);
  EXPECT_EQ(g.largeur, 2352);
  // Near vertical (|dx| <= 1): 34000, extent 0.
  for (double dx : {1.0, -1.0, 0.0, 0.5}) {
    g = Guide_Palmer(dx, 600, 2352, 7.0);
    EXPECT_EQ(g.pente, 34000.0);
    EXPECT_DOUBLE_EQ(g.somme, 34000.0 + 1.0 / 34000.0);
    EXPECT_EQ(g.largeur, 0);
  }
  g = Guide_Palmer(1.5, 3, 2352, 0);
  EXPECT_EQ(g.pente, 2.0);
  g = Guide_Palmer(kNaN, 3, 2352, 0);
  EXPECT_EQ(g.pente, 34000.0);
}

TEST(ClickTolerance, SumOfDifferences) {
  EXPECT_TRUE(Clic_Sur_Place(10, 10, 0, 0, 30));     // 20 < 30
  EXPECT_TRUE(Clic_Sur_Place(-14, 15, 0, 0, 30));    // 29 < 30
  EXPECT_FALSE(Clic_Sur_Place(20, 10, 0, 0, 30));    // 30 is not below 30
  EXPECT_FALSE(Clic_Sur_Place(0, 0, 0, 0, 0));
  EXPECT_FALSE(Clic_Sur_Place(kNaN, 0, 0, 0, 30));
}

// The polyline (0,0), (30,40), (60,0): 50 + 50 = 100 along the chord to (60,0): (100,0).
TEST(PolySegment, StraightSegmentOfTheSameLength) {
  Segment s = Segment_Poly(0, 0, 60, 0, 100);
  EXPECT_EQ(s.X1, 0);
  EXPECT_EQ(s.Y1, 0);
  EXPECT_DOUBLE_EQ(s.X2, 100);
  EXPECT_DOUBLE_EQ(s.Y2, 0);
  // 3-4-5 direction: (10, 20) + 50 x (0.6, -0.8).
  s = Segment_Poly(10, 20, 40, -20, 50);
  EXPECT_DOUBLE_EQ(s.X2, 40);
  EXPECT_DOUBLE_EQ(s.Y2, -20);
  // First and last vertex together: downwards.
  s = Segment_Poly(5, 5, 5, 5, 12);
  EXPECT_DOUBLE_EQ(s.X2, 5);
  EXPECT_DOUBLE_EQ(s.Y2, 17);
  for (double bad : {-3.0, kNaN}) {
    s = Segment_Poly(5, 5, 9, 9, bad);
    EXPECT_EQ(s.X2, 5);
    EXPECT_EQ(s.Y2, 5);
  }
}

// --- on the main window --------------------------------------------------------------------

class SegmentTool : public MeasureWindow {
 protected:
  enum Tool { kPalmer, kBipoint, kPoly };

  void event(Tool t, int kind, int x, int y, int button = platform::kLeftButton) {
    int b = button, k = kind;
    switch (t) {
      case kPalmer: Mesure_Palmer(EtapeClic, x, y, b, k); break;
      case kBipoint: Mesure_Bipoint(EtapeClic, x, y, b, k); break;
      case kPoly: Mesure_Poly(EtapeClic, x, y, b, k); break;
    }
  }
  void drag(Tool t, int x1, int y1, int x2, int y2, int button = platform::kLeftButton) {
    event(t, 1, x1, y1, button);
    event(t, 0, x2, y2, button);
  }
  static void expectSegment(const Segment& s, double x1, double y1, double x2, double y2) {
    EXPECT_DOUBLE_EQ(s.X1, x1);
    EXPECT_DOUBLE_EQ(s.Y1, y1);
    EXPECT_DOUBLE_EQ(s.X2, x2);
    EXPECT_DOUBLE_EQ(s.Y2, y2);
  }
  // Position of a caption among the visible items of the pop-up menu PopEtalon.
  static int popEtalonIndex(const std::string& caption) {
    QVL& f = Qvl();
    int n = 0;
    for (int i = 1; i <= 5; ++i) {
      if (!f.PopOrg(i).visible()) continue;
      if (f.PopOrg(i).caption() == caption) return n;
      ++n;
    }
    return -1;
  }
};

// Palmer, first segment of slope 1 from (1000,1000) to (1600,1600): 600 Sqr(2) = 848.5
// -> 849 units, 8.49. The width pressed at P0 (1300,1300) and released at M (1500,1300)
// ends at the foot of the perpendicular from P0 on the line through M of direction
// (1,1): M + ((P0 - M).u) u = (1500,1300) - 100 (1,1) = (1400,1200); 100 Sqr(2) = 141.4
// -> 141 units, 1.41. Q = 8.49 / 1.41 = 6.02, V = 1.41^2 x 8.49 x 3.14159 / 6 = 8.84.
TEST_F(SegmentTool, PalmerWidthEndsAtTheFootForSlopeOne) {
  startFunction(2);
  QVL& f = Qvl();
  drag(kPalmer, 1000, 1000, 1600, 1600);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(Pente_Ref, 1.0);
  EXPECT_EQ(Pente_Somme, 2.0);
  EXPECT_EQ(Largeur_Pic2, 1663);
  EXPECT_EQ(NbSegments_Calib, 849);
  EXPECT_EQ(f.label(9).caption(), "8.49");
  drag(kPalmer, 1300, 1300, 1500, 1300);
  EXPECT_EQ(Pt_X, 1400);
  EXPECT_EQ(Pt_Y, 1200);
  expectSegment(TabMesures(1).Seg(1), 1000, 1000, 1600, 1600);
  expectSegment(TabMesures(1).Seg(2), 1300, 1300, 1400, 1200);
  expectSegment(Segments_Etape(2), 1300, 1300, 1400, 1200);
  EXPECT_EQ(row(1, 6), (std::vector<std::string>{"8.49", "1.41", "6.02", "8.8", "1", ""}));
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_FALSE(Etat_Pt2);
}

// A horizontal first segment: the foot is straight above or below the start point at
// the release's height, so the width is vertical: (1200,1000)-(1200,1250), 2.50.
TEST_F(SegmentTool, PalmerWidthIsVerticalForAHorizontalLength) {
  startFunction(2);
  drag(kPalmer, 1000, 1000, 1600, 1000);
  EXPECT_EQ(Largeur_Pic2, 2352);
  drag(kPalmer, 1200, 1000, 1350, 1250);
  expectSegment(TabMesures(1).Seg(2), 1200, 1000, 1200, 1250);
  EXPECT_EQ(row(1, 2), (std::vector<std::string>{"6.00", "2.50"}));
}

// A vertical first segment: the foot lies at the start point's height, at the
// release's abscissa (within rounding): (1000,1300)-(1300,1300).
TEST_F(SegmentTool, PalmerWidthIsHorizontalForAVerticalLength) {
  startFunction(2);
  drag(kPalmer, 1000, 1000, 1001, 1600);
  EXPECT_EQ(Pente_Ref, 34000.0);
  EXPECT_EQ(Largeur_Pic2, 0);
  drag(kPalmer, 1000, 1300, 1300, 1310);
  expectSegment(TabMesures(1).Seg(2), 1000, 1300, 1300, 1300);
}

// Click-click and press-drag-release give the same segment; a release closer than
// Tol_Clic (|dx| + |dy|) never ends it. Bipoint shows 4 decimals.
TEST_F(SegmentTool, BipointClickClickEqualsDrag) {
  startFunction(1);
  QVL& f = Qvl();
  event(kBipoint, 1, 500, 500);
  event(kBipoint, 0, 514, 515);   // 29: a click in place
  EXPECT_TRUE(Etat_Pt1);
  EXPECT_TRUE(Etat_Pt3);
  EXPECT_EQ(LigneCourante, 1);
  event(kBipoint, 1, 900, 800);   // the segment is open: ignored
  event(kBipoint, 0, 900, 800);
  expectSegment(TabMesures(1).Seg(1), 500, 500, 900, 800);
  EXPECT_EQ(f.label(9).caption(), "5.0000");
  EXPECT_EQ(row(1, 1), std::vector<std::string>{"5.00"});

  drag(kBipoint, 500, 500, 900, 800);
  expectSegment(TabMesures(2).Seg(1), 500, 500, 900, 800);
  EXPECT_EQ(row(2, 1), std::vector<std::string>{"5.00"});

  // Exactly Tol_Clic away ends the segment.
  drag(kBipoint, 500, 500, 520, 510);
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_EQ(f.StatusBar1.simpleText(), "");
}

// The segment goes into the table in picture units (X x K_Zoom x Echelle +
// Larg_Affichee, likewise Y) with the zoom exponent and the image number: with
// K_Zoom x Echelle = 1.5, (100,200)-(400,600) becomes (1150,800)-(1600,1400). Its length
// is measured on Picture1 times K_Zoom: 500 x 2 = 1000 units, 10.00.
TEST_F(SegmentTool, SegmentsAreStoredInPictureUnits) {
  startFunction(1);
  K_Zoom = 2;
  Echelle = 0.75;
  Larg_Affichee = 1000;
  Haut_Affichee = 500;
  Expo_Zoom = -4;
  Index_Image = 7;
  drag(kBipoint, 100, 200, 400, 600);
  expectSegment(TabMesures(1).Seg(1), 1150, 800, 1600, 1400);
  EXPECT_EQ(TabMesures(1).ExpZoom, -4);
  EXPECT_EQ(TabMesures(1).NumImage, 7);
  expectSegment(Segments_Etape(1), 100, 200, 400, 600);
  EXPECT_EQ(row(1, 2), (std::vector<std::string>{"10.00", "7"}));
}

TEST_F(SegmentTool, SwallowEndsNothingButTheOpenSegmentsRelease) {
  startFunction(1);
  event(kBipoint, 1, 500, 500);
  PGr_Etat = true;
  event(kBipoint, 0, 900, 800);
  EXPECT_FALSE(PGr_Etat);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_TRUE(Etat_Pt1);
  // The segment is still open from its press.
  event(kBipoint, 0, 700, 500);
  expectSegment(TabMesures(1).Seg(1), 500, 500, 700, 500);
}

// A swallow left from a segment abandoned earlier never reaches a new one: every press
// that takes a start point clears it.
TEST_F(SegmentTool, PressTakingAStartPointClearsAStaleSwallow) {
  for (Tool t : {kBipoint, kPalmer}) {
    SCOPED_TRACE(static_cast<int>(t));
    startFunction(1);
    PGr_Etat = true;
    drag(t, 500, 500, 900, 800);
    EXPECT_FALSE(PGr_Etat);
    EXPECT_EQ(LigneCourante, 2);
    expectSegment(TabMesures(1).Seg(1), 500, 500, 900, 800);
  }
  startFunction(1);
  Mode_Pointage = true;
  PGr_Etat = true;
  event(kPoly, 1, 500, 500);
  EXPECT_FALSE(PGr_Etat);
}

TEST_F(SegmentTool, ReleaseWithoutOpenSegmentDoesNothing) {
  startFunction(1);
  Depart_X = 0;
  Depart_Y = 0;
  event(kPalmer, 0, 800, 800);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_FALSE(Etat_Pt3);
}

// A right-button release asks PopEtalon; Mode_Cumul is cleared first, and only
// "Valider" (or "Longueur") stores the segment; "Annuler/Retracer" abandons it.
TEST_F(SegmentTool, PopEtalonDecidesWhetherTheSegmentIsStored) {
  startFunction(1);
  Mode_Cumul = true;
  dialogs_->answerPopup(popEtalonIndex("Reprendre"));
  drag(kBipoint, 500, 500, 900, 800, platform::kRightButton);
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].kind, "popup");
  EXPECT_EQ(dialogs_->log()[0].items,
            (std::vector<std::string>{"Reprendre", "Cumul", "Valider", "Annuler/Retracer"}));
  EXPECT_FALSE(Mode_Cumul);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_TRUE(Etat_Pt1);
  EXPECT_EQ(NbSegments_Calib, 500);

  dialogs_->answerPopup(popEtalonIndex("Valider"));
  event(kBipoint, 0, 900, 800, platform::kRightButton);
  EXPECT_TRUE(Mode_Cumul);
  EXPECT_EQ(LigneCourante, 2);
  expectSegment(TabMesures(1).Seg(1), 500, 500, 900, 800);

  dialogs_->answerPopup(popEtalonIndex("Annuler/Retracer"));
  drag(kBipoint, 500, 500, 900, 800, platform::kRightButton);
  EXPECT_FALSE(Mode_Cumul);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_TRUE(PGr_Etat);
  expectSegment(TabMesures(2).Seg(1), 0, 0, 0, 0);

  // No choice: nothing stored.
  PGr_Etat = false;
  dialogs_->answerPopup(-1);
  drag(kBipoint, 500, 500, 900, 800, platform::kRightButton);
  EXPECT_EQ(LigneCourante, 2);
}

// Poly: vertices (1000,1000), (1300,1400), (1600,1000): 500 + 500 = 1000 units along the
// chord: (1000,1000)-(2000,1000), 10.00 micrometres.
TEST_F(SegmentTool, PolyStoresOneStraightSegmentOfTheCumulatedLength) {
  startFunction(1);
  Mode_Pointage = true;
  QVL& f = Qvl();
  event(kPoly, 1, 1000, 1000);
  EXPECT_TRUE(Ignore_Relache);
  EXPECT_TRUE(Etat_Pt1);
  Ignore_Relache = false;
  event(kPoly, 1, 1010, 1010);   // 20 from the last vertex: ignored
  EXPECT_TRUE(Etat_Pt3);
  EXPECT_EQ(Longueur_Cumulee, 0);
  Etat_Pt3 = false;
  event(kPoly, 1, 1300, 1400);
  EXPECT_EQ(Longueur_Cumulee, 500);
  EXPECT_EQ(f.label(9).caption(), "5");
  EXPECT_EQ(Pt_X, 1300);
  event(kPoly, 1, 1600, 1000, platform::kRightButton);
  expectSegment(TabMesures(1).Seg(1), 1000, 1000, 2000, 1000);
  EXPECT_EQ(row(1, 1), std::vector<std::string>{"10.00"});
  EXPECT_EQ(f.label(9).caption(), "10");
  EXPECT_EQ(Longueur_Cumulee, 0);
  EXPECT_TRUE(Etat_Pt3);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_TRUE(Ignore_Relache);
  EXPECT_EQ(Largeur_Pic2, 2352);   // the guide follows the straight (horizontal) segment
  EXPECT_EQ(LigneCourante, 2);
}

// First and last vertex together: the segment points downwards.
TEST_F(SegmentTool, PolyClosedOnItsStartPointsDown) {
  startFunction(1);
  Mode_Pointage = true;
  event(kPoly, 1, 1000, 1000);
  event(kPoly, 1, 1300, 1400);
  event(kPoly, 1, 1000, 1000, platform::kRightButton);
  expectSegment(TabMesures(1).Seg(1), 1000, 1000, 1000, 2000);
  EXPECT_EQ(Pente_Ref, 34000.0);
}

// Spores in three dimensions: after the length, a right-button release asks pop3D;
// "épaisseur" makes the segment the thickness (step 3); Trace_Continu does the same
// without asking.
TEST_F(SegmentTool, ThicknessThroughPop3D) {
  startFunction(3);
  ASSERT_TRUE(Trace_Poly);
  drag(kBipoint, 1000, 1000, 1600, 1000);
  dialogs_->answerPopup(1);   // "épaisseur"
  drag(kBipoint, 1200, 1000, 1200, 1300, platform::kRightButton);
  ASSERT_FALSE(dialogs_->log().empty());
  EXPECT_EQ(dialogs_->log().back().items, (std::vector<std::string>{"Largeur", "épaisseur"}));
  expectSegment(TabMesures(1).Seg(3), 1200, 1000, 1200, 1300);
  EXPECT_EQ(row(1, 3), (std::vector<std::string>{"6.00", "", "3.00"}));
  EXPECT_EQ(LigneCourante, 2);

  drag(kPalmer, 1000, 1000, 1600, 1000);
  Trace_Continu = true;
  drag(kPalmer, 1200, 1000, 1350, 1250);
  expectSegment(TabMesures(2).Seg(3), 1200, 1000, 1200, 1250);
  EXPECT_EQ(LigneCourante, 3);
}

TEST_F(SegmentTool, Pop3DNeverPassesTheLastStep) {
  startFunction(3);
  EtapeClic = 3;
  PopExt_Click(2);
  EXPECT_EQ(EtapeClic, 3);
  EtapeClic = 2;
  PopExt_Click(1);
  EXPECT_EQ(EtapeClic, 2);
  PopExt_Click(2);
  EXPECT_EQ(EtapeClic, 3);
}

// Failures abandon the segment with each variant's message.
TEST_F(SegmentTool, FailuresAreReported) {
  startFunction(1);
  dialogs_->answerMsgBox(platform::vbOK);
  dialogs_->answerMsgBox(platform::vbOK);
  dialogs_->answerMsgBox(platform::vbOK);
  EtapeClic = 17;   // no such cell in a row
  drag(kBipoint, 500, 500, 900, 800);
  EXPECT_TRUE(PGr_Etat);
  EXPECT_FALSE(Etat_Pt1);
  PGr_Etat = false;
  drag(kPalmer, 500, 500, 900, 800);
  Mode_Pointage = true;
  EtapeClic = 21;
  RAZ_Compteurs_Points();
  event(kPoly, 1, 500, 500);
  event(kPoly, 1, 900, 500, platform::kRightButton);
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(101) + "101", MSG(101) + "102", MSG(77)}));
  EXPECT_EQ(LigneCourante, 1);
}

TEST_F(SegmentTool, IllustrationPointOnlyMovesTheFlags) {
  startFunction(1);
  int etape = 1, b = platform::kLeftButton, k = 1;
  Point_Illustration(etape, 300, 400, b, k);
  EXPECT_TRUE(Etat_Pt1);
  EXPECT_TRUE(Etat_Pt2);
  EXPECT_EQ(Depart_X, 300);
  EXPECT_EQ(Depart_Y, 400);
  k = 0;
  Point_Illustration(etape, 900, 900, b, k);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_FALSE(Etat_Pt2);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(Qvl().StatusBar1.simpleText(), MSG(163));
}

}  // namespace
