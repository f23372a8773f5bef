// The colour-match window on the real windows (offscreen): opened modal by "Ajuster"
// on two colour rows of the grid and a six-entry chart, its sources, spaces, formulas,
// boxes, copies, chart details and chart archive. Distances were worked out apart in
// Python (double precision, chart values as single floats).
#include "colour_window_fixture.h"
#include "support/user_input.h"

namespace {

using namespace colour_window_test;
using colour_test::bytesOf;

TEST_F(ColourWindowTest, AjusterListsTheNearestEntriesOfEachSource) {
  chart();
  whileOpen([&](Ajustement& f) {
    EXPECT_EQ(f.left(), 1000);
    EXPECT_EQ(f.top(), 500);
    EXPECT_EQ(NbLignes_Ajust, 2);
    // The mean in L*a*b* under CIE dE*ab.
    EXPECT_EQ(f.Text4.text(), "5");
    EXPECT_TRUE(f.Option2(1).value());
    EXPECT_TRUE(f.OpDelta(5).value());
    EXPECT_EQ(f.Label8.caption(), "Nuancier : six.Nua");
    EXPECT_EQ(f.Label9.caption(), " données brutes");
    EXPECT_EQ(f.Text3(0).text() + " " + f.Text3(1).text() + " " + f.Text3(2).text(), "36.49 -11.80 15.96");
    const std::string texte = f.Text2.text();
    EXPECT_EQ(texte.substr(0, texte.find("\r\n1 ")),
              entete("six.Nua") + "CieLab deltaE*\r\n");
    EXPECT_NE(texte.find("\r\n1  Cel.: 4 /ref:   gris\t écart : 26.20\r\n"), std::string::npos);
    EXPECT_EQ(resultats(texte), (Lignes{{4, "26.20"}, {6, "41.54"}, {2, "52.94"}, {1, "79.31"}, {5, "79.31"}}));
    EXPECT_TRUE(f.Frame6(1).visible());
    EXPECT_FALSE(f.Frame6(0).visible());
    EXPECT_EQ(f.Frame6(1).caption(), "nua (5)");
    EXPECT_EQ(f.Frame6(1).backColor(), platform::RGB(200, 30, 40));
    // Tolerance reference: the last row's R, V, B.
    EXPECT_EQ(f.Text1(0).text() + f.Text1(1).text() + f.Text1(2).text(), "3012090");

    // RVB: only its formula, the mean R, V, B.
    user::setValue(f.Option2(0), true);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(f.OpDelta(i).enabled(), i == 1) << i;
    EXPECT_TRUE(f.OpDelta(1).value());
    EXPECT_EQ(f.Label_C(0).caption() + f.Label_C(1).caption() + f.Label_C(2).caption(), "RVB");
    EXPECT_EQ(f.Text3(0).text() + " " + f.Text3(1).text() + " " + f.Text3(2).text(), "60.00 90.00 60.00");
    EXPECT_EQ(resultats(f.Text2.text()), (Lignes{{2, "42.03"}, {4, "59.70"}, {6, "71.41"}, {3, "82.66"}, {1, "88.69"}}));
    EXPECT_NE(f.Text2.text().find("delta RVB quadratique"), std::string::npos);

    // The last measurement.
    user::setValue(f.Option3(1), true);
    EXPECT_EQ(f.Text3(0).text() + " " + f.Text3(1).text() + " " + f.Text3(2).text(), "30 120 90");
    EXPECT_EQ(resultats(f.Text2.text()), (Lignes{{2, "29.44"}, {4, "60.86"}, {3, "74.39"}, {6, "88.32"}, {1, "114.75"}}));

    // A grid row in L*a*b*.
    user::setValue(f.Option2(1), true);
    f.Text5.setText("2");
    EXPECT_TRUE(f.Option3(3).value());
    EXPECT_FALSE(f.Option3(1).value());
    EXPECT_EQ(f.Text3(1).text(), "-33.45");
    EXPECT_EQ(resultats(f.Text2.text()), (Lignes{{4, "35.63"}, {2, "40.39"}, {6, "56.63"}, {1, "101.89"}, {5, "101.89"}}));
    f.VScroll3(0).setValue(1);
    EXPECT_EQ(f.Text5.text(), "1");
    EXPECT_EQ(resultats(f.Text2.text()), (Lignes{{4, "35.90"}, {6, "37.81"}, {1, "58.19"}, {5, "58.19"}, {2, "71.82"}}));

    // Typed values: the boxes open only in expert mode.
    user::setValue(f.Option3(2), true);
    EXPECT_FALSE(f.Text3(0).enabled());
    EXPECT_EQ(f.Text3(0).backColor(), 0xE0E0E0u);
    user::setValue(f.Check3, 1);
    EXPECT_TRUE(f.Text3(0).enabled());
    EXPECT_EQ(f.Text3(0).backColor(), 0xFFFFFFu);
    f.Text3(0).setText("53.59");
    f.Text3(1).setText("0,5");
    f.Text3(2).setText("0");
    f.Text4.setText("2");
    user::click(f.ComCalc);
    EXPECT_EQ(resultats(f.Text2.text()), (Lignes{{4, "00.50"}, {6, "53.59"}}));
    user::setValue(f.Check3, 0);
    EXPECT_FALSE(f.Text3(0).enabled());
    EXPECT_FALSE(f.Option3(2).enabled());

    // Copy, the grid panel and the archive item.
    user::click(f.Command3);
    EXPECT_EQ(platform::Clipboard::getText(), f.Text2.text());
    EXPECT_EQ(bips_, 1);
    const bool grille = Qvl().Frame(6).visible();
    user::click(f.Command2);
    EXPECT_EQ(Qvl().Frame(6).visible(), !grille);
    user::click(f.Command2);
    EXPECT_EQ(Qvl().Frame(6).visible(), grille);
    EXPECT_TRUE(f.Fic_Charte(7).enabled());
  });
  EXPECT_TRUE(messages().empty());
}

TEST_F(ColourWindowTest, CaptionsMenusAndTheCorrectedData) {
  chart();
  Qvl().CheckCalibre.setEnabled(true);
  Qvl().CheckCalibre.setValue(1);
  TINTAVEL.set(12, "Fit ");
  whileOpen([&](Ajustement& f) {
    EXPECT_EQ(f.Label9.caption(), " données corrigées");
    EXPECT_NE(f.Text2.text().find(" données corrigées\r\nCieLab"), std::string::npos);
    EXPECT_EQ(f.Option5(0).caption(), "Fit ");
    EXPECT_EQ(f.Label1.caption(), "Nb résultats voisins ");
    EXPECT_EQ(f.Option3(3).caption(), "N° Grille");
    // Titles 1 to 10 from the texts; those left empty are hidden.
    const char* titres[] = {"Fichiers", "Comparer", "", "Ajuster", "", "Chromatogrammes", "", "", "Outils", ""};
    for (int k = 1; k <= 10; ++k) {
      EXPECT_EQ(f.Fic_Ajust(k).caption(), titres[k - 1]) << k;
      EXPECT_EQ(f.Fic_Ajust(k).visible(), titres[k - 1][0] != '\0') << k;
    }
    EXPECT_TRUE(f.Fic_Ajust(12).visible());
    // "comparer" only disables the count.
    user::setValue(f.Option5(1), true);
    EXPECT_FALSE(f.Text4.enabled());
    user::setValue(f.Option5(0), true);
    EXPECT_TRUE(f.Text4.enabled());
  });
  Qvl().CheckCalibre.setValue(0);
  Qvl().CheckCalibre.setEnabled(false);
  Messages_Defaut();
  EXPECT_TRUE(messages().empty());
}

TEST_F(ColourWindowTest, CountAndRowBoxesStayInRange) {
  struct Case {
    int entrees;
    const char* ouverture;
  };
  for (const Case c : {Case{3, "3"}, Case{40, "5"}}) {
    SCOPED_TRACE(c.entrees);
    chart(c.entrees);
    bips_ = 0;
    whileOpen([&](Ajustement& f) {
      EXPECT_EQ(f.Text4.text(), c.ouverture);
      EXPECT_EQ(resultats(f.Text2.text()).size(), c.entrees == 3 ? 3u : 5u);
      f.Text4.setText("0");
      EXPECT_EQ(f.Text4.text(), "1");
      EXPECT_EQ(resultats(f.Text2.text()).size(), 1u);
      EXPECT_EQ(bips_, 0);
      f.Text4.setText("50");
      EXPECT_EQ(bips_, 1);
      EXPECT_EQ(f.Text4.text(), std::to_string(c.entrees));
      // The scroll bar never goes past the chart, so never beeps.
      for (int v : {14, 2, 10}) {
        f.VScroll2.setValue(v);
        EXPECT_EQ(f.Text4.text(), std::to_string(std::min(v, c.entrees))) << v;
      }
      EXPECT_EQ(bips_, 1);
      // The row box: 1 to the last measured row; text that is no number is left.
      const std::pair<const char*, const char*> lignes[] = {{"0", "1"}, {"9", "2"}, {"-3", "1"}, {"2", "2"}};
      for (const auto& [tape, attendu] : lignes) {
        f.Text5.setText(tape);
        EXPECT_EQ(f.Text5.text(), attendu) << tape;
        EXPECT_TRUE(f.Option3(3).value());
      }
      f.Text5.setText("x");
      EXPECT_EQ(f.Text5.text(), "x");
      EXPECT_FALSE(f.Option3(3).value());
    });
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(ColourWindowTest, NoChartSaysSoOncePerOpening) {
  dialogs_->answerMsgBox(platform::vbOK);
  whileOpen([&](Ajustement& f) {
    EXPECT_EQ(messages(), std::vector<std::string>{MSG(221)});
    EXPECT_EQ(f.Text2.text(), "");
    EXPECT_EQ(f.Text4.text(), "1");
    EXPECT_EQ(f.Label8.caption(), "Nuancier : ");
    // A formula or "Calcul" afterwards says it again.
    dialogs_->answerMsgBox(platform::vbOK);
    dialogs_->answerMsgBox(platform::vbOK);
    user::setValue(f.OpDelta(6), true);
    user::click(f.ComCalc);
    EXPECT_EQ(messages().size(), 3u);
    EXPECT_EQ(f.Text2.text(), "");
  });
  // The next opening says it once more.
  dialogs_->answerMsgBox(platform::vbOK);
  whileOpen([&](Ajustement&) { EXPECT_EQ(messages().size(), 4u); });
}

TEST_F(ColourWindowTest, ArchiveOfTheMeanThenOfARow) {
  chart();
  whileOpen([&](Ajustement& f) {
    user::click(f.Fic_Charte(7));
    EXPECT_TRUE(f.Frame7.visible());
    EXPECT_EQ(f.Frame7.width(), 5300);
    EXPECT_EQ(f.Label5(1).caption(), "Archv_Nuancier.nua");
    f.Text6.setText("Lactarius espèce 2");
    EXPECT_EQ(f.Label10.caption(), "60.00;90.00;60.00;36.49;-11.80;15.96;; Moy; Lactarius espèce 2");
    // The mean into a new file named without extension.
    dialogs_->answerSave(dir_.file("herbier"));
    user::click(f.Command6);
    EXPECT_EQ(dialogs_->log().back().request.fileName, "Archv_Nuancier.nua");
    EXPECT_EQ(dialogs_->log().back().request.initialFolder, dir_.path());
    EXPECT_EQ(Fic_ArchNua, dir_.file("herbier.Nua"));
    EXPECT_EQ(f.Label5(1).caption(), "herbier.Nua");
    // Then grid row 2; the scroll bar moves the row only for "N° Grille".
    f.VScroll7(1).setValue(2);
    EXPECT_EQ(f.Text7.text(), "1");
    user::setValue(f.Option7(5), true);
    f.VScroll7(1).setValue(1);
    f.VScroll7(1).setValue(2);
    EXPECT_EQ(f.Text7.text(), "2");
    EXPECT_EQ(f.Label10.caption(), "30;120;90;44.87;-33.45;8.63;;; Lactarius espèce 2");
    dialogs_->answerSave(dir_.file("herbier.Nua"));
    f.Label5(1).onClick();
    EXPECT_EQ(dialogs_->log().back().request.fileName, "herbier.Nua");
    EXPECT_EQ(bytesOf(dir_.file("herbier.Nua")), bytesOf(colour_test::dataFile("window/herbier.Nua")));
    user::click(f.Command7);
    EXPECT_EQ(f.Label9.caption(), "********2");

    // A cancelled dialog writes nothing; a file that cannot be written is reported and
    // keeps its bytes.
    const std::string avant = bytesOf(dir_.file("herbier.Nua"));
    dialogs_->answerFileCancel(true);
    user::click(f.Command6);
    EXPECT_EQ(bytesOf(dir_.file("herbier.Nua")), avant);
    dialogs_->answerSave(dir_.file("herbier.Nua"));
    dialogs_->answerMsgBox(platform::vbOK);
    {
      test_support::FileSizeLimit limite(avant.size() + 4);
      ASSERT_TRUE(limite.active());
      user::click(f.Command6);
    }
    EXPECT_EQ(bytesOf(dir_.file("herbier.Nua")), avant);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].rfind(MSG(144), 0), 0u);

    // The date is shown, not archived; "Fermer" hides the panel.
    user::click(f.Command5);
    EXPECT_TRUE(f.MonthView1.visible());
    EXPECT_EQ(f.Command5.caption(), "Date OK");
    ASSERT_TRUE(f.MonthView1.setValue({2026, 10, 3}));
    f.MonthView1.onDateClick();
    EXPECT_EQ(f.Label10.caption(),
              "30;120;90;44.87;-33.45;8.63;;; Lactarius espèce 2 /  " + platform::ShortDateText({2026, 10, 3}));
    user::click(f.Command5);
    EXPECT_FALSE(f.MonthView1.visible());
    EXPECT_EQ(f.Command5.caption(), "Date");
    user::click(f.Command4);
    EXPECT_FALSE(f.Frame7.visible());
  });
  // The archive opens in the editor from its own path, and the window closes.
  Type_Fichier_Edit = 0;
  whileOpen([&](Ajustement& f) {
    EXPECT_EQ(f.Label5(1).caption(), "herbier.Nua");
    user::click(f.Fic_Charte(8));
    EXPECT_FALSE(f.isLoaded());
  });
  EXPECT_EQ(Type_Fichier_Edit, 3);
  EXPECT_TRUE(Qvl().FrameEditer.visible());
  EXPECT_EQ(Qvl().TextEdit.text(), "Nuancier archivé\r\nN°;R;V;B;L;a;b;zone;S;comment;\r\nLISTE=\r\n"
                                   "1;60.00;90.00;60.00;36.49;-11.80;15.96;; Moy; Lactarius espèce 2\r\n"
                                   "2;30;120;90;44.87;-33.45;8.63;;; Lactarius espèce 2\r\n");
}

TEST_F(ColourWindowTest, ChartDetailsFromTheButtonBar) {
  chart();
  // Button 29 loads the window without showing it.
  Bout_Click(29);
  Ajustement& f = ColourWindow();
  EXPECT_TRUE(f.isLoaded());
  EXPECT_FALSE(f.visible());
  const std::string attendu = platform::ShortDateText({2026, 12, 9}) +
                              "   Image : spore.jpg\r\n.................. \r\nNuancier : six.Nua\r\n"
                              " code=  B7\r\nSCANNER= s.Scn\r\nRESOLUTION=1200\r\nNOTES=\r\nHerbier de Lyon\r\n"
                              "planche 3, récolte 2024\r\nCALIBRAGECOL=1\r\nNb de couleurs : 6\r\n";
  EXPECT_EQ(f.Text2.text(), attendu);
  // A chart file that no longer exists leaves the box.
  std::filesystem::remove(dir_.file("six.Nua"));
  Comm_nuancier_Click();   // the details as the main window asks for them, the window hidden
  EXPECT_EQ(f.Text2.text(), attendu);
  // "Ajuster" then shows the loaded window, which searches again. Its boxes, read
  // before the grid statistics were made, are empty for the first search: said once.
  ASSERT_TRUE(platform::copyFile(colour_test::dataFile("window/six.Nua"), dir_.file("six.Nua")));
  dialogs_->answerMsgBox(platform::vbOK);
  whileOpen([&](Ajustement& w) { EXPECT_EQ(resultats(w.Text2.text()).size(), 5u); });
  EXPECT_EQ(messages(), std::vector<std::string>{MSG(223)});
}

}  // namespace
