// Saving the session through the save dialog, the local trame with its copied images,
// and the grid update through a temporary trame.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "measure/trame_dialogs.h"
#include "measure/trame_file.h"
#include "measure/trame_reader.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "session_window.h"
#include "support/ordinary_user.h"
#include "support/user_input.h"

namespace {

using session_window::bytesOf;
using session_window::gridLines;
using session_window::picture;

TEST(TrameName, ProposedName) {
  struct Case {
    const char* trame;
    const char* image;
    bool existe;
    const char* nom;
  };
  const Case cases[] = {
      {"", "", false, "mesures.trm"},
      {"", "/x/lame.1.bmp", true, "lame.trm"},
      {"", "/x/lame.bmp", false, "mesures.trm"},
      {"/d/session.v2.trm", "/x/lame.bmp", true, "session.trm"},
      {"/d.e/essai", "", false, "essai.trm"},
      {"C:\\Mes trames\\spores.trm", "", false, "spores.trm"},
  };
  for (const Case& c : cases) EXPECT_EQ(Nom_Trame_Propose(c.trame, c.image, c.existe), c.nom) << c.trame;
}

class TrameDialogs : public session_window::SessionWindow {
 protected:
  void SetUp() override {
    SessionWindow::SetUp();
    Alerte_W7 = false;
    Fic_Trame.clear();
    Fic_Session = "avant.trm";
  }
  // A session of function 2 with one row on one listed image.
  void oneRow() {
    startFunction(2);
    QVL& f = Qvl();
    f.ListIMGchar.clear();
    f.ListIMGchar.addItem(picture(images_, "lame.bmp", 1200));
    Calib_Images(1) = 0.05;
    TabMesures(1).NumImage = 1;
    TabMesures(1).Seg(1) = {0, 0, 600, 800};
    TabMesures(1).Seg(2) = {0, 0, 0, 400};
    f.GrilleRef.setTextMatrix(1, 1, "18.50");
    f.GrilleRef.setTextMatrix(1, f.GrilleRef.cols() - 1, "note");
    LigneCourante = 2;
  }
  const platform::ScriptedDialogs::Asked& lastSave() const {
    for (auto it = dialogs_->log().rbegin(); it != dialogs_->log().rend(); ++it)
      if (it->kind == "saveFile") return *it;
    static platform::ScriptedDialogs::Asked none;
    ADD_FAILURE() << "no save dialog";
    return none;
  }
};

TEST_F(TrameDialogs, SavedThroughTheDialog) {
  oneRow();
  session_window::TempFolder cible;
  const std::string path = cible.file("session.trm");
  dialogs_->answerSave(path);
  ASSERT_TRUE(Sauve_Trame_Sous());
  const auto& asked = lastSave();
  EXPECT_EQ(asked.request.fileName, "mesures.trm");
  EXPECT_EQ(asked.request.filter, "*.trm|*.trm|Tous les fichiers (*.*)|*.*");
  EXPECT_EQ(asked.request.initialFolder, images_.file(""));
  EXPECT_TRUE(platform::fileExists(path));
  EXPECT_EQ(Fic_Trame, path);
  EXPECT_EQ(Fic_Session, path);
  EXPECT_EQ(Rep_Data, cible.file("").substr(0, cible.file("").size() - 1));
  // The next save proposes the trame's name, in the folder chosen last; after an
  // export with its dialog, in the image folder.
  Export_Fait = true;
  dialogs_->answerFileCancel(true);
  EXPECT_FALSE(Sauve_Trame_Sous());
  EXPECT_EQ(lastSave().request.fileName, "session.trm");
  EXPECT_EQ(lastSave().request.initialFolder, Rep_Images);
  EXPECT_TRUE(messages().empty());
}

TEST_F(TrameDialogs, CancelAndRefusedOverwriteWriteNothing) {
  oneRow();
  const std::string dataAvant = Rep_Data;
  dialogs_->answerFileCancel(true);
  EXPECT_FALSE(Sauve_Trame_Sous());
  EXPECT_EQ(Rep_Data, dataAvant);
  EXPECT_EQ(Fic_Session, "avant.trm");

  const std::string path = images_.file("existe.trm");
  ASSERT_TRUE(platform::writeLines(path, {"ancien"}));
  dialogs_->answerSave(path);
  dialogs_->answerMsgBox(platform::vbCancel);
  EXPECT_FALSE(Sauve_Trame_Sous());
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(116)});
  EXPECT_EQ(bytesOf(path), "ancien\r\n");
  EXPECT_EQ(Fic_Session, "avant.trm");
  EXPECT_TRUE(Fic_Trame.empty());

  dialogs_->answerSave(path);
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_TRUE(Sauve_Trame_Sous());
  EXPECT_EQ(bytesOf(path).substr(0, 15), "INDPRES=True\r\nN");
}

