// The settings file "Qvrl.dat": its lines, the reader's validation, the session-line
// rewrite, and the reading, saving and creation on the main window.
#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "images/image_state.h"
#include "measure/measure_state.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "support/file_size_limit.h"
#include "support/ordinary_user.h"
#include "support/user_input.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string golden(const std::string& cas, const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(platform::readBytes(std::string(QV_TEST_DATA) + "/settings/" + cas + "/" + name, &bytes))
      << cas << "/" << name;
  return bytes;
}

std::string bytesOf(const std::string& path) {
  std::string bytes;
  platform::readBytes(path, &bytes);
  return bytes;
}

std::string replaceAll(std::string s, const std::string& what, const std::string& with) {
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + with.size()))
    s.replace(p, what.size(), with);
  return s;
}

// What the very first start of this test program saw: the main window is loaded once,
// before any test, in the empty program folder the test main provides. It also keeps
// the other window tests of this program from meeting the creation message unscripted.
struct FirstStart {
  bool done = false;
  std::vector<platform::ScriptedDialogs::Asked> asked;
  std::vector<std::string> unanswered;
  std::string folder;
  std::string bytes;
  bool welcomeShown = false;
  // Whether each preset button (apply, then program) could be pressed.
  std::vector<bool> applyPreset, programPreset;
};

FirstStart& firstStart() {
  static FirstStart s;
  return s;
}

class FirstStartEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    FirstStart& s = firstStart();
    if (s.done) return;
    s.done = true;
    platform::SetDecimalSeparator('.');
    auto owned = std::make_unique<platform::ScriptedDialogs>();
    platform::ScriptedDialogs* d = owned.get();
    d->answerMsgBox(platform::vbOK);
    platform::setDialogs(std::move(owned));
    s.folder = platform::App::Path();
    const bool wasThere = platform::fileExists(s.folder + "/Qvrl.dat");
    Qvl().load();
    s.asked = d->log();
    s.unanswered = d->unanswered();
    s.bytes = wasThere ? std::string() : bytesOf(s.folder + "/Qvrl.dat");
    s.welcomeShown = Qvl().Frame(9).visible();
    for (int i = 0; i <= 4; ++i) {
      s.applyPreset.push_back(Qvl().Command13(i).enabled());
      s.programPreset.push_back(Qvl().Command14(i).enabled());
    }
    platform::setDialogs(nullptr);
    platform::SetDecimalSeparator(0);
  }
};

const auto* const kFirstStart = ::testing::AddGlobalTestEnvironment(new FirstStartEnvironment);

// The start values of the settings, as a first start in the folder `dossier` has them
// (the notation item 5 is ticked by the window's design).
Reglages startValues(const std::string& dossier) {
  Reglages r;
  r.Titre = "Logiciel de mesure de spores";
  r.Rep_Images = r.Rep_Data = r.Rep_Prog = dossier;
  return r;
}

// Non-default values with accents and fractions.
Reglages someValues() {
  Reglages r;
  r.Titre = "Logiciel de mesure de spores";
  r.Nom_Utilisateur = "Hélène Müller";
  r.Langue = "de";
  r.Indep_Resol = true;
  r.Rep_Images = "/données/images";
  r.Rep_Data = "/données";
  r.Rep_Prog = "/opt/quorvale";
  r.Fic_Calib = "Objectif100.cal";
  r.Calibrage = 0.125;
  r.Calib_Nom = "x100 à l'huile";
  r.Calib_Predef = {"x10 = 1,25", "x40 = 0,3125", "", "x100 = 0,125", ""};
  r.Avert = true;
  r.Alerte_W7 = false;
  r.Fonction_Demarrage = 3;
  r.Format_Decimal = "###0.000";
  r.FDecimAuto = true;
  r.AutoRetrace = true;
  r.Palmer = 1;
  r.Vue_Stat = 2;
  r.Tol_Clic = 25;
  r.Taille_Grille = 511;
  r.Sauve_Auto = 20;
  r.Format_Image = 1;
  r.Ref_APN = {"", "Canon\\EOS 5D", "3810,5", "3815", "50", ""};
  r.Type_Notation = 0;
  r.Fic_Nuancier = "  nuancier µ.nua  ";
  r.ZoneCouleur = 6;
  r.Fic_Etalon = "étalon.etl";
  r.Etalon_Actif = true;
  r.Fic_Scanner = " scan.Scn";
  r.Fic_ArchNua = "Archives.nua";
  r.TaillePolice = 12.5f;
  r.TaillePoliceImg = 9.3f;
  return r;
}

class SettingsFormat : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetDecimalSeparator(0); }
};

// --- writer -------------------------------------------------------------------------

TEST(SettingsFlags, TexteBooleen) {
  EXPECT_EQ(Texte_Booleen(0), "FAUX");
  EXPECT_EQ(Texte_Booleen(1), "VRAI");
  EXPECT_EQ(Texte_Booleen(-1), "VRAI");
  EXPECT_EQ(Texte_Booleen(2), "VRAI");
}

TEST_F(SettingsFormat, StartValuesGiveTheGoldenFile) {
  platform::SetDecimalSeparator('.');
  EXPECT_EQ(platform::encodeLines(Lignes_Parametres(startValues("@DOSSIER@"))),
            golden("first_start", "expected.dat"));
  // Whole numbers print without a separator: the comma system writes the same file.
  platform::SetDecimalSeparator(',');
  EXPECT_EQ(platform::encodeLines(Lignes_Parametres(startValues("@DOSSIER@"))),
            golden("first_start", "expected.dat"));
}

TEST_F(SettingsFormat, ValuesWithPointSeparator) {
  platform::SetDecimalSeparator('.');
  const Lines lines = Lignes_Parametres(someValues());
  ASSERT_EQ(lines.size(), 34u);
  EXPECT_EQ(platform::encodeLines(lines), golden("values_point", "expected.dat"));
}

TEST_F(SettingsFormat, ValuesWithCommaSeparator) {
  platform::SetDecimalSeparator(',');
  EXPECT_EQ(platform::encodeLines(Lignes_Parametres(someValues())), golden("values_comma", "expected.dat"));
}

TEST_F(SettingsFormat, NotationOutsideTheMenuIsWrittenEmpty) {
  Reglages r;
  for (int n : {0, 7, -1}) {
    r.Type_Notation = n;
    EXPECT_EQ(Lignes_Parametres(r).at(25), "TYP_NOT=") << n;
  }
  r.Type_Notation = 6;
  EXPECT_EQ(Lignes_Parametres(r).at(25), "TYP_NOT=6");
}

TEST_F(SettingsFormat, NeverWritesSessionNorColourReference) {
  Reglages r = someValues();
  r.Fic_Session = "/x.trm";
  r.Coul_Ref = "ref.coul";
  for (const std::string& l : Lignes_Parametres(r)) {
    EXPECT_EQ(l.find("SESSION"), std::string::npos) << l;
    EXPECT_EQ(l.find("COULREF"), std::string::npos) << l;
  }
}

