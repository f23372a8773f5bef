#pragma once
// The statistics window "NUMERAX": opening it over the main window, its load and
// activation, its captions, menus, chart copies and closing.

class FenHisto;

// The one program-wide window, created on first use with its handlers connected.
FenHisto& StatWindow();
// True once the window object exists.
bool StatWindowExists();

// The main window's "Numerax" button and tools item: loads the window, places it at
// Left 1000, Top 500 (twips) and shows it modal; returns once it is closed.
void ShowStatisticsWindow();
// Unloads the window when it is loaded (nothing when it was never made).
void UnloadStatisticsWindow();
// Unloads and destroys the window: its next use makes it anew, every control in its
// design state (the decimal separator of the boxes' example values is the system's
// at that moment).
void ForgetStatisticsWindow();

// Load: the variables back to zero, the "Extrait" source disabled, the diagram
// panel's start state.
void FenHisto_Form_Load();
// Activation: the series reset, the grid statistics recomputed, the window moved to
// Left 3500, Top 2000, the panel of Vue_Stat shown, the captions, the series and
// columns of the grid's headings, 5 classes and the first two columns as axes.
void FenHisto_Form_Activate();

// Writes the captions of the window's controls and menus from MNUSTAT (and MSG).
void Charge_entetes();

// Unloads the window (menu "Fermer Numerax").
void Quitte_Stat();

// Menu bar: 1 scatter plot, 2 diagrams, 15 close; 3 to 7 open their menus.
void Mnstat_Click(int Index);
// Outils: 1 save the extract as a trame, 2 export it, 5 example data, 6 the manual.
void Mnstat6_Click(int Index);
// Options > "alertes": inverts its check mark.
void Hopt_Click(int Index);
// Chart copies: 1 the diagram MHistPic, 2 the chart HistPicHist, as a picture on the
// clipboard (which is emptied first).
void Cmd_Copyboard_Click(int Index);
// The chart save button CmdHist(0): a capture of the chart.
void CmdHist_Click(int Index);
// The extract's column bar: its value into MText4E.
void EVScroll1_Change();
// The hidden test box: recomputes the diagram.
void txttest_Change();
