#pragma once
// The help side of the main window: the Aide menu, the manual of the current
// language, the key list, the step-by-step calibration guide and the warning text in
// the welcome panel (acknowledged by reading it to its end), and the About panel.

#include <string>
#include <vector>

// Aide menu: 2 the key list, 3 the manual, 5 the step-by-step guide; others nothing.
void Mnuaide_Click(int index);
// Opens "Qvrl2_" + Langue + ".pdf" of the program folder (any letter case).
void AFF_Aide_pdf();
// The key list MSG(2) to MSG(13), each followed by CR LF, into the welcome panel's
// text box.
void Aide_Liste();
// The eleven lines of the step-by-step calibration guide, each followed by CR LF,
// into the welcome panel's text box.
void Aide_Calibrage();
// Shows the welcome panel with the warning text "avert_" + Langue + ".txt" of the
// program folder (any letter case; Windows-1252 or UTF-8): each line trimmed of
// blanks and followed by CR LF. A missing file: its path, a blank and MSG(177); the
// panel stays with an empty text.
void Affiche_Avertissement();

// True when a caret at `caret` characters in a text of `length` characters reads the
// warning to its end: beyond character 200 with fewer than 15 characters after it.
bool Avertissement_Lu(int caret, int length);
// A click in a text box of the main window: in the welcome panel's box (any index but
// 1 to 6 and 8), outside the annotation modes, recaptions "fermer" and " j'accepte";
// when no calibration is running and the caret has read the text to its end, the
// thanks MNU(1) and the settings saved (the "ignore at start-up" box with them).
void TBox_Click(int index);
// "à propos": the About panel with "Maj " and the build date (dd/mm/yyyy).
void MnApropos_Click();
// The build date of the program as dd/mm/yyyy.
std::string Date_Construction();

class QVL;
// Connects the Aide menu, "à propos" and the welcome panel's text box.
void Connecte_Aide(QVL& f);
