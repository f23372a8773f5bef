// Annotations of the picture: the scale reference, legends and the notation of the
// measurements, armed as the menu "Illustrer écran" arms them, clicked on the picture
// as the window forwards the clicks and confirmed with the entry panel's buttons; the
// illustration branches repeated on the full-size copy Picture2.
#include "measure/annotations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/dispatch.h"
#include "measure/measure_state.h"
#include "measure/picture_events.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/clipboard.h"
#include "platform/colour.h"
#include "platform/runtime.h"
#include "reports/report_commands.h"
#include "shell/button_bar.h"
#include "shell/tools_menu.h"
#include "support/user_input.h"

namespace {

using measure_window::MeasureWindow;
using picture_window::TempFolder;

constexpr platform::Colour kFond = 0x000000;

// --- pure ---------------------------------------------------------------------------

TEST(AnnotationGeometry, FontDivisorByScreenAndWindow) {
  struct Case {
    double ratio;
    bool maximise;
    int D;
  };
  const Case cases[] = {{4.0 / 3, true, 36}, {4.0 / 3, false, 59}, {1.5, true, 36},
                        {1.5, false, 59},    {16.0 / 9, true, 32}, {16.0 / 9, false, 55}};
  for (const Case& c : cases) EXPECT_EQ(Diviseur_Police(c.ratio, c.maximise), c.D) << c.ratio << c.maximise;
}

TEST(AnnotationGeometry, ReferenceLengthInUnitsOfThePicture) {
  double P = -1;
  // 7.5 / (0.02 x 1 x 1) x 1 = 375; with K_Zoom 0.5: 750; Ratio_Ecran 1.2: 450.
  ASSERT_TRUE(Longueur_Reference(7.5, 0.02, 1, 1, 1, P));
  EXPECT_NEAR(P, 375, 1e-9);
  ASSERT_TRUE(Longueur_Reference(7.5, 0.02, 0.5, 1, 1, P));
  EXPECT_NEAR(P, 750, 1e-9);
  ASSERT_TRUE(Longueur_Reference(7.5, 0.02, 1, 1, 1.2, P));
  EXPECT_NEAR(P, 450, 1e-9);
  // A reference of 0 has no length; no calibration gives none at all.
  ASSERT_TRUE(Longueur_Reference(0, 0.02, 1, 1, 1, P));
  EXPECT_EQ(P, 0);
  P = 9;
  EXPECT_FALSE(Longueur_Reference(7.5, 0, 1, 1, 1, P));
  EXPECT_EQ(P, 9);
}

TEST(AnnotationGeometry, PointOfTheFullSizeCopy) {
  picture_window::Restorer r;
  r.keep(K_Zoom);
  r.keep(Echelle);
  r.keep(Point_Base);
  K_Zoom = 0.5;
  Echelle = 2;
  // (1000, 600) x 0.5 x 2: the view's offsets are added by the callers.
  ASSERT_TRUE(Point_Image_Base(1000, 600));
  EXPECT_DOUBLE_EQ(Point_Base.X, 1000);
  EXPECT_DOUBLE_EQ(Point_Base.Y, 600);
  Echelle = 3;
  ASSERT_TRUE(Point_Image_Base(10, 20));
  EXPECT_DOUBLE_EQ(Point_Base.X, 15);
  EXPECT_DOUBLE_EQ(Point_Base.Y, 30);
  Echelle = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(Point_Image_Base(10, 20));
  EXPECT_EQ(Point_Base.X, -1);
}

// --- on the window --------------------------------------------------------------------

class Annotations : public MeasureWindow {
 protected:
  void SetUp() override {
    MeasureWindow::SetUp();
    QVL& f = Qvl();
    r_.keep(Ins_Notation); r_.keep(Mode_Illus); r_.keep(Loupe_Ouverte); r_.keep(Point_Base);
    r_.keep(TaillePolice); r_.keep(TaillePoliceImg); r_.keep(EpaisseurTrait); r_.keep(Ratio_Aspect);
    const bool visible8 = f.Frame(8).visible();
    const std::string text5 = f.TBox(5).text(), label8 = f.label(8).caption(), clip = platform::Clipboard::getText();
    const platform::Picture p2 = f.Picture2.picture();
    const int mode2 = f.Picture2.scaleMode();
    r_.then([visible8, text5, label8, clip, p2, mode2] {
      QVL& g = Qvl();
      g.Frame(8).setVisible(visible8);
      g.TBox(5).setMultiLine(false);
      g.TBox(5).setText(text5);
      g.label(8).setCaption(label8);
      g.Picture2.setPicture(p2);
      g.Picture2.setScaleMode(mode2 == 0 ? 1 : mode2);
      platform::Clipboard::setText(clip);
    });
    Connecte_Mesure(f);
    Connecte_Menu_Outils(f);
    ASSERT_TRUE(picture_window::loadPlainPicture(dir_, 400, 300, kFond));
    f.Picture1.setPicture(platform::Picture::filled(f.Picture1.canvasWidthPixels(),
                                                    f.Picture1.canvasHeightPixels(), kFond));
    f.ImageMem.setPicture(f.Picture1.image());
    K_Zoom = 1;
    Expo_Zoom = 0;
    Echelle = 1;
    Larg_Affichee = 0;
    Haut_Affichee = 0;
    Facteur_Resol = 1;
    Calibrage = 0.02;
    CouleursTrace(0) = 12;
    TaillePolice = 10;
    TaillePoliceImg = 10;
    EpaisseurTrait = 2;
    Ratio_Aspect = 1;
    Loupe_Ouverte = false;
    Mode_InsRef = Mode_Annot = Mode_Illus = Mode_InsTexte = Illus_Trait = Ins_Notation = false;
    Illus_Texte = Illus_Saisie = false;
    Etat_Pt1 = Etat_Pt2 = Etat_Pt3 = false;
    Etat_Saisie = 0;
    Palmer = 2;
    Mode_Standard = true;
    Mode_Main = false;
    Mode_Comptage = false;
    f.Frame(8).setVisible(false);
    u_ = picture_window::unitsPerPixel();
  }
  static void click(double x, double y) {
    Clic_Image_Mesure(platform::kLeftButton, 0, x, y);
    Relache_Image(platform::kLeftButton, 0, x, y);
  }
  static platform::Colour at(double x, double y) { return Qvl().Picture1.point(x, y); }
  // Whether a pixel of Picture1 in the rectangle (x, y, w, h) differs from the background.
  bool ecrit(double x, double y, double w, double h) const {
    for (double yy = y; yy < y + h; yy += u_)
      for (double xx = x; xx < x + w; xx += u_)
        if (at(xx, yy) != kFond) return true;
    return false;
  }
  static bool armee() { return Mode_InsRef || Mode_Annot || Mode_Illus || Mode_InsTexte || Ins_Notation || Illus_Trait; }
  TempFolder dir_;
  double u_ = 1;
};

// "Référence Simple", a click, "7,5" then "microns" through the panel's OK: a bar of
// 7.5 / 0.02 = 375 units with a cross at each end, " 7.5microns" 100 units below the
// click; the next click measures.
TEST_F(Annotations, ScaleReferenceOfATypedLength) {
  QVL& f = Qvl();
  const platform::Colour rouge = platform::QBColor(12);
  user::click(f.Illus(1));
  EXPECT_TRUE(Mode_InsRef);
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(194));
  const double x = 2000, y = 1500;
  click(x, y);
  EXPECT_TRUE(f.Frame(8).visible());
  EXPECT_EQ(f.label(8).caption(), MSG(192));
  EXPECT_EQ(f.TBox(5).text(), " 10");
  EXPECT_EQ(Etat_Saisie, 1);
  f.TBox(5).setText("7,5");
  EXPECT_DOUBLE_EQ(Val_Saisie, 7.5);
  Bout_Click(31);
  EXPECT_EQ(Etat_Saisie, 3);
  EXPECT_EQ(f.label(8).caption(), "commentaire");
  EXPECT_EQ(f.TBox(5).text(), "microns");
  Bout_Click(31);
  EXPECT_EQ(at(x + 200, y), rouge);
  EXPECT_EQ(at(x + 370, y), rouge);
  EXPECT_EQ(at(x + 375, y - 80), rouge);   // the end cross
  EXPECT_EQ(at(x, y - 80), rouge);         // the start cross
  EXPECT_EQ(at(x + 375 + 110, y), kFond);  // the bar ends there
  EXPECT_EQ(at(x + 300, y - 60), kFond);
  const double largeur = f.Picture1.textWidth(" 7.5microns"), hauteur = f.Picture1.textHeight("A");
  EXPECT_TRUE(ecrit(x + 5 * u_, y + 100 + 2 * u_, largeur, hauteur));
  EXPECT_FALSE(ecrit(x + largeur + 5 * u_, y + 100 + 2 * u_, 300, hauteur));
  EXPECT_FALSE(f.Frame(8).visible());
  EXPECT_EQ(Etat_Saisie, 0);
  EXPECT_FALSE(armee());
  // Kept in the picture the measuring tools restore.
  EXPECT_EQ(f.ImageMem.picture().pixel(picture_window::pixelOf(x + 200), picture_window::pixelOf(y)), rouge);
  // The next click starts a segment.
  Clic_Image_Mesure(platform::kLeftButton, 0, 4000, 3000);
  EXPECT_TRUE(Etat_Pt1);
}

