#include "interface/overlay.h"

// Stands in for the overlay pass until the interface work builds it.
void DrawOverlay() {}
