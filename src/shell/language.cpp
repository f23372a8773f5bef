// Language files and the language and manual menus.
#include "shell/language.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "base/globals.h"
#include "base/helpers.h"
#include "base/text_tables.h"
#include "forms/main_window.h"
#include "platform/app.h"
#include "platform/control.h"
#include "platform/dialogs.h"
#include "platform/runtime.h"
#include "platform/textfile.h"
#include "platform/utf8.h"
#include "shell/settings_file.h"

// --- reading a language file ---------------------------------------------------------

namespace {

// The keywords whose text is one caption.
struct SingleCaption {
  const char* keyword;
  const char* name;
  int index;
};
constexpr std::array<SingleCaption, 7> kSingleCaptions{{
    {"MNFONCTIONS", "Mnfonctions", -1},
    {"MNEDIT", "MnEdit", -1},
    {"MNFICHIERS", "Mnfichiers", -1},
    {"MNOPTIONS", "MnOptions", -1},
    {"MNOUTILS", "MnOutils", -1},
    {"MNAIDE", "Mnaide", -1},
    {"MNUAIDE", "Mnuaide", 1},
}};

// The keywords that open a section, and what each entry of the section sets.
struct Section {
  const char* keyword;
  LanguageEntry::Kind kind;
  const char* name;
};
constexpr std::array<Section, 15> kSections{{
    {"MNUFONC", LanguageEntry::kCaption, "MnuFonc"},
    {"MNUEDIT", LanguageEntry::kCaption, "MnuEDit"},
    {"MNUFIC", LanguageEntry::kCaption, "MnuFIC"},
    {"MNUOPT", LanguageEntry::kCaption, "MnuOpt"},
    {"MNUTLS", LanguageEntry::kCaption, "Mntool"},
    {"BOUTONS", LanguageEntry::kButton, "Bout"},
    {"CHK", LanguageEntry::kCaption, "Check"},
    {"OPTN", LanguageEntry::kCaption, "Optn"},
    {"ETIQ", LanguageEntry::kCaption, "label"},
    {"CADR", LanguageEntry::kCaption, "Frame"},
    {"MNU", LanguageEntry::kTable, "MNU"},
    {"MSG", LanguageEntry::kTable, "MSG"},
    {"NMST", LanguageEntry::kTable, "NMST"},
    {"MNUSTAT", LanguageEntry::kTable, "MNUSTAT"},
    {"TINTAVEL", LanguageEntry::kTable, "TINTAVEL"},
}};

// The text as a stream of lines read in two ways: comma-delimited fields (top level)
// and the rest of the current line (sections). A field ended by a comma leaves the
// reading position just after the comma, on the same line.
class LineStream {
 public:
  explicit LineStream(const std::vector<std::string>& lines) : lines_(lines) {}

  bool atEnd() const { return row_ >= lines_.size(); }

  // The next comma-delimited field: leading blanks skipped; a field starting with a
  // double quote runs to the closing quote (commas inside kept, the rest of the field
  // up to the comma dropped); otherwise it runs to the next comma or the line end.
  std::string field() {
    const std::string& s = lines_[row_];
    std::size_t p = col_;
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t')) ++p;
    std::string value;
    std::size_t stop;  // where the field's delimiter search starts
    if (p < s.size() && s[p] == '"') {
      const std::size_t close = s.find('"', p + 1);
      if (close == std::string::npos) {
        value = s.substr(p + 1);
        stop = s.size();
      } else {
        value = s.substr(p + 1, close - p - 1);
        stop = close + 1;
      }
      const std::size_t comma = s.find(',', stop);
      advance(comma);
      return value;
    }
    const std::size_t comma = s.find(',', p);
    value = s.substr(p, comma == std::string::npos ? std::string::npos : comma - p);
    advance(comma);
    return value;
  }

  // The rest of the current line (the whole line unless a field ended on it).
  std::string rest() {
    const std::string& s = lines_[row_];
    std::string value = col_ < s.size() ? s.substr(col_) : std::string();
    advance(std::string::npos);
    return value;
  }