// --- reader -------------------------------------------------------------------------

// Reads one line over the start values.
Reglages readOne(const std::string& line, LectureReglages* l = nullptr) {
  Reglages r = startValues("/p");
  const LectureReglages res = Lire_Lignes_Parametres({line}, r);
  if (l) *l = res;
  return r;
}

TEST_F(SettingsFormat, WrittenValuesReadBackWithEitherSeparator) {
  for (char sep : {'.', ','}) {
    platform::SetDecimalSeparator(sep);
    const Reglages w = someValues();
    Reglages r = startValues("/p");
    r.Nb_Formats_Image = 2;
    const LectureReglages l = Lire_Lignes_Parametres(Lignes_Parametres(w), r);
    // The empty notation (none ticked) is refused: the notation stays as it was.
    EXPECT_EQ(l.refusees, Lines{"TYP_NOT"}) << sep;
    EXPECT_TRUE(l.une_cle);
    EXPECT_EQ(r.Nom_Utilisateur, w.Nom_Utilisateur);
    EXPECT_EQ(r.Langue, "de");
    EXPECT_TRUE(r.Indep_Resol);
    EXPECT_EQ(r.Rep_Images, w.Rep_Images);
    EXPECT_EQ(r.Rep_Data, w.Rep_Data);
    EXPECT_EQ(r.Rep_Prog, "/p");   // never read
    EXPECT_EQ(r.Fic_Calib, w.Fic_Calib);
    EXPECT_DOUBLE_EQ(r.Calibrage, 0.125);
    EXPECT_EQ(r.Calib_Nom, w.Calib_Nom);
    EXPECT_EQ(r.Calib_Predef, w.Calib_Predef);
    EXPECT_FALSE(r.Alerte_W7);
    EXPECT_EQ(r.Fonction_Demarrage, 3);
    EXPECT_EQ(r.Format_Decimal, "###0.000");
    EXPECT_TRUE(r.FDecimAuto);
    EXPECT_TRUE(r.AutoRetrace);
    EXPECT_EQ(r.Palmer, 1);
    EXPECT_EQ(r.Vue_Stat, 2);
    EXPECT_EQ(r.Tol_Clic, 25);
    EXPECT_EQ(r.Taille_Grille, 511);
    EXPECT_EQ(r.Sauve_Auto, 20);
    EXPECT_EQ(r.Format_Image, 1);
    EXPECT_EQ(r.Type_Notation, 5);   // an empty TYP_NOT keeps the notation
    EXPECT_EQ(r.Fic_Nuancier, "nuancier µ.nua");
    EXPECT_EQ(r.ZoneCouleur, 6);
    EXPECT_EQ(r.Fic_Etalon, "étalon.etl");
    EXPECT_TRUE(r.Etalon_Actif);
    EXPECT_EQ(r.Fic_Scanner, "scan.Scn");
    EXPECT_EQ(r.Fic_ArchNua, "Archives.nua");
    EXPECT_FLOAT_EQ(r.TaillePolice, 12.5f);
    EXPECT_FLOAT_EQ(r.TaillePoliceImg, 9.3f);
    // AVERT and REFAPN are written only.
    EXPECT_FALSE(r.Avert);
    EXPECT_EQ(r.Ref_APN, Reglages().Ref_APN);
  }
}

TEST_F(SettingsFormat, CalibrationWithCommaOrPointWhateverTheSystem) {
  for (char sep : {'.', ','}) {
    platform::SetDecimalSeparator(sep);
    EXPECT_DOUBLE_EQ(readOne("CALIBRAGE= 0,125").Calibrage, 0.125) << sep;
    EXPECT_DOUBLE_EQ(readOne("CALIBRAGE= 0.125").Calibrage, 0.125) << sep;
    // Keys in any case and with blanks around them.
    EXPECT_DOUBLE_EQ(readOne("  calibrage = 0,25").Calibrage, 0.25) << sep;
  }
}

TEST_F(SettingsFormat, ClickToleranceInTenths) {
  for (char sep : {'.', ','}) {
    platform::SetDecimalSeparator(sep);
    EXPECT_EQ(readOne("CLIC=2,5").Tol_Clic, 25) << sep;
    EXPECT_EQ(readOne("CLIC= 2.5").Tol_Clic, 25) << sep;
    EXPECT_EQ(readOne("CLIC=4").Tol_Clic, 40) << sep;
  }
}

// Values refused: the key is reported as refused and its start value stays.
struct Refusal {
  const char* line;
  const char* key;
};

TEST_F(SettingsFormat, OutOfRangeAndNonNumericValuesKeepTheStartValue) {
  const Refusal cases[] = {
      {"STATDEF=7", "STATDEF"},          {"STATDEF=0", "STATDEF"},
      {"STATDEF=deux", "STATDEF"},       {"STATDEF=", "STATDEF"},
      {"SAVAUTO=50", "SAVAUTO"},         {"SAVAUTO=15", "SAVAUTO"},
      {"SAVAUTO=-10", "SAVAUTO"},        {"SAVAUTO=1e400", "SAVAUTO"},
      {"ZONECOULEUR=9", "ZONECOULEUR"},
      {"ZONECOULEUR=0", "ZONECOULEUR"},  {"TYP_NOT=8", "TYP_NOT"},
      {"TYP_NOT=", "TYP_NOT"},           {"TYP_NOT=x", "TYP_NOT"},
      {"EXT_IMG=5", "EXT_IMG"},          {"EXT_IMG=2", "EXT_IMG"},
      {"EXT_IMG=-1", "EXT_IMG"},         {"EXT_IMG=png", "EXT_IMG"},
      {"TGRILLE=3001", "TGRILLE"},       {"TGRILLE=0", "TGRILLE"},
      {"TGRILLE=1e9", "TGRILLE"},        {"TGRILLE=99999999999999999999", "TGRILLE"},
      {"FONCTION_DEMARRAGE=7", "FONCTION_DEMARRAGE"},
      {"FONCTION_DEMARRAGE=26", "FONCTION_DEMARRAGE"},
      {"FONCTION_DEMARRAGE=-2", "FONCTION_DEMARRAGE"},
      {"FONCTION_DEMARRAGE=2x", "FONCTION_DEMARRAGE"},
      {"CLIC=0,5", "CLIC"},              {"CLIC=5", "CLIC"},
      {"CLIC=trois", "CLIC"},            {"CALIBRAGE=abc", "CALIBRAGE"},
      {"CALIBRAGE=0", "CALIBRAGE"},      {"CALIBRAGE=-0,5", "CALIBRAGE"},
      {"CALIBRAGE=1e400", "CALIBRAGE"},  {"CALIBRAGE=0,5 mm", "CALIBRAGE"},
      {"ALRTW7=peut-être", "ALRTW7"},    {"ALRTW7=", "ALRTW7"},
  };
  const Reglages start = startValues("/p");
  for (const Refusal& c : cases) {
    LectureReglages l;
    const Reglages r = readOne(c.line, &l);
    EXPECT_EQ(l.refusees, Lines{c.key}) << c.line;
    EXPECT_TRUE(l.cles.empty()) << c.line;
    EXPECT_TRUE(l.une_cle) << c.line;
    EXPECT_EQ(r.Vue_Stat, start.Vue_Stat) << c.line;
    EXPECT_EQ(r.Sauve_Auto, start.Sauve_Auto) << c.line;
    EXPECT_EQ(r.ZoneCouleur, start.ZoneCouleur) << c.line;
    EXPECT_EQ(r.Type_Notation, start.Type_Notation) << c.line;
    EXPECT_EQ(r.Format_Image, start.Format_Image) << c.line;
    EXPECT_EQ(r.Taille_Grille, start.Taille_Grille) << c.line;
    EXPECT_EQ(r.Fonction_Demarrage, start.Fonction_Demarrage) << c.line;
    EXPECT_EQ(r.Tol_Clic, start.Tol_Clic) << c.line;
    EXPECT_DOUBLE_EQ(r.Calibrage, start.Calibrage) << c.line;
    EXPECT_EQ(r.Alerte_W7, start.Alerte_W7) << c.line;
  }
}

