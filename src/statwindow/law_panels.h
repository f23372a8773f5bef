#pragma once
// The normal law (panel 5) and Student law (panel 6) calculators of the statistics
// window: every keystroke and option recomputes.

class FenHisto;

// Connects the two panels' controls (once, when the window is made).
void ConnecteLois(FenHisto& f);

// "Tables stat": 1 the normal law, 2 the Student law; other items do nothing.
void Mnstat4_Click(int Index);

void Calcul_Student();             // the Student result line; a failure keeps the last one
void StOption2_Click(int Index);   // one- or two-sided
void StOptTInv_Click(int Index);   // from t or from a risk
void StText_Change(int Index);

void CalculS_LN();                 // the normal law's two result labels
void LNOpt_Click(int Index);       // from x or from p
void LNTxt_Change(int Index);      // an emptied box beeps