 private:
  // Moves after the comma at `comma` on the current line, or to the next line.
  void advance(std::size_t comma) {
    if (comma == std::string::npos) {
      ++row_;
      col_ = 0;
    } else {
      col_ = comma + 1;
    }
  }

  const std::vector<std::string>& lines_;
  std::size_t row_ = 0;
  std::size_t col_ = 0;
};

bool isIgnored(const std::string& line) { return line.empty() || line == ";" || line == ";;"; }

// The integer written in `text` (blanks around allowed, optional sign); false when it
// is not one or does not fit an int.
bool parseIndex(const std::string& text, int* value) {
  const std::string t = platform::Trim(text);
  std::size_t p = 0;
  bool negative = false;
  if (p < t.size() && (t[p] == '+' || t[p] == '-')) negative = t[p++] == '-';
  if (p >= t.size()) return false;
  long long v = 0;
  for (; p < t.size(); ++p) {
    if (t[p] < '0' || t[p] > '9') return false;
    v = v * 10 + (t[p] - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v < -2147483648LL || v > 2147483647LL) return false;
  *value = static_cast<int>(v);
  return true;
}

struct Parser {
  LineStream in;
  LanguageFile out;
  int n = 0;

  void fail(const std::string& line) {
    out.failed = true;
    out.errorLine = n;
    out.errorText = line;
  }

  // Reads the entry lines of a section up to its end line; false after a failure.
  bool section(const Section& s, const std::string& header) {
    std::string last = header;
    for (;;) {
      if (in.atEnd()) {
        fail(last);
        return false;
      }
      const std::string line = platform::Trim(in.rest());
      ++n;
      last = line;
      if (isIgnored(line)) continue;
      long cp = 0;
      const std::size_t marker = platform::utf8::decodeAt(line, 0, &cp);
      const std::size_t semi = line.find(';', marker);
      if (semi == std::string::npos) {
        fail(line);
        return false;
      }
      const std::string index = line.substr(marker, semi - marker);
      if (index == "*") return true;
      if (platform::UCase(platform::Trim(index)) == "REM") continue;
      LanguageEntry e;
      if (!parseIndex(index, &e.index)) {
        fail(line);
        return false;
      }
      e.kind = s.kind;
      e.name = s.name;
      e.text = platform::Trim(line.substr(semi + 1));
      e.lineNumber = n;
      e.line = line;
      out.entries.push_back(std::move(e));
    }
  }

  void run() {
    std::string keyword;  // of the last top-level line holding ";"
    std::string text;
    while (!in.atEnd()) {
      const std::string line = platform::Trim(in.field());
      ++n;
      if (isIgnored(line)) continue;
      const std::size_t semi = line.find(';');
      if (semi != std::string::npos) {
        keyword = platform::UCase(platform::Trim(line.substr(0, semi)));
        text = platform::Trim(line.substr(semi + 1));
      }
      if (keyword.empty() || keyword == "REM") continue;
      bool done = false;
      for (const SingleCaption& c : kSingleCaptions) {
        if (keyword == c.keyword) {
          out.entries.push_back({LanguageEntry::kCaption, c.name, c.index, text, n, line});
          done = true;
          break;
        }
      }
      if (done) continue;
      for (const Section& s : kSections) {
        if (keyword == s.keyword) {
          if (!section(s, line)) return;
          break;
        }
      }
    }
  }
};

}  // namespace

LanguageFile ParseLanguageFile(const std::vector<std::string>& lines) {
  Parser p{LineStream(lines), {}, 0};
  p.run();
  return std::move(p.out);
}

// --- loading into the tables and the window --------------------------------------------

namespace {

TextTable* tableNamed(const std::string& name) {
  if (name == "MSG") return &MSG;
  if (name == "MNU") return &MNU;
  if (name == "NMST") return &NMST;
  if (name == "MNUSTAT") return &MNUSTAT;
  if (name == "TINTAVEL") return &TINTAVEL;
  return nullptr;
}

void reportLine(int n, const std::string& line) {
  platform::MsgBox(MSG(182) + Langue + ", ligne " + std::to_string(n) + " : " + line);
}

// The program folder the language and manual files are sought in.
std::string programFolder() { return Rep_Prog.empty() ? platform::App::Path() : Rep_Prog; }

std::string programFile(const std::string& name) { return Fichier_Programme(name); }

// A caption taken from a table: entry n of MSG ('S'), MNU ('U') or TINTAVEL ('T').
struct FixedCaption {
  const char* name;
  int index;
  char table;
  int n;
};
constexpr FixedCaption kFixedCaptions[] = {
    {"PopExt", 1, 'S', 20},          {"PopExt", 2, 'S', 21},
    {"MnApropos", -1, 'S', 1},       {"Mnuaide", 2, 'S', 186},
    {"MnuTwain", 1, 'U', 31},        {"MnuTwain", 2, 'U', 32},
    {"MnuTwain", 3, 'U', 33},        {"MnuTwain", 4, 'U', 34},
    {"MnuCharg", 1, 'U', 36},        {"MnuCharg", 2, 'U', 37},
    {"MnuCharg", 3, 'U', 38},        {"Mncp", 1, 'U', 42},
    {"Mncp", 2, 'U', 43},            {"MnDens", 1, 'U', 50},
    {"MnDens", 2, 'U', 51},          {"OptnMchrt", -1, 'U', 55},
    {"MnuChrt", 1, 'U', 56},         {"MnuChrt", 2, 'U', 57},
    {"MnuChrt", 3, 'U', 58},         {"MnuChrt", 4, 'U', 59},
    {"MnuChrt", 5, 'U', 60},         {"MnuChrt", 6, 'U', 61},
    {"MnuChrt", 7, 'U', 62},         {"MnuChrt", 8, 'U', 63},
    {"Illus", 1, 'U', 66},           {"Illus", 2, 'U', 67},
    {"Illus", 3, 'U', 68},           {"Illus", 4, 'U', 69},
    {"Illus", 5, 'U', 70},           {"Illus", 6, 'U', 71},
    {"Fdemarrage", 0, 'U', 87},      {"Fdemarrage", 1, 'U', 88},
    {"Fdemarrage", 2, 'U', 89},      {"Fdemarrage", 3, 'U', 90},
    {"Fdemarrage", 4, 'U', 91},      {"Fdemarrage", 5, 'U', 92},
    {"Fdemarrage", 20, 'U', 95},     {"statdef", 1, 'U', 97},
    {"statdef", 2, 'U', 98},         {"statdef", 3, 'U', 99},
    {"statdef", 4, 'U', 100},        {"Mn_Copie_Ecran", 1, 'U', 102},
    {"Mn_Copie_Ecran", 2, 'U', 103}, {"chkMC", 0, 'U', 45},
    {"cmdChargeMC", -1, 'U', 45},    {"Bout_C", 6, 'T', 0},
    {"Bout_C", 3, 'T', 1},           {"cmd_Ch", -1, 'T', 2},
    {"Bout_C", 39, 'T', 3},          {"Bout_C", 8, 'T', 4},
    {"Bout_C", 7, 'T', 5},           {"CheckExpert", -1, 'T', 6},
    {"CheckCalibre", -1, 'T', 7},
};

}  // namespace

bool ApplyLanguageFile(const LanguageFile& file) {
  QVL& f = Qvl();
  for (const LanguageEntry& e : file.entries) {
    switch (e.kind) {
      case LanguageEntry::kTable: {
        TextTable* t = tableNamed(e.name);
        try {
          if (t == nullptr) throw platform::IndexError(e.name);
          t->set(e.index, e.text);
        } catch (const platform::IndexError&) {
          reportLine(e.lineNumber, e.line);
          return false;
        }
        break;
      }
      case LanguageEntry::kButton:
        if (Titre_Bouton(e.index, e.text) == 1 && Diag_Langue) reportLine(e.lineNumber, e.line);
        break;
      case LanguageEntry::kCaption: {
        platform::Component* c = f.find(e.name, e.index);
        if (c == nullptr) {
          reportLine(e.lineNumber, e.line);
          return false;
        }
        c->setCaption(e.text);
        break;
      }
    }
  }
  if (file.failed) {
    reportLine(file.errorLine, file.errorText);
    return false;
  }
  return true;
}

void ApplyFixedCaptions() {
  QVL& f = Qvl();
  for (const FixedCaption& c : kFixedCaptions) {
    platform::Component* target = f.find(c.name, c.index);
    if (target == nullptr) continue;
    const TextTable& t = c.table == 'S' ? MSG : c.table == 'U' ? MNU : TINTAVEL;
    target->setCaption(t(c.n));
  }
  // The cystidia items: "3 mesures", "4 mesures", "5 mesures" in French.
  for (int k = 1; k <= 3; ++k)
    if (f.Cyst.exists(k)) f.Cyst(k).setCaption(std::to_string(k + 2) + " " + MNU(40));
}

std::string QtLocaleFor(const std::string& code) {
  const std::string lower = platform::LCase(code);
  return lower == "bs" ? std::string("eu") : lower;
}

void ApplyQtLanguage() { platform::App::setQtLanguage(QtLocaleFor(Langue)); }

void Charge_Langue() {
  ApplyQtLanguage();
  const std::string path = programFile("Qvrl2_" + Langue + ".lng");
  if (!Fichier_Existe(path, "fichier de langue " + Langue + " non trouvé", 1)) {
    ApplyFixedCaptions();
    return;
  }
  std::vector<std::string> lines;
  std::string error;
  if (!platform::readLines(path, &lines, &error)) {
    reportLine(0, error);
    return;
  }
  if (ApplyLanguageFile(ParseLanguageFile(lines))) ApplyFixedCaptions();
}

int Titre_Bouton(int index, const std::string& text) {
  QVL& f = Qvl();
  if (!f.Bout.exists(index)) return 1;
  f.Bout(index).setCaption(text);
  return 0;
}

// --- menus -----------------------------------------------------------------------------

namespace {

// Language codes of the items 1 to 6 of both menus. File names are matched without
// regard to case, so "Qvrl2_De.lng" is the file of "de".
constexpr std::array<const char*, 7> kCodes{{"", "fr", "it", "es", "de", "en", "bs"}};

bool programFileExists(const std::string& name) {
  const std::string found = platform::findFileNoCase(programFolder(), name);
  return !found.empty() && Fichier_Existe(found, "", 0);
}

}  // namespace

void MnLang_Click(int index) {
  if (index >= 1 && index <= 6) Langue = kCodes[static_cast<std::size_t>(index)];
  if (!Langue.empty()) Charge_Langue();
  // The choice is kept for the next start.
  Sauve_Parametres();
}

void Init_Menus_Langue() {
  QVL& f = Qvl();
  for (int k = 1; k <= 6; ++k) {
    const std::string code = kCodes[static_cast<std::size_t>(k)];
    if (f.MnLang.exists(k)) f.MnLang(k).setEnabled(programFileExists("Qvrl2_" + code + ".lng"));
    if (f.DocLng.exists(k)) f.DocLng(k).setEnabled(programFileExists("Qvrl2_" + code + ".pdf"));
  }
}

std::string Fichier_Programme(const std::string& name) {
  const std::string folder = programFolder();
  const std::string found = platform::findFileNoCase(folder, name);
  return found.empty() ? folder + "/" + name : found;
}

void Ouvre_Manuel(const std::string& code) {
  const std::string path = Fichier_Programme("Qvrl2_" + code + ".pdf");
  if (!Fichier_Existe(path, "", 1)) return;
  std::string error;
  if (!platform::App::OpenDocument(path, &error)) platform::MsgBox(error);
}

void DocLng_Click(int index) {
  Ouvre_Manuel(index >= 1 && index <= 6 ? kCodes[static_cast<std::size_t>(index)] : "");
}

void Form_Activate_Langue() {
  Diag_Langue = true;
  Init_Menus_Langue();
}

void Connecte_Langue(QVL& f) {
  if (f.MnLang.a) f.MnLang->onClick = MnLang_Click;
  if (f.DocLng.a) f.DocLng->onClick = DocLng_Click;
}
