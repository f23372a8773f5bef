#include "shell/function_switch.h"
#include "shell/handlers.h"
#include "shell/main_window.h"

#include "measure/measure_state.h"

void Choix_Fonction_Mesure(int fonction) { FonctionCourante = fonction; }

void Connecte_Fonctions(QVL&) {}
