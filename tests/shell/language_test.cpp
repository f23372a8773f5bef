// Language files: the reader on its own, then loading into the text tables and the
// main window, and the language and manual menus.
#include "shell/language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/globals.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "platform/app.h"
#include "platform/control.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/textfile.h"
#include "shell/settings_file.h"
#include "support/user_input.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// --- the reader ------------------------------------------------------------------------

struct Expected {
  LanguageEntry::Kind kind;
  std::string name;
  int index;
  std::string text;
  int lineNumber;
  std::string line;
};

void expectEntries(const LanguageFile& f, const std::vector<Expected>& want) {
  ASSERT_EQ(f.entries.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(f.entries[i].kind, want[i].kind);
    EXPECT_EQ(f.entries[i].name, want[i].name);
    EXPECT_EQ(f.entries[i].index, want[i].index);
    EXPECT_EQ(f.entries[i].text, want[i].text);
    EXPECT_EQ(f.entries[i].lineNumber, want[i].lineNumber);
    EXPECT_EQ(f.entries[i].line, want[i].line);
  }
}

TEST(LanguageParse, SkipsIgnoredLinesCommentsAndUnknownKeywordsWhileCountingThem) {
  const Lines lines = {
      "orphan",               // 1: no header yet, skipped
      "",                     // 2
      ";",                    // 3
      ";;",                   // 4
      "REM;x",                // 5: comment
      "; comment",            // 6: comment (empty keyword)
      "FOO;bar",              // 7: unknown keyword
      "again",                // 8: repeats FOO, skipped
      "  MNEDIT ;  Edit  ",   // 9
      "mnuedit;",             // 10: keywords compared in upper case
      "  x3 ; Charger  ",     // 11
      "",                     // 12
      "x Rem ;c",             // 13: comment entry
      "x*;",                  // 14
  };
  const LanguageFile f = ParseLanguageFile(lines);
  EXPECT_FALSE(f.failed);
  expectEntries(f, {{LanguageEntry::kCaption, "MnEdit", -1, "Edit", 9, "MNEDIT ;  Edit"},
                    {LanguageEntry::kCaption, "MnuEDit", 3, "Charger", 11, "x3 ; Charger"}});
}

TEST(LanguageParse, CommaEndsATopLevelLineAndTheRestRepeatsTheHeader) {
  const LanguageFile f = ParseLanguageFile({"MNAIDE;Aide, Help me", "MNUAIDE;Aide 1"});
  EXPECT_FALSE(f.failed);
  expectEntries(f, {{LanguageEntry::kCaption, "Mnaide", -1, "Aide", 1, "MNAIDE;Aide"},
                    {LanguageEntry::kCaption, "Mnaide", -1, "Aide", 2, "Help me"},
                    {LanguageEntry::kCaption, "Mnuaide", 1, "Aide 1", 3, "MNUAIDE;Aide 1"}});
}

TEST(LanguageParse, QuotesAroundAWholeTopLevelLineAreRemoved) {
  const LanguageFile f =
      ParseLanguageFile({"\"MNOUTILS;Outils, divers\"", "MNOPTIONS;\"Opt\"", "\"MNEDIT;Ed\" x, y"});
  EXPECT_FALSE(f.failed);
  expectEntries(f, {{LanguageEntry::kCaption, "MnOutils", -1, "Outils, divers", 1, "MNOUTILS;Outils, divers"},
                    {LanguageEntry::kCaption, "MnOptions", -1, "\"Opt\"", 2, "MNOPTIONS;\"Opt\""},
                    {LanguageEntry::kCaption, "MnEdit", -1, "Ed", 3, "MNEDIT;Ed"},
                    // "y" after the comma repeats the MNEDIT line.
                    {LanguageEntry::kCaption, "MnEdit", -1, "Ed", 4, "y"}});
}

TEST(LanguageParse, SectionHeaderWithACommaHandsTheRestOfItsLineToTheSection) {
  const LanguageFile f = ParseLanguageFile({"MSG;messages, x12;douze", "x*;"});
  EXPECT_FALSE(f.failed);
  expectEntries(f, {{LanguageEntry::kTable, "MSG", 12, "douze", 2, "x12;douze"}});
}

TEST(LanguageParse, MarkerIsAnyOneCharacter) {
  // "\xC2\xA7" is the section sign, one character of two bytes.
  const LanguageFile f = ParseLanguageFile(
      {"BOUTONS;", "\xC2\xA7" "12;Couleur", ";5;Point-virgule", "99;Neuf", "x*;"});
  EXPECT_FALSE(f.failed);
  expectEntries(f, {{LanguageEntry::kButton, "Bout", 12, "Couleur", 2, "\xC2\xA7" "12;Couleur"},
                    {LanguageEntry::kButton, "Bout", 5, "Point-virgule", 3, ";5;Point-virgule"},
                    {LanguageEntry::kButton, "Bout", 9, "Neuf", 4, "99;Neuf"}});
}

