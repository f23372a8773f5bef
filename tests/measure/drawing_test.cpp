// Drawing primitives of the measuring picture: crosses, lines of text, the conversion
// of stored points, inclined text and the oriented reference line.
#include "measure/drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/text_tables.h"
#include "picture_window.h"
#include "support/painted_picture.h"

namespace {

using namespace picture_window;

constexpr platform::Colour kBlack = 0x000000;
constexpr platform::Colour kRed = 0x0000FF;
constexpr platform::Colour kGreen = 0x00FF00;

// --- pure ---------------------------------------------------------------------------

TEST(DrawingText, SplitsAtEachCarriageReturnLineFeed) {
  EXPECT_EQ(Lignes_A_Imprimer("a\r\nbc\r\nd"), (std::vector<std::string>{"a", "bc", "d"}));
  EXPECT_EQ(Lignes_A_Imprimer("seul"), (std::vector<std::string>{"seul"}));
  // A text ending in a line break gives a last empty line; an empty text nothing.
  EXPECT_EQ(Lignes_A_Imprimer("a\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(Lignes_A_Imprimer("").empty());
  // A lone line feed or carriage return does not split.
  EXPECT_EQ(Lignes_A_Imprimer("a\nb\rc"), (std::vector<std::string>{"a\nb\rc"}));
}

// Slope angles: Atn(slope) x 180 / 3.14159 (the short pi), worked out with a calculator:
// Atn(1) = 0.785398163 -> 45.0000380; Atn(-0.5) = -0.463647609 -> -26.5650736.
TEST(DrawingText, SlopeAngleUsesTheShortPi) {
  EXPECT_DOUBLE_EQ(Angle_Pente(5, 5, 5, 100), 90.0);
  EXPECT_DOUBLE_EQ(Angle_Pente(5, 100, 5, 5), 90.0);
  EXPECT_NEAR(Angle_Pente(0, 0, 10, 10), 45.0000380, 1e-6);
  EXPECT_NEAR(Angle_Pente(10, 10, 0, 0), 45.0000380, 1e-6);
  EXPECT_NEAR(Angle_Pente(0, 0, 20, -10), -26.5650736, 1e-6);
}

TEST(DrawingPoints, StoredPointToPictureAndBack) {
  Restorer r;
  r.keep(Base_Zoom); r.keep(Expo_Zoom); r.keep(K_Zoom); r.keep(Echelle);
  r.keep(Larg_Affichee); r.keep(Haut_Affichee);
  Base_Zoom = std::sqrt(1.4142136);
  Expo_Zoom = 2;          // factor 1.4142136
  K_Zoom = 1.4142136;
  Echelle = 2.0;
  Larg_Affichee = 100;
  Haut_Affichee = -50;
  // (1100 - 100) / (1.4142136 x 2) = 1000 / 2.8284272 = 353.5533812; (-50 + 50) / 2.83 = 0.
  double x = 0, y = 0;
  ASSERT_TRUE(Point_Ecran(1100, -50, x, y));
  EXPECT_NEAR(x, 353.5533812, 1e-6);
  EXPECT_NEAR(y, 0.0, 1e-12);
  // Back: 353.5533812 x 2.8284272 + 100 = 1100.
  double X = 0, Y = 0;
  ASSERT_TRUE(Point_Image(x, y, X, Y));
  EXPECT_NEAR(X, 1100.0, 1e-6);
  EXPECT_NEAR(Y, -50.0, 1e-9);
  // A point left of the shown part is negative, not refused.
  ASSERT_TRUE(Point_Ecran(0, 0, x, y));
  EXPECT_NEAR(x, -100 / 2.8284272, 1e-6);
  // No scale: refused, nothing written.
  Echelle = 0;
  x = 7;
  EXPECT_FALSE(Point_Ecran(10, 10, x, y));
  EXPECT_EQ(x, 7);
  Echelle = 2;
  EXPECT_FALSE(Point_Image(NAN, 1, X, Y));
}

// End of the reference line: s = -1 when drawn leftwards; a = 3.1416 / 2 when vertical.
TEST(DrawingReferenceLine, EndPointFollowsTheDirectionDrawn) {
  double xe = 0, ye = 0, a = 0;
  // Right to left, horizontal: 50 units to the left of the start.
  ASSERT_TRUE(Fin_Ligne_Mesure(100, 20, 0, 20, 50, xe, ye, a));
  EXPECT_NEAR(xe, 50.0, 1e-9);
  EXPECT_NEAR(ye, 20.0, 1e-9);
  EXPECT_DOUBLE_EQ(a, 0.0);
  // Drawn straight up: the line goes down (towards larger Y) all the same;
  // cos(1.5708) = -3.67e-6, so x moves by -0.000367 for L = 100.
  ASSERT_TRUE(Fin_Ligne_Mesure(10, 500, 10, 100, 100, xe, ye, a));
  EXPECT_NEAR(ye, 600.0, 1e-6);
  EXPECT_NEAR(xe, 10 - 0.000367, 1e-5);
  EXPECT_DOUBLE_EQ(a, 3.1416 / 2);
  // Slope 3/4 to the right: cos = 0.8, sin = 0.6.
  ASSERT_TRUE(Fin_Ligne_Mesure(0, 0, 40, 30, 200, xe, ye, a));
  EXPECT_NEAR(xe, 160.0, 1e-9);
  EXPECT_NEAR(ye, 120.0, 1e-9);
  // A length of 0 stays on the start point.
  ASSERT_TRUE(Fin_Ligne_Mesure(7, 8, 40, 30, 0, xe, ye, a));
  EXPECT_DOUBLE_EQ(xe, 7.0);
  EXPECT_DOUBLE_EQ(ye, 8.0);
  EXPECT_FALSE(Fin_Ligne_Mesure(0, 0, 1, 1, INFINITY, xe, ye, a));
}

// --- on the window ------------------------------------------------------------------

class DrawingWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    shownWindow(restorer_);
    keepMeasuringState(restorer_, 0);
    QVL& f = Qvl();
    restorer_.then([] { platform::SetDecimalSeparator(0); });
    const bool visible8 = f.Frame(8).visible();
    const std::string text5 = f.TBox(5).text(), label8 = f.label(8).caption();
    restorer_.then([visible8, text5, label8] {
      Qvl().Frame(8).setVisible(visible8);
      Qvl().TBox(5).setText(text5);
      Qvl().label(8).setCaption(label8);
    });
    f.Picture1.setPicture(platform::Picture::filled(f.Picture1.canvasWidthPixels(),
                                                    f.Picture1.canvasHeightPixels(), kBlack));
    f.Picture1.setDrawWidth(1);
    f.Picture1.setDrawMode(platform::kCopyPen);
    u_ = unitsPerPixel();
  }
  platform::Colour at(double x, double y) const { return Qvl().Picture1.point(x, y); }
  Restorer restorer_;
  double u_ = 1;
};

TEST_F(DrawingWindow, ColourCrossHasArmsOfOneHundredUnits) {
  QVL& f = Qvl();
  const double x = 200 * u_, y = 150 * u_;
  Trace_Croix_Couleur(x, y, kGreen);
  EXPECT_EQ(f.Picture1.foreColor(), kGreen);   // the colour stays set
  EXPECT_EQ(at(x, y), kGreen);
  EXPECT_EQ(at(x + 95, y), kGreen);
  EXPECT_EQ(at(x - 95, y), kGreen);
  EXPECT_EQ(at(x, y + 95), kGreen);
  EXPECT_EQ(at(x, y - 95), kGreen);
  // Beyond the arms (100 units plus two pixels) and off the axes: untouched.
  EXPECT_EQ(at(x + 100 + 2 * u_, y), kBlack);
  EXPECT_EQ(at(x, y - 100 - 2 * u_), kBlack);
  EXPECT_EQ(at(x + 50, y + 50), kBlack);
}

TEST_F(DrawingWindow, SimpleCrossUsesTheCurrentForeColour) {
  QVL& f = Qvl();
  f.Picture1.setForeColor(kRed);
  const double x = 100 * u_, y = 100 * u_;
  Trace_Croix_Simple(x, y);
  EXPECT_EQ(at(x + 60, y), kRed);
  EXPECT_EQ(at(x, y + 60), kRed);
  // Not finite: nothing drawn, no failure.
  Trace_Croix_Simple(NAN, y);
  Trace_Croix_Couleur(x, INFINITY, kGreen);
  EXPECT_EQ(f.Picture1.foreColor(), kGreen);
}

TEST_F(DrawingWindow, IllustrationCrossWidthZeroCountsAsOne) {
  QVL& f = Qvl();
  Restorer r;
  const platform::Picture p2 = f.Picture2.picture();
  const int w2 = f.Picture2.drawWidth();
  const bool auto2 = f.Picture2.autoSize(), redraw2 = f.Picture2.autoRedraw();
  const double width2 = f.Picture2.width(), height2 = f.Picture2.height();
  const int mode2 = f.Picture2.scaleMode();
  r.then([p2, w2, auto2, redraw2, width2, height2, mode2] {
    platform::PictureBox& p = Qvl().Picture2;
    p.setAutoSize(auto2);
    p.setPicture(p2);
    p.setDrawWidth(w2);
    p.setWidth(width2);
    p.setHeight(height2);
    p.setAutoRedraw(redraw2);
    p.setScaleMode(mode2);
  });
  f.Picture2.setScaleMode(platform::kScaleTwips);
  f.Picture2.setAutoRedraw(true);
  f.Picture2.setAutoSize(true);
  f.Picture2.setPicture(platform::Picture::filled(200, 200, kBlack));
  f.Picture2.setDrawWidth(4);
  // Picture2 in twips: 15 per pixel; a cross at (1500, 1500) = pixel (100, 100).
  Trace_Croix_Illustration(1500, 1500, kRed, 0);
  EXPECT_EQ(f.Picture2.drawWidth(), 4);   // put back
  EXPECT_EQ(f.Picture2.point(1500 + 90, 1500), kRed);
  EXPECT_EQ(f.Picture2.point(1500 + 135, 1500), kBlack);   // arms of 100, not 400
  EXPECT_EQ(f.Picture2.point(1500, 1500 + 30), kRed);
  EXPECT_EQ(f.Picture2.point(1500 + 30, 1500 + 30), kBlack);   // width 1: no thickness
}

TEST_F(DrawingWindow, LinesStartAtTheSameAbscissa) {
  QVL& f = Qvl();
  const double h = f.Picture1.textHeight("A");
  const double x = 40 * u_, y = 30 * u_;
  Imprime_Lignes(x, y, "L1\r\nL2\r\nL3");
  EXPECT_DOUBLE_EQ(f.Picture1.currentX(), x);
  EXPECT_NEAR(f.Picture1.currentY(), y + 3 * h, 1e-6);
  // An empty text prints nothing and leaves the position.
  f.Picture1.setCurrentX(5);
  f.Picture1.setCurrentY(6);
  Imprime_Lignes(x, y, "");
  EXPECT_DOUBLE_EQ(f.Picture1.currentX(), 5);
  EXPECT_DOUBLE_EQ(f.Picture1.currentY(), 6);
}

TEST_F(DrawingWindow, RowNumberIsPrintedInTheForeColour) {
  QVL& f = Qvl();
  f.Picture1.setForeColor(kRed);
  const double x = 300 * u_, y = 200 * u_;
  Imprime_Numero(x, y, 88);
  // Some pixel of the text's cell is red, none outside it.
  const double w = f.Picture1.textWidth(" 88"), h = f.Picture1.textHeight(" 88");
  bool red = false;
  for (double yy = y; yy < y + h; yy += u_)
    for (double xx = x; xx < x + w; xx += u_) red = red || at(xx, yy) == kRed;
  EXPECT_TRUE(red);
  EXPECT_EQ(at(x - 3 * u_, y - 3 * u_), kBlack);
  EXPECT_NEAR(f.Picture1.currentY(), y + h, 1e-6);   // followed by a line end
}

TEST_F(DrawingWindow, SavedPictureComesBack) {
  QVL& f = Qvl();
  Trace_Croix_Couleur(100 * u_, 100 * u_, kGreen);
  Sauve_Ecran3();
  f.Picture1.setPicture(platform::Picture::filled(f.Picture1.canvasWidthPixels(),
                                                  f.Picture1.canvasHeightPixels(), kBlack));
  EXPECT_EQ(at(100 * u_ + 50, 100 * u_), kBlack);
  Rappel_Ecran3();
  EXPECT_EQ(at(100 * u_ + 50, 100 * u_), kGreen);
}

TEST_F(DrawingWindow, ReferenceLineOpensTheEntryPanelWithTheLength) {
  QVL& f = Qvl();
  Format_Decimal = "###0.00";
  Calibrage = 0.5;
  NbSegments_Calib = 25;   // 25 x 0.5 = 12.5
  Etat_Saisie = 0;
  f.Frame(8).setVisible(false);
  Trace_Ligne_Mesure();
  EXPECT_TRUE(f.Frame(8).visible());
  EXPECT_EQ(f.TBox(5).backColor(), 0xFFFFu);
  EXPECT_EQ(f.label(8).caption(), MSG(192));
  EXPECT_DOUBLE_EQ(Val_Saisie, 12.5);
  EXPECT_EQ(f.TBox(5).text(), " 12.5");
  EXPECT_EQ(Etat_Saisie, 1);
  // A length that formats to 0 presets 10.
  NbSegments_Calib = 0;
  Etat_Saisie = 0;
  Trace_Ligne_Mesure();
  EXPECT_EQ(f.TBox(5).text(), " 10");
  EXPECT_DOUBLE_EQ(Val_Saisie, 10.0);
}

TEST_F(DrawingWindow, ReferenceLineIsDrawnOfTheTypedLength) {
  QVL& f = Qvl();
  CouleursTrace(0) = 10;   // light green
  Calibrage = 0.1;
  K_Zoom = 1;
  Facteur_Resol = 1;
  Ratio_Ecran = 1;
  Val_Saisie = 150;        // 150 / 0.1 = 1500 units of Picture1
  Illus_Saisie = true;
  Clic_X1 = static_cast<int>(100 * u_);
  Clic_Y1 = static_cast<int>(300 * u_);
  Clic_X2 = Clic_X1 + 700;
  Clic_Y2 = Clic_Y1;
  f.TBox(5).setText("microns");
  f.Frame(8).setVisible(true);
  Etat_Saisie = 3;
  Trace_Ligne_Mesure();
  const platform::Colour vert = platform::QBColor(10);
  // The line runs 1500 units to the right, past the direction segment's end.
  EXPECT_EQ(at(Clic_X1 + 1000, Clic_Y1), vert);
  EXPECT_EQ(at(Clic_X1 + 1400, Clic_Y1), vert);
  EXPECT_EQ(at(Clic_X1 + 1500 + 6 * u_, Clic_Y1), kBlack);
  // End mark at the start: perpendicular, 100 units each side.
  EXPECT_NE(at(Clic_X1, Clic_Y1 - 80), kBlack);
  // End mark at the end.
  EXPECT_NE(at(Clic_X1 + 1500, Clic_Y1 - 80), kBlack);
  EXPECT_NE(at(Clic_X1 + 1500, Clic_Y1 + 80), kBlack);
  EXPECT_EQ(f.Picture1.drawWidth(), 1);
  EXPECT_EQ(Etat_Saisie, 0);
  EXPECT_FALSE(Illus_Saisie);
  EXPECT_FALSE(Illus_Texte);
  EXPECT_FALSE(f.Frame(8).visible());
  // The saved copy holds the line.
  EXPECT_EQ(f.Image3.picture().pixel(pixelOf(Clic_X1 + 1000), pixelOf(Clic_Y1)), vert);
}

TEST_F(DrawingWindow, ReferenceLineCancelled) {
  QVL& f = Qvl();
  f.Frame(8).setVisible(true);
  Illus_Texte = true;
  Etat_Saisie = 4;
  Trace_Ligne_Mesure();
  EXPECT_EQ(Etat_Saisie, 0);
  EXPECT_FALSE(Illus_Texte);
  EXPECT_FALSE(f.Frame(8).visible());
  // Other states do nothing.
  f.Frame(8).setVisible(true);
  Etat_Saisie = 2;
  Trace_Ligne_Mesure();
  EXPECT_EQ(Etat_Saisie, 2);
  EXPECT_TRUE(f.Frame(8).visible());
}

// Texts on the picture are never below 6 points; above, the size asked holds.
TEST(DrawingText, TextSizeIsAtLeastSixPoints) {
  const struct {
    double asked, used;
  } cases[] = {{0, 6}, {1, 6}, {5.9, 6}, {6, 6}, {6.5, 6.5}, {10, 10}, {-3, 6},
               {std::numeric_limits<double>::quiet_NaN(), 6}, {std::numeric_limits<double>::infinity(), 6}};
  for (const auto& c : cases) EXPECT_EQ(Taille_Texte_Image(c.asked), c.used) << c.asked;
}

// A text printed along a segment with the settings' size 0 (TaillePolice / K_Zoom
// rounds to 0 points) is still readable: its letters some 6 pixels high.
TEST_F(DrawingWindow, InclinedTextIsReadableWithTheSizeZero) {
  QVL& f = Qvl();
  TaillePolice = 0;
  K_Zoom = 1;
  f.Picture1.setForeColor(kRed);
  SegmentTextIncline("12.5", static_cast<int>(100 * u_), static_cast<int>(100 * u_), 1.0,
                     static_cast<int>(300 * u_), static_cast<int>(100 * u_));
  // The ink: every pixel that is not black.
  const QImage vue = painted::screenshot(f.Picture1);
  const painted::Region encre = painted::findWhere(vue, vue.rect(), [](QRgb c) { return c != painted::rgbOf(kBlack); });
  ASSERT_TRUE(encre.found());
  EXPECT_GE(encre.height(), 6);
  EXPECT_GE(encre.width(), 12);
  EXPECT_NEAR(encre.left, 100, 3);
}

// The rotated text takes at most 31 characters of the face name: a name whose first 31
// characters are a face name padded with blanks prints in that face, whatever follows.
TEST_F(DrawingWindow, RotatedTextKeepsThirtyOneCharactersOfTheFaceName) {
  QVL& f = Qvl();
  f.Picture1.setForeColor(kRed);
  auto imprime = [&](const std::string& nom) {
    f.Picture1.setPicture(platform::Picture::filled(f.Picture1.canvasWidthPixels(),
                                                    f.Picture1.canvasHeightPixels(), kBlack));
    Police_Texte police;
    police.Name = nom;
    police.Size = 14;
    Imprime_Texte_Angle("WWWiiiMMM", police, 100 * u_, 100 * u_);
    return f.Picture1.image();
  };
  const std::string face = "Liberation Mono";
  const std::string long31 = face + std::string(31 - face.size(), ' ');
  ASSERT_EQ(long31.size(), 31u);
  const platform::Picture attendu = imprime(face);
  const platform::Picture autre = imprime("Liberation Serif");
  ASSERT_FALSE((attendu.bmpBytes() == autre.bmpBytes())) << "the two faces print alike: nothing to tell apart";
  EXPECT_TRUE(imprime(long31 + "Serif").bmpBytes() == attendu.bmpBytes());
}

}  // namespace
