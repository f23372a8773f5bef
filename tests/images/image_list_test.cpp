// The image list on the real main window: adding, selecting, loading, removing and
// emptying, with the rule that the selected entry, Index_Image, Img_Active and
// Calibrage always describe the picture shown.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QListWidget>
#include <QMouseEvent>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/text_tables.h"
#include "forms/main_window.h"
#include "image_window_fixture.h"
#include "images/image_files.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/events.h"
#include "platform/textfile.h"
#include "measure/trame_file.h"
#include "base/globals.h"
#include "support/user_input.h"

namespace {

using image_tests::ImageWindow;

class ImageList : public ImageWindow {
 protected:
  // Adds n pictures named img1.bmp ... of widths 100 + 10 x i, the calibration of
  // image i being i x 1.1; returns their paths.
  std::vector<std::string> addPictures(int n) {
    std::vector<std::string> paths;
    for (int i = 1; i <= n; ++i) {
      Calibrage = i * 1.1;
      paths.push_back(bmp("img" + std::to_string(i) + ".bmp", 100 + 10 * i, 50 + i));
      EXPECT_EQ(Ajoute_Image_Liste(paths.back()), i);
    }
    Calibrage = 1.0;
    return paths;
  }
  // Makes list entry k current as a click in the displayed list does.
  void clickEntry(int k) { Qvl().ListImgAff.setListIndex(k); }
  // The invariant tying the list to the picture.
  void expectCurrent(int numero, const std::string& path) {
    QVL& f = Qvl();
    EXPECT_EQ(Index_Image, numero);
    EXPECT_EQ(Img_Active, path);
    EXPECT_DOUBLE_EQ(Calibrage, Calib_Images(numero));
    EXPECT_EQ(f.ListIMGchar.listIndex(), numero - 1);
    EXPECT_EQ(f.ListImgAff.listIndex(), numero - 1);
  }
  // Sizes the measurement grid for rows 1 to 4 with an image column (Cols - 2 = 3).
  void gridWithRows(const std::vector<int>& images) {
    QVL& f = Qvl();
    rows_ = f.GrilleRef.rows();
    cols_ = f.GrilleRef.cols();
    f.GrilleRef.setRows(static_cast<int>(images.size()) + 2);
    f.GrilleRef.setCols(5);
    for (size_t i = 0; i < images.size(); ++i) {
      const int r = static_cast<int>(i) + 1;
      TabMesures(r).NumImage = images[i];
      f.GrilleRef.setTextMatrix(r, 3, std::to_string(images[i]));
    }
    LigneCourante = static_cast<int>(images.size()) + 1;
  }
  void TearDown() override {
    if (rows_ >= 0) {
      QVL& f = Qvl();
      for (int r = 1; r < f.GrilleRef.rows(); ++r)
        for (int c = 1; c < f.GrilleRef.cols(); ++c) f.GrilleRef.setTextMatrix(r, c, "");
      f.GrilleRef.setCols(cols_);
      f.GrilleRef.setRows(rows_);
    }
    ImageWindow::TearDown();
  }
  int rows_ = -1, cols_ = -1;
};

TEST_F(ImageList, AddingRecordsTheCalibrationAndLeavesTheCurrentImage) {
  QVL& f = Qvl();
  const auto paths = addPictures(3);
  // Adding does not show: the background is still the current picture.
  EXPECT_EQ(Index_Image, 0);
  EXPECT_EQ(Img_Active, "");
  EXPECT_EQ(f.ListIMGchar.listIndex(), -1);
  EXPECT_EQ(f.ListImgAff.listIndex(), -1);
  EXPECT_DOUBLE_EQ(Calib_Images(1), 1.1);
  EXPECT_DOUBLE_EQ(Calib_Images(3), 3.3000000000000003);   // 3 x 1.1 in doubles
  ASSERT_EQ(f.ListImgAff.listCount(), 3);
  EXPECT_EQ(f.ListImgAff.list(0), "img1.bmp");
  EXPECT_EQ(f.ListImgAff.list(2), "img3.bmp");
  EXPECT_EQ(f.ListIMGchar.list(1), paths[1]);
}

TEST_F(ImageList, APathIsListedOnceComparedWholeAndWithCase) {
  QVL& f = Qvl();
  EXPECT_EQ(Ajoute_Image_Liste("/a/spore.bmp"), 1);
  EXPECT_EQ(Ajoute_Image_Liste("/a/spore.bmp"), 0);
  EXPECT_EQ(Ajoute_Image_Liste("/b/spore.bmp"), 2);   // same name, other folder
  EXPECT_EQ(Ajoute_Image_Liste("/a/Spore.bmp"), 3);   // differs by case only
  EXPECT_EQ(Ajoute_Image_Liste(""), 0);
  EXPECT_EQ(f.ListIMGchar.listCount(), 3);
  EXPECT_EQ(Position_Image("/b/spore.bmp"), 1);
  EXPECT_EQ(Position_Image("/B/spore.bmp"), -1);
}

TEST_F(ImageList, TheFiftyFirstImageIsNotAdded) {
  QVL& f = Qvl();
  for (int i = 1; i <= kMaxImages; ++i) ASSERT_EQ(Ajoute_Image_Liste("/x/" + std::to_string(i) + ".bmp"), i);
  EXPECT_EQ(Ajoute_Image_Liste("/x/51.bmp"), -1);
  EXPECT_EQ(f.ListIMGchar.listCount(), 50);
  EXPECT_EQ(f.ListImgAff.listCount(), 50);
  EXPECT_EQ(Position_Image("/x/51.bmp"), -1);
}

TEST_F(ImageList, SelectingAnEntryShowsItWithItsOwnCalibration) {
  QVL& f = Qvl();
  const auto paths = addPictures(3);
  Calib_Images(2) = 1.23456;
  clickEntry(1);
  expectCurrent(2, paths[1]);
  EXPECT_DOUBLE_EQ(Calibrage, 1.23456);
  EXPECT_EQ(f.label(5).caption(), "Cal. = 1.2346");   // four decimals, half away from zero
  EXPECT_EQ(f.picbase.picture().widthPixels(), 120);
  EXPECT_EQ(f.lblWidth.caption(), "120");
  EXPECT_EQ(f.lblHeight.caption(), "52");
  EXPECT_EQ(f.labNomFic.caption(), paths[1]);
  EXPECT_EQ(f.listImgTxt.text(), paths[1]);
  EXPECT_EQ(f.listImgTxt.selStart(), platform::Len(paths[1]));
  // Another entry: its own calibration comes back.
  clickEntry(2);
  expectCurrent(3, paths[2]);
  EXPECT_EQ(f.label(5).caption(), "Cal. = 3.3000");
  EXPECT_TRUE(dialogs_->log().empty());
}

// Real clicks of the mouse on the entries of the displayed list: the click handler
// already reads the entry clicked, and loads that picture with its own number and
// calibration; a segment being drawn is abandoned.
TEST_F(ImageList, AMouseClickOnAnEntryShowsThatImage) {
  QVL& f = Qvl();
  const auto paths = addPictures(2);
  f.FraListeImg.setVisible(true);
  aff_liste_images();
  platform::DoEvents();
  struct Seen {
    int index = -2, image = -2, width = -2;
    double calibration = 0;
  } seen;
  const std::function<void()> handler = f.ListImgAff.onClick;
  ASSERT_TRUE(handler);
  f.ListImgAff.onClick = [&] {
    seen.index = f.ListImgAff.listIndex();
    handler();
    seen.image = Index_Image;
    seen.calibration = Calibrage;
    seen.width = f.picbase.picture().widthPixels();
  };
  auto* list = static_cast<QListWidget*>(f.ListImgAff.widget());
  auto click = [&](int k) {
    const QPoint p = list->visualItemRect(list->item(k)).center();
    const QPointF global = list->viewport()->mapToGlobal(QPointF(p));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &release);
  };
  for (int k : {1, 0, 1}) {
    SCOPED_TRACE(k);
    seen = Seen{};
    Etat_Pt1 = Etat_Pt2 = true;   // a segment being drawn on the other picture
    click(k);
    EXPECT_EQ(seen.index, k);
    EXPECT_EQ(seen.image, k + 1);
    EXPECT_DOUBLE_EQ(seen.calibration, (k + 1) * 1.1);
    EXPECT_EQ(seen.width, 110 + 10 * k);
    expectCurrent(k + 1, paths[static_cast<size_t>(k)]);
    EXPECT_EQ(f.picbase.picture().widthPixels(), 110 + 10 * k);
    EXPECT_FALSE(Etat_Pt1 || Etat_Pt2);
  }
  f.ListImgAff.onClick = handler;
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(ImageList, ClickDuringAMeasurementIsRefusedWithTheGreenPanel) {
  QVL& f = Qvl();
  const auto paths = addPictures(2);
  clickEntry(0);
  EtapeClic = 2;
  clickEntry(1);
  expectCurrent(1, paths[0]);
  EXPECT_EQ(f.lblLabelflashx.caption(), " mesure inachevée");
  EXPECT_EQ(f.FraFlash.backColor(), 65280u);
  EXPECT_FALSE(f.FraFlash.visible());   // the panel's time is over
  f.ListIMGchar.setListIndex(1);
  ListIMGchar_DblClick();
  expectCurrent(1, paths[0]);
}

TEST_F(ImageList, AMissingFileChangesNothing) {
  QVL& f = Qvl();
  const auto paths = addPictures(2);
  clickEntry(0);
  std::filesystem::remove(paths[1]);
  dialogs_->answerMsgBox(platform::vbOK);
  clickEntry(1);
  expectCurrent(1, paths[0]);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 110);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], paths[1] + "  introuvable");   // the path, a blank, MSG(177)
}

