#pragma once
// The histogram of panel 1: the series controls, the class count and the drawing
// entry point of the panel's two charts.

// Disables and blanks the seven series buttons Histcmd(0..6) and blanks the seven
// series boxes ChkH(0..6).
void RAZ_Choix();

// Draws panel 1: the scatter plot when Mode_Histogramme is 0, otherwise the
// histogram of every ticked series, captioned with series s (0 to 6).
void Exec_Hist(int s);

// The class count box: a count below 2 or above 21 is written back as "2" or "21";
// redraws the chart for the series last ticked, but only while panel 1 is the panel
// shown (activation writes the box whatever the panel).
void Text1histo_Change();

// The scatter axis boxes Text2Hist(0..1): redraw panel 1 when it is shown.
void Text2Hist_Change(int Index);

// A series box: the series buttons follow the boxes, the chart is redrawn captioned
// with series i.
void ChkH_Click(int i);
// A series button: redraws captioned with its series.
void Histcmd_Click(int i);
// Shows the controls of the chart panel 1 draws: for the scatter plot its options
// Framehist(0), its point marks Check3(0..2) and "Extraction automatique"; for the
// histogram its series frame Framehist(2) alone.
void Montre_Choix_Graphe(bool nuage);
// The switch buttons, 0 "Histogramme" and 1 "Nuage de pts": show the frame of the
// chart they lead to and draw it.
void CmdHist1_Click(int i);
// The class spin: its value into the class count box.
void VScroll1Hist_Change();

// Panel 1's boxes and level back to their design state, without drawing (at load).
void RAZ_Panneau1();

class FenHisto;
// Connects panel 1's controls (once, when the window is made).
void ConnecteHistogramme(FenHisto& f);