// A legend of two lines printed from the clicked X; "Annule" prints nothing.
TEST_F(Annotations, LegendOfSeveralLinesAndCancel) {
  QVL& f = Qvl();
  user::click(f.Illus(4));
  EXPECT_TRUE(Mode_Annot && Mode_Illus);
  const double x = 1500, y = 1200;
  click(x, y);
  EXPECT_TRUE(f.Frame(8).visible());
  EXPECT_EQ(f.label(8).caption(), MSG(74));
  EXPECT_EQ(f.TBox(5).text(), "");
  f.TBox(5).setText("première\r\nseconde");
  Bout_Click(31);
  const double h = f.Picture1.textHeight("A");
  EXPECT_TRUE(ecrit(x, y, f.Picture1.textWidth("première"), h));
  EXPECT_TRUE(ecrit(x, y + h, f.Picture1.textWidth("seconde"), h));
  EXPECT_FALSE(ecrit(x - 300, y, 250, 2 * h));   // both lines start at x
  EXPECT_DOUBLE_EQ(f.Picture1.currentX(), x);
  EXPECT_FALSE(f.Frame(8).visible());
  EXPECT_FALSE(armee());

  // Cancelled: nothing printed where the next legend was to go, the state stays 4
  // until the next click, which measures.
  Illus_Click(4);
  click(x, 3000);
  f.TBox(5).setText("rien");
  Bout_Click(32);
  EXPECT_FALSE(ecrit(x, 3000, f.Picture1.textWidth("rien"), h));
  EXPECT_EQ(Etat_Saisie, 4);
  EXPECT_FALSE(f.Frame(8).visible());
  EXPECT_FALSE(armee());
  Clic_Image_Mesure(platform::kLeftButton, 0, 4000, 3000);
  EXPECT_TRUE(Etat_Pt1);
}

