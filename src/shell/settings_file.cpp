#include "shell/settings_file.h"

void Lire_Parametres() {}
