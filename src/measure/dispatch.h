#pragma once
// Mouse and key dispatch of the measuring picture Picture1: a press, a release or a key
// on the picture goes to the tool of the active mode (zoom or centring click,
// annotation, counting, hand, density, or the standard segment tool in its "Palmer",
// "Bipoint" or "Poly" variant). Coordinates are units of Picture1; Button is the mask
// 1 left, 2 right, 4 middle; Shift the mask 1 Shift, 2 Ctrl, 4 Alt.

// Kinds of mouse event handed to the tools.
constexpr int kRelache = 0;   // mouse-up
constexpr int kAppui = 1;     // mouse-down

// Mouse-down on Picture1: serves the zoom and centring clicks, the colour zone, the
// counting and annotation modes, and hands everything else to Souris_Mesure. Not
// finite coordinates are ignored.
void Clic_Image_Mesure(int Button, int Shift, double X, double Y);
// Mouse-up on Picture1: ends a hand pan or the current drawing step of the tool.
// Not finite coordinates are ignored.
void Relache_Image(int Button, int Shift, double X, double Y);
// Dispatcher of the measuring tools for one event at the whole point (X, Y); Kind
// kAppui or kRelache. Nothing happens while Aff_Consignes is false; while the picture
// shown is not a listed image (Index_Image 0) the status bar asks for an image
// (MSG(240)) and no tool runs, except the reference line of an illustration. A failure
// inside a tool ends the event silently.
void Souris_Mesure(int X, int Y, int& Button, int Kind);
// Key-down on Picture1 (after Touche_Enfoncee is set): arms the zoom click ("Z"), the
// centring click ("C", Page Down), the moves of the thumbnail ("V"), the magnifier
// ("W") and the grid panel ("G"), continuous tracing ("E"), hand mode (Ctrl); Esc
// abandons a pending step; Space shows or hides the grid panel.
void Touches_Image(int KeyCode, int Shift);
// Key-up on Picture1 (after Touche_Enfoncee is cleared): disarms what Touches_Image armed.
void Touches_Relachees(int KeyCode, int Shift);
// Mouse-down on the main window's background: moves the thumbnail, the magnifier or
// the grid panel to the point when their move was armed.
void Place_Panneau_Clic(int Button, int Shift, double X, double Y);
// Abandons the measurement in progress: point flags cleared, Picture1 back to the
// picture of ImageMem (unless Mode_InsTexte), Frame(1) shown. When a segment was open
// PGr_Etat is set, so that the release of that drag ends nothing; the next press that
// takes a start point clears it.
void RAZ_Mesure();
// Clears Etat_Pt1 to Etat_Pt4.
void RAZ_Compteurs_Points();
// Marks a counting (or a colour zone) at (X, Y), units of Picture1: Pt_X, Pt_Y (X and Y
// rounded), the row number printed at (X, Y), and the current row of TabMesures
// started (Commence_Ligne_Table) with cell 1 set to the picture point Point_Image gives
// for (X, Y). A row outside the table or a point not finite changes nothing.
void Repere_Comptage(double X, double Y);

// The point (x, y) of Picture1 taken to whole units as the tools take it (halves to
// even); false when a value is not finite or leaves the 16-bit range.
bool Point_Entier(double x, double y, int& X, int& Y);