TEST(LanguageParse, NegativeAndLargeIndicesAreLeftToTheLoader) {
  const LanguageFile f = ParseLanguageFile({"MSG;", "x-1;a", "x+401;b", "x 7 ;c", "x*;"});
  EXPECT_FALSE(f.failed);
  expectEntries(f, {{LanguageEntry::kTable, "MSG", -1, "a", 2, "x-1;a"},
                    {LanguageEntry::kTable, "MSG", 401, "b", 3, "x+401;b"},
                    {LanguageEntry::kTable, "MSG", 7, "c", 4, "x 7 ;c"}});
}

TEST(LanguageParse, BlankLinesAfterTheLastSectionEndTheReadingNormally) {
  const LanguageFile f = ParseLanguageFile({"MSG;", "x1;a", "x*;", "", ";", ";;", "   ", ""});
  EXPECT_FALSE(f.failed);
  EXPECT_EQ(f.entries.size(), 1u);
}

// Malformed files: where the reading stops and what it keeps.
struct Failure {
  const char* what;
  Lines lines;
  int errorLine;
  std::string errorText;
  std::size_t entriesKept;
};

TEST(LanguageParse, FailuresStopAtTheLineCountedSoFar) {
  const Failure cases[] = {
      {"entry without a semicolon", {"CHK;", "x1;a", "", "x2 b", "x3;c"}, 4, "x2 b", 1},
      {"marker alone", {"CHK;", "x"}, 2, "x", 0},
      {"semicolon only as the marker", {"CHK;", ";abc"}, 2, ";abc", 0},
      {"index not an integer", {"OPTN;", "x1.5;a"}, 2, "x1.5;a", 0},
      {"index with letters", {"OPTN;", "xdeux;a"}, 2, "xdeux;a", 0},
      {"index too large for an integer", {"MSG;", "x99999999999;a"}, 2, "x99999999999;a", 0},
      {"empty index", {"MSG;", "x;a"}, 2, "x;a", 0},
      {"end line with blanks is no end line", {"MSG;", "x * ;"}, 2, "x * ;", 0},
      {"section not closed", {"MNUEDIT;e", "x1;a", "", "x2;b"}, 4, "x2;b", 2},
      {"section not closed, blank last line", {"MNUEDIT;e", "x1;a", "  "}, 3, "", 1},
      {"file ends after the header", {"; x", "MSG;messages"}, 2, "MSG;messages", 0},
      // A top-level line without ";" repeats the last header, even a section's.
      {"line without semicolon reopens the section", {"MSG;", "x1;a", "x*;", "encore"}, 4, "encore", 1},
      // The part after a comma counts as one more line read.
      {"comma counts as a line", {"MNAIDE;Aide, Help me", "MSG;", "x1;un", "x2 deux"}, 5, "x2 deux", 3},
  };
  for (const Failure& c : cases) {
    SCOPED_TRACE(c.what);
    const LanguageFile f = ParseLanguageFile(c.lines);
    EXPECT_TRUE(f.failed);
    EXPECT_EQ(f.errorLine, c.errorLine);
    EXPECT_EQ(f.errorText, c.errorText);
    EXPECT_EQ(f.entries.size(), c.entriesKept);
  }
}

