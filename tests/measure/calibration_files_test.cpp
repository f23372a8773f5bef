// The calibration file on the real main window: storing under a comment (golden bytes
// in both decimal separators), refused comments, a read-only program folder, the list
// and its "Valider", the nearest stored calibration, the preset buttons with the
// settings file, and the calibration files window.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QThread>
#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "calibration_window.h"
#include "forms/calibration_files_window.h"
#include "measure/calibration_file.h"
#include "measure/calibration_files_window.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "shell/main_menus.h"
#include "shell/tools_menu.h"
#include "shell/settings_file.h"
#include "support/layout_check.h"
#include "support/ordinary_user.h"
#include "support/user_input.h"

namespace {

namespace fs = std::filesystem;
using calibration_window::CalibrationWindow;

const std::string kEntete = "ne pas modifier les donn\xE9" "es num\xE9riques !\r\n\r\n";

class CalibrationFiles : public CalibrationWindow {
 protected:
  void TearDown() override {
    platform::SetDecimalSeparator('.');
    CalibrationWindow::TearDown();
  }
  std::string fichier(const std::string& nom) const { return images_.file(nom); }
  void ecrit(const std::string& nom, const std::string& octets) const {
    ASSERT_TRUE(platform::saveFileAtomic(fichier(nom), octets));
  }
  // The coefficient stored under a comment through the panel's "Sauvegarde".
  static void stocke(double c, const std::string& commentaire) {
    Calibrage = c;
    Menu_Etalonnage();
    bouton(25);
    Qvl().TBox(0).setText(commentaire);
    bouton(20);
  }
  static std::vector<std::string> liste() {
    std::vector<std::string> l;
    for (int i = 0; i < Qvl().ListCalib.listCount(); ++i) l.push_back(Qvl().ListCalib.list(i));
    return l;
  }
  static std::vector<std::string> combo() {
    std::vector<std::string> l;
    Cmpl& w = Fenetre_Fichiers_Calibrage();
    for (int i = 0; i < w.Combo1.listCount(); ++i) l.push_back(w.Combo1.list(i));
    return l;
  }
};

TEST_F(CalibrationFiles, StoresGiveTheGoldenFileInBothSeparators) {
  for (char sep : {'.', ','}) {
    platform::SetDecimalSeparator(sep);
    fs::remove(fichier("Qvrl.Cal"));
    dialogs_->clear();
    ok();
    stocke(0.05, "x63 plan");
    stocke(0.0125, "immersion");
    const std::string v = sep == '.' ? "." : ",";
    EXPECT_EQ(session_window::bytesOf(fichier("Qvrl.Cal")),
              kEntete + "x63 plan =  0" + v + "05\r\nimmersion =  0" + v + "0125\r\n");
    EXPECT_EQ(messages(), (std::vector<std::string>{"création " + fichier("Qvrl.Cal")}));
    EXPECT_EQ(Qvl().Label_Calib.caption(), "immersion = 0" + v + "0125");
    EXPECT_FALSE(Qvl().Frame(7).visible());
    // Loaded again: both entries, in file order.
    Calibrage_Charge(1);
    EXPECT_EQ(liste(), (std::vector<std::string>{"x63 plan =  0" + v + "05", "immersion =  0" + v + "0125"}));
  }
}

TEST_F(CalibrationFiles, CommentsWithEqualOrSemicolonAreRefused) {
  ecrit("Qvrl.Cal", kEntete + "a =  0.5\r\n");
  Calibrage_Charge(0);
  ok(2);
  stocke(0.05, "x40 = huile");
  stocke(0.05, "x40;x60");
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(135), "le commentaire ne doit pas contenir de signe ' ; '"}));
  EXPECT_EQ(session_window::bytesOf(fichier("Qvrl.Cal")), kEntete + "a =  0.5\r\n");
  EXPECT_EQ(liste(), (std::vector<std::string>{"a =  0.5"}));
}

