// Picture1's events on the real main window: real mouse and key events sent to the
// picture box go through the handlers, the dispatcher, the segment tool, the live
// display and the row writers; the grid, the statistics and TabMesures are read back.
#include "measure/picture_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "measure/dispatch.h"
#include "measure/redraw.h"
#include "measure/row_writers.h"
#include "picture_window.h"
#include "platform/colour.h"
#include "shell/function_switch.h"
#include "support/user_input.h"

namespace {

using namespace picture_window;

// --- pure ---------------------------------------------------------------------------

TEST(StepPrompt, CystidiaStepsOnly) {
  // Function 4: steps 1 to 3; functions 5 and 6: steps 1 to 5 (272 is function 4's).
  EXPECT_EQ(Consigne_Etape(4, 1), 270);
  EXPECT_EQ(Consigne_Etape(4, 2), 271);
  EXPECT_EQ(Consigne_Etape(4, 3), 272);
  EXPECT_EQ(Consigne_Etape(4, 4), 0);
  for (int f : {5, 6}) {
    EXPECT_EQ(Consigne_Etape(f, 1), 270);
    EXPECT_EQ(Consigne_Etape(f, 2), 271);
    EXPECT_EQ(Consigne_Etape(f, 3), 273);
    EXPECT_EQ(Consigne_Etape(f, 4), 274);
    EXPECT_EQ(Consigne_Etape(f, 5), 275);
    EXPECT_EQ(Consigne_Etape(f, 6), 0);
    EXPECT_EQ(Consigne_Etape(f, 0), 0);
  }
  EXPECT_EQ(Consigne_Etape(2, 1), 0);
  EXPECT_EQ(Consigne_Etape(3, 2), 0);
}

// --- on the window ------------------------------------------------------------------

constexpr platform::Colour kBlack = 0x000000;

class PictureEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    shownWindow(r_);
    keepMeasuringState(r_, 20);
    QVL& f = Qvl();
    r_.keep(Calib_Images);
    r_.keep(ValEtapes);
    r_.keep(ValMesure);
    r_.keep(Trace_Poly);
    r_.keep(NbPoints_Copie);
    r_.keep(Der_Colonne);
    const int fonction = FonctionCourante;
    const int stat = f.Check(3).value();
    const bool frame6 = f.Frame(6).visible();
    const int affmesure = f.Affmesure.value();
    const std::string label9 = f.label(9).caption();
    const platform::Colour bout5 = f.Bout(5).backColor();
    const int pointer = f.Picture1.mousePointer();
    std::vector<bool> pclic;
    for (int i = 1; i <= 4; ++i) pclic.push_back(f.Pclic(i).checked());
    const double vl = f.VignP.left(), vt = f.VignP.top();
    r_.then([fonction, stat, frame6, affmesure, label9, bout5, pointer, pclic, vl, vt] {
      QVL& g = Qvl();
      if (g.windowState() != platform::kNormal) g.setWindowState(platform::kNormal);
      platform::DoEvents();
      g.GrilleRef.setRows(1);
      g.MGrille.setRows(1);
      Choix_Fonction_Mesure(fonction);
      g.Check(3).setValue(stat);
      g.Frame(6).setVisible(frame6);
      g.Affmesure.setValue(affmesure);
      g.label(9).setCaption(label9);
      g.Bout(5).setBackColor(bout5);
      g.Picture1.setMousePointer(pointer);
      for (int i = 1; i <= 4; ++i) g.Pclic(i).setChecked(pclic[static_cast<size_t>(i - 1)]);
      g.VignP.setLeft(vl);
      g.VignP.setTop(vt);
      if (g.Bout.exists(41)) g.Bout(41).setEnabled(true);
    });
    r_.then([] { platform::SetDecimalSeparator(0); });
    for (int i = 0; i <= 20; ++i) TabMesures(i) = Mesure{};
    picture_window::standardMeasuringState();
    Expo_Zoom_Initial = 0;
    Trace_Ok = false;
    f.Affmesure.setValue(0);
  }

  // Lays the grids out for `fonction` on an empty grid and table.
  void startFunction(int fonction) {
    QVL& f = Qvl();
    f.GrilleRef.setRows(1);
    f.MGrille.setRows(1);
    for (int i = 0; i <= 20; ++i) TabMesures(i) = Mesure{};
    ASSERT_TRUE(Choix_Fonction_Mesure(fonction));
    RAZ_Compteurs_Points();
    PGr_Etat = false;
  }

  // The whole position of Picture1 that the tools take for canvas pixel px: the
  // event's position (px x units per pixel) rounded, halves to even.
  static int pt(int px) { return platform::CInt(px * unitsPerPixel()); }

  // The rounded corrected length of the segment between canvas pixels (x1, y1) and
  // (x2, y2) at zoom factor k with the resolution factor fr:
  // CInt(Sqr(dx^2 + dy^2) x k x fr), dx and dy between the whole positions.
  static int lengthOf(int x1, int y1, int x2, int y2, double k, double fr) {
    const double dx = pt(x2) - pt(x1), dy = pt(y2) - pt(y1);
    return platform::CInt(std::sqrt(dx * dx + dy * dy) * k * fr);
  }

  std::string cell(int r, int c) const { return Qvl().GrilleRef.textMatrix(r, c); }

  Restorer r_;
  TempFolder dir_;
};

