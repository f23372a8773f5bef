// The image loader from start to end on the real main window (offscreen), with the
// user's answers scripted: an image opened, three more added from one dialog, rows
// measured with the mouse on two of them, a coefficient of its own for the last, then
// the unused images removed through the folder frame. The rows and the coefficients
// must follow their images to their new numbers. And damaged JPEG files opened after a
// picture measured on: refused, with everything left as it was, unless every row of
// the file comes from its data.
#include <QCoreApplication>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_list.h"
#include "images/image_loading.h"
#include "images/image_state.h"
#include "measure/calibration.h"
#include "measure/measure_state.h"
#include "measure/picture_window.h"
#include "measure/session_window.h"
#include "platform/events.h"
#include "support/library_jpeg.h"
#include "support/painted_picture.h"
#include "support/peak_memory.h"
#include "support/user_input.h"

namespace {

using picture_window::drag;

class ImageLoader : public session_window::SessionWindow {
 protected:
  void SetUp() override {
    SessionWindow::SetUp();
    QVL& f = Qvl();
    r_.keep(Rep_Panneau);
    r_.keep(Calib_Correction);
    r_.keep(Largeur_Img_Prec);
    r_.keep(Img_Temp);
    r_.keep(Img_A_Calibrer);
    const std::string tb0 = f.TBox(0).text(), tb1 = f.TBox(1).text();
    r_.then([tb0, tb1] {
      QVL& g = Qvl();
      g.FraRep.setVisible(false);
      g.FraListeImg.setVisible(false);
      g.ListRep.clear();
      g.TBox(0).setText(tb0);
      g.TBox(1).setText(tb1);
      Vide_Listes();
      Montre_Fond_Ecran();
    });
    Vide_Listes();
    Montre_Fond_Ecran();
    f.FraRep.setVisible(false);
    f.FraListeImg.setVisible(false);
    Alerte_W7 = false;
    Calibrage = 0.1;
  }

  // A left click of the mouse on entry k of a list (the displayed image list unless
  // told otherwise).
  static void clickEntry(int k, platform::ListBox* box = nullptr) {
    auto* list = static_cast<QListWidget*>((box ? *box : Qvl().ListImgAff).widget());
    ASSERT_NE(list->item(k), nullptr) << k;
    const QPoint p = list->visualItemRect(list->item(k)).center();
    const QPointF global = list->viewport()->mapToGlobal(QPointF(p));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &release);
  }

  // One spore measured with the mouse: its length, then its width across the Palmer foot.
  static void measureSpore(int y) {
    drag(60, y, 260, y);
    drag(110, y, 117, y + 60);
  }

  static std::vector<std::string> items(const platform::ListBox& l) {
    std::vector<std::string> v;
    for (int i = 0; i < l.listCount(); ++i) v.push_back(l.list(i));
    return v;
  }

  // The two colours of the chequered picture measured on.
  static constexpr platform::Colour kOchre = 0x40A0C0, kBlue = 0xC06020;

  // What the window shows of a picture opened and measured on.
  struct Shown {
    std::string file;
    session_window::Snapshot state;
    QImage picture;
  };

  // Opens a chequered picture through "Ouvrir Image" and measures a spore on it.
  void openMeasuredPicture(Shown* shown) {
    QVL& f = Qvl();
    startFunction(2);
    shown->file = images_.file("lame.bmp");
    ASSERT_TRUE(painted::picture(400, 300, [&](int x, int y) { return (x / 50 + y / 50) % 2 ? kBlue : kOchre; })
                    .saveBmp(shown->file));
    dialogs_->answerOpen({shown->file});
    ASSERT_TRUE(user::choose(f.MnuFIC(1)));
    ASSERT_EQ(Img_Active, shown->file);
    measureSpore(60);
    ASSERT_EQ(LigneCourante, 2);
    platform::DoEvents();
    shown->state = session_window::snapshot();
    shown->picture = painted::screenshot(f.Picture1);
    ASSERT_TRUE(painted::find(shown->picture, painted::rgbOf(kOchre)).found());
    ASSERT_TRUE(painted::find(shown->picture, painted::rgbOf(kBlue)).found());
  }