// Root ignores permission bits: the store runs in a child as an ordinary user.
TEST_F(CalibrationFiles, StoreIntoAReadOnlyFolderListsNothing) {
  const std::string dossier = fichier("ro");
  ASSERT_TRUE(platform::makeFolder(dossier));
  ASSERT_EQ(chmod(images_.file("").c_str(), 0755), 0);
  ASSERT_EQ(chmod(dossier.c_str(), 0555), 0);
  Rep_Prog = dossier;
  Qvl().ListCalib.clear();
  Qvl().Label_Calib.setCaption("avant");
  ok(2);
  auto essai = [this]() -> int {
    stocke(0.05, "x63");
    const std::vector<std::string> m = messages();
    if (m.size() != 2 || m[0] != "création " + Rep_Prog + "/Qvrl.Cal") return 1;
    if (m[1].find(MSG(144) + Rep_Prog + "/Qvrl.Cal") != 0) return 2;
    if (Qvl().ListCalib.listCount() != 0 || !Qvl().Label_Calib.caption().empty()) return 3;
    if (fs::exists(Rep_Prog + "/Qvrl.Cal")) return 4;
    return 0;
  };
  const int resultat = test_support::asOrdinaryUser(essai);
  // A child's answers were not taken in this process.
  if (geteuid() == 0) dialogs_->clear();
  EXPECT_EQ(resultat, 0);
  EXPECT_EQ(chmod(dossier.c_str(), 0755), 0);
}

// A list line chosen and validated becomes the image's coefficient; a line that holds
// no coefficient changes nothing.
TEST_F(CalibrationFiles, ListChoiceAndValidation) {
  show("un.bmp", 400, 0.05);
  ecrit("Qvrl.Cal", kEntete + "\r\nsans signe\r\nx20 = 0,25\r\nrien = abc\r\nx100=0.0625\r\n");
  Menu_Etalonnage();
  EXPECT_EQ(liste(), (std::vector<std::string>{"x20 = 0,25", "rien = abc", "x100=0.0625"}));
  QVL& f = Qvl();
  f.ListCalib.setListIndex(0);
  EXPECT_EQ(f.TBox(0).text(), "0,25");
  EXPECT_DOUBLE_EQ(Calibrage, 0.25);
  EXPECT_EQ(Calib_Choisie, "x20 = 0,25");
  EXPECT_EQ(f.StatusBar1.simpleText(), MSG(276));
  bouton(20);
  EXPECT_EQ(f.label(5).caption(), "Cal.=0.2500");
  EXPECT_EQ(f.Label_Calib.caption(), "x20 = 0,25");
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.25);
  EXPECT_FALSE(f.Frame(7).visible());
  EXPECT_TRUE(f.Bout(1).enabled());

  Menu_Etalonnage();
  f.ListCalib.setListIndex(1);
  EXPECT_DOUBLE_EQ(Calibrage, 0.25);
  EXPECT_TRUE(Calib_Choisie.empty());
  ok();
  bouton(20);
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(101) + "104"}));
  EXPECT_DOUBLE_EQ(Calibrage, 0.25);
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.25);
}

// The name of the current coefficient: the first entry of equal value, none for a
// value 1E-9 away; a missing file is reported once per run.
TEST_F(CalibrationFiles, NearestStoredCalibrationNamesTheCoefficient) {
  ecrit("Qvrl.Cal", kEntete + "a = 0,5\r\nb=0.5\r\nc = 0.25\r\n");
  QVL& f = Qvl();
  const struct {
    double c;
    const char* nom;
  } cas[] = {{0.5, "a = 0,5"}, {0.25, "c = 0.25"}, {0.5 + 1E-9, "0.500000001"}, {3, "3"}};
  for (const auto& c : cas) {
    Calibrage = c.c;
    ChercheCal_FicCalibrage();
    EXPECT_EQ(f.Label_Calib.caption(), c.nom) << c.c;
  }
  fs::remove(fichier("Qvrl.Cal"));
  Absence_Calib_Signalee = false;
  ok();
  show("un.bmp", 400, 0.05);
  show("deux.bmp", 400, 0.2);
  ChercheCal_FicCalibrage();
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(137)}));
  EXPECT_EQ(f.Label_Calib.caption(), "0.2");
}