// "Référence orientée": the direction dragged, "15" then the unit through OK: a line of
// 15 / 0.02 = 750 units along the direction drawn.
TEST_F(Annotations, OrientedReferenceAlongTheDirectionDrawn) {
  QVL& f = Qvl();
  const platform::Colour rouge = platform::QBColor(12);
  user::click(f.Illus(2));
  EXPECT_TRUE(Illus_Texte);
  Clic_Image_Mesure(platform::kLeftButton, 0, 1000, 1000);
  Relache_Image(platform::kLeftButton, 0, 1300, 1000);
  EXPECT_TRUE(Illus_Saisie);
  EXPECT_EQ(Etat_Saisie, 1);
  f.TBox(5).setText("15");
  Bout_Click(31);
  EXPECT_EQ(Etat_Saisie, 3);
  EXPECT_EQ(f.TBox(5).text(), "microns");
  Bout_Click(31);
  EXPECT_EQ(at(1000 + 700, 1000), rouge);
  EXPECT_EQ(at(1000 + 750 + 40 * u_, 1000), kFond);
  EXPECT_FALSE(Illus_Saisie || Illus_Texte);
  EXPECT_FALSE(f.Frame(8).visible());
}

// The reference cancelled at the unit step.
TEST_F(Annotations, ReferenceCancelledAtTheUnit) {
  QVL& f = Qvl();
  Illus_Click(1);
  click(2000, 1500);
  Bout_Click(31);
  ASSERT_EQ(Etat_Saisie, 3);
  Bout_Click(32);
  EXPECT_EQ(Etat_Saisie, 0);
  EXPECT_FALSE(f.Frame(8).visible());
  EXPECT_FALSE(armee());
  EXPECT_EQ(at(2200, 1500), kFond);
}

