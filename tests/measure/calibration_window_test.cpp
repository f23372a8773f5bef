// Calibration on the real main window: marking a segment by mouse and typing its
// length, graduations, one eyepiece division, the guided procedure, the correction
// frame, the calibration file and its list, and the preset buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "calibration_window.h"
#include "measure/calibration_file.h"
#include "measure/row_writers.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "support/user_input.h"

namespace {

using calibration_window::CalibrationWindow;
using session_window::gridLines;

class Calibration : public CalibrationWindow {
 protected:
  // A segment of n picture units written by the grid writer, as the measuring tools
  // write it.
  static void marque(int n) {
    NbSegments_Calib = n;
    Inscrit_Mesure_Rapports();
  }
  // The value typed in the dialogue, then its "OK".
  static void tape(const std::string& texte) {
    Qvl().TBox(5).setText(texte);
    bouton(31);
  }
  std::string cal() const { return Qvl().label(5).caption(); }
};

// "Etalonner", a segment marked with the mouse across two measured spores' image, its
// length typed: the image's coefficient changes, the other image keeps its own, the
// spores stay, and the same segment measured again reads the typed length.
TEST_F(Calibration, KnownLengthMarkedWithTheMouse) {
  show("un.bmp", 400, 0.05);
  show("deux.bmp", 400, 0.2);
  show("un.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  spore(40, 170, 280, 110);
  ASSERT_EQ(LigneCourante, 3);
  const std::vector<std::string> avant = gridLines();

  bouton(10);
  EXPECT_TRUE(Mode_Etalonnage);
  picture_window::drag(30, 250, 330, 250);
  const int n = NbSegments_Calib;
  ASSERT_GT(n, 0);
  QVL& f = Qvl();
  EXPECT_TRUE(f.Frame(8).visible());
  EXPECT_EQ(f.label(8).caption(), MSG(171));
  EXPECT_EQ(f.TBox(5).text(), platform::Format(n * 0.05, "###0.00"));
  EXPECT_EQ(f.Label_Calib.caption(), "");
  tape("37.5");

  EXPECT_FALSE(Mode_Etalonnage);
  EXPECT_FALSE(f.Frame(8).visible());
  EXPECT_DOUBLE_EQ(Calibrage, 37.5 / n);
  EXPECT_EQ(cal(), "Cal. = " + platform::Format(37.5 / n, "###0.0000"));
  EXPECT_EQ(f.Label_Calib.caption(), cal());
  EXPECT_DOUBLE_EQ(Calib_Images(1), 37.5 / n);
  EXPECT_DOUBLE_EQ(Calib_Images(2), 0.2);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(gridLines(), avant);
  EXPECT_TRUE(f.Bout(1).enabled());
  EXPECT_TRUE(f.Bout(4).enabled());

  picture_window::drag(30, 250, 330, 250);
  EXPECT_EQ(cell(3, 1), "37.50");
  EXPECT_TRUE(messages().empty());
}

// Values worked by hand, through the dialogue.
TEST_F(Calibration, KnownLengthSetsTheCoefficientAndTheAutomaticMask) {
  show("un.bmp", 3000, 0.05);
  startFunction(2);
  FDecimAuto = true;
  Format_Decimal = "###0.0";
  bouton(10);
  marque(1500);
  tape("37.5");
  EXPECT_EQ(cal(), "Cal. = 0.0250");
  EXPECT_EQ(Format_Decimal, "###0.00");
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.025);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(cell(1, 1), "");
}

TEST_F(Calibration, GraduationsThroughTheObjective) {
  show("un.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  const std::vector<std::string> avant = gridLines();
  QVL& f = Qvl();
  Menu_Etalonnage();
  EXPECT_TRUE(f.Frame(7).visible());
  f.Optn(4).setValue(true);
  f.TBox(2).setText("60");
  bouton(23);
  EXPECT_FALSE(f.Frame(7).visible());
  EXPECT_EQ(Type_Etalonnage, 3);
  marque(1800);
  EXPECT_EQ(f.label(8).caption(), MSG(170) + "60");
  tape("90");
  EXPECT_EQ(cal(), "Cal. = 0.0833");
  EXPECT_DOUBLE_EQ(Calibrage, 90 * (100.0 / 60) / 1800);
  EXPECT_EQ(gridLines(), avant);
  EXPECT_EQ(LigneCourante, 2);

  // An objective of 0: "alerte 99", nothing changes, the segment leaves the grid.
  Menu_Etalonnage();
  f.Optn(4).setValue(true);
  f.TBox(2).setText("0");
  bouton(23);
  marque(1800);
  ok();
  tape("90");
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(101) + "99"}));
  EXPECT_DOUBLE_EQ(Calibrage, 90 * (100.0 / 60) / 1800);
  EXPECT_EQ(gridLines(), avant);
  EXPECT_FALSE(Mode_Etalonnage);
}