TEST_F(ImageList, AnUnreadableFileChangesNothingAndSaysSo) {
  QVL& f = Qvl();
  const auto paths = addPictures(1);
  const std::string bad = rawFile("bad.bmp", "BM this is no picture");
  Ajoute_Image_Liste(bad);
  clickEntry(0);
  const double cal = Calibrage;
  dialogs_->answerMsgBox(platform::vbOK);
  clickEntry(1);
  expectCurrent(1, paths[0]);
  EXPECT_DOUBLE_EQ(Calibrage, cal);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 110);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "Problème de chargement du fichier image \r\n" + bad);
  EXPECT_EQ(dialogs_->titles.back(), "Err number 481");
}

TEST_F(ImageList, ALoadedPathOutsideTheListIsNoEntry) {
  addPictures(1);
  clickEntry(0);
  const std::string other = bmp("other.bmp", 64, 48);
  Calibrage = 0.75;
  ASSERT_TRUE(appel_img_listchar(other));
  EXPECT_EQ(Index_Image, 0);
  EXPECT_EQ(Img_Active, other);
  EXPECT_DOUBLE_EQ(Calib_Images(0), 0.75);
  EXPECT_EQ(Qvl().ListImgAff.listIndex(), -1);
  EXPECT_EQ(Qvl().ListIMGchar.listIndex(), -1);
}

