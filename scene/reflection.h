// The faint mirror image of the pieces on the board.
#pragma once

// Renders the pieces upside down into the reflection texture (board
// translation applied). While nothing the image shows has changed since it
// was last rendered (the same inputs, see MirrorInputs), the texture is kept
// as it is and the GL state is left as the rendering would leave it.
void RenderReflectionTexture();
// The next RenderReflectionTexture renders the image again, whatever it shows.
void ForgetMirrorImage();
// Lays the reflection texture over the window; leaves the perspective camera loaded.
void DrawReflection();