TEST_F(Calibration, OneEyepieceDivisionLeavesTheFirstCoefficient) {
  show("un.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  spore(40, 170, 280, 110);
  const std::vector<std::string> avant = gridLines();
  Menu_Etalonnage();
  bouton(27);
  EXPECT_EQ(Type_Etalonnage, 2);
  EXPECT_EQ(Qvl().StatusBar1.simpleText(), MSG(164));
  marque(400);
  tape("50");
  EXPECT_TRUE(Mode_Etalonnage);
  EXPECT_DOUBLE_EQ(Calibrage, 0.125);
  EXPECT_EQ(gridLines(), avant);
  marque(900);
  EXPECT_EQ(Qvl().label(8).caption(), MSG(173));
  ok();
  tape("30");
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(181) + " 3.750"}));
  EXPECT_DOUBLE_EQ(Calibrage, 0.125);
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.125);
  EXPECT_FALSE(Mode_Etalonnage);
  EXPECT_EQ(gridLines(), avant);
  EXPECT_EQ(LigneCourante, 3);
}

// The panel as a user finds it: "Etalon. Objectif" prompts for the length from the
// first segment and names the coefficient in force once the division is shown; after a
// start "Calibrage / longueur" is chosen, so "Calibrage sur une portion d'image" marks.
TEST_F(Calibration, PanelStepsFromTheStart) {
  QVL& f = Qvl();
  show("un.bmp", 400, 0.05);
  startFunction(2);
  for (int fois = 0; fois < 2; ++fois) {
    SCOPED_TRACE(fois);
    ASSERT_TRUE(user::choose(f.MnuEDit(4)));
    ASSERT_TRUE(user::click(f.Bout(27)));
    PGr_Etat = false;
    picture_window::drag(30, 250, 130, 250);
    EXPECT_EQ(f.label(8).caption(), MSG(171));
    ASSERT_TRUE(user::typeInto(f.TBox(5), "50"));
    ASSERT_TRUE(user::click(f.Bout(31)));
    const double calibrage = Calibrage;
    picture_window::drag(30, 200, 330, 200);
    EXPECT_EQ(f.label(8).caption(), MSG(173));
    ok();
    ASSERT_TRUE(user::typeInto(f.TBox(5), "30"));
    ASSERT_TRUE(user::click(f.Bout(31)));
    EXPECT_FALSE(Mode_Etalonnage);
    EXPECT_EQ(f.Label_Calib.caption(), "Cal. = " + platform::Format(calibrage, "###0.0000"));
  }
  EXPECT_EQ(messages().size(), 2u);

  // The graduations chosen, then a new start.
  ASSERT_TRUE(user::choose(f.MnuEDit(4)));
  ASSERT_TRUE(user::click(f.Optn(4)));
  ASSERT_TRUE(f.Optn(4).value());
  ASSERT_TRUE(user::click(f.Bout(19)));
  // The start lays the picture out again: the next tests find it where it was.
  const double l = f.Picture1.left(), t = f.Picture1.top(), w = f.Picture1.width(), h = f.Picture1.height();
  r_.then([=] { Qvl().Picture1.move(l, t, w, h); });
  f.Init_Parametres();
  show("un.bmp", 400, 0.05);
  ASSERT_TRUE(user::choose(f.MnuEDit(4)));
  EXPECT_TRUE(f.Optn(3).value());
  EXPECT_FALSE(f.Optn(4).value());
  ASSERT_TRUE(user::click(f.Bout(23)));
  PGr_Etat = false;
  EXPECT_TRUE(Mode_Etalonnage);
  EXPECT_EQ(Type_Etalonnage, 0);
  EXPECT_FALSE(f.Frame(7).visible());
  picture_window::drag(30, 250, 330, 250);
  const int n = NbSegments_Calib;
  ASSERT_GT(n, 0);
  EXPECT_EQ(f.label(8).caption(), MSG(171));
  ASSERT_TRUE(user::typeInto(f.TBox(5), "37.5"));
  ASSERT_TRUE(user::click(f.Bout(31)));
  EXPECT_DOUBLE_EQ(Calibrage, 37.5 / n);
}

