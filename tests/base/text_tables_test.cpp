#include "base/text_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/control.h"

namespace {

// Each test starts from freshly cleared tables filled with the French defaults and
// gives back the tables as it found them, so other tests of this program see the
// same program-wide state as before.
class TextTables : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 5; ++i) saved_[i] = *tables()[i];
    for (int i = 0; i < 5; ++i) tables()[i]->clear();
    Messages_Defaut();
  }
  void TearDown() override {
    for (int i = 0; i < 5; ++i) *tables()[i] = saved_[i];
  }
  static TextTable* const* tables() {
    static TextTable* const t[5] = {&MSG, &NMST, &MNUSTAT, &MNU, &TINTAVEL};
    return t;
  }

 private:
  TextTable saved_[5] = {{"", -1}, {"", -1}, {"", -1}, {"", -1}, {"", -1}};
};

int nonEmpty(const TextTable& t) {
  int n = 0;
  for (int i = 0; i <= t.upper(); ++i)
    if (!t(i).empty()) ++n;
  return n;
}

int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto p = text.find(part); p != std::string::npos; p = text.find(part, p + part.size()))
    ++n;
  return n;
}

TEST_F(TextTables, BoundsAreFixed) {
  EXPECT_EQ(MSG.upper(), 400);
  EXPECT_EQ(NMST.upper(), 255);
  EXPECT_EQ(MNUSTAT.upper(), 120);
  EXPECT_EQ(MNU.upper(), 255);
  EXPECT_EQ(TINTAVEL.upper(), 255);
  // The last entry of each table exists and has no default.
  EXPECT_EQ(MSG(400), "");
  EXPECT_EQ(NMST(255), "");
  EXPECT_EQ(MNUSTAT(120), "");
  EXPECT_EQ(MNU(255), "");
  EXPECT_EQ(TINTAVEL(255), "");
}

TEST_F(TextTables, ReadOutsideBoundsThrowsIndexError) {
  EXPECT_THROW(MSG(401), platform::IndexError);
  EXPECT_THROW(MSG(-1), platform::IndexError);
  EXPECT_THROW(NMST(256), platform::IndexError);
  EXPECT_THROW(MNUSTAT(121), platform::IndexError);
  EXPECT_THROW(MNU(256), platform::IndexError);
  EXPECT_THROW(TINTAVEL(256), platform::IndexError);
  EXPECT_THROW(TINTAVEL(-1), platform::IndexError);
  // IndexError is an out_of_range, so generic handlers catch it too.
  EXPECT_THROW(MNU(1000), std::out_of_range);
}

TEST_F(TextTables, WriteOutsideBoundsThrowsAndChangesNothing) {
  EXPECT_THROW(MSG.set(401, "x"), platform::IndexError);
  EXPECT_THROW(MSG.set(-1, "x"), platform::IndexError);
  EXPECT_THROW(MNUSTAT.set(121, "x"), platform::IndexError);
  EXPECT_EQ(MSG(400), "");
  EXPECT_EQ(MSG(0), "");
  EXPECT_EQ(MNUSTAT(120), "");
}

TEST_F(TextTables, ErrorNamesTableAndIndex) {
  try {
    (void)NMST(300);
    FAIL() << "no exception";
  } catch (const platform::IndexError& e) {
    EXPECT_NE(std::string(e.what()).find("NMST(300)"), std::string::npos) << e.what();
  }
}

TEST_F(TextTables, SetThenReadGivesTextBack) {
  MSG.set(13, " ligne ajoutée ");
  EXPECT_EQ(MSG(13), " ligne ajoutée ");
  MSG.set(13, "");
  EXPECT_EQ(MSG(13), "");
}

TEST_F(TextTables, UnlistedEntriesAreEmpty) {
  EXPECT_EQ(MSG(13), "");
  EXPECT_EQ(MSG(0), "");
  EXPECT_EQ(MSG(19), "");
  EXPECT_EQ(MSG(155), "");
  EXPECT_EQ(MSG(239), "");
  EXPECT_EQ(MSG(281), "");
  EXPECT_EQ(MNU(0), "");
  EXPECT_EQ(MNU(128), "");
  EXPECT_EQ(NMST(4), "");
  EXPECT_EQ(MNUSTAT(71), "");
  EXPECT_EQ(TINTAVEL(8), "");
  EXPECT_EQ(TINTAVEL(37), "");
}

