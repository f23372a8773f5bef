#include "shell/settings_file.h"
#include "shell/handlers.h"
#include "shell/main_window.h"

void Lire_Parametres() {}

void Connecte_Parametres(QVL&) {}
