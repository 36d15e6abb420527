// The faint mirror image of the pieces on the board.
#pragma once

// Renders the pieces upside down into the reflection texture (board translation applied).
void RenderReflectionTexture();
// Lays the reflection texture over the window; leaves the perspective camera loaded.
void DrawReflection();
