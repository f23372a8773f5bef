// The test and law panels of the statistics window.
#include "statwindow/test_panels.h"

// Stand-ins until the tests and laws are built: no panel is shown and nothing is
// computed.
void Mnstat3_Click(int /*Index*/) {}
void Mnstat4_Click(int /*Index*/) {}
void ChoixComp_Click(int /*Index*/) {}
void Exemple_Comparaison() {}
