#pragma once
// The multi-layer group ("groupe MC"): a sub-list of the image list gathering the
// layers of one subject. ListImgMC holds the paths of the group images in the order
// added and ListImgIdx, parallel to it, their list positions (0-based, as text);
// Img_Marque(position) is -1 while that image is in the group. An image is in the
// group at most once. In "mode MC" (chkMC(0) ticked) the displayed list shows the
// group, and "Img MC" (chkMC(1)) and the tools item "calibr => groupe MC" are enabled.

#include <vector>

#include "platform/bounded_array.h"

// --- rules without a window -------------------------------------------------------

// The group as list positions in the order added, with the marks indexed by position.
using Marques_Groupe = platform::BoundedArray<int, 0, 50>;

// ">": the entries selected in the image list (selection[b] for position b) join the
// group in list order, each marked; the first selected entry already in the group
// stops the walk. Positions beyond 50 are ignored.
void Groupe_Ajoute_Selection(std::vector<int>& groupe, Marques_Groupe& marques,
                             const std::vector<bool>& selection);
// "<": group entry k leaves the group and its image is unmarked; k outside the group
// (-1: nothing selected) changes nothing.
void Groupe_Retire(std::vector<int>& groupe, Marques_Groupe& marques, int k);
// ">>": the group becomes the whole list of n images, in order, all marked.
void Groupe_Tout(std::vector<int>& groupe, Marques_Groupe& marques, int n);
// "<<": the group is emptied and every mark cleared.
void Groupe_Vide(std::vector<int>& groupe, Marques_Groupe& marques);

// --- the window -------------------------------------------------------------------

// Button "Groupe MC" and tools item "Groupage MC": shows the group frame FraMC(0)
// (100 twips right of Picture1's left edge, 5000 twips below its top, prompt MSG(68))
// or hides it when shown.
void cmdChargeMC_Click();
// Buttons of the group frame: 0 ">", 1 "<", 2 ">>", 3 "<<", 4 "OK" (hides the frame,
// and the list frame with the panel command 8 when that frame is shown).
void BoutMC_Click(int Index);
// 0 "mode MC": "Img MC" and "calibr => groupe MC" follow the mode, the group frame is
// hidden and the picture redrawn; 1 "Img MC": redraw. Either way the displayed list
// shows the group or the whole list as the mode says.
void chkMC_Click(int Index);

class QVL;
void Connecte_Groupe(QVL& f);