// Three spores in function 2, each a horizontal length dragged with the left button
// and a width whose release lies below and to the right of its press: the "Palmer"
// guide makes the width vertical (foot of the perpendicular at the press point's X).
TEST_F(PictureEvents, ThreeSporesMeasuredWithTheMouse) {
  QVL& f = Qvl();
  Indep_Resol = false;   // resolution factor 400 x 0.001 = 0.4
  Calibrage = 0.05;      // whole lengths x 0.05: at most two decimals
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
  startFunction(2);
  f.Check(3).setValue(1);
  f.Frame(6).setVisible(true);
  const double E = (400 * 2540.0 / 96.0) / 11761.2;   // Echelle of the 400-pixel picture
  ASSERT_NEAR(Echelle, E, 1e-12);
  struct Spore {
    int x, y, length, width;
  };
  const Spore spores[] = {{40, 40, 300, 120}, {40, 170, 280, 110}, {60, 300, 260, 100}};
  std::vector<double> lengths;
  for (const Spore& s : spores) {
    drag(s.x, s.y, s.x + s.length, s.y);
    drag(s.x + 20, s.y, s.x + 20 + 7, s.y + s.width);
    lengths.push_back(lengthOf(s.x, s.y, s.x + s.length, s.y, 1, 0.4) * 0.05);
  }
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_EQ(EtapeClic, 1);
  ASSERT_GE(f.GrilleRef.cols(), 7);
  for (int i = 0; i < 3; ++i) {
    const Spore& s = spores[i];
    const int row = i + 1;
    const double len = lengthOf(s.x, s.y, s.x + s.length, s.y, 1, 0.4) * 0.05;
    const double wid = lengthOf(s.x + 20, s.y, s.x + 20, s.y + s.width, 1, 0.4) * 0.05;
    EXPECT_EQ(cell(row, 0), std::to_string(row));
    EXPECT_EQ(cell(row, 1), platform::Format(len, "###0.00")) << "row " << row;
    EXPECT_EQ(cell(row, 2), platform::Format(wid, "###0.00")) << "row " << row;
    EXPECT_EQ(cell(row, 3), platform::Format(len / wid, "###0.00")) << "row " << row;
    EXPECT_EQ(cell(row, 4), platform::Format(wid * len * wid * 3.14159 / 6, "###0.0")) << "row " << row;
    EXPECT_EQ(cell(row, 5), "1");
    EXPECT_EQ(cell(row, 6), "");
    // The six segments in picture units: X = x x K_Zoom x Echelle + Larg_Affichee.
    const Mesure& m = TabMesures(row);
    EXPECT_NEAR(m.Seg(1).X1, pt(s.x) * E, 1e-6);
    EXPECT_NEAR(m.Seg(1).Y1, pt(s.y) * E, 1e-6);
    EXPECT_NEAR(m.Seg(1).X2, pt(s.x + s.length) * E, 1e-6);
    EXPECT_NEAR(m.Seg(1).Y2, pt(s.y) * E, 1e-6);
    EXPECT_NEAR(m.Seg(2).X1, pt(s.x + 20) * E, 1e-6);
    EXPECT_NEAR(m.Seg(2).Y1, pt(s.y) * E, 1e-6);
    EXPECT_NEAR(m.Seg(2).X2, pt(s.x + 20) * E, 1e-6);   // the foot, not the release point
    EXPECT_NEAR(m.Seg(2).Y2, pt(s.y + s.width) * E, 1e-6);
    EXPECT_EQ(m.NumImage, 1);
    EXPECT_EQ(m.ExpZoom, 0);
    EXPECT_TRUE(Cellule_Vide(m.Seg(3)));
  }
  // The statistics rows follow: mean, minimum and maximum of the lengths.
  const double mean = (lengths[0] + lengths[1] + lengths[2]) / 3;
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 0), "Moy");
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 1), platform::Format(mean, "###0.00"));
  EXPECT_EQ(f.GrilleRefP.textMatrix(2, 1), platform::Format(lengths[2], "###0.00"));
  EXPECT_EQ(f.GrilleRefP.textMatrix(3, 1), platform::Format(lengths[0], "###0.00"));
}

