#pragma once
// The picture view of the main window: zoom exponent and factor, view offsets and the
// zoom label.

// Zoom label "Z= " followed by Int(100 / K_Zoom + 0.5) x 0.005.
void Affiche_Facteur_Zoom();
// Back to the start-up zoom: Expo_Zoom := -2 x Pas_Zoom, K_Zoom recomputed, and the
// fitting exponent kept in Expo_Zoom_Initial; the picture is shown again.
void Zoom_Initial();
// Re-layout after the main window's size changes: the fitted view again.
void Redimensionne_Image();
// Loads the background picture ("Fondecran.jpg", or the built-in one).
void Charge_Fond_Ecran(int mode);
