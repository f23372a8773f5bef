// The colour-zone function in the real window: clicks on a 200 x 100 picture write the
// expected grid rows and captions, a square reaching the edge is refused, the marks
// follow a zoom, the statistics count channels of 0, "Calibré" corrects the colour
// (or refuses the click when no correction is built), and a reloaded session has its
// zones measured again on the picture.
#include "colour/zone_measure.h"

#include <gtest/gtest.h>

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

namespace {

using picture_window::mouse;
using picture_window::unitsPerPixel;

constexpr int kLargeur = 200;
constexpr int kHauteur = 100;
constexpr double kHimetrique = 2540.0 / 96.0;   // picture units a pixel

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
    QVL& f = Qvl();
    r_.keep(ZoneCouleur); r_.keep(Fic_Etalon); r_.keep(Rep_Prog); r_.keep(Coul_Mesure);
    r_.keep(Coul_Lab); r_.keep(Table_Correction); r_.keep(Correction_Valide); r_.keep(Etalon_Charge);
    const int calibre = f.CheckCalibre.value();
    const bool charte = f.FraCharte.visible();
    const std::string label7 = f.Label7.caption();
    r_.then([calibre, charte, label7] {
      QVL& g = Qvl();
      g.CheckCalibre.setValue(calibre);
      g.FraCharte.setVisible(charte);
      g.Label7.setCaption(label7);
    });
    Rep_Prog = images_.file("");
    Fic_Etalon.clear();
    Table_Correction = TableCorrection();
    Correction_Valide = false;
    f.CheckCalibre.setValue(0);
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

  // Position in units of Picture1 of the middle of picture pixel (x, y).
  static double ecranX(double x) { return (x * kHimetrique - Larg_Affichee) / (K_Zoom * Echelle); }
  static double ecranY(double y) { return (y * kHimetrique - Haut_Affichee) / (K_Zoom * Echelle); }

  // A left click on the canvas pixel that shows picture pixel (x, y).
  static void clic(int x, int y) {
    const int px = static_cast<int>(std::floor(ecranX(x + 0.5) / unitsPerPixel()));
    const int py = static_cast<int>(std::floor(ecranY(y + 0.5) / unitsPerPixel()));
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, px, py);
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, px, py);
  }

  // Columns 0 to 9 of a grid row joined by " | ".
  static std::string rangee(int r) {
    std::string s;
    for (int c = 0; c <= 9; ++c) s += Qvl().GrilleRef.textMatrix(r, c) + (c < 9 ? " | " : "");
    return s;
  }
};

TEST_F(ZoneWindow, ClicksWriteTheZonesOfBothHalves) {
  montre(tuiles(), "tuiles");
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
  EXPECT_NEAR(TabMesures(2).Seg(1).X1 / kHimetrique, 150.5, 0.5);
  // The square of a centre at x = 191 ends on the last column but one: taken. At 192
  // it would reach the last: refused, nothing written.
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
  Echelle /= 40;   // until the redraw after the click lays the view out again
  const double x = ecranX(150.5), y = ecranY(50.5);
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
  const platform::Colour rouge = platform::QBColor(12);
  const platform::PictureBox& pic = Qvl().Picture1;
  const double u = unitsPerPixel();
  // Red at or next to the middle of the left side of a zone's square (7 pixels left of
  // its centre pixel, drawn from the point clicked).
  auto cote = [&](int x, int y) {
    const double cx = ecranX(x + 0.5) - 7 * kHimetrique / (K_Zoom * Echelle), cy = ecranY(y + 0.5 - 4);
    for (int i = -2; i <= 2; ++i)
      if (pic.point(cx + i * u, cy) == rouge) return true;
    return false;
  };
  EXPECT_FALSE(cote(50, 50));
  clic(50, 50);
  clic(150, 50);
  EXPECT_TRUE(cote(50, 50));
  EXPECT_TRUE(cote(150, 50));
  Expo_Zoom = -1;
  Retrace(0);
  EXPECT_LT(K_Zoom, 1);
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

// A session of function 20: the stored zones are measured again on their picture; a
// zone whose square leaves the picture and a row of an image that cannot be loaded keep
// empty cells and are reported.
TEST_F(ZoneWindow, ReloadedSessionMeasuresTheZonesAgain) {
  const std::string image = images_.file("tuiles.bmp");
  ASSERT_TRUE(tuiles().saveBmp(image));
  auto point = [](double x, double y) {
    return platform::LTrim(platform::Str(x * kHimetrique)) + ";" + platform::LTrim(platform::Str(y * kHimetrique));
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

}  // namespace
