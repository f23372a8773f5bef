#pragma once
// The main window's activation, the trame named on the command line, the quit panel
// and the session commands of the file and tools menus.

#include <string>

// Answer of the quit panel: 0 none yet, 1 quit, 2 save the session and quit, 3 stay.
extern int Choix_Quitter;

// The trame a command line names: the text as given, without the double quotes that
// surround it (only when it both starts and ends with one); blanks are kept.
std::string Trame_Ligne_Commande(const std::string& commande);

// Every activation of the main window: the automatic-redraw box set from AutoRetrace
// (Retrace_Zoom follows it; the measuring variant Palmer never changes), the language
// diagnostics on, on the first activation the grid set up for the current function,
// the status-bar prompt (the colour-zone one for function 20), Facteur_Resol 1,
// Init2, and the language and manual menu items.
void Form_Activate();

// On the first activation only, the trame named on the command line is read; once
// loaded its name is flashed with " Chargée" and the image list shown. At every call
// the colour table Couleurs is reset.
void Init2(bool premiere);

// A close request: shows the quit panel and waits for its answer. Quit closes the
// statistics window and ends the program at once; "Sauver la trame et Quitter" does
// so only once the trame was written through the save dialog (its path then recorded
// as the SESSION line); "Ne Pas Quitter", a cancelled dialog or a failed write set
// Cancel and the program goes on. A close request while the panel waits does nothing
// (Cancel set).
void Form_QueryUnload(int& Cancel, int UnloadMode);

// A button of the quit panel: Choix_Quitter := Index + 1, the panel hidden.
void Command15_Click(int Index);

// "Session précédente": reads the trame of the SESSION line read at start, then flashes
// its name with " Chargée" and shows the image list; with no recorded session only
// flashes "   Session précédente non sauvée".
void MnuSession_Precedente();

class QVL;
// Connects the activation, the close request, the quit panel and the session menus.
void Connecte_Session(QVL& f);
