#pragma once
// The test and law panels of the statistics window: comparisons of means, normality
// and homogeneity tests, normal and Student laws.

// The "Tests" menu Mnstat3: 1 comparison of means, 2 homogeneity, 3 Shapiro-Wilk,
// 4 D'Agostino.
void Mnstat3_Click(int Index);
// The choice buttons of the comparisons: 0 one sample (panel 3), 1 two samples (panel 4).
void ChoixComp_Click(int Index);
// Outils > "Exemple" while a comparison panel is shown: its example values.
void Exemple_Comparaison();
