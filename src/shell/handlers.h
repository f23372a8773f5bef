#pragma once
// Each part of the program connects its own handlers to the main window's controls
// and menus; the main window calls these once, after its design.

class QVL;

void Connecte_Parametres(QVL& f);     // settings file and options
void Connecte_Langue(QVL& f);         // language files and their menus
void Connecte_Vue(QVL& f);            // zoom, fit and pan, picture saving
void Connecte_Liste_Images(QVL& f);   // image list, image files, resolution options
void Connecte_Fonctions(QVL& f);      // measuring-function switch and grid set-up
void Connecte_Statistiques(QVL& f);   // grid statistics
void Connecte_Mesure(QVL& f);         // picture events and measuring