TEST_F(ImageList, RemovingAnImageKeepsEveryOtherCalibrationWithItsImage) {
  QVL& f = Qvl();
  const auto paths = addPictures(4);
  clickEntry(3);
  ASSERT_TRUE(Retire_Image(1));
  ASSERT_EQ(f.ListIMGchar.listCount(), 3);
  EXPECT_EQ(f.ListIMGchar.list(1), paths[2]);
  EXPECT_EQ(f.ListImgAff.list(1), "img3.bmp");
  EXPECT_DOUBLE_EQ(Calib_Images(1), 1.1);
  EXPECT_DOUBLE_EQ(Calib_Images(2), 3.3000000000000003);
  EXPECT_DOUBLE_EQ(Calib_Images(3), 4.4);
  // The image shown (was 4) is now number 3, still selected, same calibration.
  expectCurrent(3, paths[3]);
  EXPECT_DOUBLE_EQ(Calibrage, 4.4);
}

TEST_F(ImageList, RemovingRenumbersTheRowsOfTheImagesAfterIt) {
  QVL& f = Qvl();
  addPictures(4);
  gridWithRows({1, 3, 4});
  ASSERT_TRUE(Retire_Image(1));
  EXPECT_EQ(TabMesures(1).NumImage, 1);
  EXPECT_EQ(TabMesures(2).NumImage, 2);
  EXPECT_EQ(TabMesures(3).NumImage, 3);
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 3), "1");
  EXPECT_EQ(f.GrilleRef.textMatrix(2, 3), "2");
  EXPECT_EQ(f.GrilleRef.textMatrix(3, 3), "3");
}

