// Trame files: the format against golden files written by hand (one folder per case
// under tests/data/trame, compared byte for byte, CR LF and Windows-1252 included) and
// read back, malformed files, then the writers on the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "base/globals.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/trame_file.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/app.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "shell/function_switch.h"
#include "support/file_size_limit.h"

namespace {

using picture_window::TempFolder;

std::string dataFile(const std::string& name) { return std::string(QV_TEST_DATA) + "/trame/" + name; }

std::string bytesOf(const std::string& path) {
  std::string b;
  EXPECT_TRUE(platform::readBytes(path, &b)) << path;
  return b;
}

class SeparatorPinned : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetDecimalSeparator(0); }
};

// --- single values ------------------------------------------------------------------------

using TrameText = SeparatorPinned;

TEST_F(TrameText, PrintedSingles) {
  platform::SetDecimalSeparator('.');
  EXPECT_EQ(Texte_Reel_Simple(11761.2f), " 11761.2");
  EXPECT_EQ(Texte_Reel_Simple(1920.0f), " 1920");
  EXPECT_EQ(Texte_Reel_Simple(-0.5f), "-0.5");
  EXPECT_EQ(Texte_Reel_Simple(0.0f), " 0");
  EXPECT_EQ(Texte_Reel_Simple(0.1f), " 0.1");
  EXPECT_EQ(Texte_Reel_Simple(std::numeric_limits<float>::infinity()), " 0");
  platform::SetDecimalSeparator(',');
  EXPECT_EQ(Texte_Reel_Simple(11761.2f), " 11761,2");
}

TEST_F(TrameText, RowLines) {
  platform::SetDecimalSeparator('.');
  LigneTrame l;
  l.expZoom = -2;
  l.numImage = 1;
  l.cellules = {{100.5, 200, 300, 400.25}, {1, 2, 3, 4}};
  // Two whole numbers, eight shortest reals, each after ";", and a final ";".
  EXPECT_EQ(Ligne_Rangee_Trame(l, 2), "-2;1;100.5;200;300;400.25;1;2;3;4;");
  platform::SetDecimalSeparator(',');
  EXPECT_EQ(Ligne_Rangee_Trame(l, 2), "-2;1;100,5;200;300;400,25;1;2;3;4;");
  // A polygon row carries four grid texts; missing ones are empty, extra ones dropped.
  l.textesPolygone = {"12,5", "3"};
  EXPECT_EQ(Ligne_Rangee_Trame(l, 16), "-2;1;100,5;200;300;400,25;1;2;3;4;12,5;3;;;");
  l.textesPolygone = {"a", "b", "c", "d", "e"};
  EXPECT_EQ(Ligne_Rangee_Trame(l, 16), "-2;1;100,5;200;300;400,25;1;2;3;4;a;b;c;d;");
  // Other functions never write the texts.
  EXPECT_EQ(Ligne_Rangee_Trame(l, 15), "-2;1;100,5;200;300;400,25;1;2;3;4;");
  LigneTrame vide;
  EXPECT_EQ(Ligne_Rangee_Trame(vide, 1), "0;0;");
}

// --- golden files ----------------------------------------------------------------------------

SessionTrame spores2d() {
  SessionTrame s;
  s.indepResol = false;
  s.tailleGrille = 3000;
  s.fonction = 2;
  s.tailleEcran = 2;
  s.ficCalib = "Qvrl.Cal";
  s.calibrations = {0.0125, 0.02};
  s.largeurEcranPixels = 1920;
  s.largeurEchelle = 11761.2f;
  s.images = {"/data/spores/lame1.jpg", "/data/spores/lame2.jpg"};
  s.commentaires = {"", "spore à paroi épaisse"};
  s.lignes = {{-2, 1, {{1000.5, 2000, 1600, 2800}, {1300, 2400, 1540, 2220}}, {}},
              {0, 2, {{10, 20, 30, 40}, {-5.25, 0, 0.125, 7}}, {}}};
  return s;
}

