// Image files on the real main window: the open dialog, the clipboard picture
// "ImgTempo.bmp" and the background picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "image_window_fixture.h"
#include "images/image_files.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/picture_view.h"
#include "measure/grid_statistics.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/textfile.h"
#include "measure/measure_state.h"
#include "support/user_input.h"

namespace {

using image_tests::ImageWindow;

class ImageFiles : public ImageWindow {
 protected:
  void TearDown() override {
    platform::Clipboard::clear();
    QVL& f = Qvl();
    f.Picture1.setFontSize(picture1Font_);
    f.Picture2.setFontSize(picture2Font_);
    if (!savedPath_.empty()) platform::App::setPath(savedPath_);
    if (!savedRepProg_.empty()) Rep_Prog = savedRepProg_;
    ImageWindow::TearDown();
  }
  // Points the program folder (App::Path and Rep_Prog) at a fresh folder of the test.
  std::string ownProgramFolder() {
    savedPath_ = platform::App::Path();
    savedRepProg_ = Rep_Prog;
    const std::filesystem::path p = folder_ / "prog";
    std::filesystem::create_directories(p);
    platform::App::setPath(p.string());
    Rep_Prog = p.string();
    return p.string();
  }
  // The current image, list and calibration, to show that something changed nothing.
  struct State {
    int index;
    std::string active;
    double calibrage;
    int count;
    int width;
  };
  State state() const {
    QVL& f = Qvl();
    return {Index_Image, Img_Active, Calibrage, f.ListIMGchar.listCount(), f.picbase.picture().widthPixels()};
  }
  void expectUnchanged(const State& s) const {
    const State now = state();
    EXPECT_EQ(now.index, s.index);
    EXPECT_EQ(now.active, s.active);
    EXPECT_DOUBLE_EQ(now.calibrage, s.calibrage);
    EXPECT_EQ(now.count, s.count);
    EXPECT_EQ(now.width, s.width);
  }
  // One picture listed and shown, with calibration 0.5.
  std::string oneShown() {
    Calibrage = 0.5;
    const std::string p = bmp("shown.bmp", 200, 100);
    Ajoute_Image_Liste(p);
    EXPECT_TRUE(appel_img_listchar(p));
    return p;
  }

  double picture1Font_ = Qvl().Picture1.fontSize();
  double picture2Font_ = Qvl().Picture2.fontSize();
  std::string savedPath_, savedRepProg_;
};

// --- opening a file ------------------------------------------------------------------

TEST_F(ImageFiles, OpeningAFileAddsItAndShowsItFitted) {
  QVL& f = Qvl();
  const std::string p = bmp("spore.bmp", 1200, 900);
  Rep_Images = "/nowhere";
  Calibrage = 0.0625;
  Indep_Resol = false;
  Aff_Consignes = false;
  dialogs_->answerOpen({p});
  Ouvre_Image();
  ASSERT_EQ(kinds(), std::vector<std::string>{"openFile"});   // empty list: no question
  const platform::FileRequest& r = dialogs_->log()[0].request;
  EXPECT_EQ(r.filter, "Fic.images(*.bmp;*.jpg;*.gif°)|*.bmp;*.jpg;*.gif|Tous les fichiers (*.*)|*.*");
  EXPECT_EQ(r.initialFolder, "/nowhere");
  ASSERT_EQ(f.ListIMGchar.listCount(), 1);
  EXPECT_EQ(f.ListIMGchar.list(0), p);
  EXPECT_EQ(Index_Image, 1);
  EXPECT_EQ(Img_Active, p);
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.0625);
  EXPECT_DOUBLE_EQ(Calibrage, 0.0625);
  EXPECT_EQ(f.ListImgAff.listIndex(), 0);
  EXPECT_EQ(f.ListIMGchar.listIndex(), 0);
  EXPECT_EQ(Rep_Images, folder_.string());
  EXPECT_EQ(f.lblWidth.caption(), "1200");
  EXPECT_EQ(f.lblHeight.caption(), "900");
  EXPECT_EQ(f.labNomFic.caption(), p);
  EXPECT_EQ(Expo_Zoom, -2 * Pas_Zoom);   // the fitted view
  EXPECT_EQ(f.picbase.picture().widthPixels(), 1200);
  EXPECT_DOUBLE_EQ(Facteur_Resol, 1.2);   // "Ind. Dim.": 1200 pixels x 0.001
  EXPECT_FALSE(f.MnuEDit(2).enabled());
  EXPECT_FALSE(Img_Temp);
  EXPECT_EQ(Largeur_Img_Prec, 1200);
  EXPECT_TRUE(Aff_Consignes);
  f.MnuEDit(2).setEnabled(true);
}

