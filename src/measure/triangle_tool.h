#pragma once
// The three-point surface tool of the triangle function (15): a vertex, then two
// further points; the third point measures the triangle's area, its angle at the
// vertex and its perimeter, and writes the row. Points are whole units of Picture1.

// One event of the tool. Only a left-button mouse-down (Kind not 0) acts: a cross mark
// in QBColor(CouleursTrace(0)) at the point; the first point (NbPoints_Surface 0) is
// the vertex, with the row number printed beside it; the second and third are joined
// to the vertex in QBColor(CouleursTrace(1)), and the third to the second in the first
// colour. At the third point label(9) shows "S=" & area & " Deg =" & angle under
// Format_Decimal, ValMesure(1) (area), (2) (angle) and (3) (perimeter) take the values
// rounded to the mask, the row is written (Inscrit_Mesure_Surface, then
// Inscrit_Mesure_Grille) and NbPoints_Surface goes back to 0. A failure ends the event
// silently.
void Mesure_Surface(int X, int Y, int& Button, int Kind);
