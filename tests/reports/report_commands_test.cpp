// The report commands in the real window: spores measured with the mouse, the summary
// panel and its buttons, the notation copy, the results export with and without its
// dialog, and the import of the exported file back into the grid.
#include "reports/report_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "golden.h"
#include "images/image_list.h"
#include "measure/dispatch.h"
#include "measure/grid_statistics.h"
#include "measure/grid_templates.h"
#include "measure/measure_window.h"
#include "measure/picture_window.h"
#include "platform/clipboard.h"
#include "platform/textfile.h"
#include "reports/results_export.h"
#include "reports/stat_rows.h"
#include "shell/diagnostics.h"
#include "shell/function_switch.h"
#include "support/user_input.h"

namespace {

using namespace picture_window;

class ReportCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetDecimalSeparator('.');
    script_ = &shownWindow(r_);
    keepMeasuringState(r_, 20);
    QVL& f = Qvl();
    r_.keep(Calib_Images); r_.keep(ValEtapes); r_.keep(ValMesure); r_.keep(Trace_Poly);
    r_.keep(NbPoints_Copie); r_.keep(Der_Colonne); r_.keep(Fic_CSV_Import); r_.keep(Fic_Resultats);
    r_.keep(Rep_Data); r_.keep(Ext_Export); r_.keep(NomFonction); r_.keep(Export_Fait);
    r_.keep(Img_Active);
    const int fonction = FonctionCourante, stat = f.Check(3).value();
    const bool grille = f.Frame(6).visible();
    r_.then([fonction, stat, grille] {
      QVL& g = Qvl();
      g.GrilleRef.setRows(1);
      g.MGrille.setRows(1);
      Choix_Fonction_Mesure(fonction);
      g.Check(3).setValue(stat);
      g.Frame(6).setVisible(grille);
      g.Frame(12).setVisible(false);
      g.TBox(3).setText("");
      g.TBox(8).setText("");
    });
    r_.then([] {
      Vide_Listes();
      platform::setClock(nullptr);
      platform::SetDecimalSeparator(0);
    });
    platform::setClock(std::make_unique<measure_window::RunningClock>());
    for (int i = 0; i <= 20; ++i) TabMesures(i) = Mesure{};
    standardMeasuringState();
    Expo_Zoom_Initial = 0;
    Trace_Ok = false;
    Ext_Export = "csv";
  }

  // Eleven spores of function 2 dragged on a 400-pixel picture: a horizontal length,
  // then a width below and to the right of its press.
  void measureSpores() {
    QVL& f = Qvl();
    Indep_Resol = false;
    Calibrage = 0.05;
    ASSERT_TRUE(loadPlainPicture(dir_, 400, 300, 0x000000));
    const std::string picture = dir_.file("plain_400x300.bmp");
    ASSERT_EQ(Ajoute_Image_Liste(picture), 1);
    Image_Courante(picture);
    f.GrilleRef.setRows(1);
    ASSERT_TRUE(Choix_Fonction_Mesure(2));
    RAZ_Compteurs_Points();
    f.Check(3).setValue(1);
    for (int i = 0; i < 11; ++i) {
      const int y = 15 + 25 * i, length = 200 + 9 * i, width = 90 + 3 * (i % 4);
      drag(30, y, 30 + length, y);
      drag(50, y, 57, y + width);
    }
    ASSERT_EQ(LigneCourante, 12);
  }

  static std::vector<std::vector<std::string>> gridCells(int rows, int cols) {
    std::vector<std::vector<std::string>> cells;
    for (int r = 0; r < rows; ++r) {
      cells.emplace_back();
      for (int c = 0; c < cols; ++c) cells.back().push_back(Qvl().GrilleRef.textMatrix(r, c));
    }
    return cells;
  }

  static std::vector<std::string> fileLines(const std::string& path) {
    std::vector<std::string> lines;
    EXPECT_TRUE(platform::readLines(path, &lines)) << path;
    return lines;
  }

  // The lines from "LISTE=" to the empty row.
  static std::vector<std::string> listLines(const std::vector<std::string>& lines) {
    auto first = std::find(lines.begin(), lines.end(), "LISTE=");
    auto last = std::find_if(first, lines.end(), [](const std::string& l) {
      return !l.empty() && l.find_first_not_of("; \t") == std::string::npos;
    });
    return {first, last == lines.end() ? last : last + 1};
  }

  static std::string flashText() { return Qvl().lblLabelflashx.caption(); }

  Restorer r_;
  TempFolder dir_;
  platform::ScriptedDialogs* script_ = nullptr;
};

