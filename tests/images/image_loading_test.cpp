// Adding many images at once and the folder frame: the adding order and limit on
// their own, then the multi-file dialog, the loader menu and every row of the frame's
// button table on the real main window (offscreen) with scripted dialogs.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "image_window_fixture.h"
#include "images/image_files.h"
#include "images/image_list.h"
#include "images/image_loading.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/events.h"
#include "support/user_input.h"

namespace {

using image_tests::ImageWindow;

// --- rules ----------------------------------------------------------------------------

TEST(AddingOrder, ByFileNameIgnoringCaseWhateverTheClicks) {
  struct Case {
    std::vector<std::string> chosen, expected;
  };
  const Case cases[] = {
      {{"/d/e.bmp", "/d/b.bmp", "/d/a.bmp", "/d/d.bmp", "/d/c.bmp"},
       {"/d/a.bmp", "/d/b.bmp", "/d/c.bmp", "/d/d.bmp", "/d/e.bmp"}},
      // Capitals sort with their small letters, not before them.
      {{"/d/b.JPG", "/d/A.bmp", "/d/a2.bmp"}, {"/d/A.bmp", "/d/a2.bmp", "/d/b.JPG"}},
      // The folder plays no part; names equal but for case keep one fixed order.
      {{"/z/img.bmp", "/a/IMG.bmp", "/m/b.bmp"}, {"/m/b.bmp", "/a/IMG.bmp", "/z/img.bmp"}},
      {{"/d/Ab.bmp", "/d/ab.bmp"}, {"/d/Ab.bmp", "/d/ab.bmp"}},
      {{"/d/ab.bmp", "/d/Ab.bmp"}, {"/d/Ab.bmp", "/d/ab.bmp"}},
      {{}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Ordre_Ajout(c.chosen), c.expected);
}

TEST(AddingPlan, DuplicatesAreSkippedAndTheLimitDropsTheRest) {
  struct Case {
    const char* what;
    int listed;
    std::vector<std::string> chosen;
    int maximum;
    std::vector<std::string> added, duplicates;
    bool full;
  };
  const Case cases[] = {
      {"one already listed", 3, {"/d/a", "/d/i1", "/d/b"}, 50, {"/d/a", "/d/b"}, {"/d/i1"}, false},
      {"room for two of three", 48, {"/d/a", "/d/b", "/d/c"}, 50, {"/d/a", "/d/b"}, {}, true},
      {"exactly to the limit", 47, {"/d/a", "/d/b", "/d/c"}, 50, {"/d/a", "/d/b", "/d/c"}, {}, false},
      {"full list", 50, {"/d/a"}, 50, {}, {}, true},
      // A duplicate met after the limit is not reported: the rest was dropped.
      {"duplicate after the limit", 49, {"/d/a", "/d/b", "/d/i2"}, 50, {"/d/a"}, {}, true},
      {"chosen twice", 0, {"/d/a", "/d/a"}, 50, {"/d/a"}, {"/d/a"}, false},
      // Paths compare whole and with case.
      {"other case is another file", 2, {"/d/I1", "/d/i1"}, 50, {"/d/I1"}, {"/d/i1"}, false},
      {"empty path ignored", 0, {""}, 50, {}, {}, false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> listed;
    for (int i = 1; i <= c.listed; ++i) listed.push_back("/d/i" + std::to_string(i));
    const Plan_Ajout p = Planifie_Ajout(listed, c.chosen, c.maximum);
    EXPECT_EQ(p.ajouts, c.added) << c.what;
    EXPECT_EQ(p.doublons, c.duplicates) << c.what;
    EXPECT_EQ(p.liste_pleine, c.full) << c.what;
  }
}

TEST(AddingTexts, PanelTexts) {
  EXPECT_EQ(Texte_Deja_Listee("c.bmp"), "l'image c.bmp est déjà dans la liste ");
  EXPECT_EQ(Texte_Images_Chargees(5), "5  Images chargées");
}

// --- the window -------------------------------------------------------------------------

// A clock that moves on at every reading and notes the message panel's text and colour
// each time (the panel's waits read it).
class PanelClock final : public platform::Clock {
 public:
  explicit PanelClock(std::vector<std::string>* seen) : seen_(seen) {}
  double monotonicSeconds() override {
    QVL& f = Qvl();
    if (f.FraFlash.visible()) {
      const std::string s = platform::CStr(static_cast<long long>(f.FraFlash.backColor())) + ":" +
                            f.lblLabelflashx.caption();
      if (seen_->empty() || seen_->back() != s) seen_->push_back(s);
    }
    return now_ += 0.5;
  }
  double secondsSinceMidnight() override { return 43200.0; }

 private:
  std::vector<std::string>* seen_;
  double now_ = 1000.0;
};

class ImageLoading : public ImageWindow {
 protected:
  void SetUp() override {
    ImageWindow::SetUp();
    platform::setClock(std::make_unique<PanelClock>(&panels_));
    QVL& f = Qvl();
    savedPanneau_ = Rep_Panneau;
    savedRepProg_ = Rep_Prog;
    savedAlerte_ = Alerte_W7;
    f.FraListeImg.setVisible(false);
    f.FraRep.setVisible(false);
  }
  void TearDown() override {
    QVL& f = Qvl();
    f.FraListeImg.setVisible(false);
    f.FraRep.setVisible(false);
    f.ListRep.clear();
    Rep_Panneau = savedPanneau_;
    Rep_Prog = savedRepProg_;
    Alerte_W7 = savedAlerte_;
    ImageWindow::TearDown();
  }
  // The paths of the image list, in order.
  static std::vector<std::string> listed() {
    std::vector<std::string> v;
    for (int i = 0; i < Qvl().ListIMGchar.listCount(); ++i) v.push_back(Qvl().ListIMGchar.list(i));
    return v;
  }
  std::string in(const std::string& name) const { return (folder_ / name).string(); }

  std::vector<std::string> panels_;
  int savedPanneau_ = 0;
  std::string savedRepProg_;
  bool savedAlerte_ = true;
};

TEST_F(ImageLoading, AddedInNameOrderWithoutChangingThePictureShown) {
  QVL& f = Qvl();
  const std::string c = bmp("c.bmp", 40, 30);
  Calibrage = 0.25;
  ASSERT_EQ(Ajoute_Image_Liste(c), 1);
  ASSERT_TRUE(appel_img_listchar(c));
  for (const char* n : {"a.bmp", "b.bmp", "d.bmp", "e.bmp"}) bmp(n, 20, 20);
  Calibrage = 0.5;   // the calibration in force when adding
  Rep_Images = "/";
  dialogs_->answerOpen({in("e.bmp"), in("b.bmp"), in("a.bmp"), in("d.bmp"), in("c.bmp")});
  user::click(f.MnuCharg(1));

  EXPECT_EQ(listed(), (std::vector<std::string>{c, in("a.bmp"), in("b.bmp"), in("d.bmp"), in("e.bmp")}));
  for (int n = 2; n <= 5; ++n) EXPECT_DOUBLE_EQ(Calib_Images(n), 0.5) << n;
  EXPECT_EQ(panels_, (std::vector<std::string>{"65535:l'image c.bmp est déjà dans la liste ",
                                               "65280:5  Images chargées"}));
  // The picture shown, its number, its calibration and the selection stay.
  EXPECT_EQ(Index_Image, 1);
  EXPECT_EQ(Img_Active, c);
  EXPECT_DOUBLE_EQ(Calibrage, 0.5);
  EXPECT_EQ(f.picbase.picture().widthPixels(), 40);
  EXPECT_EQ(f.ListIMGchar.listIndex(), 0);
  EXPECT_EQ(f.ListImgAff.listCount(), 5);
  EXPECT_TRUE(f.FraListeImg.visible());
  // The dialog: several files, opening in the image folder, with the image filter;
  // afterwards the image folder is the one the files came from.
  ASSERT_EQ(dialogs_->log().size(), 1u);
  const platform::FileRequest& r = dialogs_->log()[0].request;
  EXPECT_TRUE(r.multiSelect);
  EXPECT_EQ(r.initialFolder, "/");
  EXPECT_EQ(r.filter, kFiltreBlocImages);
  EXPECT_NE(r.filter.find("|*.wmf |Tous les fichiers (*.*)|*.*"), std::string::npos);
  EXPECT_EQ(Rep_Images, folder_.string());
  EXPECT_EQ(f.StatusBar1.simpleText(), MNU(2));
  EXPECT_EQ(Rep_Panneau, 1);
}

TEST_F(ImageLoading, TheFiftyImageLimitKeepsWhatWasAddedBeforeIt) {
  for (int i = 1; i <= 47; ++i) ASSERT_EQ(Ajoute_Image_Liste("/x/i" + std::to_string(i) + ".bmp"), i);
  dialogs_->answerOpen({in("v.bmp"), in("w.bmp"), in("x.bmp"), in("y.bmp"), in("z.bmp")});
  dialogs_->answerMsgBox(platform::vbOK);
  Gest_FraRep(1);
  EXPECT_EQ(Nombre_Images(), 50);
  EXPECT_EQ(Qvl().ListIMGchar.list(47), in("v.bmp"));
  EXPECT_EQ(Qvl().ListIMGchar.list(49), in("x.bmp"));
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(242)}));
  EXPECT_TRUE(panels_.empty());   // no count after the failure
  EXPECT_EQ(Index_Image, 0);
}