// The same picture length measured at two zoom levels: at the second level (four
// Base_Zoom steps in, factor 1 / 1.4142136^2 = 1 / 2.0000001064) the same points lie
// twice as far apart on the screen. Mouse positions fall on whole canvas pixels; with a
// 30-pixel picture (resolution factor 0.03) one pixel is worth less than one length
// unit, so the pixels nearest to a length of 100 units give exactly 100 at both levels.
TEST_F(PictureEvents, SameLengthAtTwoZoomLevels) {
  Indep_Resol = false;
  Calibrage = 1;
  ASSERT_TRUE(loadPlainPicture(dir_, 30, 20, kBlack));
  startFunction(1);
  const double u = unitsPerPixel();
  ASSERT_LT(u * 0.03, 1.0);
  const int d = static_cast<int>(std::lround(100 / (u * 0.03)));
  drag(10, 20, 10 + d, 20);
  Expo_Zoom = -4;
  Retrace(0);   // K_Zoom follows Expo_Zoom and the view is repainted
  ASSERT_NEAR(K_Zoom, 1 / 2.0000001064, 1e-9);
  drag(20, 40, 20 + 2 * d, 40);
  ASSERT_EQ(LigneCourante, 3);
  EXPECT_EQ(cell(1, 1), "100.00");
  EXPECT_EQ(cell(2, 1), "100.00");
  // Both stored in the same picture units, to within a pixel of the first level.
  const double pixel = u * Echelle;
  EXPECT_NEAR(TabMesures(1).Seg(1).X1, TabMesures(2).Seg(1).X1, pixel);
  EXPECT_NEAR(TabMesures(1).Seg(1).X2, TabMesures(2).Seg(1).X2, pixel);
  EXPECT_NEAR(TabMesures(1).Seg(1).Y1, TabMesures(2).Seg(1).Y1, pixel);
  EXPECT_EQ(TabMesures(1).ExpZoom, 0);
  EXPECT_EQ(TabMesures(2).ExpZoom, -4);
}

// The same picture length in a normal and in a maximised window. Mouse positions fall on
// whole canvas pixels, whose size in units of Picture1 depends on the window; with a
// 30-pixel picture (resolution factor 0.03) one pixel is worth less than one length
// unit, so the pixels nearest to a length of 100 units give exactly 100 in both.
TEST_F(PictureEvents, SameLengthInANormalAndAMaximisedWindow) {
  QVL& f = Qvl();
  Indep_Resol = false;
  Calibrage = 1;
  ASSERT_TRUE(loadPlainPicture(dir_, 30, 20, kBlack));
  startFunction(1);
  const double uNormal = unitsPerPixel();
  const int canvasNormal = f.Picture1.canvasWidthPixels();
  ASSERT_LT(uNormal * 0.03, 1.0);
  const int dNormal = static_cast<int>(std::lround(100 / (uNormal * 0.03)));
  drag(20, 30, 20 + dNormal, 30);
  f.setWindowState(platform::kMaximized);
  platform::DoEvents();
  const double uMax = unitsPerPixel();
  EXPECT_NE(f.Picture1.canvasWidthPixels(), canvasNormal) << "the picture box kept its size";
  EXPECT_DOUBLE_EQ(f.Picture1.scaleWidth(), 11761.2);
  ASSERT_LT(uMax * 0.03, 1.0);
  const int dMax = static_cast<int>(std::lround(100 / (uMax * 0.03)));
  drag(20, 30, 20 + dMax, 30);
  f.setWindowState(platform::kNormal);
  platform::DoEvents();
  ASSERT_EQ(LigneCourante, 3);
  EXPECT_EQ(cell(1, 1), "100.00");
  EXPECT_EQ(cell(2, 1), "100.00");
}

