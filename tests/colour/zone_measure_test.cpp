// The colour-zone function in the real window: a click on a tile of colour, found on
// the screen by its colour, gives that tile's row at every zoom; the frame drawn holds
// the pixels sampled; clicks on a 200 x 100 picture write the expected grid rows and
// captions, a square reaching the edge is refused, the marks follow a zoom, the
// statistics count channels of 0, "Calibré" corrects the colour (or refuses the click
// when no correction is built), and a reloaded session has its zones measured again on
// the picture; every canvas pixel of strips of an enlarged picture, clicked one by one,
// takes the picture pixel painted there, for the zone, its frame, its stored point and
// the session loaded again. Where a picture pixel is on the screen is read from the
// screen.
#include "colour/zone_measure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "colour/colour_state.h"
#include "colour/scanner_correction.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/dispatch.h"
#include "measure/grid_statistics.h"
#include "measure/measure_state.h"
#include "measure/redraw.h"
#include "measure/session_window.h"
#include "measure/trame_file.h"
#include "measure/trame_reader.h"
#include "platform/colour.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "support/layout_check.h"
#include "support/painted_picture.h"
#include "support/user_input.h"

namespace {

using picture_window::mouse;

constexpr int kLargeur = 200;
constexpr int kHauteur = 100;
// Stored points are in picture units, twips of the picture: 15 to a pixel.
constexpr double kUnites = 15.0;

// A picture of w x h pixels (at most 256 x 256) whose pixel (x, y) is red x, green y,
// blue 77: shown in the view in place of a test picture of the same size, it tells
// where each of that picture's pixels is on the screen.
platform::Picture reperes(int w, int h) {
  return painted::picture(w, h, [](int x, int y) { return platform::RGB(x, y, 77); });
}

// Left half (90, 60, 30); right half a 17-pixel tile: x mod 17 = 0 black, (x mod 17,
// y mod 17) = (5, 9) white, else (120, 80, 40). Rows as blue, green, red bytes.
platform::Picture tuiles() {
  std::vector<unsigned char> octets(static_cast<std::size_t>(kLargeur) * kHauteur * 3);
  for (int y = 0; y < kHauteur; ++y) {
    for (int x = 0; x < kLargeur; ++x) {
      int r = 90, v = 60, b = 30;
      if (x >= 100) {
        if (x % 17 == 0) r = v = b = 0;
        else if (x % 17 == 5 && y % 17 == 9) r = v = b = 255;
        else r = 120, v = 80, b = 40;
      }
      unsigned char* p = &octets[(static_cast<std::size_t>(y) * kLargeur + x) * 3];
      p[0] = static_cast<unsigned char>(b);
      p[1] = static_cast<unsigned char>(v);
      p[2] = static_cast<unsigned char>(r);
    }
  }
  return platform::Picture::fromBgrRows(octets.data(), kLargeur, kHauteur, kLargeur * 3, false);
}

class ZoneWindow : public session_window::SessionWindow {
 protected:
  void SetUp() override {
    SessionWindow::SetUp();
    plainColourZones();
    ZoneCouleur = 3;
    Taille_Zone = 8;
    CouleursTrace(0) = 12;
    Zoom_Auto = true;
    Retrace_Zoom = true;
  }

  // Shows picture p (saved as name.bmp) as image 1 of the list, function 20 chosen.
  void montre(const platform::Picture& p, const std::string& name) {
    const std::string path = images_.file(name + ".bmp");
    ASSERT_TRUE(p.saveBmp(path));
    startFunction(20);
    // The switch-on's notice of the missing standard is not what these tests look at.
    dialogs_->clear();
    QVL& f = Qvl();
    f.ListIMGchar.clear();
    f.ListIMGchar.addItem(path);
    ASSERT_TRUE(Charge_Image_Memoire(path));
    Img_Active = path;
    Index_Image = 1;
    Expo_Zoom = 0;
    Larg_Affichee = 0;
    Haut_Affichee = 0;
    Retrace(0);
    f.FraCharte.setVisible(true);
    f.Check(3).setValue(1);
  }

  // Where the pixels of the picture shown are on the screen at the present view: the
  // picture of the same size made of reperes() is shown in its place, the screen read,
  // and the picture shown again with its marks.
  void repere() {
    QVL& f = Qvl();
    const platform::Picture montree = f.picbase.picture();
    ASSERT_FALSE(montree.isNull());
    largeur_ = montree.widthPixels();
    hauteur_ = montree.heightPixels();
    ASSERT_TRUE(largeur_ <= 256 && hauteur_ <= 256);
    const std::string chemin = images_.file("reperes.bmp");
    ASSERT_TRUE(reperes(largeur_, hauteur_).saveBmp(chemin));
    const int x0 = Larg_Affichee, y0 = Haut_Affichee;
    ASSERT_TRUE(Charge_Image_Memoire(chemin));
    const QImage vue = painted::screenshot(f.Picture1);
    regions_.assign(static_cast<std::size_t>(largeur_) * hauteur_, painted::Region());
    for (int j = 0; j < vue.height(); ++j)
      for (int i = 0; i < vue.width(); ++i) {
        const QRgb c = vue.pixel(i, j);
        if (qBlue(c) != 77 || qRed(c) >= largeur_ || qGreen(c) >= hauteur_) continue;
        painted::add(regions_[static_cast<std::size_t>(qGreen(c)) * largeur_ + qRed(c)], i, j);
      }
    ASSERT_TRUE(Charge_Image_Memoire(Img_Active));
    Larg_Affichee = x0;
    Haut_Affichee = y0;
    Retrace(0);
  }
  // The screen pixels that show picture pixel (x, y) (found by the last repere()).
  painted::Region ecran(int x, int y) const {
    if (x < 0 || y < 0 || x >= largeur_ || y >= hauteur_) return {};
    return regions_[static_cast<std::size_t>(y) * largeur_ + x];
  }

  // A left click on the screen pixel that shows picture pixel (x, y).
  void clic(int x, int y) const {
    const painted::Region r = ecran(x, y);
    ASSERT_TRUE(r.found()) << x << ", " << y << " is not on the screen";
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, r.middleX(), r.middleY());
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, r.middleX(), r.middleY());
  }

  // Columns 0 to 9 of a grid row joined by " | ".
  static std::string rangee(int r) {
    std::string s;
    for (int c = 0; c <= 9; ++c) s += Qvl().GrilleRef.textMatrix(r, c) + (c < 9 ? " | " : "");
    return s;
  }

  int largeur_ = 0, hauteur_ = 0;
  std::vector<painted::Region> regions_;
};

// 5 x 4 tiles of 240 x 200 pixels, each its own colour (none black, none the marks'
// red): shown shrunk at the fitted view and at "Z= 0.5".
constexpr int kTuilesX = 5, kTuilesY = 4, kTuileL = 240, kTuileH = 200;
platform::Colour couleurTuile(int i, int j) {
  return platform::RGB(30 + 45 * i, 40 + 50 * j, 200 - 25 * i - 20 * j);
}
platform::Picture bandes() {
  return painted::picture(kTuilesX * kTuileL, kTuilesY * kTuileH,
                          [](int x, int y) { return couleurTuile(x / kTuileL, y / kTuileH); });
}

