// What the program's window shows, read from the X server (the swap has put
// the frame there): 0xRRGGBB per pixel, in window coordinates with y up.
#pragma once

#include <vector>

// The first toolkit window's pixels of the rectangle at (x, y) of w x h,
// row 0 at the bottom; zeros when there is no window.
std::vector<unsigned> WindowPixels(int x, int y, int w, int h);
unsigned WindowPixel(int x, int y);
