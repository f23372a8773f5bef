#pragma once
// The diagram panel (panel 2): one column or a typed series, its statistics and its
// frequency diagram.

// Start state of the panel when the window loads, then the chart settings of panel
// 1: HistPicHist in place, and of the frames Framehist(0) (scatter options) and
// Framehist(2) (series choice) only the one of the first view (Vue_Stat 1 or 2).
void M_init();

// Loads the grid column named by MText4 and computes its statistics.
void traite_Stats();
// Recomputes the statistics and the diagram of the data text.
void Recalcul_Diagramme();
// Ends any mode marking, then computes the loaded data.
void Mcalcul0();
// The column box MText4: loads that grid column.
void MText4_Change();
// Outils > "Exemple" while the diagram panel is shown: loads the example series.
void Exemple_Diagramme();