// Pictures kept in the program folder give its one-time warning, at the first open
// from there only; every new picture resets the colours the statistics gave the grid.
TEST_F(ImageFiles, OpeningFromTheProgramFolderWarnsOnceAndTheGridColoursAreReset) {
  QVL& f = Qvl();
  const bool alerte = Alerte_W7, vista = Vista_Ou_Plus;
  Alerte_W7 = true;
  Vista_Ou_Plus = true;
  const std::string prog = ownProgramFolder();
  const std::string a = bmp("prog/a.bmp", 60, 40);
  const std::string b = bmp("prog/b.bmp", 70, 40);
  const std::string c = bmp("c.bmp", 80, 40);
  ASSERT_GE(f.GrilleRef.rows(), 3);
  ASSERT_GE(f.GrilleRef.cols(), 3);
  f.GrilleRef.setCellBackColor(1, 1, kJauneMaximum);
  f.GrilleRef.setCellBackColor(2, 2, kVertMinimum);
  dialogs_->answerOpen({c});
  Ouvre_Image();
  EXPECT_TRUE(messages().empty());   // another folder: no warning
  EXPECT_EQ(f.GrilleRef.cellBackColor(1, 1), kVertGrille);
  EXPECT_EQ(f.GrilleRef.cellBackColor(2, 2), kVertGrille);
  dialogs_->answerOpen({a});
  dialogs_->answerMsgBox(platform::vbNo);   // keep the list
  dialogs_->answerMsgBox(platform::vbOK);
  Ouvre_Image();
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[1], MSG(12));
  EXPECT_TRUE(Meme_Dossier(Rep_Images, prog));
  EXPECT_FALSE(Alerte_W7);
  dialogs_->answerOpen({b});
  dialogs_->answerMsgBox(platform::vbNo);
  Ouvre_Image();
  EXPECT_EQ(messages().size(), 3u);   // only the list question
  EXPECT_EQ(f.ListIMGchar.listCount(), 3);
  Alerte_W7 = alerte;
  Vista_Ou_Plus = vista;
}

TEST_F(ImageFiles, CancellingTheDialogChangesNothing) {
  const std::string shown = oneShown();
  const State before = state();
  for (bool consignes : {true, false}) {
    dialogs_->clear();
    Aff_Consignes = consignes;
    dialogs_->answerFileCancel(false);
    Ouvre_Image();
    EXPECT_EQ(kinds(), std::vector<std::string>{"openFile"});   // no question, no message
    expectUnchanged(before);
    EXPECT_EQ(Qvl().ListImgAff.listIndex(), 0);
    EXPECT_EQ(Aff_Consignes, consignes);
  }
}

TEST_F(ImageFiles, TheClearQuestionComesAfterTheFileIsChosen) {
  QVL& f = Qvl();
  const std::string shown = oneShown();
  const std::string p = bmp("second.bmp", 300, 200);
  Calibrage = 0.25;
  dialogs_->answerOpen({p});
  dialogs_->answerMsgBox(platform::vbNo);
  Ouvre_Image();
  ASSERT_EQ(kinds(), (std::vector<std::string>{"openFile", "msgBox"}));
  EXPECT_EQ(messages()[0], " effacer  la liste d'images  ? ");
  // No: the new image comes after the others.
  ASSERT_EQ(f.ListIMGchar.listCount(), 2);
  EXPECT_EQ(f.ListIMGchar.list(1), p);
  EXPECT_EQ(Index_Image, 2);
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.5);
  EXPECT_DOUBLE_EQ(Calib_Images(2), 0.25);
  EXPECT_EQ(f.ListImgAff.listIndex(), 1);

  // Yes: the list holds the new image only.
  const std::string third = bmp("third.bmp", 320, 200);
  dialogs_->answerOpen({third});
  dialogs_->answerMsgBox(platform::vbYes);
  Ouvre_Image();
  ASSERT_EQ(f.ListIMGchar.listCount(), 1);
  EXPECT_EQ(f.ListIMGchar.list(0), third);
  EXPECT_EQ(f.ListImgAff.listCount(), 1);
  EXPECT_EQ(Index_Image, 1);
  EXPECT_EQ(Img_Active, third);
}

