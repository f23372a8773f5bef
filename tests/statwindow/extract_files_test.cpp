// Files of an extract: the extract trame and the export, their names and lines, then
// the files written from the window's tools menu and read back.
#include <unistd.h>

#include <filesystem>

#include "images/image_state.h"
#include "measure/trame_file.h"
#include "platform/textfile.h"
#include "statwindow/extract_files.h"
#include "statwindow/stat_window_fixture.h"
#include "support/user_input.h"

namespace {

TEST(ExtractFiles, ProposedNames) {
  EXPECT_EQ(Nom_Trame_Extrait("/data/session.trm", "/img/a.jpg", true), "session_EX.trm");
  EXPECT_EQ(Nom_Trame_Extrait("C:\\mes\\sess.ion.trm", "", false), "sess_EX.trm");
  EXPECT_EQ(Nom_Trame_Extrait("", "", false), "Extrait_EX.trm");
  EXPECT_EQ(Nom_Trame_Extrait("", "/img/spores.v2.jpg", true), "spores_EX.trm");
  EXPECT_EQ(Nom_Trame_Extrait("", "/img/absente.jpg", false), "_EX.trm");
  EXPECT_EQ(Nom_Export_Extrait("", true, "csv"), "mesures_Extr_Extr.csv");
  EXPECT_EQ(Nom_Export_Extrait("/img/spores.jpg", false, "txt"), "spores_Extr.txt");
}

TEST(ExtractFiles, ExportLinesWithEitherSeparator) {
  platform::SetDecimalSeparator(',');
  EnteteExtrait h;
  h.date = "09/12/2026";
  h.heure = "14:05";
  h.NomFonction = "Spores 2D";
  h.NomObjet = "Russula";
  h.lignesGrille = 5;
  const std::vector<std::string> titres = {"N°", "Long.", "Larg."};
  const std::vector<std::vector<std::string>> lignes = {{"2", "10,2", "5,1"}, {"4", "9,8", "4,9"}};
  const std::vector<std::string> csv = {" Extrait du Résultat des mesures du 09/12/2026 à 14:05",
                                        "indépendance Dimension",
                                        "Fonction : Spores 2D",
                                        MSG(131) + " : Russula",
                                        "num; " + MSG(126) + " " + MSG(109),
                                        "",
                                        "2 mesures sur 5",
                                        "LISTE=",
                                        "N°; Long.; Larg.; ",
                                        "2; 10,2; 5,1; ",
                                        "4; 9,8; 4,9; ",
                                        "; ; ; ; ; ; ;"};
  EXPECT_EQ(Lignes_Export_Extrait(h, titres, lignes), csv);
  h.type = "txt";
  h.independant = true;
  h.ficImport = "/res/import.csv";
  const std::vector<std::string> txt = Lignes_Export_Extrait(h, titres, lignes);
  ASSERT_EQ(txt.size(), csv.size() + 2);
  EXPECT_EQ(txt[1], "indépendance Résolution");
  EXPECT_EQ(txt[4], "CSV importé : import.csv");
  EXPECT_EQ(txt[5], "");
  EXPECT_EQ(txt[6], "num\t;" + MSG(126) + " " + MSG(109));
  EXPECT_EQ(txt[11], "2\t;10,2\t;5,1\t;");
  platform::SetDecimalSeparator(0);
}

TEST(ExtractFiles, ExtractTrameKeepsTheSessionAndTheListedRows) {
  platform::SetDecimalSeparator(',');
  SessionTrame s;
  s.fonction = 2;
  s.tailleGrille = 3000;
  s.images = {"/img/a.jpg", "/img/b.jpg"};
  s.calibrations = {0.125, 0.25};
  s.largeurEcranPixels = 1920;
  s.largeurEchelle = 8000;
  for (int k = 1; k <= 5; ++k) {
    LigneTrame l;
    l.numImage = k <= 2 ? 1 : 2;
    l.cellules = {Segment{10.0 * k, 20, 30.5, 40}, Segment{1, 2, 3, k + 0.25}};
    s.lignes.push_back(l);
    s.commentaires.push_back("c" + std::to_string(k));
  }
  const SessionTrame e = Session_Extrait(s, {2, 4, 9});
  const std::vector<std::string> attendu = {"INDPRES=False", "NBIMAGES= 2", "NBLIGNES= 2", "NBLGMAX =3000",
                                            "FONCTION= 2", "CALIBRAGE= ", " 0,125", " 0,25", "RESH =  1920",
                                            "PCTSW =  8000", "IMAGES= ", "/img/a.jpg", "/img/b.jpg",
                                            "EXTRAITS= session.trm / 2;4;", "COMMENT= ", "1;c2", "2;c4", "FIN",
                                            "TRAME= ", "0;1;20;20;30,5;40;1;2;3;2,25;",
                                            "0;2;40;20;30,5;40;1;2;3;4,25;"};
  EXPECT_EQ(Lignes_Trame_Extrait(e, "session.trm / 2;4;"), attendu);
  SessionTrame relue;
  ASSERT_TRUE(Analyse_Trame(attendu, &relue));
  EXPECT_EQ(relue.commentaires, (std::vector<std::string>{"c2", "c4"}));
  ASSERT_EQ(relue.lignes.size(), 2u);
  EXPECT_EQ(relue.lignes[1].cellules[1].Y2, 4.25);
  EXPECT_TRUE(Ligne_Mesuree(e.lignes[0]));
  EXPECT_FALSE(Ligne_Mesuree(LigneTrame{}));
  LigneTrame vide;
  vide.cellules = {Segment{}, Segment{}};
  EXPECT_FALSE(Ligne_Mesuree(vide));
  platform::SetDecimalSeparator(0);
}

// --- from the window ------------------------------------------------------------------

class ExtractFilesWindow : public StatWindowTest {
 protected:
  void SetUp() override {
    StatWindowTest::SetUp();
    dossier_ = std::filesystem::temp_directory_path() / ("qv-extract-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dossier_);
    ficTrame_ = Fic_Trame;
    repData_ = Rep_Data;
    ext_ = Ext_Export;
    repImages_ = Rep_Images;
    // Files chosen away from the program folder: no first-save warning.
    Rep_Images = dossier_.string();
  }
  void TearDown() override {
    Qvl().ListIMGchar.clear();
    Qvl().labNomFic.setCaption("");
    Fic_Trame = ficTrame_;
    Rep_Data = repData_;
    Ext_Export = ext_;
    Rep_Images = repImages_;
    for (int k = 0; k <= 5; ++k) TabMesures(k) = Mesure{};
    std::filesystem::remove_all(dossier_);
    StatWindowTest::TearDown();
  }
  // Five measured rows of function 2 on two images; comments "c1" to "c5".
  void session() {
    Rows r;
    for (int k = 1; k <= 5; ++k) r.push_back({std::to_string(10 + k), "5", "2", "", k <= 2 ? "1" : "2", "c" + std::to_string(k)});
    grid(2, r);
    for (int k = 1; k <= 5; ++k) {
      TabMesures(k).NumImage = k <= 2 ? 1 : 2;
      TabMesures(k).Seg(1) = Segment{10.0 * k, 20, 30.5, 40};
      TabMesures(k).Seg(2) = Segment{1, 2, 3, 4};
    }
    Qvl().ListIMGchar.addItem("/img/a.jpg");
    Qvl().ListIMGchar.addItem("/img/b.jpg");
    Fic_Trame = "/ailleurs/session.trm";
    Liste_Extrait = "2;4;";
  }
  std::string chemin(const std::string& nom) const { return (dossier_ / nom).string(); }
  std::filesystem::path dossier_;
  std::string ficTrame_, repData_, ext_, repImages_;
};

TEST_F(ExtractFilesWindow, TrameOfTwoRowsAndCancelledOverwrite) {
  session();
  const std::string fichier = chemin("session_EX.trm");
  dialogs_->answerSave(fichier);
  dialogs_->answerSave(fichier);
  dialogs_->answerMsgBox(platform::vbCancel);
  whileOpen(openWithButton, [&](FenHisto& f) {
    user::click(f.Mnstat(2));
    user::click(f.Mnstat6(1));
    std::string avant;
    ASSERT_TRUE(platform::readBytes(fichier, &avant));
    user::click(f.Mnstat6(1));   // exists: Cancel keeps it byte for byte
    std::string apres;
    ASSERT_TRUE(platform::readBytes(fichier, &apres));
    EXPECT_EQ(apres, avant);
    EXPECT_NE(avant.find("\r\nEXTRAITS= session.trm / 2;4;\r\nCOMMENT= \r\n1;c2\r\n2;c4\r\nFIN\r\n"), std::string::npos);
    EXPECT_EQ(avant.find("TAILLEECRAN"), std::string::npos);
  });
  ASSERT_EQ(dialogs_->log().size(), 3u);
  EXPECT_EQ(dialogs_->log()[0].request.fileName, "session_EX.trm");
  EXPECT_EQ(dialogs_->log()[0].request.filter, "*.trm|*.trm|Tous les fichiers (*.*)|*.*");
  EXPECT_EQ(dialogs_->log()[2].text, MSG(116));
  std::vector<std::string> lignes;
  ASSERT_TRUE(platform::readLines(fichier, &lignes));
  SessionTrame s;
  ASSERT_TRUE(Analyse_Trame(lignes, &s));
  EXPECT_EQ(s.commentaires, (std::vector<std::string>{"c2", "c4"}));
  ASSERT_EQ(s.lignes.size(), 2u);
  EXPECT_EQ(s.lignes[0].cellules[0].X1, 20);
  EXPECT_EQ(s.lignes[1].numImage, 2);
  EXPECT_EQ(s.images.size(), 2u);
}

TEST_F(ExtractFilesWindow, PastedRowsCannotBecomeATrameButAreExported) {
  session();
  for (int k = 1; k <= 5; ++k) TabMesures(k) = Mesure{};
  Ext_Export = "csv";
  const std::string fichier = chemin("export.csv");
  dialogs_->answerMsgBox(platform::vbOK);
  dialogs_->answerSave(fichier);
  whileOpen(openWithButton, [&](FenHisto& f) {
    user::click(f.Mnstat6(1));
    user::click(f.Mnstat6(2));
  });
  ASSERT_EQ(dialogs_->log().size(), 2u);
  EXPECT_EQ(dialogs_->log()[0].text, MSG(130));
  EXPECT_EQ(dialogs_->log()[1].request.fileName, "mesures_Extr_Extr.csv");
  EXPECT_EQ(dialogs_->log()[1].request.filter, "*.csv|*.csv|Tous les fichiers (*.*)|*.*");
  std::vector<std::string> lignes;
  ASSERT_TRUE(platform::readLines(fichier, &lignes));
  ASSERT_GE(lignes.size(), 5u);
  const std::vector<std::string> fin(lignes.end() - 5, lignes.end());
  EXPECT_EQ(fin[0], "LISTE=");
  EXPECT_EQ(fin[1], "N°; Long.; Larg.; Q; V; img; comment; ");
  EXPECT_EQ(fin[2], "2; 12; 5; 2; ; 1; c2; ");
  EXPECT_EQ(fin[3], "4; 14; 5; 2; ; 2; c4; ");
  EXPECT_EQ(fin[4], "; ; ; ; ; ; ;");
  EXPECT_EQ(lignes[lignes.size() - 6], "2 mesures sur 5");
}

TEST_F(ExtractFilesWindow, EmptyExtractAndCancelledDialogsWriteNothing) {
  session();
  Liste_Extrait.clear();
  dialogs_->answerMsgBox(platform::vbOK);
  dialogs_->answerMsgBox(platform::vbOK);
  whileOpen(openWithButton, [&](FenHisto& f) {
    user::click(f.Mnstat6(1));
    user::click(f.Mnstat6(2));
    Liste_Extrait = "2;";
    dialogs_->answerFileCancel(true);
    dialogs_->answerFileCancel(true);
    user::click(f.Mnstat6(1));
    user::click(f.Mnstat6(2));
  });
  const std::vector<std::string> attendu = {"msgBox: Liste extraite vide", "msgBox: " + MSG(130), "saveFile: ",
                                            "saveFile: "};
  std::vector<std::string> vu = dialogLog();
  for (auto& v : vu) v = v.substr(0, v.find(": ") + 2) + (v.rfind("msgBox", 0) == 0 ? v.substr(v.find(": ") + 2) : "");
  EXPECT_EQ(vu, attendu);
  EXPECT_TRUE(std::filesystem::is_empty(dossier_));
}

}  // namespace
