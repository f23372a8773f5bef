// Row writers: the pure rules (last step, automatic-save rows, computed columns, ratios),
// then Inscrit_Mesure_Rapports on the main window's grids with the automatic save, the
// full grid and the failures.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontMetrics>
#include <QString>
#include <QWidget>

#include <cmath>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/row_writers.h"
#include "platform/flexgrid.h"
#include "measure/trame_file.h"
#include "measure_window.h"
#include "picture_window.h"
#include "platform/app.h"
#include "platform/runtime.h"
#include "platform/textfile.h"

namespace {

using measure_window::MeasureWindow;
using picture_window::TempFolder;

// --- pure ------------------------------------------------------------------------------

TEST(RowRules, LastStep) {
  EXPECT_EQ(Derniere_Etape(1, 1), 1);
  EXPECT_EQ(Derniere_Etape(2, 2), 2);
  EXPECT_EQ(Derniere_Etape(3, 3), 3);
  EXPECT_EQ(Derniere_Etape(4, 3), 3);
  EXPECT_EQ(Derniere_Etape(5, 7), 4);
  EXPECT_EQ(Derniere_Etape(6, 8), 5);
}

// With 10: before rows 11, 21, 31 (never inside a row, never before row 1); 0 never;
// 1 before every row from the second on.
TEST(RowRules, AutomaticSaveRows) {
  struct Case {
    int sauve, etape, ligne;
    bool due;
  };
  const Case cases[] = {
      {10, 1, 11, true}, {10, 1, 21, true}, {10, 1, 31, true}, {10, 1, 10, false},
      {10, 1, 12, false}, {10, 2, 11, false}, {10, 1, 1, false}, {0, 1, 11, false},
      {-10, 1, 11, false}, {1, 1, 2, true}, {1, 1, 1, false}, {3, 1, 4, true}, {3, 1, 5, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Sauvegarde_Due(c.sauve, c.etape, c.ligne), c.due)
        << c.sauve << " " << c.etape << " " << c.ligne;
}

// Values worked out by hand: length 10, width 5: Q = 2, V = 5 x 10 x 5 x 3.14159 / 6 =
// 130.8996; a width of 0.005 gives no Q and V = 0.005 x 10 x 0.005 x 3.14159 / 6 =
// 0.000131 ("0.0"). Spores in three dimensions 12 x 8 x 6: Q = 1.5, L = 2.
TEST(RowRules, ComputedColumns) {
  platform::SetDecimalSeparator('.');
  using C = CelluleCalculee;
  EXPECT_EQ(Colonnes_Calculees(2, 2, {0, 10, 5}, "###0.00"),
            (std::vector<C>{{3, "2.00"}, {4, "130.9"}}));
  EXPECT_EQ(Colonnes_Calculees(2, 2, {0, 10, 0.005}, "###0.00"), (std::vector<C>{{4, "0.0"}}));
  EXPECT_EQ(Colonnes_Calculees(2, 2, {0, 10, 0.011}, "###0.000"),
            (std::vector<C>{{3, "909.091"}, {4, "0.0"}}));
  EXPECT_EQ(Colonnes_Calculees(3, 3, {0, 12, 8, 6}, "###0.00"),
            (std::vector<C>{{4, "1.50"}, {5, "2.00"}}));
  EXPECT_EQ(Colonnes_Calculees(3, 3, {0, 12, 8, 0}, "###0.00"), (std::vector<C>{{4, "1.50"}}));
  EXPECT_EQ(Colonnes_Calculees(3, 3, {0, 12, 0, 0}, "###0.00"), (std::vector<C>{}));
  EXPECT_TRUE(Colonnes_Calculees(1, 1, {0, 10}, "###0.00").empty());
  EXPECT_TRUE(Colonnes_Calculees(4, 3, {0, 10, 2, 3}, "###0.00").empty());
  // Values missing: nothing rather than a read outside the list.
  EXPECT_TRUE(Colonnes_Calculees(3, 3, {0, 12}, "###0.00").empty());
  platform::SetDecimalSeparator(0);
}

// B = 4, M = 2, A = 3: A/M 1.5, A/B 0.75, B/M 2 at columns 5 to 7 (function 5) or 6
// to 8 (function 6).
TEST(RowRules, CystidiumRatios) {
  platform::SetDecimalSeparator('.');
  using C = CelluleCalculee;
  EXPECT_EQ(Rapports_Cystide(5, 4, 2, 3, "###0.00"),
            (std::vector<C>{{5, "1.50"}, {6, "0.75"}, {7, "2.00"}}));
  EXPECT_EQ(Rapports_Cystide(6, 4, 2, 3, "###0.00"),
            (std::vector<C>{{6, "1.50"}, {7, "0.75"}, {8, "2.00"}}));
  EXPECT_TRUE(Rapports_Cystide(5, 0, 2, 3, "###0.00").empty());
  EXPECT_TRUE(Rapports_Cystide(6, 4, 0, 3, "###0.00").empty());
  EXPECT_TRUE(Rapports_Cystide(4, 4, 2, 3, "###0.00").empty());
  platform::SetDecimalSeparator(0);
}

// --- on the main window ------------------------------------------------------------------

class RowWriters : public MeasureWindow {
 protected:
  // Writes the value of a segment of n length units (Calibrage 0.01: n / 100).
  void write(int n) {
    NbSegments_Calib = n;
    Inscrit_Mesure_Rapports();
  }
};

TEST_F(RowWriters, SegmentRowsFollowOneAnother) {
  startFunction(1);
  QVL& f = Qvl();
  Index_Image = 3;
  write(1234);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  // Columns: number, length, image, comment.
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 0), "1");
  EXPECT_EQ(row(1, 3), (std::vector<std::string>{"12.34", "3", ""}));
  EXPECT_EQ(ValEtapes(1), 0.0);   // cleared once the row is complete
  EXPECT_EQ(LignePrec, 1);
  EXPECT_EQ(Etape_Calib, 1);
  write(50);
  EXPECT_EQ(row(2, 3), (std::vector<std::string>{"0.50", "3", ""}));
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_TRUE(f.Frame(6).visible());
}