TEST_F(ImageFiles, OpeningAListedFileSelectsItsEntry) {
  QVL& f = Qvl();
  const std::string first = oneShown();
  const std::string second = bmp("second.bmp", 300, 200);
  Calibrage = 0.25;
  Ajoute_Image_Liste(second);
  ASSERT_TRUE(appel_img_listchar(second));
  dialogs_->answerOpen({first});
  dialogs_->answerMsgBox(platform::vbNo);   // keep the list
  dialogs_->answerMsgBox(platform::vbOK);   // "cette image a été traitée"
  Ouvre_Image();
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[1], "cette image a été traitée");
  EXPECT_EQ(f.ListIMGchar.listCount(), 2);
  EXPECT_EQ(Index_Image, 1);
  EXPECT_EQ(Img_Active, first);
  EXPECT_DOUBLE_EQ(Calibrage, 0.5);
  EXPECT_EQ(f.ListImgAff.listIndex(), 0);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 200);
}

TEST_F(ImageFiles, AFileThatCannotBeLoadedChangesNothing) {
  const std::string shown = oneShown();
  const State before = state();
  // Not a picture, a Windows metafile (placeable header) and a missing file.
  const std::string garbage = rawFile("garbage.jpg", "not a picture at all");
  const std::string wmf = rawFile("drawing.wmf", std::string("\xD7\xCD\xC6\x9A\0\0\0\0\0\0\0\0\0\0", 14));
  const std::string missing = (folder_ / "missing.bmp").string();
  // A JPEG cut at half its length, and a small one whose header declares 20000 x 20000.
  const std::string whole = (folder_ / "whole.jpg").string();
  ASSERT_TRUE(platform::Picture::filled(64, 48, 0x336699).saveJpeg(whole));
  std::string jpeg;
  ASSERT_TRUE(platform::readBytes(whole, &jpeg));
  const std::string cut = rawFile("cut.jpg", jpeg.substr(0, jpeg.size() / 2));
  const std::size_t sof = jpeg.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  jpeg.replace(sof + 5, 4, "\x4E\x20\x4E\x20");
  const std::string huge = rawFile("huge.jpg", jpeg);
  const std::pair<std::string, std::string> cases[] = {
      {garbage, "Err number 481"}, {wmf, "Err number 481"}, {missing, "Err number 53"},
      {cut, "Err number 481"},     {huge, "Err number 481"}};
  for (const auto& [path, title] : cases) {
    dialogs_->clear();
    dialogs_->titles.clear();
    dialogs_->answerOpen({path});
    dialogs_->answerMsgBox(platform::vbNo);   // keep the list
    dialogs_->answerMsgBox(platform::vbOK);
    Ouvre_Image();
    ASSERT_EQ(messages().size(), 2u) << path;
    EXPECT_EQ(messages()[1], "Problème de chargement du fichier image \r\n" + path);
    EXPECT_EQ(dialogs_->titles.back(), title);
    expectUnchanged(before);
  }
  // Even when the user agreed to empty the list, a failed load keeps it.
  dialogs_->answerOpen({garbage});
  dialogs_->answerMsgBox(platform::vbYes);
  dialogs_->answerMsgBox(platform::vbOK);
  Ouvre_Image();
  expectUnchanged(before);
}

TEST_F(ImageFiles, AFiftyFirstImageIsRefused) {
  QVL& f = Qvl();
  for (int i = 1; i <= kMaxImages; ++i) ASSERT_EQ(Ajoute_Image_Liste("/x/" + std::to_string(i) + ".bmp"), i);
  const State before = state();
  const std::string p = bmp("extra.bmp", 300, 200);
  dialogs_->answerOpen({p});
  dialogs_->answerMsgBox(platform::vbNo);
  dialogs_->answerMsgBox(platform::vbOK);
  Ouvre_Image();
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[1], "Problème de chargement du fichier image \r\n" + p);
  EXPECT_EQ(dialogs_->titles.back(), "Err number 9");
  expectUnchanged(before);
  EXPECT_EQ(f.ListIMGchar.listCount(), 50);
  EXPECT_EQ(Position_Image(p), -1);
}

