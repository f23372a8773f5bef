// Reading trame files into the main window: golden trames of this program and of the
// Windows program give the expected grids, a trame read and written again comes back
// byte for byte, rows are measured again with their own image whatever picture is
// shown, and damaged or refused trames change nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/trame_file.h"
#include "measure/trame_reader.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "session_window.h"
#include "shell/function_switch.h"

namespace {

using session_window::bytesOf;
using session_window::dataFile;
using session_window::gridLines;
using session_window::imageList;
using session_window::picture;
using session_window::snapshot;

class TrameReader : public session_window::SessionWindow {
 protected:
  bool load(std::string path, int code = 1) { return Lit_Trame(path, code); }
  std::vector<std::string> expectedGrid(const std::string& name) {
    std::vector<std::string> l;
    EXPECT_TRUE(platform::readLines(dataFile(name + "/expected_grid.txt"), &l));
    return l;
  }
  // Function 2 on the grid with one finished row, as data a load may replace.
  void someRows() {
    startFunction(2);
    QVL& f = Qvl();
    f.GrilleRef.setTextMatrix(1, 1, "4.00");
    f.GrilleRef.setTextMatrix(1, 2, "2.00");
    TabMesures(1).Seg(1) = {1, 2, 3, 4};
    TabMesures(1).NumImage = 1;
    LigneCourante = 2;
  }
};

// A trame of the Windows program: Windows paths sought by name in the image folder
// (case ignored), comma decimals, Windows-1252 comments, and a picture box 14000 units
// wide, which rescales the calibrations 0.1 and .05 by 14000 / 11761.2.
TEST_F(TrameReader, WindowsTrameGivesTheExpectedGrid) {
  const std::string un = picture(images_, "lame1.bmp", 1200);
  const std::string deux = picture(images_, "LAME2.BMP", 1600);
  Indep_Resol = false;
  dialogs_->answerMsgBox(platform::vbOK);   // the calibrations are rescaled
  const std::string path = dataFile("windows_2d/input.trm");
  ASSERT_TRUE(load(path));
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(210)});
  EXPECT_EQ(platform::encodeLines(gridLines()), bytesOf(dataFile("windows_2d/expected_grid.txt")));
  EXPECT_EQ(imageList(), (std::vector<std::string>{un, deux}));
  EXPECT_NEAR(Calib_Images(1), 0.11903547, 5e-9);
  EXPECT_NEAR(Calib_Images(2), 0.05951774, 5e-9);
  EXPECT_EQ(FonctionCourante, 2);
  EXPECT_EQ(Taille_Grille, 255);
  EXPECT_EQ(Qvl().GrilleRef.rows(), 256);
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_EQ(Fic_Trame, path);
  EXPECT_FALSE(Rep_Trame_Ok);
  // The first image is shown with its own calibration.
  EXPECT_EQ(Img_Active, un);
  EXPECT_EQ(Index_Image, 1);
  EXPECT_DOUBLE_EQ(Calibrage, Calib_Images(1));
  // Rows as stored.
  EXPECT_EQ(TabMesures(2).NumImage, 2);
  EXPECT_EQ(TabMesures(2).Seg(1).X1, 1000.5);
  EXPECT_EQ(TabMesures(1).ExpZoom, -2);
  // The statistics follow the rows read.
  EXPECT_EQ(Qvl().GrilleRefP.textMatrix(8, 1), "2");
}

// A trame of this program: read, then written again, it gives the same bytes except
// the window state and the screen width.
TEST_F(TrameReader, ProgramTrameComesBackByteForByte) {
  picture(images_, "lame 1.bmp", 1200);
  picture(images_, "lame2.bmp", 1600);
  const std::string path = golden("program_2d");
  ASSERT_TRUE(load(path));
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(platform::encodeLines(gridLines()), bytesOf(dataFile("program_2d/expected_grid.txt")));
  const std::string again = images_.file("again.trm");
  ASSERT_TRUE(Ecrit_Trame(again));
  std::vector<std::string> a, b;
  ASSERT_TRUE(platform::readLines(path, &a));
  ASSERT_TRUE(platform::readLines(again, &b));
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].rfind("TAILLEECRAN=", 0) == 0 || a[i].rfind("RESH =", 0) == 0) {
      EXPECT_EQ(a[i].substr(0, 6), b[i].substr(0, 6));
      a[i] = b[i];
    }
  }
  EXPECT_EQ(platform::encodeLines(a), bytesOf(again));
  EXPECT_EQ(bytesOf(path).substr(0, 20), bytesOf(again).substr(0, 20));
  // Read twice, the same grid.
  const std::vector<std::string> grid = gridLines();
  ASSERT_TRUE(load(path));
  EXPECT_EQ(gridLines(), grid);
}

