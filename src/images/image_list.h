#pragma once
// The image list of the main window. ListIMGchar holds the full path of each image in
// the order of addition: entry i (0-based) is image number i + 1, the number kept by
// measurement rows (NumImage) and by the per-image calibrations Calib_Images. In
// normal mode ListImgAff shows the file name of each entry in the same order; in
// multi-layer group mode (chkMC(0) ticked) it shows the group list ListImgMC, whose
// list positions are kept as text in ListImgIdx.
//
// One rule ties the list to the picture: the selected entry, Index_Image, Img_Active
// and Calibrage = Calib_Images(Index_Image) always describe the picture shown.
// Index_Image is 0, with no entry selected, when the picture is not a list entry (the
// background, a pasted picture); Calib_Images(0) then holds the calibration in force.
// At most kMaxImages images; a path occurs at most once (compared whole, with case).

#include <string>
#include <vector>

#include "platform/bounded_array.h"

constexpr int kMaxImages = 50;

// List positions (0-based) of the images unused by the grid, then of the images to
// remove, each list ended by -1.
extern platform::BoundedArray<int, 0, 50> Img_Inutilisees;
extern platform::BoundedArray<int, 0, 50> Img_A_Supprimer;

// --- the list -------------------------------------------------------------------------

// Number of images in the list (0 to 50).
int Nombre_Images();
// List position (0-based) of path in ListIMGchar, compared whole and case-sensitive;
// -1 when it is not listed or the path is empty.
int Position_Image(const std::string& path);
// Appends path to ListIMGchar and records the calibration in force for it
// (Calib_Images(number) := Calibrage). Returns the new image number (1 to 50); 0 when
// the path is already listed or empty, -1 when the list holds 50 images; nothing is
// added then. The picture shown, Index_Image and the selection do not change;
// ListImgAff is rebuilt.
int Ajoute_Image_Liste(const std::string& path);
// True when a measurement row of the grid (rows 1 to LigneCourante - 1) belongs to
// image `numero`.
bool Image_A_Des_Mesures(int numero);
// Removes image k (0-based list position). Refused with a message, and false, when
// the image still has measurement rows; false without message when k is out of range.
// The images after it move up one number, taking their calibrations, their
// multi-layer marks and their measurement rows (NumImage - 1, also written in the
// image column of the grid) with them. Removing the image shown leaves its picture on
// screen as a picture outside the list (Index_Image 0), or shows the background
// picture when the list is now empty.
bool Retire_Image(int k);
// Empties ListIMGchar, ListImgMC, ListImgIdx and ListImgAff and the multi-layer marks
// without asking. When the picture shown was a list entry it becomes a picture outside
// the list (Index_Image 0, calibration kept in Calib_Images(0)).
void Vide_Listes();
// The question before the grid's rows go with the list their images were in: while
// the grid holds measured rows (LigneCourante above 1), MSG(185) & line break & MSG(190)
// & " " & MSG(188) & " ? " with Yes and No; true for Yes, and true without asking when
// the grid holds no row.
bool Confirme_Vider_Grille();
// The question before the list is emptied, MSG(190) & " " & MSG(189) & " ? " with Yes
// and No buttons, then Confirme_Vider_Grille; true when both say Yes.
bool Confirme_Vider_Liste();
// Empties the lists as Vide_Listes does; a grid holding rows is cleared first with them
// (the table rows, the grid, its mirror and statistics), so that no row is left naming
// an image the list no longer holds.
void Vide_Listes_Et_Grille();
// Menu "Effacer liste images": asks as Confirme_Vider_Liste and on Yes empties the
// lists with the grid's rows (Vide_Listes_Et_Grille) and shows the background picture
// (Index_Image 0, Img_Active ""); No keeps everything. Either way the measurement in
// progress is then abandoned and the picture redrawn, twice.
void Vide_Listes_Images();
// Every multi-layer mark Img_Marque(0 to 50) := 0.
void RAZ_Indices();
// Replaces the whole list by `chemins` (the first kMaxImages, in order), as a loaded
// session gives it: the lists and marks are emptied first as Vide_Listes does, the
// calibrations are left as they are and the displayed list is rebuilt. The picture
// shown stays, as a picture outside the list.
void Remplace_Liste_Images(const std::vector<std::string>& chemins);

// --- the picture shown ----------------------------------------------------------------

// Loads the listed picture NomImg and makes it the current image with its own
// calibration. False when the file is missing (the message of Fichier_Existe) or not a
// readable picture (MSG(157) and the name): the list, the picture, the selection,
// Index_Image, Img_Active and Calibrage then stay as they were. A path that is not
// listed is shown as a picture outside the list.
bool appel_img_listchar(const std::string& NomImg);
// Makes the picture just loaded from `path` the current one: Index_Image := its list
// number (0 when not listed), Img_Active := path, Calibrage := Calib_Images(number)
// (for 0, Calib_Images(0) := Calibrage), the selections of both lists, the file-name,
// size and calibration captions.
void Image_Courante(const std::string& path);
// Shows the background picture as the current one: Index_Image 0, Img_Active "", no
// selection, empty captions.
void Montre_Fond_Ecran();
// Selects in ListIMGchar and ListImgAff the entry of Index_Image (none for 0) without
// running the lists' click handlers.
void Selectionne_Image_Courante();
// Captions lblWidth and lblHeight: the pixel size of the picture in picbase.
void Affiche_Taille_Image();
// Caption label(5): "Cal. = " and Calibrage under the mask "###0.0000".
void Affiche_Calibrage();
// Rebuilds ListImgAff from ListIMGchar (normal mode) or ListImgMC (group mode) and
// selects the current entry in it; gives the focus to Picture1 when the list frame
// FraListeImg is hidden.
void aff_liste_images();
// Fills Img_Inutilisees with the list positions of the images without measurement
// rows (normal mode only) and lists their file names in ListRep.
void AffListeImgUT();
// Removes the images listed in Img_A_Supprimer (ascending positions ended by -1),
// renumbering the measurement rows of the images after each; then lists the unused
// images again and rebuilds the displayed list.
void RepEffaceLigne();

// --- handlers of the lists ------------------------------------------------------------

// Click in the displayed list: abandons the segment being drawn (RAZ_Mesure) and loads
// the entry clicked (through ListImgIdx in group mode). Refused during a measurement
// (EtapeClic 2 or more) with the green panel MSG(178); a refused or failed load
// selects the current entry again.
void ListImgAff_Click();
// Mouse down in the displayed list: Img_A_Calibrer := 99 and the grid cursor to row 1,
// column 1; with the right button the current image may be removed from the list.
void ListImgAff_MouseDown(int Button, int Shift, double X, double Y);
// Mouse up in the displayed list (ends a right-button press).
void ListImgAff_MouseUp(int Button, int Shift, double X, double Y);
// Double click in ListIMGchar: abandons the segment being drawn and loads its current
// entry (refused during a measurement).
void ListIMGchar_DblClick();
// Double click in the group list: the same for the image of its current entry.
void ListImgMC_DblClick();
// Esc gives the focus to Picture1; any other key shows the full path of the current
// entry in lblFichier while it is held.
void ListIMGchar_KeyDown(int& KeyCode, int Shift);
void ListIMGchar_KeyUp(int& KeyCode, int Shift);

class QVL;
// Connects the image list, the image-file menus and the resolution options.
void Connecte_Liste_Images(QVL& f);
