#pragma once
// Redraw of the stored measurements of the current image on Picture1: after every
// zoom, pan, change of image or deletion the bare picture is shown again and each
// stored row of TabMesures is drawn by the drawer of the current measuring function,
// its points converted from picture units to units of Picture1.

#include "measure/measure_state.h"

// Cells of a row visited by the segment drawer of function `fonction` with `nbCellules`
// cells per measurement: 4 for function 5, 5 for function 6, otherwise nbCellules;
// always within 0 to 16.
int Cellules_Tracees(int fonction, int nbCellules);

// True when a stored cell holds nothing: its four coordinates are all 0.
bool Cellule_Vide(const Segment& s);

// Last row the redraw visits: LigneCourante, or LigneCourante - 1 in counting mode
// (except functions 10 and 11) and while a count is active; never above 3000 nor
// below 0.
int Derniere_Ligne_Tracee(int ligneCourante, bool modeComptage, bool comptageActif, int fonction);

// Repaints the picture at the current zoom (Echelle and K_Zoom recomputed) and draws
// every stored measurement of the current image again (of the other images too, in the
// second colour, when both multi-layer boxes are ticked); mode 1 gives the focus back
// to Picture1. When colour zones were drawn, the picture with them is kept in Image1,
// the picture the mouse-move preview of the zone is drawn over. With no picture
// loaded, or when a drawing step fails, it stops there silently.
void Retrace(int mode);
// The same as Retrace.
void Retrace_0(int mode);

// The drawers, one per family of functions: each draws row i and sets fin to 1 when the
// walk of the rows must stop after this row (0 otherwise). A row outside 0 to 3000
// draws nothing and sets fin to 1.
void Trace_Segment(int i, int& fin);    // functions 1 to 6
void Trace_Comptage(int i, int& fin);   // 10 and 11
void Trace_Ellipse(int i, int& fin);    // 13 and 14
void Trace_Cercle(int i, int& fin);     // 16
void Trace_Couleur(int i, int& fin);    // 20
