#pragma once
// Each part of the program connects its own handlers to the main window's controls
// and menus; the main window calls these once, after its design.

class QVL;

void Connecte_Coquille(QVL& f);   // shell: settings, languages, options
void Connecte_Images(QVL& f);     // images: list, files, zoom, calibration panel
void Connecte_Mesure(QVL& f);     // measuring: picture events, grids