TEST_F(ImageList, AnImageWithMeasurementRowsIsNotRemoved) {
  QVL& f = Qvl();
  const auto paths = addPictures(3);
  gridWithRows({1, 2, 3});
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_FALSE(Retire_Image(1));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "Des mesures de la grille portent sur l'image img2.bmp : elle reste dans la liste.");
  EXPECT_EQ(f.ListIMGchar.listCount(), 3);
  EXPECT_EQ(f.ListIMGchar.list(1), paths[1]);
  EXPECT_EQ(TabMesures(3).NumImage, 3);
  EXPECT_DOUBLE_EQ(Calib_Images(2), 2.2);
  EXPECT_FALSE(Retire_Image(3));   // out of range: no message
  EXPECT_FALSE(Retire_Image(-1));
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(ImageList, RightButtonRemovesTheCurrentImageAfterYes) {
  QVL& f = Qvl();
  const auto paths = addPictures(3);
  clickEntry(1);
  Img_A_Calibrer = 5;
  dialogs_->answerMsgBox(platform::vbNo);
  ListImgAff_MouseDown(platform::kRightButton, 0, 10, 10);
  ListImgAff_MouseUp(platform::kRightButton, 0, 10, 10);
  EXPECT_EQ(Img_A_Calibrer, 99);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], " oter l'image en cours :  " + paths[1] + " de la liste ?  ");
  EXPECT_EQ(f.ListIMGchar.listCount(), 3);
  expectCurrent(2, paths[1]);

  dialogs_->answerMsgBox(platform::vbYes);
  ListImgAff_MouseDown(platform::kRightButton, 0, 10, 10);
  // The selection a right press makes under the mouse is no choice of image.
  f.ListImgAff.setListIndex(0);
  ListImgAff_MouseUp(platform::kRightButton, 0, 10, 10);
  ASSERT_EQ(f.ListIMGchar.listCount(), 2);
  EXPECT_EQ(f.ListIMGchar.list(1), paths[2]);
  // The removed picture stays on screen as a picture outside the list.
  EXPECT_EQ(Index_Image, 0);
  EXPECT_EQ(Img_Active, paths[1]);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 120);
  EXPECT_EQ(f.ListImgAff.listIndex(), -1);
  EXPECT_EQ(f.ListIMGchar.listIndex(), -1);
  EXPECT_DOUBLE_EQ(Calibrage, Calib_Images(0));
  EXPECT_DOUBLE_EQ(Calib_Images(2), 3.3000000000000003);
}

TEST_F(ImageList, ALostRightButtonReleaseDoesNotBlockTheNextChoice) {
  const auto paths = addPictures(3);
  clickEntry(0);
  dialogs_->answerMsgBox(platform::vbNo);
  ListImgAff_MouseDown(platform::kRightButton, 0, 10, 10);   // its release went to the question
  ListImgAff_MouseDown(platform::kLeftButton, 0, 10, 30);
  clickEntry(2);
  expectCurrent(3, paths[2]);
  // A right press whose selection comes after it: that one selection is ignored.
  dialogs_->answerMsgBox(platform::vbNo);
  ListImgAff_MouseDown(platform::kRightButton, 0, 10, 10);
  clickEntry(1);
  expectCurrent(3, paths[2]);
  clickEntry(1);
  expectCurrent(2, paths[1]);
}

