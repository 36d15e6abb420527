#include "interface/font.h"

// Stands in until the font work reads the glyph tables.
void LoadFont() {}