TEST_F(RowWriters, SporesInTwoDimensions) {
  startFunction(2);
  QVL& f = Qvl();
  Index_Image = 2;
  write(1000);
  // The row stays open and the tool button is off until it is complete.
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 2);
  EXPECT_EQ(ValEtapes(1), 10.0);
  EXPECT_FALSE(f.Bout(41).enabled());
  EXPECT_EQ(row(1, 6), (std::vector<std::string>{"10.00", "", "", "", "", ""}));
  write(500);
  EXPECT_TRUE(f.Bout(41).enabled());
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  // Length, width, Q, V (130.8996), image, empty comment.
  EXPECT_EQ(row(1, 6), (std::vector<std::string>{"10.00", "5.00", "2.00", "130.9", "2", ""}));
}

// Three values per row: the row closes only after the thickness.
TEST_F(RowWriters, SporesInThreeDimensionsTakeThreeValues) {
  startFunction(3);
  write(1200);
  write(800);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 3);
  write(600);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(EtapeClic, 1);
  EXPECT_EQ(row(1, 7), (std::vector<std::string>{"12.00", "8.00", "6.00", "1.50", "2.00", "1", ""}));
}

TEST_F(RowWriters, CystidiaRatios) {
  startFunction(5);
  QVL& f = Qvl();
  for (int n : {5000, 400, 200, 300}) write(n);
  EXPECT_EQ(LigneCourante, 2);
  // Length, base, M, A, A/M, A/B, B/M, image, comment.
  EXPECT_EQ(row(1, 9), (std::vector<std::string>{"50.00", "4.00", "2.00", "3.00", "1.50", "0.75",
                                                 "2.00", "1", ""}));
  EXPECT_EQ(f.StatusBar1.simpleText(), kEnteteRapports);

  startFunction(6);
  for (int n : {5000, 400, 200, 300, 100}) write(n);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(row(1, 10), (std::vector<std::string>{"50.00", "4.00", "2.00", "3.00", "1.00", "1.50",
                                                  "0.75", "2.00", "1", ""}));
}

TEST_F(RowWriters, CystidiumWithZeroBaseGetsNoRatio) {
  startFunction(5);
  QVL& f = Qvl();
  for (int n : {5000, 0, 200, 300}) write(n);
  EXPECT_EQ(f.lblLabelflashx.caption(), kDimensionNulle);
  EXPECT_EQ(row(1, 9), (std::vector<std::string>{"50.00", "0.00", "2.00", "3.00", "", "", "", "1", ""}));
  EXPECT_EQ(LigneCourante, 2);
}

// The statistics rows follow every value while the statistics are on.
TEST_F(RowWriters, StatisticsFollow) {
  startFunction(1);
  QVL& f = Qvl();
  f.Check(3).setValue(1);
  write(1000);
  write(2000);
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 0), "Moy");
  EXPECT_EQ(f.GrilleRefP.textMatrix(1, 1), "15.00");
  EXPECT_EQ(f.GrilleRefP.textMatrix(8, 0), "N=");
  EXPECT_EQ(f.GrilleRefP.textMatrix(8, 1), "2");
}