// A coefficient of 37.5 over 2672 units is 0.01403443113772455 in full; the panel's
// box, the name and the calibration file show the 15 digits the system prints.
TEST_F(Calibration, CoefficientsShowFifteenDigits) {
  QVL& f = Qvl();
  show("un.bmp", 400, 0.05);
  startFunction(2);
  bouton(10);
  marque(2672);
  tape("37.5");
  ASSERT_DOUBLE_EQ(Calibrage, 37.5 / 2672);
  ASSERT_TRUE(user::choose(f.MnuEDit(4)));
  EXPECT_EQ(f.TBox(0).text(), "0.0140344311377246");
  ASSERT_TRUE(user::click(f.Bout(25)));
  ASSERT_TRUE(user::typeInto(f.TBox(0), "lame 1"));
  ok();   // the file is created
  ASSERT_TRUE(user::click(f.Bout(20)));
  EXPECT_EQ(f.Label_Calib.caption(), "lame 1 = 0.0140344311377246");
  std::vector<std::string> lignes;
  ASSERT_TRUE(platform::readLines(folder() + "/Qvrl.Cal", &lignes));
  EXPECT_NE(std::find(lignes.begin(), lignes.end(), "lame 1 =  0.0140344311377246"), lignes.end()) << lignes.back();
}

// The guided procedure: a known length, then a segment across the eyepiece divisions
// and their count; a count of 0 keeps the dialogue at its step.
TEST_F(Calibration, GuidedProcedureGivesTheDivisionValue) {
  show("un.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  const std::vector<std::string> avant = gridLines();
  ok();
  CalObj_1(0);
  PGr_Etat = false;
  EXPECT_EQ(Etape_CalObj, "0");
  EXPECT_TRUE(Mode_Etalonnage);
  marque(1200);
  ok();
  tape("300");
  EXPECT_DOUBLE_EQ(Calibrage, 0.25);
  EXPECT_EQ(Etape_CalObj, "1");
  ok();
  marque(864);
  EXPECT_EQ(Etape_CalObj, "2");
  EXPECT_TRUE(Qvl().Frame(8).visible());
  EXPECT_EQ(Qvl().label(8).caption(), "Nombre de divisions");
  EXPECT_EQ(gridLines(), avant);
  tape("0");
  EXPECT_EQ(Etape_CalObj, "2");
  EXPECT_TRUE(Qvl().Frame(8).visible());
  ok();
  tape("24");
  EXPECT_EQ(Etape_CalObj, "99");
  const std::vector<std::string> m = messages();
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].substr(0, 22), "Photographier une mire");
  EXPECT_EQ(m[1], "2/ Marquer un nombre de divisions maximal sur la mire OCULAIRE     ");
  EXPECT_EQ(m[2], "3/ Entrer le nb de divisions sur l'OCULAIRE");
  EXPECT_EQ(m[3], " Une division oculaire vaut  : 9.0000" + SautLigne +
                      " Ce calibrage reste actif pour la session en cours");
  EXPECT_DOUBLE_EQ(Calibrage, 0.25);
  EXPECT_EQ(gridLines(), avant);
}

