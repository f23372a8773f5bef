// Redraw of the stored measurements: which rows and cells are drawn, where, in which
// colour, after a zoom and a pan; checked on the pixels of Picture1.
#include "measure/redraw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "images/picture_view.h"
#include "picture_window.h"

namespace {

using namespace picture_window;

// --- pure ---------------------------------------------------------------------------

TEST(RedrawRules, CellsVisitedBySegmentFunctions) {
  EXPECT_EQ(Cellules_Tracees(2, 2), 2);
  EXPECT_EQ(Cellules_Tracees(3, 3), 3);
  EXPECT_EQ(Cellules_Tracees(5, 9), 4);   // cystidia with five steps keep four segments
  EXPECT_EQ(Cellules_Tracees(6, 9), 5);
  EXPECT_EQ(Cellules_Tracees(1, 40), 16);  // never beyond the last cell
  EXPECT_EQ(Cellules_Tracees(1, -3), 0);
}

TEST(RedrawRules, CellEmptyOnlyWhenAllFourCoordinatesAreZero) {
  EXPECT_TRUE(Cellule_Vide(Segment{}));
  EXPECT_FALSE(Cellule_Vide(Segment{-50, 10, 300, 10}));   // panned past the left edge
  EXPECT_FALSE(Cellule_Vide(Segment{0, 0, 0, 1}));
  EXPECT_FALSE(Cellule_Vide(Segment{0, 0, 1, 0}));
}

TEST(RedrawRules, LastRowDrawn) {
  EXPECT_EQ(Derniere_Ligne_Tracee(7, false, false, 2), 7);
  // Counting mode: the row in progress is left out, except for functions 10 and 11.
  EXPECT_EQ(Derniere_Ligne_Tracee(7, true, false, 2), 6);
  EXPECT_EQ(Derniere_Ligne_Tracee(7, true, false, 10), 7);
  EXPECT_EQ(Derniere_Ligne_Tracee(7, true, false, 11), 7);
  // A count under way: always the rows before it.
  EXPECT_EQ(Derniere_Ligne_Tracee(7, true, true, 10), 6);
  EXPECT_EQ(Derniere_Ligne_Tracee(7, false, true, 10), 6);
  // Within the table.
  EXPECT_EQ(Derniere_Ligne_Tracee(3005, false, false, 2), 3000);
  EXPECT_EQ(Derniere_Ligne_Tracee(0, true, false, 2), 0);
}

// --- on the window ------------------------------------------------------------------

constexpr platform::Colour kBlack = 0x000000;
// Test picture: 400 x 300 black pixels, so 6000 x 4500 picture units (15 per pixel).
constexpr int kWidthPx = 400;
constexpr int kHeightPx = 300;
// Echelle of that picture: its width in HIMETRIC, 400 x 2540 / 96 = 10583.333, over the
// fixed scale width of Picture1, 11761.2.
constexpr double kEchelle = (400 * 2540.0 / 96.0) / 11761.2;

class RedrawWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    shownWindow(r_);
    keepMeasuringState(r_, 12);
    QVL& f = Qvl();
    const int aff = f.Affmesure.value(), mc0 = f.chkMC(0).value(), mc1 = f.chkMC(1).value();
    std::vector<std::string> mc;
    for (int i = 0; i < f.ListImgMC.listCount(); ++i) mc.push_back(f.ListImgMC.list(i));
    const platform::Colour bout9 = f.Bout(9).backColor();
    r_.then([aff, mc0, mc1, mc, bout9] {
      QVL& g = Qvl();
      g.Affmesure.setValue(aff);
      g.chkMC(0).setValue(mc0);
      g.chkMC(1).setValue(mc1);
      g.ListImgMC.clear();
      for (const std::string& s : mc) g.ListImgMC.addItem(s);
      g.Bout(9).setBackColor(bout9);
    });
    r_.then([] { platform::SetDecimalSeparator(0); });
    f.Affmesure.setValue(0);
    f.chkMC(0).setValue(0);
    f.chkMC(1).setValue(0);
    f.ListImgMC.clear();
    Zoom_Auto = true;
    Retrace_Zoom = true;
    ASSERT_TRUE(loadPlainPicture(dir_, kWidthPx, kHeightPx, kBlack));
    for (int i = 0; i <= 12; ++i) TabMesures(i) = Mesure{};
    FonctionCourante = 2;
    NbCellules = 2;
    CouleursTrace(0) = 12;
    CouleursTrace(1) = 10;
    Index_Image = 1;
    Mode_Comptage = false;
    Comptage_Actif = false;
    Expo_Zoom = 0;
    Larg_Affichee = 0;
    Haut_Affichee = 0;
    u_ = unitsPerPixel();
  }

  // Stores a finished row of two segments (picture units) measured on image `image`.
  static void store(int row, int image, Segment a, Segment b) {
    Mesure& m = TabMesures(row);
    m.Seg(1) = a;
    m.Seg(2) = b;
    m.NumImage = image;
    m.ExpZoom = 0;
  }

  // Position in units of Picture1 of a stored point, for zoom exponent e and the view
  // offsets: (X - offset) / (Base_Zoom ^ e x Echelle).
  static double screen(double X, double offset, int e) {
    return (X - offset) / (std::pow(std::sqrt(1.4142136), e) * kEchelle);
  }

  platform::Colour at(double x, double y) const { return Qvl().Picture1.point(x, y); }
  // True when one of the pixels at and around (x, y) (one pixel each way) shows c.
  bool near(double x, double y, platform::Colour c) const {
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j)
        if (at(x + i * u_, y + j * u_) == c) return true;
    return false;
  }

  // True when the middle of the stored horizontal segment (x1..x2 at y) shows `c` on
  // the line and black two pixels above and below it.
  ::testing::AssertionResult horizontalDrawn(double X1, double X2, double Y, platform::Colour c) const {
    const double x = screen((X1 + X2) / 2, Larg_Affichee, Expo_Zoom);
    const double y = screen(Y, Haut_Affichee, Expo_Zoom);
    if (at(x, y) != c) return ::testing::AssertionFailure() << "colour " << at(x, y) << " on the line";
    if (at(x, y - 3 * u_) != kBlack || at(x, y + 3 * u_) != kBlack)
      return ::testing::AssertionFailure() << "line not at its place";
    return ::testing::AssertionSuccess();
  }
  ::testing::AssertionResult verticalDrawn(double X, double Y1, double Y2, platform::Colour c) const {
    const double x = screen(X, Larg_Affichee, Expo_Zoom);
    const double y = screen((Y1 + Y2) / 2, Haut_Affichee, Expo_Zoom);
    if (at(x, y) != c) return ::testing::AssertionFailure() << "colour " << at(x, y) << " on the line";
    if (at(x - 3 * u_, y) != kBlack || at(x + 3 * u_, y) != kBlack)
      return ::testing::AssertionFailure() << "line not at its place";
    return ::testing::AssertionSuccess();
  }

  Restorer r_;
  TempFolder dir_;
  double u_ = 1;
};

