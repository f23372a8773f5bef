// Captures on the real main window (offscreen): capture names, the naming window,
// pasted pictures kept as captures, saving the picture and the screen copies, and
// acquisitions through SANE's virtual "test" device (tests/support/sane).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "forms/twain_prefixe.h"
#include "image_window_fixture.h"
#include "images/capture.h"
#include "images/capture_naming.h"
#include "images/image_files.h"
#include "images/image_list.h"
#include "images/image_state.h"
#include "images/picture_save.h"
#include "images/picture_view.h"
#include "platform/app.h"
#include "platform/clipboard.h"
#include "platform/scanner.h"
#include "platform/textfile.h"
#include "statwindow/stat_state.h"
#include "support/user_input.h"

namespace {

using image_tests::ImageWindow;

// A clock whose date is 3 March 2024.
class PinnedDate final : public platform::Clock {
 public:
  double monotonicSeconds() override { return now_ += 0.5; }
  double secondsSinceMidnight() override { return 43200.0; }
  void localDate(int* y, int* m, int* d) override { *y = 2024, *m = 3, *d = 3; }

 private:
  double now_ = 1000.0;
};

class Captures : public ImageWindow {
 protected:
  void SetUp() override {
    ImageWindow::SetUp();
    saved_ = {Prefixe_Capture, Prefixe_Capture2, Num_Capture, Nom_Auto, Sauve_Captures(0),
              Sauve_Captures(1), Rep_Data, Rep_Prog, platform::App::Path(), Alerte_W7};
    const std::filesystem::path prog = folder_ / "prog";
    std::filesystem::create_directories(prog);
    platform::App::setPath(prog.string());
    Rep_Prog = prog.string();
    Rep_Images = folder_.string();
    Rep_Data = folder_.string();
    Alerte_W7 = false;
    Prefixe_Capture = "P";
    Prefixe_Capture2 = "TwainImg";
    Num_Capture = 1;
    Sauve_Captures(0) = true;
    Sauve_Captures(1) = false;
  }
  void TearDown() override {
    QVL& f = Qvl();
    platform::Clipboard::clear();
    FenTwainPrefixe().unload();
    f.FraListeImg.setVisible(false);
    for (int i = 1; i <= 2; ++i) f.Mn_Copie_Ecran(i).setChecked(false);
    Prefixe_Capture = saved_.prefixe;
    Prefixe_Capture2 = saved_.prefixe2;
    Num_Capture = saved_.num;
    Nom_Auto = saved_.nomAuto;
    Sauve_Captures(0) = saved_.garde0;
    Sauve_Captures(1) = saved_.garde1;
    Rep_Data = saved_.repData;
    Rep_Prog = saved_.repProg;
    platform::App::setPath(saved_.path);
    Alerte_W7 = saved_.alerte;
    ImageWindow::TearDown();
  }
  std::string in(const std::string& name) const { return (folder_ / name).string(); }
  static platform::Picture decoded(const std::string& path) { return platform::Picture::load(path); }
  // The file names the save dialogs proposed, in order.
  std::vector<std::string> proposed() const {
    std::vector<std::string> v;
    for (const auto& a : dialogs_->log())
      if (a.kind == "saveFile") v.push_back(a.request.fileName);
    return v;
  }

