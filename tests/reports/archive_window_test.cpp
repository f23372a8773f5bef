// The archive search window driven as a user does: "Test Archv" opens it on the
// chosen archive file and searches once, the scroll bar searches again, the risk and
// the filter are typed in its frame, "Copier" copies the results.
#include "reports/archive_window.h"

#include <gtest/gtest.h>

#include "archive_fixture.h"
#include "forms/archive_window.h"
#include "platform/clipboard.h"
#include "platform/textfile.h"
#include "support/layout_check.h"
#include "support/user_input.h"

namespace {

using archive_fixture::ArchiveWindow;
using archive_fixture::kSeptSpores;

const std::vector<std::string> kArchive = {
    "MSGENRE;MSESP;MSREF;MSDATE;KS;NBMES;LONG;SLONG;LARG;SLARG;QU;SQU ",
    "Inocybe; geophylla; R1; 12/10/2024; Bois Nord/4.35/48.27; 1; 7; 10,20; 1,10; 5,60; 0,30; 1,71; 0,08; ; ",
    "Inocybe; lacera; R2; 01/09/2023; 1; 40; 13,20; 0,80; 6,10; 0,40; 2,16; 0,10; ; ",
    "Inocybe; rimosa; R3; 02/09/2023; 1; ; 11,60; ; 6,50; ; ; ; ; ",
    "Inocybe; fastigiata; R4; 03/09/2023; 1; 25; 10,40; 1,20; 5,90; 0,50; 1,76; 0,12; ; ",
    "Inocybe; cookei; R5; 04/09/2023; 1; 7; 12,30; 0,90; 6,80; 0,40; 1,81; 0,09; ; ",
};

const std::string kRegle = std::string(59, '-') + "\r\n";
const std::string kGeophylla = "Inocybe  geophylla\t R1\t 12/10/2024\t Bois Nord/4.35/48.27\t lng  10,20\t  larg  5,60\r\n";
const std::string kFastigiata = "Inocybe  fastigiata\t R4\t 03/09/2023\t 1\t lng  10,40\t  larg  5,90\r\n";
const std::string kRimosa = "Inocybe  rimosa\t R3\t 02/09/2023\t 1\t lng  11,60\t  larg  6,50\r\n";

std::string titre(const char* risque) {
  return std::string("Eventualités non écartées au risque de 1ère espèce de  ") + risque + "%\r\n" + kRegle;
}

class ArchiveSearchWindow : public ArchiveWindow {
 protected:
  void SetUp() override {
    ArchiveWindow::SetUp();
    alpha_ = Alpha_Archive;
    fichier_ = dir_ + "/ArchvStat.ArS2";
    ASSERT_TRUE(platform::writeLines(fichier_, kArchive));
  }
  void TearDown() override {
    if (Fenetre_Archive_Ouverte()) Fenetre_Archive().unload();
    Alpha_Archive = alpha_;
    Filtre_Archive.clear();
    ArchiveWindow::TearDown();
  }
  int asked(const std::string& kind) {
    int n = 0;
    for (const auto& a : dialogs().log()) n += a.kind == kind;
    return n;
  }
  float alpha_ = 0;
  std::string fichier_;
};

TEST_F(ArchiveSearchWindow, TestArchvOpensSearchesAndTheScrollBarSearchesAgain) {
  spores2D(kSeptSpores);
  QVL& f = Qvl();
  dialogs().answerOpen({fichier_});
  user::click(f.Bout(45));
  ASSERT_TRUE(Fenetre_Archive_Ouverte());
  Fen_Nmst& w = Fenetre_Archive();
  EXPECT_EQ(w.Text1.text(), titre(" 20") + kGeophylla + kFastigiata);
  EXPECT_EQ(w.NbLgn, 4);
  EXPECT_EQ(w.caption(), "Archive  :  " + fichier_);
  EXPECT_EQ(w.Label1.caption(), "Risque  20%");
  EXPECT_EQ(w.HScroll1.value(), 20);
  layout::expectClean(w, "résultats");
  EXPECT_FLOAT_EQ(Alpha_Archive, 0.1f);
  EXPECT_EQ(f.StatusBar1.simpleText(), "Bouton droit pour fermer");
  const auto& demande = dialogs().log().front().request;
  EXPECT_EQ(demande.fileName, Rep_Prog + "/ArchvStat.ArS2");
  EXPECT_EQ(demande.filter, "*.ArS2|*.ArS2|Tous les fichiers (*.*)|*.*");

  // The scroll bar at 10 %: rimosa too.
  w.HScroll1.setValue(10);
  EXPECT_EQ(w.Text1.text(), titre(" 10") + kGeophylla + kRimosa + kFastigiata);
  EXPECT_EQ(w.Label1.caption(), "Risque  10%");

  // "Copier": the results on the clipboard byte for byte.
  user::click(w.Nmst_m(2));
  EXPECT_EQ(platform::Clipboard::getText(), w.Text1.text());

  // "Test Archv" again searches the open window's file without asking for it.
  w.Text1.setText("");
  user::click(f.Bout(45));
  EXPECT_EQ(w.Text1.text(), titre(" 10") + kGeophylla + kRimosa + kFastigiata);
  EXPECT_EQ(asked("openFile"), 1);
}

TEST_F(ArchiveSearchWindow, RiskAndFilterTypedInTheFrame) {
  spores2D(kSeptSpores);
  dialogs().answerOpen({fichier_});
  Ouvre_Recherche_Archive();
  Fen_Nmst& w = Fenetre_Archive();
  user::click(w.Nmst_p(1));
  EXPECT_TRUE(w.Frame2.visible());
  EXPECT_EQ(w.Frame2.caption(), "Risque alpha %");
  layout::expectClean(w, "risque");
  EXPECT_EQ(w.Text2.text(), " 20");
  w.Text2.setText("10");
  user::click(w.Command1(0));
  EXPECT_FALSE(w.Frame2.visible());
  EXPECT_EQ(w.HScroll1.value(), 10);
  EXPECT_FLOAT_EQ(Alpha_Archive, 0.05f);
  EXPECT_EQ(w.Text1.text(), titre(" 10") + kGeophylla + kRimosa + kFastigiata);
  // A risk outside (1, 100) percent is refused.
  user::click(w.Nmst_p(1));
  w.Text2.setText("150");
  dialogs().answerMsgBox(platform::vbOK);
  user::click(w.Command1(0));
  EXPECT_EQ(dialogs().log().back().text, "valeur du risque incorrecte");
  EXPECT_EQ(w.HScroll1.value(), 10);
  // The filter is kept without a search; "Re-chercher" applies it.
  user::click(w.Nmst_p(2));
  EXPECT_EQ(w.Frame2.caption(), "Filtre Texte");
  layout::expectClean(w, "filtre");
  w.Text2.setText("RIM");
  user::click(w.Command1(0));
  EXPECT_EQ(w.Label2.caption(), "Filtre :  RIM");
  EXPECT_EQ(w.Text1.text(), titre(" 10") + kGeophylla + kRimosa + kFastigiata);
  user::click(w.Nmst_m(4));
  EXPECT_EQ(w.Text1.text(), titre(" 10") + kRimosa);
  w.HScroll1.setValue(20);
  EXPECT_EQ(w.Text1.text(), titre(" 20") + "Aucune\r\n");
  // Opening again: risk 20 %, no filter.
  user::click(w.Nmst_m(1));
  EXPECT_FALSE(Fenetre_Archive_Ouverte());
  dialogs().answerOpen({fichier_});
  Ouvre_Recherche_Archive();
  EXPECT_EQ(Filtre_Archive, "");
  EXPECT_EQ(w.Label2.caption(), "");
  EXPECT_EQ(w.Text1.text(), titre(" 20") + kGeophylla + kFastigiata);
}

TEST_F(ArchiveSearchWindow, TooFewRowsAndAForeignFile) {
  spores2D({kSeptSpores.front()});
  dialogs().answerOpen({fichier_});
  dialogs().answerMsgBox(platform::vbOK);
  user::click(Qvl().Bout(45));
  // Opening searches once: one message, not one per set-up step.
  EXPECT_EQ(asked("msgBox"), 1);
  EXPECT_EQ(dialogs().log().back().text, " nombre de mesures insuffisant (<=2)");
  Fenetre_Archive().unload();

  spores2D(kSeptSpores);
  const std::string etranger = dir_ + "/autre.ArS2";
  ASSERT_TRUE(platform::writeLines(etranger, {"N°;L;l", "1;12;6"}));
  dialogs().answerOpen({etranger});
  dialogs().answerMsgBox(platform::vbOK);
  dialogs().answerOpen({fichier_});
  Ouvre_Recherche_Archive();
  EXPECT_EQ(dialogs().log()[dialogs().log().size() - 2].text, "fichier   " + etranger + "  incorrect");
  EXPECT_EQ(Fenetre_Archive().Nom_Fic_Archive, fichier_);
  user::click(Fenetre_Archive().Nmst_m(4));
  EXPECT_EQ(Fenetre_Archive().Text1.text(), titre(" 20") + kGeophylla + kFastigiata);
}

// The archive cannot be read any more (gone, or a folder in its place): "Re-chercher"
// beeps and shows the fresh title and rule, not the results of the search before.
TEST_F(ArchiveSearchWindow, AnUnreadableArchiveShowsNoEarlierResults) {
  spores2D(kSeptSpores);
  dialogs().answerOpen({fichier_});
  Ouvre_Recherche_Archive();
  Fen_Nmst& w = Fenetre_Archive();
  ASSERT_EQ(w.Text1.text(), titre(" 20") + kGeophylla + kFastigiata);
  ASSERT_TRUE(platform::removeFile(fichier_));
  ASSERT_TRUE(user::choose(w.Nmst_m(4)));
  EXPECT_EQ(w.Text1.text(), titre(" 20"));
  EXPECT_EQ(w.NbLgn, 2);

  ASSERT_TRUE(platform::makeFolder(fichier_));
  w.Text1.setText("ancien résultat");
  ASSERT_TRUE(user::choose(w.Nmst_m(4)));
  EXPECT_EQ(w.Text1.text(), titre(" 20"));
}

}  // namespace