// "Annule" ends a guided procedure at any step; only a pending marked segment leaves.
TEST_F(Calibration, AnnulEndsTheGuidedProcedureKeepingTheSpores) {
  show("un.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  spore(40, 170, 280, 110);
  const std::vector<std::string> avant = gridLines();
  ok();
  CalObj_1(0);
  PGr_Etat = false;
  picture_window::drag(30, 250, 330, 250);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(EtapeClic, 2);
  bouton(32);
  EXPECT_EQ(Etape_CalObj, "99");
  EXPECT_FALSE(Mode_Etalonnage);
  EXPECT_EQ(gridLines(), avant);
  EXPECT_EQ(EtapeClic, 1);

  // At the count step nothing is pending: the spores stay whole.
  ok();
  CalObj_1(0);
  marque(1000);
  ok();
  tape("100");
  ok();
  marque(500);
  ASSERT_EQ(Etape_CalObj, "2");
  bouton(32);
  EXPECT_EQ(Etape_CalObj, "99");
  EXPECT_EQ(gridLines(), avant);
  EXPECT_EQ(LigneCourante, 3);
  // A later segment is measured as usual.
  marque(100);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_FALSE(Qvl().Frame(8).visible());
}

// A value that cannot be a calibration changes nothing and leaves the spores.
TEST_F(Calibration, BadTypedValuesChangeNothing) {
  show("un.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  const std::vector<std::string> avant = gridLines();
  for (const char* texte : {"0", "abc"}) {
    bouton(10);
    marque(1000);
    ok();
    tape(texte);
    EXPECT_EQ(messages().back(), "Mini 0.0001") << texte;
    EXPECT_FALSE(Mode_Etalonnage) << texte;
    EXPECT_DOUBLE_EQ(Calibrage, 0.05) << texte;
    EXPECT_EQ(gridLines(), avant) << texte;
    EXPECT_FALSE(Qvl().Frame(8).visible());
  }
  bouton(10);
  marque(1000);
  ok();
  tape("10000.5");
  EXPECT_EQ(messages().back(), "Maxi 10000");
  EXPECT_TRUE(Mode_Etalonnage);
  EXPECT_DOUBLE_EQ(Calibrage, 0.05);
  bouton(32);
  EXPECT_EQ(gridLines(), avant);
  EXPECT_EQ(EtapeClic, 1);
  // The bounds themselves are accepted.
  for (const char* texte : {"10000", "0.0001"}) {
    bouton(10);
    marque(1);
    tape(texte);
    EXPECT_DOUBLE_EQ(Calibrage, platform::Val(texte)) << texte;
  }
  EXPECT_EQ(gridLines(), avant);
}

// A negative length is below the minimum: "Mini 0.0001" and the dialogue stays for the
// user to type again; a length too large for any number ("1e400") is refused as
// invalid and the dialogue stays too; the spores stay throughout and the next good
// length calibrates on the segment marked.
TEST_F(Calibration, NegativeOrOverflowingLengthIsTypedAgain) {
  show("un.bmp", 400, 0.05);
  startFunction(2);
  spore(40, 40, 300, 120);
  const std::vector<std::string> avant = gridLines();
  QVL& f = Qvl();
  ASSERT_TRUE(user::click(f.Bout(10)));
  PGr_Etat = false;
  picture_window::drag(30, 250, 330, 250);
  const int n = NbSegments_Calib;
  ASSERT_GT(n, 0);
  ASSERT_TRUE(f.Frame(8).visible());

  ok();
  ASSERT_TRUE(user::typeInto(f.TBox(5), "-5"));
  ASSERT_TRUE(user::click(f.Bout(31)));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages().back(), "Mini 0.0001");
  EXPECT_TRUE(Mode_Etalonnage);
  EXPECT_TRUE(f.Frame(8).visible());
  EXPECT_DOUBLE_EQ(Calibrage, 0.05);
  EXPECT_EQ(gridLines(), avant);

  f.lblLabelflashx.setCaption("");
  ASSERT_TRUE(user::typeInto(f.TBox(5), "1e400"));
  ASSERT_TRUE(user::click(f.Bout(31)));
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_EQ(f.lblLabelflashx.caption(), MNU(6));
  EXPECT_TRUE(Mode_Etalonnage);
  EXPECT_TRUE(f.Frame(8).visible());
  EXPECT_DOUBLE_EQ(Calibrage, 0.05);
  EXPECT_EQ(gridLines(), avant);

  ASSERT_TRUE(user::typeInto(f.TBox(5), "37.5"));
  ASSERT_TRUE(user::click(f.Bout(31)));
  EXPECT_FALSE(Mode_Etalonnage);
  EXPECT_FALSE(f.Frame(8).visible());
  EXPECT_DOUBLE_EQ(Calibrage, 37.5 / n);
  EXPECT_EQ(gridLines(), avant);
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(Calibration, CorrectionFrameMultipliesAndCancels) {
  show("un.bmp", 400, 0.025);
  QVL& f = Qvl();
  Menu_Etalonnage();
  bouton(44);
  EXPECT_TRUE(f.Frame(14).visible());
  EXPECT_EQ(f.Bout(44).caption(), "fermer correction");
  f.TBox(1).setText("2");
  user::click(f.Command1(0));
  EXPECT_EQ(cal(), "Cal. = 0.0500");
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.05);
  user::click(f.Command1(1));
  EXPECT_EQ(cal(), "Cal. = 0.0250");
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.025);
  EXPECT_TRUE(messages().empty());
  f.TBox(1).setText("0");
  ok();
  user::click(f.Command1(0));
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(208)}));
  EXPECT_DOUBLE_EQ(Calibrage, 0.025);
  EXPECT_EQ(cal(), "Cal. = 0.0250");
  // "Quitter calibrage sans modifier" gives back the coefficient the panel opened with.
  f.TBox(1).setText("4");
  user::click(f.Command1(0));
  bouton(19);
  EXPECT_DOUBLE_EQ(Calibrage, 0.025);
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.025);
  EXPECT_FALSE(f.Frame(7).visible());
}


