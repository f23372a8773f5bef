// The picture view: loading, fitting, zoom buttons, zoom click, centring, panning,
// resizing and the thumbnail, on the real main window (offscreen); and the view's
// formulas on their own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "forms/main_window.h"
#include "images/image_files.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/drawing.h"
#include "measure/measure_state.h"
#include "picture_fixture.h"
#include "platform/colour.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "support/painted_picture.h"
#include "support/user_input.h"

using picture_tests::Motif;
using picture_tests::PictureWindow;

namespace {

// A 1200 x 900 picture: Wt = 1200 x 15 = 18000 picture units, Ht = 13500,
// Wm = 18000 x 2540 / 1440 = 31750; Echelle = 31750 / 11761.2.
constexpr double kWt = 18000, kHt = 13500, kWm = 31750;
constexpr double kEchelle = kWm / kLargeurEchellePicture1;
constexpr platform::Colour kGris = 0x808080;   // back colour of Picture1

double Base(int e) { return std::pow(std::sqrt(1.4142136), e); }

// Red level of Motif at the picture point px (picture units): pixel px / 15, red x / 5.
int RougeAttendu(double px) { return static_cast<int>(std::floor(px / 15.0)) / 5; }

class PictureView : public PictureWindow {
 protected:
  // Loads the 1200 x 900 test picture.
  void charge() { ASSERT_TRUE(Charge_Image_Memoire(bmp("a.bmp", 1200, 900))); }
  // Picture point at the horizontal position X of Picture1 with the current view.
  static double PointX(double X) { return Larg_Affichee + X * K_Zoom * Echelle; }
  static double PointY(double Y) { return Haut_Affichee + Y * K_Zoom * Echelle; }
  // Red level shown at (X, Y) of Picture1.
  static int RougeVu(double X, double Y) { return static_cast<int>(Qvl().Picture1.point(X, Y) & 0xFF); }
};

}  // namespace

// --- formulas -------------------------------------------------------------------------

TEST(PictureViewFormulas, NaturalSizeInHundredthsOfAMillimetre) {
  EXPECT_DOUBLE_EQ(Vue_Himetrique(18000), 31750);   // 18000 x 2540 / 1440
  EXPECT_DOUBLE_EQ(Vue_Himetrique(1440), 2540);
  EXPECT_DOUBLE_EQ(Vue_Himetrique(0), 0);
}

TEST(PictureViewFormulas, ZoomLabel) {
  platform::SetDecimalSeparator('.');
  // Int(100 / k + 0.5) x 0.005, worked out by hand: exponent 0 -> 100.5 -> 0.5;
  // -2 -> 141.92 -> 141 -> 0.705; -3 -> 168.68 -> 168 -> 0.84; -4 -> 200.5 -> 1.
  struct Case {
    double k;
    const char* text;
  };
  const Case cases[] = {
      {1.0, "Z= 0.5"},       {Base(-2), "Z= 0.705"}, {Base(-3), "Z= 0.84"},
      {Base(-4), "Z= 1"},    {Base(2), "Z= 0.355"},  // 70.71 + 0.5 -> 71
      {0.0, "Z= 0.5"},       {-3.0, "Z= 0.5"},       {std::nan(""), "Z= 0.5"},
  };
  for (const Case& c : cases) EXPECT_EQ(Texte_Facteur_Zoom(c.k), c.text) << c.k;
  platform::SetDecimalSeparator(',');
  EXPECT_EQ(Texte_Facteur_Zoom(Base(-2)), "Z= 0,705");
  platform::SetDecimalSeparator(0);
}

TEST(PictureViewFormulas, OffsetsAreRoundedAndSaturated) {
  // 0.5 x 2 x (100 - 50) + 10 = 60.
  EXPECT_EQ(Decalage_Centre(10, 0.5, 2, 100, 100), 60);
  // 1000 - 0.5 x 3 x 100 = 850; halves go to the even neighbour: 10 - 0.5 = 9.5 -> 10.
  EXPECT_EQ(Decalage_Deplace(1000, 0.5, 3, 100), 850);
  EXPECT_EQ(Decalage_Deplace(10, 1, 0.5, 1), 10);
  const auto maxi = std::numeric_limits<std::int32_t>::max();
  const auto mini = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(Decalage_Deplace(0, 16, 3, -1e12), maxi);
  EXPECT_EQ(Decalage_Deplace(0, 16, 3, 1e12), mini);
  EXPECT_EQ(Decalage_Centre(maxi, 16, 3, 1e9, 0), maxi);
  EXPECT_EQ(Decalage_Centre(0, std::nan(""), 3, 1, 0), 0);
}

