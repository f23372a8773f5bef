// The listing of "Voir Options" against a golden text, and its toggling.
#include "shell/diagnostics.h"

#include <fstream>

#include "colour/scanner_correction.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "platform/events.h"
#include "shell/program_folder.h"
#include "support/user_input.h"

namespace {

std::string replaceAll(std::string s, const std::string& what, const std::string& with) {
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size()))
    s.replace(p, what.size(), with);
  return s;
}

std::string dataFile(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(platform::readBytes(std::string(QV_TEST_DATA) + "/diagnostics/" + name, &bytes)) << name;
  return bytes;
}

class Diagnostics : public ProgramFolder {
 protected:
  void SetUp() override {
    ProgramFolder::SetUp();
    QVL& f = Qvl();
    f.show();
    platform::DoEvents();
    f.TBox(4).setVisible(false);
    trame_ = Fic_Trame;
    img_ = Img_Active;
    index_ = Index_Image;
    kzoom_ = K_Zoom;
    nbScanner_ = NbScanner;
    check2_ = f.Check(2).value();
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.TBox(4).setVisible(false);
    f.ListIMGchar.clear();
    Fic_Trame = trame_;
    Img_Active = img_;
    Calib_Images(2) = 0;
    Index_Image = index_;
    K_Zoom = kzoom_;
    NbScanner = nbScanner_;
    NomObjet.clear();
    Fic_Resultats.clear();
    f.Check(2).setValue(check2_);
    ProgramFolder::TearDown();
  }
  // The state of the golden listing: the folder's settings file, two images, a results
  // file, and the colour files (the standard is missing, the scanner file differs in
  // case from its name in the settings).
  void state() {
    QVL& f = Qvl();
    std::ofstream(path("Qvrl.dat"), std::ios::binary) << dataFile("Qvrl.dat");
    std::ofstream(path("nuancier.nua")) << "x";
    std::ofstream(path("scan.scn")) << "x";
    Lire_Parametres();
    f.Check(2).setValue(1);
    Fic_Trame = "/données/Essai.trm";
    f.ListIMGchar.clear();
    f.ListIMGchar.addItem("/données/images/spore 1.jpg");
    f.ListIMGchar.addItem("C:\\données\\images\\spore 2.jpg");
    Img_Active = "/données/images/spore 2.jpg";
    Index_Image = 2;
    Calib_Images(2) = 0.25;
    K_Zoom = 2;
    NomObjet = "Russula";
    Fic_Resultats = "résultats russula";
    NbScanner = 3;
  }
  std::string expected() const {
    std::string e = replaceAll(dataFile("expected.txt"), "@DOSSIER@", dir_);
    e = replaceAll(e, "@OS@", Nom_Systeme);
    // The offscreen screen of the tests is 800 x 800 pixels.
    return replaceAll(e, "@ECRAN@", "800x800");
  }

  std::string trame_, img_;
  int index_ = 0, nbScanner_ = 0, check2_ = 0;
  double kzoom_ = 1;
};

TEST_F(Diagnostics, VoirOptionsShowsTheGoldenListingThenHides) {
  QVL& f = Qvl();
  state();
  user::click(f.Bout(7));
  ASSERT_TRUE(f.TBox(4).visible());
  EXPECT_EQ(f.StatusBar1.simpleText(), "Presser ' Voir options ' pour fermer ");
  EXPECT_EQ(f.TBox(4).text(), expected());
  EXPECT_DOUBLE_EQ(f.TBox(4).left(), 8000);
  EXPECT_DOUBLE_EQ(f.TBox(4).top(), 1000);
  EXPECT_DOUBLE_EQ(f.TBox(4).width(), 4500);
  EXPECT_DOUBLE_EQ(f.TBox(4).height(), 7500);
  f.TBox(6).setFocus();
  platform::DoEvents();
  ASSERT_FALSE(f.Picture1.hasFocus());
  user::click(f.Bout(7));
  EXPECT_FALSE(f.TBox(4).visible());
  platform::DoEvents();
  EXPECT_TRUE(f.Picture1.hasFocus());
}

TEST_F(Diagnostics, WithoutAResultsFileItsLineIsAbsent) {
  state();
  Fic_Resultats.clear();
  EXPECT_EQ(Texte_Diagnostic(), replaceAll(expected(), "\r\nrésultats russula", ""));
}

TEST_F(Diagnostics, ValuesWithoutAnEntryShowEmptyAndTheListingGoesOn) {
  state();
  Index_Image = 51;
  const int format = Format_Image;
  Format_Image = 7;
  std::string e = replaceAll(expected(), "Index Image = 2", "Index Image = 51");
  e = replaceAll(e, "num image active = 2", "num image active = 51");
  e = replaceAll(e, "K calibrage img *= 0.25", "K calibrage img *= ");
  e = replaceAll(e, "Extension image export * = JPG", "Extension image export * = ");
  EXPECT_EQ(Texte_Diagnostic(), e);
  Format_Image = format;
}

TEST_F(Diagnostics, NumbersUseTheSystemSeparator) {
  state();
  platform::SetDecimalSeparator(',');
  const std::string t = Texte_Diagnostic();
  for (const char* ligne : {"\r\ncal. *= 0,125\r\n", "\r\nTaille police * = 12,5\r\n", "\r\nTaille police Img * = 9,3\r\n",
                            "\r\n scaleW 11761,2"}) {
    EXPECT_NE(t.find(ligne), std::string::npos) << ligne;
  }
}

// The zoom factor of the fitted view at start, 1 / 1.4142136, is listed with the 15
// digits the system prints.
TEST_F(Diagnostics, TheZoomFactorShowsFifteenDigits) {
  QVL& f = Qvl();
  state();
  Zoom_Initial();
  ASSERT_TRUE(user::click(f.Czoom(2)));
  ASSERT_NEAR(K_Zoom, 1 / 1.4142136, 1e-12);
  ASSERT_TRUE(user::click(f.Bout(7)));
  EXPECT_NE(f.TBox(4).text().find("\r\n K zoom = 0.707106762373095\r\n"), std::string::npos) << f.TBox(4).text();
  ASSERT_TRUE(user::click(f.Bout(7)));
}

}  // namespace
