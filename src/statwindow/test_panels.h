#pragma once
// The Tests menu of the statistics window and the comparisons of means: one sample
// against a reference (panel 3) and two samples (panel 4). Every change of a box or an
// option recomputes.

class FenHisto;

// Connects the comparison panels' controls (once, when the window is made).
void ConnecteComparaisons(FenHisto& f);

// The "Tests" menu Mnstat3: 1 comparison of means, 2 homogeneity, 3 Shapiro-Wilk,
// 4 D'Agostino.
void Mnstat3_Click(int Index);
// The choice buttons of the comparisons: 0 one sample (panel 3), 1 two samples (panel 4).
void ChoixComp_Click(int Index);
// Outils > "Exemple" while a comparison panel is shown: its example values.
void Exemple_Comparaison();

void CompMoy_1();                  // the one-sample labels from the boxes
void CompMoy_2();                  // the two-sample labels from the boxes
void cmdCalcul_Click(int Index);   // 1 one sample, 2 two samples
// "Données stat.": the count, mean and deviation of the diagram panel's series; 1 into
// the one-sample boxes (deviation with divisor n), 0 into sample 1 (estimated, n - 1).
void cmdDonnes_Click(int Index);
void Ctxt_Change(int Index);       // the risk box 3 recomputes only from 1 to 99 %
void ctxt1_Change(int Index);      // the risk box 10 likewise
void CVScroll1_Change(int Index);  // 0 and 3: the risk spinners
void COption1_Click(int Index);    // 0 standard error typed, 1 derived from the deviation
void Copt_Click(int Index);        // 4 "Aff.Calc" of panel 3, 0 to 3 options of panel 4