// Rows 1, 2 and 4 belong to image 1, row 3 to image 2; each row is a horizontal
// length and a vertical width, far from the others and from the row-number labels.
void storeFourRows() {
  auto h = [](double x1, double x2, double y) { return Segment{x1, y, x2, y}; };
  auto v = [](double x, double y1, double y2) { return Segment{x, y1, x, y2}; };
  TabMesures(1) = Mesure{};
  Mesure* m = &TabMesures(1);
  m->Seg(1) = h(1000, 2400, 800); m->Seg(2) = v(3000, 500, 1500); m->NumImage = 1;
  m = &TabMesures(2);
  m->Seg(1) = h(1000, 2400, 2200); m->Seg(2) = v(3000, 1900, 2900); m->NumImage = 1;
  m = &TabMesures(3);
  m->Seg(1) = h(3800, 5200, 800); m->Seg(2) = v(5600, 500, 1500); m->NumImage = 2;
  m = &TabMesures(4);
  m->Seg(1) = h(3800, 5200, 2200); m->Seg(2) = v(5600, 1900, 2900); m->NumImage = 1;
  LigneCourante = 5;
}

TEST_F(RedrawWindow, AfterZoomAndPanEveryRowOfTheImageIsDrawnAtItsPlace) {
  storeFourRows();
  const platform::Colour red = platform::QBColor(12);
  Retrace(0);
  EXPECT_DOUBLE_EQ(Echelle, kEchelle);
  EXPECT_TRUE(horizontalDrawn(1000, 2400, 800, red));
  EXPECT_TRUE(verticalDrawn(5600, 1900, 2900, red));
  // Zoom in two steps (factor 1 / 1.4142136) and pan to (700, 400).
  Expo_Zoom = -2;
  Larg_Affichee = 700;
  Haut_Affichee = 400;
  Retrace(0);
  EXPECT_NEAR(K_Zoom, 1 / 1.4142136, 1e-9);
  EXPECT_TRUE(horizontalDrawn(1000, 2400, 800, red));
  EXPECT_TRUE(verticalDrawn(3000, 500, 1500, red));
  EXPECT_TRUE(horizontalDrawn(1000, 2400, 2200, red));
  EXPECT_TRUE(verticalDrawn(3000, 1900, 2900, red));
  EXPECT_TRUE(horizontalDrawn(3800, 5200, 2200, red));
  EXPECT_TRUE(verticalDrawn(5600, 1900, 2900, red));
  // Row 3 belongs to image 2: not drawn.
  EXPECT_TRUE(horizontalDrawn(3800, 5200, 800, kBlack));
  EXPECT_TRUE(verticalDrawn(5600, 500, 1500, kBlack));
  // Crosses at both ends: the vertical arm of the cross at the start of row 1's length.
  const double x1 = screen(1000, 700, -2), y1 = screen(800, 400, -2);
  EXPECT_EQ(at(x1, y1 - 60), red);
  EXPECT_EQ(at(x1, y1 + 60), red);
}