TEST_F(ImageList, RemovingTheOnlyImageShowsTheBackground) {
  QVL& f = Qvl();
  const auto paths = addPictures(1);
  clickEntry(0);
  ASSERT_EQ(f.picbase.picture().widthPixels(), 110);
  dialogs_->answerMsgBox(platform::vbYes);
  ListImgAff_MouseDown(platform::kRightButton, 0, 10, 10);
  ListImgAff_MouseUp(platform::kRightButton, 0, 10, 10);
  EXPECT_EQ(f.ListIMGchar.listCount(), 0);
  EXPECT_EQ(f.ListImgAff.listCount(), 0);
  EXPECT_EQ(Index_Image, 0);
  EXPECT_EQ(Img_Active, "");
  EXPECT_EQ(f.listImgTxt.text(), "");
  EXPECT_EQ(f.picbase.picture().widthPixels(), Image_Fond_Integree().widthPixels());
  EXPECT_EQ(f.picbase.picture().pixel(600, 450), Image_Fond_Integree().pixel(600, 450));
}

TEST_F(ImageList, LeftButtonAsksNothing) {
  addPictures(1);
  clickEntry(0);
  ListImgAff_MouseDown(platform::kLeftButton, 0, 10, 10);
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_EQ(Qvl().ListIMGchar.listCount(), 1);
}

TEST_F(ImageList, EmptyingAsksFirstAndThenShowsTheBackground) {
  QVL& f = Qvl();
  addPictures(2);
  clickEntry(1);
  dialogs_->answerMsgBox(platform::vbNo);
  Vide_Listes_Images();
  EXPECT_EQ(f.ListIMGchar.listCount(), 2);
  EXPECT_EQ(Index_Image, 2);
  dialogs_->answerMsgBox(platform::vbYes);
  Vide_Listes_Images();
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[1], " effacer  la liste d'images  ? ");
  EXPECT_EQ(f.ListIMGchar.listCount(), 0);
  EXPECT_EQ(f.ListImgAff.listCount(), 0);
  EXPECT_EQ(Index_Image, 0);
  EXPECT_EQ(Img_Active, "");
  EXPECT_EQ(f.picbase.picture().widthPixels(), Image_Fond_Integree().widthPixels());
}

// What emptying the list may change: the list, the grid's rows and the table's rows.
struct Session {
  std::vector<std::string> images, grid;
  std::vector<std::string> table;   // NumImage and the first cell of rows 1 to 4
  int ligne = 0;
  bool operator==(const Session&) const = default;
};

Session sessionNow() {
  QVL& f = Qvl();
  Session s;
  for (int i = 0; i < f.ListIMGchar.listCount(); ++i) s.images.push_back(f.ListIMGchar.list(i));
  for (int r = 1; r < f.GrilleRef.rows() && r <= 4; ++r) {
    std::string l;
    for (int c = 0; c < f.GrilleRef.cols(); ++c) l += f.GrilleRef.textMatrix(r, c) + "|";
    s.grid.push_back(l);
  }
  for (int r = 1; r <= 4; ++r) {
    const Mesure& m = TabMesures(r);
    s.table.push_back(std::to_string(m.NumImage) + ";" + std::to_string(m.Seg(1).X2));
  }
  s.ligne = LigneCourante;
  return s;
}