TEST_F(ReportCommands, MeasureSummariseExportAndImportBack) {
  QVL& f = Qvl();
  measureSpores();
  const auto measured = gridCells(12, 7);

  // "Aperçu" shows the summary over the lower left corner of the picture; "Copier"
  // copies it; "Aperçu" again hides the panel.
  user::click(f.Bout(39));
  ASSERT_TRUE(f.Frame(12).visible());
  EXPECT_EQ(f.Frame(12).left(), f.Picture1.left() + 100);
  EXPECT_EQ(f.Frame(12).top() + f.Frame(12).height(), f.Picture1.top() + f.Picture1.height());
  const std::string summary = f.TBox(8).text();
  EXPECT_EQ(summary.rfind("Image en cours : plain_400x300.bmp\r\n", 0), 0u) << summary;
  EXPECT_NE(summary.find("Type notation  : D1, Dominante, D9\r\nLong. : \tN =11 ;D1,Dom., D9; ("), std::string::npos)
      << summary;
  EXPECT_EQ(summary.find("CSV importé"), std::string::npos);
  user::click(f.Bout(43));
  EXPECT_EQ(f.TBox(8).text(), summary);
  platform::Clipboard::clear();
  user::click(f.Bout(37));
  EXPECT_EQ(platform::Clipboard::getText(), summary);
  user::click(f.Bout(39));
  EXPECT_FALSE(f.Frame(12).visible());

  // Button 42: the notation of the measurements on the clipboard, and its notice.
  user::click(f.Bout(42));
  EXPECT_EQ(platform::Clipboard::getText().rfind(" Lxl: N= 11 ; dMd; (", 0), 0u)
      << platform::Clipboard::getText();
  EXPECT_EQ(flashText(), "     Notation enregistrée");

  // The export with its dialog, opened in the image's folder on the default name.
  const std::string name = "plain_400x300- mesure Spore 2D.csv", file = dir_.file(name);
  f.TBox(3).setText("récolte été");
  script_->answerSave(file);
  Export_Resultats(1);
  ASSERT_FALSE(script_->log().empty());
  EXPECT_EQ(script_->log().back().request.fileName, name);
  EXPECT_EQ(script_->log().back().request.filter, "*.csv|*.csv|Tous les fichiers (*.*)|*.*");
  const std::vector<std::string> written = fileLines(file);
  ASSERT_GE(written.size(), 20u);
  EXPECT_EQ(written[0].rfind(" Résultat des mesures du ", 0), 0u) << written[0];
  EXPECT_NE(written[0].find(" à "), std::string::npos) << written[0];
  EXPECT_EQ(written[1], "indépendance Dimension");
  EXPECT_EQ(written[2], "Fonction : mesure Spore 2D");
  EXPECT_EQ(written[5], "1; " + Img_Active + "; 0.05");
  EXPECT_EQ(written[6], "récolte été");
  EXPECT_EQ(written[8], "11 mesures");
  const std::vector<std::string> list = listLines(written);
  ASSERT_EQ(list.size(), 14u);
  for (int r = 0; r < 12; ++r) {
    std::string row;
    for (const std::string& cell : measured[static_cast<std::size_t>(r)]) row += cell + "; ";
    EXPECT_EQ(list[static_cast<std::size_t>(r) + 1], row);
  }
  EXPECT_EQ(Fic_Resultats, "récolte été");
  EXPECT_TRUE(Export_Fait);
  EXPECT_EQ(Rep_Data + "/" + name, file);

  // The quick export writes the same file again after the overwrite question; Cancel in
  // the dialog shows "Abandon" and leaves the file whole.
  script_->answerMsgBox(platform::vbOK);
  Export_Resultats(0);
  EXPECT_EQ(listLines(fileLines(file)), list);
  const std::vector<std::string> before = fileLines(file);
  script_->answerFileCancel(true);
  Export_Resultats(1);
  EXPECT_EQ(flashText(), "Abandon");
  EXPECT_EQ(fileLines(file), before);

  // Import: the question (the grid holds rows), then the rows alone; no segment stays
  // and a click on the picture measures nothing while no function is chosen.
  script_->answerOpen({file});
  script_->answerMsgBox(platform::vbYes);
  Ouvre_CSV();
  EXPECT_EQ(script_->pending(), 0u);
  EXPECT_EQ(flashText(), " Poursuite des mesures déconseillée");
  EXPECT_EQ(FonctionCourante, 0);
  EXPECT_EQ(LigneCourante, 12);
  EXPECT_EQ(Fic_CSV_Import, file);
  EXPECT_EQ(gridCells(12, 7), measured);
  EXPECT_EQ(TabMesures(1).Seg(1).X2, 0.0);
  drag(30, 20, 250, 20);
  EXPECT_EQ(LigneCourante, 12);

  // The imported grid gives the same list again, under the function's name (the
  // preview's button, the preview opened by "Aperçu").
  if (!f.Frame(12).visible()) {
    ASSERT_TRUE(user::click(f.Bout(39)));
  }
  ASSERT_TRUE(user::click(f.Bout(43)));
  EXPECT_NE(f.TBox(8).text().find("CSV importé : " + name + "\r\n"), std::string::npos);
  const std::string again = dir_.file("again.csv");
  script_->answerSave(again);
  Export_Resultats(1);
  EXPECT_EQ(script_->log().back().request.fileName, name);
  const std::vector<std::string> reexported = fileLines(again);
  EXPECT_EQ(listLines(reexported), list);
  EXPECT_NE(std::find(reexported.begin(), reexported.end(), "CSV importé : " + name), reexported.end());
}

