#pragma once
// Modes of the diagram panel marked by the user (PDM and PDMS): marking is switched
// on, two clicks on the diagram give the limits around a peak, "calcul" describes the
// values between them, "Ok" accepts their dominant value as the mode of the slot being
// marked (NbModes) and "Annule" drops it. Only accepted modes are kept in Modes(1..16).

class FenHisto;

// Connects the mode controls (MCommand2, MCommand5, the diagram's mouse-up).
void ConnecteModes(FenHisto& f);

// Switches marking on (the current dominant value becomes the PDM) or off.
void MCommand2_Click();
// A mouse-up on the diagram while marking: the first or the second limit, at x plus
// the fixed X window's origin (data units).
void MHistPic_MouseUp(int Button, int Shift, double x, double y);
// Computes the values between the limits; false, with the message " données
// insuffisantes", when they enclose none (nothing changes then).
bool Mcalcul_dlms();
// The buttons of the modes and copies: 2 results to the clipboard, 3 "calcul",
// 4 "Ok", 5 "Annule", 14 "Raz", 15 "Xi", 16 "/Xi"; every one first enables MCommand2.
void MCommand5_Click(int Index);
// "Annule": the slot being marked stays empty and the whole data come back.
void Annule_Mode();
// 0: clears the limits of the mode being marked and rewrites the results (outside
// marking the whole data are computed again); 1: a new series, so the accepted modes
// are forgotten and the next result text is kept as the summary of the whole data.
void RazModes(int mode);