TEST(LanguageParse, EveryKeywordNamesItsTarget) {
  // The keyword table of the language file format, written out independently.
  const std::vector<std::pair<std::string, Expected>> sections = {
      {"MNUFONC", {LanguageEntry::kCaption, "MnuFonc", 4, "t", 2, "x4;t"}},
      {"MNUEDIT", {LanguageEntry::kCaption, "MnuEDit", 4, "t", 2, "x4;t"}},
      {"MNUFIC", {LanguageEntry::kCaption, "MnuFIC", 4, "t", 2, "x4;t"}},
      {"MNUOPT", {LanguageEntry::kCaption, "MnuOpt", 4, "t", 2, "x4;t"}},
      {"MNUTLS", {LanguageEntry::kCaption, "Mntool", 4, "t", 2, "x4;t"}},
      {"BOUTONS", {LanguageEntry::kButton, "Bout", 4, "t", 2, "x4;t"}},
      {"CHK", {LanguageEntry::kCaption, "Check", 4, "t", 2, "x4;t"}},
      {"OPTN", {LanguageEntry::kCaption, "Optn", 4, "t", 2, "x4;t"}},
      {"ETIQ", {LanguageEntry::kCaption, "label", 4, "t", 2, "x4;t"}},
      {"CADR", {LanguageEntry::kCaption, "Frame", 4, "t", 2, "x4;t"}},
      {"MNU", {LanguageEntry::kTable, "MNU", 4, "t", 2, "x4;t"}},
      {"MSG", {LanguageEntry::kTable, "MSG", 4, "t", 2, "x4;t"}},
      {"NMST", {LanguageEntry::kTable, "NMST", 4, "t", 2, "x4;t"}},
      {"MNUSTAT", {LanguageEntry::kTable, "MNUSTAT", 4, "t", 2, "x4;t"}},
      {"TINTAVEL", {LanguageEntry::kTable, "TINTAVEL", 4, "t", 2, "x4;t"}},
  };
  for (const auto& [keyword, want] : sections) {
    SCOPED_TRACE(keyword);
    const LanguageFile f = ParseLanguageFile({keyword + ";titre", "x4;t", "x*;"});
    EXPECT_FALSE(f.failed);
    expectEntries(f, {want});
  }
  const std::vector<std::pair<std::string, std::pair<std::string, int>>> singles = {
      {"MNFONCTIONS", {"Mnfonctions", -1}}, {"MNEDIT", {"MnEdit", -1}},
      {"MNFICHIERS", {"Mnfichiers", -1}},   {"MNOPTIONS", {"MnOptions", -1}},
      {"MNOUTILS", {"MnOutils", -1}},       {"MNAIDE", {"Mnaide", -1}},
      {"MNUAIDE", {"Mnuaide", 1}},
  };
  for (const auto& [keyword, target] : singles) {
    SCOPED_TRACE(keyword);
    const LanguageFile f = ParseLanguageFile({keyword + "; Titre "});
    EXPECT_FALSE(f.failed);
    expectEntries(f, {{LanguageEntry::kCaption, target.first, target.second, "Titre", 1, keyword + "; Titre"}});
  }
}

// --- loading into the tables and the window --------------------------------------------

// Every caption a language file or the fixed captions may change, with its value.
std::vector<std::pair<platform::Component*, std::string>> snapshotCaptions() {
  static const char* const arrays[] = {
      "MnuFIC", "MnuEDit", "MnuFonc", "MnuOpt", "Mntool", "Bout", "Check", "Optn", "label",
      "Frame", "Mnuaide", "PopExt", "MnuTwain", "MnuCharg", "Cyst", "Mncp", "MnDens", "MnuChrt",
      "Illus", "Fdemarrage", "statdef", "Mn_Copie_Ecran", "chkMC", "Bout_C", "MnLang", "DocLng"};
  static const char* const singles[] = {
      "Mnfonctions", "MnEdit", "Mnfichiers", "MnOptions", "MnOutils", "Mnaide", "MnApropos",
      "OptnMchrt", "cmdChargeMC", "cmd_Ch", "CheckExpert", "CheckCalibre"};
  std::vector<std::pair<platform::Component*, std::string>> v;
  QVL& f = Qvl();
  for (const char* name : arrays)
    for (int i = 0; i <= 60; ++i)
      if (platform::Component* c = f.find(name, i)) v.emplace_back(c, c->caption());
  for (const char* name : singles)
    if (platform::Component* c = f.find(name)) v.emplace_back(c, c->caption());
  return v;
}

std::vector<std::vector<std::string>> snapshotTables() {
  std::vector<std::vector<std::string>> v;
  for (const TextTable* t : {&MSG, &MNU, &NMST, &MNUSTAT, &TINTAVEL}) {
    v.emplace_back();
    for (int i = 0; i <= t->upper(); ++i) v.back().push_back((*t)(i));
  }
  return v;
}

void restoreTables(const std::vector<std::vector<std::string>>& v) {
  int k = 0;
  for (TextTable* t : {&MSG, &MNU, &NMST, &MNUSTAT, &TINTAVEL}) {
    for (int i = 0; i <= t->upper(); ++i) t->set(i, v[static_cast<std::size_t>(k)][static_cast<std::size_t>(i)]);
    ++k;
  }
}