// Indep_Resol on, calibration 0.05: a 1000-unit segment reads 18.50 on a 1200-pixel
// image and 13.90 on a 1600-pixel one whatever picture is shown (or none); with
// Indep_Resol off both read 22.25.
TEST_F(TrameReader, RowsUseTheScaleOfTheirOwnImage) {
  const std::string un = picture(images_, "a.bmp", 1200);
  const std::string deux = picture(images_, "b.bmp", 1600);
  const std::string autre = picture(images_, "autre.bmp", 640);
  for (bool indep : {true, false}) {
    const std::string path = images_.file(indep ? "on.trm" : "off.trm");
    ASSERT_TRUE(platform::writeLines(
        path, {std::string("INDPRES=") + (indep ? "True" : "False"), "NBIMAGES= 2", "NBLIGNES= 2",
               "FONCTION= 1", "CALIBRAGE= ", " 0.05", " 0.05", "PCTSW =  11761.2", "IMAGES= ", un, deux,
               "COMMENT= ", "1;", "2;", "FIN", "TRAME= ", "0;1;0;0;600;800;", "0;2;0;0;600;800;"}));
    const char* attendus[2][2] = {{"18.50", "13.90"}, {"22.25", "22.25"}};
    for (const std::string& montree : {std::string(), autre, deux}) {
      SCOPED_TRACE(montree + (indep ? " on" : " off"));
      Indep_Resol = indep;
      if (montree.empty()) {
        Qvl().picbase.setPicture(platform::Picture());
        Img_Active.clear();
      } else {
        ASSERT_TRUE(Charge_Image_Memoire(montree));
        Img_Active = montree;
      }
      ASSERT_TRUE(load(path));
      EXPECT_EQ(Qvl().GrilleRef.textMatrix(1, 1), attendus[indep ? 0 : 1][0]);
      EXPECT_EQ(Qvl().GrilleRef.textMatrix(2, 1), attendus[indep ? 0 : 1][1]);
    }
  }
  EXPECT_TRUE(messages().empty());
}

