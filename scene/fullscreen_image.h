// Full-window images (the start-up image and the darkening of a finished
// frame) and the small previews of the option panels.
#pragma once

#include <GL/gl.h>

constexpr int g_previewWidth = 64;
constexpr int g_previewHeight = 64;

// Preview textures: [0] normal, [1] hot.
extern GLuint g_piecePreviewTex1[2];
extern GLuint g_piecePreviewTex2[2];
extern GLuint g_boardPreviewTex[2];

// Mode 1: the start-up image over the whole window at brightness level,
// swapped at once. Mode 2: multiplies the frame being drawn by level.
// The client area is the one frames cover (the size handler's viewport).
void DrawFullscreenImage(int mode, double level);

// Make (g_textureCreatePass 1) or refill the preview textures from g_imageBuffer.
void CreatePiecePreviewTextures();
void CreateBoardPreviewTextures();

// Render the previews and copy them into their textures (which: 0 both
// sides, 1 side 1, 2 side 2).
void UpdatePiecePreviews(int which);
void UpdateBoardPreviews();
