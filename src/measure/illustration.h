#pragma once
// The illustration window Fen_Illust: from it the user arms an insertion on the
// measured picture (the notation of the measurements, a scale reference, a text),
// chooses the line width and the font of the annotations, and saves the annotated
// full-size copy Picture2 beside the image as its reference picture
// ("<image without extension>_Ref.bmp", or ".jpg" with the JPG export format).
//
// The window is shown one way only: modal at Left 1000, Top 500, 6500 x 1700 twips.
// Its save button is disabled when it is opened from the menus and enabled when it
// comes back after an insertion placed on Picture2. Closing it by its close box is
// "Quitter"; an insertion chosen in it closes it and leaves its modes armed until the
// insertion is printed or cancelled.

#include <string>

class Fen_Illust;

// The window, created on first use with its handlers connected.
Fen_Illust& FenIllust();
// True once the window has been created (nothing here creates it but FenIllust).
bool FenIllustExists();
// Unloads and destroys the window; the next use creates a fresh one.
void ForgetIllustrationWindow();

// Shows the window with its save button disabled (the tools menu, the options
// panel's "test").
void Affiche_Fen_Illust();
// Shows the window again after an insertion placed on Picture2, its save button
// enabled; nothing when no image is active.
void Montre_Illustration();

// Load: captions from MNU(119) to MNU(127), the annotation label emptied, the line
// width EpaisseurTrait ticked again, the save button disabled, no notation armed.
void Fen_Illust_Form_Load();
// Line-width menu: ticks item index (1, 2, 3 or 5) alone and stores it in
// EpaisseurTrait; other indices change nothing.
void Illus_Trace_Click(int index);
// The line width: the caption of the ticked item of the line-width menu as a number,
// 0 when none is ticked; EpaisseurTrait while the window has never been created.
int Drwtrace_lire();
// The window's menu: 0 "Insert. Notation", 1 "Insertion référence", 2 "Insertion
// texte" arm an insertion (Illus_Ins_ref), 4 "Police" the font of the annotations
// on the full-size copy; others do nothing.
void IllustImg_Click(int index);
// Arms one insertion and closes the window: 0 the notation (Mode_InsRef with
// Ins_Notation), 1 the scale reference (Mode_InsRef with Mode_InsTexte), 2 a text
// (Mode_Annot); the status bar asks for the point (MSG(194)).
void Illus_Ins_ref(int index);
// Shows texte over the picture in Label_Illust at (posx, posy), 4800 x 2000 twips,
// transparent, wrapped.
void PictureText(const std::string& texte, double posx, double posy);
// 1 "Enregistrer et quitter": saves the reference picture (see Sauve_Reference),
// then, when saved, closes as 2 "Quitter" does: the insertion modes cleared, the
// window unloaded. A refused or failed save keeps the window open.
void Fen_Illust_Command1_Click(int index);

// Writes the annotated full-size copy Picture2, at the image's own size in pixels,
// as the reference picture of Img_Active. A missing image file ("fichier image <path>
// introuvable"), an export format other than BMP or JPG, or a failed write (the path
// and the cause) is said and nothing is written. When the reference picture exists
// the user chooses: Yes replaces it, No writes the first free "_Ref_<n>" (n from 2).
// True when a file was written.
bool Sauve_Reference();

// The reference picture of an image path: without its extension, then "_Ref.bmp"
// (or "_Ref.jpg" with jpeg).
std::string Nom_Reference(const std::string& image, bool jpeg);
// The first "<image without extension>_Ref_<n>" (n = 2, 3...) with the extension
// that names no existing file; "" when none is free below 10000.
std::string Nom_Reference_Libre(const std::string& image, bool jpeg);

// The font dialog (scalable fonts) for the texts on the picture: preset with
// TaillePolice and Picture1's face for the main menu, with TaillePoliceImg from the
// window (pourImage). The chosen face, size and bold go to Picture1, the size to the
// setting; from the window the annotation label takes them too. Cancel changes nothing.
void Choix_Police(bool pourImage);

// Tools menu "Illustrer copie  Image soure": with an image active, the drawn full-size
// copy kept, the window shown, then Picture2 back to the full-size picture and the
// resolution factor taken again; without one, "Charger une image".
void Illustrer_Copie();
