// The colour frame and the colour options menu on the real main window (offscreen,
// scripted dialogs): switching the colour zone on with the files of the settings, the
// chart, standard and scanner items, the correction button, and the chart and scanner
// records saved from the comment panel against golden files.
#include "colour/colour_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "colour/chart.h"
#include "colour/colour_file.h"
#include "colour/colour_zone.h"
#include "colour_fixture.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "shell/function_switch.h"
#include "shell/program_folder.h"
#include "support/named_pipe.h"
#include "measure/comment_panel.h"
#include "support/user_input.h"

namespace {

using colour_test::bytesOf;
using colour_test::dataFile;

// Pauses end at once; the date and time of day are fixed.
class PinnedClock final : public platform::Clock {
 public:
  double monotonicSeconds() override { return now_ += 0.5; }
  double secondsSinceMidnight() override { return 50709.0; }   // 14:05:09
  void localDate(int* y, int* m, int* d) override { *y = 2024, *m = 3, *d = 12; }

 private:
  double now_ = 1000.0;
};

class ColourOptions : public ProgramFolder {
 protected:
  void SetUp() override {
    ProgramFolder::SetUp();
    platform::setClock(std::make_unique<PinnedClock>());
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    Messages_Defaut();
    colour_test::resetColourState();
    QVL& f = Qvl();
    f.test.clear();
    f.CheckExpert.setValue(0);
    f.CheckCalibre.setValue(0);
    f.CheckCalibre.setEnabled(false);
    ASSERT_TRUE(Choix_Fonction_Mesure(2));
    dialogs_->clear();
  }

  void TearDown() override {
    QVL& f = Qvl();
    f.Frame(10).setVisible(false);
    f.CheckExpert.setValue(0);
    Choix_Fonction_Mesure(2);
    colour_test::resetColourState();
    NomObjet.clear();
    Img_Active.clear();
    platform::setClock(nullptr);
    ProgramFolder::TearDown();
  }

  // Copies a test data file into the program folder; its path.
  std::string copy(const std::string& data, const std::string& name) {
    std::filesystem::copy_file(dataFile(data), path(name),
                               std::filesystem::copy_options::overwrite_existing);
    return path(name);
  }

  // The colour zone chosen in the functions menu (from the spores, empty grid).
  void colourZone() { user::click(Qvl().MnuFonc(20)); }

  std::vector<std::string> messages() const {
    std::vector<std::string> m;
    for (const auto& a : dialogs_->log())
      if (a.kind == "msgBox") m.push_back(a.text);
    return m;
  }

  // Names of the files of the program folder.
  std::set<std::string> files() const {
    std::set<std::string> n;
    for (const auto& e : std::filesystem::directory_iterator(dir_)) n.insert(e.path().filename().string());
    return n;
  }

  std::vector<std::string> listing() const {
    std::vector<std::string> l;
    for (int i = 0; i < Qvl().test.listCount(); ++i) l.push_back(Qvl().test.list(i));
    return l;
  }

  // The settings naming an expert chart, the standard and the scanner file (a bare
  // name: the program folder).
  void filesInSettings(const std::string& scanner) {
    const std::string chart = path("reference.Nua");
    ASSERT_TRUE(platform::writeLines(
        chart, {"CODE=  B7", "CALIBRAGECOL=1", "NBMESURES =2", "LISTE=",
                "1;200;30;40;43.3;63.58;39.67;8;1;rouge;", "2;40;160;60;57.96;-52.88;41.53;8;1;vert;"}));
    copy("correction/etalon.Etl", "etalon.Etl");
    copy(scanner, "scanner.Scn");
    readSettings({"REFNUANCIER= " + chart, "FICETALON= " + path("etalon.Etl"), "FICSCANNER= scanner.Scn"});
  }

