#pragma once
// The option check boxes and option submenus of the main window: automatic redraw and
// statistics (Check), text insertion (Check3), expert mode of the colour tools, the
// reference toggle, the calendar stamp, decimals, colour sample size, notation type,
// grid size, export type, the colour-zone scroll bar,
// the dragging of panels and the small buttons "Ajuster", "Test", "test", Command4.

// Check box Index of the Check array. A click of the user first selects "Bipoint"
// (Optn 6); a value set from code leaves the Palmer option as it is. 2 "AutoRetrace":
// Retrace_Zoom follows the box; ticked, the measurements are redrawn, unticked, the
// zoom is replayed in then out. 3 "Calc..stat.": statistics grid green (grey when
// unticked), then the statistics. 1 and 4: nothing more.
void Check_Click(int Index);
// Ticked: Mode_InsTexte set and Picture2 sized as picbase. Unticked: Mode_InsTexte
// cleared unless the reference toggle (CalSrc 1) is ticked.
void Check3_Click();
// "Calibré" enabled only when the expert mode box is ticked and Mode_Expert is true.
void CheckExpert_Click();
// Any item: inverts the tick of item 1 "active la référence sur image";
// Mode_InsTexte follows it.
void CalSrc_Click(int Index);
// Text9 := the calendar's date as the system's short date, a blank, the time of the
// program's clock as "hh:mm:ss".
void MonthView1_DateClick();
// Decimals menu: 0 "auto" (FDecimAuto true), 1 to 4 a mask of 0 to 3 decimals
// (FDecimAuto false); the chosen item alone ticked. Other indices do nothing.
void Mndecim_Click(int Index);
// Ticks the decimals item of the state in force: "auto" while FDecimAuto is true,
// otherwise the item whose mask is Format_Decimal (none when no item has it).
void Coche_Decimales();
// Colour sample size k = 1 to 6: Taille_Zone := 2^k, ZoneCouleur := k, VScroll3(0)
// := k, item k alone ticked. Any other k changes nothing.
void Lrg_Click(int Index);
// Grid size item 0 to 6 ("63" to "4095"): Taille_Grille := 64 x 2^Index, at most
// 3000 (the rows of the measurement table), GrilleRef gets Taille_Grille + 1 rows and
// the item alone is ticked. A size below the rows holding measurements (the finished
// ones and the one being measured) is refused with a message; nothing changes then.
void TgrilleMax_Click(int Index);
// Export type: 0 "CSV" gives Ext_Export "csv", 1 "TXT" "txt"; the item alone ticked.
void mnFormat_Click(int Index);
// Colour-zone scroll bar moved to v: Label8(1) shows n "x" n with n = 4 x 2^v (left as
// it was when n does not fit 16 bits), then Lrg_Click(v) ticks the matching size.
void VScroll3_Change(int Index);
// Notation type 1 to 6: item Index alone ticked (the writers of notations read the
// ticks). Any other index changes nothing.
void NotExp_Click(int Index);
// Left button held on frame 6 to 10, 12 or 13: the frame follows the mouse
// (Left := X * 1.2 + Left / 2, then Top likewise; X, Y in the frame's twips).
// Other frames, other buttons and non-finite positions change nothing.
void Frame_MouseMove(int Index, int Button, int Shift, double X, double Y);
// "Ajuster": statistics, NbLignes_Ajust := LigneCourante - 1, then the colour-match
// window, modal, until it is closed.
void cmd_Ch_Click();

class QVL;
// Connects the option boxes, option menus, frames and buttons above, and the buttons
// Command4 (the temporary image of the picture), "Test" (replays item 4 of the tools
// menu) and "test" (the illustration window, Affiche_Fen_Illust).
void Connecte_Options(QVL& f);