// A missing file, a file without its list, a binary file, Cancel and No change nothing.
// "Export grille sous ..." opens the export panel, its comment box empty, and takes
// the results name from that box: the diagnostics and the next quick export no longer
// carry the comment of the export before.
TEST_F(ReportCommands, ExportUnderTakesTheNameFromThePanel) {
  QVL& f = Qvl();
  measureSpores();
  const std::string file = dir_.file("premier.csv");
  f.TBox(3).setText("récolte été");
  script_->answerSave(file);
  Export_Resultats(1);
  ASSERT_EQ(Fic_Resultats, "récolte été");
  ASSERT_NE(Texte_Diagnostic().find("récolte été"), std::string::npos);
  f.Text4.setVisible(true);
  ASSERT_TRUE(user::choose(f.MnuEDit(1)));
  EXPECT_TRUE(f.Frame(10).visible());
  EXPECT_FALSE(f.Text4.visible());
  EXPECT_EQ(f.TBox(3).text(), "");
  EXPECT_EQ(Fic_Resultats, "");
  EXPECT_EQ(Texte_Diagnostic().find("récolte été"), std::string::npos);
  // The quick export writes the panel's (empty) comment in its header.
  Rep_Data = dir_.file("");
  const std::string quick = Rep_Data + "/" + Nom_Export_Defaut(Img_Active, f.labNomFic.caption().empty(),
                                                              "mesure Spore 2D", "csv");
  ASSERT_TRUE(platform::writeLines(quick, {"ancien"}));
  f.Frame(10).setVisible(false);
  script_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(user::choose(f.MnuEDit(2)));
  const std::vector<std::string> written = fileLines(quick);
  ASSERT_GE(written.size(), 7u);
  EXPECT_EQ(written[6], "");
}

