#include "measure/redraw.h"

void Retrace(int) {}