TEST(PictureViewFormulas, ThumbnailPoint) {
  EXPECT_EQ(Point_Vignette(2440, 9000, 18000), 1220);
  EXPECT_EQ(Point_Vignette(2440, -4500, 18000), -610);
  EXPECT_EQ(Point_Vignette(2440, 9000, 0), 0);
  EXPECT_EQ(Point_Vignette(std::nan(""), 9000, 18000), 0);
}

// --- loading and fitting -------------------------------------------------------------

TEST_F(PictureView, OpeningShowsThePictureFittedAtMinus2) {
  QVL& f = Qvl();
  charge();
  EXPECT_EQ(Expo_Zoom, -2);
  EXPECT_EQ(Expo_Zoom_Initial, -2);
  EXPECT_NEAR(K_Zoom, Base(-2), 1e-15);
  EXPECT_EQ(f.label(2).caption(), "Z= 0.705");
  EXPECT_EQ(Larg_Affichee, 0);
  EXPECT_EQ(Haut_Affichee, 0);
  EXPECT_DOUBLE_EQ(Ratio_Image, 1200.0 / 900.0);
  EXPECT_DOUBLE_EQ(Echelle, kEchelle);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 1200);
  EXPECT_EQ(f.picbase.picture().heightPixels(), 900);

  // The picture spans Wt / (K x Wm) = 1440 / 2540 / 0.70711 = 80.2 % of the box width.
  const double sw = f.Picture1.scaleWidth();
  EXPECT_NE(f.Picture1.point(0.79 * sw, 500), kGris);
  EXPECT_EQ(f.Picture1.point(0.81 * sw, 500), kGris);
  // Each position shows the picture point offset + position x K_Zoom x Echelle.
  for (double X : {0.1 * sw, 0.45 * sw, 0.7 * sw}) {
    const double y = 0.3 * f.Picture1.scaleHeight();
    EXPECT_NEAR(RougeVu(X, y), RougeAttendu(PointX(X)), 1) << X;
    const int vert = static_cast<int>((f.Picture1.point(X, y) >> 8) & 0xFF);
    EXPECT_NEAR(vert, static_cast<int>(std::floor(PointY(y) / 15.0)) / 4, 1) << X;
  }
}

TEST_F(PictureView, HiddenCopiesFollowEveryRepaint) {
  QVL& f = Qvl();
  charge();
  Czoom_Click(0);
  const platform::Picture vue = f.Picture1.image();
  ASSERT_FALSE(vue.isNull());
  for (const platform::ImageBox* copie : {&f.ImageMem, &f.Image2, &f.Image1}) {
    const platform::Picture p = copie->picture();
    ASSERT_EQ(p.widthPixels(), vue.widthPixels());
    ASSERT_EQ(p.heightPixels(), vue.heightPixels());
    for (int x : {0, vue.widthPixels() / 3, vue.widthPixels() - 1})
      EXPECT_EQ(p.pixel(x, vue.heightPixels() / 2), vue.pixel(x, vue.heightPixels() / 2));
  }
}

TEST_F(PictureView, AFileThatCannotBeLoadedChangesNothing) {
  QVL& f = Qvl();
  charge();
  Czoom_Click(0);
  Larg_Affichee = 700;
  Haut_Affichee = 300;
  const double ratio = Ratio_Image, echelle = Echelle;
  const platform::Colour vu = f.Picture1.point(2000, 2000);
  ASSERT_TRUE(platform::saveFileAtomic(path("texte.bmp"), "not a picture"));
  // A placeable Windows metafile header.
  ASSERT_TRUE(platform::saveFileAtomic(path("dessin.wmf"), std::string("\xD7\xCD\xC6\x9A", 4) + std::string(60, '\0')));
  for (const std::string& p : {path("texte.bmp"), path("dessin.wmf"), path("absent.bmp"), std::string()}) {
    EXPECT_FALSE(Charge_Image_Memoire(p)) << p;
    EXPECT_EQ(f.picbase.picture().widthPixels(), 1200);
    EXPECT_EQ(Larg_Affichee, 700);
    EXPECT_EQ(Haut_Affichee, 300);
    EXPECT_EQ(Expo_Zoom, -3);
    EXPECT_DOUBLE_EQ(Ratio_Image, ratio);
    EXPECT_DOUBLE_EQ(Echelle, echelle);
    EXPECT_EQ(f.Picture1.point(2000, 2000), vu);
  }
}

