#pragma once
// The measuring-function switch.

// Makes `fonction` the current measuring function.
void Choix_Fonction_Mesure(int fonction);
