// The point-list font of the overlay's captions.
#pragma once

#include "scene/image_buffer.h"

// Reads g_appDir + "/font.fnt" into the glyph tables.
void LoadFont();