// Each way a calibration entry closes leaves the keys to the picture, not to the count
// box that follows in reading order: Z held and a click zoom the picture, the count box
// keeps its text and nothing is measured. The entry of a marked segment closed by its
// "OK" and by its "Annule", the panel by "Valider" after a calibration's comment and
// by "Quitter calibrage  sans modifier".
TEST_F(Calibration, ClosedEntriesLeaveTheKeysToThePicture) {
  QVL& f = Qvl();
  show("un.bmp", 400, 0.05);
  startFunction(2);
  auto segment = [&f] {
    ASSERT_TRUE(user::click(f.Bout(10)));
    PGr_Etat = false;
    picture_window::drag(30, 250, 330, 250);
    ASSERT_TRUE(f.Frame(8).visible());
    ASSERT_TRUE(user::typeInto(f.TBox(5), "37.5"));
  };
  auto commentaire = [this, &f] {
    ASSERT_TRUE(user::choose(f.MnuEDit(4)));
    ASSERT_TRUE(user::click(f.Bout(25)));
    ASSERT_TRUE(user::typeInto(f.TBox(0), "lame 1"));
    ok();   // the file is created
  };
  struct Case {
    const char* what;
    std::function<void()> open;
    int button;                 // Bout index of the closing click
    const platform::Frame* panel;
  };
  const Case cases[] = {
      {"entry OK", segment, 31, &f.Frame(8)},
      {"entry Annule", segment, 32, &f.Frame(8)},
      {"panel Valider", commentaire, 20, &f.Frame(7)},
      {"panel Quitter", commentaire, 19, &f.Frame(7)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    f.TBox(6).setText("0");
    c.open();
    ASSERT_TRUE(user::click(f.Bout(c.button)));
    EXPECT_FALSE(c.panel->visible());
    picture_window::expectZoomClickOnThePicture();
  }
}

}  // namespace
