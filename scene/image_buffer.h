// The shared work image of every generated texture: scene textures, previews
// and the interface's captions are all drawn here before upload.
#pragma once

#include <cstddef>
#include <vector>

// Start size of the work image: 409600 bytes (a 320 x 320 RGBA picture).
constexpr std::size_t IMAGE_BUFFER_START_BYTES = 409600;

// The shared RGBA work image (4 bytes per pixel, row 0 at the bottom); RGB
// users take 3 bytes per pixel. It only grows: ImageBufferFor makes room.
extern std::vector<unsigned char> g_imageBuffer;

// Makes g_imageBuffer hold at least bytes bytes and returns its data.
unsigned char* ImageBufferFor(std::size_t bytes);

// 1 while texture names are made anew, 0 when existing names are refilled.
extern int g_textureCreatePass;
