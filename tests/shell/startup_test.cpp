// The start-up chain and the main window's layout, on the real window (offscreen).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "measure/picture_window.h"
#include "platform/picture.h"
#include "platform/textfile.h"
#include "shell/settings_file.h"
#include "support/user_input.h"

namespace {

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setDialogs(std::make_unique<platform::ScriptedDialogs>());
    platform::SetDecimalSeparator('.');
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
  }
  void TearDown() override { platform::SetDecimalSeparator(0); }
};

TEST_F(Startup, BuiltInDefaultsFollowTheTable) {
  QVL& f = Qvl();
  // Spoil a few values, then run the defaults again.
  Tol_Clic = 7;
  Taille_Grille = 5;
  Sauve_Auto = 0;
  Ext_Images.clear();
  Calibrage = 3.0;
  Format_Decimal = "0";
  for (int i = 1; i <= 6; ++i) f.Lrg(i).setChecked(i == 5);
  f.Init_Parametres();
  EXPECT_EQ(Vue_Stat, 3);
  EXPECT_EQ(Langue, "fr");
  EXPECT_EQ(Format_Decimal, "###0.00");
  EXPECT_EQ(Ext_Export, "csv");
  EXPECT_EQ(Fic_Calib, "Qvrl.Cal");
  EXPECT_EQ(CouleursTrace(0), 12);
  EXPECT_EQ(CouleursTrace(1), 10);
  EXPECT_EQ(Taille_Grille, 3000);
  EXPECT_EQ(Tol_Clic, 30);
  EXPECT_DOUBLE_EQ(Base_Zoom, std::sqrt(1.4142136));
  EXPECT_NEAR(Base_Zoom, 1.1892071, 1e-7);
  EXPECT_EQ(Pas_Zoom, 1);
  EXPECT_EQ(Expo_Zoom, 0);
  EXPECT_DOUBLE_EQ(K_Zoom, 1.0);
  EXPECT_EQ(Taille_Max, 2500);
  EXPECT_EQ(Taille_Loupe, 3000);
  EXPECT_EQ(Taille_Loupe2, 1500);
  EXPECT_EQ(Pas_Loupe, 1000);
  EXPECT_EQ(Pas_Loupe2, 500);
  EXPECT_TRUE(Loupe_Visible);
  EXPECT_EQ(Palmer, 2);
  EXPECT_DOUBLE_EQ(Calibrage, 1.0);
  EXPECT_EQ(Type_Vue, 1);
  EXPECT_EQ(Sauve_Auto, 10);
  EXPECT_EQ(ZoneCouleur, 3);
  ASSERT_EQ(Ext_Images.size(), 2u);
  EXPECT_EQ(Ext_Images[0], "BMP");
  EXPECT_EQ(Ext_Images[1], "JPG");
  EXPECT_EQ(Format_Image, 0);
  EXPECT_FLOAT_EQ(Alpha_Archive, 0.2f);
  EXPECT_EQ(EpaisseurTrait, 2);
  EXPECT_EQ(Etape_CalObj, "99");
  EXPECT_EQ(Prefixe_Capture2, "TwainImg");
  EXPECT_EQ(Num_Capture, 1);
  EXPECT_TRUE(Sauve_Captures(0));
  EXPECT_FALSE(Sauve_Captures(1));
  EXPECT_TRUE(Alerte_W7);
  EXPECT_EQ(SautLigne, "\r\n");
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_DOUBLE_EQ(Ratio_Ecran, 1.0);
  // Controls set along the way.
  EXPECT_EQ(f.Check(3).value(), 1);
  EXPECT_EQ(f.Bout(12).backColor(), platform::QBColor(12));
  EXPECT_EQ(f.Bout(13).backColor(), platform::QBColor(10));
  EXPECT_TRUE(f.Optn(1).value());
  EXPECT_FALSE(f.Optn(2).value());
  EXPECT_TRUE(f.MNSav(1).checked());
  EXPECT_TRUE(f.TTrace(2).checked());
  EXPECT_FALSE(f.TTrace(1).checked());
  EXPECT_TRUE(f.F_Img(0).checked());
  EXPECT_FALSE(f.F_Img(1).checked());
  EXPECT_TRUE(f.F_Img(1).enabled());
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(f.Lrg(i).checked(), i == 3) << "Lrg " << i;
  EXPECT_FALSE(f.Bout(41).enabled());
  EXPECT_FALSE(f.CheckCalibre.enabled());
  EXPECT_FALSE(f.chkMC(1).enabled());
  EXPECT_FALSE(f.Mntool(6).enabled());
  EXPECT_EQ(f.Label8(0).caption(), "dim Ech.");
  EXPECT_EQ(f.GrilleRefP.rows(), 13);
  EXPECT_EQ(MSG(147), "mesure Spore 2D$7$Long.$Larg.$Q$V$img$comment$");
}