// Armed from the illustration window: with K_Zoom 0.5, Echelle 2 and the view at (300,
// 200), a reference clicked at (1000, 600) lands on Picture2 at (1300, 800), its bar
// 7.5 / (0.02 x 0.5) = 750 units of Picture1 long, 750 x 0.5 x 2 = 750 on Picture2.
TEST_F(Annotations, IllustrationReferenceRepeatedOnTheFullSizeCopy) {
  QVL& f = Qvl();
  const platform::Colour rouge = platform::QBColor(12);
  K_Zoom = 0.5;
  Echelle = 2;
  Larg_Affichee = 300;
  Haut_Affichee = 200;
  Mode_InsRef = true;
  Mode_InsTexte = true;
  click(1000, 600);
  EXPECT_TRUE(Loupe_Ouverte);
  f.TBox(5).setText("7.5");
  Bout_Click(31);
  Bout_Click(31);
  platform::PictureBox& p2 = f.Picture2;
  EXPECT_EQ(p2.point(1300, 800), rouge);
  EXPECT_EQ(p2.point(1300 + 400, 800), rouge);
  EXPECT_EQ(p2.point(1300 + 750, 800 - 300), rouge);   // the end cross, arms of 500
  EXPECT_EQ(p2.point(1300 + 750 + 600, 800), kFond);
  EXPECT_EQ(p2.point(1300 - 700, 800), kFond);
  EXPECT_EQ(at(1000 + 700, 600), rouge);               // on Picture1 too
  EXPECT_FALSE(armee());
  EXPECT_FALSE(f.Frame(8).visible());
  // Another picture shown: the next insertion starts from a fresh copy of it.
  ASSERT_TRUE(picture_window::loadPlainPicture(dir_, 200, 100, kFond));
  EXPECT_FALSE(Loupe_Ouverte);
}

// "Insérer Notation" prints the notation of the measurements at the click and leaves
// the clipboard as it was; armed from the illustration window it goes on Picture2 too.
TEST_F(Annotations, NotationPrintedWithoutTheClipboard) {
  QVL& f = Qvl();
  startFunction(2);
  for (int r = 1; r <= 3; ++r) {
    f.GrilleRef.setTextMatrix(r, 0, std::to_string(r));
    f.GrilleRef.setTextMatrix(r, 1, std::to_string(9 + r) + ".00");
    f.GrilleRef.setTextMatrix(r, 2, std::to_string(5 + r) + ".00");
  }
  LigneCourante = 4;
  // The texts for the illustration take TaillePoliceImg x Ratio_Aspect x Echelle /
  // K_Zoom / D points on Picture1: about 10 here.
  Ratio_Aspect = 57;
  const std::string notation = Notation_Mesures(0);
  ASSERT_FALSE(notation.empty());
  platform::Clipboard::setText("à garder");
  user::click(f.Illus(6));
  EXPECT_TRUE(Illus_Trait);
  click(1500, 1200);
  const double h = f.Picture1.textHeight("A");
  EXPECT_TRUE(ecrit(1500, 1200, 2000, h));
  EXPECT_FALSE(ecrit(1000, 1200, 400, h));
  EXPECT_FALSE(f.Frame(8).visible());
  EXPECT_EQ(platform::Clipboard::getText(), "à garder");
  EXPECT_FALSE(armee());

  Mode_InsRef = true;
  Ins_Notation = true;
  click(1500, 3000);
  EXPECT_TRUE(ecrit(1500, 3000, 2000, h));
  bool surCopie = false;
  for (double yy = 3000; yy < 3000 + 2000 && !surCopie; yy += 20)
    for (double xx = 1500; xx < 1500 + 3000 && !surCopie; xx += 20) surCopie = f.Picture2.point(xx, yy) != kFond;
  EXPECT_TRUE(surCopie);
  EXPECT_EQ(platform::Clipboard::getText(), "à garder");
  EXPECT_FALSE(armee());
}


// The text entry closed by its "OK" or its "Annule" leaves the keys to the picture,
// not to the count box that follows in reading order: Z held and a click zoom the
// picture, the count box keeps its text and nothing is measured. A legend printed or
// cancelled, and a scale reference through its two entries.
TEST_F(Annotations, ClosedEntryLeavesTheKeysToThePicture) {
  QVL& f = Qvl();
  struct Case {
    const char* what;
    int tool;                             // the Illus item
    std::vector<std::string> typed;       // one entry each, each closed by the button
    int button;                           // Bout index: 31 "OK", 32 "Annule"
  };
  const Case cases[] = {
      {"legend, OK", 4, {"première"}, 31},
      {"legend, Annule", 4, {"rien"}, 32},
      {"reference, OK twice", 1, {"7,5", "microns"}, 31},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(user::click(f.Illus(c.tool)));
    ASSERT_TRUE(user::clickAt(f.Picture1, 0.2, 0.2));
    for (const std::string& t : c.typed) {
      ASSERT_TRUE(f.Frame(8).visible());
      ASSERT_TRUE(user::typeInto(f.TBox(5), t));
      ASSERT_TRUE(user::click(f.Bout(c.button)));
    }
    EXPECT_FALSE(f.Frame(8).visible());
    EXPECT_FALSE(armee());
    picture_window::expectZoomClickOnThePicture();
  }
}

}  // namespace
