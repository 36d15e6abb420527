#include "scene/textures.h"

// Stands in for the texture work until the scene work builds it.
void ApplySideTint(int) {}