TEST_F(ImageFiles, OpeningDuringAMeasurementIsRefused) {
  const State before = state();
  EtapeClic = 2;
  Ouvre_Image();
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_EQ(Qvl().lblLabelflashx.caption(), " mesure inachevée");
  EXPECT_EQ(Qvl().FraFlash.backColor(), 0x80C0FFu);
  expectUnchanged(before);
}

TEST_F(ImageFiles, TheFileMenuOpensAnImage) {
  dialogs_->answerFileCancel(false);
  Qvl().FraListeImg.setVisible(true);
  user::click(Qvl().MnuFIC(1));
  EXPECT_EQ(kinds(), std::vector<std::string>{"openFile"});
  EXPECT_FALSE(Qvl().FraListeImg.visible());
}

// --- the clipboard picture -----------------------------------------------------------

TEST_F(ImageFiles, ATextOnlyClipboardGivesTheMessage) {
  const std::string shown = oneShown();
  const State before = state();
  platform::Clipboard::setText("12,5\t3,4");
  dialogs_->answerMsgBox(platform::vbOK);
  Image_Temporaire();
  EXPECT_EQ(messages(), std::vector<std::string>{"Le presse papier ne contient pas d'image valide"});
  expectUnchanged(before);
  // The same through the file menu.
  dialogs_->answerMsgBox(platform::vbOK);
  user::click(Qvl().MnuFIC(4));
  EXPECT_EQ(messages().size(), 2u);
}

TEST_F(ImageFiles, APastedPictureIsWrittenAndShownOutsideTheList) {
  QVL& f = Qvl();
  const std::string prog = ownProgramFolder();
  oneShown();
  Calibrage = 0.8;
  Img_Temp = true;
  platform::Clipboard::setImage(platform::Picture::filled(640, 480, 0x2040C0));
  Image_Temporaire();
  EXPECT_TRUE(dialogs_->log().empty());   // the grid is empty: no question
  const std::string tempo = prog + "/ImgTempo.bmp";
  EXPECT_EQ(Chemin_Image_Temporaire(), tempo);
  const platform::Picture written = platform::Picture::load(tempo);
  ASSERT_FALSE(written.isNull());
  EXPECT_EQ(written.widthPixels(), 640);
  EXPECT_EQ(written.heightPixels(), 480);
  EXPECT_EQ(written.pixel(10, 10), 0x2040C0u);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 640);
  EXPECT_EQ(f.ListIMGchar.listCount(), 0);
  EXPECT_EQ(f.ListImgAff.listCount(), 0);
  EXPECT_EQ(Index_Image, 0);
  EXPECT_EQ(Img_Active, tempo);
  EXPECT_DOUBLE_EQ(Calibrage, 0.8);
  EXPECT_DOUBLE_EQ(Calib_Images(0), 0.8);
  EXPECT_EQ(f.lblWidth.caption(), "640");
  EXPECT_EQ(f.lblHeight.caption(), "480");
  EXPECT_FALSE(Img_Temp);
  EXPECT_EQ(Largeur_Img_Prec, 640);
}

TEST_F(ImageFiles, APictureOfAnotherWidthFlashesAndSetsTheFontSize) {
  QVL& f = Qvl();
  ownProgramFolder();
  Img_Temp = true;
  platform::Clipboard::setImage(platform::Picture::filled(640, 480, 0x808080));
  Image_Temporaire();
  const double font = f.Picture1.fontSize();
  platform::Clipboard::setImage(platform::Picture::filled(1600, 1200, 0x808080));
  Image_Temporaire();
  EXPECT_EQ(f.lblLabelflashx.caption(), "L'image chargée a une dimension différente de l'image précédente");
  EXPECT_DOUBLE_EQ(f.Picture1.fontSize(), 12.0);   // 1200 pixels high x 0.01
  EXPECT_DOUBLE_EQ(f.Picture2.fontSize(), 12.0);
  EXPECT_EQ(Largeur_Img_Prec, 640);   // the first width of the session stays
  // The same width again: no change.
  f.lblLabelflashx.setCaption("");
  f.Picture1.setFontSize(font);
  platform::Clipboard::setImage(platform::Picture::filled(640, 200, 0x808080));
  Image_Temporaire();
  EXPECT_EQ(f.lblLabelflashx.caption(), "");
  EXPECT_DOUBLE_EQ(f.Picture1.fontSize(), font);
}

// The grid question before the grid's rows go with the list.
std::string questionGrille() { return MSG(185) + SautLigne + MSG(190) + " " + MSG(188) + " ? "; }

