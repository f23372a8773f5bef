#pragma once
// The optimal spore on the measurement grid: the options of the tools menu and of the
// pop-up menu, the marking of the winning row (column 0 on &H808000, the other rows on
// &HC0FFC0) and its refresh after each new spore.

// The option in force: the last ticked item of the tools menu's options, 0 when none.
int Option_Spore_Optimale();

// Marks the optimal spore by the option in force. A measurement in progress shows
// MSG(178) for 2 seconds; missing statistics beep; nothing is marked then.
void Spore_Optimale();

// After a new row of spores in two dimensions: the refresh when an option is in force
// and no measurement is pending.
void Spore_Optimale_Nouvelle_Rangee();

// Tools menu options 0 to 11 (repeated under "Param. recherche > Spore optimale") and
// pop-up options 0 to 6, one option shared by all: for spores in two dimensions only
// (else MSG(238) for 2 seconds), the marks cleared, the item ticked in every menu and,
// unless it is "Non", the spore marked.
void nspo1_Click(int Index);
void nspo_Click(int Index);

// The tools item "MAJ Spore Optimale": the spore marked by the option in force, for
// spores in two dimensions only (else MSG(238) for 2 seconds).
void OutlP_Click(int Index);

class QVL;
// Connects the option menus, the tools items and the test button.
void Connecte_Spore_Optimale(QVL& f);
