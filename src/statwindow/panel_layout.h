#pragma once
// Panels of the statistics window: showing one panel, laid out and with the window
// sized to it, and the resizing procedures the panels share.

#include <string>

namespace platform {
class Control;
}

// Shows panel p (1 to 6) alone, with the test frame stcadre(7) for panels 3 to 6,
// lays it out and sizes the window to it: Width = panel width + 200, Height = panel
// height + 900 (twips). Another p changes nothing.
void Init_cadrage_frames(int p);

// Sizes the window to a panel shown alone: Width = panel width + 200, Height = panel
// height + 900 (twips).
void Taille_Fenetre(const platform::Control& panneau);

// Places the D'Agostino panel TestNorm (4935 x 3255 twips, captioned "Test de
// D'Agostino") where it covers no control: over the chart of panel 1 or 2 when one of
// them is shown, else at the panels' place, the window made large enough to hold it.
void Place_Dagostino();

// Layout of panel 1 (chart, series, columns, extraction).
void init_cadre_nuage();

// Hides stcadre(1) to stcadre(7) and the D'Agostino panel TestNorm, and disables
// Outils > "Sauver trame extraite".
void Cache_Cadres_Test();

// Geometry in twips, set in this order: Top := t, Width := W, Left := L, Height := h
// (a value that is not finite is left alone); RedimFrame then sets the caption (an
// empty text blanks it), RedimXnom sets it first, RedimPicbox ignores it.
void RedimFrame(platform::Control& f, const std::string& nom, double h, double L, double t, double W);
void RedimX(platform::Control& f, double h, double L, double t, double W);
void RedimXnom(platform::Control& f, const std::string& nom, double h, double L, double t, double W);
void RedimPicbox(platform::Control& f, const std::string& nom, double h, double L, double t, double W);