TEST_F(ImageLoading, ACancelledDialogChangesNothingAndSaysNothing) {
  QVL& f = Qvl();
  Rep_Images = "/tmp";
  dialogs_->answerFileCancel(false);
  user::click(f.MnuCharg(1));
  EXPECT_EQ(Nombre_Images(), 0);
  EXPECT_EQ(Rep_Images, "/tmp");
  EXPECT_TRUE(panels_.empty());
  EXPECT_EQ(messages().size(), 0u);
  EXPECT_FALSE(f.FraListeImg.visible());
}

TEST_F(ImageLoading, OneFileAlreadyListedIsNamedAndNothingIsAdded) {
  const std::string a = bmp("a.bmp", 10, 10);
  ASSERT_EQ(Ajoute_Image_Liste(a), 1);
  dialogs_->answerOpen({a});
  Gest_FraRep(1);
  EXPECT_EQ(Nombre_Images(), 1);
  EXPECT_EQ(panels_, (std::vector<std::string>{"65535:l'image a.bmp est déjà dans la liste "}));
  // One new file: added, no count.
  const std::string b = bmp("b.bmp", 10, 10);
  panels_.clear();
  dialogs_->answerOpen({b});
  Gest_FraRep(1);
  EXPECT_EQ(listed(), (std::vector<std::string>{a, b}));
  EXPECT_TRUE(panels_.empty());
}

