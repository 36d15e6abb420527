#include "scene/fullscreen_image.h"

// Stands in until the start-up work draws the start-up image: the model reader
// calls it between models so the screen stays up during a long load.
double g_fadeLevel = 0.0;

void DrawFullscreenImage(int, double) {}