SessionTrame polygonComma() {
  SessionTrame s;
  s.indepResol = true;
  s.tailleGrille = 64;
  s.fonction = 16;
  s.tailleEcran = 0;
  s.ficCalib = "Qvrl.Cal";
  s.calibrations = {1.5};
  s.largeurEcranPixels = 1366;
  s.largeurEchelle = 11761.2f;
  s.images = {"/home/u/Lame 3.bmp"};
  s.commentaires = {"contour"};
  s.lignes = {{0, 1, {{100.5, 200, 300, 400}, {0, 0, 0, 0}}, {"12,50", "14,20", "1,10", "0,90"}}};
  return s;
}

SessionTrame emptyGrid() {
  SessionTrame s;
  s.tailleGrille = 3000;
  s.fonction = 1;
  s.largeurEcranPixels = 1024;
  s.largeurEchelle = 11761.2f;
  return s;
}

void expectSameSession(const SessionTrame& a, const SessionTrame& b) {
  EXPECT_EQ(a.indepResol, b.indepResol);
  EXPECT_EQ(a.tailleGrille, b.tailleGrille);
  EXPECT_EQ(a.fonction, b.fonction);
  EXPECT_EQ(a.tailleEcran, b.tailleEcran);
  EXPECT_EQ(a.ficCalib, b.ficCalib);
  EXPECT_EQ(a.calibrations, b.calibrations);
  EXPECT_EQ(a.largeurEcranPixels, b.largeurEcranPixels);
  EXPECT_EQ(a.largeurEchelle, b.largeurEchelle);
  EXPECT_EQ(a.locale, b.locale);
  EXPECT_EQ(a.images, b.images);
  EXPECT_EQ(a.commentaires, b.commentaires);
  ASSERT_EQ(a.lignes.size(), b.lignes.size());
  for (std::size_t k = 0; k < a.lignes.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(a.lignes[k].expZoom, b.lignes[k].expZoom);
    EXPECT_EQ(a.lignes[k].numImage, b.lignes[k].numImage);
    EXPECT_EQ(a.lignes[k].textesPolygone, b.lignes[k].textesPolygone);
    ASSERT_EQ(a.lignes[k].cellules.size(), b.lignes[k].cellules.size());
    for (std::size_t j = 0; j < a.lignes[k].cellules.size(); ++j) {
      const Segment& p = a.lignes[k].cellules[j];
      const Segment& q = b.lignes[k].cellules[j];
      EXPECT_EQ(p.X1, q.X1);
      EXPECT_EQ(p.Y1, q.Y1);
      EXPECT_EQ(p.X2, q.X2);
      EXPECT_EQ(p.Y2, q.Y2);
    }
  }
}

struct GoldenCase {
  const char* folder;
  SessionTrame (*session)();
  char separator;
};

const GoldenCase kGolden[] = {
    {"spores_2d", spores2d, '.'},
    {"polygon_comma", polygonComma, ','},
    {"empty_grid", emptyGrid, '.'},
};

using TrameGolden = SeparatorPinned;

TEST_F(TrameGolden, FormatterWritesTheExpectedBytes) {
  for (const GoldenCase& c : kGolden) {
    SCOPED_TRACE(c.folder);
    platform::SetDecimalSeparator(c.separator);
    const std::string expected = bytesOf(dataFile(std::string(c.folder) + "/expected.trm"));
    EXPECT_EQ(platform::encodeLines(Lignes_Trame(c.session())), expected);
  }
}

TEST_F(TrameGolden, GoldenFilesReadBack) {
  for (const GoldenCase& c : kGolden) {
    SCOPED_TRACE(c.folder);
    platform::SetDecimalSeparator(c.separator);
    std::vector<std::string> lines;
    ASSERT_TRUE(platform::readLines(dataFile(std::string(c.folder) + "/expected.trm"), &lines));
    SessionTrame lu;
    std::string error;
    ASSERT_TRUE(Analyse_Trame(lines, &lu, &error)) << error;
    expectSameSession(lu, c.session());
    // Written again, the same lines.
    EXPECT_EQ(Lignes_Trame(lu), lines);
  }
}

// The last two lines of an empty grid, and its comment block with no line.
TEST_F(TrameGolden, EmptyGridEndsWithTheRowHeader) {
  platform::SetDecimalSeparator('.');
  const std::vector<std::string> l = Lignes_Trame(emptyGrid());
  ASSERT_GE(l.size(), 3u);
  EXPECT_EQ(l[2], "NBLIGNES= 0");
  EXPECT_EQ(l[l.size() - 3], "COMMENT= ");
  EXPECT_EQ(l[l.size() - 2], "FIN");
  EXPECT_EQ(l.back(), "TRAME= ");
}

