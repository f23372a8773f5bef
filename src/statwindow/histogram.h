#pragma once
// The histogram of panel 1: the series controls, the class count and the drawing
// entry point of the panel's two charts.

// Disables and blanks the seven series buttons Histcmd(0..6) and blanks the seven
// series boxes ChkH(0..6).
void RAZ_Choix();

// Draws panel 1: the scatter plot when Mode_Histogramme is 0, otherwise the
// histogram of every ticked series, captioned with series s (0 to 6).
void Exec_Hist(int s);

// The class count box: redraws the chart for the series last ticked, but only while
// panel 1 is the panel shown (activation writes the box whatever the panel).
void Text1histo_Change();

// The scatter axis boxes Text2Hist(0..1): redraw panel 1 when it is shown.
void Text2Hist_Change(int Index);
