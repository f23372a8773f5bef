// Reading results files back into grid contents.
#include "reports/results_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_tables.h"
#include "golden.h"
#include "measure/grid_templates.h"
#include "platform/textfile.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::vector<FonctionImportable> knownFunctions() {
  Messages_Defaut();
  Modeles_Grille();
  return Fonctions_Importables("Courbe fermée", "Polygone ouvert");
}

// A segment export (4 columns, the last rows edited by hand) ends at its empty row; a
// hand-written file with bare ";" and no function keeps the 8-column layout with every
// field; a file in UTF-16 reads like the others.
TEST(ResultsImport, RowsAloneAreRead) {
  const std::string utf16 = ::testing::TempDir() + "results_utf16.csv";
  std::string bytes = "\xFF\xFE", latin1;
  platform::encodeWindows1252(
      "Fonction : Polygone ouvert\nLISTE=\nN°; Surf; peri.; Rm; F; img; comment été; \n1; 4,5; 9,1; 1,2; "
      "0,8; 1; x; \n",
      &latin1);
  for (char c : latin1) bytes += std::string{c, '\0'};
  ASSERT_TRUE(platform::saveFileAtomic(utf16, bytes));
  const struct {
    std::string file;
    int function, columns;
    Rows rows;
  } cases[] = {
      {golden::path("import_segment/input.csv"),
       1,
       4,
       {{"N°", "Longueur", "img", "comment"},
        {"1", "42.5", "1", ""},
        {"2", "38.1", "1", "cloison"},
        {"3", "40.7", "1", ""},
        {"4", "39.9", "1", "sans fin"},
        {"5", "41", "", ""}}},
      {golden::path("import_bare/input.csv"),
       0,
       8,
       {{"N°", "Long", "Larg", "Q", "V", "img", "comment", ""},
        {"1", "10.2", "6.1", "1.67", "198.7", "1", "", ""},
        {"2", "9,8", "5,9", "1,66", "178,6", "1", "", ""}}},
      {utf16,
       16,
       7,
       {{"N°", "Surf", "peri.", "Rm", "F", "img", "comment été"},
        {"1", "4,5", "9,1", "1,2", "0,8", "1", "x"}}},
  };
  const std::vector<FonctionImportable> known = knownFunctions();
  for (const auto& c : cases) {
    const ResultatsLus r = Lit_Fichier_Resultats(c.file, known, 3000);
    ASSERT_EQ(r.etat, ResultatsLus::Etat::Lu) << c.file << ": " << r.message;
    EXPECT_EQ(r.fonction, c.function) << c.file;
    EXPECT_EQ(r.colonnes, c.columns) << c.file;
    EXPECT_EQ(r.lignes, c.rows) << c.file;
    EXPECT_EQ(r.message, "") << c.file;
  }
  platform::removeFile(utf16);
}

