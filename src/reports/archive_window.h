#pragma once
// The archive search window: which archive file is searched, the search of the
// records compatible with the sample of the grid, the risk and the name filter, and
// the copy of the results.

class Fen_Nmst;

// The one program-wide window, made on first use with its handlers connected.
Fen_Nmst& Fenetre_Archive();
// True while the window is shown.
bool Fenetre_Archive_Ouverte();

// Opens the window (not modal) when it is not shown: its set-up, the choice of the
// archive file and one search; brings it to the front otherwise.
void Ouvre_Recherche_Archive();

// The button "Test Archv": opens the window (which searches once) or searches again.
void Test_Archv();

// Sets the window up: size and caption, the archive file asked for, the risk at 20 %
// (the scroll bar at 20, without a search), the filter cleared.
void Nmst_init();

// The search: fewer than two measurement rows give MSG(187) " (<=2)" and leave the
// results as they were; otherwise the results text starts again from its title and
// rule, then a file that cannot be read (a beep) or lacks the archive header (its
// message and a new file choice) leaves them alone, and a readable archive adds the
// records compatible with the grid's first column.
void Nmst_Test();

// Window handlers.
void Nmst_HScroll1_Change();
void Nmst_m_Click(int Index);
void Nmst_p_Click(int Index);
void Nmst_Command1_Click(int Index);