// A folder where nothing can be written, and a folder in the way of the file: the
// failure is said with the path and its cause, and nothing is recorded.
TEST_F(TrameDialogs, FailedWritesAreReported) {
  oneRow();
  for (const std::string& path : {std::string("/proc/quorvale_essai.trm"), images_.file("dossier.trm")}) {
    SCOPED_TRACE(path);
    if (path.find("dossier") != std::string::npos) {
      ASSERT_TRUE(platform::makeFolder(path));
    }
    dialogs_->clear();
    dialogs_->answerSave(path);
    dialogs_->answerMsgBox(platform::vbOK);
    EXPECT_FALSE(Sauve_Trame_Sous());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind(MSG(144) + path + SautLigne, 0), 0u) << messages()[0];
    EXPECT_GT(messages()[0].size(), (MSG(144) + path + SautLigne).size());
    EXPECT_FALSE(platform::fileExists(path));
    EXPECT_EQ(Fic_Session, "avant.trm");
    EXPECT_TRUE(Fic_Trame.empty());
  }
}

// Outcome of the saves into a read-only folder, as the exit code of the process that
// tried them.
enum SauvesRefusees { kDeuxRefusees = 0, kSousEcrite = 1, kSousMalDite = 2, kLocaleEcrite = 3,
                      kLocaleMalDite = 4, kSessionChangee = 5 };

int essaieSauves(platform::ScriptedDialogs* d, const std::string& existante, const std::string& locale) {
  d->clear();
  d->answerSave(existante);
  d->answerMsgBox(platform::vbOK);   // overwrite
  d->answerMsgBox(platform::vbOK);   // the failure
  if (Sauve_Trame_Sous()) return kSousEcrite;
  d->answerSave(locale);
  d->answerMsgBox(platform::vbOK);
  if (Sauve_Trame_Locale()) return kLocaleEcrite;
  std::vector<std::string> m;
  for (const auto& a : d->log())
    if (a.kind == "msgBox") m.push_back(a.text);
  if (m.size() != 3 || m[1].rfind(MSG(144) + existante + SautLigne, 0) != 0) return kSousMalDite;
  if (m[2].rfind(MSG(144) + locale + SautLigne, 0) != 0) return kLocaleMalDite;
  if (Fic_Session != "avant.trm" || !Fic_Trame.empty()) return kSessionChangee;
  return kDeuxRefusees;
}

// A folder where nothing may be written: both saves say why, the trame already there
// keeps its bytes and nothing is added beside it. Root ignores the permission bits, so
// the saves then run in a child as an ordinary user.
TEST_F(TrameDialogs, ReadOnlyFolder) {
  oneRow();
  const std::string dossier = images_.file("lecture seule");
  ASSERT_TRUE(platform::makeFolder(dossier));
  const std::string existante = dossier + "/existe.trm";
  ASSERT_TRUE(platform::writeLines(existante, {"ancien"}));
  ASSERT_EQ(chmod(existante.c_str(), 0666), 0);
  ASSERT_EQ(chmod(images_.file("lame.bmp").c_str(), 0644), 0);
  ASSERT_EQ(chmod(dossier.c_str(), 0555), 0);
  ASSERT_EQ(chmod(folder().c_str(), 0755), 0);
  const std::string locale = dossier + "/local.trm";
  const int issue = test_support::asOrdinaryUser([&] { return essaieSauves(dialogs_, existante, locale); });
  EXPECT_EQ(issue, kDeuxRefusees);
  EXPECT_EQ(bytesOf(existante), "ancien\r\n");
  std::vector<std::string> fichiers;
  for (const auto& e : std::filesystem::directory_iterator(dossier)) fichiers.push_back(e.path().filename().string());
  EXPECT_EQ(fichiers, std::vector<std::string>{"existe.trm"});
  ASSERT_EQ(chmod(dossier.c_str(), 0755), 0);
  dialogs_->clear();
}