// Segments measured with the mouse on two images, then a zoom by the "Z+" button and
// a pan with Ctrl held: every segment of the image shown is drawn again where its
// stored picture units now fall, and none of the other image.
TEST_F(PictureEvents, MeasuredSegmentsFollowAZoomAndAPan) {
  QVL& f = Qvl();
  Indep_Resol = true;
  Calibrage = 0.1;
  CouleursTrace(0) = 12;
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
  startFunction(2);
  drag(100, 60, 300, 60);     // image 1: length
  drag(150, 60, 157, 160);    // width, vertical through the Palmer foot
  Index_Image = 2;
  drag(100, 250, 300, 250);   // image 2
  drag(150, 250, 157, 320);
  Index_Image = 1;
  ASSERT_EQ(LigneCourante, 3);
  user::click(f.Czoom(0));         // "Z+": one step in, then the redraw
  EXPECT_EQ(Expo_Zoom, -Pas_Zoom);
  key(QEvent::KeyPress, Qt::Key_Control);
  EXPECT_TRUE(Mode_Main);
  const std::int32_t larg = Larg_Affichee, haut = Haut_Affichee;
  mouse(QEvent::MouseButtonPress, Qt::LeftButton, 300, 200);
  mouse(QEvent::MouseButtonRelease, Qt::LeftButton, 260, 170);
  EXPECT_GT(Larg_Affichee, larg);   // the picture followed the mouse to the left
  EXPECT_GT(Haut_Affichee, haut);
  key(QEvent::KeyRelease, Qt::Key_Control);
  EXPECT_FALSE(Mode_Main);
  EXPECT_EQ(LigneCourante, 3);      // nothing was measured meanwhile
  const platform::Colour red = platform::QBColor(12);
  const double u = unitsPerPixel();
  // Where a stored point falls now: (X - Larg_Affichee) / (Base_Zoom ^ Expo_Zoom x Echelle).
  const double k = std::pow(std::sqrt(1.4142136), Expo_Zoom) * Echelle;
  auto middle = [&](const Segment& s, double& x, double& y) {
    x = ((s.X1 + s.X2) / 2 - Larg_Affichee) / k;
    y = ((s.Y1 + s.Y2) / 2 - Haut_Affichee) / k;
  };
  double x = 0, y = 0;
  middle(TabMesures(1).Seg(1), x, y);
  EXPECT_EQ(f.Picture1.point(x, y), red);
  EXPECT_EQ(f.Picture1.point(x, y - 3 * u), kBlack);
  middle(TabMesures(1).Seg(2), x, y);
  EXPECT_EQ(f.Picture1.point(x, y), red);
  EXPECT_EQ(f.Picture1.point(x + 3 * u, y), kBlack);
  middle(TabMesures(2).Seg(1), x, y);
  ASSERT_LT(y, f.Picture1.scaleHeight());
  EXPECT_EQ(f.Picture1.point(x, y), kBlack);
  middle(TabMesures(2).Seg(2), x, y);
  EXPECT_EQ(f.Picture1.point(x, y), kBlack);
}

// A bar button abandons no segment when none is open: the first drag after it is
// measured whole, and so is the next one.
TEST_F(PictureEvents, FirstDragAfterABarButtonIsMeasured) {
  QVL& f = Qvl();
  Indep_Resol = true;
  Calibrage = 0.1;
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
  startFunction(1);
  f.StatusBar1.setSimpleText("avant");
  QWidget* retrace = f.Bout(1).widget();
  ASSERT_EQ(f.Bout(1).caption(), "retrace");
  clickWidget(retrace, retrace->rect().center());
  ASSERT_EQ(f.StatusBar1.simpleText(), "");   // the button's handler ran
  drag(40, 40, 240, 40);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_EQ(cell(1, 1), platform::Format(lengthOf(40, 40, 240, 40, 1, 1) * 0.1, "###0.00"));
  drag(40, 100, 140, 160);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(cell(2, 1), platform::Format(lengthOf(40, 100, 140, 160, 1, 1) * 0.1, "###0.00"));
}