  // Two function-20 rows in the grid, in the system's decimal separator; row 2 commented.
  void twoRows() {
    QVL& f = Qvl();
    auto ligne = [&f](int n, std::array<float, 3> rvb, const std::string& comment) {
      const std::array<float, 3> lab = RVB_Vers_Lab(rvb[0], rvb[1], rvb[2]);
      std::vector<std::string> cells = {std::to_string(n)};
      for (float v : rvb) cells.push_back(Texte_Couleur(v));
      for (float v : lab) cells.push_back(Texte_Couleur(v));
      cells.insert(cells.end(), {"8", "1", comment});
      for (int c = 0; c < static_cast<int>(cells.size()); ++c) f.GrilleRef.setTextMatrix(n, c, cells[c]);
    };
    ligne(1, {90, 60, 30}, "");
    ligne(2, {30, 120, 90}, "b; c");
    LigneCourante = 3;
  }

  platform::ScriptedDialogs* dialogs_ = nullptr;
};

TEST_F(ColourOptions, SwitchOnWithTheSettingsFilesTicksCalibreSilently) {
  QVL& f = Qvl();
  filesInSettings("correction/scanner.Scn");
  EXPECT_EQ(f.Label6(1).caption(), "Scanner : scanner.Scn");
  colourZone();
  EXPECT_TRUE(messages().empty()) << messages().front();
  EXPECT_EQ(FonctionCourante, 20);
  EXPECT_TRUE(f.FraCharte.visible());
  EXPECT_TRUE(f.OptnMchrt->visible());
  EXPECT_TRUE(f.MntoolXp(4).enabled());
  EXPECT_FALSE(f.Bout(10).visible());
  EXPECT_FALSE(f.Bout(14).visible());
  EXPECT_TRUE(Nuancier_Trouve);
  ASSERT_EQ(NbNuancier, 2);
  EXPECT_EQ(Nuancier_Noms(2), "vert");
  EXPECT_TRUE(Mode_Expert);
  EXPECT_TRUE(f.CheckCalibre.enabled());
  EXPECT_EQ(f.CheckCalibre.value(), 1);
  EXPECT_EQ(f.CheckExpert.value(), 0);
  // The listing of the three channels (four points and the closing one each).
  const std::vector<std::string> l = listing();
  ASSERT_EQ(l.size(), 18u);
  EXPECT_EQ(l[5], "-Vert-");
  EXPECT_EQ(l[6], "1 / 2\t40\t30");
  EXPECT_EQ(l[17], "----");

  // "calcul bernstein" builds again and lists again.
  user::click(f.Command2);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(listing().size(), 36u);
  EXPECT_EQ(f.CheckCalibre.value(), 1);

  // Another function puts the colour tools away.
  user::click(f.MnuFonc(2));
  EXPECT_FALSE(f.FraCharte.visible());
  EXPECT_FALSE(f.OptnMchrt->visible());
  EXPECT_TRUE(f.Bout(10).visible());
}

TEST_F(ColourOptions, MismatchedScannerSaysSoOnceAndCalibreStaysOff) {
  QVL& f = Qvl();
  filesInSettings("correction/scanner3.Scn");
  colourZone();
  EXPECT_EQ(messages(), std::vector<std::string>{"Tailles des fichiers Etalon et Scanner incompatibles (4 , 3)"});
  EXPECT_EQ(NbNuancier, 2);
  EXPECT_FALSE(f.CheckCalibre.enabled());
  EXPECT_EQ(f.CheckCalibre.value(), 0);
  // "Mode expert" cannot bring it back without valid points.
  user::setValue(f.CheckExpert, 1);
  EXPECT_FALSE(f.CheckCalibre.enabled());
  EXPECT_TRUE(listing().empty());
}

TEST_F(ColourOptions, SwitchOnFallsBackOnTheDefaultStandardOnlyWhenItIsThere) {
  QVL& f = Qvl();
  filesInSettings("correction/scanner.Scn");
  colourZone();
  ASSERT_EQ(f.CheckCalibre.value(), 1);
  // The standard of the settings is gone; "EtalonCouleur.Etl" of the program folder
  // builds and validates the points.
  std::filesystem::remove(path("etalon.Etl"));
  copy("correction/etalon.Etl", "EtalonCouleur.Etl");
  user::click(f.MnuFonc(2));
  dialogs_->clear();
  colourZone();
  EXPECT_EQ(messages(), std::vector<std::string>{"fichier étalon non chargé "});
  EXPECT_TRUE(f.CheckCalibre.enabled());
  EXPECT_EQ(f.CheckCalibre.value(), 1);

  // Without it either: "Calibré" unticked and disabled, even in expert mode.
  std::filesystem::remove(path("EtalonCouleur.Etl"));
  dialogs_->clear();
  user::click(f.MnuFonc(20));   // already current: switched on again
  EXPECT_EQ(messages(), std::vector<std::string>{"fichier étalon non chargé "});
  EXPECT_FALSE(f.CheckCalibre.enabled());
  EXPECT_EQ(f.CheckCalibre.value(), 0);
  user::setValue(f.CheckExpert, 1);
  EXPECT_FALSE(f.CheckCalibre.enabled());
}

TEST_F(ColourOptions, ChartItemLoadsWholeOrNotAtAll) {
  QVL& f = Qvl();
  colourZone();
  dialogs_->clear();
  const std::string bon = copy("chart/comma_lowercase/chart.Nua", "bon.Nua");
  dialogs_->answerOpen({bon});
  user::click(f.MnuChrt(2));
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(Nuancier_Choisi);
  EXPECT_EQ(NbNuancier, 4);
  EXPECT_EQ(Fic_Nuancier, bon);
  ASSERT_EQ(dialogs_->log().size(), 1u);
  EXPECT_EQ(dialogs_->log()[0].request.filter,
            "Fic Ref (*.Nua)|*.Nua|Fic Texte(.txt)|*.txt|Tous les fichiers (*.*)|*.*");
  EXPECT_EQ(dialogs_->log()[0].request.fileName, path("*.nua"));

  // A file without "LISTE=": its message, nothing changes.
  const std::string mauvais = copy("chart/malformed_no_liste/chart.Nua", "mauvais.Nua");
  dialogs_->clear();
  dialogs_->answerOpen({mauvais});
  user::click(f.MnuChrt(2));
  EXPECT_EQ(dialogs_->log()[0].request.fileName, bon);   // the chart loaded is proposed
  EXPECT_EQ(messages(), std::vector<std::string>{" Fichier de référence ''" + mauvais + "'' invalide"});
  EXPECT_FALSE(Nuancier_Choisi);
  EXPECT_EQ(NbNuancier, 4);
  EXPECT_EQ(Nuancier_Noms(4), "lichen");
  EXPECT_EQ(Fic_Nuancier, bon);

  // Cancel: nothing chosen.
  Nuancier_Choisi = true;
  dialogs_->clear();
  dialogs_->answerFileCancel(false);
  user::click(f.MnuChrt(2));
  EXPECT_FALSE(Nuancier_Choisi);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(NbNuancier, 4);
}

TEST_F(ColourOptions, StandardAndScannerItems) {
  QVL& f = Qvl();
  filesInSettings("correction/scanner.Scn");
  colourZone();
  ASSERT_EQ(f.CheckCalibre.value(), 1);

  // The same standard again: no warning, the correction stays.
  dialogs_->answerOpen({path("etalon.Etl")});
  user::click(f.MnuChrt(6));
  EXPECT_EQ(f.CheckCalibre.value(), 1);
  EXPECT_TRUE(Correction_Valide);
  // Another standard: "Calibré" unticked and disabled until the scanner is chosen again.
  const std::string autre = copy("correction/etalon.Etl", "autre.Etl");
  dialogs_->answerOpen({autre});
  user::click(f.MnuChrt(6));
  EXPECT_EQ(Fic_Etalon, autre);
  EXPECT_FALSE(f.CheckCalibre.enabled());
  EXPECT_EQ(f.CheckCalibre.value(), 0);
  EXPECT_FALSE(Correction_Valide || Etalon_Charge);

  // A scanner file: built again, "Calibré" enabled and left unticked.
  const std::string scan = copy("correction/scanner.Scn", "scan2.Scn");
  dialogs_->clear();
  dialogs_->answerOpen({scan});
  user::click(f.MnuChrt(7));
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(dialogs_->log()[0].request.filter,
            "Fic Ref (*.scn)|*.scn|Fic Texte(.txt)|*.txt|Tous les fichiers (*.*)|*.*");
  EXPECT_EQ(Fic_Scanner, scan);
  EXPECT_EQ(f.Label6(1).caption(), "Scanner : scan2.Scn");
  EXPECT_TRUE(f.CheckCalibre.enabled());
  EXPECT_EQ(f.CheckCalibre.value(), 0);
  EXPECT_TRUE(Etalon_Charge && Correction_Valide);

  // A scanner file of three rows: MSG 229, "Calibré" disabled.
  const std::string court = copy("correction/scanner3.Scn", "court.Scn");
  dialogs_->clear();
  dialogs_->answerOpen({court});
  user::click(f.MnuChrt(7));
  EXPECT_EQ(messages(), std::vector<std::string>{"Tailles des fichiers Etalon et Scanner incompatibles (4 , 3)"});
  EXPECT_FALSE(f.CheckCalibre.enabled());
  // "calcul bernstein" says it again.
  dialogs_->clear();
  user::click(f.Command2);
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_FALSE(f.CheckCalibre.enabled());
}

TEST_F(ColourOptions, ChartRecordOnAnEmptyGridOpensNothing) {
  QVL& f = Qvl();
  colourZone();
  const std::set<std::string> avant = files();
  dialogs_->clear();
  user::click(f.MnuChrt(3));
  EXPECT_EQ(messages(), std::vector<std::string>{"Il n'y a rien à exporter"});
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_FALSE(Charte_Demande2 || Charte_Demande);
  // A later "Valider" (run by code: the panel is closed) writes nothing and asks nothing.
  dialogs_->clear();
  Bout_dial_Click(28);
  EXPECT_TRUE(dialogs_->log().empty());
  EXPECT_EQ(files(), avant);
}

TEST_F(ColourOptions, ChartSavedFromTheRecordGivesTheGoldenFile) {
  QVL& f = Qvl();
  colourZone();
  for (const char sep : {'.', ','}) {
    SCOPED_TRACE(std::string(1, sep));
    platform::SetDecimalSeparator(sep);
    twoRows();
    NomObjet = "Russula.jpg";
    Img_Active = "/data/img/Russula.jpg";
    Fic_Scanner = path("scan1.Scn");
    dialogs_->clear();

    user::click(f.MnuChrt(3));
    ASSERT_TRUE(f.Frame(10).visible());
    EXPECT_EQ(f.Frame(10).caption(), "Enregistrement Nuancier");
    EXPECT_EQ(f.Frame(10).backColor(), 0xFFFF80u);
    EXPECT_FALSE(f.Bout_dial(30).visible());
    EXPECT_TRUE(Charte_Demande2 && Seq_Ouvert);
    std::string fiche = f.TBox(3).text();
    EXPECT_EQ(fiche.substr(0, 17), "CODE=  ex : A12\r\n");
    fiche.insert(fiche.find("FINNOTES"), "cuticule rose\r\n");
    f.TBox(3).setText(fiche);

    const std::string fichier = path(std::string("nuancier") + sep + ".Nua");
    dialogs_->answerMsgBox(platform::vbYes);   // MSG 218: "Calibré" is not ticked
    dialogs_->answerSave(fichier);
    user::click(f.Bout_dial(28));
    ASSERT_EQ(dialogs_->log().size(), 2u);
    EXPECT_EQ(dialogs_->log()[0].text, MSG(218));
    EXPECT_EQ(dialogs_->log()[1].kind, "saveFile");
    EXPECT_EQ(dialogs_->log()[1].request.filter, "*.Nua|*.Nua|");
    EXPECT_EQ(dialogs_->log()[1].request.initialFolder, dir_);

    std::string attendu = bytesOf(dataFile(sep == '.' ? "colour_file/point/expected.Nua"
                                                       : "colour_file/comma/expected.Nua"));
    attendu = platform::encodeLines({"Résultat des mesures du " + platform::ShortDateNow() + " à " +
                                     platform::ShortTimeNow()}) +
              attendu.substr(attendu.find("\r\n") + 2);
    EXPECT_EQ(bytesOf(fichier), attendu);
    EXPECT_FALSE(f.Frame(10).visible());
    EXPECT_TRUE(f.Bout_dial(30).visible());
    EXPECT_FALSE(Charte_Demande2 || Charte_Demande || Seq_Ouvert);
    EXPECT_EQ(Coul_Ref, fichier);
    EXPECT_EQ(f.GrilleRef.textMatrix(2, 9), "b; c");   // the grid keeps its text

    TableCouleur t;
    EXPECT_EQ(Lit_Fichier_Couleur(fichier, t).compte(), 2);
    EXPECT_DOUBLE_EQ(t(2, 5), 44.87);
  }
}

// A note line that holds "liste=" is the user's text: the chart saved from the record
// reloads with its two entries, not with the note's lines as entries.
TEST_F(ColourOptions, NotesMentioningTheListKeepTheChartWhole) {
  QVL& f = Qvl();
  f.show();
  platform::DoEvents();
  colourZone();
  twoRows();
  dialogs_->clear();
  ASSERT_TRUE(user::choose(f.MnuChrt(3)));
  ASSERT_TRUE(f.Frame(10).visible());
  // The user types two lines of notes before FINNOTES.
  ASSERT_TRUE(user::click(f.TBox(3)));
  f.TBox(3).setSelStart(static_cast<int>(f.TBox(3).text().find("FINNOTES")));
  QWidget* w = f.TBox(3).widget();
  for (const std::string& ligne : {std::string("voir la liste= des exsiccata"), std::string("liste=12;13;14;15;")}) {
    for (const QChar ch : QString::fromStdString(ligne)) user::pressKey(w, 0, QString(ch));
    user::pressKey(w, Qt::Key_Return);
  }
  ASSERT_NE(f.TBox(3).text().find("liste=12;13;14;15;\r\nFINNOTES"), std::string::npos) << f.TBox(3).text();
  const std::string fichier = path("notes.Nua");
  dialogs_->answerMsgBox(platform::vbYes);   // MSG 218: "Calibré" is not ticked
  dialogs_->answerSave(fichier);
  ASSERT_TRUE(user::click(f.Bout_dial(28)));
  ASSERT_TRUE(platform::fileExists(fichier));

  dialogs_->clear();
  dialogs_->answerOpen({fichier});
  ASSERT_TRUE(user::choose(f.MnuChrt(2)));
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(NbNuancier, 2);
  EXPECT_EQ(Nuancier_Noms(2), "b, c");
  EXPECT_FLOAT_EQ(Nuancier(1, 1), 90);
  EXPECT_FLOAT_EQ(Nuancier(2, 2), 120);
  EXPECT_EQ(Compte_Entrees_Liste(fichier), 2);
  TableCouleur t;
  EXPECT_EQ(Lit_Fichier_Couleur(fichier, t).compte(), 2);
}

// A named pipe chosen as the chart: refused at once with the load-failure message,
// never opened; the chart loaded stays.
TEST_F(ColourOptions, APipeAsChartIsRefused) {
  QVL& f = Qvl();
  colourZone();
  const std::string bon = copy("chart/comma_lowercase/chart.Nua", "bon.Nua");
  dialogs_->clear();
  dialogs_->answerOpen({bon});
  ASSERT_TRUE(user::choose(f.MnuChrt(2)));
  ASSERT_EQ(NbNuancier, 4);
  test_support::WatchedPipe tube(path("tube.Nua"));
  ASSERT_TRUE(tube.made());
  dialogs_->clear();
  dialogs_->answerOpen({tube.path()});
  dialogs_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(user::choose(f.MnuChrt(2)));
  EXPECT_EQ(messages(), std::vector<std::string>{"tube.Nua" + MSG(220)});
  EXPECT_FALSE(tube.opened());
  EXPECT_FALSE(Nuancier_Choisi);
  EXPECT_EQ(NbNuancier, 4);
  EXPECT_EQ(Fic_Nuancier, bon);
}

TEST_F(ColourOptions, CancelledSavesWriteNothing) {
  QVL& f = Qvl();
  colourZone();
  twoRows();
  const std::set<std::string> avant = files();

  // No to MSG 218: the record stays pending, the panel open.
  dialogs_->clear();
  user::click(f.MnuChrt(3));
  dialogs_->answerMsgBox(platform::vbNo);
  user::click(f.Bout_dial(28));
  EXPECT_TRUE(Charte_Demande2);
  EXPECT_TRUE(f.Frame(10).visible());

  // Cancel in the dialog (through the bar's button 28): nothing written, both flags cleared.
  dialogs_->answerMsgBox(platform::vbYes);
  dialogs_->answerFileCancel(true);
  user::click(f.Bout(28));
  EXPECT_FALSE(Charte_Demande2 || Charte_Demande || Seq_Ouvert);
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_EQ(files(), avant);

  // Cancel at MSG 116: the old file stays byte for byte.
  const std::string ancien = path("ancien.Scn");
  ASSERT_TRUE(platform::writeLines(ancien, {"ancien", "fichier"}));
  const std::string octets = bytesOf(ancien);
  user::click(f.MnuChrt(8));   // a scanner record with "Calibré" unticked asks nothing first
  EXPECT_EQ(f.Frame(10).caption(), "Enregistrement Calibrage Scanner");
  EXPECT_EQ(f.TBox(3).text(), Fiche_Scanner());
  dialogs_->clear();
  dialogs_->answerSave(ancien);
  dialogs_->answerMsgBox(platform::vbCancel);
  user::click(f.Bout_dial(28));
  ASSERT_EQ(dialogs_->log().size(), 2u);
  EXPECT_EQ(dialogs_->log()[0].request.filter, "*.Scn|*.Scn|");
  EXPECT_EQ(dialogs_->log()[1].text, "écraser le fichier existant ?");
  EXPECT_EQ(bytesOf(ancien), octets);
  EXPECT_FALSE(Charte_Demande || Charte_Demande2);

  // "annuler" in the panel forgets the record: a later button 28 (run by code: the
  // panel that holds it is closed) saves nothing.
  user::click(f.MnuChrt(3));
  user::click(f.Bout_dial(29));
  EXPECT_FALSE(Charte_Demande2);
  dialogs_->clear();
  f.Bout(28).click();
  EXPECT_TRUE(dialogs_->log().empty());
}

TEST_F(ColourOptions, SavedScannerFileBecomesTheCurrentOne) {
  QVL& f = Qvl();
  filesInSettings("correction/scanner.Scn");
  colourZone();
  twoRows();
  ASSERT_EQ(f.CheckCalibre.value(), 1);
  user::click(f.MnuChrt(8));
  const std::string fichier = path("nouveau.Scn");
  dialogs_->clear();
  dialogs_->answerMsgBox(platform::vbYes);   // MSG 217: "Calibré" is ticked
  dialogs_->answerSave(fichier);
  user::click(f.Bout_dial(28));
  ASSERT_FALSE(dialogs_->log().empty());
  EXPECT_EQ(dialogs_->log()[0].text, MSG(217));
  EXPECT_EQ(Fic_Scanner, fichier);
  EXPECT_EQ(f.Label6(1).caption(), "Scanner : nouveau.Scn");
  EXPECT_FALSE(f.CheckCalibre.enabled());
  EXPECT_EQ(f.CheckCalibre.value(), 0);
  EXPECT_FALSE(Correction_Valide || Etalon_Charge);
  TableCouleur t;
  EXPECT_EQ(Lit_Fichier_Couleur(fichier, t).compte(), 2);

  // A measurement in progress refuses a record with the yellow panel, no panel opens.
  EtapeClic = 2;
  user::click(f.MnuChrt(3));
  EXPECT_FALSE(f.Frame(10).visible());
  EXPECT_FALSE(Charte_Demande2);
  EtapeClic = 1;
}

}  // namespace