TEST_F(ReportCommands, ImportsThatChangeNothing) {
  measureSpores();
  const auto measured = gridCells(12, 7);
  const std::string data = std::string(QV_TEST_DATA) + "/reports/";
  const struct {
    const char* what;
    std::string file;
    int answer;  // to "continuer ?", 0 when not asked
    const char* message;
  } cases[] = {
      {"missing", dir_.file("absent.csv"), 0, "fichier absent "},
      {"no list", data + "malformed/no_list.csv", 0, "aucune ligne LISTE="},
      {"binary", data + "malformed/binary.csv", 0, "pas un fichier texte"},
      {"cancel", "", 0, nullptr},
      {"no", data + "export_spore2d/expected.csv", platform::vbNo, " continuer ? "},
  };
  for (const auto& c : cases) {
    script_->clear();
    Qvl().lblLabelflashx.setCaption("");
    if (c.file.empty())
      script_->answerFileCancel(false);
    else
      script_->answerOpen({c.file});
    if (c.answer != 0) script_->answerMsgBox(c.answer);
    Ouvre_CSV();
    EXPECT_EQ(script_->pending(), 0u) << c.what;
    EXPECT_EQ(LigneCourante, 12) << c.what;
    EXPECT_EQ(FonctionCourante, 2) << c.what;
    EXPECT_EQ(gridCells(12, 7), measured) << c.what;
    EXPECT_NE(TabMesures(1).Seg(1).X2, 0.0) << c.what;
    EXPECT_EQ(flashText(), "") << c.what;
    const auto& log = script_->log();
    const bool said = c.message != nullptr && std::any_of(log.begin(), log.end(), [&](const auto& a) {
      return a.kind == "msgBox" && a.text.find(c.message) != std::string::npos;
    });
    EXPECT_EQ(said, c.message != nullptr) << c.what;
  }
}

// The golden export of twelve spores on an empty grid: no question, the rows in all
// seven columns, the function's columns and cells, no function chosen.
TEST_F(ReportCommands, GoldenExportImportedWithoutQuestion) {
  QVL& f = Qvl();
  f.GrilleRef.setRows(1);
  ASSERT_TRUE(Choix_Fonction_Mesure(1));
  script_->answerOpen({std::string(QV_TEST_DATA) + "/reports/export_spore2d/expected.csv"});
  Ouvre_CSV();
  EXPECT_EQ(script_->pending(), 0u);
  EXPECT_EQ(FonctionCourante, 0);
  EXPECT_EQ(NbCellules, 2);
  EXPECT_EQ(Der_Colonne, 4);
  EXPECT_EQ(NomFonction, "mesure Spore 2D");
  ASSERT_EQ(f.GrilleRef.cols(), 7);
  EXPECT_EQ(LigneCourante, 13);
  EXPECT_EQ(f.GrilleRef.textMatrix(3, 6), "lisse; hyaline");
  EXPECT_EQ(f.GrilleRef.textMatrix(12, 1), "12.60");
  EXPECT_EQ(f.GrilleRefP.textMatrix(0, 4), f.GrilleRef.textMatrix(0, 4));
  EXPECT_EQ(flashText(), " Poursuite des mesures déconseillée");
}

// "Export grille sous ..." of an imported grid, with a comment: the golden file of an
// imported grid (its date line apart), whose list is the imported file's own list.
TEST_F(ReportCommands, ImportedGridExportsItsGoldenFile) {
  QVL& f = Qvl();
  const int leio = f.Check4.value();
  std::vector<bool> notations;
  for (int t = 0; t <= 6; ++t) notations.push_back(f.NotExp.exists(t) && f.NotExp(t).checked());
  r_.then([leio, notations] {
    QVL& g = Qvl();
    g.Check4.setValue(leio);
    for (int t = 0; t <= 6; ++t)
      if (g.NotExp.exists(t)) g.NotExp(t).setChecked(notations[static_cast<std::size_t>(t)]);
  });
  Vide_Listes();
  f.GrilleRef.setRows(1);
  ASSERT_TRUE(Choix_Fonction_Mesure(1));
  f.Check4.setValue(1);
  for (int t = 0; t <= 6; ++t)
    if (f.NotExp.exists(t)) f.NotExp(t).setChecked(t == 5);
  const std::string source = std::string(QV_TEST_DATA) + "/reports/export_spore2d/expected.csv";
  script_->answerOpen({source});
  Ouvre_CSV();
  ASSERT_EQ(LigneCourante, 13);

  // The comment asked for by the menu item goes in TBox(3) before the save dialog.
  f.TBox(3).setText("spores du chapeau; sporée blanche");
  const std::string file = dir_.file("imported.csv");
  script_->answerSave(file);
  Export_Resultats(1);
  EXPECT_EQ(script_->pending(), 0u);
  EXPECT_EQ(script_->log().back().request.fileName.substr(script_->log().back().request.fileName.find("- ")),
            "- mesure Spore 2D.csv");
  std::vector<std::string> written = fileLines(file);
  ASSERT_GT(written.size(), 1u);
  EXPECT_EQ(written[0].rfind(" Résultat des mesures du ", 0), 0u) << written[0];
  EXPECT_EQ(listLines(written), listLines(fileLines(source)));
  written[0] = " Résultat des mesures du 14/06/2024 à 16:35";
  golden::expectFile("export_imported/expected.csv", platform::encodeLines(written));
}