  // Opens the file `name` holding `bytes` through "Ouvrir Image", agreeing to empty the
  // list and the grid: it must be refused with "Problème de chargement du fichier image"
  // and its name, the picture shown, the list, the grid and the rows as they were.
  void expectRefused(const std::string& name, const std::string& bytes, const Shown& shown) {
    QVL& f = Qvl();
    const std::string file = images_.file(name);
    ASSERT_TRUE(platform::saveFileAtomic(file, bytes));
    dialogs_->clear();
    dialogs_->answerOpen({file});
    dialogs_->answerMsgBox(platform::vbYes);   // empty the list
    dialogs_->answerMsgBox(platform::vbYes);   // and the grid
    dialogs_->answerMsgBox(platform::vbOK);
    ASSERT_TRUE(user::choose(f.MnuFIC(1)));
    platform::DoEvents();
    EXPECT_EQ(messages(), (std::vector<std::string>{emptyList(), emptyGrid(),
                                                    "Problème de chargement du fichier image \r\n" + file}));
    EXPECT_TRUE(session_window::snapshot() == shown.state);
    EXPECT_EQ(f.labNomFic.caption(), shown.file);
    EXPECT_TRUE(painted::screenshot(f.Picture1) == shown.picture) << "the picture shown changed";
  }

  // The questions "Ouvrir Image" asks first: empty the image list? and the grid?
  static std::string emptyList() { return MSG(190) + " " + MSG(189) + " ? "; }
  static std::string emptyGrid() { return " La table actuelle contient des données\r\n effacer  la grille  ? "; }
};

TEST_F(ImageLoader, UnusedImagesLeaveAndTheRowsAndCoefficientsFollowTheirImages) {
  QVL& f = Qvl();
  startFunction(2);
  const std::string a = session_window::picture(images_, "a.bmp", 400, 300);
  const std::string b = session_window::picture(images_, "b.bmp", 410, 300);
  const std::string c = session_window::picture(images_, "c.bmp", 420, 300);
  const std::string d = session_window::picture(images_, "d.bmp", 430, 300);

  // "Ouvrir Image": the first image, shown.
  dialogs_->answerOpen({a});
  user::click(f.MnuFIC(1));
  ASSERT_EQ(Img_Active, a);
  ASSERT_EQ(Index_Image, 1);

  // "Chargeur" > "Ajouter": three more from one dialog, clicked in no particular order.
  dialogs_->answerOpen({d, b, c});
  user::click(f.MnuCharg(1));
  ASSERT_EQ(session_window::imageList(), (std::vector<std::string>{a, b, c, d}));
  EXPECT_EQ(Img_Active, a);
  EXPECT_EQ(Index_Image, 1);
  ASSERT_TRUE(f.FraListeImg.visible());
  platform::DoEvents();

  // A row on image 2, then a row on image 4, which is then given its own coefficient.
  clickEntry(1);
  ASSERT_EQ(Index_Image, 2);
  ASSERT_EQ(f.picbase.picture().widthPixels(), 410);
  measureSpore(60);
  ASSERT_EQ(LigneCourante, 2);
  clickEntry(3);
  ASSERT_EQ(Index_Image, 4);
  ASSERT_EQ(f.picbase.picture().widthPixels(), 430);
  measureSpore(160);
  ASSERT_EQ(LigneCourante, 3);
  EXPECT_EQ(TabMesures(1).NumImage, 2);
  EXPECT_EQ(TabMesures(2).NumImage, 4);
  // The correction frame of the calibration panel: coefficient 0.25 x factor 1.
  ASSERT_TRUE(user::click(f.MnuEDit(4)));
  ASSERT_TRUE(user::click(f.Bout(44)));
  ASSERT_TRUE(user::typeInto(f.TBox(0), "0.25"));
  ASSERT_TRUE(user::typeInto(f.TBox(1), "1"));
  ASSERT_TRUE(user::click(f.Command1(0)));
  ASSERT_TRUE(user::click(f.Bout(20)));   // "Valider" closes the panel
  ASSERT_DOUBLE_EQ(Calibrage, 0.25);
  EXPECT_DOUBLE_EQ(Calib_Images(4), 0.25);
  EXPECT_DOUBLE_EQ(Calib_Images(2), 0.1);

  // "Chargeur" > "Supprimer": the folder frame lists the images no row uses.
  user::click(f.MnuCharg(2));
  ASSERT_TRUE(f.FraRep.visible());
  EXPECT_FALSE(f.RepDir.visible());
  EXPECT_EQ(f.StatusBar1.simpleText(), MNU(25));
  ASSERT_EQ(items(f.ListRep), (std::vector<std::string>{"a.bmp", "c.bmp"}));

  // "Charger" with both selected: two images are left, renumbered with their rows.
  f.ListRep.setSelected(0, true);
  f.ListRep.setSelected(1, true);
  user::click(f.cmdRep(0));
  EXPECT_EQ(session_window::imageList(), (std::vector<std::string>{b, d}));
  EXPECT_EQ(items(f.ListImgAff), (std::vector<std::string>{"b.bmp", "d.bmp"}));
  EXPECT_EQ(TabMesures(1).NumImage, 1);
  EXPECT_EQ(TabMesures(2).NumImage, 2);
  const int colonneImage = f.GrilleRef.cols() - 2;
  EXPECT_EQ(f.GrilleRef.textMatrix(1, colonneImage), "1");
  EXPECT_EQ(f.GrilleRef.textMatrix(2, colonneImage), "2");
  // The mini grid shows the same two rows under the same numbers.
  ASSERT_GT(f.MGrille.rows(), 2);
  for (int r = 1; r <= 2; ++r) {
    EXPECT_EQ(f.MGrille.textMatrix(r, 0), std::to_string(r));
    EXPECT_EQ(f.MGrille.textMatrix(r, colonneImage), std::to_string(r)) << r;
  }
  EXPECT_EQ(LigneCourante, 3);
  // The picture shown (d) keeps its place in the list under its new number.
  EXPECT_EQ(Img_Active, d);
  EXPECT_EQ(Index_Image, 2);

  // Each image comes back with its own coefficient.
  clickEntry(0);
  EXPECT_EQ(Img_Active, b);
  EXPECT_DOUBLE_EQ(Calibrage, 0.1);
  clickEntry(1);
  EXPECT_EQ(Img_Active, d);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 430);
  EXPECT_DOUBLE_EQ(Calibrage, 0.25);
  EXPECT_EQ(f.label(5).caption(), "Cal. = 0.2500");

  // The frame stayed open, now with nothing left to remove; "Fermer" hides it.
  EXPECT_TRUE(f.FraRep.visible());
  EXPECT_EQ(f.ListRep.listCount(), 0);
  user::click(f.cmdRep(2));
  EXPECT_FALSE(f.FraRep.visible());
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(dialogs_->pending(), 0u);
}

