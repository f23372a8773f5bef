#pragma once
// The colour frame and the colour options menu of the main window: switching the
// colour-zone function on, the choice of the reference chart, of the colour standard
// and of the scanner file, the correction button, and the chart and scanner records
// composed in the comment panel and saved as colour files.

class QVL;

// Switches the colour-zone function on: the colour frame, its menu and the tools item
// shown, buttons 10 and 14 hidden; the reference chart of the settings loaded when it
// exists; the scanner correction built (with the default standard of the program
// folder when "Calibré" is still ticked after a missing standard). Each message is
// shown once, in a message box; the points go to the listing box `test`. The grids
// are laid out by the function switch that calls it.
void Charge_Etalon_Defaut();

// Hides the colour frame and its menu and shows buttons 10 and 14 again (another
// function was chosen).
void Ferme_Couleur();

// "Charger nuancier ": the open dialog, then the chosen chart loaded whole or not at
// all (its message otherwise); Nuancier_Choisi tells whether a chart was loaded.
void Choix_Nuancier_Ref();

// "charger un  étalon couleur ": Fic_Etalon from the open dialog; another file than
// before flashes a red warning and leaves "Calibré" unticked and disabled.
void Ouvre_Etalon();

// "charger un fichier scanner ": Fic_Scanner from the open dialog, shown in Label6(1),
// and the correction built again; "Calibré" is then unticked, enabled only when the
// build gave valid points.
void Ouvre_Scanner();

// "calcul bernstein": the correction built again from the current files.
void Command2_Click();

// Opens the record of a chart (scanner false) or of a scanner calibration (scanner
// true) in the comment panel. An empty grid (MSG 130, message box) or an unfinished
// measurement (MSG 178, yellow panel) refuse it before the panel opens.
void Prepare_Fiche_Nuancier(bool scanner);

// Saves the pending record as a colour file: the question MSG 217 or MSG 218 first
// when "Calibré" does not suit the record (No keeps it pending), then the panel
// closes, the save dialog (Cancel forgets the record), MSG 116 before an existing file
// (Cancel keeps it as it was), and the file written; a failed write says why.
void Sauve_Resultats_Couleur();

// The colour options menu: 2 chart, 3 chart record, 6 standard, 7 scanner file,
// 8 scanner record; other items nothing.
void MnuChrt_Click(int Index);

// Connects the colour menu, the correction button and the record's "Valider".
void Connecte_Couleur(QVL& f);