// Table entries whose text differs between two snapshots, as "MSG(182)".
std::vector<std::string> changedEntries(const std::vector<std::vector<std::string>>& a,
                                        const std::vector<std::vector<std::string>>& b) {
  static const char* const names[] = {"MSG", "MNU", "NMST", "MNUSTAT", "TINTAVEL"};
  std::vector<std::string> out;
  for (std::size_t k = 0; k < a.size(); ++k)
    for (std::size_t i = 0; i < a[k].size(); ++i)
      if (a[k][i] != b[k][i]) out.push_back(std::string(names[k]) + "(" + std::to_string(i) + ")");
  return out;
}

// The fixed captions after a load with the French tables: the defaults of the tables,
// written out here from the default-text lists.
struct Fixed {
  const char* name;
  int index;
  const char* caption;
};
const Fixed kFrenchFixed[] = {
    {"PopExt", 1, " largeur"},
    {"PopExt", 2, " épaisseur"},
    {"MnApropos", -1, " à propos ..."},
    {"Mnuaide", 2, " Documentation"},
    {"MnuTwain", 1, "Sélection Source "},
    {"MnuTwain", 2, "Acquisition Twain "},
    {"MnuTwain", 3, "Sauver l'image Twain "},
    {"MnuTwain", 4, "Sauver le cadre "},
    {"MnuCharg", 1, "Ajouter "},
    {"MnuCharg", 2, "Supprimer "},
    {"MnuCharg", 3, "Effacer liste images "},
    {"Cyst", 1, "3 mesures "},
    {"Cyst", 2, "4 mesures "},
    {"Cyst", 3, "5 mesures "},
    {"Mncp", 1, "simple "},
    {"Mncp", 2, "bosses "},
    {"MnDens", 1, "Ellipse "},
    {"MnDens", 2, "Rectangle "},
    {"OptnMchrt", -1, "Options Palettor "},
    {"MnuChrt", 1, ""},   // MNU(56) has no default
    {"MnuChrt", 2, "Charger nuancier "},
    {"MnuChrt", 3, "Sauver nuancier "},
    {"MnuChrt", 4, ""},   // MNU(59)
    {"MnuChrt", 5, "Zone echantillon couleur "},
    {"MnuChrt", 6, "Charger un fichier scanner "},
    {"MnuChrt", 7, "Charger un fichier scanner "},
    {"MnuChrt", 8, "Valider le calibrage scanner "},
    {"Illus", 1, "Référence simple "},
    {"Illus", 2, "Référence orientée "},
    {"Illus", 3, "Choix Police"},
    {"Illus", 4, "Texte "},
    {"Illus", 5, "Presse-papier"},
    {"Illus", 6, "Fichier "},
    {"Fdemarrage", 0, "Segments "},
    {"Fdemarrage", 1, "Spores 2D"},
    {"Fdemarrage", 2, "Spores 3D"},
    {"Fdemarrage", 3, "Cystides 3"},
    {"Fdemarrage", 4, "Cystides 4"},
    {"Fdemarrage", 5, "Cystides 5"},
    {"Fdemarrage", 20, "Tintavel"},
    {"statdef", 1, "Nuages Pts "},
    {"statdef", 2, "Histogramme"},
    {"statdef", 3, "Diagramme"},
    {"statdef", 4, "Tests"},
    {"Mn_Copie_Ecran", 1, "Ecran "},
    {"Mn_Copie_Ecran", 2, "Zone de travail"},
    {"chkMC", 0, "Mode MC"},
    {"cmdChargeMC", -1, "Mode MC"},
    {"Bout_C", 6, "Retrace"},
    {"Bout_C", 3, " grille"},
    {"cmd_Ch", -1, "Ajuster"},
    {"Bout_C", 39, "Aperçu"},
    {"Bout_C", 8, "Images"},
    {"Bout_C", 7, "Voir Options"},
    {"CheckExpert", -1, "Mode expert"},
    {"CheckCalibre", -1, "Calibré"},
};

bool isFixed(const platform::Component* c) {
  for (const Fixed& x : kFrenchFixed)
    if (Qvl().find(x.name, x.index) == c) return true;
  return false;
}

class LanguageLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    auto d = std::make_unique<platform::ScriptedDialogs>();
    dialogs_ = d.get();
    platform::setDialogs(std::move(d));
    QVL& f = Qvl();
    f.show();   // the first start may ask questions: answered by the script
    platform::DoEvents();
    dialogs_->clear();
    savedRepProg_ = Rep_Prog;
    savedLangue_ = Langue;
    savedDiag_ = Diag_Langue;
    tables_ = snapshotTables();
    captions_ = snapshotCaptions();
    for (int k = 1; k <= 8; ++k) {
      langEnabled_.push_back(f.MnLang(k).enabled());
      docEnabled_.push_back(f.DocLng(k).enabled());
    }
    char pattern[] = "/tmp/qv_language_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    Rep_Prog = dir_;
  }

  void TearDown() override {
    platform::App::setQtLanguage("");
    platform::setDialogs(nullptr);
    QVL& f = Qvl();
    restoreTables(tables_);
    for (auto& [c, caption] : captions_) c->setCaption(caption);
    for (int k = 1; k <= 8; ++k) {
      f.MnLang(k).setEnabled(langEnabled_[static_cast<std::size_t>(k - 1)]);
      f.DocLng(k).setEnabled(docEnabled_[static_cast<std::size_t>(k - 1)]);
    }
    Rep_Prog = savedRepProg_;
    Langue = savedLangue_;
    Diag_Langue = savedDiag_;
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // Copies the test file `source` of tests/data/language into the program folder as `name`.
  void install(const std::string& source, const std::string& name) {
    fs::copy_file(fs::path(QV_TEST_DATA) / "language" / source, fs::path(dir_) / name,
                  fs::copy_options::overwrite_existing);
  }

  void writeBytes(const std::string& name, const std::string& bytes) {
    std::ofstream out(fs::path(dir_) / name, std::ios::binary);
    out << bytes;
  }

  std::vector<std::string> messages() const {
    std::vector<std::string> v;
    for (const auto& a : dialogs_->log())
      if (a.kind == "msgBox") v.push_back(a.text);
    return v;
  }

  // Marks the fixed captions so that a test sees whether they were applied.
  void markFixedCaptions() {
    for (const Fixed& x : kFrenchFixed) Qvl().find(x.name, x.index)->setCaption("sentinel");
  }

  void expectFrenchFixedCaptions() {
    for (const Fixed& x : kFrenchFixed) {
      SCOPED_TRACE(std::string(x.name) + "(" + std::to_string(x.index) + ")");
      EXPECT_EQ(Qvl().find(x.name, x.index)->caption(), x.caption);
    }
  }

  void expectFixedCaptionsNotApplied() {
    for (const Fixed& x : kFrenchFixed) {
      SCOPED_TRACE(std::string(x.name) + "(" + std::to_string(x.index) + ")");
      EXPECT_EQ(Qvl().find(x.name, x.index)->caption(), "sentinel");
    }
  }

  std::string dir_;
  platform::ScriptedDialogs* dialogs_ = nullptr;
  std::string savedRepProg_, savedLangue_;
  bool savedDiag_ = false;
  std::vector<std::vector<std::string>> tables_;
  std::vector<std::pair<platform::Component*, std::string>> captions_;
  std::vector<bool> langEnabled_, docEnabled_;
};

TEST_F(LanguageLoad, SectionsRetitleExactlyTheNamedControlsAndTexts) {
  QVL& f = Qvl();
  install("sections.lng", "Qvrl2_it.lng");   // Windows-1252, CR LF
  Langue = "it";
  Diag_Langue = true;
  Charge_Langue();
  EXPECT_TRUE(messages().empty());

  const std::vector<std::pair<platform::Component*, std::string>> named = {
      {f.Mnfichiers, "File"},
      {f.Mnaide, "Aiuto"},
      {&f.MnuFIC(1), "Apri immagine"},
      {&f.MnuFIC(20), "Esci"},
      {&f.Bout(8), "Immagini"},
      {&f.Bout(12), "Colore 1"},
      {&f.Check(3), "Ridisegna"},
      {&f.Optn(1), "Opzione uno"},
      {&f.label(5), "Etichetta"},
      {&f.Frame(9), "Benvenuto"},
  };
  for (const auto& [c, caption] : named) {
    SCOPED_TRACE(c->name() + "(" + std::to_string(c->index()) + ")");
    EXPECT_EQ(c->caption(), caption);
  }
  // Every other caption is unchanged, apart from the fixed ones.
  for (const auto& [c, before] : captions_) {
    bool isNamed = isFixed(c);
    for (const auto& n : named) isNamed = isNamed || n.first == c;
    if (isNamed) continue;
    SCOPED_TRACE(c->name() + "(" + std::to_string(c->index()) + ")");
    EXPECT_EQ(c->caption(), before);
  }

  EXPECT_EQ(MSG(182), "errore nel file di lingua :");
  EXPECT_EQ(MSG(56), "misura Segmento");
  EXPECT_EQ(MNU(40), "misure unità");   // decoded from Windows-1252, trailing blank trimmed
  EXPECT_EQ(NMST(7), "Media");
  EXPECT_EQ(MNUSTAT(1), "Nuvola Pti");
  EXPECT_EQ(MNUSTAT(120), "ultimo");
  EXPECT_EQ(TINTAVEL(0), "Ritraccia");
  const std::vector<std::string> changed = changedEntries(tables_, snapshotTables());
  EXPECT_EQ(changed, (std::vector<std::string>{"MSG(56)", "MSG(182)", "MNU(40)", "NMST(7)",
                                               "MNUSTAT(1)", "MNUSTAT(120)", "TINTAVEL(0)"}));
  // The grid-template title built from the French function caption keeps it.
  EXPECT_EQ(MSG(146), "mesure Segment$4$Longueur$img $comment$");

  // Fixed captions from the tables as they now stand.
  EXPECT_EQ(f.Bout_C(6).caption(), "Ritraccia");
  EXPECT_EQ(f.Cyst(1).caption(), "3 misure unità");
  EXPECT_EQ(f.Cyst(3).caption(), "5 misure unità");
  EXPECT_EQ(f.PopExt(1).caption(), " largeur");
}