// Presets read from the settings, applied, cleared, programmed from a list line, saved
// and read again.
TEST_F(CalibrationFiles, PresetsRoundTripThroughTheSettings) {
  show("un.bmp", 400, 0.05);
  QVL& f = Qvl();
  std::vector<std::string> lignes = Lignes_Parametres(Reglages_Courants());
  for (std::string& l : lignes)
    if (l.rfind("CALPREDEF=", 0) == 0) l = "CALPREDEF= x20 = 0,25;;x60 = 0.0625;;;";
  ASSERT_TRUE(platform::writeLines(Chemin_Parametres(), lignes));
  Lire_Parametres();
  const bool attendus[] = {true, false, true, false, false};
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(f.Command13(i).enabled(), attendus[i]) << i;
  EXPECT_EQ(f.Command13(0).backColor(), 65535u);
  EXPECT_EQ(f.Command14(2).backColor(), 16776960u);
  EXPECT_EQ(f.Command13(1).backColor(), 14737632u);

  ASSERT_TRUE(user::click(f.MnuEDit(4)));   // the calibration panel holds the presets
  ASSERT_TRUE(user::click(f.Command13(2)));
  EXPECT_DOUBLE_EQ(Calibrage, 0.0625);
  EXPECT_EQ(f.label(5).caption(), "Cal.=0.0625");
  EXPECT_EQ(f.Label_Calib.caption(), "x60 = 0.0625");
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.0625);

  f.Command14.onMouseDown(0, 2, 0, 0, 0);
  EXPECT_TRUE(Calib_Predef(0).empty());
  EXPECT_FALSE(f.Command13(0).enabled());
  EXPECT_EQ(f.Command14(0).backColor(), 0xE0E0E0u);
  f.Command13(0).click();   // disabled in the window; from code it does nothing
  EXPECT_DOUBLE_EQ(Calibrage, 0.0625);

  ecrit("Qvrl.Cal", kEntete + "x100 = 0.025\r\n");
  Menu_Etalonnage();
  f.ListCalib.setListIndex(0);
  user::click(f.Command14(3));
  EXPECT_EQ(Calib_Predef(3), "x100 = 0.025");
  EXPECT_TRUE(f.Command13(3).enabled());
  EXPECT_EQ(f.Command13(3).backColor(), Couleurs(4));
  ASSERT_TRUE(Sauve_Parametres(1));
  std::vector<std::string> relues;
  ASSERT_TRUE(platform::readLines(Chemin_Parametres(), &relues));
  std::string predef;
  for (const std::string& l : relues)
    if (l.rfind("CALPREDEF=", 0) == 0) predef = l;
  EXPECT_EQ(predef, "CALPREDEF= ;;x60 = 0.0625;x100 = 0.025;;");

  for (int i = 0; i <= 4; ++i) {
    Calib_Predef(i) = "";
    f.Command13(i).setEnabled(false);
  }
  Lire_Parametres();
  const bool apres[] = {false, false, true, true, false};
  for (int i = 0; i <= 4; ++i) EXPECT_EQ(f.Command13(i).enabled(), apres[i]) << i;
}