// The grid row a zone of colour c writes as row n (mean, L*a*b*, zone 8, image 1).
std::string rangeeAttendue(int n, platform::Colour c) {
  const float r = static_cast<float>(c & 0xFF), v = static_cast<float>((c >> 8) & 0xFF),
              b = static_cast<float>((c >> 16) & 0xFF);
  const std::array<float, 3> lab = RVB_Vers_Lab(r, v, b);
  return std::to_string(n) + " | " + Texte_Couleur(r) + " | " + Texte_Couleur(v) + " | " + Texte_Couleur(b) +
         " | " + Texte_Couleur(lab[0]) + " | " + Texte_Couleur(lab[1]) + " | " + Texte_Couleur(lab[2]) +
         " | 8 | 1 | ";
}

// A click on a tile, found where the screen shows its colour, writes that tile's row,
// at the fitted view, at "Z= 0.5" and zoomed in; the right-most and bottom-most tiles
// too.
TEST_F(ZoneWindow, EveryTileAtEveryZoomGivesItsOwnColour) {
  montre(bandes(), "bandes");
  QVL& f = Qvl();
  Pas_Zoom = 1;
  f.Czoom(3).setCaption("<<");
  int rangee_n = 0;
  // Clicks every tile shown whole (with room for its square) and checks its row;
  // returns how many were clicked, and whether the last column and row were.
  auto cliqueTuiles = [&](bool& dernieres) {
    const QImage vue = painted::screenshot(f.Picture1);
    painted::Region vues[kTuilesX][kTuilesY];
    int largeur = 0, hauteur = 0;
    for (int j = 0; j < kTuilesY; ++j)
      for (int i = 0; i < kTuilesX; ++i) {
        vues[i][j] = painted::find(vue, painted::rgbOf(couleurTuile(i, j)), 1);
        largeur = std::max(largeur, vues[i][j].width());
        hauteur = std::max(hauteur, vues[i][j].height());
      }
    int n = 0;
    bool droite = false, bas = false;
    for (int j = 0; j < kTuilesY; ++j)
      for (int i = 0; i < kTuilesX; ++i) {
        const painted::Region& t = vues[i][j];
        // Only tiles shown whole: a tile cut by the edge of the box is narrower.
        if (t.width() < largeur - 2 || t.height() < hauteur - 2) continue;
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, t.middleX(), t.middleY());
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, t.middleX(), t.middleY());
        ++rangee_n;
        ++n;
        EXPECT_EQ(rangee(rangee_n), rangeeAttendue(rangee_n, couleurTuile(i, j)))
            << "tile " << i << ", " << j << " at " << f.label(2).caption();
        droite = droite || i == kTuilesX - 1;
        bas = bas || j == kTuilesY - 1;
      }
    dernieres = droite && bas;
    return n;
  };
  bool dernieres = false;
  ASSERT_TRUE(user::click(f.Czoom(2)));   // "Z1"
  EXPECT_EQ(f.label(2).caption(), "Z= 0.705");
  EXPECT_EQ(cliqueTuiles(dernieres), kTuilesX * kTuilesY);
  EXPECT_TRUE(dernieres);
  ASSERT_TRUE(user::click(f.Czoom(1)));   // "Z-"
  ASSERT_TRUE(user::click(f.Czoom(1)));
  EXPECT_EQ(f.label(2).caption(), "Z= 0.5");
  EXPECT_EQ(cliqueTuiles(dernieres), kTuilesX * kTuilesY);
  EXPECT_TRUE(dernieres);
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(user::click(f.Czoom(0)));   // "Z+"
  EXPECT_GE(cliqueTuiles(dernieres), 1);
  EXPECT_TRUE(messages().empty());
}

// The colour frame's result after a click reads whole; so does the longest result a
// zone can give (the largest zone, three channels of three digits and two decimals).
TEST_F(ZoneWindow, TheResultReadsWholeInTheColourFrame) {
  QVL& f = Qvl();
  f.Frame(9).setVisible(false);   // the welcome panel closed
  montre(tuiles(), "tuiles");
  repere();
  clic(150, 50);
  ASSERT_EQ(f.Label7.caption(), "8     / R = 120.49 / V = 80.64 / B = 40.79");
  layout::expectClean(f, "mesure de couleur", {"Picture1"});
  f.Label7.setCaption("256     / R = 254.99 / V = 254.99 / B = 254.99");
  layout::expectClean(f, "mesure de couleur, texte le plus long", {"Picture1"});
}

// A picture whose pixels tell where they are: red x mod 256, green y, blue 100 + 8 x
// (x / 256), so that a pixel of the screen says which picture pixel it shows (or, shrunk,
// about which).
constexpr int kGradientL = 1200, kGradientH = 250;
platform::Picture gradient() {
  return painted::picture(kGradientL, kGradientH,
                          [](int x, int y) { return platform::RGB(x % 256, y, 100 + 8 * (x / 256)); });
}
// The picture column and row shown by a pixel of a screenshot of the gradient.
int colonneMontree(QRgb c) { return qRed(c) + 256 * static_cast<int>(std::lround((qBlue(c) - 100) / 8.0)); }
int rangMontre(QRgb c) { return qGreen(c); }

// The frame drawn around canvas pixel (x, y) of a screenshot: the first pixels of
// colour c met going left and up from it, then right along the row below the top
// side and down along the column right of the left side (the row number printed at the
// point lies right of and below it).
struct Cadre {
  int gauche = -1, haut = -1, droite = -1, bas = -1;
};
Cadre cadreAutour(const QImage& vue, int x, int y, QRgb c) {
  Cadre k;
  for (int i = x - 1; i >= 0 && k.gauche < 0; --i)
    if (vue.pixel(i, y) == c) k.gauche = i;
  for (int j = y - 1; j >= 0 && k.haut < 0; --j)
    if (vue.pixel(x, j) == c) k.haut = j;
  if (k.gauche < 0 || k.haut < 0) return k;
  for (int i = x; i < vue.width() && k.droite < 0; ++i)
    if (vue.pixel(i, k.haut + 1) == c) k.droite = i;
  for (int j = y; j < vue.height() && k.bas < 0; ++j)
    if (vue.pixel(k.gauche + 1, j) == c) k.bas = j;
  return k;
}