// Values taken, with what they give.
TEST_F(SettingsFormat, AcceptedNumericValues) {
  platform::SetDecimalSeparator('.');
  EXPECT_EQ(readOne("STATDEF= 4").Vue_Stat, 4);
  EXPECT_EQ(readOne("STATDEF=1").Vue_Stat, 1);
  EXPECT_EQ(readOne("SAVAUTO=0").Sauve_Auto, 0);
  EXPECT_EQ(readOne("SAVAUTO=0e400").Sauve_Auto, 0);
  EXPECT_EQ(readOne("SAVAUTO=2e1").Sauve_Auto, 20);
  EXPECT_EQ(readOne("SAVAUTO= 20").Sauve_Auto, 20);
  EXPECT_EQ(readOne("ZONECOULEUR= 6").ZoneCouleur, 6);
  EXPECT_EQ(readOne("TGRILLE=1").Taille_Grille, 1);
  EXPECT_EQ(readOne("TGRILLE= 3000").Taille_Grille, 3000);
  // 16-bit conversions round half to even.
  EXPECT_EQ(readOne("TGRILLE=510,5").Taille_Grille, 510);
  EXPECT_EQ(readOne("TGRILLE=511,5").Taille_Grille, 512);
  // EXT_IMG and TYP_NOT take the leading number of the value.
  EXPECT_EQ(readOne("EXT_IMG= 1 (JPG)").Format_Image, 1);
  EXPECT_EQ(readOne("TYP_NOT=2").Type_Notation, 2);
  EXPECT_EQ(readOne("TYP_NOT=3,4").Type_Notation, 3);
  for (int code : {0, 1, 2, 3, 4, 5, 6, 10, 11, 13, 14, 15, 16, 20, 22}) {
    LectureReglages l;
    EXPECT_EQ(readOne("FONCTION_DEMARRAGE= " + std::to_string(code), &l).Fonction_Demarrage, code);
    EXPECT_TRUE(l.lu("FONCTION_DEMARRAGE")) << code;
  }
  for (int code : {7, 8, 9, 12, 17, 18, 19, 21, 23, 24, 25}) EXPECT_FALSE(Fonction_Demarrage_Valide(code));
}

TEST_F(SettingsFormat, FlagsAndTexts) {
  EXPECT_EQ(readOne("PALMER=vrai").Palmer, 2);
  EXPECT_EQ(readOne("PALMER=oui").Palmer, 1);
  EXPECT_EQ(readOne("PALMER=").Palmer, 1);
  EXPECT_TRUE(readOne("INDPRES= ").Indep_Resol);
  EXPECT_TRUE(readOne("INDPRES= VRAI").Indep_Resol);
  EXPECT_TRUE(readOne("INDPRES= non").Indep_Resol);
  EXPECT_FALSE(readOne("INDPRES= faux").Indep_Resol);
  EXPECT_TRUE(readOne("DECIMAUTO= Vrai").FDecimAuto);
  EXPECT_FALSE(readOne("DECIMAUTO= 1").FDecimAuto);
  EXPECT_TRUE(readOne("AUTORETRACE=VRAI").AutoRetrace);
  EXPECT_TRUE(readOne("FETALONCOULEUR= vrai").Etalon_Actif);
  EXPECT_FALSE(readOne("ALRTW7 = False").Alerte_W7);
  EXPECT_FALSE(readOne("ALRTW7 = false").Alerte_W7);
  EXPECT_FALSE(readOne("ALRTW7 = 0").Alerte_W7);
  EXPECT_TRUE(readOne("ALRTW7 = -1").Alerte_W7);
  Reglages off = startValues("/p");
  off.Alerte_W7 = false;
  Lire_Lignes_Parametres({"ALRTW7 = True"}, off);
  EXPECT_TRUE(off.Alerte_W7);
  // Values keep their inner blanks and lose the outer ones.
  EXPECT_EQ(readOne("UTILISATEUR =  Jean  Dupont  ").Nom_Utilisateur, "Jean  Dupont");
  EXPECT_EQ(readOne("FICARCHNUA=").Fic_ArchNua, "Archv_Nuancier.nua");
  EXPECT_EQ(readOne("FICARCHNUA= mes.nua").Fic_ArchNua, "mes.nua");
  EXPECT_EQ(readOne("COULREF= ref.coul").Coul_Ref, "ref.coul");
  EXPECT_EQ(readOne("SESSION=/a/b.trm").Fic_Session, "/a/b.trm");
  // A value holding "=" keeps it: only the first "=" ends the key.
  EXPECT_EQ(readOne("CALIBRAGE_NOM = a = b").Calib_Nom, "a = b");
}

TEST_F(SettingsFormat, FontSizesBelowOneOrNotNumbersReadAsTen) {
  platform::SetDecimalSeparator(',');
  EXPECT_FLOAT_EQ(readOne("TAILLEPOLICE= 0").TaillePolice, 10.0f);
  EXPECT_FLOAT_EQ(readOne("TAILLEPOLICE= 0,5").TaillePolice, 10.0f);
  EXPECT_FLOAT_EQ(readOne("TAILLEPOLICE= abc").TaillePolice, 10.0f);
  EXPECT_FLOAT_EQ(readOne("TAILLEPOLICE= 1e30").TaillePolice, 10.0f);
  EXPECT_FLOAT_EQ(readOne("TAILLEPOLICE= 1").TaillePolice, 1.0f);
  EXPECT_FLOAT_EQ(readOne("TAILLEPOLICE= 12.5").TaillePolice, 12.5f);
  EXPECT_FLOAT_EQ(readOne("TAILLEPOLICEIMG= 14,5").TaillePoliceImg, 14.5f);
}

