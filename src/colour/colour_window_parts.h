#pragma once
// What the two halves of the colour-match window (search and archive) share.

#include <string>

#include "platform/colour.h"

class Ajustement;
namespace platform {
class FlexGrid;
}

// Back colours of an input box that is not typed in, and of one that is.
inline constexpr platform::Colour kFondInactif = 0xE0E0E0;
inline constexpr platform::Colour kFondSaisie = 0xFFFFFF;

// The chart file's name as found on disk; "" when it is not found.
std::string Nom_Nuancier();
// The text of a grid cell; "" outside the grid.
std::string Cellule_Grille(const platform::FlexGrid& g, int ligne, int colonne);
// True when the whole text (blanks around it aside) is a number, with a point or a comma.
bool Texte_Nombre(const std::string& texte);
// A message box with MSG numero; while the window opens, each number at most once.
void Montre_Message(int numero);
// Connects the archive panel, its menu and its buttons.
void Connecte_Archive(Ajustement& f);