// Counting rows come back with what their cells keep: the bump counts A, B and A + 2B
// (function 11), the surface of the density figure (13: the ellipse dragged from (100,
// 100) to (150, 130) on the picture at zoom 1, 64.08 with calibration 0.1, as measured;
// 14: that rectangle, 15.00); the counts of 13 and 14 are not kept and stay empty.
TEST_F(TrameReader, CountingRowsComeBackWithWhatTheyKeep) {
  const std::string un = picture(images_, "a.bmp", 1200);
  Indep_Resol = true;
  const double echelle = 1200 * 2540.0 / 96.0 / 11761.2;   // image pixels per unit of Picture1
  auto image = [&](double u) {
    char t[40];
    std::snprintf(t, sizeof t, "%.9f", u * echelle + 20);
    return std::string(t);
  };
  const std::string figure = "0;1;" + image(100) + ";" + image(100) + ";" + image(150) + ";" + image(130) +
                             ";0;0;0;0;0;0;0;0;";
  struct Case {
    int fonction;
    std::vector<std::string> rangees;
    std::vector<std::string> attendu;
  };
  const Case cases[] = {
      {11, {"0;1;0;0;3;4;0;0;0;0;", "0;1;0;0;12;0;0;0;0;0;"}, {"1\t3\t4\t11\t1\tx", "2\t12\t0\t12\t1\tx"}},
      {13, {figure}, {"1\t64.08\t\t\t\t1\tx"}},
      {14, {figure}, {"1\t15.00\t\t\t\t1\tx"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fonction);
    const std::string path = images_.file("comptage.trm");
    std::vector<std::string> l = {"INDPRES=True", "NBIMAGES= 1", "NBLIGNES= " + std::to_string(c.rangees.size()),
                                  "FONCTION= " + std::to_string(c.fonction), "CALIBRAGE= ", " 0.1",
                                  "PCTSW =  11761.2", "IMAGES= ", un, "COMMENT= "};
    for (std::size_t i = 0; i < c.rangees.size(); ++i) l.push_back(std::to_string(i + 1) + ";x");
    l.push_back("FIN");
    l.push_back("TRAME= ");
    for (const std::string& r : c.rangees) l.push_back(r);
    ASSERT_TRUE(platform::writeLines(path, l));
    ASSERT_TRUE(load(path));
    const std::vector<std::string> grille = gridLines();
    for (std::size_t i = 0; i < c.attendu.size(); ++i) EXPECT_EQ(grille.at(i + 1), c.attendu[i]);
  }
  EXPECT_TRUE(messages().empty());
}

// Refused trames: a message each, and the session as it was.
TEST_F(TrameReader, RefusedTramesChangeNothing) {
  picture(images_, "lame 1.bmp", 1200);
  struct Case {
    const char* name;
    std::string message;
    int code;
  };
  const Case cases[] = {
      {"bad_resolution", MSG(176), kTrameResolutionIncompatible},
      {"bad_no_image", kTrameSansImageTexte, kTrameSansImage},
      // No image and nothing after the image block: the reader stops at NBIMAGES.
      {"bad_no_image_no_rows", kTrameSansImageTexte, kTrameSansImage},
      // 5000 rows announced and two present: the comment block runs to the end.
      {"bad_rows_5000", "Fichier trame illisible (ligne TRAME absente) : ", 0},
      {"bad_function", "Fonction de mesure inconnue (99) dans la trame ", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    someRows();
    Fic_Trame = "avant.trm";
    const session_window::Snapshot avant = snapshot();
    dialogs_->clear();
    dialogs_->answerMsgBox(platform::vbOK);
    int code = 0;
    std::string path = golden(c.name);
    EXPECT_FALSE(Lit_Trame(path, code));
    EXPECT_EQ(code, c.code);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].substr(0, c.message.size()), c.message);
    EXPECT_TRUE(snapshot() == avant);
  }
  // A missing file.
  dialogs_->clear();
  dialogs_->answerMsgBox(platform::vbOK);
  const session_window::Snapshot avant = snapshot();
  EXPECT_FALSE(load(images_.file("nulle.trm")));
  EXPECT_EQ(messages(), std::vector<std::string>{"fichier trame absent " + images_.file("nulle.trm")});
  EXPECT_TRUE(snapshot() == avant);
  // No to the question before the grid is cleared.
  dialogs_->clear();
  dialogs_->answerMsgBox(platform::vbNo);
  EXPECT_FALSE(load(golden("program_2d"), 0));
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(190) + " " + MSG(188) + " ? "});
  EXPECT_TRUE(snapshot() == avant);
}

// A row whose image is numbered outside the list, or whose image cannot be found,
// keeps its data with empty value cells; the message says so.
TEST_F(TrameReader, RowsWithoutTheirImage) {
  const std::string un = picture(images_, "lame 1.bmp", 1200);
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(load(golden("image_99")));
  EXPECT_EQ(messages(), std::vector<std::string>{"1 ligne(s) sans image : valeurs non calculées"});
  EXPECT_EQ(gridLines()[1], "1\t\t\t\t\t99\tperdue");
  EXPECT_EQ(gridLines()[2], "2\t18.50\t7.40\t2.50\t530.44\t1\t");
  EXPECT_EQ(TabMesures(1).NumImage, 99);
  EXPECT_EQ(TabMesures(1).Seg(1).X2, 600);

  dialogs_->clear();
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(load(golden("missing_image")));
  EXPECT_EQ(messages(), std::vector<std::string>{"Absente.jpg" + MSG(209) + SautLigne +
                                                 "1 ligne(s) sans image : valeurs non calculées"});
  // Listed anyway, under the image folder.
  EXPECT_EQ(imageList(), (std::vector<std::string>{un, images_.file("Absente.jpg")}));
  EXPECT_EQ(gridLines()[2], "2\t\t\t\t\t2\t");
  EXPECT_EQ(Img_Active, un);
}