// The frame of colour c in screenshot marquee around screen pixel (x, y) lies on the
// screen pixels just outside the picture pixels of the square of centre (X, Y) and
// half side Taille_Zone, as the screenshot nue of a picture whose pixels tell where
// they are (the gradient by default, read by colonne and rang) shows them.
void verifieCadre(const QImage& nue, const QImage& marquee, int x, int y, int X, int Y, int tolerance,
                  const char* quoi, int (*colonne)(QRgb) = colonneMontree, int (*rang)(QRgb) = rangMontre) {
  const Cadre k = cadreAutour(marquee, x, y, painted::rgbOf(platform::QBColor(CouleursTrace(0))));
  const int T = Taille_Zone;
  ASSERT_TRUE(k.gauche >= 0 && k.haut >= 0 && k.droite >= 0 && k.bas >= 0) << quoi;
  EXPECT_NEAR(colonne(nue.pixel(k.gauche + 1, y)), X - T, tolerance) << quoi;
  EXPECT_NEAR(colonne(nue.pixel(k.gauche, y)), X - T - 1, tolerance) << quoi;
  EXPECT_NEAR(colonne(nue.pixel(k.droite - 1, y)), X + T, tolerance) << quoi;
  EXPECT_NEAR(colonne(nue.pixel(k.droite, y)), X + T + 1, tolerance) << quoi;
  EXPECT_NEAR(rang(nue.pixel(x, k.haut + 1)), Y - T, tolerance) << quoi;
  EXPECT_NEAR(rang(nue.pixel(x, k.haut)), Y - T - 1, tolerance) << quoi;
  EXPECT_NEAR(rang(nue.pixel(x, k.bas - 1)), Y + T, tolerance) << quoi;
  EXPECT_NEAR(rang(nue.pixel(x, k.bas)), Y + T + 1, tolerance) << quoi;
}

// The square drawn is the square sampled: while the mouse moves over the picture and
// once the zone is measured, its frame lies on the screen pixels just outside the
// picture pixels averaged (the mean of the row gives their centre, Taille_Zone their
// half side), exactly when the picture is enlarged and within one screen pixel when
// it is shrunk.
TEST_F(ZoneWindow, TheFrameHoldsTheSampledPixels) {
  montre(gradient(), "gradient");
  QVL& f = Qvl();
  Pas_Zoom = 1;
  f.Czoom(3).setCaption("<<");
  int n = 0;
  // One zone measured near picture point (px, py), its frame checked in the preview
  // and after the click.
  auto verifie = [&](int px, int py) {
    const QImage nue = painted::screenshot(f.Picture1);
    const int ligne = 2;   // the view starts at the top of the picture
    // Screen pixels per picture pixel, from the columns showing px - 50 and px + 50.
    int c0 = -1, c1 = -1, x = -1, y = -1;
    for (int i = 0; i < nue.width(); ++i) {
      // Near px (the columns where two blocks of 256 meet read wrong when shrunk).
      const int col = colonneMontree(nue.pixel(i, ligne));
      if (c0 < 0 && std::abs(col - (px - 50)) <= 2) c0 = i;
      if (c1 < 0 && std::abs(col - (px + 50)) <= 2) c1 = i;
      if (x < 0 && std::abs(col - px) <= 2) x = i;
    }
    for (int j = 0; j < nue.height() && y < 0; ++j)
      if (rangMontre(nue.pixel(x, j)) >= py) y = j;
    ASSERT_TRUE(c0 >= 0 && c1 > c0 && x >= 0 && y >= 0);
    const double s = (c1 - c0) / 100.0;
    const int tolerance = s >= 1 ? 0 : static_cast<int>(std::ceil(1 / s));
    mouse(QEvent::MouseMove, Qt::NoButton, x, y);
    const QImage apercu = painted::screenshot(f.Picture1);
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, x, y);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, x, y);
    ASSERT_EQ(LigneCourante, ++n + 1);
    // The centre sampled: the square is symmetric, so its mean is its centre pixel.
    const int X = static_cast<int>(Val_Decimal(f.GrilleRef.textMatrix(n, 1))) +
                  256 * static_cast<int>(std::lround((Val_Decimal(f.GrilleRef.textMatrix(n, 3)) - 100) / 8));
    const int Y = static_cast<int>(Val_Decimal(f.GrilleRef.textMatrix(n, 2)));
    EXPECT_NEAR(X, px, 2 / s + 1);
    verifieCadre(nue, apercu, x, y, X, Y, tolerance, "preview");
    verifieCadre(nue, painted::screenshot(f.Picture1), x, y, X, Y, tolerance, "mark");
  };
  ASSERT_TRUE(user::click(f.Czoom(2)));   // "Z1": the picture shrunk
  verifie(640, 125);
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(user::click(f.Czoom(0)));   // enlarged
  verifie(128, 60);
  Taille_Zone = 2;
  verifie(200, 150);
}

// Enlarged, a click takes the picture pixel painted where it clicks, on the first
// screen column and row showing a picture pixel as on the last: the zone measured is
// centred on that pixel and its frame drawn around it, at every zoom from one to about
// three screen pixels to a picture pixel.
TEST_F(ZoneWindow, EnlargedPixelsAreTakenWhereverTheyAreClicked) {
  montre(gradient(), "gradient");
  QVL& f = Qvl();
  Pas_Zoom = 1;
  f.Czoom(3).setCaption("<<");
  Taille_Zone = 1;
  Retrace_Zoom = false;   // a zoom shows the bare picture, without the marks made before
  ASSERT_TRUE(user::click(f.Czoom(2)));   // "Z1"
  int n = 0, niveaux = 0;
  for (int pas = 0; pas < 24; ++pas) {
    ASSERT_TRUE(user::click(f.Czoom(0)));   // "Z+"
    const QImage nue = painted::screenshot(f.Picture1);
    // The screen columns (along row 0) and rows (along column 0) showing a picture
    // column or row, from the painted gradient.
    auto bornes = [&](bool colonnes, int v, int& premier, int& dernier) {
      premier = dernier = -1;
      for (int i = 0; i < (colonnes ? nue.width() : nue.height()); ++i) {
        const QRgb c = colonnes ? nue.pixel(i, 0) : nue.pixel(0, i);
        if ((colonnes ? colonneMontree(c) : rangMontre(c)) != v) continue;
        if (premier < 0) premier = i;
        dernier = i;
      }
    };
    int a = 0, b = 0, c = 0, d = 0;
    bornes(true, 10, a, b);
    bornes(true, 110, c, d);
    if (a < 0 || c < 0) continue;
    const double s = (c - a) / 100.0;
    if (s < 1) continue;
    if (s > 3) break;
    ++niveaux;
    for (const auto& [X, Y] : {std::pair{20, 15}, std::pair{60, 40}}) {
      int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
      bornes(true, X, x0, x1);
      bornes(false, Y, y0, y1);
      ASSERT_TRUE(x0 >= 0 && y0 >= 0) << X << ", " << Y << " at " << s;
      for (const auto& [x, y] : {std::pair{x0, y0}, std::pair{x1, y1}}) {
        QWidget* toile = f.Picture1.clientWidget();
        ASSERT_EQ(user::whyUnreachableAt(toile, QPoint(x, y)), "");
        user::pressAndRelease(toile, QPoint(x, y));
        ASSERT_EQ(LigneCourante, ++n + 1);
        // The square is symmetric: its mean is its centre pixel.
        EXPECT_EQ(f.GrilleRef.textMatrix(n, 1), std::to_string(X)) << "screen " << x << " at " << s;
        EXPECT_EQ(f.GrilleRef.textMatrix(n, 2), std::to_string(Y)) << "screen " << y << " at " << s;
        verifieCadre(nue, painted::screenshot(f.Picture1), x, y, X, Y, 0, "mark");
      }
    }
  }
  EXPECT_GE(niveaux, 5);
}

