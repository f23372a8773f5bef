#include "shell/function_switch.h"

#include "measure/measure_state.h"

void Choix_Fonction_Mesure(int fonction) { FonctionCourante = fonction; }