TEST_F(Startup, ChainEndsWithTheFittedEmptyPictureAndFunctionTwo) {
  QVL& f = Qvl();
  Fonction_Demarrage = 0;
  f.Init_Fenetre_Principale();
  EXPECT_EQ(FonctionCourante, 2);
  EXPECT_EQ(Expo_Zoom, -2);
  EXPECT_NEAR(K_Zoom, 1.0 / 1.4142136, 1e-12);   // Base_Zoom squared is 1.4142136
  EXPECT_EQ(Expo_Zoom_Initial, -2);
  // Int(100 / 0.70711 + 0.5) x 0.005 = 141 x 0.005 = 0.705.
  EXPECT_EQ(f.label(2).caption(), "Z= 0.705");
  EXPECT_FALSE(f.Frame(6).visible());
  EXPECT_EQ(Rep_Prog, platform::App::Path());
  EXPECT_EQ(Rep_Data, Rep_Prog);
  EXPECT_EQ(Rep_Images, Rep_Prog);
  // The first activation has set the grid up.
  EXPECT_TRUE(Premiere_Activation);
  EXPECT_FALSE(Nom_Systeme.empty());
  // A start-up function from the settings is taken as it is.
  Fonction_Demarrage = 3;
  ASSERT_TRUE(Sauve_Parametres());
  f.Init_Fenetre_Principale();
  EXPECT_EQ(FonctionCourante, 3);
  Fonction_Demarrage = 0;
  ASSERT_TRUE(Sauve_Parametres());
  f.Init_Fenetre_Principale();
}

TEST_F(Startup, CalibrationCaptionUsesTheSystemSeparator) {
  QVL& f = Qvl();
  Calibrage = 1.0;
  f.Init_Fenetre_Principale();
  EXPECT_EQ(f.label(5).caption(), "Cal.=1.0000");
  platform::SetDecimalSeparator(',');
  f.Init_Fenetre_Principale();
  EXPECT_EQ(f.label(5).caption(), "Cal.=1,0000");
}

TEST_F(Startup, PictureFillsTheClientAreaRightOfTheToolColumn) {
  QVL& f = Qvl();
  f.setWindowState(platform::kNormal);
  f.setWidth(15000);
  platform::DoEvents();
  f.Dimensionne_Cadres_Image(platform::kNormal);
  const double bx = f.width() - f.scaleWidth();
  // The picture ends above the status bar at the client area's foot.
  const double by = f.height() - f.scaleHeight() + f.StatusBar1.height();
  EXPECT_DOUBLE_EQ(f.Picture1.left(), 3000);
  EXPECT_DOUBLE_EQ(f.Picture1.top(), 1000);
  EXPECT_NEAR(f.Picture1.width(), (15000 - 3000 - bx) * 0.99, 15);
  EXPECT_NEAR(f.Picture1.height(), (f.height() - 1000 - by) * 0.99, 15);
  // Type_Vue 1: the grid frame against the client area's right edge, level with the
  // picture.
  Type_Vue = 1;
  f.Place_Cadre_Grille();
  EXPECT_DOUBLE_EQ(f.Frame(6).left(), f.scaleWidth() - 4000 - 10);
  EXPECT_DOUBLE_EQ(f.Frame(6).top(), 1000);
  Type_Vue = 3;
  f.Place_Cadre_Grille();
  EXPECT_DOUBLE_EQ(f.Frame(6).left(), 3000);
  EXPECT_NEAR(f.Frame(6).top(), 1000 + f.Picture1.height() - 6800, 1e-9);
  Type_Vue = 9;   // any other value leaves the frame where it is
  f.Place_Cadre_Grille();
  EXPECT_DOUBLE_EQ(f.Frame(6).left(), 3000);
  Type_Vue = 1;
}