// "Effacer liste images" while the grid holds rows on both images: after Yes to the
// list, the grid question; No keeps list, grid and table as they were; Yes clears them
// together, so that a trame written later names the image of every row it holds.
TEST_F(ImageList, EmptyingTheListWithRowsClearsTheGridOrNothing) {
  QVL& f = Qvl();
  addPictures(2);
  clickEntry(1);
  gridWithRows({1, 2});
  for (int r = 1; r <= 2; ++r) {
    f.GrilleRef.setTextMatrix(r, 0, std::to_string(r));
    f.GrilleRef.setTextMatrix(r, 1, std::to_string(10 * r) + ".00");
    TabMesures(r).Seg(1) = {0, 0, 1000.0 * r, 0};
  }
  const Session avant = sessionNow();
  const std::string questionGrille = MSG(185) + SautLigne + MSG(190) + " " + MSG(188) + " ? ";
  ASSERT_EQ(questionGrille, " La table actuelle contient des données\r\n effacer  la grille  ? ");

  dialogs_->answerMsgBox(platform::vbYes);
  dialogs_->answerMsgBox(platform::vbNo);
  ASSERT_TRUE(user::choose(f.MnuCharg(3)));
  EXPECT_EQ(messages(), (std::vector<std::string>{" effacer  la liste d'images  ? ", questionGrille}));
  EXPECT_EQ(sessionNow(), avant);
  EXPECT_EQ(Index_Image, 2);

  dialogs_->clear();
  dialogs_->answerMsgBox(platform::vbYes);
  dialogs_->answerMsgBox(platform::vbYes);
  ASSERT_TRUE(user::choose(f.MnuCharg(3)));
  EXPECT_EQ(messages(), (std::vector<std::string>{" effacer  la liste d'images  ? ", questionGrille}));
  const Session apres = sessionNow();
  EXPECT_TRUE(apres.images.empty());
  EXPECT_EQ(apres.ligne, 1);
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 1), "");
  EXPECT_EQ(apres.table, (std::vector<std::string>(4, "0;0.000000")));

  // A picture added now and the session saved: every row of the trame has its image.
  EXPECT_EQ(Ajoute_Image_Liste(bmp("nouvelle.bmp", 90, 40)), 1);
  const std::string trame = bmp("dummy.bmp", 1, 1) + ".trm";
  std::string erreur;
  ASSERT_TRUE(Ecrit_Trame(trame, &erreur)) << erreur;
  std::vector<std::string> lignes;
  ASSERT_TRUE(platform::readLines(trame, &lignes));
  SessionTrame lue;
  ASSERT_TRUE(Analyse_Trame(lignes, &lue));
  ASSERT_EQ(lue.images.size(), 1u);
  for (const LigneTrame& l : lue.lignes) {
    EXPECT_GE(l.numImage, 1);
    EXPECT_LE(l.numImage, 1);
  }
  EXPECT_TRUE(lue.lignes.empty());
}

TEST_F(ImageList, TheLoaderMenuEmptiesTheList) {
  addPictures(1);
  dialogs_->answerMsgBox(platform::vbYes);
  user::click(Qvl().MnuCharg(3));
  EXPECT_EQ(Qvl().ListIMGchar.listCount(), 0);
}