// Fifty images at most; missing calibrations are written as 1, missing comments empty.
TEST_F(TrameGolden, CountsFollowTheLists) {
  platform::SetDecimalSeparator('.');
  SessionTrame s = emptyGrid();
  for (int i = 0; i < 55; ++i) s.images.push_back("img" + std::to_string(i) + ".jpg");
  s.calibrations = {0.5};
  s.lignes.resize(2);
  s.commentaires = {"seul"};
  const std::vector<std::string> l = Lignes_Trame(s);
  EXPECT_EQ(l[1], "NBIMAGES= 50");
  EXPECT_EQ(l[2], "NBLIGNES= 2");
  EXPECT_EQ(l[8], " 0.5");
  EXPECT_EQ(l[9], " 1");
  EXPECT_EQ(l[57], " 1");
  EXPECT_EQ(l[58], "RESH =  1024");
  const auto comment = std::find(l.begin(), l.end(), "COMMENT= ");
  ASSERT_NE(comment, l.end());
  EXPECT_EQ(*(comment + 1), "1;seul");
  EXPECT_EQ(*(comment + 2), "2;");
  EXPECT_EQ(*(comment + 3), "FIN");
  EXPECT_EQ(l.back(), "0;0;");
}

// --- malformed files -----------------------------------------------------------------------

TEST_F(TrameGolden, MissingRowBlockIsRefused) {
  std::vector<std::string> lines;
  ASSERT_TRUE(platform::readLines(dataFile("malformed_no_trame/input.trm"), &lines));
  SessionTrame s;
  std::string error;
  EXPECT_FALSE(Analyse_Trame(lines, &s, &error));
  EXPECT_EQ(error, "ligne TRAME absente");
  EXPECT_TRUE(s.lignes.empty());
  EXPECT_FALSE(Analyse_Trame({}, &s, &error));
  EXPECT_EQ(error, "ligne INDPRES absente");
}

// NBLIGNES promises three rows and the file holds one: what is there is read; an
// unreadable coordinate reads 0 and an incomplete group of coordinates is dropped.
TEST_F(TrameGolden, ShortAndDamagedRowsAreReadAsFarAsTheyGo) {
  platform::SetDecimalSeparator('.');
  std::vector<std::string> lines;
  ASSERT_TRUE(platform::readLines(dataFile("malformed_short_rows/input.trm"), &lines));
  SessionTrame s;
  ASSERT_TRUE(Analyse_Trame(lines, &s));
  EXPECT_TRUE(s.indepResol);
  EXPECT_EQ(s.calibrations, std::vector<double>{0.5});
  EXPECT_EQ(s.images, std::vector<std::string>{"x.jpg"});
  EXPECT_EQ(s.commentaires, (std::vector<std::string>{"a", "b", "c;d"}));
  ASSERT_EQ(s.lignes.size(), 1u);
  EXPECT_EQ(s.lignes[0].expZoom, 1);
  EXPECT_EQ(s.lignes[0].numImage, 1);
  ASSERT_EQ(s.lignes[0].cellules.size(), 1u);
  EXPECT_EQ(s.lignes[0].cellules[0].X1, 10);
  EXPECT_EQ(s.lignes[0].cellules[0].Y2, 0);
}

// A coefficient no picture can have leaves its image uncalibrated (1).
TEST_F(TrameGolden, ImplausibleCalibrationsReadAsOne) {
  platform::SetDecimalSeparator('.');
  const std::vector<std::string> lines = {"INDPRES=False", "NBIMAGES= 5", "CALIBRAGE= ", "1e308", "1e-320",
                                          "-0,5",          "0,0125",      "abc",        "TRAME= "};
  SessionTrame s;
  ASSERT_TRUE(Analyse_Trame(lines, &s));
  EXPECT_EQ(s.calibrations, (std::vector<double>{1.0, 1.0, 1.0, 0.0125, 1.0}));
}

// --- on the main window ---------------------------------------------------------------------

class TrameWindow : public measure_window::MeasureWindow {};