// The files window: only valid names, only listed files touched, never a file replaced.
TEST_F(CalibrationFiles, FilesWindowRefusesBadNamesAndTouchesOnlyListedFiles) {
  ecrit("a.cal", kEntete);
  ecrit("B.CAL", kEntete + "x = 1\r\n");
  ecrit("Qvrl.dat", "UTILISATEUR =x\r\n");
  ecrit("notes.txt", "x");
  ecrit("cal", "");
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  w.show();   // shown, not modal, for the test to go on while it is open
  platform::DoEvents();
  Cmpl_Form_Load();
  // The list dropped down as the combo box took the focus: the user closes it.
  QAbstractItemView* deroulee = static_cast<QComboBox*>(w.Combo1.widget())->view();
  if (deroulee->isVisible()) user::pressKey(deroulee, Qt::Key_Escape);
  EXPECT_FALSE(deroulee->isVisible());
  EXPECT_EQ(combo(), (std::vector<std::string>{"a.cal", "B.CAL", "cal"}));
  EXPECT_EQ(w.Combo1.text(), "Qvrl.Cal");
  EXPECT_EQ(w.Command2(3).caption(), "Effacer");
  layout::expectClean(w, "ouverte");

  // New: bad names refused; an existing name in another case refused; a new one made.
  for (const char* nom : {"../x", "a/b", "", "c\\d"}) {
    user::click(w.Command2(0));
    ASSERT_TRUE(user::typeInto(w.Text1, nom));
    ok();
    user::click(w.Command1);
    EXPECT_EQ(messages().back(), std::string(" nom de fichier invalide : ") + nom);
    EXPECT_FALSE(w.Text1.visible());
  }
  user::click(w.Command2(0));
  layout::expectClean(w, "nouveau nom");
  ASSERT_TRUE(user::typeInto(w.Text1, "A.CAL"));
  ok();
  user::click(w.Command1);
  EXPECT_EQ(messages().back(), " le fichier A.CAL existe déjà");
  user::click(w.Command2(0));
  ASSERT_TRUE(user::typeInto(w.Text1, "Qvrl.dat"));
  ok();
  user::click(w.Command1);
  EXPECT_EQ(messages().back(), "création " + fichier("Qvrl.dat.cal"));
  EXPECT_EQ(session_window::bytesOf(fichier("Qvrl.dat.cal")), kEntete);
  EXPECT_EQ(session_window::bytesOf(fichier("Qvrl.dat")), "UTILISATEUR =x\r\n");

  // Rename: never over another file; the listed file renamed.
  w.Combo1.setText("a.cal");
  user::click(w.Command2(1));
  ASSERT_TRUE(user::typeInto(w.Text1, "b"));
  ok();
  user::click(w.Command1);
  EXPECT_EQ(messages().back(), " le fichier b.cal existe déjà");
  EXPECT_TRUE(fs::exists(fichier("a.cal")));
  w.Combo1.setText("notes.txt");
  user::click(w.Command2(1));
  ASSERT_TRUE(user::typeInto(w.Text1, "n"));
  ok();
  user::click(w.Command1);
  EXPECT_EQ(messages().back(), " nom de fichier invalide : notes.txt");
  EXPECT_TRUE(fs::exists(fichier("notes.txt")));
  w.Combo1.setText("a.cal");
  user::click(w.Command2(1));
  ASSERT_TRUE(user::typeInto(w.Text1, "d.CAL"));
  user::click(w.Command1);
  EXPECT_FALSE(fs::exists(fichier("a.cal")));
  EXPECT_EQ(session_window::bytesOf(fichier("d.CAL")), kEntete);

  // Delete: only a listed name, after its question.
  w.Combo1.setText("Qvrl.dat");
  ok();
  user::click(w.Command2(3));
  EXPECT_EQ(messages().back(), " nom de fichier invalide : Qvrl.dat");
  EXPECT_TRUE(fs::exists(fichier("Qvrl.dat")));
  w.Combo1.setText("d.CAL");
  dialogs_->answerMsgBox(platform::vbNo);
  user::click(w.Command2(3));
  EXPECT_EQ(messages().back(), "Effacer  d.CAL?");
  EXPECT_TRUE(fs::exists(fichier("d.CAL")));
  dialogs_->answerMsgBox(platform::vbYes);
  user::click(w.Command2(3));
  EXPECT_FALSE(fs::exists(fichier("d.CAL")));
  EXPECT_EQ(combo(), (std::vector<std::string>{"B.CAL", "cal", "Qvrl.dat.cal"}));

  // Type-ahead: a prefix selects the first entry it begins; another key changes nothing.
  w.Combo1.setText("");
  int k = 'q';
  Cmpl_Combo1_KeyPress(k);
  EXPECT_EQ(k, 0);
  EXPECT_EQ(w.Combo1.text(), "Qvrl.dat.cal");
  w.Combo1.setText("B.CAL");
  w.Combo1.setSelStart(5);
  w.Combo1.setSelLength(0);
  k = 'z';
  Cmpl_Combo1_KeyPress(k);
  EXPECT_EQ(w.Combo1.text(), "B.CAL");
  w.Combo1.showDropDown(false);

  // "OK / fermer" makes the chosen file current and lists its entries.
  w.Combo1.setText("B.CAL");
  user::click(w.Command0);
  EXPECT_EQ(Fic_Calib, "B.CAL");
  EXPECT_EQ(Qvl().Label10.caption(), "fichier .cal : B.CAL");
  EXPECT_EQ(liste(), (std::vector<std::string>{"x = 1"}));
  EXPECT_FALSE(w.visible());
}

