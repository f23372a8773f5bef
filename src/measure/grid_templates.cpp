#include "measure/grid_templates.h"

void Modeles_Grille() {}