TEST_F(SettingsFormat, PresetsWithFewerItemsKeepTheOthers) {
  Reglages r = startValues("/p");
  r.Calib_Predef = {"a", "b", "c", "d", "e"};
  const LectureReglages l = Lire_Lignes_Parametres({"CALPREDEF= x;;y"}, r);
  EXPECT_EQ(r.Calib_Predef, (std::array<std::string, 5>{"x", "", "y", "d", "e"}));
  EXPECT_EQ(l.predef_lus, (std::array<bool, 5>{true, true, true, false, false}));
}

TEST_F(SettingsFormat, LinesWithoutKeyChangeNothing) {
  Reglages r = startValues("/p");
  const LectureReglages l =
      Lire_Lignes_Parametres({"", "   ", "Logiciel de mesure", "=sans clé", "INCONNUE= 3"}, r);
  EXPECT_TRUE(l.cles.empty());
  EXPECT_TRUE(l.refusees.empty());
  // Only the unknown key counts as a line with a key.
  EXPECT_TRUE(l.une_cle);
  LectureReglages none = Lire_Lignes_Parametres({"", "Logiciel", "=x"}, r);
  EXPECT_FALSE(none.une_cle);
  EXPECT_EQ(platform::encodeLines(Lignes_Parametres(r)),
            platform::encodeLines(Lignes_Parametres(startValues("/p"))));
}

TEST_F(SettingsFormat, HandEditedFileGolden) {
  platform::SetDecimalSeparator('.');
  Lines lines;
  ASSERT_TRUE(platform::readLines(std::string(QV_TEST_DATA) + "/settings/hand_edited/input.dat", &lines));
  Reglages r = startValues("/opt/quorvale");
  const LectureReglages l = Lire_Lignes_Parametres(lines, r);
  EXPECT_EQ(l.refusees, (Lines{"CALIBRAGE", "FONCTION_DEMARRAGE", "STATDEF", "CLIC", "TGRILLE", "SAVAUTO",
                               "EXT_IMG", "TYP_NOT", "ZONECOULEUR", "ALRTW7"}));
  EXPECT_EQ(r.Coul_Ref, "ref.coul");
  EXPECT_EQ(platform::encodeLines(Lignes_Parametres(r)), golden("hand_edited", "expected.dat"));
}

// A UTF-16 file, little- or big-endian, gives the settings of its Windows-1252 twin.
TEST_F(SettingsFormat, Utf16FileGivesTheSettingsOfItsWindows1252Twin) {
  platform::SetDecimalSeparator('.');
  auto read = [](const std::string& name) {
    Lines lines;
    EXPECT_TRUE(platform::readLines(std::string(QV_TEST_DATA) + "/settings/utf16/" + name, &lines)) << name;
    Reglages r = startValues("/p");
    const LectureReglages l = Lire_Lignes_Parametres(lines, r);
    EXPECT_TRUE(l.refusees.empty()) << name;
    EXPECT_EQ(l.cles.size(), 18u) << name;
    return r;
  };
  const Reglages twin = read("twin.dat");
  EXPECT_EQ(twin.Nom_Utilisateur, "Hélène Müller");
  EXPECT_DOUBLE_EQ(twin.Calibrage, 0.125);
  EXPECT_EQ(twin.Fic_Session, "/données/séance 1.trm");
  for (const char* name : {"little_endian.dat", "big_endian.dat"}) {
    const Reglages r = read(name);
    EXPECT_EQ(Lignes_Parametres(r), Lignes_Parametres(twin)) << name;
    EXPECT_EQ(r.Fic_Session, twin.Fic_Session) << name;
  }
}

// Coefficients no picture can have are refused like any other value out of range;
// the bounds themselves are taken.
TEST_F(SettingsFormat, CalibrationOutsideThePlausibleRangeIsRefused) {
  platform::SetDecimalSeparator('.');
  const struct {
    const char* line;
    bool taken;
  } cases[] = {{"CALIBRAGE=1e308", false},  {"CALIBRAGE=1e-320", false}, {"CALIBRAGE=9e-8", false},
               {"CALIBRAGE=1,1e7", false},  {"CALIBRAGE=nan", false},    {"CALIBRAGE=1e-7", true},
               {"CALIBRAGE=1e7", true},     {"CALIBRAGE=0,0125", true}};
  for (const auto& c : cases) {
    LectureReglages l;
    const Reglages r = readOne(c.line, &l);
    EXPECT_EQ(l.refusees.empty(), c.taken) << c.line;
    if (!c.taken) {
      EXPECT_DOUBLE_EQ(r.Calibrage, 1.0) << c.line;
    }
  }
  EXPECT_DOUBLE_EQ(readOne("CALIBRAGE=1e-7").Calibrage, 1e-7);
}

// --- session line --------------------------------------------------------------------

const std::string kSession = "/données/séance 1.trm";

TEST(SessionLine, AppendedWhenAbsent) {
  const std::string out = Remplace_Ligne_Session(golden("session_absent", "input.dat"), kSession);
  EXPECT_EQ(out, golden("session_absent", "expected.dat"));
  // Twice: still one SESSION line, the last one.
  EXPECT_EQ(Remplace_Ligne_Session(out, kSession), out);
  EXPECT_EQ(Remplace_Ligne_Session(out, "/b.trm"),
            golden("session_absent", "input.dat") + "SESSION=/b.trm\r\n");
}

TEST(SessionLine, ReplacesTheFirstDropsLaterOnesKeepsEverythingElse) {
  const std::string out = Remplace_Ligne_Session(golden("session_present", "input.dat"), kSession);
  EXPECT_EQ(out, golden("session_present", "expected.dat"));
  EXPECT_EQ(Remplace_Ligne_Session(out, kSession), out);
}

TEST(SessionLine, EmptyFileAndMissingLastLineEnd) {
  EXPECT_EQ(Remplace_Ligne_Session("", "/a.trm"), "SESSION=/a.trm\r\n");
  EXPECT_EQ(Remplace_Ligne_Session("A=1", "/a.trm"), "A=1\r\nSESSION=/a.trm\r\n");
  EXPECT_EQ(Remplace_Ligne_Session("A=1\nSESSION=\n", ""), "A=1\nSESSION=\r\n");
}

// A UTF-16 file is written back in Windows-1252 with its new session line.
TEST(SessionLine, Utf16FileBecomesWindows1252) {
  const std::string twin = golden("utf16", "twin.dat");
  const std::string expected = replaceAll(twin, "SESSION=/donn\xE9" "es/s\xE9" "ance 1.trm", "SESSION=/b.trm");
  ASSERT_NE(expected, twin);
  EXPECT_EQ(Remplace_Ligne_Session(golden("utf16", "little_endian.dat"), "/b.trm"), expected);
  EXPECT_EQ(Remplace_Ligne_Session(golden("utf16", "big_endian.dat"), "/b.trm"), expected);
}