// Saving into the program folder shows the one-time warning once and records it.
TEST_F(TrameDialogs, OneTimeWarningInTheProgramFolder) {
  oneRow();
  Alerte_W7 = true;
  const std::string path = platform::App::Path() + "/essai_alerte.trm";
  dialogs_->answerSave(path);
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(Sauve_Trame_Sous());
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(12)});
  EXPECT_FALSE(Alerte_W7);
  std::string settings;
  ASSERT_TRUE(platform::readText(platform::App::Path() + "/Qvrl.dat", &settings));
  EXPECT_NE(settings.find("ALRTW7 = False"), std::string::npos);
  dialogs_->answerSave(path);
  dialogs_->answerMsgBox(platform::vbOK);   // overwrite
  ASSERT_TRUE(Sauve_Trame_Sous());
  EXPECT_EQ(messages(), (std::vector<std::string>{MSG(12), MSG(116)}));
  platform::removeFile(path);
}

// Two images of one name from two folders are copied under distinct names.
TEST_F(TrameDialogs, LocalTrameKeepsImagesOfOneNameApart) {
  oneRow();
  session_window::TempFolder autre, cible;
  QVL& f = Qvl();
  f.ListIMGchar.addItem(picture(autre, "LAME.bmp", 1600, 12, 0x00FF00));
  Calib_Images(2) = 0.05;
  TabMesures(1).NumImage = 2;
  dialogs_->answerSave(cible.file("local.trm"));
  ASSERT_TRUE(Sauve_Trame_Locale());
  EXPECT_EQ(bytesOf(cible.file("lame.bmp")), bytesOf(images_.file("lame.bmp")));
  EXPECT_EQ(bytesOf(cible.file("LAME_2.bmp")), bytesOf(autre.file("LAME.bmp")));
  std::vector<std::string> l;
  ASSERT_TRUE(platform::readLines(cible.file("local.trm"), &l));
  SessionTrame s;
  ASSERT_TRUE(Analyse_Trame(l, &s));
  EXPECT_TRUE(s.locale);
  EXPECT_EQ(s.images, (std::vector<std::string>{"lame.bmp", "LAME_2.bmp"}));
  EXPECT_EQ(Fic_Trame, cible.file("local.trm"));

  // Read back, each row finds its own image beside the trame.
  int code = 1;
  std::string path = cible.file("local.trm");
  ASSERT_TRUE(Lit_Trame(path, code));
  EXPECT_EQ(Qvl().ListIMGchar.list(1), cible.file("LAME_2.bmp"));
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(1, 1), "13.90");
}

// The names of the files of a folder, sorted.
std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> l;
  for (const auto& e : std::filesystem::directory_iterator(folder)) l.push_back(e.path().filename().string());
  std::sort(l.begin(), l.end());
  return l;
}

class SessionTransfer : public TrameDialogs {
 protected:
  // One row on "spore.bmp" of the image folder; the transfer goes into target_,
  // which already holds another picture of that name.
  void SetUp() override {
    TrameDialogs::SetUp();
    oneRow();
    Qvl().ListIMGchar.clear();
    Qvl().ListIMGchar.addItem(picture(images_, "spore.bmp", 1200));
    other_ = picture(target_, "spore.bmp", 800, 12, 0x0000FF);
    otherBytes_ = bytesOf(other_);
    before_ = filesIn(target_.file(""));
  }
  // "Transfert de  session" of the tools menu, into target_/session.trm.
  void transfer() {
    dialogs_->answerSave(target_.file("session.trm"));
    ASSERT_TRUE(user::choose(Qvl().Mntool(25)));
  }
  std::string question() const { return MSG(116) + platform::vbCrLf + other_; }

  session_window::TempFolder target_;
  std::string other_, otherBytes_;
  std::vector<std::string> before_;
};

// No: the other picture keeps its bytes, nothing is added to the folder, no trame.
TEST_F(SessionTransfer, NoKeepsTheFileOfTheSameName) {
  dialogs_->answerMsgBox(platform::vbNo);
  transfer();
  EXPECT_EQ(messages(), std::vector<std::string>{question()});
  EXPECT_EQ(bytesOf(other_), otherBytes_);
  EXPECT_EQ(filesIn(target_.file("")), before_);
  EXPECT_EQ(Fic_Session, "avant.trm");
  EXPECT_TRUE(Fic_Trame.empty());
}

// Yes: the session's picture replaces it and the trame names it.
TEST_F(SessionTransfer, YesReplacesIt) {
  dialogs_->answerMsgBox(platform::vbYes);
  transfer();
  EXPECT_EQ(messages(), std::vector<std::string>{question()});
  EXPECT_EQ(bytesOf(other_), bytesOf(images_.file("spore.bmp")));
  SessionTrame s;
  std::vector<std::string> l;
  ASSERT_TRUE(platform::readLines(target_.file("session.trm"), &l));
  ASSERT_TRUE(Analyse_Trame(l, &s));
  EXPECT_EQ(s.images, std::vector<std::string>{"spore.bmp"});
  EXPECT_EQ(Fic_Session, target_.file("session.trm"));
}