  struct Saved {
    std::string prefixe, prefixe2;
    int num;
    bool nomAuto, garde0, garde1;
    std::string repData, repProg, path;
    bool alerte;
  } saved_;
};

// --- names ------------------------------------------------------------------------------

TEST_F(Captures, ProposedNames) {
  QVL& f = Qvl();
  struct Case {
    const char* prefix;
    int number;
    const char* capture;
    const char* twain;
  };
  const Case cases[] = {
      {"TwainImg_", 1, "TwainImg_1.bmp", "Twain_TwainImg_1"},
      {"X60__", 5, "X60__5.bmp", "Twain_X60__5"},
      {"", 12, "12.bmp", "Twain_12"},
      {"a.b_", 3, "a.b_3.bmp", "Twain_a"},   // the proposed name is cut at its first "."
  };
  for (const Case& c : cases) {
    Prefixe_Capture = c.prefix;
    Num_Capture = c.number;
    EXPECT_EQ(Nom_Capture_Suivant(), c.capture) << c.prefix;
    EXPECT_EQ(Chemin_Capture_Suivant(), in(c.capture)) << c.prefix;
    EXPECT_EQ(Nom_Twain_Propose(), c.twain) << c.prefix;
  }
  // Screen copies: by kind while no file name is shown, else the image's name; the
  // statistics window's charts always by the chart shown.
  const int histogramme = Mode_Histogramme;
  f.labNomFic.setCaption("");
  EXPECT_EQ(Nom_Capture_Propose(1), "ecran_mesures");
  EXPECT_EQ(Nom_Capture_Propose(2), "ecran_diagramme");
  Mode_Histogramme = -1;
  EXPECT_EQ(Nom_Capture_Propose(3), "ecran_Histogramme");
  Mode_Histogramme = 0;
  EXPECT_EQ(Nom_Capture_Propose(3), "ecran_Nuage");
  Mode_Histogramme = histogramme;
  const std::string spore = bmp("spore.2.bmp", 60, 40);
  Ajoute_Image_Liste(spore);
  ASSERT_TRUE(appel_img_listchar(spore));
  for (int genre : {1, 2}) EXPECT_EQ(Nom_Capture_Propose(genre), "ecran_spore") << genre;
  Mode_Histogramme = 0;
  EXPECT_EQ(Nom_Capture_Propose(3), "ecran_Nuage");
  Mode_Histogramme = histogramme;
}

TEST(CaptureNaming, FirstNumber) {
  const struct {
    const char* text;
    int number;
  } cases[] = {{"5", 5},     {" 7 ", 7},   {"0", 0},  {"32767", 32767}, {"32768", -1}, {"5.5", -1},
               {"-1", -1},   {"", -1},     {"abc", -1}, {"1e3", -1},    {"000012", -1}, {"00012", 12}};
  for (const auto& c : cases) EXPECT_EQ(Premier_Numero(c.text), c.number) << c.text;
}

// --- the naming window -------------------------------------------------------------------

TEST_F(Captures, NamingWindowShowsTheSettingsAndAppliesThemOnOK) {
  QVL& f = Qvl();
  Nom_Auto = false;
  Prefixe_Capture = "TwainImg_";
  Num_Capture = 4;
  Sauve_Captures(1) = true;
  user::click(f.MnuOpt(18));
  TwainPrefixe& w = FenTwainPrefixe();
  ASSERT_TRUE(w.visible());
  EXPECT_TRUE(w.Option1(1).value());
  EXPECT_TRUE(w.Frame1.visible());
  EXPECT_EQ(w.Text1(0).text(), "TwainImg_");
  EXPECT_EQ(w.Text1(1).text(), "4");
  EXPECT_EQ(w.Label1(2).caption(), "Répertoire : " + folder_.string());
  EXPECT_EQ(w.Check1(0).value(), 1);
  EXPECT_EQ(w.Check1(1).value(), 1);
  EXPECT_TRUE(dialogs_->log().empty());   // loading checks nothing

  // The mode and the boxes act at once; the prefix and number only on OK.
  user::setValue(w.Option1(0), true);
  EXPECT_TRUE(Nom_Auto);
  EXPECT_FALSE(w.Frame1.visible());
  user::setValue(w.Check1(0), 0);
  EXPECT_FALSE(Sauve_Captures(0));
  w.Text1(0).setText("X60_");
  w.Text1(1).setText("5");
  EXPECT_EQ(Prefixe_Capture, "TwainImg_");
  user::click(w.Command1(0));
  EXPECT_FALSE(w.visible());
  EXPECT_EQ(Prefixe_Capture, "X60_");
  EXPECT_EQ(Prefixe_Capture2, "X60_");
  EXPECT_EQ(Num_Capture, 5);
  // A menu acquisition then adds "_" to the prefix.
  Prefixe_Capture = Prefixe_Capture2 + "_";
  EXPECT_EQ(Chemin_Capture_Suivant(), in("X60__5.bmp"));
}

TEST_F(Captures, NamingWindowRefusesABadNumberAndANameAlreadyListed) {
  Affiche_TwainPrefixe();
  TwainPrefixe& w = FenTwainPrefixe();
  w.Text1(1).setText("4.5");
  dialogs_->answerMsgBox(platform::vbOK);
  user::click(w.Command1(0));
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(Num_Capture, 1);

  // A name the next captures write is already in the image list.
  Ajoute_Image_Liste(in("S_7.bmp"));
  w.Text1(1).setText("7");
  dialogs_->answerMsgBox(platform::vbOK);
  w.Text1(0).setText("S");   // the change check says so
  EXPECT_EQ(test_nom_chargeur(), -1);
  dialogs_->answerMsgBox(platform::vbOK);
  user::click(w.Command1(0));
  EXPECT_TRUE(w.visible());
  EXPECT_EQ(Prefixe_Capture, "P");
  EXPECT_EQ(messages(), (std::vector<std::string>{"Premier numéro invalide", "nom d'image déjà sdans le chargeur",
                                                   "nom d'image déjà sdans le chargeur"}));
  user::click(w.Command1(1));   // Annule
  EXPECT_FALSE(w.visible());
  EXPECT_EQ(Num_Capture, 1);
}

TEST_F(Captures, NamingWindowAsksBeforeAnExistingFileAndInsertsTheDate) {
  platform::setClock(std::make_unique<PinnedDate>());
  Affiche_TwainPrefixe();
  TwainPrefixe& w = FenTwainPrefixe();
  ASSERT_TRUE(user::click(w.Option1(1)));   // "Votre choix": the prefix typed
  ASSERT_TRUE(user::click(w.Command3));
  EXPECT_EQ(w.Text1(0).text(), "20240303_");

  bmp("Q3.bmp", 10, 10);
  w.Text1(1).setText("3");
  dialogs_->answerMsgBox(platform::vbNo);   // No: the window stays
  w.Text1(0).setText("Q");
  EXPECT_TRUE(w.visible());
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], " attention, le fichier " + in("Q3.bmp") + " existe déjà et sera écrasé. Continuer ?");
  dialogs_->answerMsgBox(platform::vbYes);   // Yes closes it without applying
  w.Text1(1).setText(" 3");
  EXPECT_FALSE(w.visible());
  EXPECT_EQ(Prefixe_Capture, "P");
  EXPECT_EQ(Num_Capture, 1);

  // "Changer le  répertoire": a cancel keeps the folder.
  Affiche_TwainPrefixe();
  dialogs_->answerFolder(std::nullopt);
  user::click(w.Command2);
  EXPECT_EQ(Rep_Images, folder_.string());
  dialogs_->answerFolder(in("autre"));
  user::click(w.Command2);
  EXPECT_EQ(Rep_Images, in("autre"));
  EXPECT_EQ(w.Label1(2).caption(), "Répertoire : " + in("autre"));
}

