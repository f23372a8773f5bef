#pragma once
// Many images at once: the multi-file dialog that appends a block of image files to
// the image list ("Chargeur" > "Ajouter", "Répertoire Image"), and the folder frame
// FraRep, whose list ListRep offers the images no measurement uses for removal
// ("Chargeur" > "Supprimer").
//
// Adding never changes the picture shown: Index_Image, Img_Active, Calibrage and the
// selection stay, and each new entry records the calibration in force.

#include <string>
#include <vector>

// Loading mode of the folder frame: 0 none ("Répertoire Image"), 1 adding images,
// 2 removing unused images, 33 a capture was added.
extern int Rep_Panneau;
// Folder being browsed in the folder frame.
extern std::string Rep_Courant;

// Filter of the multi-file dialog.
inline const std::string kFiltreBlocImages =
    "Fic.images(*.bmp;*.jpg;*.gif;*.ico;*.dib;*.wmf)|*.bmp;*.jpg;*.gif;*.ico;*.dib;*.wmf|"
    "Bitmap (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg|GIF (*.gif)|*.gif|Icon (*.ico)|*.ico|DIB (*.dib)|*.dib|"
    "Windows Meta File (*.wmf)|*.wmf |Tous les fichiers (*.*)|*.*";

// --- rules without a window -------------------------------------------------------

// The chosen paths in the order they are added: by file name ignoring case, then by
// the exact text (so the order never depends on the order of the clicks).
std::vector<std::string> Ordre_Ajout(std::vector<std::string> chemins);

// What adding `choisis` (already in adding order) to a list holding `listes` gives.
struct Plan_Ajout {
  std::vector<std::string> ajouts;    // paths appended, in order
  std::vector<std::string> doublons;  // paths already listed, skipped
  bool liste_pleine = false;          // the list reached its limit: the rest is dropped
};
// A path already listed (compared whole, with case) or chosen twice is skipped; once
// the list holds `maximum` images the remaining paths are dropped and liste_pleine is
// set (only when a path was really left out).
Plan_Ajout Planifie_Ajout(const std::vector<std::string>& listes, const std::vector<std::string>& choisis,
                          int maximum);

// Yellow panel text for a file already listed: "l'image " & name & " est déjà dans la
// liste ".
std::string Texte_Deja_Listee(const std::string& nom);
// Green panel text for the count: n & "  Images chargées".
std::string Texte_Images_Chargees(int n);
// Why "Supprimer" has nothing to remove: no image without rows in the list, or in the
// multi-layer group when groupe is true.
std::string Texte_Aucune_Inutilisee(bool groupe);

// --- the window -------------------------------------------------------------------

// The multi-file dialog (index accepted and unused): opens in Rep_Images; cancelling
// changes nothing and says nothing. Afterwards Rep_Images is the folder chosen (the
// one-time warning when it is the program folder), the list frame FraListeImg is shown
// and the chosen files are appended in adding order with the calibration in force; a
// file already listed flashes its name on yellow and is skipped. Several files end
// with the green count of the files chosen. Reaching the 50-image limit shows MSG(242);
// the files added before it stay.
void Gest_FraRep(int Fn_Index);
// "Chargeur" items: 1 "Ajouter" (Charge_Images_Mode1), 2 "Supprimer"
// (Charge_Images_Mode2), 3 "Effacer liste images".
void MnuCharg_click(int Index);
// "Ajouter": prompt MNU(2), Rep_Panneau 1, the multi-file dialog.
void Charge_Images_Mode1();
// "Supprimer": prompt MNU(25), Rep_Panneau 2, the folder frame listing the unused
// images.
void Charge_Images_Mode2();
// File menu "Répertoire Image": prompt MNU(5) & MNU(20) & MNU(21), Rep_Panneau 0,
// the multi-file dialog.
void Repertoire_Image();

// Shows the folder frame in list mode NumRepIdx; the drive and folder lists show
// Rep_Images in the browsing modes 0 and 1 and stay hidden in the others, where the
// file list is the frame's content.
void NouveauRep(const std::string& repAncien, int NumRepIdx);
// Buttons of the folder frame: 0 "Charger", 1 "Répertoire", 2 "Fermer", by
// Rep_Panneau. In mode 2 "Charger" removes the images selected in ListRep and keeps
// the frame open with the images still unused.
void cmdRep_Click(int Index);
// Click in ListRep (modes 0 and 1): repText1 shows Rep_Images and the entry.
void ListRep_Click();
// Folder chosen in RepDir: repText1 shows it.
void RepDir_Click();
// Drive list of the folder frame: the folder list goes to the drive; an unknown drive
// says MNU(12) and keeps the folder.
void RepDrive_Change();
// Drive and folder lists of the session-export frame.
void Drive1_Change();
void Dir1_Change();

class QVL;
// Connects the loader menu, "Répertoire Image" and the folder frame.
void Connecte_Chargement(QVL& f);