// Rows name their image by number: while the picture shown is not a listed image the
// tools do nothing and the status bar asks for an image.
TEST_F(PictureEvents, NothingIsMeasuredWithoutAListedImage) {
  QVL& f = Qvl();
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
  startFunction(1);
  Index_Image = 0;
  drag(40, 40, 240, 40);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_TRUE(Cellule_Vide(TabMesures(1).Seg(1)));
  EXPECT_EQ(cell(1, 1), "");
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(240));
  Index_Image = 1;
  drag(40, 40, 240, 40);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(TabMesures(1).NumImage, 1);
}

// The Palmer guide of the last move stays on the picture after the width's release,
// in the second trace colour (not inverted over the picture); the width, drawn after
// its end's cross mark, is in the first.
TEST_F(PictureEvents, PalmerGuideStaysInTheTraceColour) {
  QVL& f = Qvl();
  const platform::Colour grey = 0x808080;
  CouleursTrace(0) = 12;
  CouleursTrace(1) = 10;
  const platform::Colour green = platform::QBColor(10);
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, grey));
  startFunction(2);
  drag(40, 100, 300, 100);    // horizontal length: the guide is horizontal
  drag(150, 100, 157, 160);   // width: released at (157, 160)
  ASSERT_EQ(LigneCourante, 2);
  const double u = unitsPerPixel();
  // The guide through the release point, away from its cross mark.
  EXPECT_EQ(f.Picture1.point(197 * u, pt(160)), green);
  EXPECT_EQ(f.Picture1.point(117 * u, pt(160)), green);
  // The width, from the press point down to the foot of the perpendicular.
  EXPECT_EQ(f.Picture1.point(pt(150), 130 * u), platform::QBColor(12));
  EXPECT_EQ(f.Picture1.point(197 * u, 130 * u), grey);
}

TEST_F(PictureEvents, StepPromptWhileTheMouseMoves) {
  QVL& f = Qvl();
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
  startFunction(6);
  EtapeClic = 5;
  f.StatusBar1.setSimpleText("avant");
  mouse(QEvent::MouseMove, Qt::NoButton, 30, 30);
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(275));
  startFunction(4);
  EtapeClic = 4;
  f.StatusBar1.setSimpleText("avant");
  mouse(QEvent::MouseMove, Qt::NoButton, 31, 30);
  EXPECT_EQ(f.StatusBar1.simpleText(), "avant");
  EtapeClic = 2;
  mouse(QEvent::MouseMove, Qt::NoButton, 32, 30);
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(271));
}

// While a segment is open the rubber band follows the mouse and the live value shows
// the calibrated length under Format_Decimal.
TEST_F(PictureEvents, RubberBandAndLiveValueFollowTheMouse) {
  QVL& f = Qvl();
  Indep_Resol = true;
  Calibrage = 0.1;
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
  startFunction(1);
  mouse(QEvent::MouseButtonPress, Qt::LeftButton, 40, 40);
  mouse(QEvent::MouseMove, Qt::NoButton, 240, 40);
  const double u = unitsPerPixel();
  EXPECT_EQ(f.label(9).caption(), platform::Format(lengthOf(40, 40, 240, 40, 1, 1) * 0.1, "###0.00"));
  // The band is on the picture between the two points, and gone from an earlier place.
  EXPECT_NE(f.Picture1.point(140 * u, 40 * u), kBlack);
  mouse(QEvent::MouseMove, Qt::NoButton, 40, 200);
  EXPECT_EQ(f.Picture1.point(140 * u, 40 * u), kBlack);
  EXPECT_NE(f.Picture1.point(40 * u, 120 * u), kBlack);
  EXPECT_EQ(f.label(9).caption(), platform::Format(lengthOf(40, 40, 40, 200, 1, 1) * 0.1, "###0.00"));
  mouse(QEvent::MouseButtonRelease, Qt::LeftButton, 40, 200);
  EXPECT_EQ(LigneCourante, 2);
  // With Trace_Ok set nothing follows the mouse.
  Trace_Ok = true;
  mouse(QEvent::MouseButtonPress, Qt::LeftButton, 100, 40);
  f.label(9).setCaption("fixe");
  mouse(QEvent::MouseMove, Qt::NoButton, 300, 40);
  EXPECT_EQ(f.label(9).caption(), "fixe");
}