// Edition > "Gestion fichier .Cal" shows the window modal; closing it keeps the name.
TEST_F(CalibrationFiles, EditMenuShowsTheWindowModal) {
  ecrit("z.cal", kEntete + "z = 2\r\n");
  Qvl().Label_Calib.setCaption("nom");
  NomCalib.clear();
  bool modal = false;
  QTimer::singleShot(0, [&] {
    Cmpl& w = Fenetre_Fichiers_Calibrage();
    modal = w.isModal();
    w.Combo1.setText("z.cal");
    user::click(w.Command0);
  });
  MnuEDit_Click(5);
  EXPECT_TRUE(modal);
  EXPECT_EQ(Fic_Calib, "z.cal");
  EXPECT_EQ(NomCalib, "nom");
  EXPECT_EQ(liste(), (std::vector<std::string>{"z = 2"}));
}

// Opened from its menu item the window drops its list down; an entry picked in it
// closes it, and then every click reaches its button (clicks go through the window,
// so an open list would take them), the list staying closed after each name entry: a
// file deleted, made and renamed.
TEST_F(CalibrationFiles, FilesWindowFromTheMenuTakesEveryClick) {
  ecrit("a.cal", kEntete);
  QObject garde;
  bool ran = false;
  QTimer::singleShot(0, &garde, [&] {
    Cmpl& w = Fenetre_Fichiers_Calibrage();
    QAbstractItemView* liste = static_cast<QComboBox*>(w.Combo1.widget())->view();
    for (int n = 0; n < 200 && !liste->isVisible(); ++n) {
      QCoreApplication::processEvents();
      QThread::msleep(5);
    }
    ASSERT_TRUE(liste->isVisible());
    // The user picks "a.cal" in the list, which closes it.
    ASSERT_EQ(combo(), (std::vector<std::string>{"a.cal"}));
    const QPoint entree = liste->visualRect(liste->model()->index(0, 0)).center();
    ASSERT_EQ(user::whyUnreachableAt(liste->viewport(), entree), "");
    user::pressAndRelease(liste->viewport(), entree);
    EXPECT_EQ(w.Combo1.text(), "a.cal");
    EXPECT_FALSE(liste->isVisible());
    layout::expectClean(w, "liste fermée");

    dialogs_->answerMsgBox(platform::vbYes);
    ASSERT_TRUE(user::click(w.Command2(3)));   // "Effacer"
    EXPECT_EQ(messages().back(), "Effacer  a.cal?");
    EXPECT_FALSE(fs::exists(fichier("a.cal")));
    EXPECT_TRUE(combo().empty());

    ASSERT_TRUE(user::click(w.Command2(0)));   // "Nouveau", then "Annule"
    EXPECT_TRUE(w.Text1.visible());
    ASSERT_TRUE(user::click(w.Command3));
    EXPECT_FALSE(w.Text1.visible());
    ASSERT_TRUE(user::click(w.Command2(0)));
    ASSERT_TRUE(user::typeInto(w.Text1, "neuf"));
    ok();
    ASSERT_TRUE(user::click(w.Command1));
    EXPECT_EQ(session_window::bytesOf(fichier("neuf.cal")), kEntete);
    EXPECT_EQ(combo(), (std::vector<std::string>{"neuf.cal"}));

    ASSERT_TRUE(user::click(w.Command2(1)));   // "Renomme"
    EXPECT_EQ(w.Text1.text(), "neuf.cal");
    ASSERT_TRUE(user::typeInto(w.Text1, "vieux"));
    ASSERT_TRUE(user::click(w.Command1));
    EXPECT_FALSE(fs::exists(fichier("neuf.cal")));
    EXPECT_EQ(session_window::bytesOf(fichier("vieux.cal")), kEntete);
    EXPECT_EQ(combo(), (std::vector<std::string>{"vieux.cal"}));
    ASSERT_TRUE(user::click(w.Command0));   // "OK / fermer"
    ran = true;
  });
  QTimer::singleShot(5000, &garde, [] { Fenetre_Fichiers_Calibrage().unload(); });
  ASSERT_TRUE(user::choose(Qvl().MnuEDit(5)));
  EXPECT_TRUE(ran);
  EXPECT_EQ(Fic_Calib, "vieux.cal");
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  if (w.visible()) w.unload();
}

}  // namespace

