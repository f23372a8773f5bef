#pragma once
// The counting clicks: functions 10 and 11 count objects, the density functions 13 and
// 14 count them inside their figure, and the gill count (function 22) estimates the
// number of gills of a cap from the angle swept round its centre. Coordinates are
// units of Picture1; Button the mask 1 left, 2 right.

// Counting click. In density mode after the figure (EtapeClic above 1): a left click
// adds 1 to the counting box TBox(6) (" 1", " 2"...), marks the point with a cross and
// shows "S= " & the surface & " d= " & count / surface under Format_Decimal in
// label(9); a right click writes the row (Inscrit_Mesure_Grille) and moves
// LigneCourante on. Functions 10 and 11: a left click adds 1 to the box and is passed
// to the measuring dispatcher as a mouse-down (which marks it); the status bar then
// shows MSG(207); a right click writes the count (Inscrit_Mesure_Grille). Other cases
// do nothing.
void Compte_Clic(int Button, int Shift, double X, double Y);

// Gill-counting click. The right click writes the row (estimate and agreement) and
// starts a new counting (Comptage_Lames). Otherwise: the first click marks the centre
// (a circle of radius 100 in QBColor(CouleursTrace(0))), the second the first gill;
// each later gill shows "angle : " & the angle swept from the first gill (taken the
// other way round when the second gill lies beyond a half turn) in label(9), the
// estimate in Label12 and, from the second estimate on, its agreement with the
// previous one as " % = " & the percentage in label(5), coloured by Couleur_Accord.
void Affiche_Angle_Comptage(int Button, int Shift, double X, double Y);

// Starts a gill counting (function 22): ValMesure(3) to (8) and (10) cleared (no
// percentage yet), NbLames 0 and Label12 "0", MnuFIC(9) and Bout(9) disabled, the
// counting mode armed with the box at "0", the status bar MSG(260), the picture
// redrawn.
void Comptage_Lames();