TEST_F(PictureView, ASecondPictureKeepsTheZoomFromOffsetZero) {
  QVL& f = Qvl();
  charge();
  for (int i = 0; i < 3; ++i) Czoom_Click(0);
  ASSERT_EQ(Expo_Zoom, -5);
  Larg_Affichee = 700;
  Haut_Affichee = 300;
  ASSERT_TRUE(Charge_Image_Memoire(bmp("portrait.bmp", 600, 1200)));
  EXPECT_EQ(Expo_Zoom, -5);
  EXPECT_EQ(Larg_Affichee, 0);
  EXPECT_EQ(Haut_Affichee, 0);
  EXPECT_DOUBLE_EQ(Ratio_Image, 0.5);
  // 600 pixels: Wm = 9000 x 2540 / 1440 = 15875.
  EXPECT_DOUBLE_EQ(Echelle, 15875 / kLargeurEchellePicture1);
  // A portrait picture is painted to a height of Ratio_Image x the box width.
  const double sw = f.Picture1.scaleWidth();
  ASSERT_GT(f.Picture1.scaleHeight(), 0.55 * sw);
  EXPECT_NE(f.Picture1.point(100, 0.48 * sw), kGris);
  EXPECT_EQ(f.Picture1.point(100, 0.52 * sw), kGris);

  // With the multi-layer box ticked the offsets stay.
  user::setValue(f.chkMC(0), 1);
  Larg_Affichee = 700;
  Haut_Affichee = 300;
  ASSERT_TRUE(Charge_Image_Memoire(bmp("b.bmp", 1200, 900)));
  EXPECT_EQ(Larg_Affichee, 700);
  EXPECT_EQ(Haut_Affichee, 300);
  EXPECT_EQ(Expo_Zoom, -5);
}

// --- zoom buttons ---------------------------------------------------------------------

TEST_F(PictureView, ZoomButtonsFollowTheirTable) {
  QVL& f = Qvl();
  charge();
  Larg_Affichee = 1000;
  Haut_Affichee = 2000;
  user::click(f.Czoom(0));   // "Z+": one step in, about the top-left corner
  EXPECT_EQ(Expo_Zoom, -3);
  EXPECT_NEAR(K_Zoom, Base(-3), 1e-15);
  EXPECT_EQ(f.label(2).caption(), "Z= 0.84");
  EXPECT_EQ(Larg_Affichee, 1000);
  EXPECT_EQ(Haut_Affichee, 2000);
  EXPECT_NEAR(RougeVu(0, 0), RougeAttendu(1000), 1);
  user::click(f.Czoom(1));   // "Z-"
  EXPECT_EQ(Expo_Zoom, -2);
  EXPECT_EQ(f.label(2).caption(), "Z= 0.705");
  user::click(f.Czoom(1));
  user::click(f.Czoom(1));
  EXPECT_EQ(Expo_Zoom, 0);
  EXPECT_EQ(f.label(2).caption(), "Z= 0.5");
  user::click(f.Czoom(1));   // no zoom out from exponent 0
  EXPECT_EQ(Expo_Zoom, 0);
  user::click(f.Czoom(2));   // "Z1": the fitted view
  EXPECT_EQ(Expo_Zoom, -2);
  EXPECT_EQ(Larg_Affichee, 0);
  EXPECT_EQ(Haut_Affichee, 0);
  EXPECT_EQ(f.label(2).caption(), "Z= 0.705");
}

TEST_F(PictureView, StepButtonTogglesBetweenOneAndTwo) {
  QVL& f = Qvl();
  charge();
  EXPECT_EQ(f.Czoom(3).caption(), "<<");
  user::click(f.Czoom(3));
  EXPECT_EQ(Pas_Zoom, 2);
  EXPECT_EQ(f.Czoom(3).caption(), ">>");
  user::click(f.Czoom(0));
  EXPECT_EQ(Expo_Zoom, -4);
  EXPECT_EQ(f.label(2).caption(), "Z= 1");
  // "Z-" at exponent -1 with step 2 goes to +1.
  Expo_Zoom = -1;
  K_Zoom = Base(-1);
  user::click(f.Czoom(1));
  EXPECT_EQ(Expo_Zoom, 1);
  user::click(f.Czoom(1));   // only while the exponent is negative
  EXPECT_EQ(Expo_Zoom, 1);
  user::click(f.Czoom(3));
  EXPECT_EQ(Pas_Zoom, 1);
  EXPECT_EQ(f.Czoom(3).caption(), "<<");
}