TEST_F(ZoneWindow, ClicksWriteTheZonesOfBothHalves) {
  montre(tuiles(), "tuiles");
  repere();
  QVL& f = Qvl();
  clic(50, 50);
  EXPECT_EQ(rangee(1), "1 | 90 | 60 | 30 | 28.11 | 9.85 | 23.29 | 8 | 1 | ");
  EXPECT_EQ(f.label(9).caption(), "90  60  30");
  // 17 x 17 pixels less the black column x = 153, with one white pixel (158, 43).
  clic(150, 50);
  EXPECT_EQ(rangee(2), "2 | 120.49 | 80.64 | 40.79 | 37.88 | 12.57 | 29.44 | 8 | 1 | ");
  EXPECT_EQ(f.label(9).caption(), "120  80  40");
  EXPECT_EQ(f.Label7.caption(), "8     / R = 120.49 / V = 80.64 / B = 40.79");
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(TabMesures(2).NumImage, 1);
  EXPECT_EQ(std::floor(TabMesures(2).Seg(1).X1 / kUnites), 150);
  EXPECT_EQ(std::floor(TabMesures(2).Seg(1).Y1 / kUnites), 50);
  // The square of a centre at x = 191 ends on the last column: taken. At 192 it would
  // leave the picture: refused, nothing written. At y = 8 it would reach the first row,
  // which the square never takes.
  clic(191, 50);
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_EQ(f.GrilleRef.textMatrix(3, 7), "8");
  clic(192, 50);
  clic(50, 8);
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_EQ(f.GrilleRef.textMatrix(4, 1), "");
  EXPECT_EQ(f.Label7.caption().substr(0, 12), "8     / R = ");
  EXPECT_TRUE(messages().empty());
  // The mean of the statistics: (90 + 120.49 + the third zone) / 3.
  const double troisieme = Val_Decimal(f.GrilleRef.textMatrix(3, 1));
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 1), platform::Format((90 + 120.49 + troisieme) / 3, "###0.00"));
}

// A view scaled so that the click lies beyond the 16-bit range of Picture1 units: the
// point is still taken. With Sauve_Auto = 2 the session is saved before row 3.
TEST_F(ZoneWindow, FarClicksAndTheAutomaticSave) {
  montre(tuiles(), "tuiles");
  repere();
  Echelle /= 40;   // until the redraw after the click lays the view out again
  // Picture point (150.5, 50.5) in units of Picture1 by the view's rule.
  const double x = (150.5 * kUnites - Larg_Affichee) / (K_Zoom * Echelle);
  const double y = (50.5 * kUnites - Haut_Affichee) / (K_Zoom * Echelle);
  ASSERT_GT(x, 32767.5);
  Sauve_Auto = 2;
  Fic_Trame = images_.file("auto.trm");
  Clic_Image_Mesure(1, 0, x, y);
  EXPECT_EQ(rangee(1), "1 | 120.49 | 80.64 | 40.79 | 37.88 | 12.57 | 29.44 | 8 | 1 | ");
  clic(50, 50);
  EXPECT_FALSE(std::filesystem::exists(Fic_Trame));
  clic(50, 50);
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_TRUE(std::filesystem::exists(Fic_Trame));
}

TEST_F(ZoneWindow, MarksFollowTheZoom) {
  montre(tuiles(), "tuiles");
  repere();
  const QRgb rouge = painted::rgbOf(platform::QBColor(12));
  // Red on the screen pixel just left of picture pixel (x - 8, y - 4): the left side of
  // the frame of a zone centred on pixel (x, y).
  auto cote = [&](int x, int y) {
    const painted::Region r = ecran(x - 8, y - 4);
    return r.found() && painted::screenshot(Qvl().Picture1).pixel(r.left - 1, r.middleY()) == rouge;
  };
  EXPECT_FALSE(cote(50, 50));
  clic(50, 50);
  clic(150, 50);
  EXPECT_TRUE(cote(50, 50));
  EXPECT_TRUE(cote(150, 50));
  Expo_Zoom = -1;
  Retrace(0);
  EXPECT_LT(K_Zoom, 1);
  repere();
  EXPECT_TRUE(cote(50, 50));
  EXPECT_TRUE(cote(150, 50));
}

// Standard rows 15,30,25 / 110,100,95 / 235,180,168 / 250,240,245 and scanner rows
// 25,40,35 / 100,95,100 / 225,170,180 / 245,250,240: a grey of 150 becomes 110 + 95 x
// 50 / 125 = 160, 100 + 80 x 55 / 75 = 158.666..., 95 + 73 x 50 / 80 = 140.625, kept as
// 160, 158.67 and 140.63 (halves away from zero).
TEST_F(ZoneWindow, CalibratedZonesAreCorrected) {
  auto fichier = [&](const std::string& nom, const std::vector<std::string>& rangees) {
    std::vector<std::string> l = {"REM= essai", "NBMESURES =4", "LISTE="};
    int n = 0;
    for (const std::string& r : rangees) l.push_back(std::to_string(++n) + ";" + r + ";0;0;0;8;1;;");
    const std::string path = images_.file(nom);
    EXPECT_TRUE(platform::writeLines(path, l));
    return path;
  };
  const std::string etalon = fichier("etalon.Etl", {"15;30;25", "110;100;95", "235;180;168", "250;240;245"});
  const std::string scanner = fichier("scanner.Scn", {"25;40;35", "100;95;100", "225;170;180", "245;250;240"});
  montre(platform::Picture::filled(kLargeur, kHauteur, 0x969696), "gris");
  repere();
  QVL& f = Qvl();

  // Ticked with no correction built: the red panel says why and nothing is written.
  f.CheckCalibre.setValue(1);
  clic(50, 50);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(f.lblLabelflashx.caption(), kEtalonNonCharge + kMesureNonInscrite);
  EXPECT_EQ(f.label(9).caption(), "150  150  150");
  Fic_Etalon = etalon;
  clic(50, 50);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(f.lblLabelflashx.caption(), kCorrectionAbsente + kMesureNonInscrite);

  CasesCouleur cases;
  ASSERT_TRUE(Charge_Correction_Scanner(etalon, scanner, cases).construite);
  f.CheckCalibre.setValue(1);
  clic(50, 50);
  EXPECT_EQ(rangee(1), "1 | 160 | 158.67 | 140.63 | 65.02 | -2.47 | 8.96 | 8 | 1 | ");
  EXPECT_EQ(f.label(9).caption(), "150  150  150");
  EXPECT_EQ(f.Label7.caption(), "8     / R = 160 / V = 158.67 / B = 140.63");
  // Unticked: the raw grey (L*a*b* worked out independently in Python).
  f.CheckCalibre.setValue(0);
  clic(60, 50);
  EXPECT_EQ(rangee(2), "2 | 150 | 150 | 150 | 62.08 | 0.28 | -0.66 | 8 | 1 | ");
  // Points left from files no longer current are not used.
  Correction_Valide = false;
  f.CheckCalibre.setValue(1);
  clic(70, 50);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(f.lblLabelflashx.caption(), kCorrectionAbsente + kMesureNonInscrite);
  EXPECT_TRUE(messages().empty());
}