// --- pasted pictures kept as captures ------------------------------------------------------

TEST_F(Captures, KeptPastesAreNumberedCapturesOfTheList) {
  QVL& f = Qvl();
  Sauve_Captures(1) = true;
  for (int n = 1; n <= 2; ++n) {
    platform::Clipboard::setImage(platform::Picture::filled(40 + n, 30, 0x2040C0));
    Image_Temporaire();
    const std::string capture = in("P" + std::to_string(n) + ".bmp");
    const platform::Picture written = decoded(capture);
    ASSERT_FALSE(written.isNull()) << capture;
    EXPECT_EQ(written.widthPixels(), 40 + n);
    EXPECT_EQ(written.heightPixels(), 30);
    EXPECT_EQ(written.pixel(5, 5), 0x2040C0u);
    EXPECT_EQ(Img_Active, capture);
    // A paste empties the list first: the capture is its one image, selected.
    EXPECT_EQ(Index_Image, 1);
    EXPECT_EQ(f.ListIMGchar.listCount(), 1);
    EXPECT_EQ(f.ListIMGchar.listIndex(), 0);
    EXPECT_EQ(Num_Capture, n + 1);
    EXPECT_TRUE(f.FraListeImg.visible());
    EXPECT_TRUE(platform::fileExists(Chemin_Image_Temporaire()));
  }
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(Captures, AnExistingCaptureFileAsksAndNoWritesNone) {
  QVL& f = Qvl();
  Sauve_Captures(1) = true;
  const std::string existing = bmp("P1.bmp", 7, 7);
  platform::Clipboard::setImage(platform::Picture::filled(40, 30, 0x2040C0));
  dialogs_->answerMsgBox(platform::vbNo);
  Image_Temporaire();
  EXPECT_EQ(messages(), std::vector<std::string>{" attention, le fichier " + existing +
                                                 " existe déjà et sera écrasé. Continuer ?"});
  EXPECT_EQ(decoded(existing).widthPixels(), 7);   // left whole
  EXPECT_EQ(Num_Capture, 1);
  EXPECT_TRUE(FenTwainPrefixe().visible());         // the naming window opened
  EXPECT_EQ(Img_Active, Chemin_Image_Temporaire());  // the paste is shown outside the list
  EXPECT_EQ(Index_Image, 0);
  EXPECT_EQ(f.ListIMGchar.listCount(), 0);

  // Yes replaces it.
  dialogs_->answerMsgBox(platform::vbYes);
  Image_Temporaire();
  EXPECT_EQ(decoded(existing).widthPixels(), 40);
  EXPECT_EQ(Img_Active, existing);
  EXPECT_EQ(Num_Capture, 2);
}

TEST_F(Captures, AFailedCaptureWriteShowsThePathAndKeepsTheNumber) {
  Sauve_Captures(1) = true;
  Rep_Images = in("no-such-folder");
  platform::Clipboard::setImage(platform::Picture::filled(40, 30, 0x2040C0));
  dialogs_->answerMsgBox(platform::vbOK);
  Image_Temporaire();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].rfind(MSG(144) + in("no-such-folder/P1.bmp") + "\r\n", 0), 0u) << messages()[0];
  EXPECT_EQ(Num_Capture, 1);
  EXPECT_EQ(Qvl().ListIMGchar.listCount(), 0);
  EXPECT_EQ(Img_Active, Chemin_Image_Temporaire());
}

