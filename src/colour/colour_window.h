#pragma once
// The colour-match window "Ajustement": opened modal over the main window by
// "Ajuster", it takes an input colour (the grid's mean, the last measurement, a grid
// row or typed values), lists the nearest entries of the loaded chart by the chosen
// formula, shows the chart file's details and adds colours to the chart archive.

#include <functional>
#include <string>

class Ajustement;

// The one program-wide window, created on first use with its handlers connected.
Ajustement& ColourWindow();
bool ColourWindowExists();
// The main window's "Ajuster": the grid statistics, NbLignes_Ajust := LigneCourante - 1,
// then the window at Left 1000, Top 500 (twips), modal; returns once it is closed.
void ShowColourWindow();
// Unloads the window when it is loaded.
void UnloadColourWindow();
// Unloads and destroys the window: its next use makes it anew in its design state.
void ForgetColourWindow();

// The chart details in the result box (button "détails nuancier" and the main
// window's button 29, which loads the window hidden when it is not loaded): the chart
// file's header keys and entry count. A chart file that cannot be read leaves the
// box as it was.
void Comm_nuancier_Click();

// What the window reports by sound: a count above the chart size and "Copier". Tests
// replace it.
std::function<void()>& Bip_Ajustement();

namespace colour_window {

// Load: input boxes grey and disabled, tolerance option, source "Moyenne" (which reads
// the mean and searches), chart caption.
void Form_Load();
// Activation: captions, archive item and preview, count, colour space, data kind,
// chart caption, tolerance reference, then a search.
void Form_Activate();
// Captions of the window from TINTAVEL; a menu title left without caption is hidden.
void Charge_entetes();

// Runs the search of the selected formula on Text3(0..2) into the result box and the
// swatches; MSG 221 without a chart, MSG 223 for an input that is not a number (while
// the window opens, each at most once).
void calcul_Ajust();
// Row `ligne` of the measurement grid, columns q + 1 to q + 3, into the input boxes.
void Lit_ligne_grille(int ligne, int q);
// Row `ligne` of the statistics grid into the input boxes: R, V, B under "RVB", L, a,
// b under "Lab".
void Lit_couleur_grille(int ligne);

// Handlers of the window's controls.
void Option2_Click(int Index);
void Option3_Click(int Index);
void Check3_Click();
void Text5_Change();
void VScroll3_Change();
void Text4_Change();
void VScroll2_Change();
void Option5_Click(int Index);
void OpDelta_Click(int Index);
void Command1_Click();
void Command2_Click();
void Command3_Click();
void Option1_Click(int Index);
void Check4_Click();
void VScroll1_Change();

// The archive panel (chart archive).
void Fic_Charte_Click(int Index);
// The archive line of the panel: the mean or the chosen grid row, and the comment.
std::string TxtNuaAffiche();
// nn 1: the archive line; 0: two remark lines and the archive line; else "".
std::string TextArchv(int nn);
// The six cells of row 1 of the statistics grid, each followed by ";".
std::string Chn_RGB_Lab_Moy();
// The six cells of a row of the measurement grid, each followed by ";".
std::string Chn_RGB_Lab_Res(int ligne);
// The archive writer: asks for the archive file and adds the panel's line to it.
void Label5_Click(int Index);
void TextArchv_enreg();
void Option7_Click(int Index);
void Text6_Change();
void Text7_Change();
void VScroll7_Change();
void Command4_Click();
void Command5_Click();
void Command7_Click();
void MonthView1_DateClick();

}  // namespace colour_window