TEST_F(ImageList, UnusedImagesAreListedAndRemovedWithTheirRowsRenumbered) {
  QVL& f = Qvl();
  const auto paths = addPictures(6);
  // Rows on images 1, 2, 4 and 5: images 3 and 6 (positions 2 and 5) are unused.
  gridWithRows({1, 4, 2, 5});
  AffListeImgUT();
  EXPECT_EQ(Img_Inutilisees(0), 2);
  EXPECT_EQ(Img_Inutilisees(1), 5);
  EXPECT_EQ(Img_Inutilisees(2), -1);
  ASSERT_EQ(f.ListRep.listCount(), 2);
  EXPECT_EQ(f.ListRep.list(0), "img3.bmp");
  EXPECT_EQ(f.ListRep.list(1), "img6.bmp");

  Img_A_Supprimer.fill(-1);
  Img_A_Supprimer(0) = 2;
  Img_A_Supprimer(1) = 5;
  RepEffaceLigne();
  ASSERT_EQ(f.ListIMGchar.listCount(), 4);
  EXPECT_EQ(f.ListIMGchar.list(0), paths[0]);
  EXPECT_EQ(f.ListIMGchar.list(1), paths[1]);
  EXPECT_EQ(f.ListIMGchar.list(2), paths[3]);
  EXPECT_EQ(f.ListIMGchar.list(3), paths[4]);
  EXPECT_EQ(TabMesures(1).NumImage, 1);
  EXPECT_EQ(TabMesures(2).NumImage, 3);   // was image 4
  EXPECT_EQ(TabMesures(3).NumImage, 2);
  EXPECT_EQ(TabMesures(4).NumImage, 4);   // was image 5
  EXPECT_EQ(f.GrilleRef.textMatrix(2, 3), "3");
  EXPECT_EQ(f.GrilleRef.textMatrix(4, 3), "4");
  EXPECT_DOUBLE_EQ(Calib_Images(3), 4.4);
  EXPECT_DOUBLE_EQ(Calib_Images(4), 5.5);
  EXPECT_EQ(Img_A_Supprimer(0), -1);
  EXPECT_EQ(Img_Inutilisees(0), -1);   // every image left has rows
  EXPECT_EQ(f.ListRep.listCount(), 0);
}

TEST_F(ImageList, GroupModeShowsTheGroupAndSelectsThroughItsIndices) {
  QVL& f = Qvl();
  const auto paths = addPictures(4);
  f.ListImgMC.addItem(paths[3]);
  f.ListImgIdx.addItem("3");
  f.ListImgMC.addItem(paths[1]);
  f.ListImgIdx.addItem("1");
  Img_Marque(3) = -1;
  Img_Marque(1) = -1;
  user::setValue(f.chkMC(0), 1);
  aff_liste_images();
  ASSERT_EQ(f.ListImgAff.listCount(), 2);
  EXPECT_EQ(f.ListImgAff.list(0), "img4.bmp");
  EXPECT_EQ(f.ListImgAff.list(1), "img2.bmp");
  clickEntry(1);
  EXPECT_EQ(Index_Image, 2);
  EXPECT_EQ(Img_Active, paths[1]);
  EXPECT_EQ(f.ListIMGchar.listIndex(), 1);
  EXPECT_EQ(f.ListImgAff.listIndex(), 1);
  // Removing image 1 moves the group's positions and marks up one place.
  ASSERT_TRUE(Retire_Image(0));
  EXPECT_EQ(f.ListImgIdx.list(0), "2");
  EXPECT_EQ(f.ListImgIdx.list(1), "0");
  EXPECT_EQ(Img_Marque(0), -1);
  EXPECT_EQ(Img_Marque(1), 0);
  EXPECT_EQ(Img_Marque(2), -1);
  EXPECT_EQ(Index_Image, 1);
  EXPECT_EQ(f.ListImgAff.listIndex(), 1);
  // Removing an image of the group drops it from the group.
  ASSERT_TRUE(Retire_Image(2));
  ASSERT_EQ(f.ListImgMC.listCount(), 1);
  EXPECT_EQ(f.ListImgMC.list(0), paths[1]);
  EXPECT_EQ(f.ListImgIdx.list(0), "0");
  user::setValue(f.chkMC(0), 0);
  aff_liste_images();
  EXPECT_EQ(f.ListImgAff.listCount(), 2);
}

TEST_F(ImageList, AHeldKeyShowsTheFullPath) {
  QVL& f = Qvl();
  const auto paths = addPictures(2);
  clickEntry(1);
  int key = 65;
  ListIMGchar_KeyDown(key, 0);
  EXPECT_TRUE(f.lblFichier.visible());
  EXPECT_EQ(f.lblFichier.caption(), paths[1]);
  ListIMGchar_KeyUp(key, 0);
  EXPECT_FALSE(f.lblFichier.visible());
  key = 27;
  ListIMGchar_KeyDown(key, 0);
  EXPECT_FALSE(f.lblFichier.visible());
}

}  // namespace