// Two measured rows on image 1 of the list, in the grid and in the table.
void deuxRangees() {
  QVL& f = Qvl();
  for (int r = 1; r <= 2; ++r) {
    f.GrilleRef.setTextMatrix(r, 0, std::to_string(r));
    f.GrilleRef.setTextMatrix(r, 1, std::to_string(10 * r) + ".00");
    TabMesures(r).NumImage = 1;
    TabMesures(r).Seg(1) = {0, 0, 1000.0 * r, 0};
  }
  LigneCourante = 3;
}

void videRangees() {
  for (int r = 1; r <= 2; ++r) {
    Qvl().GrilleRef.setTextMatrix(r, 1, "");
    TabMesures(r) = Mesure{};
  }
}

TEST_F(ImageFiles, PastingWhileTheGridHoldsRowsAsksBeforeEmptyingTheList) {
  QVL& f = Qvl();
  ownProgramFolder();
  const std::string shown = oneShown();
  deuxRangees();
  platform::Clipboard::setImage(platform::Picture::filled(64, 48, 0x808080));
  dialogs_->answerMsgBox(platform::vbNo);
  Image_Temporaire();
  EXPECT_EQ(messages(), std::vector<std::string>{questionGrille()});
  EXPECT_EQ(f.ListIMGchar.listCount(), 1);   // kept
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(TabMesures(2).NumImage, 1);
  EXPECT_EQ(Index_Image, 0);                 // the pasted picture is no entry
  EXPECT_EQ(f.ListImgAff.listIndex(), -1);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 64);
  dialogs_->answerMsgBox(platform::vbYes);
  Image_Temporaire();
  EXPECT_EQ(f.ListIMGchar.listCount(), 0);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(f.GrilleRef.textMatrix(2, 1), "");
  EXPECT_EQ(TabMesures(2).NumImage, 0);
  videRangees();
}

// "Ouvrir Image" while the grid holds rows: Yes to the list and No to the grid keeps
// the rows and adds the picture to the list; Yes to both clears the grid and the table
// with the list, and the picture becomes image 1 of an empty session.
TEST_F(ImageFiles, OpeningWithRowsKeepsThemOrClearsThemWithTheList) {
  QVL& f = Qvl();
  const std::string shown = oneShown();
  deuxRangees();
  const std::string a = bmp("a.bmp", 60, 40);
  dialogs_->answerOpen({a});
  dialogs_->answerMsgBox(platform::vbYes);
  dialogs_->answerMsgBox(platform::vbNo);
  ASSERT_TRUE(user::choose(f.MnuFIC(1)));
  EXPECT_EQ(messages(), (std::vector<std::string>{" effacer  la liste d'images  ? ", questionGrille()}));
  ASSERT_EQ(f.ListIMGchar.listCount(), 2);
  EXPECT_EQ(f.ListIMGchar.list(0), shown);
  EXPECT_EQ(f.ListIMGchar.list(1), a);
  EXPECT_EQ(Index_Image, 2);
  EXPECT_EQ(LigneCourante, 3);
  EXPECT_EQ(f.GrilleRef.textMatrix(2, 1), "20.00");
  EXPECT_EQ(TabMesures(2).NumImage, 1);

  const std::string b = bmp("b.bmp", 70, 40);
  dialogs_->clear();
  dialogs_->answerOpen({b});
  dialogs_->answerMsgBox(platform::vbYes);
  dialogs_->answerMsgBox(platform::vbYes);
  ASSERT_TRUE(user::choose(f.MnuFIC(1)));
  EXPECT_EQ(messages(), (std::vector<std::string>{" effacer  la liste d'images  ? ", questionGrille()}));
  ASSERT_EQ(f.ListIMGchar.listCount(), 1);
  EXPECT_EQ(f.ListIMGchar.list(0), b);
  EXPECT_EQ(LigneCourante, 1);
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 1), "");
  EXPECT_EQ(TabMesures(1).NumImage, 0);
  EXPECT_EQ(TabMesures(2).Seg(1).X2, 0);
  videRangees();
}

