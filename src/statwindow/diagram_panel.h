#pragma once
// The diagram panel (panel 2): one column or a typed series, its statistics and its
// frequency diagram. The computations themselves are in data_series.h and
// frequency_diagram.h; here are the panel's handlers.

#include <optional>
#include <string>

class FenHisto;

// Connects the panel's controls to their handlers (once, when the window is made).
void ConnecteDiagramme(FenHisto& f);

// Start state of the panel when the window loads, then the chart settings of panel
// 1: HistPicHist in place, and of the frames Framehist(0) (scatter options) and
// Framehist(2) (series choice) only the one of the first view (Vue_Stat 1 or 2).
void M_init();

// Loads the grid column named by MText4 (modes forgotten, the summary of the whole
// data to be kept) and computes it. A column text that is not a number or a column
// outside the grid stops it silently.
void traite_Stats();
// Fills MText3 with the non-zero cells of grid column col (rows 1 to LigneCourante
// - 1) and NmColonne with its title; the data text follows unless " S" is ticked.
// False, changing nothing, for a column outside the grid.
bool MText3_2_MstrData(int col);
// The same keeping every cell, empty or zero (the test panels' loader; they pass the
// column number of their column box).
bool MText3_2_MstrData_test(int col);
// What MText3_2_MstrData_test would load from column col, without loading it: every
// cell followed by ";"; empty for a column outside the grid.
std::optional<std::string> Texte_Colonne_Test(int col);
// True while the panel's data source is the grid's measures ("mesures"); a typed,
// pasted, file or extract series is the data text as it stands.
bool Source_Mesures();
// A lone ";" as data text gives the entry prompt; then Mcalcul0.
void Recalcul_Diagramme();
// Ends any mode marking (the modes start again from slot 1), then computes the data
// text.
void Mcalcul0();
// Takes MText3 as the data text, ends marking, clears the diagram and computes; with
// Index 1 (a new series) the modes are forgotten first.
void ReCalcul(int Index);
// ReCalcul without forgetting the modes: after an extract was put into MText3.
void calcul_extrait();
// Loads MstrData and writes its result text and diagram; code 1 when it is part of
// the data (a mode's values). Outside marking it becomes the whole data and its
// dominant value the PDM. A text without ";" (or an empty MText3) clears the
// results and the diagram and leaves no values loaded.
void Mcalcul(const std::string& MstrData, int code);
// Rewrites MText1 from the values loaded (nothing without values); the first one
// after a reload is also kept as the summary of the whole data.
void Msto_texte();
// Draws the values loaded in MHistPic with the options of the panel.
void Trace_diagramme(int code);

// The column box MText4: sets the spinner, then loads that grid column.
void MText4_Change();
// Outils > "Exemple" while the diagram panel is shown: loads the example series.
void Exemple_Diagramme();

// Handlers of the panel's controls.
void MOption1_Click(int Index);     // data source 0 grid, 1 file, 2 text, 3 extract
void MVScroll1_Change();            // column spinner, at most 15
void MText4E_Change();              // the extract's column
void MCommand3_Click(int Index);    // 2 copy the data text, 4 paste, 6 compute, 7 clear
void MCommand1_Click(int Index);    // clear the data text and recompute
void cmdResumeTout_Click();         // header of the whole data with the modes

// The diagram's options (frequency diagram).
void MCheck1_Click(int Index);
void MVScroll2_Change(int Index);   // 3 X window, 4 Y range, 5 resolution
void MScroll1_Change(int Index);    // 5 origin of the fixed X window
void Command5_Click();
// Ranges of the origin bar and the X window bar from the values loaded; nothing
// without values.
void Regle_Defilements();