TEST_F(Captures, WithFiftyImagesTheCaptureIsWrittenButNotListed) {
  QVL& f = Qvl();
  for (int i = 1; i <= kMaxImages; ++i) ASSERT_EQ(Ajoute_Image_Liste("/x/" + std::to_string(i) + ".bmp"), i);
  ASSERT_TRUE(Ecrit_Capture(platform::Picture::filled(20, 10, 0x808080)));
  dialogs_->answerMsgBox(platform::vbOK);
  AjouteImageTwain();
  EXPECT_EQ(decoded(in("P1.bmp")).widthPixels(), 20);
  EXPECT_EQ(messages(), std::vector<std::string>{"Problème de chargement du fichier image \r\n" + in("P1.bmp")});
  EXPECT_EQ(dialogs_->titles.back(), "Err number 9");
  EXPECT_EQ(Num_Capture, 2);
  EXPECT_EQ(f.ListIMGchar.listCount(), kMaxImages);
  EXPECT_EQ(Position_Image(in("P1.bmp")), -1);
}

// --- saving the picture and screen copies --------------------------------------------------

TEST_F(Captures, SauveTwainWritesTheFullPictureOrTheFrame) {
  QVL& f = Qvl();
  const std::string source = bmp("full.bmp", 120, 90);
  Ajoute_Image_Liste(source);
  ASSERT_TRUE(appel_img_listchar(source));
  Prefixe_Capture = "TwainImg_";
  Num_Capture = 3;
  dialogs_->answerSave(in("a.bmp"));
  user::click(f.MnuTwain(3));
  dialogs_->answerSave(in("b.bmp"));
  user::click(f.MnuTwain(4));
  EXPECT_EQ(proposed(), (std::vector<std::string>{"Twain_TwainImg_3.bmp", "Twain_TwainImg_3.bmp"}));
  const platform::Picture full = decoded(in("a.bmp"));
  EXPECT_EQ(full.widthPixels(), 120);
  EXPECT_EQ(full.heightPixels(), 90);
  const platform::Picture frame = decoded(in("b.bmp"));
  EXPECT_EQ(frame.widthPixels(), f.Picture1.image().widthPixels());
  EXPECT_EQ(frame.heightPixels(), f.Picture1.image().heightPixels());
  EXPECT_EQ(Num_Capture, 3);
}

TEST_F(Captures, CopyToFileSavesTheWorkingZone) {
  QVL& f = Qvl();
  const std::string source = bmp("spore.2.bmp", 120, 90);
  Ajoute_Image_Liste(source);
  ASSERT_TRUE(appel_img_listchar(source));
  // Neither item ticked (the start state): the working zone.
  dialogs_->answerSave(in("zone.bmp"));
  user::click(f.Mntool_a(3));
  EXPECT_EQ(proposed(), std::vector<std::string>{"ecran_spore.bmp"});
  const platform::Picture zone = decoded(in("zone.bmp"));
  ASSERT_FALSE(zone.isNull());
  EXPECT_EQ(zone.widthPixels(), f.Picture1.image().widthPixels());
  EXPECT_EQ(zone.heightPixels(), f.Picture1.image().heightPixels());
  EXPECT_EQ(zone.pixel(3, 3), f.Picture1.image().pixel(3, 3));

  // The "Zone de travail" item, through the button; a cancel writes nothing.
  user::click(f.Mn_Copie_Ecran(2));
  EXPECT_TRUE(f.Mn_Copie_Ecran(2).checked());
  EXPECT_FALSE(f.Mn_Copie_Ecran(1).checked());
  dialogs_->answerFileCancel(true);
  user::click(f.copie);
  EXPECT_FALSE(platform::fileExists(in("ecran_spore.bmp")));

  // A write that fails is shown.
  dialogs_->answerSave(in("no-such-folder/x.bmp"));
  dialogs_->answerMsgBox(platform::vbOK);
  Sauve_Capture("essai", 1);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].rfind(MSG(144) + in("no-such-folder/x.bmp"), 0), 0u);
}