// A spore measured in function 2, as a screen reader reads the grid through Qt's
// accessibility interface, and as the grids show it: every value of its row and every
// statistics title whole in the designed column widths.
TEST_F(RowWriters, SporeRowReadAloudAndShownWhole) {
  startFunction(2);
  QVL& f = Qvl();
  f.Check(3).setValue(1);
  Index_Image = 1;
  write(132700);
  write(57700);
  QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(f.GrilleRef.widget());
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->role(), QAccessible::Table);
  QAccessibleTableInterface* table = grid->tableInterface();
  ASSERT_NE(table, nullptr);
  auto read = [table](int r, int c) {
    QAccessibleInterface* cell = table->cellAt(r, c);
    return cell ? cell->text(QAccessible::Name).toStdString() : std::string("<none>");
  };
  EXPECT_EQ(read(0, 1), "Long.");
  EXPECT_EQ(read(0, 3), "Q");
  // Length, width, Q, image (V, 577 x 1327 x 577 x pi / 6, is checked elsewhere).
  EXPECT_EQ(read(1, 1), "1327.00");
  EXPECT_EQ(read(1, 2), "577.00");
  EXPECT_EQ(read(1, 3), "2.30");
  EXPECT_EQ(read(1, 5), "1");
  EXPECT_EQ(table->rowCount(), f.GrilleRef.rows());

  // Whole: the text's width in the grid's font within the column less the cell's
  // margins and grid line (3 pixels).
  auto whole = [](const platform::FlexGrid& g, int r, int c) {
    const QFontMetrics fm(g.widget()->font());
    const int room = static_cast<int>(std::lround(g.colWidth(c) / 15)) - 3;
    return fm.horizontalAdvance(QString::fromStdString(g.textMatrix(r, c))) <= room;
  };
  // A spore of common size: 13.27 x 5.77, Q 2.30, V 231.3.
  write(1327);
  write(577);
  for (int c = 0; c <= 5; ++c) EXPECT_TRUE(whole(f.GrilleRef, 2, c)) << f.GrilleRef.textMatrix(2, c);
  for (int c = 1; c <= 3; ++c) EXPECT_TRUE(whole(f.GrilleRef, 1, c)) << f.GrilleRef.textMatrix(1, c);
  // The titles of the statistics rows; "Sigma" is wider than its 350 twips in any
  // legible size and shows its beginning.
  for (int r : {1, 2, 3, 5, 6, 7}) EXPECT_TRUE(whole(f.GrilleRefP, r, 0)) << f.GrilleRefP.textMatrix(r, 0);
  for (int c = 0; c <= 4; ++c) EXPECT_TRUE(whole(f.GrilleRef, 0, c)) << f.GrilleRef.textMatrix(0, c);
}

TEST_F(RowWriters, ZeroCalibrationIsReportedAndWritten) {
  startFunction(1);
  Calibrage = 0;
  dialogs_->answerMsgBox(platform::vbOK);
  write(1000);
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(136)});
  EXPECT_EQ(row(1, 1), std::vector<std::string>{"0.00"});
  EXPECT_EQ(LigneCourante, 2);
}

// Sauve_Auto 10, function 1, 25 rows: the trame file is written exactly when rows 11
// and 21 are about to be filled, holding the 10 and 20 rows done.
TEST_F(RowWriters, AutomaticSaveBeforeRows11And21) {
  TempFolder dir;
  startFunction(1);
  listOneImage();
  Sauve_Auto = 10;
  Fic_Trame = dir.file("session.trm");
  std::vector<int> savedBefore;
  std::vector<std::vector<std::string>> files;
  for (int k = 1; k <= 25; ++k) {
    platform::removeFile(Fic_Trame);
    write(100 * k);
    if (platform::fileExists(Fic_Trame)) {
      savedBefore.push_back(k);
      std::vector<std::string> l;
      ASSERT_TRUE(platform::readLines(Fic_Trame, &l));
      files.push_back(l);
    }
  }
  EXPECT_EQ(savedBefore, (std::vector<int>{11, 21}));
  ASSERT_EQ(files.size(), 2u);
  for (std::size_t i = 0; i < files.size(); ++i) {
    SessionTrame s;
    ASSERT_TRUE(Analyse_Trame(files[i], &s));
    EXPECT_EQ(s.fonction, 1);
    const std::size_t rows = 10 * (i + 1);
    ASSERT_EQ(s.lignes.size(), rows);
    EXPECT_EQ(files[i][2], "NBLIGNES= " + std::to_string(rows));
    EXPECT_EQ(s.lignes.back().cellules.size(), 1u);
    EXPECT_EQ(Fic_Session, Fic_Trame);
  }
  EXPECT_EQ(LigneCourante, 26);
  EXPECT_EQ(row(25, 1), std::vector<std::string>{"25.00"});
}

