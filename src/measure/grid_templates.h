#pragma once
// Grid templates of the measuring functions.

// Fills the title and width templates of every function code.
void Modeles_Grille();