TEST_F(Captures, ScreenCopyWritesTheScreenOrSaysThereIsNone) {
  QVL& f = Qvl();
  user::click(f.Mn_Copie_Ecran(1));
  EXPECT_TRUE(f.Mn_Copie_Ecran(1).checked());
  EXPECT_FALSE(f.Mn_Copie_Ecran(2).checked());
  platform::Picture ecran;
  std::string why;
  const bool given = platform::App::GrabScreen(&ecran, &why);
  dialogs_->answerSave(in("screen.bmp"));
  if (!given) dialogs_->answerMsgBox(platform::vbOK);
  Sauve_Capture("essai", 1);
  if (given) {
    const platform::Picture written = decoded(in("screen.bmp"));
    EXPECT_EQ(written.widthPixels(), ecran.widthPixels());
    EXPECT_EQ(written.heightPixels(), ecran.heightPixels());
    EXPECT_TRUE(messages().empty());
  } else {
    EXPECT_EQ(messages(), std::vector<std::string>{why});
    EXPECT_FALSE(platform::fileExists(in("screen.bmp")));
  }
}

// A save dialog that stays on the screen after its answer until the windows under it
// repaint, as a real one does: it covers the picture box with magenta when it answers
// and goes at the next turn of the event loop.
class CoveringDialogs final : public image_tests::TitledDialogs {
 public:
  platform::FileAnswer saveFile(const platform::FileRequest& r) override {
    const platform::FileAnswer a = TitledDialogs::saveFile(r);
    const QWidget* boite = Qvl().Picture1.widget();
    cover_ = std::make_unique<QWidget>(nullptr, Qt::Dialog);
    cover_->setStyleSheet("background: #FF00FF");
    cover_->setGeometry(QRect(boite->mapToGlobal(QPoint(0, 0)), boite->size()));
    cover_->show();
    QCoreApplication::processEvents();
    QTimer::singleShot(0, cover_.get(), [w = cover_.get()] { w->hide(); });
    return a;
  }

 private:
  std::unique_ptr<QWidget> cover_;
};

// With "Ecran" ticked the screen is taken once the save dialog has left it: nothing of
// the dialog is in the file, the picture box shows there as it does on the screen now.
TEST_F(Captures, ScreenCopyIsTakenOnceTheDialogHasGone) {
  QVL& f = Qvl();
  const std::string source = bmp("spore.bmp", 120, 90, 0x336699);
  Ajoute_Image_Liste(source);
  ASSERT_TRUE(appel_img_listchar(source));
  auto d = std::make_unique<CoveringDialogs>();
  dialogs_ = d.get();
  platform::setDialogs(std::move(d));
  if (platform::Picture essai; !platform::App::GrabScreen(&essai)) GTEST_SKIP() << "no screen copy here";
  ASSERT_TRUE(user::click(f.Mn_Copie_Ecran(1)));
  dialogs_->answerSave(in("screen.bmp"));
  ASSERT_TRUE(user::choose(f.Mntool_a(3)));
  const platform::Picture written = decoded(in("screen.bmp"));
  platform::Picture maintenant;
  ASSERT_TRUE(platform::App::GrabScreen(&maintenant));
  ASSERT_EQ(written.widthPixels(), maintenant.widthPixels());
  // Where the picture box lies on the screen, the copy shows what the screen shows now:
  // the picture, no magenta.
  const QWidget* boite = f.Picture1.widget();
  const QRect zone = QRect(boite->mapToGlobal(QPoint(0, 0)), boite->size()) &
                     QRect(0, 0, written.widthPixels(), written.heightPixels());
  ASSERT_FALSE(zone.isEmpty());
  int magenta = 0, differents = 0, image = 0;
  for (int y = zone.top(); y <= zone.bottom(); ++y) {
    for (int x = zone.left(); x <= zone.right(); ++x) {
      magenta += written.pixel(x, y) == 0xFF00FF;
      differents += written.pixel(x, y) != maintenant.pixel(x, y);
      image += maintenant.pixel(x, y) == 0x336699;
    }
  }
  EXPECT_EQ(magenta, 0);
  EXPECT_EQ(differents, 0);
  EXPECT_GT(image, 0);
}

