#pragma once
// Modes of the diagram panel marked by the user (PDM and PDMS).

// Clears the accepted modes; with mode 1 the next result text is also kept as the
// summary of the whole data.
void RazModes(int mode);