TEST(SessionLine, EncodingFollowsTheFile) {
  // UTF-8 file: the new line in UTF-8.
  EXPECT_EQ(Remplace_Ligne_Session("NOM=Hélène\r\n", "/é.trm"), "NOM=Hélène\r\nSESSION=/é.trm\r\n");
  // UTF-8 with BOM, the BOM kept; a SESSION line right after the BOM is found.
  EXPECT_EQ(Remplace_Ligne_Session("\xEF\xBB\xBFSESSION=/old\r\n", "/n"), "\xEF\xBB\xBFSESSION=/n\r\n");
  EXPECT_EQ(Remplace_Ligne_Session("\xEF\xBB\xBF" "A=1\r\n", "/é"), "\xEF\xBB\xBF" "A=1\r\nSESSION=/é\r\n");
  // Windows-1252 file: the new line in Windows-1252 ("é" is byte E9).
  EXPECT_EQ(Remplace_Ligne_Session("NOM=H\xE9l\xE8ne\r\n", "/é.trm"), "NOM=H\xE9l\xE8ne\r\nSESSION=/\xE9.trm\r\n");
  // ASCII file: Windows-1252 when it can hold the path, else UTF-8.
  EXPECT_EQ(Remplace_Ligne_Session("A=1\r\n", "/é"), "A=1\r\nSESSION=/\xE9\r\n");
  EXPECT_EQ(Remplace_Ligne_Session("A=1\r\n", "/Ж"), "A=1\r\nSESSION=/Ж\r\n");
  // A Windows-1252 file and a path it cannot hold: the whole file becomes UTF-8.
  EXPECT_EQ(Remplace_Ligne_Session("NOM=H\xE9l\xE8ne\r\n", "/Ж"), "NOM=Hélène\r\nSESSION=/Ж\r\n");
}

// --- on the main window --------------------------------------------------------------

// A fresh program folder for each test, scripted dialogs, and every global and control
// the settings reach put back afterwards.
class SettingsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "qv-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    auto owned = std::make_unique<platform::ScriptedDialogs>();
    d_ = owned.get();
    platform::setDialogs(std::move(owned));
    platform::SetDecimalSeparator('.');
    QVL& f = Qvl();
    f.load();
    saved_ = Reglages_Courants();
    palmer_ = Palmer;
    autoRetrace_ = AutoRetrace;
    fonctionCourante_ = FonctionCourante;
    calibImage0_ = Calib_Images(0);
    exportFait_ = Export_Fait;
    for (int i = 0; i <= 6; ++i) couleurs_[i] = Couleurs(i);
    for (int i = 0; i <= 4; ++i) {
      predef_[i] = {f.Command13(i).enabled(), f.Command14(i).enabled(), f.Command13(i).backColor(),
                    f.Command14(i).backColor()};
    }
    for (int i = 1; i <= 6; ++i) optn_[i] = f.Optn(i).value();
    for (int i = 1; i <= 4; ++i) statdef_[i] = f.statdef(i).checked();
    for (int i = 0; i <= 2; ++i) mnsav_[i] = f.MNSav(i).checked();
    for (int i = 1; i <= 6; ++i) notexp_[i] = f.NotExp(i).checked();
    for (int i = 1; i <= 6; ++i) lrg_[i] = f.Lrg(i).checked();
    welcome_ = f.Frame(9).visible();
    scanner_ = f.Label6(1).caption();
    fontSize_ = f.Picture1.fontSize();
    Rep_Prog = dir_;
  }

  void TearDown() override {
    QVL& f = Qvl();
    const Reglages& s = saved_;
    Nom_Utilisateur = s.Nom_Utilisateur;
    Langue = s.Langue;
    Indep_Resol = s.Indep_Resol;
    Rep_Images = s.Rep_Images;
    Rep_Data = s.Rep_Data;
    Rep_Prog = s.Rep_Prog;
    Fic_Calib = s.Fic_Calib;
    Calibrage = s.Calibrage;
    f.Label_Calib.setCaption(s.Calib_Nom);
    for (int i = 0; i <= 4; ++i) Calib_Predef(i) = s.Calib_Predef[static_cast<size_t>(i)];
    Alerte_W7 = s.Alerte_W7;
    Fonction_Demarrage = s.Fonction_Demarrage;
    FonctionCourante = fonctionCourante_;
    Format_Decimal = s.Format_Decimal;
    FDecimAuto = s.FDecimAuto;
    AutoRetrace = autoRetrace_;
    Palmer = palmer_;
    Vue_Stat = s.Vue_Stat;
    Tol_Clic = s.Tol_Clic;
    Taille_Grille = s.Taille_Grille;
    Sauve_Auto = s.Sauve_Auto;
    f.F_Img_Click(s.Format_Image);
    Fic_Nuancier = s.Fic_Nuancier;
    ZoneCouleur = s.ZoneCouleur;
    Fic_Etalon = s.Fic_Etalon;
    Etalon_Actif = s.Etalon_Actif;
    Fic_Scanner = s.Fic_Scanner;
    Fic_ArchNua = s.Fic_ArchNua;
    TaillePolice = s.TaillePolice;
    TaillePoliceImg = s.TaillePoliceImg;
    Coul_Ref = s.Coul_Ref;
    Fic_Session = s.Fic_Session;
    Calib_Images(0) = calibImage0_;
    Export_Fait = exportFait_;
    for (int i = 0; i <= 6; ++i) Couleurs(i) = couleurs_[i];
    for (int i = 0; i <= 4; ++i) {
      f.Command13(i).setEnabled(predef_[i].e13);
      f.Command14(i).setEnabled(predef_[i].e14);
      f.Command13(i).setBackColor(predef_[i].c13);
      f.Command14(i).setBackColor(predef_[i].c14);
    }
    for (int i = 1; i <= 6; ++i) {
      if (optn_[i]) f.Optn(i).setValue(true);
    }
    for (int i = 1; i <= 4; ++i) f.statdef(i).setChecked(statdef_[i]);
    for (int i = 0; i <= 2; ++i) f.MNSav(i).setChecked(mnsav_[i]);
    for (int i = 1; i <= 6; ++i) f.NotExp(i).setChecked(notexp_[i]);
    for (int i = 1; i <= 6; ++i) f.Lrg(i).setChecked(lrg_[i]);
    f.Frame(9).setVisible(welcome_);
    f.Label6(1).setCaption(scanner_);
    f.Picture1.setFontSize(fontSize_);
    platform::setDialogs(nullptr);
    platform::SetDecimalSeparator(0);
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  void put(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path(name), std::ios::binary);
    out << bytes;
  }
  // Messages shown so far.
  Lines messages() const {
    Lines m;
    for (const auto& a : d_->log()) {
      if (a.kind == "msgBox") m.push_back(a.text);
    }
    return m;
  }

  struct Predef {
    bool e13, e14;
    platform::Colour c13, c14;
  };

  std::string dir_;
  platform::ScriptedDialogs* d_ = nullptr;
  Reglages saved_;
  int palmer_ = 2, fonctionCourante_ = 0;
  double calibImage0_ = 0;
  bool exportFait_ = false;
  bool autoRetrace_ = false;
  unsigned couleurs_[7] = {};
  Predef predef_[5] = {};
  bool optn_[7] = {}, statdef_[5] = {}, mnsav_[3] = {}, notexp_[7] = {}, lrg_[7] = {};
  bool welcome_ = false;
  std::string scanner_;
  double fontSize_ = 8;
};