TEST_F(RedrawWindow, OtherImagesInTheSecondColourWhenBothBoxesAreTicked) {
  storeFourRows();
  QVL& f = Qvl();
  f.chkMC(0).setValue(1);
  f.chkMC(1).setValue(0);
  Retrace(0);
  EXPECT_TRUE(horizontalDrawn(3800, 5200, 800, kBlack));
  f.chkMC(1).setValue(1);
  Retrace(0);
  EXPECT_TRUE(horizontalDrawn(3800, 5200, 800, platform::QBColor(10)));
  EXPECT_TRUE(horizontalDrawn(3800, 5200, 2200, platform::QBColor(12)));
}

TEST_F(RedrawWindow, EmptyTableDrawsNothing) {
  LigneCourante = 1;
  TabMesures(1).NumImage = 1;
  Retrace(0);
  QVL& f = Qvl();
  // The picture is the bare view kept in ImageMem.
  EXPECT_EQ(f.Picture1.image().bmpBytes(), f.ImageMem.picture().bmpBytes());
}

TEST_F(RedrawWindow, RowInProgressShowsItsFinishedCellsOnly) {
  storeFourRows();
  // Row 5, in progress: its length only.
  TabMesures(5).Seg(1) = Segment{1000, 3600, 2400, 3600};
  TabMesures(5).NumImage = 1;
  // Row 6 would never be visited (beyond the cursor).
  TabMesures(6).Seg(1) = Segment{3800, 3600, 5200, 3600};
  TabMesures(6).NumImage = 1;
  Retrace(0);
  EXPECT_TRUE(horizontalDrawn(1000, 2400, 3600, platform::QBColor(12)));
  EXPECT_TRUE(horizontalDrawn(3800, 5200, 3600, kBlack));
  int fin = 7;
  Trace_Segment(5, fin);
  EXPECT_EQ(fin, 1);
  Trace_Segment(4, fin);
  EXPECT_EQ(fin, 0);
  Trace_Segment(3001, fin);   // outside the table: nothing, the walk stops
  EXPECT_EQ(fin, 1);
}