// A session of function 2 with two rows on two images.
void fillSession(const std::string& image1, const std::string& image2) {
  QVL& f = Qvl();
  f.GrilleRef.setRows(1);
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  f.ListIMGchar.clear();
  f.ListIMGchar.addItem(image1);
  f.ListIMGchar.addItem(image2);
  Calibrage = 0.25;
  Calib_Images(1) = 0.0125;
  Calib_Images(2) = 0.5;
  Indep_Resol = false;
  Fic_Calib = "Qvrl.Cal";
  TabMesures(1) = Mesure{};
  TabMesures(1).ExpZoom = -2;
  TabMesures(1).NumImage = 1;
  TabMesures(1).Seg(1) = {1000.5, 2000, 1600, 2800};
  TabMesures(1).Seg(2) = {1300, 2400, 1540, 2220};
  TabMesures(2) = Mesure{};
  TabMesures(2).NumImage = 2;
  TabMesures(2).Seg(1) = {10, 20, 30, 40};
  TabMesures(2).Seg(2) = {-5.25, 0, 0.125, 7};
  // Cell 3 is not a cell of function 2: never written.
  TabMesures(2).Seg(3) = {9, 9, 9, 9};
  // The row in progress is not written either.
  TabMesures(3).Seg(1) = {5, 5, 5, 5};
  const int comment = f.GrilleRef.cols() - 1;
  f.GrilleRef.setTextMatrix(1, comment, "");
  f.GrilleRef.setTextMatrix(2, comment, "spore à paroi épaisse");
  LigneCourante = 3;
  EtapeClic = 2;
}

TEST_F(TrameWindow, EcritTrameWritesTheCurrentSession) {
  TempFolder dir;
  fillSession("/data/spores/lame1.jpg", "/data/spores/lame2.jpg");
  const std::string path = dir.file("session.trm");
  std::string error;
  ASSERT_TRUE(Ecrit_Trame(path, &error)) << error;
  EXPECT_EQ(Fic_Session, path);
  EXPECT_EQ(Calib_Images(0), 0.25);

  std::vector<std::string> l;
  ASSERT_TRUE(platform::readLines(path, &l));
  const std::vector<std::string> head = {"INDPRES=False", "NBIMAGES= 2", "NBLIGNES= 2", "NBLGMAX =3000",
                                         "FONCTION= 2", "TAILLEECRAN= " + std::to_string(Qvl().windowState()),
                                         "FICHIERCALIBRAGE= Qvrl.Cal", "CALIBRAGE= ", " 0.0125", " 0.5"};
  ASSERT_GE(l.size(), head.size());
  EXPECT_EQ(std::vector<std::string>(l.begin(), l.begin() + static_cast<long>(head.size())), head);
  // The screen width is the machine's; the picture's scale is fixed.
  EXPECT_EQ(l[10].rfind("RESH =  ", 0), 0u) << l[10];
  const std::vector<std::string> tail = {"PCTSW =  11761.2",
                                         "TRAMELOCALE = false",
                                         "IMAGES= ",
                                         "/data/spores/lame1.jpg",
                                         "/data/spores/lame2.jpg",
                                         "COMMENT= ",
                                         "1;",
                                         "2;spore à paroi épaisse",
                                         "FIN",
                                         "TRAME= ",
                                         "-2;1;1000.5;2000;1600;2800;1300;2400;1540;2220;",
                                         "0;2;10;20;30;40;-5.25;0;0.125;7;"};
  EXPECT_EQ(std::vector<std::string>(l.begin() + 11, l.end()), tail);
  // Windows-1252 on disk.
  EXPECT_NE(bytesOf(path).find("spore \xe0 paroi \xe9paisse\r\n"), std::string::npos);
}