TEST_F(PictureEvents, KeyHeldWhileTheKeyRoutinesRun) {
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
  key(QEvent::KeyPress, Qt::Key_V);
  EXPECT_TRUE(Touche_Enfoncee);
  EXPECT_TRUE(Pan_Actif);
  key(QEvent::KeyRelease, Qt::Key_V);
  EXPECT_FALSE(Touche_Enfoncee);
  EXPECT_FALSE(Pan_Actif);
  // "Z" held: the next click zooms in on the point instead of measuring.
  startFunction(1);
  const int expo = Expo_Zoom;
  key(QEvent::KeyPress, Qt::Key_Z);
  EXPECT_TRUE(Pan_Etat2);
  EXPECT_TRUE(Loupe_Active);
  mouse(QEvent::MouseButtonPress, Qt::LeftButton, 200, 150);
  mouse(QEvent::MouseButtonRelease, Qt::LeftButton, 200, 150);
  EXPECT_EQ(Expo_Zoom, expo - Pas_Zoom);
  EXPECT_FALSE(Etat_Pt1);
  EXPECT_EQ(LigneCourante, 1);
  key(QEvent::KeyRelease, Qt::Key_Z);
  EXPECT_FALSE(Pan_Etat2);
  EXPECT_FALSE(Loupe_Active);
}

TEST_F(PictureEvents, ClickToleranceMenu) {
  QVL& f = Qvl();
  Tol_Clic = 10;
  user::click(f.Pclic(3));
  EXPECT_EQ(Tol_Clic, 30);
  EXPECT_FALSE(f.Pclic(1).checked());
  EXPECT_FALSE(f.Pclic(2).checked());
  EXPECT_TRUE(f.Pclic(3).checked());
  EXPECT_FALSE(f.Pclic(4).checked());
  Pclic_Click(1);
  EXPECT_EQ(Tol_Clic, 10);
  EXPECT_TRUE(f.Pclic(1).checked());
  EXPECT_FALSE(f.Pclic(3).checked());
  Pclic_Click(9);   // not an item: nothing
  EXPECT_EQ(Tol_Clic, 10);
}

TEST_F(PictureEvents, HandModeDisplay) {
  QVL& f = Qvl();
  f.Picture1.setMousePointer(0);
  Mode_Main = true;
  DeplaceMain();
  EXPECT_EQ(f.Bout(5).backColor(), 0xC0FFC0u);
  EXPECT_EQ(f.Picture1.mousePointer(), 5);
  Mode_Main = false;
  DeplaceMain();
  EXPECT_EQ(f.Bout(5).backColor(), platform::kButtonFace);
  EXPECT_EQ(f.Picture1.mousePointer(), 0);
}

// The preview frames the pixels a click there would sample (the colour tests check
// which) and goes with the next move (the picture comes back from Image1).
TEST_F(PictureEvents, ColourZonePreviewFollowsTheMouse) {
  QVL& f = Qvl();
  ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, kBlack));
  Restorer r;
  r.keep(FonctionCourante);
  FonctionCourante = 20;
  Taille_Zone = 1;   // three pixels a side
  f.Picture1.setForeColor(0x00FFFF);
  f.Image1.setPicture(f.Picture1.image());
  const double u = unitsPerPixel();
  // Yellow on the row of canvas pixel (x, y) on both sides of x within n pixels.
  auto encadre = [&](int x, int y, int n) {
    bool gauche = false, droite = false;
    for (int i = 1; i <= n; ++i) {
      gauche = gauche || f.Picture1.point((x - i) * u, y * u) == 0x00FFFFu;
      droite = droite || f.Picture1.point((x + i) * u, y * u) == 0x00FFFFu;
    }
    return gauche && droite && f.Picture1.point(x * u, y * u) == kBlack;
  };
  mouse(QEvent::MouseMove, Qt::NoButton, 100, 80);
  EXPECT_TRUE(encadre(100, 80, 10));
  mouse(QEvent::MouseMove, Qt::NoButton, 150, 80);
  EXPECT_FALSE(encadre(100, 80, 10));
  EXPECT_TRUE(encadre(150, 80, 10));
}

TEST_F(PictureEvents, WindowClickGoesToThePanels) {
  QVL& f = Qvl();
  ASSERT_TRUE(static_cast<bool>(f.onMouseDown));
  Pan_Actif = true;
  f.onMouseDown(1, 0, 1234, 2345);
  EXPECT_DOUBLE_EQ(f.VignP.left(), 1234);
  EXPECT_DOUBLE_EQ(f.VignP.top(), 2345);
  EXPECT_FALSE(Pan_Actif);
  EXPECT_EQ(Clic_X1, 1234);
  EXPECT_EQ(Clic_Y1, 2345);
}

}  // namespace
