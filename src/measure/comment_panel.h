#pragma once
// The comment and export panel Frame(10) of the main window and the handlers of the
// measurement grid around it. The panel serves one purpose at a time, set by what
// opened it: the comment of one row (the row kept in Text4), the comment mode of the
// tools menu (Mode_Commentaire), the comment of a results export (Seq_Ouvert) or a
// colour record. Every way of closing it forgets the purpose.

#include <functional>
#include <optional>
#include <string>

class QVL;

// The finished row a row number stands for: n below 1 gives 1, n above
// LigneCourante - 1 gives that row; 0 when no row is finished.
int Ligne_Commentaire(double n);

// Writes texte, on one line, into the comment column of GrilleRef at row ligne; false
// (nothing written) when ligne is not a finished row of the grid.
bool Ecrit_Commentaire(int ligne, const std::string& texte);

// Click in GrilleRef: in the comment column, with at least one finished row, opens
// the panel on the clicked row (clamped to the finished rows): statistics frame hidden,
// panel teal with the row box and its scroll bar, the row's comment in TBox(3), its
// number in Text4, captioned MNU(13) & " :" & row & "--- img " & Index_Image & " : " &
// the file name of Img_Active.
void GrilleRef_Click();

// Key down in GrilleRef: Space shows "image :" and the path of the current row's image
// (column Cols - 2) when that number names a listed image; anything else nothing.
void GrilleRef_KeyDown(int KeyCode, int Shift);

// The path of the image a grid row's image column names: its entry n - 1 in
// ListIMGchar for a whole n from 1 to the number of listed images; none otherwise.
std::optional<std::string> Chemin_Image_Ligne(int ligne);

// "Outils > commenter la grille": the comment mode on, then the grid-comment layout,
// showing the row named in Text4 (clamped to the finished rows).
void commenter_grille();

// Shows and places the panel: layout 1 the grid comments (row box and scroll bar
// shown), 2 the colour-zone comment (larger box). Other layouts only hide the row
// box and its scroll bar.
void Panneau_Commentaire(int mode);

// Row box typed: the number is clamped once to the finished rows and that row's
// comment loaded into TBox(3) (nothing stored).
void Text4_Change();

// Scroll bar of the panel: the comment of the row left is stored, then the row reached
// is shown (its value is always the row shown).
void VScroll2_Change();

// Buttons 28 "Valider", 29 "annuler", 30 "Raz commentaire" of the panel; any other
// index runs only the common end (status bar emptied, measurement in progress
// abandoned, picture redrawn).
void Bout_dial_Click(int Index);

// 0 "Valider": the export panel exports the results through the save dialog with the
// typed comment; a row's panel writes its comment into that row; then the panel
// closes. 1 "annuler": the panel closes. Other values nothing.
void Valide_Commentaire(int k);

// "Export grille sous ...": refuses with MSG(130) when no row is finished, flashes
// MSG(178) while a measurement is unfinished, else opens the panel for the export's
// comment (MSG(119), TBox(3) emptied, Seq_Ouvert set).
void Fin_Etape_Mesure();

// Hides the panel and forgets what it was opened for (Mode_Commentaire, Seq_Ouvert,
// the row shown).
void Ferme_Panneau_Commentaire();

// Saves a pending colour record when "Valider" is pressed on a colour record ("annuler"
// forgets the record); filled by the colour options.
std::function<void()>& Enregistre_Couleur();

// Connects the grid and the panel's controls.
void Connecte_Commentaires(QVL& f);
