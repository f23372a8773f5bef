#pragma once
// The resolution mode of measured lengths and the option buttons of the calibration
// panel: Optn 1 "Ind. Dim." and 2 "Ind. Res." (resolution mode), 3 "Calibrage /
// longueur" and 4 "Calibrage / graduations" (kind of calibration marking), 5 "Palmer"
// and 6 "Bipoint" (two-point variant of the measuring tools).
//
// In "Ind. Res." (Indep_Resol true) measured lengths are not corrected: Facteur_Resol
// is 1.0. In "Ind. Dim." they are corrected by the width of the loaded picture:
// Facteur_Resol is its width in pixels x 0.001, so that one calibration serves for
// copies of an image saved at another size.

// Pixel width of the picture held in picbase (the full-size picture); 0 when none.
double Largeur_Image_Pixels();

// The correction factor of measured lengths: 1.0 when Indep_Resol is true or when no
// picture is loaded (a factor of 0 would cancel every length), otherwise the width in
// pixels x 0.001 (2000 pixels give 2.0).
double Facteur_Resolution();

// Applies the mode chosen by Optn(1)/Optn(2): Indep_Resol := not Optn(1), the partner
// button cleared, Facteur_Resol recomputed; Check5 ("ref APN") enabled again in
// "Ind. Dim.".
void Calibrage_Resolution();

// Click on option button Index (1 to 6) of the calibration panel; Check5 is disabled
// first whatever the index. Other indices only disable Check5.
void Optn_Click(int Index);
