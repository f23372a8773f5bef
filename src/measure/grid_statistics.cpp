#include "shell/handlers.h"

#include "shell/main_window.h"

void Connecte_Statistiques(QVL&) {}