// "Supprimer" in group mode offers the group's images that no row uses, not what an
// earlier use listed, and "Charger" removes them; with nothing chosen it says why.
TEST_F(ImageLoader, GroupModeRemovesTheUnusedImagesOfTheGroup) {
  QVL& f = Qvl();
  startFunction(2);
  const std::string a = session_window::picture(images_, "a.bmp", 400, 300);
  const std::string b = session_window::picture(images_, "b.bmp", 410, 300);
  const std::string c = session_window::picture(images_, "c.bmp", 420, 300);
  const std::string e = session_window::picture(images_, "e.bmp", 440, 300);
  dialogs_->answerOpen({a});
  ASSERT_TRUE(user::choose(f.MnuFIC(1)));
  dialogs_->answerOpen({b, c});
  ASSERT_TRUE(user::choose(f.MnuCharg(1)));
  platform::DoEvents();
  clickEntry(1);
  ASSERT_EQ(Index_Image, 2);
  measureSpore(60);
  ASSERT_EQ(LigneCourante, 2);

  // Outside group mode: every image without a row; closed again.
  ASSERT_TRUE(user::choose(f.MnuCharg(2)));
  EXPECT_EQ(items(f.ListRep), (std::vector<std::string>{"a.bmp", "c.bmp"}));
  ASSERT_TRUE(user::click(f.cmdRep(2)));

  // Group mode, and a new image opened into the group.
  ASSERT_TRUE(user::click(f.chkMC(0)));
  ASSERT_EQ(f.chkMC(0).value(), 1);
  dialogs_->answerMsgBox(platform::vbNo);
  dialogs_->answerOpen({e});
  ASSERT_TRUE(user::choose(f.MnuFIC(1)));
  ASSERT_EQ(items(f.ListImgMC), std::vector<std::string>{e});

  ASSERT_TRUE(user::choose(f.MnuCharg(2)));
  ASSERT_TRUE(f.FraRep.visible());
  EXPECT_EQ(items(f.ListRep), std::vector<std::string>{"e.bmp"});
  // "Charger" with nothing chosen says what to do and removes nothing.
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(user::click(f.cmdRep(0)));
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(190) + " " + MSG(189) + " ? ",
                                                  "Choisir dans la liste les images à supprimer"}));
  EXPECT_EQ(session_window::imageList(), (std::vector<std::string>{a, b, c, e}));
  clickEntry(0, &f.ListRep);
  ASSERT_TRUE(f.ListRep.selected(0));
  ASSERT_TRUE(user::click(f.cmdRep(0)));
  EXPECT_EQ(session_window::imageList(), (std::vector<std::string>{a, b, c}));
  EXPECT_EQ(f.ListImgMC.listCount(), 0);
  EXPECT_EQ(f.ListRep.listCount(), 0);
  EXPECT_EQ(TabMesures(1).NumImage, 2);
  // Nothing left in the group: "Charger" says so.
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(user::click(f.cmdRep(0)));
  EXPECT_EQ(messages().back(), "Aucune image sans mesure dans le groupe MC");
  ASSERT_TRUE(user::click(f.chkMC(0)));
  EXPECT_EQ(dialogs_->pending(), 0u);
}

