#pragma once
// Captures: pictures acquired from a scanner or a camera (through SANE) or pasted from
// the clipboard, written as numbered BMP files in the image folder Rep_Images and
// added to the image list, one image of the session each. A capture file is named
// Prefixe_Capture & Num_Capture & ".bmp".

#include <string>

#include "platform/picture.h"

class QVL;

// Name of the next capture file, without folder: Prefixe_Capture, Num_Capture in
// decimal without blanks, ".bmp".
std::string Nom_Capture_Suivant();
// The folder of captures: Rep_Images without its trailing separators.
std::string Dossier_Captures();
// Its full path: Rep_Images, "/", Nom_Capture_Suivant().
std::string Chemin_Capture_Suivant();

// " attention, le fichier " & path & " existe déjà et sera écrasé. Continuer ?"
std::string Question_Ecrasement(const std::string& path);

// The question asked before a capture replaces an existing file: " attention, le
// fichier " & path & " existe déjà et sera écrasé. Continuer ?" (Yes/No). True when the
// file does not exist or the answer is Yes; on No the naming window opens.
bool Confirme_Ecrasement_Capture(const std::string& path);

// Writes image as the next capture file. False when it cannot be written: the path and
// the cause are shown, any earlier file is left whole and Num_Capture is kept.
bool Ecrit_Capture(const platform::Picture& image);

// After a capture file was written: its path (Chemin_Capture_Suivant) becomes the
// current, selected image (added to the list with the calibration in force, or
// loaded again when already listed), Num_Capture advances by 1 in every case, and the
// image-list frame is shown. With 50 images listed the file is not added and the
// full-list message is shown.
void AjouteImageTwain();

// A pasted picture kept as a capture (Sauve_Captures(1)): the overwrite question when
// the next capture file exists (No writes none and opens the naming window), then the
// file is written and becomes the current, selected image (AjouteImageTwain). True
// when it did.
bool Capture_Presse_Papier(const platform::Picture& image);

// "Sélection Source": the user chooses the scanner or camera of the next
// acquisitions; a failure (no device, SANE missing) is shown, a cancel says nothing.
void Twain_Source();

// "Acquisition Twain": acquires one picture from the chosen device. With captures kept
// (Sauve_Captures(0)) an existing next capture file first asks the overwrite question
// (No opens the naming window and acquires nothing). A failed acquisition shows
// "Echec de la capture Twain" and the reason below it, and changes nothing. Otherwise
// the picture goes onto the clipboard and is shown; kept, it is written as the next
// capture and becomes the current image (AjouteImageTwain); not kept, it becomes the
// current picture outside the list (Index_Image 0), written as the temporary picture.
void Twain_Acquisition();

// The "Twain" menu of the file menu: 1 choose the device, 2 acquire with the prefix
// Prefixe_Capture2 & "_", 3 save the full-size picture, 4 save the displayed frame,
// 5 open the naming window.
void MnuTwain_Click(int Index);

// Connects the "Twain" menu, the picture button Command6, the options item "Prefixe
// Image capture", the screen-copy choice and the copies of the picture to a file.
void Connecte_Captures(QVL& f);