// --- acquisitions through SANE -------------------------------------------------------------

bool testBackendInstalled() {
  for (const char* dir : {"/usr/lib/x86_64-linux-gnu/sane", "/usr/lib/aarch64-linux-gnu/sane", "/usr/lib/sane",
                          "/usr/lib64/sane", "/usr/local/lib/sane"}) {
    struct stat st;
    const std::string d(dir);
    if (stat((d + "/libsane-test.so.1").c_str(), &st) == 0 || stat((d + "/libsane-test.so").c_str(), &st) == 0)
      return true;
  }
  return false;
}

// Suite names begin "Scanner": these tests run under the scanner tests' time limit.
class ScannerCaptures : public Captures {
 protected:
  static void SetUpTestSuite() {
    setenv("SANE_CONFIG_DIR", (std::string(QV_TEST_SUPPORT) + "/sane").c_str(), 1);
  }
  void SetUp() override {
    Captures::SetUp();
    if (!testBackendInstalled()) GTEST_SKIP() << "SANE test backend (libsane-test) not installed";
    platform::Scanner::setSelectedSource("");
  }
  void TearDown() override {
    platform::Scanner::setSelectedSource("");
    Captures::TearDown();
  }
};

TEST_F(ScannerCaptures, TwoAcquisitionsWriteAndListNumberedCaptures) {
  QVL& f = Qvl();
  dialogs_->answerChoose(0);
  user::click(f.MnuTwain(1));
  EXPECT_EQ(platform::Scanner::selectedSource(), "test:0");
  for (int n = 1; n <= 2; ++n) {
    user::click(f.MnuTwain(2));
    const std::string capture = in("TwainImg_" + std::to_string(n) + ".bmp");
    const platform::Picture written = decoded(capture);
    ASSERT_FALSE(written.isNull()) << capture;
    // 20 x 15 mm at 75 dpi.
    EXPECT_EQ(written.widthPixels(), 59);
    EXPECT_EQ(written.heightPixels(), 44);
    EXPECT_EQ(Img_Active, capture);
    EXPECT_EQ(f.ListIMGchar.listCount(), n);
    EXPECT_EQ(f.ListImgAff.list(n - 1), "TwainImg_" + std::to_string(n) + ".bmp");
    EXPECT_EQ(Num_Capture, n + 1);
    const platform::Picture clip = platform::Clipboard::getImage();
    EXPECT_EQ(clip.widthPixels(), 59);
  }
  EXPECT_EQ(Prefixe_Capture, "TwainImg_");
  EXPECT_EQ(messages(), std::vector<std::string>{});
}

TEST_F(ScannerCaptures, WithoutSavingThePictureIsShownOutsideTheList) {
  QVL& f = Qvl();
  Sauve_Captures(0) = false;
  user::click(f.Command6);
  EXPECT_EQ(Index_Image, 0);
  EXPECT_EQ(Img_Active, Chemin_Image_Temporaire());
  EXPECT_EQ(f.picbase.picture().widthPixels(), 59);
  EXPECT_EQ(f.ListIMGchar.listCount(), 0);
  EXPECT_EQ(Num_Capture, 1);
  EXPECT_FALSE(platform::fileExists(in("TwainImg_1.bmp")));
}

TEST_F(ScannerCaptures, NoDeviceGivesTheMessageAndChangesNothing) {
  QVL& f = Qvl();
  platform::Scanner::setSelectedSource("nosuch:0");
  dialogs_->answerMsgBox(platform::vbOK);
  user::click(f.MnuTwain(2));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].rfind("Echec de la capture Twain\r\n", 0), 0u);
  EXPECT_GT(messages()[0].size(), std::string("Echec de la capture Twain\r\n").size());   // the reason
  EXPECT_EQ(Num_Capture, 1);
  EXPECT_EQ(f.ListIMGchar.listCount(), 0);
  EXPECT_EQ(Img_Active, "");
  EXPECT_FALSE(platform::fileExists(in("TwainImg_1.bmp")));
}

}  // namespace