// Every field of a row is kept, whatever the layout: a row whose first fields are
// blank is not read as an empty one. The last column takes the rest of the line.
TEST(ResultsImport, EveryFieldOfARowIsKept) {
  const struct {
    std::string ligne;
    int colonnes;
    std::vector<std::string> cellules;
  } cases[] = {
      {"; ; ; ; ; 7.5; 8.5; note; ", 8, {"", "", "", "", "", "7.5", "8.5", "note"}},
      {"1;2;3;4;5;6;7;8;9;", 8, {"1", "2", "3", "4", "5", "6", "7", "8;9"}},
      {"1; 2", 4, {"1", "2", "", ""}},
      {"", 3, {"", "", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(Cellules_Ligne(c.ligne, c.colonnes), c.cellules) << c.ligne;
}

// The count of the "N mesures" line above the list: fewer rows before the empty row
// give the message; as many, none; a file without the line, none.
TEST(ResultsImport, RowsFewerThanTheCountAreSaid) {
  const std::string debut = "Fonction : mesure Segment\r\n";
  const std::string liste = "LISTE=\r\nN°; Longueur; img; comment; \r\n1; 4; 1; ; \r\n; ; ; ; \r\n2; 5; 1; ; \r\n";
  const struct {
    std::string texte;
    int annoncees;
    std::string message;
  } cases[] = {
      {debut + "3 mesures\r\n" + liste, 3, "1 mesures lues sur 3"},
      {debut + "1 mesures\r\ncommentaire\r\n" + liste, 1, ""},
      {debut + liste, -1, ""},
      {debut + "12 mesures de plus\r\n" + liste, -1, ""},
  };
  for (const auto& c : cases) {
    const ResultatsLus lu = Lit_Resultats(c.texte, knownFunctions(), 3000);
    EXPECT_EQ(lu.etat, ResultatsLus::Etat::Lu);
    EXPECT_EQ(lu.lignes.size(), 2u);
    EXPECT_EQ(lu.annoncees, c.annoncees) << c.texte;
    EXPECT_EQ(lu.message, c.message) << c.texte;
  }
}

// UTF-16 without its byte-order mark is text, not binary data.
TEST(ResultsImport, Utf16WithoutItsMarkIsRead) {
  const std::string file = ::testing::TempDir() + "results_utf16_sans_marque.csv";
  std::string bytes;
  for (char c : std::string("Fonction : mesure Segment\r\nLISTE=\r\nN; Longueur; img; comment; \r\n1; 42,5; 1; ; \r\n"))
    bytes += std::string{c, '\0'};
  ASSERT_TRUE(platform::saveFileAtomic(file, bytes));
  const ResultatsLus r = Lit_Fichier_Resultats(file, knownFunctions(), 3000);
  EXPECT_EQ(r.etat, ResultatsLus::Etat::Lu) << r.message;
  EXPECT_EQ(r.lignes, (Rows{{"N", "Longueur", "img", "comment"}, {"1", "42,5", "1", ""}}));
  platform::removeFile(file);
}

TEST(ResultsImport, BadFilesGiveAMessageAndNoRow) {
  const std::vector<FonctionImportable> known = knownFunctions();
  const struct {
    std::string path;
    ResultatsLus::Etat state;
    const char* message;
  } cases[] = {
      {golden::path("malformed/absent.csv"), ResultatsLus::Etat::Absent, "fichier absent "},
      {golden::path("malformed"), ResultatsLus::Etat::Absent, "fichier absent "},
      {golden::path("malformed/no_list.csv"), ResultatsLus::Etat::SansListe, "aucune ligne LISTE="},
      {golden::path("malformed/binary.csv"), ResultatsLus::Etat::Illisible, "pas un fichier texte"},
  };
  for (const auto& c : cases) {
    const ResultatsLus r = Lit_Fichier_Resultats(c.path, known, 3000);
    EXPECT_EQ(r.etat, c.state) << c.path;
    EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
    EXPECT_TRUE(r.lignes.empty()) << c.path;
  }
}

// 5,000 rows into a grid of 3,000: the first 3,000 are read and the message says so. A
// comment line reading "LISTE=" above the list does not hide it.
TEST(ResultsImport, RowsBeyondTheCapacity) {
  std::string text = "Fonction : mesure Segment\r\nLISTE=\r\nLISTE=\r\nN°; Longueur; img; comment; \r\n";
  for (int r = 1; r <= 5000; ++r) text += std::to_string(r) + "; " + std::to_string(r % 97) + ".5; 1; ; \r\n";
  const ResultatsLus lu = Lit_Resultats(text + "; ; ; ; \r\n", knownFunctions(), 3000);
  ASSERT_EQ(lu.etat, ResultatsLus::Etat::Lu);
  ASSERT_EQ(lu.lignes.size(), 3001u);
  EXPECT_EQ(lu.lignes[0][1], "Longueur");
  EXPECT_EQ(lu.lignes[3000][0], "3000");
  EXPECT_EQ(lu.laissees, 2000);
  EXPECT_EQ(lu.message, "grille pleine : 3000 mesures lues sur 5000");
}

}  // namespace