// A file of the same bytes is the session's own picture: no question, left as it is.
TEST_F(SessionTransfer, AnIdenticalFileIsLeftAlone) {
  ASSERT_TRUE(platform::copyFile(images_.file("spore.bmp"), other_));
  const auto written = std::filesystem::last_write_time(other_);
  transfer();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(bytesOf(other_), bytesOf(images_.file("spore.bmp")));
  EXPECT_EQ(std::filesystem::last_write_time(other_), written);
  EXPECT_TRUE(platform::fileExists(target_.file("session.trm")));
}

// The trame cannot be written (a folder has its name): the picture replaced gets its
// bytes back and the files copied for the trame go again.
TEST_F(SessionTransfer, AFailedTrameLeavesTheFolderAsItWas) {
  ASSERT_TRUE(platform::makeFolder(target_.file("session.trm")));
  before_ = filesIn(target_.file(""));
  dialogs_->answerMsgBox(platform::vbYes);
  dialogs_->answerMsgBox(platform::vbOK);
  transfer();
  const std::vector<std::string> m = messages();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0], question());
  EXPECT_EQ(m[1].rfind(MSG(144) + target_.file("session.trm") + SautLigne, 0), 0u) << m[1];
  EXPECT_EQ(bytesOf(other_), otherBytes_);
  EXPECT_EQ(filesIn(target_.file("")), before_);
  EXPECT_EQ(Fic_Session, "avant.trm");
}

// A session whose rows have no image listed is refused with its reason: its trame
// could not be read back.
TEST_F(TrameDialogs, RowsWithoutImagesAreNotSaved) {
  oneRow();
  Qvl().ListIMGchar.clear();
  const std::string path = images_.file("sans_image.trm");
  dialogs_->answerSave(path);
  dialogs_->answerMsgBox(platform::vbOK);
  EXPECT_FALSE(Sauve_Trame_Sous());
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].find("aucune image"), std::string::npos) << messages()[0];
  EXPECT_FALSE(platform::fileExists(path));
  EXPECT_EQ(Fic_Session, "avant.trm");
}

TEST(LocalNames, DistinctNames) {
  std::vector<std::string> pris;
  EXPECT_EQ(Nom_Local_Unique("a.jpg", &pris), "a.jpg");
  EXPECT_EQ(Nom_Local_Unique("A.JPG", &pris), "A_2.JPG");
  EXPECT_EQ(Nom_Local_Unique("a.jpg", &pris), "a_3.jpg");
  EXPECT_EQ(Nom_Local_Unique("a_2.jpg", &pris), "a_2_2.jpg");
  EXPECT_EQ(Nom_Local_Unique("sans", &pris), "sans");
  EXPECT_EQ(Nom_Local_Unique("SANS", &pris), "SANS_2");
}

std::vector<std::string> temporaries() {
  std::vector<std::string> l;
  for (const auto& e : std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
    if (e.path().filename().string().rfind("quorvale_maj_", 0) == 0) l.push_back(e.path().string());
  return l;
}

// "maj grille" measures every row again with the present calibration and mask,
// through a temporary trame that is always deleted; the session's files stay.
TEST_F(TrameDialogs, GridUpdate) {
  oneRow();
  Fic_Trame = images_.file("courante.trm");
  Fic_Session = images_.file("courante.trm");
  const std::vector<std::string> avant = temporaries();
  Calib_Images(1) = 0.1;
  Format_Decimal = "###0.000";
  Maj_Grille();
  EXPECT_EQ(gridLines()[1], "1\t37.000\t14.800\t2.500\t4243.492\t1\tnote");
  EXPECT_EQ(Fic_Trame, images_.file("courante.trm"));
  EXPECT_EQ(Fic_Session, images_.file("courante.trm"));
  EXPECT_FALSE(platform::fileExists(images_.file("courante.trm")));
  EXPECT_EQ(temporaries(), avant);
  EXPECT_TRUE(messages().empty());

  // No temporary file can be made: said, and the grid stays.
  const char* tmp = std::getenv("TMPDIR");
  const std::string ancien = tmp ? tmp : "";
  setenv("TMPDIR", "/proc", 1);
  dialogs_->answerMsgBox(platform::vbOK);
  Calib_Images(1) = 0.05;
  Maj_Grille();
  if (tmp)
    setenv("TMPDIR", ancien.c_str(), 1);
  else
    unsetenv("TMPDIR");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].rfind(MSG(144), 0), 0u);
  EXPECT_EQ(gridLines()[1], "1\t37.000\t14.800\t2.500\t4243.492\t1\tnote");
}

}  // namespace

