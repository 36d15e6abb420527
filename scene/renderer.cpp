#include "scene/renderer.h"

// Stands in for the frame renderer until the scene work builds it.
void RenderFrame() {}