// The row that fills the grid is written whole and the session saved to the rescue
// file; a click on the full grid writes nothing and saves again.
TEST_F(ZoneWindow, FullGridIsSavedAndKeptWhole) {
  startFunction(20);
  dialogs_->clear();   // the switch-on's notice of the missing standard
  QVL& f = Qvl();
  listOneImage();
  f.Check(3).setValue(0);
  f.GrilleRef.setRows(3);
  LigneCourante = 2;
  Index_Image = 1;
  for (int k = 1; k <= 3; ++k) {
    Coul_Mesure(k) = 10.5f * k;
    Coul_Lab(k) = -1.25f * k;
  }
  std::filesystem::remove(Fichier_Trame_Secours());
  dialogs_->answerMsgBox(platform::vbOK);
  Inscrit_Mesure_Couleur();
  EXPECT_EQ(rangee(2), "2 | 10.5 | 21 | 31.5 | -1.25 | -2.5 | -3.75 | 8 | 1 | ");
  EXPECT_EQ(LigneCourante, 3);
  const std::string secours = Fichier_Trame_Secours();
  EXPECT_TRUE(std::filesystem::exists(secours));
  std::filesystem::remove(secours);
  dialogs_->answerMsgBox(platform::vbOK);
  Inscrit_Mesure_Couleur();
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_TRUE(std::filesystem::exists(secours));
  std::filesystem::remove(secours);
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(214), MSG(214)}));
}

// Rows of a colour function count a channel of 0 as a value; empty cells count nowhere.
TEST_F(ZoneWindow, StatisticsCountZeroChannels) {
  startFunction(20);
  dialogs_->clear();   // the switch-on's notice of the missing standard
  QVL& f = Qvl();
  f.Check(3).setValue(1);
  const char* rangees[3][6] = {{"90", "60", "30", "28.11", "9.85", "23.29"},
                               {"0", "0", "0", "0", "0", "0"},
                               {"", "", "", "", "", ""}};
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 6; ++c) f.GrilleRef.setTextMatrix(r, c, rangees[r - 1][c - 1]);
  LigneCourante = 4;
  Calcul_stat();
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 1), "45.00");
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 3), "15.00");
  EXPECT_EQ(f.GrilleRefP.textMatrix(2, 1), "0.00");   // the smallest value
  EXPECT_EQ(f.GrilleRefP.textMatrix(4, 1), "45.00");  // population sigma of 90 and 0
  // Other functions keep zeros out.
  startFunction(1);
  f.Check(3).setValue(1);
  f.GrilleRef.setTextMatrix(1, 1, "90");
  f.GrilleRef.setTextMatrix(2, 1, "0");
  LigneCourante = 3;
  Calcul_stat();
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 1), "90.00");
}

// Fourteen tiles of 25 x 25 pixels, eight to a row, then white; each R, V, B and the
// L*a*b* it writes, from the conversion's formulas worked out in Python. The black
// tile's pixels are all skipped: it writes 0 in every channel.
constexpr double kSignees[][6] = {
    {0, 0, 0, 0, 0, 0},                 {0, 255, 0, 87.74, -85.89, 82.71},  {40, 160, 60, 57.96, -52.88, 41.53},
    {20, 120, 200, 49.19, 3.3, -49.72}, {200, 40, 60, 44.41, 61.92, 29.14}, {60, 200, 180, 73.26, -41.2, -1.52},
    {0, 90, 0, 32.51, -40.16, 38.68},   {0, 160, 140, 59.01, -39.69, -0.16}, {90, 60, 200, 37.07, 49.03, -69.17},
    {40, 180, 160, 66.24, -40.21, -0.81}, {0, 128, 255, 54.72, 19.06, -71.87}, {20, 180, 160, 66, -41.83, -1.18},
    {230, 210, 40, 83.48, -9.12, 77.28}, {100, 220, 200, 80.78, -38.19, -1.21},
};

