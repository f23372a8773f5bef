#pragma once
// Stateless helpers every window uses: the number reader that accepts a comma or a
// point, the file-exists test with its optional message, the pieces of a path, the
// position of a character, a wait that keeps the windows responsive, a file lookup
// that retries once, the placement of a window or control, the smaller and larger of
// two reals, and the system folder and name. Paths are split at "/" and at "\"
// (sessions written on Windows hold "\").

#include <cmath>
#include <string>

// True when the program runs on a system that keeps program folders out of reach of
// ordinary writes (the one-time folder warning reads it). Always true here; set again
// by Version_Windows.
extern bool Vista_Ou_Plus;

// --- numbers ----------------------------------------------------------------------

// The leading number of a text: leading blanks, tabs and line feeds skipped, blanks
// inside the number ignored; optional sign, digits, at most one "." and an optional
// exponent (E or D, optional sign); "&H" and "&O" read hexadecimal and octal whole
// numbers (non-negative, at most 32 bits). Reading stops at the first character that
// cannot continue the number. Independent of the system's decimal separator. Never
// throws: no leading number, an out-of-range value ("1E400") or a hexadecimal or
// octal number above 32 bits give 0.
double LeadingNumber(const std::string& s);

// The leading number of the text with every "," taken as "." ("3,5" and "3.5" give
// 3.5; "1,234.5" gives 1.234, the second point ending the number); 0 when the text
// holds no number or an out-of-range one. Never throws.
double Val_Decimal(const std::string& s);
// True when the text's leading number, read as Val_Decimal reads it, is too large for
// a double ("1e400", "-2,5E308"), the case Val_Decimal gives 0 for; false for any
// other text, an underflowing one ("1e-400") included.
bool NumberOverflows(const std::string& s);

// The smaller of a and b (b when they are equal or either is NaN).
double Min_D(double a, double b);
// The larger of a and b (b when they are equal or either is NaN).
double Max_D(double a, double b);

// --- files and paths ---------------------------------------------------------------

// True when path names a regular file that can be opened for reading; false for a
// missing file, a folder, an empty path or a file that cannot be read. Only when
// flag is 1 and the answer is false, a message box (OK button) says so: message when
// it is not empty, otherwise the path (or "fichier" when the path is empty), a blank
// and MSG(177).
bool Fichier_Existe(const std::string& path, const std::string& message = "", int flag = 0);

// The part of path after its last "/" or "\"; the whole text when it has none; ""
// when it ends with a separator.
std::string Nom_Fichier(const std::string& path);

// The folder part of path up to and including its last "/" or "\" (the separator
// found is kept); "" when the path holds no separator.
std::string Rep_Fichier(const std::string& path);

// True when the folders a and b are the same one: equal once their trailing "/" or
// "\" are dropped, or two names of one existing folder (a link, "." or ".."). False
// when either is empty.
bool Meme_Dossier(const std::string& a, const std::string& b);

// The name without its last extension: the text left of the last "." ("a.b.bmp"
// gives "a.b", ".bmp" gives ""). A name whose last part (after the last separator)
// holds no "." is returned whole.
std::string Sans_Extension(const std::string& name);

// The extension of a name in upper case ("photo.jpeg" gives "JPEG"); "" for a name
// whose last part (after the last separator) holds no ".", and for "".
std::string Extension_Fichier(const std::string& name);

// 1-based position (in characters) of the first occurrence of the one-character text
// ch in text; 0 when absent, when ch is empty or longer than one character, and for
// an empty text.
int Position_Car(const std::string& text, const std::string& ch);

// The bare name (as written on disk) of the first regular file matching pattern: a
// path whose last part may hold "*" and "?" wildcards, compared without case; an
// exact name wins over one differing only by case. A pattern without a folder, or
// with a relative one, is taken from the program folder. "" for an empty pattern or when nothing matches.
// When the folder exists but cannot be read (or a name is too long), the lookup is
// made once more after a wait of 1 second; a second failure gives "".
std::string Dir_Sur(const std::string& pattern);

// --- waits ---------------------------------------------------------------------------

// Waits the given seconds while pending window events run (any handler may run
// meanwhile). Ends on a monotonic deadline, so a wait across midnight ends on time;
// zero, negative and non-finite durations return at once without running events.
void Pause(double seconds);

// --- placement -----------------------------------------------------------------------

// Sets Top, Width, Left and Height of a control or window, in this order, in the
// container's units (twips for windows). A non-finite value leaves its property
// unchanged; negative sizes are taken as 0 by the control.
template <class T>
  requires requires(T& o, double v) {
    o.setTop(v);
    o.setWidth(v);
    o.setLeft(v);
    o.setHeight(v);
  }
void Place_Objet(T& objet, double height, double left, double top, double width) {
  if (std::isfinite(top)) objet.setTop(top);
  if (std::isfinite(width)) objet.setWidth(width);
  if (std::isfinite(left)) objet.setLeft(left);
  if (std::isfinite(height)) objet.setHeight(height);
}

// The same with the unused caption argument that callers pass in second place.
template <class T>
  requires requires(T& o, double v) {
    o.setTop(v);
    o.setWidth(v);
    o.setLeft(v);
    o.setHeight(v);
  }
void Place_Objet(T& objet, const std::string& /*caption*/, double height, double left,
                 double top, double width) {
  Place_Objet(objet, height, left, top, width);
}

// --- system --------------------------------------------------------------------------

// The system folder: the user's home folder ($HOME) when it exists, otherwise "/".
// No trailing separator except for "/" itself.
std::string Rep_Windows();

// The name of the operating system (platform::App::OsName()); sets Vista_Ou_Plus to
// true.
std::string Version_Windows();
