#pragma once
// The measuring panels of the main window that a change of measuring function resets.

// Ends the counting and density modes and closes the colour-chart panel: FraCharte and
// the chart menu hidden, "Etalonner" and "Cherche" shown, "Compter" back to the button
// face and enabled with "Etalonner", "Sauver la Trame" enabled.
void Ferme_Panneaux();