TEST_F(RedrawWindow, CellLeftOfTheShownPartIsDrawnAndSoAreTheRowsAfterIt) {
  storeFourRows();
  // Row 1 measured while the view was panned past the left edge: X1 < 0.
  TabMesures(1).Seg(1) = Segment{-400, 800, 2400, 800};
  Retrace(0);
  const platform::Colour red = platform::QBColor(12);
  // Its visible part is drawn (the middle of 0..2400), and the rows after it.
  EXPECT_TRUE(horizontalDrawn(0, 2400, 800, red));
  EXPECT_TRUE(horizontalDrawn(1000, 2400, 2200, red));
  EXPECT_TRUE(verticalDrawn(5600, 1900, 2900, red));
}

TEST_F(RedrawWindow, MultiLayerStopsAtARowWithoutImageNumber) {
  storeFourRows();
  TabMesures(2).NumImage = 0;
  QVL& f = Qvl();
  f.ListImgMC.addItem("groupe");
  Retrace(0);
  EXPECT_TRUE(horizontalDrawn(1000, 2400, 800, platform::QBColor(12)));
  EXPECT_TRUE(horizontalDrawn(3800, 5200, 2200, kBlack));   // row 4: never reached
}

TEST_F(RedrawWindow, ActiveCountEndsAndItsRowIsLeftOut) {
  QVL& f = Qvl();
  FonctionCourante = 10;
  NbCellules = 3;
  // Row 1: two counted points; row 2 (the count under way): one.
  TabMesures(1).Seg(1) = Segment{1500, 1500, 0, 0};
  TabMesures(1).Seg(2) = Segment{3000, 1500, 0, 0};
  TabMesures(1).NumImage = 1;
  TabMesures(2).Seg(1) = Segment{4500, 3000, 0, 0};
  TabMesures(2).NumImage = 1;
  LigneCourante = 2;
  Mode_Comptage = true;
  Comptage_Actif = true;
  f.Bout(9).setBackColor(0x00FF00);
  Retrace(0);
  EXPECT_FALSE(Mode_Comptage);
  EXPECT_FALSE(Comptage_Actif);
  EXPECT_EQ(f.Bout(9).backColor(), platform::kButtonFace);
  const platform::Colour red = platform::QBColor(12);
  // Crosses of row 1 (right arm, away from the number printed at the point).
  EXPECT_EQ(at(screen(1500, 0, 0), screen(1500, 0, 0) - 60), red);
  EXPECT_EQ(at(screen(3000, 0, 0), screen(1500, 0, 0) - 60), red);
  // Row 2 is not drawn.
  EXPECT_EQ(at(screen(4500, 0, 0), screen(3000, 0, 0) - 60), kBlack);
}

TEST_F(RedrawWindow, PolygonRowsShowACircleOrAnArc) {
  FonctionCourante = 16;
  NbCellules = 1;
  TabMesures(1).Seg(1) = Segment{3000, 2250, 0, 0};
  TabMesures(1).NumImage = 1;
  LigneCourante = 2;
  Restorer r;
  r.keep(Courbe_Fermee);
  const platform::Colour red = platform::QBColor(12);
  const double x = screen(3000, 0, 0), y = screen(2250, 0, 0);
  Courbe_Fermee = true;
  Retrace(0);
  EXPECT_TRUE(near(x + 300, y, red));
  EXPECT_TRUE(near(x - 300, y, red));
  EXPECT_TRUE(near(x, y - 300, red));
  // Open polygon: the arc runs from 0.7 to 4.5 radians with aspect 0.5 (vertical
  // radius 150), so the point at angle 0 (right) is not on it and the one at angle pi
  // (left) is.
  Courbe_Fermee = false;
  Retrace(0);
  EXPECT_FALSE(near(x + 300, y, red));
  EXPECT_TRUE(near(x - 300, y, red));
  EXPECT_TRUE(near(x, y - 150, red));
  // Only rows below the cursor.
  LigneCourante = 1;
  Retrace(0);
  EXPECT_FALSE(near(x - 300, y, red));
}

TEST_F(RedrawWindow, NoPictureChangesNothing) {
  storeFourRows();
  QVL& f = Qvl();
  f.picbase.setPicture(platform::Picture());
  Echelle = 3.5;
  Retrace(1);
  EXPECT_DOUBLE_EQ(Echelle, 3.5);
}

}  // namespace
