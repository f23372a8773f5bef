#pragma once
// The extract of grid rows (Liste_Extrait) as data of the diagram panel.

#include <string>

// Empties MText3, then appends the text of grid column num_col, followed by ";", for
// each row listed in List_Extr (row numbers each followed by ";"; at most 3,001 are
// read), in list order. Rows and columns outside the measurement grid give nothing.
void affecte_extrait(const std::string& List_Extr, int num_col);