TEST_F(PictureView, ZoomExponentStaysWithinItsBounds) {
  QVL& f = Qvl();
  charge();
  for (int i = 0; i < 60; ++i) user::click(f.Czoom(0));
  EXPECT_EQ(Expo_Zoom, kExpoZoomMin);
  EXPECT_TRUE(std::isfinite(K_Zoom));
  for (int i = 0; i < 60; ++i) Zoom_Clic(2, 0, 100, 100);
  EXPECT_EQ(Expo_Zoom, kExpoZoomMax);
  for (int i = 0; i < 120; ++i) Zoom_Clic(1, 0, 5000, 4000);
  EXPECT_EQ(Expo_Zoom, kExpoZoomMin);
  EXPECT_FALSE(f.label(2).caption().empty());
}

TEST_F(PictureView, ZoomButtonsWithNoPictureKeepTheView) {
  QVL& f = Qvl();
  ASSERT_TRUE(f.picbase.picture().isNull());
  user::click(f.Czoom(0));
  EXPECT_EQ(Expo_Zoom, -2);
  EXPECT_EQ(f.label(2).caption(), "Z= 0.705");
  EXPECT_EQ(f.Picture1.point(1000, 1000), kGris);
}

// --- zoom click, centring and panning --------------------------------------------------

TEST_F(PictureView, ZoomClickAtTheCentreKeepsTheCentrePoint) {
  QVL& f = Qvl();
  charge();
  Larg_Affichee = 2000;
  Haut_Affichee = 1000;
  const double cx = f.Picture1.scaleWidth() / 2, cy = f.Picture1.scaleHeight() / 2;
  const double avantX = PointX(cx), avantY = PointY(cy);
  const double k = K_Zoom;
  Zoom_Clic(1, 0, cx, cy);
  EXPECT_EQ(Expo_Zoom, -3);
  EXPECT_NEAR(k / K_Zoom, std::sqrt(1.4142136), 1e-12);
  // Rounding of the click position and of the offsets: within a few picture units.
  EXPECT_NEAR(PointX(cx), avantX, 3);
  EXPECT_NEAR(PointY(cy), avantY, 3);
  Zoom_Clic(2, 0, cx, cy);
  EXPECT_EQ(Expo_Zoom, -2);
  EXPECT_NEAR(PointX(cx), avantX, 5);
  EXPECT_NEAR(PointY(cy), avantY, 5);
  EXPECT_NEAR(RougeVu(cx, cy), RougeAttendu(avantX), 1);
}

TEST_F(PictureView, ZoomClickCentresTheClickedPoint) {
  QVL& f = Qvl();
  charge();
  const double x = 0.3 * f.Picture1.scaleWidth(), y = 0.25 * f.Picture1.scaleHeight();
  const double px = PointX(x), py = PointY(y);
  Zoom_Clic(1, 0, x, y);
  EXPECT_EQ(Expo_Zoom, -3);
  EXPECT_NEAR(PointX(f.Picture1.scaleWidth() / 2), px, 3);
  EXPECT_NEAR(PointY(f.Picture1.scaleHeight() / 2), py, 3);
  // A middle click only centres.
  const double qx = PointX(0.6 * f.Picture1.scaleWidth());
  Zoom_Clic(4, 0, 0.6 * f.Picture1.scaleWidth(), f.Picture1.scaleHeight() / 2);
  EXPECT_EQ(Expo_Zoom, -3);
  EXPECT_NEAR(PointX(f.Picture1.scaleWidth() / 2), qx, 3);
}

TEST_F(PictureView, CentringUsesTheConstantScaleWidth) {
  QVL& f = Qvl();
  charge();
  const double y = std::floor(f.Picture1.scaleHeight() / 2) - 400;
  Centre_Image_Point(7000, y);
  // K x Echelle = 0.70710677 x 31750 / 11761.2 = 1.908872 picture units per unit of
  // the box, whose centre is at 11761.2 / 2 = 5880.6 across:
  // CLng(1.908872 x (7000 - 5880.6)) = CLng(2136.79) = 2137.
  EXPECT_EQ(Larg_Affichee, 2137);
  EXPECT_EQ(Haut_Affichee, platform::CLng(Base(-2) * kEchelle * (y - f.Picture1.scaleHeight() / 2)));
  EXPECT_LT(Haut_Affichee, -763);   // about -400.5 x 1.908872
}