TEST_F(RowWriters, AutomaticSaveWithoutSessionFileGoesToTheProgramFolder) {
  startFunction(1);
  listOneImage();
  Sauve_Auto = 2;
  Fic_Trame = "";
  const std::string path = platform::App::Path() + "/TrameSav.trm";
  platform::removeFile(path);
  write(100);
  write(100);
  EXPECT_FALSE(platform::fileExists(path));
  write(100);
  ASSERT_TRUE(platform::fileExists(path));
  std::vector<std::string> l;
  ASSERT_TRUE(platform::readLines(path, &l));
  EXPECT_EQ(l[2], "NBLIGNES= 2");
  platform::removeFile(path);
}

// A save that cannot be written is shown in the message panel, and stays there while
// measuring goes on and later saves fail too, other notices coming and going; the
// first save that succeeds again says so and the panel then goes.
TEST_F(RowWriters, FailedAutomaticSaveIsShownAndMeasuringGoesOn) {
  TempFolder dir;
  startFunction(1);
  listOneImage();
  QVL& f = Qvl();
  Sauve_Auto = 1;
  Fic_Trame = dir.file("no_such_folder/session.trm");
  write(100);
  f.lblLabelflashx.setCaption("");
  write(200);
  const std::string echec = "Sauvegarde automatique impossible : Impossible d'enregistrer le fichier " + Fic_Trame;
  EXPECT_EQ(f.lblLabelflashx.caption().rfind(echec, 0), 0u) << f.lblLabelflashx.caption();
  EXPECT_EQ(row(2, 1), std::vector<std::string>{"2.00"});
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_TRUE(f.FraFlash.visible());
  // Another notice in the panel, then more rows whose saves fail as well.
  f.Flash(65280, "autre avis", 1);
  EXPECT_TRUE(f.FraFlash.visible());
  EXPECT_EQ(f.lblLabelflashx.caption().rfind(echec, 0), 0u) << f.lblLabelflashx.caption();
  write(300);
  write(400);
  EXPECT_TRUE(f.FraFlash.visible());
  EXPECT_EQ(f.lblLabelflashx.caption().rfind(echec, 0), 0u) << f.lblLabelflashx.caption();
  // The folder exists now: the next save is written and says so, then the panel goes.
  ASSERT_TRUE(platform::makeFolder(dir.file("no_such_folder")));
  write(500);
  EXPECT_TRUE(platform::fileExists(Fic_Trame));
  EXPECT_EQ(f.lblLabelflashx.caption(), "Sauvegarde automatique rétablie : " + Fic_Trame);
  EXPECT_FALSE(f.FraFlash.visible());
  write(600);
  EXPECT_EQ(f.lblLabelflashx.caption(), "Sauvegarde automatique rétablie : " + Fic_Trame);
  EXPECT_TRUE(messages().empty());
}

// Taille_Grille 3: the fourth measurement saves the session to "TrameSav.trm" and
// writes nothing.
TEST_F(RowWriters, FullGridIsSavedAndNothingIsWritten) {
  Taille_Grille = 3;
  startFunction(1);
  listOneImage();
  const std::string path = platform::App::Path() + "/TrameSav.trm";
  platform::removeFile(path);
  // The statistics say once that the grid is full; then the writer.
  Qvl().Check(3).setValue(1);
  dialogs_->answerMsgBox(platform::vbOK);
  dialogs_->answerMsgBox(platform::vbOK);
  for (int k = 1; k <= 3; ++k) write(100 * k);
  EXPECT_EQ(LigneCourante, 4);
  write(400);
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(174), MSG(214)}));
  ASSERT_TRUE(platform::fileExists(path));
  std::vector<std::string> l;
  ASSERT_TRUE(platform::readLines(path, &l));
  EXPECT_EQ(l[2], "NBLIGNES= 3");
  EXPECT_EQ(l[3], "NBLGMAX =3");
  platform::removeFile(path);
}

// A click step outside the row is a failure of the writer: "alerte 95", nothing moves.
TEST_F(RowWriters, StepOutsideTheRowIsReported) {
  startFunction(1);
  EtapeClic = 9;
  dialogs_->answerMsgBox(platform::vbOK);
  write(100);
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(101) + "95"});
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(EtapeClic, 9);
}

// "Poly": the value of step 1 is the cumulated length times the length factor.
TEST_F(RowWriters, PolylineValueIsTheCumulatedLength) {
  startFunction(2);
  Mode_Pointage = true;
  Longueur_Cumulee = 1234.5;
  K_Zoom = 2;
  NbSegments_Calib = 1;
  Inscrit_Mesure_Rapports();
  // 1234.5 x 0.01 x 2 = 24.69.
  EXPECT_EQ(row(1, 1), std::vector<std::string>{"24.69"});
  EXPECT_DOUBLE_EQ(ValEtapes(1), 24.69);
}

}  // namespace
