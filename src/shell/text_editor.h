#pragma once
// The built-in text editor of the main window (FrameEditer): the calibration file,
// the settings file "Qvrl.dat", the colour-chart archive and the trame named on the
// command line, shown in TextEdit; the first three can be written back. Type_Fichier_Edit
// says which file is open: 1 calibration, 2 settings, 3 chart archive, 4 command-line
// trame. The buttons of the archive input frame live here too.

#include <string>
#include <vector>

extern int Type_Fichier_Edit;

// The bytes an edited text is saved as: the text trimmed of blanks, one final LF then
// one final CR dropped, followed by CR LF; Windows-1252 (UTF-8 when it cannot hold the
// text).
std::string Texte_A_Ecrire(const std::string& texte);

// The bytes an edited text is saved as, the editor having shown the file's lines
// `lues` as the text `affiche`: every line the user left as shown is written as it was
// read (its no-break spaces, line separators U+2028 and leading blanks kept), the
// others as typed; the text's leading blanks, and its trailing ones when it ends
// without a line break, are trimmed where the user typed them. Each line ends with
// CR LF; Windows-1252 (UTF-8 when it cannot hold the text). An empty text gives CR LF.
std::string Texte_Edite_A_Ecrire(const std::vector<std::string>& lues, const std::string& affiche,
                                 const std::string& edite);

// The path of the file of an editor type: types 1 and 2 in the program folder, the
// name matched without regard to case; 3 the chart archive (its path, a bare name
// being taken in the program folder); 4 the command-line trame; "" otherwise.
std::string Fichier_Edite(int type);

// Opens the file of Type_Fichier_Edit in the editor. With ouvre 0 only types 3 and 4
// open. A missing calibration file says "Etalonner et sauver le calibrage
// préalablement"; a missing settings file or chart archive opens nothing, silently; a
// missing command-line trame shows the not-found message.
void Editeur_GF(int ouvre);
// Lays the editor out for Type_Fichier_Edit, then shows the file's lines, each
// followed by CR LF. A missing file shows MSG(137) and leaves the editor as it was.
void EditerTexte(const std::string& Fichier);
// Writes t_texte over the file nomfichier atomically and closes the editor: the bytes
// the editor read when the text is still the one it showed, else as
// Texte_Edite_A_Ecrire (as Texte_A_Ecrire for a file the editor did not open). A vanished file shows the not-found message and nothing is created; a
// failed write shows MSG(144) with the cause and keeps the editor open with its text.
// True when written.
bool Sauve_Texte(const std::string& t_texte, const std::string& nomfichier);
// The editor's buttons: 0 "Annuler" closes without writing; 1 "Valider" writes types
// 1 to 3 back (any other type: nothing, the editor stays open).
void Command8_Click(int Index);
// The archive input frame's buttons: 0 and 1 answer 0 and 2 in Etat_Archive, 2 hides
// the frame.
void Command9_Click(int Index);

// Tools > Editer: items 2 to 5 open the calibration file, "Qvrl.dat", the chart
// archive and the command-line trame; 6 asks twice before the grid is measured again
// from its trame, then shows the image list.
void MntoolXp_Click(int Index);
// As the "Editer" list opens: "Editer Qvrl.dat" is offered when the settings file
// exists, "Editer Nuancier archive" in the colour function when the chart archive does.
void Articles_Editer();

class QVL;
// Connects the editor, the archive input frame's buttons and Tools > Editer.
void Connecte_Editeur(QVL& f);