// Beyond 3000 rows and 50 images nothing is read; the grid grows to hold the rows.
TEST_F(TrameReader, LimitsOfTheTable) {
  const std::string un = picture(images_, "un.bmp", 1200);
  std::vector<std::string> l = {"INDPRES=True", "NBIMAGES= 55", "NBLIGNES= 5000", "NBLGMAX =64", "FONCTION= 1",
                                "CALIBRAGE= "};
  for (int i = 0; i < 55; ++i) l.push_back(" 0.05");
  l.push_back("IMAGES= ");
  l.push_back(un);
  for (int i = 1; i < 55; ++i) l.push_back(images_.file("x" + std::to_string(i) + ".bmp"));
  l.push_back("COMMENT= ");
  for (int k = 1; k <= 5000; ++k) l.push_back(std::to_string(k) + ";c" + std::to_string(k));
  l.push_back("FIN");
  l.push_back("TRAME= ");
  for (int k = 1; k <= 5000; ++k) l.push_back("0;1;0;0;600;800;");
  const std::string path = images_.file("grande.trm");
  ASSERT_TRUE(platform::writeLines(path, l));
  dialogs_->answerMsgBox(platform::vbOK);
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(load(path));
  // The full grid is noticed by the statistics, then what was left out is said.
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[0], MSG(174));
  const std::string m = messages()[1];
  EXPECT_NE(m.find("5 image(s) au-delà de 50 non lue(s)"), std::string::npos) << m;
  EXPECT_NE(m.find("2000 ligne(s) au-delà de 3000 non lue(s)"), std::string::npos) << m;
  EXPECT_EQ(LigneCourante, 3001);
  EXPECT_EQ(Taille_Grille, 3000);
  EXPECT_EQ(Qvl().GrilleRef.rows(), 3001);
  EXPECT_EQ(Qvl().ListIMGchar.listCount(), 50);
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(3000, 1), "18.50");
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(3000, 3), "c3000");
}

// A local trame lists its images by name: they are taken from the trame's folder.
TEST_F(TrameReader, LocalTrameTakesItsImagesBesideIt) {
  session_window::TempFolder ailleurs;
  const std::string ici = picture(ailleurs, "Lame.bmp", 1200);
  picture(images_, "lame.bmp", 1600);   // same name in the image folder: not taken
  const std::string path = ailleurs.file("local.trm");
  ASSERT_TRUE(platform::writeLines(
      path, {"INDPRES=True", "NBIMAGES= 1", "NBLIGNES= 1", "FONCTION= 1", "CALIBRAGE= ", " 0.05",
             "PCTSW =  11761.2", "TRAMELOCALE = true", "IMAGES= ", "lame.bmp", "COMMENT= ", "1;", "FIN",
             "TRAME= ", "0;1;0;0;600;800;"}));
  ASSERT_TRUE(load(path));
  EXPECT_EQ(imageList(), std::vector<std::string>{ici});
  EXPECT_TRUE(Rep_Trame_Ok);
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(1, 1), "18.50");
}

TEST_F(TrameReader, ImagesAreSoughtByName) {
  const std::string a = picture(images_, "Spore.JPG.bmp", 10);
  bool trouve = false;
  EXPECT_EQ(Cherche_Image(a, "", &trouve), a);
  EXPECT_TRUE(trouve);
  EXPECT_EQ(Cherche_Image("C:\\Mes images\\SPORE.jpg.BMP", "", &trouve), a);
  EXPECT_TRUE(trouve);
  EXPECT_EQ(Cherche_Image("/ailleurs/spore.jpg.bmp", "", &trouve), a);
  EXPECT_TRUE(trouve);
  EXPECT_EQ(Cherche_Image("D:\\x\\absente.bmp", "", &trouve), images_.file("absente.bmp"));
  EXPECT_FALSE(trouve);
}

// Two entries of one image make one list entry; their rows share it.
TEST_F(TrameReader, RepeatedImagesAreListedOnce) {
  const std::string un = picture(images_, "un.bmp", 1200);
  const std::string path = images_.file("double.trm");
  ASSERT_TRUE(platform::writeLines(
      path, {"INDPRES=True", "NBIMAGES= 3", "NBLIGNES= 2", "FONCTION= 1", "CALIBRAGE= ", " 0.05", " 0.5",
             " 0.1", "PCTSW =  11761.2", "IMAGES= ", un, "", un, "COMMENT= ", "1;", "2;", "FIN", "TRAME= ",
             "0;3;0;0;600;800;", "0;2;0;0;600;800;"}));
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(load(path));
  EXPECT_EQ(imageList(), std::vector<std::string>{un});
  EXPECT_EQ(TabMesures(1).NumImage, 1);
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(1, 1), "18.50");
  // The blank entry names no image: its row keeps no image.
  EXPECT_EQ(TabMesures(2).NumImage, 0);
  EXPECT_EQ(messages(), std::vector<std::string>{"1 ligne(s) sans image : valeurs non calculées"});
}

}  // namespace