TEST(SettingsFirstStart, CreatesTheFileWithTheStartValuesAfterItsMessage) {
  const FirstStart& s = firstStart();
  ASSERT_TRUE(s.done);
  ASSERT_FALSE(s.bytes.empty()) << "the program folder was not empty, or nothing was written";
  ASSERT_EQ(s.asked.size(), 1u);
  EXPECT_EQ(s.asked[0].kind, "msgBox");
  EXPECT_EQ(s.asked[0].text, "création Qvrl.dat");
  EXPECT_TRUE(s.unanswered.empty());
  EXPECT_EQ(s.bytes, replaceAll(golden("first_start", "expected.dat"), "@DOSSIER@", s.folder));
  EXPECT_TRUE(s.welcomeShown);
  // No preset is stored: none can be applied, each can be programmed.
  EXPECT_EQ(s.applyPreset, std::vector<bool>(5, false));
  EXPECT_EQ(s.programPreset, std::vector<bool>(5, true));
}

TEST_F(SettingsWindow, SecondStartReadsWithoutMessageAndHidesTheWelcomePanel) {
  ASSERT_TRUE(Sauve_Parametres());
  ASSERT_TRUE(platform::fileExists(path("Qvrl.dat")));
  Lire_Parametres();
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(Qvl().Frame(9).visible());
  EXPECT_EQ(Rep_Prog, dir_);
  // A French program shows Qt's own texts in French.
  EXPECT_EQ(platform::App::qtLanguage(), "fr");
  platform::App::setQtLanguage("");
}

TEST_F(SettingsWindow, MissingFileIsCreatedAfterTheMessage) {
  Rep_Data = "/elsewhere";
  d_->answerMsgBox(platform::vbOK);
  Lire_Parametres();
  EXPECT_EQ(messages(), Lines{"création Qvrl.dat"});
  EXPECT_EQ(Rep_Data, dir_);
  EXPECT_TRUE(Qvl().Frame(9).visible());
  const std::string bytes = bytesOf(path("Qvrl.dat"));
  EXPECT_NE(bytes.find("\r\nREPDATA= " + dir_ + "\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\nREPPROG= " + dir_ + "\r\n"), std::string::npos);
}

