#pragma once
// Single pictures brought into the main window: an image file chosen in the open
// dialog (added to the image list), the picture on the clipboard (written as
// "ImgTempo.bmp" in the program folder and shown outside the list), and the background
// picture shown when there is nothing else to show ("Fondecran.jpg" in the program
// folder, or a built-in picture).

#include <string>

#include "platform/dialogs.h"
#include "platform/picture.h"

// Filter of the open dialog for image files.
inline const std::string kFiltreImages =
    "Fic.images(*.bmp;*.jpg;*.gif°)|*.bmp;*.jpg;*.gif|Tous les fichiers (*.*)|*.*";

// The folder the files of an open dialog's answer were chosen in: the dialog's own
// answer, else the folder part of its first path (no trailing separator).
std::string Dossier_Choisi(const platform::FileAnswer& a);

// Path of the clipboard picture: the program folder and "ImgTempo.bmp".
std::string Chemin_Image_Temporaire();
// Path of the background picture: Rep_Prog and "Fondecran.jpg" (the file of that name
// in any letter case when one exists).
std::string Chemin_Fond_Ecran();
// The built-in background: a grey gradient, lighter towards the bottom, with the
// program's name in the middle; 1200 x 900 pixels, made once.
platform::Picture Image_Fond_Integree();

// Message box for a picture that could not be loaded: MSG(157), a line break and the
// path, titled "Err number " and `numero` (53 missing file, 481 not a picture, 9 list
// full).
void Message_Echec_Chargement(const std::string& path, int numero);

// "Ouvrir Image": one image file from the open dialog becomes the current image. The
// dialog comes first (cancel changes nothing); then, when the list is not empty, the
// question whether to empty it (Confirme_Vider_Liste: while the grid holds rows, Yes
// to both questions clears the grid and the table with the list; any No keeps them all
// and the picture is added to the list). A file that cannot be loaded, or that would be a 51st
// image, changes nothing and gives Message_Echec_Chargement. A file already listed
// becomes the current entry with its own calibration and MSG(111) says so; a new one
// is appended with the calibration in force and shown in the fitted view, the grid's
// cell colours reset (Efface_Table). A chosen folder that is the program folder gives
// the one-time warning of Alerte_Unique. Refused during a measurement (EtapeClic
// above 1) with the orange panel MSG(178).
void Ouvre_Image();

// "Charger image presse papier": the clipboard picture is written as
// Chemin_Image_Temporaire() and shown as a picture outside the list (Index_Image 0,
// the calibration in force kept). The image list is emptied first; when the grid holds
// measurements the question of Confirme_Vider_Grille is asked: Yes clears the grid and
// the table with the list, No keeps all three. With
// pasted pictures kept as captures (Sauve_Captures(1)) it is also written as the next
// capture and that file becomes the current, selected image (Capture_Presse_Papier). Without
// a picture on the clipboard MSG(76) is shown; a failed write or load is shown and
// changes nothing. A picture of another width than the first of the session flashes
// MSG(75) and sets the picture font size to height x 0.01.
void Image_Temporaire();

// Shows the background picture in picbase at the current zoom with zero offsets:
// "Fondecran.jpg" of the program folder when it exists and can be read, else the
// built-in picture (Index is the number of the built-in picture; there is only one).
// Img_Active, the image list and the calibration are not changed.
void Charge_Fond_Ecran(int Index);