TEST_F(ImageLoading, ImageFolderItemSetsTheFolderAndAddsTheFiles) {
  QVL& f = Qvl();
  const std::string a = bmp("a.bmp", 10, 10);
  Rep_Panneau = 2;
  dialogs_->answerOpen({a});
  user::click(f.MnuFIC(13));
  EXPECT_EQ(f.StatusBar1.simpleText(), MNU(5) + MNU(20) + MNU(21));
  EXPECT_EQ(f.StatusBar1.simpleText(), "Choisir le Répertoire Image");
  EXPECT_EQ(Rep_Panneau, 0);
  EXPECT_EQ(Rep_Images, folder_.string());
  EXPECT_EQ(listed(), (std::vector<std::string>{a}));
  // The next dialog opens there.
  dialogs_->answerFileCancel(false);
  user::click(f.MnuCharg(1));
  EXPECT_EQ(dialogs_->log().back().request.initialFolder, folder_.string());
}

TEST_F(ImageLoading, FilesChosenInTheProgramFolderWarnOnce) {
  Rep_Prog = folder_.string();
  Alerte_W7 = true;
  const std::string a = bmp("a.bmp", 10, 10), b = bmp("b.bmp", 10, 10);
  dialogs_->answerOpen({a});
  dialogs_->answerMsgBox(platform::vbOK);
  Gest_FraRep(1);
  dialogs_->answerOpen({b});
  Gest_FraRep(1);
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(12)}));
  EXPECT_FALSE(Alerte_W7);
}