TEST_F(SettingsWindow, SavingTwiceGivesTheSameBytes) {
  for (char sep : {'.', ','}) {
    platform::SetDecimalSeparator(sep);
    Calibrage = 0.3125;
    Tol_Clic = 25;
    ASSERT_TRUE(Sauve_Parametres());
    const std::string first = bytesOf(path("Qvrl.dat"));
    ASSERT_TRUE(Sauve_Parametres());
    EXPECT_EQ(bytesOf(path("Qvrl.dat")), first);
    EXPECT_NE(first.find(std::string("\r\nCALIBRAGE =  0") + sep + "3125\r\n"), std::string::npos) << sep;
    EXPECT_NE(first.find(std::string("\r\nCLIC= 2") + sep + "5\r\n"), std::string::npos) << sep;
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(SettingsWindow, SaveThenReadGivesTheSameValues) {
  Nom_Utilisateur = "Hélène";
  Calibrage = 0.0625;
  Vue_Stat = 2;
  Sauve_Auto = 20;
  Taille_Grille = 1023;
  TaillePolice = 14;
  ASSERT_TRUE(Sauve_Parametres());
  std::string bytes = bytesOf(path("Qvrl.dat"));
  EXPECT_NE(bytes.find("UTILISATEUR =H\xE9l\xE8ne\r\n"), std::string::npos);   // Windows-1252
  Nom_Utilisateur.clear();
  Calibrage = 1;
  Vue_Stat = 3;
  Sauve_Auto = 10;
  Taille_Grille = 3000;
  TaillePolice = 0;
  Lire_Parametres();
  EXPECT_EQ(Nom_Utilisateur, "Hélène");
  EXPECT_DOUBLE_EQ(Calibrage, 0.0625);
  EXPECT_DOUBLE_EQ(Calib_Images(0), 0.0625);
  EXPECT_EQ(Vue_Stat, 2);
  EXPECT_EQ(Sauve_Auto, 20);
  EXPECT_EQ(Taille_Grille, 1023);
  EXPECT_FLOAT_EQ(TaillePolice, 14.0f);
  EXPECT_TRUE(messages().empty());
}

TEST_F(SettingsWindow, HandEditedFileStartsWithDefaultsForRefusedKeys) {
  // Found whatever the letter case of its name.
  put("QVRL.DAT", golden("hand_edited", "input.dat"));
  QVL& f = Qvl();
  Lire_Parametres();
  EXPECT_TRUE(messages().empty());
  EXPECT_DOUBLE_EQ(Calibrage, 1.0);
  EXPECT_EQ(Fonction_Demarrage, 0);
  EXPECT_EQ(Vue_Stat, 3);
  EXPECT_TRUE(f.statdef(3).checked());
  EXPECT_EQ(Tol_Clic, 30);
  EXPECT_EQ(Taille_Grille, 3000);
  EXPECT_EQ(Sauve_Auto, 10);
  EXPECT_TRUE(f.MNSav(1).checked());
  EXPECT_EQ(Format_Image, 0);
  EXPECT_TRUE(f.F_Img(0).checked());
  EXPECT_TRUE(f.NotExp(5).checked());
  EXPECT_EQ(ZoneCouleur, 3);
  EXPECT_TRUE(Alerte_W7);
  // The keys that were taken.
  EXPECT_EQ(Nom_Utilisateur, "Jean  Dupont");
  EXPECT_EQ(Rep_Images, "/data/images");
  EXPECT_EQ(Rep_Prog, dir_);
  EXPECT_EQ(Format_Decimal, "###0.0");
  EXPECT_FALSE(Indep_Resol);
  EXPECT_TRUE(f.Optn(1).value());
  EXPECT_FALSE(f.Optn(2).value());
  EXPECT_FLOAT_EQ(TaillePolice, 10.0f);
  EXPECT_DOUBLE_EQ(f.Picture1.fontSize(), 10.0);
  EXPECT_FLOAT_EQ(TaillePoliceImg, 14.5f);
  EXPECT_EQ(Coul_Ref, "ref.coul");
  EXPECT_EQ(Fic_ArchNua, "Archv_Nuancier.nua");
  EXPECT_FALSE(f.Frame(9).visible());
  // A save rewrites the file that was found.
  ASSERT_TRUE(Sauve_Parametres());
  EXPECT_FALSE(platform::fileExists(path("Qvrl.dat")));
  EXPECT_NE(bytesOf(path("QVRL.DAT")).find("\r\nSTATDEF= 3\r\n"), std::string::npos);
}

TEST_F(SettingsWindow, CalibrationWithCommaOrPointOnEitherSystem) {
  for (char sep : {'.', ','}) {
    platform::SetDecimalSeparator(sep);
    for (const char* line : {"CALIBRAGE= 0,125", "CALIBRAGE= 0.125"}) {
      Calibrage = 1;
      put("Qvrl.dat", std::string(line) + "\r\n");
      Lire_Parametres();
      EXPECT_DOUBLE_EQ(Calibrage, 0.125) << line << " " << sep;
      EXPECT_DOUBLE_EQ(Calib_Images(0), 0.125) << line << " " << sep;
    }
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(SettingsWindow, MenusAndOptionsFollowTheFile) {
  QVL& f = Qvl();
  put("Qvrl.dat",
      "STATDEF=2\r\nSAVAUTO=20\r\nEXT_IMG=1\r\nTYP_NOT=2\r\nZONECOULEUR= 4\r\nPALMER=FAUX\r\n"
      "INDPRES= VRAI\r\nFICSCANNER= scan.Scn\r\nCALIBRAGE_NOM = x40\r\nTAILLEPOLICE= 12\r\n"
      "FONCTION_DEMARRAGE= 3\r\n");
  Lire_Parametres();
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(f.statdef(i).checked(), i == 2) << i;
  // Item 1 unticked, item 2 ticked; item 0 is never unticked by the reader.
  EXPECT_FALSE(f.MNSav(1).checked());
  EXPECT_TRUE(f.MNSav(2).checked());
  EXPECT_EQ(Format_Image, 1);
  for (int i = 0; i <= 6; ++i) EXPECT_EQ(f.F_Img(i).checked(), i == 1) << i;
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(f.NotExp(i).checked(), i == 2) << i;
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(f.Lrg(i).checked(), i == 4) << i;
  EXPECT_EQ(ZoneCouleur, 4);
  EXPECT_EQ(Palmer, 1);
  EXPECT_TRUE(f.Optn(6).value());
  EXPECT_FALSE(f.Optn(5).value());
  EXPECT_TRUE(Indep_Resol);
  EXPECT_TRUE(f.Optn(2).value());
  EXPECT_FALSE(f.Optn(1).value());
  EXPECT_EQ(f.Label6(1).caption(), "Scanner : scan.Scn");
  EXPECT_EQ(f.Label_Calib.caption(), "x40");
  EXPECT_DOUBLE_EQ(f.Picture1.fontSize(), 12.0);
  EXPECT_EQ(Fonction_Demarrage, 3);
  EXPECT_EQ(FonctionCourante, 3);
  EXPECT_TRUE(f.MnuFIC(9).enabled());
  // Saved as read: the notation, the option and the zone come back.
  ASSERT_TRUE(Sauve_Parametres());
  const std::string bytes = bytesOf(path("Qvrl.dat"));
  for (const char* line : {"\r\nTYP_NOT=2\r\n", "\r\nPALMER=FAUX\r\n", "\r\nZONECOULEUR=  4\r\n",
                           "\r\nSAVAUTO= 20\r\n", "\r\nEXT_IMG= 1\r\n", "\r\nINDPRES= VRAI\r\n",
                           "\r\nCALIBRAGE_NOM = x40\r\n", "\r\nTAILLEPOLICE=  12\r\n"}) {
    EXPECT_NE(bytes.find(line), std::string::npos) << line;
  }
}

TEST_F(SettingsWindow, SaveAutoZeroTicksNon) {
  QVL& f = Qvl();
  put("Qvrl.dat", "SAVAUTO=0\r\n");
  Lire_Parametres();
  EXPECT_EQ(Sauve_Auto, 0);
  EXPECT_TRUE(f.MNSav(0).checked());
  EXPECT_FALSE(f.MNSav(1).checked());
}

TEST_F(SettingsWindow, PresetCalibrationsProgramTheirButtons) {
  QVL& f = Qvl();
  put("Qvrl.dat", "CALPREDEF= x10 = 1,25;;x60 = 0,2;\r\n");
  for (int i = 0; i <= 4; ++i) f.Command13(i).setEnabled(true);
  Lire_Parametres();
  EXPECT_EQ(Calib_Predef(0), "x10 = 1,25");
  EXPECT_EQ(Calib_Predef(2), "x60 = 0,2");
  // Button colours: yellow, green, cyan, light red, light red when programmed.
  EXPECT_EQ(Couleurs(1), 65535u);
  EXPECT_EQ(Couleurs(5), 12632319u);
  EXPECT_TRUE(f.Command13(0).enabled());
  EXPECT_EQ(f.Command13(0).backColor(), 65535u);
  EXPECT_EQ(f.Command14(0).backColor(), 65535u);
  EXPECT_FALSE(f.Command13(1).enabled());
  EXPECT_EQ(f.Command13(1).backColor(), 14737632u);
  EXPECT_EQ(f.Command14(1).backColor(), 14737632u);
  EXPECT_TRUE(f.Command13(2).enabled());
  EXPECT_EQ(f.Command13(2).backColor(), 16776960u);
  // Item 3 is the empty text after the last ";": not programmed; item 4 untouched.
  EXPECT_FALSE(f.Command13(3).enabled());
  EXPECT_TRUE(f.Command13(4).enabled());
}

TEST_F(SettingsWindow, FileMenuItemSavesTheSettings) {
  ASSERT_FALSE(platform::fileExists(path("Qvrl.dat")));
  user::click(Qvl().MnuFIC(8));
  EXPECT_TRUE(platform::fileExists(path("Qvrl.dat")));
  EXPECT_TRUE(messages().empty());
}

TEST_F(SettingsWindow, SessionLineOnAFileWithoutOne) {
  put("Qvrl.dat", golden("session_absent", "input.dat"));
  Fic_Session = kSession;
  ASSERT_TRUE(IniSession_Sauve());
  EXPECT_EQ(bytesOf(path("Qvrl.dat")), golden("session_absent", "expected.dat"));
  ASSERT_TRUE(IniSession_Sauve());
  EXPECT_EQ(bytesOf(path("Qvrl.dat")), golden("session_absent", "expected.dat"));
  EXPECT_TRUE(messages().empty());
}

TEST_F(SettingsWindow, SessionLineOnAFileWithOne) {
  put("Qvrl.dat", golden("session_present", "input.dat"));
  Fic_Session = kSession;
  ASSERT_TRUE(IniSession_Sauve());
  EXPECT_EQ(bytesOf(path("Qvrl.dat")), golden("session_present", "expected.dat"));
  // The session is read back at the next start.
  Fic_Session.clear();
  Lire_Parametres();
  EXPECT_EQ(Fic_Session, kSession);
}

TEST_F(SettingsWindow, SessionLineCreatesAMissingFile) {
  Fic_Session = "/a.trm";
  d_->answerMsgBox(platform::vbOK);
  ASSERT_TRUE(IniSession_Sauve());
  EXPECT_EQ(messages(), Lines{" création de " + path("Qvrl.dat")});
  const std::string bytes = bytesOf(path("Qvrl.dat"));
  const std::string last = "\r\nSESSION=/a.trm\r\n";
  ASSERT_GE(bytes.size(), last.size());
  EXPECT_EQ(bytes.substr(bytes.size() - last.size()), last);
  EXPECT_EQ(bytes.find("SESSION"), bytes.size() - last.size() + 2);
  EXPECT_EQ(bytes.substr(0, bytes.size() - last.size() + 2),
            platform::encodeLines(Lignes_Parametres(Reglages_Courants())));
  // A full save of the options keeps the last session, once, as the last line.
  ASSERT_TRUE(Sauve_Parametres());
  const std::string saved = bytesOf(path("Qvrl.dat"));
  ASSERT_GE(saved.size(), last.size());
  EXPECT_EQ(saved.substr(saved.size() - last.size()), last);
  EXPECT_EQ(saved.find("SESSION"), saved.rfind("SESSION"));
}

TEST_F(SettingsWindow, OneTimeWarning) {
  const bool vista = Vista_Ou_Plus;
  Vista_Ou_Plus = false;
  Alerte_W7 = true;
  Alerte_Unique();
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(Alerte_W7);
  Vista_Ou_Plus = true;
  d_->answerMsgBox(platform::vbOK);
  Alerte_Unique();
  Alerte_Unique();
  EXPECT_EQ(messages(), Lines{MSG(12)});
  EXPECT_FALSE(Alerte_W7);
  // Not saved by the warning itself.
  EXPECT_FALSE(platform::fileExists(path("Qvrl.dat")));
  Vista_Ou_Plus = vista;
}

// Outcome codes of the saves tried by the child process.
enum FailedSave { kBothRefused = 0, kSaveSucceeded = 1, kNoSaveMessage = 2, kSessionSucceeded = 3,
                  kNoSessionMessage = 4 };

int trySaves(platform::ScriptedDialogs* d, const std::string& target) {
  d->answerMsgBox(platform::vbOK);
  d->answerMsgBox(platform::vbOK);
  if (Sauve_Parametres()) return kSaveSucceeded;
  if (d->log().size() != 1 || d->log()[0].text.find(target) == std::string::npos) return kNoSaveMessage;
  Fic_Session = "/a.trm";
  if (IniSession_Sauve()) return kSessionSucceeded;
  if (d->log().size() != 2 || d->log()[1].text.find(target) == std::string::npos) return kNoSessionMessage;
  return kBothRefused;
}

// A disk that cannot hold the file: both saves say why and the old bytes stay.
TEST_F(SettingsWindow, FullDiskShowsTheCauseAndKeepsTheOldFile) {
  ASSERT_TRUE(Sauve_Parametres());
  const std::string old = bytesOf(path("Qvrl.dat"));
  Nom_Utilisateur = "Quelqu'un d'autre";
  Fic_Session = "/donnees/session.trm";
  d_->answerMsgBox(platform::vbOK);
  d_->answerMsgBox(platform::vbOK);
  bool saved = true, sessionSaved = true;
  {
    test_support::FileSizeLimit limit(100);
    ASSERT_TRUE(limit.active());
    saved = Sauve_Parametres();
    sessionSaved = IniSession_Sauve();
  }
  EXPECT_FALSE(saved);
  EXPECT_FALSE(sessionSaved);
  const std::string expected = "Impossible d'enregistrer le fichier " + path("Qvrl.dat") + " : " +
                               test_support::FileSizeLimit::cause();
  EXPECT_EQ(messages(), (Lines{expected, expected}));
  EXPECT_EQ(bytesOf(path("Qvrl.dat")), old);
  int entries = 0;
  for (const auto& e : fs::directory_iterator(dir_)) entries += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(entries, 1);
}

TEST_F(SettingsWindow, FailedWriteShowsAMessageAndKeepsTheOldFile) {
  const std::string folder = path("ro");
  ASSERT_TRUE(platform::makeFolder(folder));
  const std::string target = folder + "/Qvrl.dat";
  const std::string old = "UTILISATEUR =ancien\r\n";
  {
    std::ofstream out(target, std::ios::binary);
    out << old;
  }
  ASSERT_EQ(chmod(target.c_str(), 0666), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  ASSERT_EQ(chmod(dir_.c_str(), 0755), 0);
  Rep_Prog = folder;
  // Root ignores permission bits: the saves are made as an ordinary user.
  const int outcome = test_support::asOrdinaryUser([&] { return trySaves(d_, target); });
  EXPECT_EQ(outcome, kBothRefused);
  EXPECT_EQ(bytesOf(target), old);
  int entries = 0;
  for (const auto& e : fs::directory_iterator(folder)) entries += e.is_regular_file() ? 1 : 0;
  EXPECT_EQ(entries, 1);
  ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
}

}  // namespace

namespace {

// A settings file without its byte-order mark, in UTF-16 of either order, is read like
// its Windows-1252 twin: no message, its values taken.
TEST_F(SettingsWindow, Utf16FileWithoutItsMarkIsRead) {
  for (const char* name : {"little_endian.dat", "big_endian.dat"}) {
    SCOPED_TRACE(name);
    d_->clear();
    const std::string avecMarque = bytesOf(std::string(QV_TEST_DATA) + "/settings/utf16/" + name);
    ASSERT_GT(avecMarque.size(), 2u);
    put("Qvrl.dat", avecMarque.substr(2));
    Nom_Utilisateur.clear();
    Lire_Parametres();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(Nom_Utilisateur, "Hélène Müller");
    EXPECT_DOUBLE_EQ(Calibrage, 0.125);
    EXPECT_FALSE(platform::fileExists(path("Qvrl.dat.illisible")));
  }
}

// A file in which no line is a setting is not taken silently for the start values:
// the user is told, and the file is kept aside byte for byte before the next save
// replaces it.
TEST_F(SettingsWindow, AFileWithoutASettingIsToldAndKept) {
  const std::string autre("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\x01\x02\xFF", 20);
  put("Qvrl.dat", autre);
  d_->answerMsgBox(platform::vbOK);
  Lire_Parametres();
  const std::string chemin = path("Qvrl.dat");
  EXPECT_EQ(messages(), Lines{chemin + " illisible (aucun réglage reconnu) : réglages par défaut ; "
                                       "le fichier est conservé sous " + chemin + ".illisible"});
  EXPECT_EQ(bytesOf(chemin + ".illisible"), autre);
  ASSERT_TRUE(Sauve_Parametres());
  EXPECT_NE(bytesOf(chemin).find("UTILISATEUR"), std::string::npos);
  EXPECT_EQ(bytesOf(chemin + ".illisible"), autre);
}

}  // namespace
