#pragma once
// The diagnostics listing of "Voir Options": the settings and state of the program,
// written into the main window's text box TBox(4).

#include <string>

// The listing as shown: the heading MNU(16), then one CR LF and one line per item
// (language, folders, calibration, zoom, screen, images, function, number format,
// options, colour files). Settings saved in the settings file carry "*". A value with
// no entry (image index outside 0 to 50, image format outside Ext_Images) is empty.
std::string Texte_Diagnostic();

// Shows the listing in TBox(4) (placed at 8000, 1000, 4500 x 7500 twips) or, when it
// is shown, hides it and gives Picture1 the focus. Changes nothing else.
void Aff_Diagnostic();