TEST_F(TextTables, GridTemplateTitlesStartWithFunctionCaptions) {
  EXPECT_EQ(MSG(147), "mesure Spore 2D$7$Long.$Larg.$Q$V$img$comment$");
  EXPECT_EQ(MSG(141), "mesure Cystide 3 $6$Long.$L.base$L.col$img $comment$");
  EXPECT_EQ(MSG(142), "mesure Cystide 4 $7$Long.$L.base$L.col$L+$img $comment$");
  EXPECT_EQ(MSG(143), "mesure Cystide 5$8$Long.$L.base$L.col$L+$L++$img $comment$");
  EXPECT_EQ(MSG(146), "mesure Segment$4$Longueur$img $comment$");
  EXPECT_EQ(MSG(148), "mesure Spore 3D$8$long.$larg.$épais.$Q$L$img$comment$");
  EXPECT_EQ(MSG(144), "Erreur fichier ");
  EXPECT_EQ(MSG(145), "mesure nulle");
}

TEST_F(TextTables, KeyListWarningHoldsTwoLineBreaks) {
  EXPECT_EQ(countOf(MSG(12), "\r\n"), 2);
  EXPECT_EQ(countOf(MSG(12), "\n"), 2);
  EXPECT_EQ(MSG(12),
            "Le répertoire choisi actuellement est le répertoire de l'application\r\n"
            "Il est FORTEMENT recommandé de stocker les données ou les images\r\n"
            "en dehors de ce répertoire");
}

TEST_F(TextTables, ImageFilterKeepsItsPatternList) {
  EXPECT_NE(MSG(128).find("*.wmf,*.tif"), std::string::npos);
  EXPECT_EQ(MSG(128),
            "Fichiers images(*.bmp;*.jpg;*.gif;*.ico;*.dib;*.wmf)|*.bmp;*.jpg;*.gif;*.ico;"
            "*.dib;*.wmf,*.tif|Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg|GIF (*.gif)|*.gif|"
            "Icon (*.ico)|*.ico|DIB (*.dib)|*.dib|Windows Meta File (*.wmf)|*.wmf");
  EXPECT_EQ(MSG(159), "Tous les fichiers (*.*)|*.*");
}

TEST_F(TextTables, MenuCaptionsOfTheChartMenu) {
  EXPECT_EQ(MNU(61), "Charger un fichier scanner ");
  EXPECT_EQ(MNU(61), MNU(62));
  EXPECT_EQ(MNU(63), "Valider le calibrage scanner ");
}

TEST_F(TextTables, CaptionsEndingWithDoubleQuote) {
  EXPECT_EQ(MNU(119), "Illustration copie de l'image source\"");
  EXPECT_EQ(MNU(124), "Sauver la trame et Quitter\"");
  EXPECT_EQ(MNU(119).back(), '"');
  EXPECT_EQ(MNU(124).back(), '"');
  EXPECT_EQ(MSG(261),
            "Pointer les lames SUCCESSIVEMENT dans un sens quelconque. Clic droit pour terminer\"");
}

TEST_F(TextTables, RepeatedCaptions) {
  EXPECT_EQ(MNUSTAT(29), "Colonne");
  EXPECT_EQ(MNUSTAT(44), "Colonne");
  EXPECT_EQ(MNUSTAT(65), "Extraire");
  EXPECT_EQ(MNUSTAT(70), "Extraire");
  EXPECT_EQ(TINTAVEL(13), "Comparer");
  EXPECT_EQ(TINTAVEL(13), TINTAVEL(25));
  EXPECT_EQ(NMST(30), NMST(41));
}

// Texts copied by hand from the French default lists, chosen for their accents,
// apostrophes and leading or trailing blanks.
TEST_F(TextTables, SampleTextsWithAccentsAndBlanks) {
  struct Case {
    const TextTable* table;
    int n;
    const char* text;
  };
  const Case cases[] = {
      {&MSG, 1, " à propos ..."},
      {&MSG, 7, " > : loupe x2 "},
      {&MSG, 11, " E : mode 3D, épaisseur"},
      {&MSG, 63, "Notation enregistrée"},
      {&MSG, 69, " 1° marquer la surface . 2° clic Gauche = compter ; Clic droit = valider "},
      {&MSG, 106, " continuer ? "},
      {&MSG, 134, "Cette image n'a pas été calibrée'"},
      {&MSG, 135, "le commentaire ne doit pas contenir de signe ' = "},
      {&MSG, 182, " erreur dans le fichier de langues : "},
      {&MSG, 217,
       "Attention ! En principe l'étalonnage du scanner se fait en mode NON calibré. "
       "Continuer tout de même ? "},
      {&MSG, 230, " Fichier de référence ''"},
      {&MSG, 236, " ème donnée incorrecte. Fin de procédure"},
      {&MSG, 280, "Pointer la 2 ème extrémité"},
      {&MNU, 1, "merci "},
      {&MNU, 7, "Effacement Arrière"},
      {&MNU, 19, "Presser'Alt + G ' pour déplacer la grille "},
      {&MNU, 67, "Référence orientée "},
      {&MNU, 127, "Quitter"},
      {&NMST, 1, " données "},
      {&NMST, 16, " entrer les données et presser 'calcul"},
      {&NMST, 25, "Au risque de 1ère espèce Alpha = "},
      {&NMST, 33, " très "},
      {&NMST, 43, " Puissance du test : "},
      {&MNUSTAT, 14, " comp. m, s / nb"},
      {&MNUSTAT, 35, " Cumulé"},
      {&MNUSTAT, 49, "Ech apariés"},
      {&MNUSTAT, 60, "Table=>Grille"},
      {&TINTAVEL, 0, "Retrace"},
      {&TINTAVEL, 3, "Aperçu"},
      {&TINTAVEL, 20, "Dernière Mesure "},
      {&TINTAVEL, 36, " données corrigées"},
  };
  for (const Case& c : cases) EXPECT_EQ((*c.table)(c.n), c.text) << "entry " << c.n;
}

