#pragma once
// Live display of the measurement in progress while the mouse moves over Picture1:
// the rubber band from the start point to the mouse (drawn in XOR over the picture
// kept at the press), the Palmer guide parallel to the first segment with the foot of
// the perpendicular, the density figure, the live value in label(9), and the
// magnifier PLoupePic. Units are those of Picture1.

// Foot of the perpendicular from the start point (p0x, p0y) onto the line through the
// mouse (x, y) of slope pente (pente + 1 / pente given as somme): when |pente| >= 0.001,
// fx = CInt((x pente + p0y - y + p0x / pente) / somme) and fy = CInt(p0y - (fx - p0x) /
// pente); otherwise (p0x, y). False (nothing written) when a value is not finite or
// leaves the 32-bit range.
bool Pied_Palmer(int p0x, int p0y, int x, int y, double pente, double somme, int& fx, int& fy);

// Mouse-move on Picture1: the live drawing of the measurement in progress and its value.
// Never shows a message; a failure ends it for the current move.
void Affiche_Mesure_En_Cours(int Button, int Shift, double X, double Y);
// Rubber band from the start point (Depart_X, Depart_Y) to (X, Y) with its calibrated
// value under Format_Decimal; with Palmer 2 after the first step, the Palmer guide too.
void Trace_Elastique(int X, int Y);
// Palmer guide through (X, Y) parallel to the first segment, and the perpendicular from
// the start point to its foot, which becomes Pt_X, Pt_Y and the second end of
// Segments_Etape(EtapeClic); both drawn in QBColor(CouleursTrace(1)) over the picture
// kept at the press.
void Trace_Palmer(int X, int Y);
// Repaints the magnifier around (X, Y) of Picture1 and draws its centre cross.
void Peint_Loupe(double X, double Y);