TEST_F(LanguageLoad, MessagesOnlyFileChangesOneEntryThenAppliesTheFixedCaptions) {
  install("msg_only.lng", "Qvrl2_en.lng");
  Langue = "en";
  markFixedCaptions();
  Charge_Langue();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(changedEntries(tables_, snapshotTables()), std::vector<std::string>{"MSG(182)"});
  EXPECT_EQ(MSG(182), "erreur du fichier de langue :");
  expectFrenchFixedCaptions();
}

TEST_F(LanguageLoad, MissingFileSaysSoAndStillAppliesTheFixedCaptions) {
  Langue = "zz";
  markFixedCaptions();
  Charge_Langue();
  EXPECT_EQ(messages(), std::vector<std::string>{"fichier de langue zz non trouvé"});
  EXPECT_TRUE(changedEntries(tables_, snapshotTables()).empty());
  expectFrenchFixedCaptions();
}

TEST_F(LanguageLoad, FileNameIsMatchedWithoutRegardToCase) {
  install("msg_only.lng", "QVRL2_De.LNG");
  Langue = "de";
  Charge_Langue();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(MSG(182), "erreur du fichier de langue :");
}

TEST_F(LanguageLoad, Utf8FileWithLineFeedsIsRead) {
  writeBytes("Qvrl2_en.lng", "MSG;\nx20;\xC3\xA9paisseur UTF\nx*;\n");
  Langue = "en";
  Charge_Langue();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(MSG(20), "épaisseur UTF");
  EXPECT_EQ(Qvl().PopExt(1).caption(), "épaisseur UTF");
}

TEST_F(LanguageLoad, BlankLinesAtTheEndEndTheReadingNormally) {
  install("trailing_blanks.lng", "Qvrl2_es.lng");
  Langue = "es";
  Diag_Langue = true;
  markFixedCaptions();
  Charge_Langue();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(Qvl().MnuOpt(6).caption(), "Lingua");
  expectFrenchFixedCaptions();
}

// Files that fail: the message names the line, what was read before stays, the rest of
// the file and the fixed captions are not applied. The message shows whatever Diag_Langue.
struct Malformed {
  const char* file;
  std::string message;   // after " erreur dans le fichier de langues : it"
};

TEST_F(LanguageLoad, MalformedFilesReportTheLineAndKeepWhatWasReadBefore) {
  const Malformed cases[] = {
      {"bounds_msg.lng", ", ligne 5 : x401;trop"},
      {"bounds_mnustat.lng", ", ligne 3 : #121;Trop"},
      {"negative.lng", ", ligne 3 : x-1;moins un"},
      {"missing_semicolon.lng", ", ligne 5 : x2 Case deux"},
      {"bad_index.lng", ", ligne 3 : xdeux;Deux"},
      {"unclosed.lng", ", ligne 4 : x2;Export"},
      {"missing_item.lng", ", ligne 3 : x19;absent"},
      {"comma_header.lng", ", ligne 5 : x2 deux"},
  };
  QVL& f = Qvl();
  Langue = "it";
  Diag_Langue = false;
  const std::string fic = f.MnuFIC(20).caption();
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.file);
    dialogs_->clear();
    restoreTables(tables_);
    install(c.file, "Qvrl2_it.lng");
    markFixedCaptions();
    Charge_Langue();
    EXPECT_EQ(messages(), std::vector<std::string>{" erreur dans le fichier de langues : it" + c.message});
    expectFixedCaptionsNotApplied();
  }
  // What each file set before its failure stays.
  EXPECT_EQ(f.Check(1).caption(), "Case un");
  EXPECT_EQ(f.Optn(1).caption(), "Option");
  EXPECT_EQ(f.MnuEDit(1).caption(), "Exporter");
  EXPECT_EQ(f.MnuEDit(2).caption(), "Export");
  EXPECT_EQ(f.MnuFIC(1).caption(), "Ouvrir");
  EXPECT_EQ(f.MnuFIC(20).caption(), fic);   // after the failing line
  EXPECT_EQ(f.Mnaide->caption(), "Aide");
}