TEST_F(TextTables, TextsAreUtf8) {
  // "à" is C3 A0 and "ç" is C3 A7 in UTF-8.
  EXPECT_EQ(MSG(1).substr(0, 3), std::string(" \xC3\xA0"));
  EXPECT_EQ(TINTAVEL(3), std::string("Aper\xC3\xA7u"));
}

// Entries per table, counted by hand from the French default lists (numbers that
// carry a text; every listed text is non-empty): MNU 77, MSG 45 + 93 + 54 (entries
// 1-99, 100-199, 200-280) = 192, NMST 36, MNUSTAT 59, TINTAVEL 29.
TEST_F(TextTables, NumberOfDefaultTextsPerTable) {
  EXPECT_EQ(nonEmpty(MNU), 77);
  EXPECT_EQ(nonEmpty(MSG), 192);
  EXPECT_EQ(nonEmpty(NMST), 36);
  EXPECT_EQ(nonEmpty(MNUSTAT), 59);
  EXPECT_EQ(nonEmpty(TINTAVEL), 29);
}

TEST_F(TextTables, DefaultsRestoreListedEntriesAndLeaveOthers) {
  MSG.set(56, "Segment");
  MSG.set(146, "Segment$4$Length$img $comment$");
  MSG.set(13, "Extra line");
  MNU.set(1, "thanks ");
  NMST.set(6, "Median");
  MNUSTAT.set(29, "Column");
  TINTAVEL.set(36, " corrected data");
  Messages_Defaut();
  EXPECT_EQ(MSG(56), "mesure Segment");
  EXPECT_EQ(MSG(146), "mesure Segment$4$Longueur$img $comment$");
  EXPECT_EQ(MNU(1), "merci ");
  EXPECT_EQ(NMST(6), "Médiane");
  EXPECT_EQ(MNUSTAT(29), "Colonne");
  EXPECT_EQ(TINTAVEL(36), " données corrigées");
  // An entry without a default keeps what a language file put there.
  EXPECT_EQ(MSG(13), "Extra line");
}

TEST_F(TextTables, DefaultsTwiceGiveTheSameTexts) {
  Messages_Defaut();
  EXPECT_EQ(MSG(141), "mesure Cystide 3 $6$Long.$L.base$L.col$img $comment$");
  EXPECT_EQ(MSG(147), "mesure Spore 2D$7$Long.$Larg.$Q$V$img$comment$");
  EXPECT_EQ(nonEmpty(MSG), 192);
}

TEST_F(TextTables, TitlesKeepFrenchCaptionsWhenOnlyCaptionsAreTranslated) {
  // A language file that sets only the function captions 56 to 61.
  for (int n = 56; n <= 61; ++n) MSG.set(n, "function " + std::to_string(n));
  EXPECT_EQ(MSG(141), "mesure Cystide 3 $6$Long.$L.base$L.col$img $comment$");
  EXPECT_EQ(MSG(146), "mesure Segment$4$Longueur$img $comment$");
}

TEST_F(TextTables, ClearEmptiesEveryEntryAndKeepsBounds) {
  MSG.clear();
  EXPECT_EQ(nonEmpty(MSG), 0);
  EXPECT_EQ(MSG.upper(), 400);
  EXPECT_EQ(MSG(147), "");
  EXPECT_THROW(MSG(401), platform::IndexError);
  // The other tables are left as they were.
  EXPECT_EQ(MNU(63), "Valider le calibrage scanner ");
}

TEST(TextTable, NegativeUpperGivesNoEntry) {
  TextTable t("T", -5);
  EXPECT_EQ(t.upper(), -1);
  EXPECT_THROW(t(0), platform::IndexError);
  EXPECT_THROW(t.set(0, "x"), platform::IndexError);
}

TEST(TextTable, FreshTableIsEmpty) {
  TextTable t("T", 3);
  EXPECT_EQ(t.upper(), 3);
  for (int i = 0; i <= 3; ++i) EXPECT_EQ(t(i), "");
}

}  // namespace