TEST_F(Startup, PanelsTakeTheirFixedPlaces) {
  QVL& f = Qvl();
  f.Place_Boite_Outils();
  struct Box {
    platform::Control* c;
    double l, t, w, h;
  };
  const Box boxes[] = {
      {&f.FraCharte, 3840, 0, 8532, 972},   {&f.Frame(10), 4000, 800, 5200, 2300},
      {&f.FraQvrl, 3000, 1000, 5100, 1200}, {&f.Frame(7), 3000, 1000, 6800, 4800},
      {&f.Frame(9), 3000, 3000, 6800, 5000}, {&f.Frame(8), 6700, 1500, 3100, 1450},
      {&f.Frame(13), 9500, 1400, 3000, 1095},
  };
  for (const Box& b : boxes) {
    EXPECT_DOUBLE_EQ(b.c->left(), b.l) << b.c->name();
    EXPECT_DOUBLE_EQ(b.c->top(), b.t) << b.c->name();
    EXPECT_DOUBLE_EQ(b.c->width(), b.w) << b.c->name();
    EXPECT_DOUBLE_EQ(b.c->height(), b.h) << b.c->name();
  }
  EXPECT_DOUBLE_EQ(f.TBox(7).width(), 6700);
  EXPECT_DOUBLE_EQ(f.FraMC(0).top(), f.Picture1.top() + 5000);
  EXPECT_FALSE(f.Frame(13).enabled());
  EXPECT_FALSE(f.Frame(13).visible());
  EXPECT_EQ(f.Frame(8).caption(), "");
  EXPECT_FALSE(f.FraCharte.visible());
}

TEST_F(Startup, MeasuringScaleDoesNotDependOnTheWindow) {
  QVL& f = Qvl();
  f.setWindowState(platform::kNormal);
  f.setWidth(12000);
  platform::DoEvents();
  f.Dimensionne_Cadres_Image(platform::kNormal);
  const double petit = f.Picture1.width();
  EXPECT_DOUBLE_EQ(f.Picture1.scaleWidth(), kLargeurEchellePicture1);
  f.setWidth(20000);
  platform::DoEvents();
  f.Dimensionne_Cadres_Image(platform::kNormal);
  EXPECT_GT(f.Picture1.width(), petit);
  EXPECT_DOUBLE_EQ(f.Picture1.scaleWidth(), kLargeurEchellePicture1);
  f.setWindowState(platform::kMaximized);
  platform::DoEvents();
  f.Dimensionne_Cadres_Image(platform::kMaximized);
  EXPECT_DOUBLE_EQ(f.Picture1.scaleWidth(), kLargeurEchellePicture1);
  EXPECT_DOUBLE_EQ(Ratio_Ecran, 1.0);
  f.setWindowState(platform::kNormal);
  platform::DoEvents();
}

TEST_F(Startup, TooNarrowWindowGivesAnEmptyPictureNotANegativeOne) {
  QVL& f = Qvl();
  f.setWidth(2000);
  platform::DoEvents();
  f.Dimensionne_Cadres_Image(platform::kNormal);
  EXPECT_GE(f.Picture1.width(), 0);
  f.setWidth(14000);
  platform::DoEvents();
}

