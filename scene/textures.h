// Scene textures and their recolouring.
#pragma once

// Re-tints the piece textures of colour slot 1 or 2 from g_tintR/G/B.
void ApplySideTint(int slot);