TEST_F(ImageLoading, AMetafileIsListedAndRefusedWhenShown) {
  const std::string wmf = rawFile("dessin.wmf", std::string("\xD7\xCD\xC6\x9A\0\0", 6));
  dialogs_->answerOpen({wmf});
  Gest_FraRep(1);
  ASSERT_EQ(listed(), (std::vector<std::string>{wmf}));
  dialogs_->answerMsgBox(platform::vbOK);
  Qvl().ListImgAff.setListIndex(0);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], MSG(157) + platform::vbCrLf + wmf);
  EXPECT_EQ(Index_Image, 0);
}

// Every row of the frame's button table: mode, folder list shown, button, and what
// follows (the dialog opened or not, the frames shown, the images listed).
TEST_F(ImageLoading, FolderFrameButtonsFollowTheirTable) {
  QVL& f = Qvl();
  struct Row {
    int mode;
    bool dirShown;
    int button;
    bool dialog;        // the multi-file dialog opens (answered with a cancel)
    bool frameAfter;    // FraRep shown afterwards
    bool listAfter;     // FraListeImg shown afterwards
    bool folderTaken;   // Rep_Images := the folder selected in RepDir
    int imagesAfter;    // the two files selected in ListRep added
  };
  const Row rows[] = {
      {0, true, 0, false, false, true, true, 0},
      {1, true, 0, true, true, true, true, 0},
      {1, false, 0, true, true, true, false, 2},
      {33, true, 0, false, true, true, false, 0},
      {1, true, 1, true, true, true, false, 0},
      {0, true, 1, false, true, true, false, 0},
      {2, false, 1, false, true, true, false, 0},
      {0, true, 2, false, false, true, false, 0},
      {2, false, 2, false, false, true, false, 0},
      {1, true, 2, true, true, false, false, 0},
      {1, false, 2, false, false, false, false, 0},
      {33, true, 2, false, true, true, false, 0},
  };
  std::filesystem::create_directories(folder_ / "sous");
  bmp("p.bmp", 10, 10);
  bmp("q.bmp", 10, 10);
  int n = 0;
  for (const Row& r : rows) {
    const std::string what = "row " + std::to_string(n++);
    Vide_Listes();
    dialogs_->clear();
    Rep_Images = folder_.string();
    f.FraRep.setVisible(true);
    f.FraListeImg.setVisible(true);
    f.RepDir.setPath(folder_.string());
    f.RepDir.setVisible(r.dirShown);
    for (int i = 0; i < f.RepDir.listCount(); ++i)
      if (Nom_Fichier(f.RepDir.list(i)) == "sous") f.RepDir.setListIndex(i);
    f.ListRep.clear();
    f.ListRep.addItem("p.bmp");
    f.ListRep.addItem("q.bmp");
    f.ListRep.setSelected(0, true);
    f.ListRep.setSelected(1, true);
    Rep_Panneau = r.mode;
    f.StatusBar1.setSimpleText("avant");
    if (r.dialog) dialogs_->answerFileCancel(false);
    user::click(f.cmdRep(r.button));
    int dialogs = 0;
    for (const auto& a : dialogs_->log()) dialogs += a.kind == "openFile";
    EXPECT_EQ(dialogs, r.dialog ? 1 : 0) << what;
    EXPECT_EQ(f.FraRep.visible(), r.frameAfter) << what;
    EXPECT_EQ(f.FraListeImg.visible(), r.listAfter) << what;
    EXPECT_EQ(Rep_Images, r.folderTaken ? (folder_ / "sous").string() : folder_.string()) << what;
    EXPECT_EQ(Nombre_Images(), r.imagesAfter) << what;
    EXPECT_EQ(f.StatusBar1.simpleText(), "") << what;
    EXPECT_EQ(dialogs_->pending(), 0u) << what;
  }
  EXPECT_EQ(listed().size(), 0u);
  Vide_Listes();
}

