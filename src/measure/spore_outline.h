#pragma once
// The spore-outline window Sporogramme: on a half-size copy of the main picture the
// user marks the main direction of a spore (left click at its start, right click at
// its end) and then its outline, point by point ("Point à point") or restarting at
// each click ("Continu"). The trace is drawn on the copy and, alone with the main
// direction, on a white surface. Nothing is measured or written into the grid.
//
// States: 1 marking the main direction, 2 ready to start the outline, 3 outline point
// by point, 4 finished.

class Sporogramme;

struct TraceContour {
  int X0 = 0, Y0 = 0;   // start of the main direction
  int X1 = 0, Y1 = 0;   // its end
  int Xp = 0, Yp = 0;   // the last outline point
  int Etat = 1;
};

// The window, created on first use with its handlers connected.
Sporogramme& FenSporogramme();
bool SporogrammeExists();
// Unloads and destroys the window; the next use creates a fresh one.
void ForgetOutlineWindow();
// The trace in progress.
const TraceContour& Trace_Sporogramme();

// Tools menu "Sporogrammes": the window shown (not modal) and prepared: its size
// from the main picture box, the half-size copy of the main picture, an empty white
// surface, state 1 and its prompt in the main status bar. Switching windows later
// keeps the trace.
void Affiche_Sporogramme();

// The state machine of the copy (x, y in its twips, taken as whole numbers).
void Sporogramme_MouseDown(int button, int shift, double x, double y);
// In state 1 once a start point off the left and top edges is marked: the rubber band
// from it to the mouse, on the copy and on the white surface.
void Sporogramme_MouseMove(int button, int shift, double x, double y);
// The line width of both surfaces: a whole number from 1 to 50; anything else leaves
// the width as it was.
void Sporogramme_Text1_Change();
// "Auto" shows the frame of the automatic options, "Manuel" hides it.
void Sporogramme_Option1_Click(int index);
