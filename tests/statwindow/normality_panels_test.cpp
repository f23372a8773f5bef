// The homogeneity, Shapiro-Wilk and D'Agostino frames in the real statistics window:
// opened from the Tests menu on grid columns, rerun by the column, the risk and the
// law, refusing too few values, and dragged.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/clipboard.h"
#include "statwindow/spreadsheet_paste.h"
#include "statwindow/stat_window_fixture.h"
#include "support/user_input.h"

namespace {

// Column 1: 20 lengths and an unmeasured last row; column 2: 5 values; column 3: two
// groups of three; column 4: 30 lengths.
Rows colonnesDeTest() {
  const std::vector<std::string> c1 = {"0,11", "7,87", "4,61", "10,14", "7,95", "3,14", "0,46",
                                       "4,43", "0,21", "4,75", "0,71", "1,52", "3,24", "0,93",
                                       "0,42", "4,97", "9,53", "4,55", "0,47", "6,66"};
  const std::vector<std::string> c2 = {"3,1", "3,3", "3,4", "3,9", "4,6"};
  const std::vector<std::string> c3 = {"1", "2", "3", "10", "11", "12"};
  const std::vector<std::string> c4 = {"9,1",  "9,4",  "9,6",  "9,7",  "9,8",  "9,9",  "10,0", "10,0",
                                       "10,1", "10,2", "10,2", "10,3", "10,3", "10,4", "10,4", "10,5",
                                       "10,5", "10,6", "10,7", "10,8", "10,9", "11,0", "11,1", "11,2",
                                       "11,4", "11,5", "11,8", "12,1", "12,6", "13,4"};
  Rows rows(30, std::vector<std::string>(4));
  for (size_t r = 0; r < rows.size(); ++r) {
    if (r < c1.size()) rows[r][0] = c1[r];
    if (r < c2.size()) rows[r][1] = c2[r];
    if (r < c3.size()) rows[r][2] = c3[r];
    rows[r][3] = c4[r];
  }
  return rows;
}

// The test columns with the 30 lengths in column 2 (and the five values in column 4).
Rows longueursEnColonne2(Rows rows) {
  for (auto& ligne : rows) std::swap(ligne[1], ligne[3]);
  return rows;
}

const std::string kRejet =
    "Shapiro-Wilk W = 0,900472869646947\rShapiro-Wilk pvalue = 0,0420895576359821\r"
    "risque du rejet  : 0,05\rhypothèse de normalité rejetée  L'hypothèse de normalité est "
    "rejetée avec un risque  inférieur à 5 % de se tromper";

bool contient(const std::string& texte, const std::string& morceau) {
  return texte.find(morceau) != std::string::npos;
}

using NormalityPanels = StatWindowLocaleTest;

TEST_P(NormalityPanels, TestsMenuRunsTheFramesOnGridColumns) {
  grid(2, loc(colonnesDeTest()));
  ASSERT_GE(Der_Colonne, 4);
  whileOpen(openWithButton, [&](FenHisto& f) {
    // Shapiro-Wilk at 5 % on column 1: the unmeasured row is no value.
    f.Ttxt2(3).setText("7");
    user::click(f.Mnstat3(3));
    EXPECT_TRUE(f.FraTest(3).visible());
    EXPECT_EQ(f.Ttxt2(3).text(), "5");
    EXPECT_EQ(f.TVScroll2(3).value(), 5);
    EXPECT_EQ(f.Tlabel1(3).caption(), loc(kRejet));

    // The risk, the law and the column rerun it.
    f.Ttxt2(3).setText("4");
    EXPECT_EQ(f.TVScroll2(3).value(), 4);
    EXPECT_TRUE(contient(f.Tlabel1(3).caption(), loc("risque du rejet  : 0,04\rhypothèse de normalité non rejetée")));
    f.Ttxt2(3).setText("100");   // outside 1 to 99: nothing reruns
    EXPECT_EQ(f.TVScroll2(3).value(), 4);
    EXPECT_TRUE(contient(f.Tlabel1(3).caption(), loc("risque du rejet  : 0,04\r")));
    f.Ttxt2(3).setText("4");
    user::setValue(f.Option3(1), true);
    EXPECT_TRUE(contient(f.Tlabel1(3).caption(),
                         loc("W = 0,891922295702424\rShapiro-Wilk pvalue = 0,0291762913344219\r")));
    user::setValue(f.Option3(0), true);
    f.Ttxt1(3).setText("2");
    EXPECT_EQ(f.TVScroll1(3).value(), 2);
    EXPECT_TRUE(contient(f.Tlabel1(3).caption(),
                         loc("W = 0,897830517723016\rShapiro-Wilk pvalue = 0,398011240397501\r")));
    f.Ttxt1(3).setText("40");    // capped at the last value column
    EXPECT_EQ(f.Ttxt1(3).text(), std::to_string(Der_Colonne));

    // Homogeneity of column 3.
    f.Ttxt1(2).setText("3");
    user::click(f.Mnstat3(2));
    EXPECT_TRUE(f.FraTest(2).visible());
    EXPECT_FALSE(f.FraTest(3).visible());
    const std::string h = f.Tlabel1(2).caption();
    EXPECT_EQ(h.rfind(loc(" Ro= 0,178528737070981\r\n6 données   ;   Pm=  3  ;  \r\n"), 0), 0u) << h;
    EXPECT_TRUE(contient(h, "est probablement (risque 5%) hétérogène"));
    EXPECT_TRUE(contient(h, loc("alpha = 0,0118093363597403\r\n")));
    EXPECT_TRUE(contient(h, loc(" x <= 6,50."))) << h;

    // Three values: MSG 187, the result stays.
    Qvl().GrilleRef.setTextMatrix(4, 3, "");
    Qvl().GrilleRef.setTextMatrix(5, 3, "");
    Qvl().GrilleRef.setTextMatrix(6, 3, "");
    dialogs_->answerMsgBox(platform::vbOK);
    user::click(f.Command4(2));
    EXPECT_EQ(f.Tlabel1(2).caption(), h);
    ASSERT_FALSE(dialogs_->log().empty());
    EXPECT_EQ(dialogs_->log().back().text, MSG(187));

    // D'Agostino of column 4.
    user::click(f.Mnstat3(4));
    EXPECT_TRUE(f.TestNorm.visible());
    EXPECT_EQ(f.TestNorm.caption(), "Test de D'Agostino");
    EXPECT_EQ(f.TNCmd(1).caption(), "Calcul");
    EXPECT_EQ(f.TNLabel(0).caption(), "");
    f.TnText(0).setText("4");
    user::click(f.TNCmd(1));
    const std::string d = f.TNLabel(0).caption();
    EXPECT_EQ(d.rfind(loc("n = 30\r\nZ1 (asymétrie) = 2,36925386752199\r\nZ2 (aplatissement) = 1,5644255457883"), 0), 0u) << d;
    EXPECT_TRUE(contient(d, loc("K² = 8,0607911770831"))) << d;
    user::click(f.TNCmd(0));
    EXPECT_FALSE(f.TestNorm.visible());

    // The diagram panel's "Test" runs it on the data text as it stands.
    user::click(f.Mnstat(2));
    std::string texte;
    for (const auto& ligne : loc(colonnesDeTest())) texte += ligne[3] + ";";
    f.MText3.setText(texte);
    user::click(f.Command8);
    EXPECT_TRUE(f.TestNorm.visible());
    EXPECT_EQ(f.TNLabel(0).caption().rfind(loc("n = 30\r\nZ1 (asymétrie) = 2,36925386752199\r\n"), 0), 0u)
        << f.TNLabel(0).caption();
    f.MText3.setText(loc("1;2;3;4,5;5;6;7;"));
    user::click(f.Command8);
    EXPECT_EQ(f.TNLabel(0).caption(), "D'Agostino : il faut au moins 8 valeurs");
    user::click(f.TNCmd(0));

    // A frame dragged by 300 twips moves by 300 twips; its "Fermer" hides it.
    dialogs_->answerMsgBox(platform::vbOK);   // it runs on column 3, now of three values
    ASSERT_TRUE(user::click(f.Mnstat3(2)));
    platform::Frame& cadre = f.FraTest(2);
    const double gauche = cadre.left(), haut = cadre.top();
    cadre.onMouseDown(1, 0, 600, 900);
    cadre.onMouseMove(1, 0, 900, 900);
    cadre.onMouseMove(1, 0, 600, 1200);
    cadre.onMouseUp(1, 0, 600, 1200);
    EXPECT_EQ(cadre.left(), gauche + 300);
    EXPECT_EQ(cadre.top(), haut + 300);
    ASSERT_TRUE(user::click(f.Command3(2)));
    EXPECT_FALSE(cadre.visible());
  });
}

// W of column 1 and of its logarithms (the values of the test above).
const std::string kW1 = "W = 0,900472869646947\r";
const std::string kW1Log = "W = 0,891922295702424\r";

// The Shapiro-Wilk frame of column 1 keeps testing column 1 whatever the D'Agostino
// panel loads: its risk and its law rerun it on its own column.
TEST_P(NormalityPanels, ShapiroWilkFrameTestsItsOwnColumnAfterDagostino) {
  Vue_Stat = 3;
  grid(2, loc(colonnesDeTest()));
  whileOpen(openWithButton, [&](FenHisto& f) {
    ASSERT_TRUE(user::choose(f.Mnstat3(3)));
    ASSERT_TRUE(contient(f.Tlabel1(3).caption(), loc(kW1))) << f.Tlabel1(3).caption();
    for (int tour = 0; tour < 2; ++tour) {
      // The D'Agostino panel from the Tests menu, its "Calcul" on column 4, then the
      // Shapiro-Wilk frame again.
      ASSERT_TRUE(user::choose(f.Mnstat3(4)));
      ASSERT_TRUE(f.TestNorm.visible());
      ASSERT_TRUE(user::typeInto(f.TnText(0), "4"));
      ASSERT_TRUE(user::click(f.TNCmd(1)));
      ASSERT_TRUE(contient(f.TNLabel(0).caption(), "n = 30\r\n")) << f.TNLabel(0).caption();
      ASSERT_TRUE(user::choose(f.Mnstat3(3)));
      ASSERT_FALSE(f.TestNorm.visible());

      ASSERT_TRUE(user::typeInto(f.Ttxt2(3), tour == 0 ? "4" : "6"));
      EXPECT_TRUE(contient(f.Tlabel1(3).caption(), loc(kW1))) << f.Tlabel1(3).caption();
      EXPECT_TRUE(contient(f.Tlabel1(3).caption(), loc(tour == 0 ? "risque du rejet  : 0,04\r" : "risque du rejet  : 0,06\r")));
      ASSERT_TRUE(user::click(f.Option3(1)));
      EXPECT_TRUE(contient(f.Tlabel1(3).caption(), loc(kW1Log))) << f.Tlabel1(3).caption();
      ASSERT_TRUE(user::click(f.Option3(0)));
      EXPECT_TRUE(contient(f.Tlabel1(3).caption(), loc(kW1))) << f.Tlabel1(3).caption();
    }
    EXPECT_TRUE(dialogs_->log().empty());
  });
}

// The D'Agostino panel's "Calcul" on column 2 leaves the diagram panel on column 1:
// its data box, its name, its column box and its results stay, and its "Test" still
// reports column 1.
TEST_P(NormalityPanels, DagostinoCalculLeavesTheDiagramOnItsColumn) {
  const Rows rows = longueursEnColonne2(loc(colonnesDeTest()));
  grid(2, rows);
  whileOpen(openWithButton, [&](FenHisto& f) {
    ASSERT_TRUE(user::choose(f.Mnstat(2)));
    ASSERT_EQ(f.MText4.text(), "1");
    const std::string donnees = f.MText3.text(), nom = f.NmColonne.caption(), resultats = f.MText1.text();
    ASSERT_TRUE(contient(donnees, loc("6,66;"))) << donnees;
    ASSERT_TRUE(user::choose(f.Mnstat3(4)));
    ASSERT_TRUE(user::typeInto(f.TnText(0), "2"));
    ASSERT_TRUE(user::click(f.TNCmd(1)));
    // Z1 of the 30 lengths (2.3692538675219947) and of the 20 values of column 1
    // (1.0680136946612897), worked out in double precision from D'Agostino's formula.
    EXPECT_EQ(f.TNLabel(0).caption().rfind(loc("n = 30\r\nZ1 (asymétrie) = 2,36925386752199\r\n"), 0), 0u);
    EXPECT_EQ(f.MText3.text(), donnees);
    EXPECT_EQ(f.NmColonne.caption(), nom);
    EXPECT_EQ(f.MText4.text(), "1");
    EXPECT_EQ(f.MText1.text(), resultats);
    ASSERT_TRUE(user::click(f.Command8));
    EXPECT_EQ(f.TNLabel(0).caption().rfind(loc("n = 20\r\nZ1 (asymétrie) = 1,06801369466129\r\n"), 0), 0u)
        << f.TNLabel(0).caption();
  });
}

// n, Z1, Z2 and K² of a D'Agostino result text (either decimal separator); empty when
// the text holds no result.
std::vector<double> resultatsDagostino(const std::string& texte) {
  std::vector<double> v;
  for (const char* cle : {"n = ", "Z1 (asymétrie) = ", "Z2 (aplatissement) = ", "K² = "}) {
    const size_t i = texte.find(cle);
    if (i == std::string::npos) return {};
    std::string nombre = texte.substr(i + std::string(cle).size(), texte.find('\r', i) - i - std::string(cle).size());
    std::replace(nombre.begin(), nombre.end(), ',', '.');
    v.push_back(std::stod(nombre));
  }
  return v;
}

void attendDagostino(const std::string& texte, const std::vector<double>& attendu) {
  const std::vector<double> v = resultatsDagostino(texte);
  ASSERT_EQ(v.size(), attendu.size()) << texte;
  for (size_t i = 0; i < v.size(); ++i) EXPECT_NEAR(v[i], attendu[i], 1e-10) << texte;
}

// The diagram's "Test" after the panel's own "Calcul" on another column and law: it
// tests the diagram's data as they stand, with no law, and the panel then shows the
// diagram's column and "Normale" beside the results; its "Calcul" gives them again. A
// typed series shows no column. n, Z1, Z2 and K² worked out in double precision from
// D'Agostino's and Anscombe and Glynn's formulas on central moments.
TEST_P(NormalityPanels, DiagramTestShowsTheColumnAndLawItComputed) {
  const std::vector<double> colonne1 = {20, 1.0680136946612895, -1.0035604895956696, 2.147786908261558};
  const std::vector<double> logColonne1 = {20, -1.433615794532135, -0.7488336673339261, 2.6160061076647816};
  const std::vector<double> longueurs = {30, 2.3692538675219947, 1.5644255457883611, 8.060791177083141};
  const std::vector<double> logLongueurs = {30, 1.858708208025203, 1.1174513328249884, 4.703493683812605};
  const Rows rows = longueursEnColonne2(loc(colonnesDeTest()));
  grid(2, rows);
  whileOpen(openWithButton, [&](FenHisto& f) {
    ASSERT_TRUE(user::choose(f.Mnstat(2)));
    ASSERT_EQ(f.MText4.text(), "1");
    ASSERT_TRUE(user::choose(f.Mnstat3(4)));
    ASSERT_TRUE(user::typeInto(f.TnText(0), "2"));
    ASSERT_TRUE(user::click(f.Option4(1)));
    ASSERT_TRUE(user::click(f.TNCmd(1)));
    attendDagostino(f.TNLabel(0).caption(), logLongueurs);

    ASSERT_TRUE(user::click(f.Command8));
    attendDagostino(f.TNLabel(0).caption(), colonne1);
    EXPECT_EQ(f.TnText(0).text(), "1");
    EXPECT_EQ(f.VScroll1(0).value(), 1);
    EXPECT_TRUE(f.Option4(0).value());
    EXPECT_FALSE(f.Option4(1).value());
    const std::string test = f.TNLabel(0).caption();
    ASSERT_TRUE(user::click(f.TNCmd(1)));
    EXPECT_EQ(f.TNLabel(0).caption(), test);

    // The logarithms of column 1 only when the law is chosen.
    ASSERT_TRUE(user::click(f.Option4(1)));
    ASSERT_TRUE(user::click(f.TNCmd(1)));
    attendDagostino(f.TNLabel(0).caption(), logColonne1);

    // A typed series: no column beside its results.
    ASSERT_TRUE(user::click(f.MOption1(2)));
    std::string liste;
    for (const auto& ligne : rows) liste += ligne[1] + ";";
    ASSERT_TRUE(user::typeInto(f.MText3, liste));
    ASSERT_TRUE(user::click(f.Command8));
    attendDagostino(f.TNLabel(0).caption(), longueurs);
    EXPECT_EQ(f.TnText(0).text(), "");
    EXPECT_TRUE(f.Option4(0).value());
    ASSERT_TRUE(user::click(f.TNCmd(1)));
    attendDagostino(f.TNLabel(0).caption(), longueurs);
  });
}

// Only the Shapiro-Wilk frame's column box loads its column into the diagram panel:
// its "Calcul" and the Tests menu test the column of the box and leave the diagram on
// its own column.
TEST_P(NormalityPanels, ShapiroCalculLeavesTheDiagramOnItsColumn) {
  const Rows rows = longueursEnColonne2(loc(colonnesDeTest()));
  grid(2, rows);
  whileOpen(openWithButton, [&](FenHisto& f) {
    ASSERT_TRUE(user::choose(f.Mnstat(2)));
    const std::string donnees = f.MText3.text(), nom = f.NmColonne.caption();
    ASSERT_TRUE(user::choose(f.Mnstat3(3)));
    ASSERT_TRUE(user::typeInto(f.Ttxt1(3), "2"));
    const std::string colonne2 = f.Tlabel1(3).caption();
    ASSERT_NE(f.MText3.text(), donnees);
    // The diagram back on column 1, then the frame again by the menu and its "Calcul".
    ASSERT_TRUE(user::choose(f.Mnstat(2)));
    ASSERT_TRUE(user::typeInto(f.MText4, "1"));
    ASSERT_EQ(f.MText3.text(), donnees);
    ASSERT_TRUE(user::choose(f.Mnstat3(3)));
    EXPECT_EQ(f.Tlabel1(3).caption(), colonne2);
    EXPECT_EQ(f.MText3.text(), donnees);
    ASSERT_TRUE(user::click(f.Command4(3)));
    EXPECT_EQ(f.Tlabel1(3).caption(), colonne2);
    EXPECT_EQ(f.MText3.text(), donnees);
    EXPECT_EQ(f.NmColonne.caption(), nom);
    EXPECT_EQ(f.MText4.text(), "1");
  });
}

// A list typed into the diagram panel (source "Texte") is tested as it stands by the
// Tests menu and by each frame's "Calcul": nothing loads a grid column over it.
TEST_P(NormalityPanels, TypedListSurvivesTheTestsMenu) {
  Vue_Stat = 3;
  grid(2, loc(colonnesDeTest()));
  whileOpen(openWithButton, [&](FenHisto& f) {
    ASSERT_TRUE(user::click(f.MOption1(2)));
    const std::string liste = loc("3,1;3,3;3,4;3,9;4,6;");
    ASSERT_TRUE(user::typeInto(f.MText3, liste));
    ASSERT_EQ(f.MText3.text(), liste);
    ASSERT_TRUE(user::choose(f.Mnstat3(3)));
    EXPECT_EQ(f.MText3.text(), liste);
    // W of column 2 in the test above, whose five values these are.
    EXPECT_TRUE(contient(f.Tlabel1(3).caption(), loc("W = 0,897830517723016\r"))) << f.Tlabel1(3).caption();
    ASSERT_TRUE(user::typeInto(f.Ttxt2(3), "4"));
    ASSERT_TRUE(user::click(f.Command4(3)));
    EXPECT_EQ(f.MText3.text(), liste);
    EXPECT_TRUE(contient(f.Tlabel1(3).caption(), loc("W = 0,897830517723016\r")));
    ASSERT_TRUE(user::choose(f.Mnstat3(2)));
    EXPECT_EQ(f.MText3.text(), liste);
    EXPECT_TRUE(contient(f.Tlabel1(2).caption(), "5 données")) << f.Tlabel1(2).caption();
  });
}

// A column typed above the last one is capped, and its too few values give one
// message, not two.
TEST_P(NormalityPanels, CappedColumnWarnsOnce) {
  Rows rows = loc(colonnesDeTest());
  for (size_t r = 2; r < rows.size(); ++r) rows[r][3] = "";
  grid(2, rows);
  whileOpen(openWithButton, [&](FenHisto& f) {
    ASSERT_TRUE(user::choose(f.Mnstat3(3)));
    ASSERT_EQ(Der_Colonne, 4);
    dialogs_->answerMsgBox(platform::vbOK);
    ASSERT_TRUE(user::typeInto(f.Ttxt1(3), "9"));
    EXPECT_EQ(f.Ttxt1(3).text(), "4");
    EXPECT_EQ(f.TVScroll1(3).value(), 4);
    EXPECT_EQ(dialogLog(), std::vector<std::string>{"msgBox: " + MSG(187)});
  });
}

// The D'Agostino panel goes when another panel comes: the comparison of means, a test
// frame or a law table; "Copier" of a test frame puts its result with CR LF line ends.
TEST_P(NormalityPanels, DagostinoPanelGivesWayAndCopiesUseCrLf) {
  grid(2, loc(colonnesDeTest()));
  whileOpen(openWithButton, [&](FenHisto& f) {
    platform::MenuItem* suivants[] = {&f.Mnstat3(1), &f.Mnstat3(2), &f.Mnstat3(3), &f.Mnstat4(2)};
    for (platform::MenuItem* m : suivants) {
      ASSERT_TRUE(user::choose(f.Mnstat3(4)));
      ASSERT_TRUE(f.TestNorm.visible());
      ASSERT_TRUE(user::choose(*m));
      EXPECT_FALSE(f.TestNorm.visible()) << m->caption();
    }
    // The two-sample result is whole to its last words.
    ASSERT_TRUE(user::choose(f.Mnstat3(4)));
    ASSERT_TRUE(user::choose(f.Mnstat3(1)));
    EXPECT_TRUE(user::whyUnreachable(f.CLabel6(4)).empty()) << user::whyUnreachable(f.CLabel6(4));

    ASSERT_TRUE(user::choose(f.Mnstat3(3)));
    const std::string resultat = f.Tlabel1(3).caption();
    ASSERT_EQ(resultat, loc(kRejet));
    ASSERT_TRUE(user::click(f.TCopie(3)));
    std::string attendu = resultat;
    for (size_t i = attendu.find('\r'); i != std::string::npos; i = attendu.find('\r', i + 2)) attendu.insert(i + 1, "\n");
    EXPECT_EQ(platform::Clipboard::getText(), attendu);
    EXPECT_EQ(f.Tlabel1(3).caption(), resultat);
  });
}

TEST(TestFrameCopies, LineBreaksBecomeCrLf) {
  const std::pair<std::string, std::string> cas[] = {
      {"a\rb\rc", "a\r\nb\r\nc"}, {"a\r\nb\n", "a\r\nb\r\n"}, {"a\r\rb", "a\r\n\r\nb"},
      {"\n", "\r\n"},            {"", ""},                    {"sans saut", "sans saut"},
  };
  for (const auto& [texte, attendu] : cas) EXPECT_EQ(Fins_CrLf(texte), attendu) << texte;
}

INSTANTIATE_TEST_SUITE_P(Separators, NormalityPanels, ::testing::Values('.', ','), separatorName);

}  // namespace