// In the browsing modes the frame shows the image folder in its folder list; a click in
// the file list or the folder list writes the path in the path box. The export frame's
// folder list names its folder in Label11.
TEST_F(ImageLoading, BrowsingTheFolderFrameFillsThePathBox) {
  QVL& f = Qvl();
  std::filesystem::create_directories(folder_ / "lames");
  Rep_Images = folder_.string();
  NouveauRep("", 1);
  EXPECT_TRUE(f.FraRep.visible());
  EXPECT_TRUE(f.RepDir.visible());
  EXPECT_TRUE(f.RepDrive.visible());
  EXPECT_EQ(f.RepDir.path(), folder_.string());
  f.ListRep.clear();
  f.ListRep.addItem("spores 1.bmp");
  f.ListRep.setListIndex(0);
  const std::string attendu = folder_.string() + "/spores 1.bmp";
  EXPECT_EQ(f.repText1.text(), attendu);
  EXPECT_EQ(f.repText1.selStart(), platform::Len(attendu));
  EXPECT_EQ(Rep_Courant, folder_.string());
  int k = -1;
  for (int i = 0; i < f.RepDir.listCount(); ++i)
    if (Nom_Fichier(f.RepDir.list(i)) == "lames") k = i;
  ASSERT_GE(k, 0);
  f.RepDir.setListIndex(k);
  EXPECT_EQ(f.repText1.text(), (folder_ / "lames").string());

  const std::string dir1 = f.Dir1.path();
  ASSERT_TRUE(f.Dir1.setPath((folder_ / "lames").string()));
  EXPECT_EQ(f.Label11.caption(), "Rep : lames");
  f.Dir1.setPath(dir1);
}

// The frame's "Charger" adding the files selected in its list stops at the limit too:
// the files before it stay, the rest is dropped, MSG(242) says so and no dialog follows.
TEST_F(ImageLoading, TheFolderFrameAddsUpToTheLimitOnly) {
  QVL& f = Qvl();
  for (int i = 1; i <= 49; ++i) ASSERT_EQ(Ajoute_Image_Liste("/x/i" + std::to_string(i) + ".bmp"), i);
  bmp("p.bmp", 10, 10);
  bmp("q.bmp", 10, 10);
  Rep_Images = folder_.string();
  Rep_Panneau = 1;
  f.FraRep.setVisible(true);
  f.RepDir.setVisible(false);
  f.ListRep.clear();
  for (const char* n : {"p.bmp", "q.bmp"}) f.ListRep.addItem(n);
  f.ListRep.setSelected(0, true);
  f.ListRep.setSelected(1, true);
  dialogs_->answerMsgBox(platform::vbOK);
  user::click(f.cmdRep(0));
  EXPECT_EQ(Nombre_Images(), 50);
  EXPECT_EQ(f.ListIMGchar.list(49), in("p.bmp"));
  EXPECT_EQ(kinds(), (std::vector<std::string>{"msgBox"}));
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(242)}));
  EXPECT_EQ(MSG(242), "Charger les images par plus petits paquets !");
  EXPECT_EQ(Index_Image, 0);
}

TEST_F(ImageLoading, RemovalFrameListsTheUnusedImagesWithoutFolderLists) {
  QVL& f = Qvl();
  for (const char* n : {"/x/a.bmp", "/x/b.bmp", "/x/c.bmp"}) Ajoute_Image_Liste(n);
  TabMesures(1).NumImage = 2;
  LigneCourante = 2;
  user::click(f.MnuCharg(2));
  EXPECT_TRUE(f.FraRep.visible());
  EXPECT_FALSE(f.RepDir.visible());
  EXPECT_FALSE(f.RepDrive.visible());
  EXPECT_EQ(f.StatusBar1.simpleText(), MNU(25));
  EXPECT_EQ(Rep_Panneau, 2);
  ASSERT_EQ(f.ListRep.listCount(), 2);
  EXPECT_EQ(f.ListRep.list(0), "a.bmp");
  EXPECT_EQ(f.ListRep.list(1), "c.bmp");
  // A click in the list fills no path in this mode.
  f.repText1.setText("");
  f.ListRep.setListIndex(1);
  EXPECT_EQ(f.repText1.text(), "");
  // Nothing selected: "Charger" removes nothing and says what to do.
  f.ListRep.setSelected(1, false);
  dialogs_->answerMsgBox(platform::vbOK);
  user::click(f.cmdRep(0));
  EXPECT_EQ(Nombre_Images(), 3);
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].text, "Choisir dans la liste les images à supprimer");
}

}  // namespace