// A user opens a picture, measures a spore on it, then opens JPEG files damaged as cut
// copies are (data stopping at an end marker, a header twice as high as its data, a
// progressive file whose last scan stops at an end marker), agreeing each time to empty
// the list and the grid: each is refused with "Problème de chargement du fichier image"
// and its name, and the picture shown, the list, the grid and the rows stay as they were. A
// JPEG lacking only its end marker then opens with the JPEG library's pixels for it.
TEST_F(ImageLoader, ADamagedJpegIsRefusedAndOneLackingOnlyItsEndMarkerOpens) {
  QVL& f = Qvl();
  Shown before;
  ASSERT_NO_FATAL_FAILURE(openMeasuredPicture(&before));

  using namespace library_jpeg;
  const QImage photo = testPicture(320, 240);
  const std::string baseline = encode(photo, Kind::kBaseline), progressive = encode(photo, Kind::kProgressive);
  const std::pair<std::string, std::string> damaged[] = {
      {"coupe.jpg", endInsideScan(baseline, 0)},
      {"haute.jpg", heightDoubled(baseline)},
      {"progressive.jpg", endInsideScan(progressive, scanCount(progressive) - 1)},
  };
  for (const auto& [name, bytes] : damaged) {
    SCOPED_TRACE(name);
    expectRefused(name, bytes, before);
  }

  // The end marker cut: the file opens as a new image of the list, keeping the rows.
  const std::string sansFin = images_.file("sans_fin.jpg");
  ASSERT_TRUE(platform::saveFileAtomic(sansFin, withoutEnd(baseline)));
  dialogs_->clear();
  dialogs_->answerOpen({sansFin});
  dialogs_->answerMsgBox(platform::vbNo);   // keep the list
  ASSERT_TRUE(user::choose(f.MnuFIC(1)));
  platform::DoEvents();
  EXPECT_EQ(messages(), std::vector<std::string>{emptyList()});
  EXPECT_EQ(session_window::imageList(), (std::vector<std::string>{before.file, sansFin}));
  EXPECT_EQ(Img_Active, sansFin);
  EXPECT_EQ(session_window::gridLines(), before.state.grid);
  const Decoded library = decode(withoutEnd(baseline));
  ASSERT_FALSE(library.failed);
  EXPECT_TRUE(f.picbase.picture().toQImage() == library.image) << "not the library's pixels";
  const QImage now = painted::screenshot(f.Picture1);
  EXPECT_FALSE(painted::find(now, painted::rgbOf(kOchre)).found());
  EXPECT_FALSE(painted::find(now, painted::rgbOf(kBlue)).found());
}

// A user opens a picture and measures a spore on it, then opens JPEG files that a
// hostile source could give: small files whose header claims a picture far larger than
// the memory a picture may take (a progressive 65500 x 65500 file of 465 KB, whose scans
// the JPEG library would read into 12.9 GB, and a sequential one of a scan per
// component at 20000 x 20000 in 72 KB), and a progressive file without the first scan of
// its DC coefficients, whose colours would be made up. Each is refused at once with
// "Problème de chargement du fichier image" and its name, and the picture shown, the
// list, the grid and the rows stay as they were; no more than a little memory is made
// present meanwhile.
TEST_F(ImageLoader, AJpegTooLargeForMemoryOrWithoutItsFirstDcScanIsRefused) {
  Shown before;
  ASSERT_NO_FATAL_FAILURE(openMeasuredPicture(&before));
  using namespace library_jpeg;
  const QImage photo = testPicture(320, 240);
  const std::pair<std::string, std::string> files[] = {
      {"immense.jpg", paddedTo(withFrameSize(encode(photo, Kind::kProgressive), 65500, 65500), 465000)},
      {"separee.jpg", paddedTo(withFrameSize(encode(photo, Kind::kSeparateScans), 20000, 20000), 72000)},
      {"sans_dc.jpg", withoutScan(encode(photo, Kind::kProgressive), 0)},
  };
  const test_support::PeakMemory peak;
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    expectRefused(name, bytes, before);
  }
  EXPECT_LT(peak.growth(), 256LL << 20) << "memory made present while the files were refused";
  EXPECT_EQ(dialogs_->pending(), 0u);
}

}  // namespace