TEST_F(TrameWindow, FailedWriteLeavesTheOldFileAndFicSession) {
  TempFolder dir;
  fillSession("/a.jpg", "/b.jpg");
  Fic_Session = "avant.trm";
  std::string error;
  EXPECT_FALSE(Ecrit_Trame(dir.file("missing_folder/x.trm"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(Fic_Session, "avant.trm");

  // A folder in the way of the file: the write fails and the folder stays.
  const std::string taken = dir.file("taken.trm");
  ASSERT_TRUE(platform::makeFolder(taken));
  EXPECT_FALSE(Ecrit_Trame(taken, &error));
  EXPECT_TRUE(platform::folderExists(taken));
  EXPECT_EQ(Fic_Session, "avant.trm");
}

// A disk that cannot hold the trame: the cause is given, the old file and Fic_Session stay.
TEST_F(TrameWindow, FullDiskKeepsTheOldTrame) {
  TempFolder dir;
  fillSession("/a.jpg", "/b.jpg");
  const std::string path = dir.file("TrameSav.trm");
  ASSERT_TRUE(platform::saveFileAtomic(path, "INDPRES=False\r\nTRAME= \r\n"));
  Fic_Session = "avant.trm";
  std::string error;
  bool written = true;
  {
    test_support::FileSizeLimit limit(64);
    ASSERT_TRUE(limit.active());
    written = Ecrit_Trame(path, &error);
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(error, "Impossible d'enregistrer le fichier " + path + " : " + test_support::FileSizeLimit::cause());
  EXPECT_EQ(bytesOf(path), "INDPRES=False\r\nTRAME= \r\n");
  EXPECT_EQ(Fic_Session, "avant.trm");
}

TEST_F(TrameWindow, LocalTrameCopiesImagesAndCalibration) {
  TempFolder a, b, target;
  ASSERT_TRUE(platform::writeLines(a.file("Lame1.JPG"), {"image one"}));
  ASSERT_TRUE(platform::writeLines(b.file("lame2.bmp"), {"image two"}));
  const std::string calib = platform::App::Path() + "/Qvrl.Cal";
  const bool hadCalib = platform::fileExists(calib);
  if (!hadCalib) {
    ASSERT_TRUE(platform::writeLines(calib, {"calibration"}));
  }
  // The list names the first image with another case than the disk.
  fillSession(a.file("lame1.jpg"), b.file("lame2.bmp"));
  const std::string path = target.file("local.trm");
  std::string error;
  const bool ok = Ecrit_Trame_Locale(path, &error);
  if (!hadCalib) platform::removeFile(calib);
  ASSERT_TRUE(ok) << error;
  EXPECT_TRUE(platform::fileExists(target.file("Lame1.JPG")));
  EXPECT_TRUE(platform::fileExists(target.file("lame2.bmp")));
  EXPECT_TRUE(platform::fileExists(target.file("Qvrl.Cal")));
  std::vector<std::string> l;
  ASSERT_TRUE(platform::readLines(path, &l));
  SessionTrame s;
  ASSERT_TRUE(Analyse_Trame(l, &s));
  EXPECT_TRUE(s.locale);
  EXPECT_EQ(s.images, (std::vector<std::string>{"Lame1.JPG", "lame2.bmp"}));
  EXPECT_EQ(std::count(l.begin(), l.end(), "TRAMELOCALE = true"), 1);
  EXPECT_EQ(Fic_Session, path);
}

TEST_F(TrameWindow, LocalTrameStopsAtAMissingImage) {
  TempFolder target;
  fillSession(target.file("nowhere/absent.jpg"), target.file("absent2.jpg"));
  Fic_Session = "avant.trm";
  std::string error;
  EXPECT_FALSE(Ecrit_Trame_Locale(target.file("local.trm"), &error));
  EXPECT_NE(error.find("absent.jpg"), std::string::npos);
  EXPECT_FALSE(platform::fileExists(target.file("local.trm")));
  EXPECT_EQ(Fic_Session, "avant.trm");
}

TEST_F(TrameWindow, AutomaticSaveFile) {
  const std::string prog = platform::App::Path();
  Fic_Trame = "";
  EXPECT_EQ(Fichier_Sauvegarde_Auto(), prog + "/TrameSav.trm");
  Fic_Trame = "/data/sessions/lame.trm";
  EXPECT_EQ(Fichier_Sauvegarde_Auto(), "/data/sessions/lame.trm");
  Fic_Trame = "lame.trm";
  EXPECT_EQ(Fichier_Sauvegarde_Auto(), prog + "/lame.trm");
  EXPECT_EQ(Fichier_Trame_Secours(), prog + "/TrameSav.trm");
}

}  // namespace