TEST_F(PictureView, DragPansByTheFormula) {
  QVL& f = Qvl();
  charge();
  Expo_Zoom = -4;   // K_Zoom = 1 / 1.4142136^2, 0.49999997
  K_Zoom = Base(-4);
  Larg_Affichee = 5000;
  Haut_Affichee = 3000;
  // 100 x 0.49999997 x 31750 / 11761.2 = 134.98 -> the picture moves right 135 units.
  Deplace_Image(100, 0);
  EXPECT_EQ(Larg_Affichee, 5000 - 135);
  EXPECT_EQ(Haut_Affichee, 3000);
  // -40 x 0.49999997 x 2.69955 = -53.99 -> the picture moves up 54 units.
  Deplace_Image(0, -40);
  EXPECT_EQ(Haut_Affichee, 3054);
  const double X = 0.4 * f.Picture1.scaleWidth();
  EXPECT_NEAR(RougeVu(X, 1000), RougeAttendu(PointX(X)), 1);
}

TEST_F(PictureView, HugePansSaturateInsteadOfOverflowing) {
  QVL& f = Qvl();
  charge();
  for (int i = 0; i < 60; ++i) Zoom_Clic(2, 0, 0, 0);
  ASSERT_EQ(Expo_Zoom, kExpoZoomMax);
  Deplace_Image(-2e9, 3e9);
  EXPECT_EQ(Larg_Affichee, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(Haut_Affichee, std::numeric_limits<std::int32_t>::min());
  Deplace_Image(-2e9, 3e9);
  EXPECT_EQ(Larg_Affichee, std::numeric_limits<std::int32_t>::max());
  Centre_Image_Point(1e12, -1e12);
  EXPECT_EQ(Larg_Affichee, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(f.Picture1.point(1000, 1000), kGris);   // the view has left the picture
  user::click(f.Czoom(2));
  EXPECT_EQ(Larg_Affichee, 0);
  EXPECT_NE(f.Picture1.point(1000, 1000), kGris);
}

// --- resize ---------------------------------------------------------------------------

TEST_F(PictureView, ResizeReturnsToTheFittedView) {
  QVL& f = Qvl();
  charge();
  user::click(f.Czoom(0));
  user::click(f.Czoom(0));
  Deplace_Image(-300, -200);
  ASSERT_NE(Larg_Affichee, 0);
  const double largeur = f.width();
  f.setWidth(largeur + 1500);
  platform::DoEvents();
  EXPECT_EQ(Expo_Zoom, Expo_Zoom_Initial);
  EXPECT_EQ(Expo_Zoom, -2);
  EXPECT_EQ(Larg_Affichee, 0);
  EXPECT_EQ(Haut_Affichee, 0);
  EXPECT_EQ(f.label(2).caption(), "Z= 0.705");
  EXPECT_DOUBLE_EQ(Echelle, kEchelle);   // the measuring scale does not follow the window
  EXPECT_NE(f.Picture1.point(0.79 * f.Picture1.scaleWidth(), 500), kGris);
  EXPECT_EQ(f.Picture1.point(0.81 * f.Picture1.scaleWidth(), 500), kGris);
  f.setWidth(largeur);
  platform::DoEvents();
}

// --- thumbnail ------------------------------------------------------------------------

TEST_F(PictureView, ThumbnailShowsThePictureAndTheViewFrame) {
  QVL& f = Qvl();
  charge();
  platform::PictureBox& v = f.VignP;
  EXPECT_DOUBLE_EQ(v.width(), Taille_Max);
  // The client area takes the picture's aspect (the box's border comes on top).
  EXPECT_NEAR(v.canvasHeightPixels(), v.canvasWidthPixels() * 900.0 / 1200, 1);
  EXPECT_NEAR(v.scaleHeight(), v.scaleWidth() * 900 / 1200, 1e-9);
  const platform::Colour vert = platform::QBColor(10);
  // The view starts at the picture's top-left corner: the frame's top and left edges.
  EXPECT_EQ(v.point(v.scaleWidth() / 2, 0), vert);
  EXPECT_EQ(v.point(0, v.scaleHeight() / 2), vert);
  EXPECT_NE(v.point(v.scaleWidth() / 2, v.scaleHeight() / 2), vert);
  // Half the picture width further right, the frame's left edge is at the middle.
  Deplace_Image(-kWt / 2 / (K_Zoom * kEchelle), 0);
  EXPECT_NEAR(Larg_Affichee, kWt / 2, 2);
  const double milieu = v.scaleWidth() * Larg_Affichee / kWt;
  // The frame's corner is a whole thumbnail unit: its line lies on the pixel next to
  // `milieu` or on it (a pixel is about 15 units wide).
  const double y = v.scaleHeight() / 2;
  EXPECT_TRUE(v.point(milieu - 15, y) == vert || v.point(milieu, y) == vert || v.point(milieu + 15, y) == vert);
  EXPECT_NE(v.point(milieu / 2, v.scaleHeight() / 2), vert);
  // The thumbnail itself shows the whole picture: its right part is the picture's.
  const platform::Colour droite = v.point(v.scaleWidth() * 0.9, v.scaleHeight() * 0.9);
  EXPECT_NEAR(static_cast<int>(droite & 0xFF), 0.9 * kWt / 15 / 5, 3);          // pixel x 1080
  EXPECT_NEAR(static_cast<int>((droite >> 8) & 0xFF), 0.9 * kHt / 15 / 4, 3);   // pixel y 810
}

// A click on the thumbnail brings that point of the picture to the top-left corner of
// the view at the same zoom. A 1600 x 1200 picture is 24000 twips wide and the
// thumbnail 2500, so r = 9.6: the point (1000, 300) of the thumbnail is the picture
// point (9600, 2880), pixel (640, 192).
TEST_F(PictureView, ThumbnailClickBringsThePointToTheTopLeftCorner) {
  QVL& f = Qvl();
  ASSERT_TRUE(Charge_Image_Memoire(bmp("t.bmp", 1600, 1200)));
  Bouton_Zoom(0);
  Bouton_Zoom(0);
  ASSERT_EQ(Expo_Zoom, -4);
  ASSERT_DOUBLE_EQ(f.VignP.width(), 2500);
  // A stored length of image 1 inside the view that the click gives.
  const Mesure ligne = TabMesures(1);
  const int ligneCourante = LigneCourante, index = Index_Image, fonction = FonctionCourante,
            cellules = NbCellules, couleur = CouleursTrace(0);
  TabMesures(1) = Mesure{};
  TabMesures(1).Seg(1) = Segment{12000, 6000, 16000, 6000};
  TabMesures(1).NumImage = 1;
  LigneCourante = 2;
  Index_Image = 1;
  FonctionCourante = 1;
  NbCellules = 1;
  CouleursTrace(0) = 12;

  struct Click {
    double x, y;
    std::int32_t larg, haut;
  };
  const Click clicks[] = {{1000, 300, 9600, 2880}, {0, 0, 0, 0}, {1000, 300, 9600, 2880}};
  for (const Click& c : clicks) {
    f.VignP.onMouseDown(1, 0, c.x, c.y);
    EXPECT_EQ(Larg_Affichee, c.larg);
    EXPECT_EQ(Haut_Affichee, c.haut);
    EXPECT_EQ(Expo_Zoom, -4);
    // Top-left pixel of Picture1: the picture's pixel at the clicked point.
    const platform::Colour p = f.Picture1.point(0, 0);
    EXPECT_NEAR(static_cast<int>(p & 0xFF), c.larg / 15 / 5, 1);
    EXPECT_NEAR(static_cast<int>((p >> 8) & 0xFF), c.haut / 15 / 4, 1);
  }
  // The stored length drawn again where the view now puts it.
  const double k = K_Zoom * Echelle;
  EXPECT_EQ(f.Picture1.point((14000 - 9600) / k, (6000 - 2880) / k), platform::QBColor(12));

  TabMesures(1) = ligne;
  LigneCourante = ligneCourante;
  Index_Image = index;
  FonctionCourante = fonction;
  NbCellules = cellules;
  CouleursTrace(0) = couleur;
}

// The click works with no automatic zoom too: only the thumbnail is rebuilt.
TEST_F(PictureView, ThumbnailClickWithoutAutomaticZoomKeepsTheView) {
  QVL& f = Qvl();
  charge();
  Zoom_Auto = false;
  Clic_Vignette(2, 0, 500, 500);
  EXPECT_EQ(Larg_Affichee, 0);
  EXPECT_EQ(Haut_Affichee, 0);
  EXPECT_DOUBLE_EQ(f.VignP.width(), Taille_Max);
}

// The background picture shown when no image is open answers the click as well.
TEST_F(PictureView, ThumbnailClickMovesTheBackgroundPictureToo) {
  QVL& f = Qvl();
  Rep_Prog = folder_;   // no "Fondecran.jpg" there: the built-in background
  Charge_Fond_Ecran(1);
  const platform::Picture fond = f.picbase.picture();
  ASSERT_FALSE(fond.isNull());
  Bouton_Zoom(0);
  Bouton_Zoom(0);
  const int expo = Expo_Zoom;
  ASSERT_DOUBLE_EQ(f.VignP.width(), 2500);
  // r = picture width in twips / 2500.
  const double r = fond.widthPixels() * 15.0 / 2500;
  f.VignP.onMouseDown(1, 0, 1000, 600);
  EXPECT_EQ(Larg_Affichee, platform::CLng(1000 * r));
  EXPECT_EQ(Haut_Affichee, platform::CLng(600 * r));
  EXPECT_GT(Haut_Affichee, 0);
  EXPECT_EQ(Expo_Zoom, expo);
  // The top-left pixel of the view is the background's pixel at that point.
  EXPECT_EQ(f.Picture1.point(0, 0), fond.pixel(Larg_Affichee / 15, Haut_Affichee / 15));
}

namespace {

// A stage micrometer: 1000 x 150 white pixels, a black tick one pixel wide every 100
// pixels (x = 100 to 900, rows 10 to 100) and a red line one pixel high at row 120.
platform::Picture regle() {
  return painted::picture(1000, 150, [](int x, int y) -> platform::Colour {
    if (x % 100 == 0 && x > 0 && y >= 10 && y <= 100) return 0x000000;
    return y == 120 ? 0x0000FF : 0xFFFFFF;
  });
}

// A grey darker than the white of the picture (a tick, even averaged with the white
// around it), and the white (or nearly: the edge of a tick averaged away).
bool gris(QRgb c) { return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c); }
bool trait(QRgb c) { return gris(c) && qRed(c) < 250; }
bool blanc(QRgb c) { return gris(c) && qRed(c) >= 250; }

// The ticks a screenshot shows: the most runs of tick pixels lying between white
// pixels met on one row, and their positions on that row.
std::vector<int> traitsVus(const QImage& vue) {
  std::vector<int> meilleurs;
  for (int y = 0; y < vue.height(); ++y) {
    std::vector<int> traits;
    int debut = -1;
    for (int x = 1; x < vue.width(); ++x) {
      const QRgb c = vue.pixel(x, y), avant = vue.pixel(x - 1, y);
      if (trait(c) && blanc(avant)) debut = x;
      if (debut >= 0 && blanc(c) && trait(avant)) {
        traits.push_back((debut + x - 1) / 2);
        debut = -1;
      }
      if (debut >= 0 && !trait(c)) debut = -1;
    }
    if (traits.size() > meilleurs.size()) meilleurs = traits;
  }
  return meilleurs;
}

// Whether a row of the screenshot is red wherever it shows the picture: as many
// reddish pixels (red above green and blue, equal) as the row above has white ones.
bool ligneRougeVue(const QImage& vue) {
  for (int y = 1; y < vue.height(); ++y) {
    int rouges = 0, blancs = 0;
    for (int x = 0; x < vue.width(); ++x) {
      const QRgb c = vue.pixel(x, y);
      if (qRed(c) > qGreen(c) + 5 && qGreen(c) == qBlue(c)) ++rouges;
      if (blanc(vue.pixel(x, y - 1))) ++blancs;
    }
    if (rouges > 50 && rouges >= blancs - 2) return true;
  }
  return false;
}

// Nine ticks, evenly spaced.
void verifieTraits(const QImage& vue, const std::string& ou) {
  const std::vector<int> t = traitsVus(vue);
  ASSERT_EQ(t.size(), 9u) << ou;
  const double pas = (t.back() - t.front()) / 8.0;
  for (std::size_t i = 0; i < t.size(); ++i) EXPECT_NEAR(t[i], t.front() + pas * i, 1.5) << ou << " tick " << i;
}

}  // namespace

// One-pixel detail stays visible when the picture is shown smaller than it is: every
// tick and the red line of a micrometer, at the fitted view, at "Z= 0.5" and in the
// thumbnail.
TEST_F(PictureView, OnePixelLinesStayVisibleWhenShrunk) {
  QVL& f = Qvl();
  const std::string chemin = path("regle.bmp");
  ASSERT_TRUE(regle().saveBmp(chemin));
  ASSERT_TRUE(Charge_Image_Memoire(chemin));
  ASSERT_TRUE(user::click(f.Czoom(2)));   // "Z1"
  EXPECT_EQ(f.label(2).caption(), "Z= 0.705");
  verifieTraits(painted::screenshot(f.Picture1), "fitted view");
  EXPECT_TRUE(ligneRougeVue(painted::screenshot(f.Picture1)));
  verifieTraits(painted::screenshot(f.VignP), "thumbnail");
  EXPECT_TRUE(ligneRougeVue(painted::screenshot(f.VignP)));
  ASSERT_TRUE(user::click(f.Czoom(1)));   // "Z-"
  ASSERT_TRUE(user::click(f.Czoom(1)));
  EXPECT_EQ(f.label(2).caption(), "Z= 0.5");
  verifieTraits(painted::screenshot(f.Picture1), "Z= 0.5");
  EXPECT_TRUE(ligneRougeVue(painted::screenshot(f.Picture1)));
}

// The thumbnail of a wide picture shows all of it: its last rows, in a colour of their
// own, are painted at the foot of the thumbnail's client area.
TEST_F(PictureView, ThumbnailOfAWidePictureShowsItsLastRows) {
  QVL& f = Qvl();
  const std::string chemin = path("large.bmp");
  const platform::Colour bleu = 0xFF0000;
  ASSERT_TRUE(painted::picture(1000, 150, [&](int, int y) -> platform::Colour { return y >= 130 ? bleu : 0xFFFFFF; })
                  .saveBmp(chemin));
  ASSERT_TRUE(Charge_Image_Memoire(chemin));
  const QImage vignette = painted::screenshot(f.VignP);
  const painted::Region bas =
      painted::findWhere(vignette, vignette.rect(), [](QRgb c) { return qBlue(c) > qRed(c) + 100; });
  ASSERT_TRUE(bas.found());
  EXPECT_GE(bas.bottom, vignette.height() - 2);
  EXPECT_GE(bas.width(), vignette.width() - 2);
}

// Every canvas pixel of the view shows the picture pixel a click there takes: the pixel
// painted at canvas column i and row j holds the picture point that Point_Image gives
// for the position a mouse event there reports, at every zoom from the factor 1 to the
// deepest enlargements, from the top-left corner and panned; and a canvas pixel whose
// click falls inside the picture shows the picture. The 144- and 288-pixel-wide
// pictures have, at factor 1, canvas pixels lying exactly on the edge between two
// picture pixels.
TEST_F(PictureView, EveryCanvasPixelShowsThePixelAClickThereTakes) {
  QVL& f = Qvl();
  int vues = 0;
  for (const auto& [w, h] : {std::pair{600, 450}, std::pair{144, 144}, std::pair{288, 288}}) {
    const std::string chemin = path("coordonnees" + std::to_string(w) + ".bmp");
    ASSERT_TRUE(painted::coordinates(w, h).saveBmp(chemin));
    ASSERT_TRUE(Charge_Image_Memoire(chemin));
    for (int expo = 0; expo >= -16; --expo) {
      Expo_Zoom = expo;
      K_Zoom = Base(expo);
      // Enlarged or at its size: a canvas pixel is at most one picture pixel wide.
      if (picture1View(K_Zoom).k * f.Picture1.columnPosition(1) > 15.0) continue;
      for (const auto& [larg, haut] : {std::pair{0, 0}, std::pair{1234, 567}}) {
        Larg_Affichee = larg;
        Haut_Affichee = haut;
        Affiche_Image(Expo_Zoom);
        ++vues;
        const QImage vue = painted::screenshot(f.Picture1);
        ASSERT_EQ(vue.width(), f.Picture1.canvasWidthPixels());
        std::vector<double> colonnes(static_cast<std::size_t>(vue.width())), rangs(static_cast<std::size_t>(vue.height()));
        for (int i = 0; i < vue.width(); ++i) colonnes[static_cast<std::size_t>(i)] = f.Picture1.columnPosition(i);
        for (int j = 0; j < vue.height(); ++j) rangs[static_cast<std::size_t>(j)] = f.Picture1.rowPosition(j);
        long montres = 0, differents = 0;
        for (int j = 0; j < vue.height(); ++j)
          for (int i = 0; i < vue.width(); ++i) {
            const painted::Pixel montre =
                painted::pixelShown(reinterpret_cast<const QRgb*>(vue.constScanLine(j))[i]);
            double X = 0, Y = 0;
            ASSERT_TRUE(Point_Image(colonnes[static_cast<std::size_t>(i)], rangs[static_cast<std::size_t>(j)], X, Y));
            const painted::Pixel pris{static_cast<int>(std::floor(X / 15)), static_cast<int>(std::floor(Y / 15))};
            const bool dedans = pris.x >= 0 && pris.x < w && pris.y >= 0 && pris.y < h;
            if (!dedans && montre == painted::Pixel{}) continue;
            montres += montre != painted::Pixel{};
            if (montre != pris && differents++ < 3)
              ADD_FAILURE() << w << " x " << h << ", exponent " << expo << ", offsets " << larg << ", " << haut
                            << ": canvas pixel (" << i << ", " << j << ") shows " << montre << ", a click takes "
                            << pris;
          }
        EXPECT_EQ(differents, 0) << w << " x " << h << ", exponent " << expo << ", offsets " << larg << ", " << haut;
        EXPECT_GT(montres, 1000) << w << " x " << h << ", exponent " << expo;
      }
    }
  }
  EXPECT_GE(vues, 30);
}