// A 5,000-row file fills the grid to its size: the rows read, and a message saying so.
TEST_F(ReportCommands, ImportBeyondTheGridSize) {
  Qvl().GrilleRef.setRows(1);
  ASSERT_TRUE(Choix_Fonction_Mesure(1));
  Taille_Grille = 400;
  std::vector<std::string> lines = {"Fonction : mesure Segment", "LISTE=", "N°; Longueur; img; comment; "};
  for (int r = 1; r <= 5000; ++r) lines.push_back(std::to_string(r) + "; " + std::to_string(r % 97) + ".5; 1; ; ");
  lines.push_back("; ; ; ; ");
  const std::string file = dir_.file("cinq_mille.csv");
  ASSERT_TRUE(platform::writeLines(file, lines));
  script_->answerOpen({file});
  script_->answerMsgBox(platform::vbOK);
  Ouvre_CSV();
  EXPECT_EQ(script_->pending(), 0u);
  EXPECT_EQ(LigneCourante, 401);
  EXPECT_EQ(Qvl().GrilleRef.cols(), 4);
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(400, 0), "400");
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(400, 1), std::to_string(400 % 97) + ".5");
  const auto& log = script_->log();
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const auto& a) {
    return a.kind == "msgBox" && a.text == "grille pleine : 400 mesures lues sur 5000";
  }));
  EXPECT_EQ(flashText(), " Poursuite des mesures déconseillée");
}

// The import through its menu item ("Charger fichier CSV").
void importe(platform::ScriptedDialogs* script, const std::string& file) {
  script->answerOpen({file});
  ASSERT_TRUE(user::choose(Qvl().MnuEDit(8)));
}

// The caption while no measuring function is current: no function named after the user.
std::string captionWithoutFunction() {
  return "Quorvale 2.0" + std::to_string(kRevisionProgramme) + "  /  " + Nom_Utilisateur;
}

std::vector<std::string> messagesOf(const platform::ScriptedDialogs* script) {
  std::vector<std::string> m;
  for (const auto& a : script->log())
    if (a.kind == "msgBox") m.push_back(a.text);
  return m;
}

// A row whose first fields are blank keeps the fields it has, so its export reads back
// whole: the export of the imported grid imports to the same rows.
TEST_F(ReportCommands, ARowWithBlankFirstFieldsSurvivesExportAndImport) {
  QVL& f = Qvl();
  Vide_Listes();
  const std::string file = dir_.file("libre.csv");
  ASSERT_TRUE(platform::writeLines(file, {"Fonction : essai libre", "3 mesures", "LISTE=",
                                          "N°; a; b; c; d; e; f; g; ", "1; 1.5; 2.5; ; ; ; ; ; ",
                                          "; ; ; ; ; 7.5; 8.5; note; ", "3; 3.5; 4.5; ; ; ; ; ; ",
                                          "; ; ; ; ; ; ; ; "}));
  importe(script_, file);
  ASSERT_EQ(LigneCourante, 4);
  ASSERT_EQ(f.GrilleRef.cols(), 8);
  EXPECT_EQ(f.caption(), captionWithoutFunction());
  const auto imported = gridCells(4, 8);
  EXPECT_EQ(imported[2], (std::vector<std::string>{"", "", "", "", "", "7.5", "8.5", "note"}));
  EXPECT_EQ(imported[3][1], "3.5");

  const std::string exported = dir_.file("libre_export.csv");
  script_->answerSave(exported);
  Export_Resultats(1);
  const std::vector<std::string> list = listLines(fileLines(exported));
  ASSERT_EQ(list.size(), 6u);   // "LISTE=", the headings, three rows, the empty row
  EXPECT_EQ(list[3], "; ; ; ; ; 7.5; 8.5; note; ");

  script_->clear();
  script_->answerMsgBox(platform::vbYes);   // the grid holds rows
  importe(script_, exported);
  EXPECT_EQ(Fic_CSV_Import, exported);
  EXPECT_EQ(LigneCourante, 4);
  EXPECT_EQ(gridCells(4, 8), imported);
  EXPECT_EQ(messagesOf(script_), std::vector<std::string>{MSG(185) + SautLigne + MSG(106)});
}

