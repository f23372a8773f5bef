#pragma once
// Small commands of the main window around the measured picture: the picture with its
// drawings copied to the clipboard, the insertion of a scale reference or a text for
// the illustration armed from the menu "Référence", and the micrometre unit typed
// into the annotation box.

class QVL;

// Command11 and "-> presse papier": the clipboard emptied, then Picture1's image with
// its drawings put on it.
void Command11_Click();
// Menu "Référence": 1 "ins ref" arms the scale reference and 2 "texte" a text, both
// repeated on a fresh full-size copy Picture2; 3 "options" (a sub-menu) arms nothing.
void insref_Click(int index);
// The "µ" button: the annotation box TBox(5) takes the focus and the text " µm".
void Bout_Symb_Click();

// Connects the buttons and menu items above.
void Connecte_Commandes_Image(QVL& f);
