#pragma once
// Redraw of the stored measurements of the current image on Picture1.

// Repaints the picture at the current zoom and draws every stored measurement of the
// current image again; mode 1 gives the focus back to Picture1.
void Retrace(int mode);