// Zones of signed colours measured with the mouse: negative channels and written zeros
// count like any other value in the statistics grid ("Min", "Max", counts, deciles,
// median), in the summary's dominant values and in the export's lines, which equal a
// plain calculation on the values written.
TEST_F(ZoneWindow, SignedChannelsCountInEveryStatistic) {
  montre(painted::picture(kLargeur, kHauteur, [](int x, int y) {
    const std::size_t k = static_cast<std::size_t>(x / 25 + 8 * (y / 25));
    if (k >= std::size(kSignees)) return platform::RGB(255, 255, 255);
    return platform::RGB(static_cast<int>(kSignees[k][0]), static_cast<int>(kSignees[k][1]),
                         static_cast<int>(kSignees[k][2]));
  }), "signes");
  repere();
  QVL& f = Qvl();
  r_.keep(Ext_Export);
  const bool type5 = f.NotExp(5).checked();
  r_.then([type5] { Qvl().NotExp(5).setChecked(type5); Qvl().Frame(12).setVisible(false); });
  for (int k = 0; k < 14; ++k) clic(12 + 25 * (k % 8), 12 + 25 * (k / 8));
  ASSERT_EQ(LigneCourante, 15);
  EXPECT_EQ(rangee(1), "1 | 0 | 0 | 0 | 0 | 0 | 0 | 8 | 1 | ");

  // Grid columns 1 to 6 against a plain calculation on the values of the table:
  // extremes, median, deciles at ranks (n + 1) / 10 and 9 (n + 1) / 10 in tenths.
  auto F = [](double x) { return platform::Format(x, Format_Decimal); };
  auto stat = [&](int r, int c) { return f.GrilleRefP.textMatrix(r, c); };
  double d1[7] = {}, d9[7] = {}, mediane[7] = {}, mins[7] = {}, maxs[7] = {};
  for (int c = 1; c <= 6; ++c) {
    std::vector<double> v;
    for (int k = 0; k < 14; ++k) {
      v.push_back(kSignees[k][c - 1]);
      ASSERT_NEAR(Val_Decimal(f.GrilleRef.textMatrix(k + 1, c)), v.back(), 1e-9) << rangee(k + 1);
    }
    std::sort(v.begin(), v.end());
    mins[c] = v[0];
    maxs[c] = v[13];
    mediane[c] = (v[6] + v[7]) / 2;
    d1[c] = v[0] + (v[1] - v[0]) * 5 / 10;   // n = 14: m = 5, k = 1, j = 13
    d9[c] = v[12] + (v[13] - v[12]) * 5 / 10;
    EXPECT_EQ(stat(2, c), F(mins[c])) << c;
    EXPECT_EQ(stat(3, c), F(maxs[c])) << c;
    EXPECT_EQ(stat(8, c), "14") << c;
    EXPECT_EQ(stat(9, c), F(d1[c])) << c;
    EXPECT_NEAR(Val_Decimal(stat(10, c)), mediane[c], 1e-9) << c;
    EXPECT_EQ(stat(11, c), F(d9[c])) << c;
  }
  EXPECT_EQ(stat(2, 5), "-85.89");
  EXPECT_EQ(f.GrilleRef.cellBackColor(2, 5), kVertMinimum);

  // The summary in notation "D1, Dominante, D9": the dominant values of a and b, from an
  // independent transcription of the search in Python, are -40.68 (the middle of -41.2
  // and -40.16) and -1.01 (of -1.21 and -0.81).
  ASSERT_TRUE(user::choose(f.NotExp(5)));
  ASSERT_TRUE(user::click(f.Bout(39)));
  for (const auto& [c, dom] : {std::pair{5, -40.68}, std::pair{6, -1.01}}) {
    const std::string ligne = f.GrilleRef.textMatrix(0, c) + " : \tN =14 ;D1,Dom., D9; (" + F(mins[c]) + ")" +
                              F(d1[c]) + " - " + F(dom) + " - " + F(d9[c]) + "(" + F(maxs[c]) + ")\r\n";
    EXPECT_NE(f.TBox(8).text().find(ligne), std::string::npos) << ligne << "\n" << f.TBox(8).text();
  }

  // The export: counts, extremes, deciles, medians; the dominant values of R, V, B and
  // L with their zeros (0, 160, 180 and 69.63 by the same Python search).
  std::filesystem::create_directory(images_.file("export"));
  const std::string chemin = images_.file("export/signes.csv");
  Ext_Export = "csv";
  ASSERT_TRUE(user::choose(f.MnuEDit(1)));
  dialogs_->answerSave(chemin);
  ASSERT_TRUE(user::click(f.Bout_dial(28)));
  std::vector<std::string> lignes;
  ASSERT_TRUE(platform::readLines(chemin, &lignes));
  auto ligneDe = [&](const std::string& debut) {
    const auto l = std::find_if(lignes.begin(), lignes.end(), [&](const auto& t) { return t.rfind(debut, 0) == 0; });
    return l == lignes.end() ? std::string() : *l;
  };
  auto champ = [&](const std::string& debut, int c) {
    const std::vector<std::string> t = platform::Split(ligneDe(debut), ";");
    return c < static_cast<int>(t.size()) ? Val_Decimal(t[static_cast<std::size_t>(c)]) : std::nan("");
  };
  EXPECT_EQ(ligneDe("Effectif = "), "Effectif = ; 14; 14; 14; 14; 14; 14; ; ");
  EXPECT_EQ(ligneDe("Mode ;"), "Mode ;" + F(0) + "; " + F(160) + "; " + F(180) + "; " + F(69.63) + "; ; ");
  for (int c = 1; c <= 6; ++c) {
    EXPECT_EQ(champ("Min; ", c), Val_Decimal(F(mins[c]))) << c;
    EXPECT_EQ(champ("Max; ", c), Val_Decimal(F(maxs[c]))) << c;
    EXPECT_NEAR(champ("1er décile", c), d1[c], 1e-9) << c;
    EXPECT_NEAR(champ("médiane", c), mediane[c], 1e-9) << c;
    EXPECT_NEAR(champ("9ème décile", c), d9[c], 1e-9) << c;
  }
  EXPECT_EQ(ligneDe("a : ").substr(0, 25), "a : N=14; D1,9 ;(-85.89 )");
}

// A session of function 20: the stored zones are measured again on their picture; a
// zone whose square leaves the picture and a row of an image that cannot be loaded keep
// empty cells and are reported.
TEST_F(ZoneWindow, ReloadedSessionMeasuresTheZonesAgain) {
  const std::string image = images_.file("tuiles.bmp");
  ASSERT_TRUE(tuiles().saveBmp(image));
  auto point = [](double x, double y) {
    return platform::LTrim(platform::Str(x * kUnites)) + ";" + platform::LTrim(platform::Str(y * kUnites));
  };
  const std::string path = images_.file("zones.trm");
  ASSERT_TRUE(platform::writeLines(
      path, {"INDPRES=True", "NBIMAGES= 2", "NBLIGNES= 4", "FONCTION= 20", "CALIBRAGE= ", " 1", " 1",
             "PCTSW =  11761.2", "IMAGES= ", image, images_.file("absente.bmp"), "COMMENT= ", "1;a", "2;b",
             "3;c", "4;d", "FIN", "TRAME= ", "0;1;" + point(50.5, 50.5) + ";0;0;",
             "0;1;" + point(150.5, 50.5) + ";0;0;", "0;1;" + point(195.5, 50.5) + ";0;0;",
             "0;2;" + point(50.5, 50.5) + ";0;0;"}));
  startFunction(1);
  dialogs_->answerMsgBox(platform::vbOK);   // the switch-on's notice of the missing standard
  dialogs_->answerMsgBox(platform::vbOK);   // what was left out
  std::string p = path;
  int code = 0;
  ASSERT_TRUE(Lit_Trame(p, code));
  EXPECT_EQ(FonctionCourante, 20);
  EXPECT_EQ(rangee(1), "1 | 90 | 60 | 30 | 28.11 | 9.85 | 23.29 | 8 | 1 | a");
  EXPECT_EQ(rangee(2), "2 | 120.49 | 80.64 | 40.79 | 37.88 | 12.57 | 29.44 | 8 | 1 | b");
  EXPECT_EQ(rangee(3), "3 |  |  |  |  |  |  |  | 1 | c");
  EXPECT_EQ(rangee(4), "4 |  |  |  |  |  |  |  | 2 | d");
  std::vector<std::string> m = messages();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0], "fichier étalon non chargé ");
  m.erase(m.begin());
  EXPECT_NE(m[0].find("absente.bmp"), std::string::npos) << m[0];
  EXPECT_NE(m[0].find("2 ligne(s) sans image"), std::string::npos) << m[0];
}

// --- every canvas pixel of a strip ----------------------------------------------------

using painted::Pixel;
int colonneDe(QRgb c) { return painted::pixelShown(c).x; }
int rangDe(QRgb c) { return painted::pixelShown(c).y; }

// A canvas pixel to click and the picture pixel the view painted shows there.
struct Cible {
  QPoint ecran;
  Pixel montre;
};

// The zooms swept: "Z1" then 2, 4, 6 and 8 presses of "Z+", from about 1.4 to 3.8 screen
// pixels to a picture pixel.
constexpr int kPressionsZoom[] = {2, 4, 6, 8};
// The strips: through picture pixel (20, 20), 15 pixels either side. Which canvas rows
// and columns show which picture pixel changes from pixel to pixel and from zoom to
// zoom, so every canvas pixel of them is clicked.
constexpr Pixel kCentreBandes{20, 20};
constexpr int kDemiBande = 15;

