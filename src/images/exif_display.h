#pragma once
// The EXIF listing of the current image, shown in the text box TextExif over the
// picture (tools menu "Données EXIF"); a right click on it hides it.

class QVL;

// Places TextExif at the top left, as wide as Picture1 and 0.8 of its height. With a
// current image (Img_Active) it shows its listing and the status bar says MSG(80)
// (" Clic droit pour fermer la fenêtre"); without one the message "aucune image
// chargée !". When the box then holds no text it is hidden and the message " pas
// d'information EXIF disponible" follows.
void Affiche_Exif();

// A right click (Button 2) on the listing hides it; other buttons do nothing.
void TextExif_MouseDown(int Button, int Shift, double X, double Y);

// Connects the listing's mouse handler.
void Connecte_Exif(QVL& f);
