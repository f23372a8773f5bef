#include "shell/handlers.h"

#include "shell/main_window.h"

void Connecte_Liste_Images(QVL&) {}