// A session read back by "Charger la trame", then saved by the user from the menus over
// a file made read-only, or into a folder that is gone: each save says which file and
// why, in French, and what was on the disk stays as it was.
class SavesRefused : public session_window::SessionWindow {
 protected:
  void SetUp() override {
    SessionWindow::SetUp();
    QVL& f = Qvl();
    closePanelsOverPicture();
    picture(images_, "lame 1.bmp", 400, 300);
    picture(images_, "lame2.bmp", 300, 300);
    const std::string trame = golden("program_2d");
    dialogs_->answerOpen({trame});
    ASSERT_TRUE(user::choose(f.MnuFIC(10)));
    ASSERT_TRUE(messages().empty());
    ASSERT_EQ(LigneCourante, 3);
    if (f.FraListeImg.visible()) {
      ASSERT_TRUE(user::click(f.Bout(8)));
    }
    Alerte_W7 = false;
    dialogs_->clear();
  }
};

TEST_F(SavesRefused, EachSaysWhichFileAndWhyAndKeepsTheDisk) {
  QVL& f = Qvl();
  const std::string gone = images_.file("parti");
  struct Case {
    const char* what;
    platform::MenuItem* item;
    std::string path;
    bool readOnly;    // an existing file, made read-only (else a folder that is gone)
    std::string cause;
  };
  const Case cases[] = {
      {"trame over a read-only file", &f.MnuFIC(9), images_.file("gardee.trm"), true,
       "Impossible d'enregistrer le fichier " + images_.file("gardee.trm") + " : le fichier est en lecture seule"},
      {"export over a read-only file", &f.MnuEDit(1), images_.file("gardee.csv"), true,
       "Impossible d'enregistrer le fichier " + images_.file("gardee.csv") + " : le fichier est en lecture seule"},
      {"trame into a folder gone", &f.MnuFIC(9), gone + "/s.trm", false,
       "Impossible d'enregistrer le fichier " + gone + "/s.trm : impossible de créer un fichier dans le dossier " + gone +
           " : le dossier n'existe pas"},
      {"export into a folder gone", &f.MnuEDit(1), gone + "/s.csv", false,
       "Impossible d'enregistrer le fichier " + gone + "/s.csv : impossible de créer un fichier dans le dossier " + gone +
           " : le dossier n'existe pas"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.readOnly) {
      ASSERT_TRUE(platform::writeLines(c.path, {"ancien"}));
      ASSERT_EQ(chmod(c.path.c_str(), 0444), 0);
    }
    const std::string session = Fic_Session;
    const std::vector<std::string> grille = gridLines();
    dialogs_->clear();
    dialogs_->answerSave(c.path);
    if (c.readOnly) dialogs_->answerMsgBox(platform::vbOK);   // "écraser le fichier existant ?"
    dialogs_->answerMsgBox(platform::vbOK);                    // the failure
    ASSERT_TRUE(user::choose(*c.item));
    // The export first shows its comment panel, which its button validates.
    if (c.item == &f.MnuEDit(1)) {
      ASSERT_TRUE(user::click(f.Bout_dial(28)));
    }
    const std::vector<std::string> m = messages();
    ASSERT_EQ(m.size(), c.readOnly ? 2u : 1u);
    if (c.readOnly) {
      EXPECT_EQ(m[0].rfind(MSG(116), 0), 0u) << m[0];
    }
    EXPECT_NE(m.back().find(c.path), std::string::npos) << m.back();
    EXPECT_EQ(m.back().substr(m.back().size() - c.cause.size()), c.cause) << m.back();
    if (c.readOnly) {
      EXPECT_EQ(bytesOf(c.path), "ancien\r\n");
    } else {
      EXPECT_FALSE(platform::folderExists(gone));
    }
    EXPECT_EQ(Fic_Session, session);
    EXPECT_EQ(gridLines(), grille);
  }
  // Made writable again, the same file is replaced by the same menu.
  ASSERT_EQ(chmod(images_.file("gardee.trm").c_str(), 0644), 0);
  dialogs_->clear();
  dialogs_->answerSave(images_.file("gardee.trm"));
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(user::choose(f.MnuFIC(9)));
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(116)});
  EXPECT_EQ(bytesOf(images_.file("gardee.trm")).substr(0, 15), "INDPRES=True\r\nN");
}
