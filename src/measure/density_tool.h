#pragma once
// The first step of the density counts (functions 13 and 14): a drag on Picture1 marks
// an ellipse (from its centre) or a rectangle (from a corner) whose area becomes the
// first value of the row; the counting clicks that follow are Compte_Clic's.

// One event of the tool at whole units (X, Y) of Picture1, at click step Etape; Kind 1
// mouse-down, 0 mouse-up. A press with no figure open takes the start point (cross
// mark in QBColor(CouleursTrace(1)), background copy in Image1). A release closer than
// Tol_Clic keeps the figure open; a release farther ends it: the figure is drawn to
// the release point, its segment stored in the row (picture units, with the zoom
// exponent and the image number) and its area, Int(r^2 x k x 3.1416) for the ellipse
// or |dx x dy| for the rectangle, times the square of the length factor, shown as
// "S= " under Format_Decimal in label(9), kept in ValMesure(1) and written by
// Inscrit_Mesure_Rapports; EtapeClic then becomes 2. A zero area shows MSG(216) and
// keeps the figure open; a release straight above or below the ellipse's centre ends
// the event silently with the figure open.
void Mesure_Densite(int& Etape, int X, int Y, int& Button, int Kind);

// Draws on Picture1, in its fore colour, the figure of the current density function
// dragged from (Depart_X, Depart_Y) to (X, Y): the ellipse of semi-axes r across and
// r x k down (function 13), or the rectangle (function 14). Returns its area before the
// length factor; false when it has none (an ellipse with dx = 0, another function).
bool Trace_Figure_Densite(int X, int Y, double& surface);