// The window tests that click every canvas pixel of two strips of the picture shown,
// the canvas columns along one canvas row and the canvas rows along one canvas column,
// and check each click against the picture pixel painted where it clicks.
class ZoneStrips : public ZoneWindow {
 protected:
  // The panels over the picture (the preview and the welcome panel) closed by their
  // buttons, as a user does before measuring.
  void SetUp() override {
    ZoneWindow::SetUp();
    closePanelsOverPicture();
    const int zone = ZoneCouleur;
    r_.then([zone] {
      if (zone >= 1 && zone <= 6) Qvl().Lrg(zone).click();
    });
  }

  // Picture p, saved as name.bmp, shown as image 1 of the list after "Tintavel" was
  // chosen from the function menu, with the smallest zone (5 x 5 pixels, "8x8" in the
  // zone menu); the zoom steps one exponent at a time and the grid frame is put away by
  // its button (it would cover the right of the picture; the grid is read all the same).
  void ouvre(const platform::Picture& p, const std::string& nom) {
    QVL& f = Qvl();
    const std::string chemin = images_.file(nom + ".bmp");
    ASSERT_TRUE(p.saveBmp(chemin));
    startFunction(1);
    ASSERT_TRUE(user::choose(f.MnuFonc(20)));   // "Tintavel"
    ASSERT_EQ(FonctionCourante, 20);
    ASSERT_TRUE(f.FraCharte.visible());
    dialogs_->clear();   // the switch-on's notice of the missing standard
    ASSERT_TRUE(user::choose(f.Lrg(1)));
    ASSERT_EQ(Taille_Zone, 2);
    f.ListIMGchar.clear();
    f.ListIMGchar.addItem(chemin);
    ASSERT_TRUE(Charge_Image_Memoire(chemin));
    Img_Active = chemin;
    Index_Image = 1;
    if (Pas_Zoom != 1) {
      ASSERT_TRUE(user::click(f.Czoom(3)));
    }
    ASSERT_EQ(Pas_Zoom, 1);
    if (f.Frame(6).visible()) {
      ASSERT_TRUE(user::click(f.Bout(3)));
    }
    ASSERT_FALSE(f.Frame(6).visible());
  }

  // The view at "Z1" followed by n presses of "Z+" (of "Z-" when n < 0): the picture as
  // it is painted then, and its screen pixels to a picture pixel (over 50 columns from
  // column 40 of row 61).
  QImage vue(int n, double& echelle) {
    QVL& f = Qvl();
    EXPECT_TRUE(user::click(f.Czoom(2)));   // "Z1"
    for (int i = 0; i < std::abs(n); ++i) EXPECT_TRUE(user::click(f.Czoom(n > 0 ? 0 : 1)));
    const QImage nue = painted::screenshot(f.Picture1);
    const painted::Region a = ou(nue, {40, 61}), b = ou(nue, {90, 61});
    echelle = a.found() && b.found() ? (b.left - a.left) / 50.0 : 0;
    return nue;
  }

  // The canvas pixels that show picture pixel p in screenshot nue.
  static painted::Region ou(const QImage& nue, Pixel p) {
    return painted::findWhere(nue, nue.rect(), [p](QRgb c) { return painted::pixelShown(c) == p; });
  }

  // Every canvas pixel of the two strips through picture pixel c, demi picture pixels
  // either side of it, as nue (the view painted) shows them: the canvas columns along
  // the canvas row in the middle of c's and the canvas rows along the canvas column in
  // the middle of c's.
  static std::vector<Cible> bandes(const QImage& nue, Pixel c, int demi) {
    const painted::Region centre = ou(nue, c);
    const painted::Region gauche = ou(nue, {c.x - demi, c.y}), droite = ou(nue, {c.x + demi, c.y});
    const painted::Region haut = ou(nue, {c.x, c.y - demi}), bas = ou(nue, {c.x, c.y + demi});
    std::vector<Cible> v;
    if (!centre.found() || !gauche.found() || !droite.found() || !haut.found() || !bas.found()) return v;
    for (int x = gauche.left; x <= droite.right; ++x)
      v.push_back({QPoint(x, centre.middleY()), painted::pixelShown(nue.pixel(x, centre.middleY()))});
    for (int y = haut.top; y <= bas.bottom; ++y)
      v.push_back({QPoint(centre.middleX(), y), painted::pixelShown(nue.pixel(centre.middleX(), y))});
    return v;
  }

  // The zone centre written in row r of the grid: its square is symmetric, so its mean
  // is its centre pixel.
  static Pixel centreEcrit(int r) {
    const platform::FlexGrid& g = Qvl().GrilleRef;
    auto canal = [&](int c) { return static_cast<int>(std::lround(Val_Decimal(g.textMatrix(r, c)))); };
    return painted::pixelOf(canal(1), canal(2), canal(3));
  }
  // The picture pixel holding the point stored for row r.
  static Pixel pointStocke(int r) {
    const Segment& s = TabMesures(r).Seg(1);
    return {static_cast<int>(std::floor(s.X1 / kUnites)), static_cast<int>(std::floor(s.Y1 / kUnites))};
  }

  static std::string ou(const std::string& vue, const Cible& c) {
    return vue + ", screen " + std::to_string(c.ecran.x()) + ", " + std::to_string(c.ecran.y());
  }

  // Every target clicked as a user does: the preview while the mouse is over it and
  // the frame once measured hold the square around the pixel painted there, the row
  // written is that pixel's colour and the point stored lies in it. Each row is then
  // taken back with the Backspace key, so that only its own frame is drawn.
  void cliqueUnParUn(const QImage& nue, const std::vector<Cible>& cibles, const std::string& vue) {
    QVL& f = Qvl();
    QWidget* toile = f.Picture1.clientWidget();
    for (const Cible& c : cibles) {
      SCOPED_TRACE(ou(vue, c));
      ASSERT_EQ(user::whyUnreachableAt(toile, c.ecran), "");
      mouse(QEvent::MouseMove, Qt::NoButton, c.ecran.x(), c.ecran.y());
      verifieCadre(nue, painted::screenshot(f.Picture1), c.ecran.x(), c.ecran.y(), c.montre.x, c.montre.y, 0,
                   "preview", colonneDe, rangDe);
      user::pressAndRelease(toile, c.ecran);
      ASSERT_EQ(LigneCourante, 2);
      EXPECT_EQ(centreEcrit(1), c.montre);
      EXPECT_EQ(pointStocke(1), c.montre);
      verifieCadre(nue, painted::screenshot(f.Picture1), c.ecran.x(), c.ecran.y(), c.montre.x, c.montre.y, 0,
                   "mark", colonneDe, rangDe);
      picture_window::key(QEvent::KeyPress, Qt::Key_Backspace);
      picture_window::key(QEvent::KeyRelease, Qt::Key_Backspace);
      ASSERT_EQ(LigneCourante, 1);
    }
  }

