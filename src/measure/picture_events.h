#pragma once
// Event handlers of the measuring picture Picture1 on the main window: each mouse or
// key event goes, with its arguments, to the measuring dispatcher; around it the step
// prompt of the cystidia functions, the colour-zone preview, the key-held flag, the
// hand-mode display and the click-tolerance menu.

class QVL;

// MSG entry of the step prompt shown while the mouse moves: functions 4 (steps 1 to
// 3: 270, 271, 272) and 5 and 6 (steps 1 to 5: 270, 271, 273, 274, 275); 0 for any
// other function or step (the status bar is left as it is).
int Consigne_Etape(int fonction, int etape);

// Picture1's handlers (units of Picture1).
void Picture1_MouseDown(int Button, int Shift, double X, double Y);
// Step prompt, live display of the measurement in progress, colour-zone preview.
void Picture1_MouseMove(int Button, int Shift, double X, double Y);
void Picture1_MouseUp(int Button, int Shift, double X, double Y);
// Touche_Enfoncee := true, then Touches_Image.
void Picture1_KeyDown(int KeyCode, int Shift);
// Touche_Enfoncee := false, then Touches_Relachees.
void Picture1_KeyUp(int KeyCode, int Shift);

// System mouse speed: never changed by this program (kept for its callers).
void Vmouse(int vitesse);
// Shows the hand-mode state Mode_Main on button Bout(5) (light green and the four-way
// pointer while on), redraws the measurements and gives Picture1 the focus.
void DeplaceMain();
// The same on button Bout_C(5) of the second button set.
void DeplaceMain_bis();
// "Tolérance Clic" menu item Index (1 to 4): ticks it alone and sets Tol_Clic to
// Index x 10. Other indices do nothing.
void Pclic_Click(int Index);

class QVL;
// Connects the picture's mouse and key events and the click-tolerance menu.
void Connecte_Mesure(QVL& f);