// A list that ends before the count of its "N mesures" line: the rows before the end
// are read and a message says how many of how many.
TEST_F(ReportCommands, AnImportStoppedEarlySaysHowManyRowsItRead) {
  Vide_Listes();
  const std::string file = dir_.file("coupe.csv");
  ASSERT_TRUE(platform::writeLines(file, {"Fonction : mesure Segment", "3 mesures", "LISTE=",
                                          "N°; Longueur; img; comment; ", "1; 42.5; 1; ; ", "; ; ; ; ",
                                          "2; 38.1; 1; ; ", "3; 40.7; 1; ; ", "; ; ; ; "}));
  script_->answerMsgBox(platform::vbOK);
  importe(script_, file);
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(Qvl().GrilleRef.textMatrix(1, 1), "42.5");
  EXPECT_EQ(messagesOf(script_), std::vector<std::string>{"1 mesures lues sur 3"});
}

// A colour results file lays out the colour grid only: the colour function is not
// switched on, so its standard is not looked for, nothing is asked and the caption
// names no function.
TEST_F(ReportCommands, AColourResultsFileImportsWithoutTheColourSetUp) {
  QVL& f = Qvl();
  Vide_Listes();
  f.GrilleRef.setRows(1);
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  const std::string file = dir_.file("couleurs.csv");
  ASSERT_TRUE(platform::writeLines(file, {"Fonction : tintavel", "1 mesures", "LISTE=",
                                          "N°; R; V; B; L; a; b; zone; S; comment; ",
                                          "1; 90; 60; 30; 28.11; 9.85; 23.29; 8; 1; ; ", "; ; ; ; ; ; ; ; ; ; "}));
  importe(script_, file);
  EXPECT_TRUE(messagesOf(script_).empty());
  EXPECT_TRUE(script_->unanswered().empty());
  EXPECT_FALSE(f.FraCharte.visible());
  EXPECT_EQ(FonctionCourante, 0);
  ASSERT_EQ(f.GrilleRef.cols(), 10);
  EXPECT_EQ(f.GrilleRef.textMatrix(0, 1), "R");
  EXPECT_EQ(f.GrilleRef.textMatrix(1, 4), "28.11");
  EXPECT_EQ(NomFonction, "tintavel");
  EXPECT_EQ(LigneCourante, 2);
  EXPECT_EQ(f.caption(), captionWithoutFunction());
}

// Rows read from a colour results file are colour measurements: a channel written 0
// counts as it did when it was measured, and a negative a* is the minimum.
TEST_F(ReportCommands, AnImportedColourGridCountsItsWrittenZeros) {
  QVL& f = Qvl();
  Vide_Listes();
  f.GrilleRef.setRows(1);
  ASSERT_TRUE(Choix_Fonction_Mesure(2));
  const std::string file = dir_.file("noir.csv");
  ASSERT_TRUE(platform::writeLines(file, {"Fonction : tintavel", "3 mesures", "LISTE=",
                                          "N°; R; V; B; L; a; b; zone; S; comment; ",
                                          "1; 0; 0; 0; 0; 0; 0; 8; 1; ; ",
                                          "2; 90; 60; 30; 28.11; 9.85; 23.29; 8; 1; ; ",
                                          "3; 20; 80; 40; 29.5; -31.2; 10.4; 8; 1; ; ", "; ; ; ; ; ; ; ; ; ; "}));
  importe(script_, file);
  ASSERT_EQ(LigneCourante, 4);
  Calcul_stat();
  Entetes_Stat();
  const platform::FlexGrid& stat = f.GrilleRefP;
  // R: 0, 90, 20; a*: 0, 9.85, -31.2.
  EXPECT_EQ(stat.textMatrix(8, 1), "3");
  EXPECT_EQ(stat.textMatrix(1, 1), "36.67");
  EXPECT_EQ(stat.textMatrix(2, 1), "0.00");
  EXPECT_EQ(stat.textMatrix(8, 5), "3");
  EXPECT_EQ(stat.textMatrix(1, 5), "-7.12");
  EXPECT_EQ(stat.textMatrix(2, 5), "-31.20");
}

}  // namespace