namespace {

// The menus and handlers that open the calibration tools: Edition > "Etalonnage/
// Résolution", a double click on a list line, "Editer" of the files window and Outils >
// "Calibrage Oculaire".
TEST_F(CalibrationFiles, MenusAndShortcutsReachTheCalibrationTools) {
  show("un.bmp", 400, 0.05);
  ecrit("Qvrl.Cal", kEntete + "x40 =  0.125\r\n");
  QVL& f = Qvl();
  f.Label_Calib.setCaption("x10");
  MnuEDit_Click(4);
  EXPECT_EQ(NomCalib, "x10");
  EXPECT_TRUE(f.Frame(7).visible());
  EXPECT_EQ(f.TBox(0).text(), "0.05");
  EXPECT_EQ(f.TBox(0).backColor(), 0xFFFFu);
  EXPECT_EQ(f.Label10.caption(), "fichier .cal : Qvrl.Cal");
  EXPECT_EQ(liste(), (std::vector<std::string>{"x40 =  0.125"}));
  f.ListCalib.setListIndex(0);
  f.ListCalib.onDblClick();
  EXPECT_EQ(f.label(5).caption(), "Cal.=0.1250");
  EXPECT_DOUBLE_EQ(Calib_Images(1), 0.125);
  EXPECT_FALSE(f.Frame(7).visible());

  // "Editer" opens the chosen file in the text editor and closes the window.
  Cmpl& w = Fenetre_Fichiers_Calibrage();
  w.show();
  w.Combo1.setText("Qvrl.Cal");
  user::click(w.Command2(2));
  EXPECT_FALSE(w.visible());
  EXPECT_TRUE(f.FrameEditer.visible());
  EXPECT_NE(f.TextEdit.text().find("x40 =  0.125"), std::string::npos);
  f.FrameEditer.setVisible(false);

  ok();
  Mntool_Click(22);
  PGr_Etat = false;
  EXPECT_EQ(Etape_CalObj, "0");
  EXPECT_TRUE(Mode_Etalonnage);
  EXPECT_EQ(messages().back().substr(0, 22), "Photographier une mire");
  bouton(32);
  EXPECT_EQ(Etape_CalObj, "99");
}

}  // namespace
