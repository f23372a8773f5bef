// Files of an extract.
#include "statwindow/extract_files.h"

// Stand-ins until extracts can be written: nothing is asked and no file is written.
void exporte_trame_extrait() {}
void CSV_Export() {}