TEST_F(Startup, MenusAndButtonsCarryTheirDesignedCaptions) {
  QVL& f = Qvl();
  EXPECT_EQ(f.Bout(5).caption(), "<   >");
  EXPECT_EQ(f.Bout(15).caption(), "Eff.  ligne");
  EXPECT_EQ(f.Bout(44).caption(), "Corrrection calibrage");
  EXPECT_EQ(f.Bout_C(6).caption(), "retrace");
  EXPECT_EQ(f.Czoom(3).caption(), "<<");
  EXPECT_EQ(f.MnuFIC(1).caption(), "Ouvrir Image");
  EXPECT_EQ(f.MnuFIC(4).caption(), "Charger image presse papier");
  EXPECT_EQ(f.MnuOpt(16).caption(), "Copie d'écran ");
  EXPECT_EQ(f.Fdemarrage(20).caption(), "Tintavel");
  EXPECT_EQ(f.MnLang(8).caption(), "Ukrainien");
  for (int i = 0; i <= 2; ++i) EXPECT_EQ(f.cmdStat(i).caption(), "calc. Stat");
  EXPECT_TRUE(f.statdef(3).checked());
  EXPECT_FALSE(f.OptnMchrt->visible());
  // The language loader finds controls by name and index.
  EXPECT_NE(f.find("Bout", 33), nullptr);
  EXPECT_NE(f.find("MnuChrt", 8), nullptr);
  EXPECT_NE(f.find("Frame", 14), nullptr);
  EXPECT_EQ(f.find("Bout", 48), nullptr);
  EXPECT_THROW(f.Bout(48), platform::IndexError);
}

// The line-width menu ticks the item chosen, and only that one; the drawing width
// does not change.
TEST_F(Startup, LineWidthMenuTicksTheItemChosen) {
  QVL& f = Qvl();
  const int width = EpaisseurTrait;
  for (int item : {5, 1, 2}) {
    user::click(f.TTrace(item));
    for (int i : {1, 2, 5}) EXPECT_EQ(f.TTrace(i).checked(), i == item) << item << " " << i;
    EXPECT_EQ(EpaisseurTrait, width);
  }
}

// The export format menu offers only the formats a picture can be written in; a
// settings file that names another one starts with BMP, and "Enregistrer image en
// cours" then writes the format ticked.
TEST_F(Startup, OnlyWritableExportFormatsCanBeChosen) {
  QVL& f = Qvl();
  picture_window::TempFolder dir;
  const std::string settings = Chemin_Parametres();
  std::string avant;
  ASSERT_TRUE(Sauve_Parametres());
  ASSERT_TRUE(platform::readBytes(settings, &avant));
  const std::size_t p = avant.find("EXT_IMG= 0");
  ASSERT_NE(p, std::string::npos);
  std::string octets = avant;
  octets.replace(p, 10, "EXT_IMG= 3");
  ASSERT_TRUE(platform::saveFileAtomic(settings, octets));
  f.Init_Fenetre_Principale();
  EXPECT_EQ(Format_Image, 0);
  EXPECT_TRUE(f.F_Img(0).checked());
  EXPECT_FALSE(f.F_Img(3).checked());
  for (int i = 2; i <= 6; ++i) EXPECT_NE(user::whyUnchoosable(f.F_Img(i)), "") << f.F_Img(i).caption();
  ASSERT_TRUE(user::choose(f.F_Img(1)));
  EXPECT_EQ(Format_Image, 1);
  ASSERT_TRUE(picture_window::loadPlainPicture(dir, 40, 30, 0x2040C0));
  auto& script = static_cast<platform::ScriptedDialogs&>(platform::dialogs());
  const std::string jpg = dir.file("vue.jpg");
  script.answerSave(jpg);
  ASSERT_TRUE(user::choose(f.MnuFIC(15)));
  ASSERT_FALSE(script.log().empty());
  EXPECT_EQ(script.log().back().request.fileName, "Img_Act_.JPG");
  std::string ecrit;
  ASSERT_TRUE(platform::readBytes(jpg, &ecrit));
  EXPECT_EQ(ecrit.substr(0, 3), std::string("\xFF\xD8\xFF"));
  ASSERT_TRUE(user::choose(f.F_Img(0)));
  ASSERT_TRUE(platform::saveFileAtomic(settings, avant));
}

}  // namespace
