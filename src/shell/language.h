#pragma once
// Language files "Qvrl2_" + code + ".lng" in the program folder, and the language and
// manual menus. A language file retitles the main window's menus, buttons, check
// boxes, option buttons, labels and frames and overwrites entries of the five text
// tables; entries it does not name keep their current text.
//
// File layout (every line trimmed of blanks before it is looked at):
//   - empty lines and the lines ";" and ";;" are ignored everywhere;
//   - top level: "KEYWORD;text", read as one comma-delimited field (a comma ends it and
//     what follows is read as the next top-level line; quotes around the whole field
//     are removed). ";..." and "REM;..." are comments; a line without ";" repeats the
//     previous top-level line; unknown keywords are skipped;
//   - MNFONCTIONS, MNEDIT, MNFICHIERS, MNOPTIONS, MNOUTILS, MNAIDE, MNUAIDE set one
//     caption from their text;
//   - MNUFONC, MNUEDIT, MNUFIC, MNUOPT, MNUTLS, BOUTONS, CHK, OPTN, ETIQ, CADR, MNU,
//     MSG, NMST, MNUSTAT, TINTAVEL open a section of entry lines "<marker><index>;text"
//     closed by "<marker>*;"; an entry whose index part is "REM" is a comment.

#include <string>
#include <vector>

// --- reading a language file (no window involved) ----------------------------------

// What one line of a language file asks for.
struct LanguageEntry {
  enum Kind {
    kCaption,   // caption of the component `name` (index -1 for a single item)
    kButton,    // caption of Bout(index): a missing button is not always an error
    kTable,     // entry `index` of the text table `name` ("MSG", "MNU"...)
  };
  Kind kind = kCaption;
  std::string name;
  int index = -1;
  std::string text;
  int lineNumber = 0;   // lines read so far, this one included
  std::string line;     // the line as read, trimmed
};

// A language file read into entries, in file order. When `failed`, the reading
// stopped at line `errorLine` (the count of lines read so far) whose trimmed text is
// `errorText`: the entries before it are still valid and are applied first.
struct LanguageFile {
  std::vector<LanguageEntry> entries;
  bool failed = false;
  int errorLine = 0;
  std::string errorText;
};

// Reads the lines of a language file (already decoded, without line ends). Never
// throws. Fails on an entry line without ";" after its marker, an index that is not
// an integer, and a section not closed before the end of the text (then errorLine
// and errorText are those of the last line read).
LanguageFile ParseLanguageFile(const std::vector<std::string>& lines);

// --- loading into the tables and the main window ------------------------------------

// Applies the entries of `file` to the text tables and to the main window's
// components, in order; stops at the first entry that names a table index out of
// bounds or a component the window lacks, and then shows the error message
// MSG(182) + Langue + ", ligne " + n + " : " + line. A missing button is reported only
// when Diag_Langue is true, and the reading goes on. A parse failure of `file` is
// reported last. Returns true when everything was applied.
bool ApplyLanguageFile(const LanguageFile& file);

// Captions of the main window that always come from the tables, applied after every
// successful load (and after a load whose file is missing).
void ApplyFixedCaptions();

// The locale of Qt's catalogue for a language code of the program, without regard to
// case: "fr", "it", "es", "de", "en" as they are, Basque "bs" as "eu"; any other code
// lower-cased; "" for an empty code.
std::string QtLocaleFor(const std::string& code);
// Shows Qt's own texts (message-box buttons, file dialogs) in the language `Langue`;
// English when Qt has no catalogue for it.
void ApplyQtLanguage();

// Loads Qt's texts of `Langue` (ApplyQtLanguage), then the language file of `Langue` from Rep_Prog (name matched without regard to
// case): "fichier de langue " + code + " non trouvé" when it is missing, the error
// message of ApplyLanguageFile when it is malformed (then the fixed captions are not
// applied), the same message naming line 0 and the reason when it cannot be read.
void Charge_Langue();

// Sets the caption of Bout(index); returns 0, or 1 when the window has no such button.
int Titre_Bouton(int index, const std::string& text);

// Language menu: items 1 to 6 choose "fr", "it", "es", "de", "en", "bs"; items 7 and 8
// keep the current language; then the language is loaded and the settings file is
// rewritten so that the next start keeps it (a failed save shows its message).
void MnLang_Click(int index);

// Enables MnLang(1..6) and DocLng(1..6) for the language and manual files found in
// Rep_Prog (without regard to case), disables the others; items 7 and 8 untouched.
void Init_Menus_Langue();

// Manual menu: opens "Qvrl2_" + code + ".pdf" from Rep_Prog for items 1 to 6 ("fr",
// "it", "es", "de", "en", "bs"), "Qvrl2_.pdf" for items 7 and 8; a message when the
// file is missing or cannot be opened.
void DocLng_Click(int index);

// The path of `name` in the program folder (Rep_Prog), its letter case as found on
// disk; the plain path when no file matches.
std::string Fichier_Programme(const std::string& name);
// Hands the manual "Qvrl2_" + code + ".pdf" of the program folder to the desktop; a
// missing file shows its path and MSG(177), a desktop that cannot open it says why.
void Ouvre_Manuel(const std::string& code);

// Language step of the main window's activation: from now on a missing button named
// by a language file is reported, and the language and manual menus are refreshed.
void Form_Activate_Langue();

class QVL;
// Connects the language and manual menus.
void Connecte_Langue(QVL& f);
