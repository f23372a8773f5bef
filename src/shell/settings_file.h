#pragma once
// The settings file "Qvrl.dat" in the program folder.

// Reads the settings file (created with the current values when missing).
void Lire_Parametres();