TEST_F(LanguageLoad, TableIndexBeyondTheBoundIsReportedNotWritten) {
  Langue = "it";
  install("bounds_msg.lng", "Qvrl2_it.lng");
  Charge_Langue();
  EXPECT_EQ(MSG(400), "dernier");
  EXPECT_EQ(MSG.upper(), 400);
  EXPECT_EQ(MSG(10), " Eff.Arr.: efface dernier segment");   // after the failing line
  EXPECT_EQ(MNU(1), "merci ");
  EXPECT_EQ(changedEntries(tables_, snapshotTables()), std::vector<std::string>{"MSG(400)"});

  restoreTables(tables_);
  install("bounds_mnustat.lng", "Qvrl2_it.lng");
  Charge_Langue();
  EXPECT_EQ(MNUSTAT.upper(), 120);
  EXPECT_EQ(changedEntries(tables_, snapshotTables()), std::vector<std::string>{"MNUSTAT(120)"});
  EXPECT_EQ(MNUSTAT(120), "Fin");

  restoreTables(tables_);
  install("negative.lng", "Qvrl2_it.lng");
  Charge_Langue();
  EXPECT_TRUE(changedEntries(tables_, snapshotTables()).empty());
  EXPECT_EQ(messages().size(), 3u);
}

TEST_F(LanguageLoad, MissingButtonIsSilentUntilTheFirstActivationThenReported) {
  QVL& f = Qvl();
  install("buttons_missing.lng", "Qvrl2_it.lng");
  Langue = "it";
  Diag_Langue = false;
  markFixedCaptions();
  Charge_Langue();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(f.Bout(8).caption(), "Images B");
  EXPECT_EQ(f.Bout(9).caption(), "Mesures B");
  expectFrenchFixedCaptions();

  f.Bout(9).setCaption("avant");
  markFixedCaptions();
  Diag_Langue = true;
  Charge_Langue();
  EXPECT_EQ(messages(),
            std::vector<std::string>{" erreur dans le fichier de langues : it, ligne 3 : x48;absent"});
  EXPECT_EQ(f.Bout(9).caption(), "Mesures B");   // the reading went on
  expectFrenchFixedCaptions();
}

TEST_F(LanguageLoad, TitreBoutonSaysWhetherTheButtonExists) {
  QVL& f = Qvl();
  EXPECT_EQ(Titre_Bouton(50, "cinquante"), 0);
  EXPECT_EQ(f.Bout(50).caption(), "cinquante");
  EXPECT_EQ(Titre_Bouton(48, "x"), 1);
  EXPECT_EQ(Titre_Bouton(0, "x"), 1);
  EXPECT_EQ(Titre_Bouton(-1, "x"), 1);
}

TEST_F(LanguageLoad, LanguageMenuChoosesTheCodeOrReloadsTheCurrentOne) {
  QVL& f = Qvl();
  install("sections.lng", "Qvrl2_it.lng");
  Langue = "fr";
  Init_Menus_Langue();   // as the window's activation does: "it" has its file now
  ASSERT_TRUE(user::click(f.MnLang(2)));
  EXPECT_EQ(Langue, "it");
  EXPECT_EQ(f.Bout(8).caption(), "Immagini");

  // Items 7 and 8 keep the language and load it again.
  for (int item : {7, 8}) {
    SCOPED_TRACE(item);
    f.Bout(8).setCaption("autre");
    user::click(f.MnLang(item));
    EXPECT_EQ(Langue, "it");
    EXPECT_EQ(f.Bout(8).caption(), "Immagini");
  }
  EXPECT_TRUE(messages().empty());

  // The choice is in the settings file, where the next start reads it.
  std::vector<std::string> lines;
  ASSERT_TRUE(platform::readLines(dir_ + "/Qvrl.dat", &lines));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "LANGUE = it"), lines.end());
  Reglages r;
  Lire_Lignes_Parametres(lines, r);
  EXPECT_EQ(r.Langue, "it");

  // The codes of items 1 to 6; no file exists for them here.
  const char* const codes[] = {"fr", "it", "es", "de", "en", "bs"};
  fs::remove(fs::path(dir_) / "Qvrl2_it.lng");
  // Their items are disabled without the file: the handler itself.
  for (int k = 1; k <= 6; ++k) {
    dialogs_->clear();
    MnLang_Click(k);
    EXPECT_EQ(Langue, codes[k - 1]);
    EXPECT_EQ(messages(), std::vector<std::string>{std::string("fichier de langue ") + codes[k - 1] + " non trouvé"});
  }
}