  // Every target clicked, its rows kept (each the colour of the pixel painted there, its
  // point stored in it); the session is then transferred into a folder of its own
  // ("Transfert de session") and loaded back ("Charger la trame", after another function
  // was chosen): every row measured again gives the pixel of its click and the same
  // values. The grid is then cleared ("Raz gril.").
  void rechargeLesZones(const std::vector<Cible>& cibles, const std::string& vue) {
    QVL& f = Qvl();
    QWidget* toile = f.Picture1.clientWidget();
    std::vector<std::vector<std::string>> valeurs;
    for (const Cible& c : cibles) {
      ASSERT_EQ(user::whyUnreachableAt(toile, c.ecran), "") << ou(vue, c);
      user::pressAndRelease(toile, c.ecran);
      const int r = static_cast<int>(valeurs.size()) + 1;
      ASSERT_EQ(LigneCourante, r + 1) << ou(vue, c);
      EXPECT_EQ(centreEcrit(r), c.montre) << ou(vue, c);
      EXPECT_EQ(pointStocke(r), c.montre) << ou(vue, c);
      valeurs.push_back(row(r, 7));
    }
    // The preview is drawn over the zones measured: every pixel of their frames and
    // numbers stays while the mouse moves.
    const QImage marques = painted::screenshot(f.Picture1);
    mouse(QEvent::MouseMove, Qt::NoButton, cibles.front().ecran.x(), cibles.front().ecran.y());
    const QImage apercu = painted::screenshot(f.Picture1);
    const QRgb rouge = painted::rgbOf(platform::QBColor(CouleursTrace(0)));
    const painted::Region marquees = painted::find(marques, rouge);
    EXPECT_GT(marquees.count, 0) << vue;
    long perdus = 0;
    for (int j = 0; j < marques.height(); ++j)
      for (int i = 0; i < marques.width(); ++i) perdus += marques.pixel(i, j) == rouge && apercu.pixel(i, j) != rouge;
    EXPECT_EQ(perdus, 0) << vue;
    const std::size_t avant = messages().size();
    const std::string dossier = images_.file("transfert " + vue);
    std::filesystem::create_directories(dossier);
    const std::string trame = dossier + "/zones.trm";
    dialogs_->answerSave(trame);
    ASSERT_TRUE(user::choose(f.Mntool(25)));   // "Transfert de session"
    ASSERT_TRUE(std::filesystem::exists(trame));
    dialogs_->answerMsgBox(platform::vbYes);   // the rows may go
    ASSERT_TRUE(user::choose(f.MnuFonc(1)));   // "Mesure segment"
    ASSERT_EQ(LigneCourante, 1);
    dialogs_->answerOpen({trame});
    dialogs_->answerMsgBox(platform::vbOK);
    ASSERT_TRUE(user::choose(f.MnuFIC(10)));   // "Charger la trame"
    ASSERT_EQ(FonctionCourante, 20);
    ASSERT_EQ(LigneCourante, static_cast<int>(cibles.size()) + 1);
    for (std::size_t i = 0; i < cibles.size(); ++i) {
      const int r = static_cast<int>(i) + 1;
      EXPECT_EQ(centreEcrit(r), cibles[i].montre) << ou(vue, cibles[i]) << ", loaded again";
      EXPECT_EQ(row(r, 7), valeurs[i]) << ou(vue, cibles[i]) << ", loaded again";
    }
    dialogs_->answerMsgBox(platform::vbYes);
    ASSERT_TRUE(user::click(f.Bout(16)));   // "Raz gril."
    ASSERT_EQ(LigneCourante, 1);
    // The question of the function change, the notice of the missing standard when the
    // colour function comes back with the session, the question of "Raz gril.".
    const std::vector<std::string> m = messages();
    ASSERT_EQ(m.size(), avant + 3);
    EXPECT_EQ(m[avant + 1], "fichier étalon non chargé ");
  }

  // The strips through c (demi pixels either side) at the view "Z1" and n presses of
  // "Z+" (of "Z-" when n < 0), which must show between 1.1 and 4 screen pixels to a
  // picture pixel; nue the view painted.
  std::vector<Cible> cibles(int n, Pixel c, int demi, QImage& nue, std::string& vue) {
    double echelle = 0;
    nue = this->vue(n, echelle);
    vue = Qvl().label(2).caption();
    EXPECT_TRUE(echelle >= 1.1 && echelle <= 4) << vue << ": " << echelle;
    const std::vector<Cible> v = bandes(nue, c, demi);
    EXPECT_FALSE(v.empty()) << vue << ": the strips are not on the screen";
    for (const Cible& k : v) {
      EXPECT_NE(k.montre, Pixel{}) << ou(vue, k) << ": the strip leaves the picture";
      if (k.montre == Pixel{}) return {};
    }
    return v;
  }

  // A 600 x 450 picture shown, and at each zoom of kPressionsZoom its strips through
  // kCentreBandes given to balaie(nue, cibles, vue).
  template <class Balayage>
  void aChaqueZoom(Balayage balaie) {
    ouvre(painted::coordinates(600, 450), "coordonnees");
    for (int n : kPressionsZoom) {
      QImage nue;
      std::string vue;
      const std::vector<Cible> v = cibles(n, kCentreBandes, kDemiBande, nue, vue);
      ASSERT_FALSE(v.empty());
      balaie(nue, v, vue);
    }
  }
};

// A 600 x 450 picture enlarged by "Z+": every canvas column along a canvas row and
// every canvas row along a canvas column of the strips takes the pixel painted there:
// its colour in the grid, its frame while the mouse is over it and once measured, and
// its stored point.
TEST_F(ZoneStrips, EveryCanvasPixelTakesThePixelPaintedThere) {
  aChaqueZoom([this](const QImage& nue, const std::vector<Cible>& v, const std::string& vue) {
    cliqueUnParUn(nue, v, vue);
  });
  EXPECT_TRUE(messages().empty()) << messages().front();
}

// The same strips with their rows kept: the session saved and loaded again measures
// every zone again on the pixel of its click.
TEST_F(ZoneStrips, ZonesLoadedAgainAreMeasuredOnThePixelsClicked) {
  aChaqueZoom([this](const QImage&, const std::vector<Cible>& v, const std::string& vue) { rechargeLesZones(v, vue); });
}

// At "Z= 0.5" a 144 x 144 picture is shown at its factor 1, about 2.8 screen pixels to a
// picture pixel, and the canvas column and row in the middle of the box fall exactly on
// the edge between picture pixels 126 and 127: every canvas pixel of the strips
// through (120, 120), 14 pixels either side, takes the pixel painted there, on both
// sides of the edge, and so do its rows once loaded again.
TEST_F(ZoneStrips, AnExactPixelEdgeIsTakenAsItIsPainted) {
  ouvre(painted::coordinates(144, 144), "petite");
  QImage nue;
  std::string vue;
  const std::vector<Cible> v = cibles(-2, {120, 120}, 14, nue, vue);
  ASSERT_EQ(vue, "Z= 0.5");
  ASSERT_FALSE(v.empty());
  cliqueUnParUn(nue, v, vue);
  rechargeLesZones(v, vue);
}

}  // namespace
