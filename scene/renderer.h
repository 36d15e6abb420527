// The frame renderer: the one way to show a change. It draws the whole frame
// from scratch in a fixed order (board and pieces, background, setup tray,
// overlay, fade) and swaps the buffers; nothing is drawn incrementally.
#pragma once

// Draws the whole frame in its fixed order and swaps the buffers. Draws
// nothing while the window is minimised or the scene is not loaded.
void RenderFrame();

// The background picture over the whole window, behind the board in depth;
// ends with the perspective camera loaded.
void DrawBackground();

// The translation that centres the board, and its inverse.
void ApplyBoardTranslation();
void UndoBoardTranslation();