// The program's language codes as Qt's catalogues name them.
TEST(QtLanguage, LocaleOfEachLanguageCode) {
  const std::pair<const char*, const char*> cases[] = {
      {"fr", "fr"}, {"it", "it"}, {"es", "es"}, {"De", "de"}, {"de", "de"},
      {"en", "en"}, {"bs", "eu"}, {"BS", "eu"}, {"pt", "pt"}, {"", ""}};
  for (const auto& [code, locale] : cases) EXPECT_EQ(QtLocaleFor(code), locale) << code;
}

// A language chosen in the menu changes Qt's texts too, even without its file; a
// language Qt has no catalogue for leaves them English.
TEST_F(LanguageLoad, LanguageMenuChangesQtTexts) {
  QVL& f = Qvl();
  install("sections.lng", "Qvrl2_it.lng");
  Init_Menus_Langue();
  ASSERT_TRUE(user::click(f.MnLang(2)));
  EXPECT_EQ(platform::App::qtLanguage(), "it");
  MnLang_Click(4);   // "de": no language file here, its item disabled
  EXPECT_EQ(platform::App::qtLanguage(), "de");
  MnLang_Click(1);
  EXPECT_EQ(platform::App::qtLanguage(), "fr");
  Langue = "xx";
  Charge_Langue();
  EXPECT_EQ(platform::App::qtLanguage(), "");
}

TEST_F(LanguageLoad, MenusEnableTheLanguagesAndManualsFoundInTheProgramFolder) {
  QVL& f = Qvl();
  for (const char* name : {"Qvrl2_De.lng", "qvrl2_IT.LNG", "Qvrl2_fr.pdf", "Qvrl2_bs.PDF", "Qvrl2_es.txt"})
    writeBytes(name, "x");
  fs::create_directory(fs::path(dir_) / "Qvrl2_en.lng");   // a folder is not a file
  f.MnLang(7).setEnabled(false);
  f.MnLang(8).setEnabled(true);
  f.DocLng(7).setEnabled(false);
  f.DocLng(8).setEnabled(true);
  for (int k = 1; k <= 6; ++k) {
    f.MnLang(k).setEnabled(k == 1);   // fr has no language file: disabled below
    f.DocLng(k).setEnabled(k == 2);
  }
  Init_Menus_Langue();
  const bool lang[] = {false, true, false, true, false, false};
  const bool doc[] = {true, false, false, false, false, true};
  for (int k = 1; k <= 6; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(f.MnLang(k).enabled(), lang[k - 1]);
    EXPECT_EQ(f.DocLng(k).enabled(), doc[k - 1]);
  }
  EXPECT_FALSE(f.MnLang(7).enabled());
  EXPECT_TRUE(f.MnLang(8).enabled());
  EXPECT_FALSE(f.DocLng(7).enabled());
  EXPECT_TRUE(f.DocLng(8).enabled());
  EXPECT_TRUE(messages().empty());
}

TEST_F(LanguageLoad, ActivationStepReportsMissingButtonsFromNowOnAndRefreshesTheMenus) {
  QVL& f = Qvl();
  writeBytes("Qvrl2_es.lng", "x");
  f.MnLang(3).setEnabled(false);
  Diag_Langue = false;
  Form_Activate_Langue();
  EXPECT_TRUE(Diag_Langue);
  EXPECT_TRUE(f.MnLang(3).enabled());
}

TEST_F(LanguageLoad, ManualMenuLooksForTheCodeOfItsItem) {
  QVL& f = Qvl();
  // Items 7 and 8 have no code: the name is "Qvrl2_" + ".pdf". Fichier_Existe joins the
  // path, a blank and MSG(177) " introuvable".
  user::click(f.DocLng(7));
  user::click(f.DocLng(8));
  DocLng_Click(4);   // its item is disabled without its manual
  EXPECT_EQ(messages(), (std::vector<std::string>{dir_ + "/Qvrl2_.pdf  introuvable",
                                                  dir_ + "/Qvrl2_.pdf  introuvable",
                                                  dir_ + "/Qvrl2_de.pdf  introuvable"}));
}

}  // namespace
