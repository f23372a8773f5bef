// Modes of the diagram panel.
#include "statwindow/modes.h"

// Stand-in until modes can be marked: there are none to clear.
void RazModes(int /*mode*/) {}
