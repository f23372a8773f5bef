// The chart archive's lines and file (created, appended in its own encoding, left whole
// when it cannot be written) and the chart details of a chart file's header.
#include "colour/chart_archive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colour_fixture.h"
#include "support/file_size_limit.h"

namespace {

using colour_test::bytesOf;
using colour_test::ColourTest;

const std::array<std::string, 6> kMoyenne = {"60.00", "90.00", "60.00", "36.49", "-11.80", "15.96"};
const std::array<std::string, 6> kLigne2 = {"30", "120", "90", "44.87", "-33.45", "8.63"};

TEST(ChartArchiveLine, MeanAndRowWithTheirComment) {
  struct Case {
    const std::array<std::string, 6>* valeurs;
    bool moyenne;
    const char* commentaire;
    const char* attendu;
  };
  const Case cases[] = {
      {&kMoyenne, true, "Lactarius sp.", "60.00;90.00;60.00;36.49;-11.80;15.96;; Moy; Lactarius sp."},
      {&kLigne2, false, "Lactarius sp.", "30;120;90;44.87;-33.45;8.63;;; Lactarius sp."},
      {&kLigne2, false, "", "30;120;90;44.87;-33.45;8.63;;; "},
      // A ";" would split the comment into fields, a line break the entry into two.
      {&kLigne2, false, "a;b\r\nc\nd", "30;120;90;44.87;-33.45;8.63;;; a,b c d"},
  };
  for (const Case& c : cases) EXPECT_EQ(Ligne_Archive_Nuancier(*c.valeurs, c.moyenne, c.commentaire), c.attendu);
}

using ChartArchiveFile = ColourTest;

TEST_F(ChartArchiveFile, CreatedThenAppendedByteForByte) {
  const std::string chemin = dir_.file("herbier.Nua");
  ResultatArchive r = Ecrit_Archive_Nuancier(chemin, Ligne_Archive_Nuancier(kMoyenne, true, "Lactarius espèce 2"));
  EXPECT_EQ(r.etat, ResultatArchive::Cree);
  EXPECT_EQ(r.numero, 1);
  r = Ecrit_Archive_Nuancier(chemin, Ligne_Archive_Nuancier(kLigne2, false, "Lactarius espèce 2"));
  EXPECT_EQ(r.etat, ResultatArchive::Ajoute);
  EXPECT_EQ(r.numero, 2);
  EXPECT_EQ(bytesOf(chemin), bytesOf(colour_test::dataFile("window/herbier.Nua")));
  EXPECT_EQ(Compte_Entrees_Liste(chemin), 2);
}

TEST_F(ChartArchiveFile, AppendKeepsTheEarlierBytesAndTheFileEncoding) {
  struct Case {
    const char* nom;
    std::string avant;
    std::string ajout;  // bytes the entry adds
  };
  const std::string entete = "Nuancier archiv\xE9\r\nLISTE=\r\n";
  const Case cases[] = {
      // Windows-1252, the last line without its line break, a blank line counted nowhere.
      {"cp1252", entete + "1;a\r\n\r\n2;b", "\r\n3;x;;; esp\xE8" "ce\r\n"},
      // A UTF-8 file (an editor saved it so) gets its entry in UTF-8.
      {"utf8", "Nuancier archiv\xC3\xA9\nLISTE=\n1;\xE2\x82\xAC\n", "2;x;;; esp\xC3\xA8" "ce\r\n"},
      // No "LISTE=": no entry counted.
      {"sans_liste", "texte\r\n", "1;x;;; esp\xE8" "ce\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nom);
    const std::string chemin = dir_.file(std::string(c.nom) + ".Nua");
    ASSERT_TRUE(platform::saveFileAtomic(chemin, c.avant));
    const ResultatArchive r = Ecrit_Archive_Nuancier(chemin, "x;;; espèce");
    EXPECT_EQ(r.etat, ResultatArchive::Ajoute);
    EXPECT_EQ(bytesOf(chemin), c.avant + c.ajout);
  }
}

TEST_F(ChartArchiveFile, FailuresLeaveTheFileWhole) {
  // A file that cannot be written (the disk full).
  const std::string chemin = dir_.copy("window/herbier.Nua", "plein.Nua");
  const std::string avant = bytesOf(chemin);
  {
    test_support::FileSizeLimit limite(avant.size() + 4);
    ASSERT_TRUE(limite.active());
    const ResultatArchive r = Ecrit_Archive_Nuancier(chemin, Ligne_Archive_Nuancier(kLigne2, false, "plein"));
    EXPECT_EQ(r.etat, ResultatArchive::Echec);
    EXPECT_EQ(r.message.rfind(MSG(144), 0), 0u) << r.message;
    EXPECT_NE(r.message.find(test_support::FileSizeLimit::cause()), std::string::npos) << r.message;
  }
  EXPECT_EQ(bytesOf(chemin), avant);
  // A UTF-16 file is not appended to in another encoding.
  const std::string utf16 = dir_.file("utf16.Nua");
  const std::string octets("\xFF\xFEL\0I\0S\0T\0E\0=\0\r\0\n\0", 18);
  ASSERT_TRUE(platform::saveFileAtomic(utf16, octets));
  EXPECT_EQ(Ecrit_Archive_Nuancier(utf16, "x").etat, ResultatArchive::Echec);
  EXPECT_EQ(bytesOf(utf16), octets);
  // A folder where the file should be.
  std::filesystem::create_directory(dir_.file("dossier.Nua"));
  EXPECT_EQ(Ecrit_Archive_Nuancier(dir_.file("dossier.Nua"), "x").etat, ResultatArchive::Echec);
}

using ChartDetails = ColourTest;

TEST_F(ChartDetails, HeaderKeysNotesAndCount) {
  std::vector<std::string> lignes;
  ASSERT_TRUE(platform::readLines(colour_test::dataFile("window/six.Nua"), &lignes));
  EXPECT_EQ(Details_Nuancier(lignes, "09/12/2026", "a.jpg", "six.Nua", 6),
            "09/12/2026   Image : a.jpg\r\n"
            ".................. \r\n"
            "Nuancier : six.Nua\r\n"
            " code=  B7\r\n"
            "SCANNER= s.Scn\r\n"
            "RESOLUTION=1200\r\n"
            "NOTES=\r\n"
            "Herbier de Lyon\r\n"
            "planche 3, récolte 2024\r\n"
            "CALIBRAGECOL=1\r\n"
            "Nb de couleurs : 6\r\n");
}

TEST_F(ChartDetails, EachKeyApartAndNotesToTheEnd) {
  const std::vector<std::string> lignes = {"  ",          "Luminance=3 contraste=4", "CODE= x",
                                           "notes= a",    "",                         "b",
                                           "   ",         "LISTE=",                   "1;2;3"};
  // Two keys on one line give it twice; blank lines inside the notes are skipped; notes
  // that run to the end of the file leave its last line out.
  EXPECT_EQ(Details_Nuancier(lignes, "d", "", "", 0),
            "d   Image : \r\n.................. \r\nNuancier : \r\n"
            "Luminance=3 contraste=4\r\nLuminance=3 contraste=4\r\n"
            " CODE= x\r\n"
            "notes= a\r\nb\r\nLISTE=\r\n"
            "Nb de couleurs : 0\r\n");
  EXPECT_EQ(Details_Nuancier({}, "d", "i", "n", 3),
            "d   Image : i\r\n.................. \r\nNuancier : n\r\nNb de couleurs : 3\r\n");
}

}  // namespace
