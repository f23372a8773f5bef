#pragma once
// The standard segment tool of the spore, cystidium and segment functions (1 to 6): each
// click step of a measurement adds one segment to the current row of TabMesures, and
// the row writer turns it into a grid value. Three variants:
//   "Bipoint"  every segment by its two end points, dragged or clicked;
//   "Palmer"   the first segment as in "Bipoint", the later ones perpendicular to it
//              (from the start point to the foot of the perpendicular on the guide
//              through the release point);
//   "Poly"     the first segment traced as a polyline of any number of vertices (left
//              clicks, ended by a right click) and stored as one straight segment of
//              the same length, from the first vertex towards the last.
// Points are in units of Picture1 (16-bit whole numbers, as the dispatcher rounds
// them); segments go into TabMesures in picture units. Button is the mask 1 left,
// 2 right; Kind is 1 for a mouse-down and 0 for a mouse-up.

#include "measure/measure_state.h"

// --- pure geometry ---------------------------------------------------------------------

// The slope of the first segment and the Palmer guide's extent, from its dx and dy:
// |dx| <= 1 gives pente 34000, somme 34000 + 1 / 34000 and largeur 0 (near vertical);
// otherwise pente dy / dx, and when |pente| >= 0.001 somme pente + 1 / pente and
// largeur largeurPic / Sqr(pente^2 + 1) rounded (halves to even); when |pente| < 0.001
// largeur is largeurPic and somme is left at `sommeAvant` (not defined by a flat
// segment). Non-finite inputs give the near-vertical result.
struct GuidePalmer {
  double pente = 0;
  double somme = 0;
  int largeur = 0;
};
GuidePalmer Guide_Palmer(double dx, double dy, int largeurPic, double sommeAvant);

// True when (x, y) is closer than `tolerance` to (x0, y0), measured as |dx| + |dy|: a
// release there is a click in place, not the end of a segment. A non-finite
// difference is never close.
bool Clic_Sur_Place(double x, double y, double x0, double y0, int tolerance);

// The straight segment that stands for a polyline: from (x0, y0), the first vertex,
// `longueur` long towards (xn, yn), the last vertex; towards (0, 1) (downwards) when
// the two coincide. A non-finite or negative length gives a segment of length 0.
Segment Segment_Poly(double x0, double y0, double xn, double yn, double longueur);

// --- the tool on the main window --------------------------------------------------------

// Stores the segment (x1, y1)-(x2, y2) of step `etape` (units of Picture1): in
// Segments_Etape as it is, and in cell `etape` of TabMesures(LigneCourante) in picture
// units with Expo_Zoom and Index_Image; step 1 starts the row (Commence_Ligne_Table:
// the cells of an earlier measurement go). A row beyond the table (full grid) is left
// to the row writer, which reports it; a step outside 0 to 16 or a point that cannot be
// converted throws, the row left as it was.
void Range_Segment(int etape, double x1, double y1, double x2, double y2);

// "Palmer": one mouse event at step Etape (EtapeClic, advanced by the row writer).
// A press with no open segment starts one (cross mark, background copy in Image1); a
// release closer than Tol_Clic to the start keeps it open (click-click); a release
// farther ends it: at step 1 at the release point, at later steps at the foot of the
// perpendicular from the start point onto the guide through the release point. A
// right-button release asks the PopEtalon menu first and stores only after "Longueur"
// or "Valider"; with Trace_Poly (function 3) after step 1 it stores the width (or,
// after "épaisseur" or with Trace_Continu, the thickness) at the foot point. A release
// with no open segment does nothing. The segment goes into TabMesures(LigneCourante)
// cell Etape in picture units with Expo_Zoom and Index_Image, and to
// Inscrit_Mesure_Rapports. A failure abandons the segment and shows "alerte 102".
void Mesure_Palmer(int& Etape, int X, int Y, int& Button, int& Kind);

// "Bipoint": as Mesure_Palmer, every segment ending at the release point; the value
// label shows 4 decimals. A failure abandons the measurement (RAZ_Mesure) and shows
// "alerte 101".
void Mesure_Bipoint(int& Etape, int X, int Y, int& Button, int& Kind);

// "Poly": one event of the polyline of step 1. The first press is the first vertex
// (its release is ignored); each left press at least Tol_Clic from the last vertex adds
// a vertex; a right press adds the last vertex and stores the polyline as one straight
// segment of the cumulated length (Segment_Poly), sets the Palmer guide from it and
// writes the row value; Etat_Pt3 is left set. A failure shows " erreur sequence".
void Mesure_Poly(int& Etape, int X, int Y, int& Button, int& Kind);

// Illustration stroke: a press with no open segment starts it at (X, Y); a release
// clears the point flags. A failure abandons the measurement and shows "alerte 101".
void Point_Illustration(int& Etape, int X, int Y, int& Button, int& Kind);

// Item Index of the pop-up menu PopEtalon: 1 "Longueur" and 4 "Valider" set
// Mode_Cumul; 5 "Annuler/Retracer" abandons the measurement (RAZ_Mesure,
// RAZ_Compteurs_Points); others do nothing.
void PopOrg_Click(int Index);
// Item Index of the pop-up menu pop3D: 2 "épaisseur" advances EtapeClic by 1; others
// do nothing.
void PopExt_Click(int Index);

// Shows the visible items of PopEtalon at the mouse and runs PopOrg_Click on the one
// chosen; returns its index (1 to 5), or 0 when none was chosen.
int Affiche_PopEtalon();
// The same for pop3D and PopExt_Click (1 or 2, 0 when none).
int Affiche_Pop3D();