TEST_F(ImageFiles, AFailedWriteOfTheClipboardPictureChangesNothing) {
  const std::string prog = ownProgramFolder();
  const std::string shown = oneShown();
  const State before = state();
  // A folder in the way of the file makes the write fail.
  std::filesystem::create_directories(prog + "/ImgTempo.bmp");
  platform::Clipboard::setImage(platform::Picture::filled(64, 48, 0x808080));
  dialogs_->answerMsgBox(platform::vbOK);
  Image_Temporaire();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].rfind("Erreur fichier \r\n", 0), 0u) << messages()[0];
  expectUnchanged(before);
  EXPECT_EQ(Qvl().ListIMGchar.listCount(), 1);
}

// --- the background picture -------------------------------------------------------------

TEST_F(ImageFiles, TheBuiltInBackgroundIsAGreyGradientWithTheName) {
  const platform::Picture fond = Image_Fond_Integree();
  ASSERT_EQ(fond.widthPixels(), 1200);
  ASSERT_EQ(fond.heightPixels(), 900);
  // Grey from 72 at the top row to 168 at the bottom row, the same across a row:
  // 72 + (168 - 72) x y / 899 in whole numbers.
  EXPECT_EQ(fond.pixel(5, 0), platform::RGB(72, 72, 72));
  EXPECT_EQ(fond.pixel(1190, 0), platform::RGB(72, 72, 72));
  EXPECT_EQ(fond.pixel(5, 899), platform::RGB(168, 168, 168));
  // Row 450: 72 + 96 x 450 / 899 = 120 (whole-number division).
  EXPECT_EQ(fond.pixel(5, 450), platform::RGB(120, 120, 120));
  // The name in capitals of a 5 x 7 dot font, 16 pixels a dot, one dot between
  // letters: 8 x 96 - 16 = 752 pixels wide from x = (1200 - 752) / 2 = 224, 112 high
  // from y = (900 - 112) / 2 = 394. The Q's top row is .###. and its bottom row .##.#
  const platform::Colour nom = platform::RGB(235, 235, 235);
  EXPECT_EQ(fond.pixel(224 + 16, 394), nom);
  EXPECT_EQ(fond.pixel(224 + 16 + 15, 394 + 15), nom);
  EXPECT_EQ(fond.pixel(224, 394), platform::RGB(114, 114, 114));   // 72 + 96 x 394 / 899
  EXPECT_EQ(fond.pixel(224 + 64, 394 + 96), nom);
  EXPECT_EQ(fond.pixel(224 + 48, 394 + 96), platform::RGB(124, 124, 124));   // 72 + 96 x 490 / 899
  // The E's last dot ends the name at x = 224 + 752 - 1.
  EXPECT_EQ(fond.pixel(224 + 751, 394 + 111), nom);
  EXPECT_NE(fond.pixel(224 + 752, 394 + 111), nom);
  EXPECT_NE(fond.pixel(224 + 16, 394 + 112), nom);
}

TEST_F(ImageFiles, WithoutFondecranTheBuiltInPictureIsShown) {
  QVL& f = Qvl();
  ownProgramFolder();
  const std::string shown = oneShown();
  Larg_Affichee = 77;
  Charge_Fond_Ecran(1);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 1200);
  EXPECT_EQ(f.picbase.picture().pixel(5, 899), platform::RGB(168, 168, 168));
  EXPECT_EQ(Larg_Affichee, 0);
  EXPECT_DOUBLE_EQ(Ratio_Image, 1200.0 / 900.0);
  // Wm = 1200 x 15 x 2540 / 1440 hundredths of a millimetre, over the box's scale.
  EXPECT_NEAR(Echelle, 1200.0 * 15 * 2540 / 1440 / f.Picture1.scaleWidth(), 1e-9);
  // The background changes neither the current image nor its calibration.
  EXPECT_EQ(Img_Active, shown);
  EXPECT_EQ(Index_Image, 1);
}

TEST_F(ImageFiles, FondecranOfTheProgramFolderIsShownWhenPresent) {
  QVL& f = Qvl();
  const std::string prog = ownProgramFolder();
  ASSERT_TRUE(platform::Picture::filled(640, 320, 0x00FF00).saveJpeg(prog + "/FondEcran.JPG", 100));
  EXPECT_EQ(Chemin_Fond_Ecran(), prog + "/FondEcran.JPG");   // any letter case
  Charge_Fond_Ecran(1);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 640);
  EXPECT_DOUBLE_EQ(Ratio_Image, 2.0);
  // A damaged file gives the built-in picture.
  rawFile("prog/FondEcran.JPG", "damaged");
  Charge_Fond_Ecran(1);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 1200);
}

}  // namespace
