// Mipmapped textures made on the processor, texel for texel what the GLU
// mipmap builder makes of the same picture: a picture whose sides are not
// powers of two is first box-filtered to the nearest powers of two (GLU's
// choice of size, its filter and its float arithmetic), then every level is
// the rounded 2 x 2 average of the one before (a pair average once a side is
// 1), down to 1 x 1. Only faster: the filter's weights are worked out once
// per column and row instead of once per texel, the components of a texel
// are summed side by side, and the smaller levels are made only for a
// texture whose minification filter reads them.
#pragma once

#include <vector>

// One level: its size and its texels, components bytes each, rows packed.
struct MipmapLevel {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> texels;
};

// The side GLU scales a side to: the nearest power of two (3 x 2^k rounds up).
int MipmapSide(int side);

// The levels down to 1 x 1 (the base level alone without smallerLevels):
// [0] is the base level, unless the picture's sides are powers of two
// already (then [0] is empty and the picture itself is the base level).
// components is 3 (RGB) or 4 (RGBA); rowBytes is the distance of the
// picture's rows (width x components rounded up to the unpack alignment);
// sides over maxSide are halved as GLU does until they fit.
std::vector<MipmapLevel> BuildMipmapLevels(int components, int width, int height, const unsigned char* pixels,
                                           int rowBytes, int maxSide, bool smallerLevels);

// Uploads pixels (GL_UNSIGNED_BYTE, 3 components RGB or 4 RGBA, rows as the
// unpack alignment sets them) into the texture bound to GL_TEXTURE_2D: what
// gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, RGB or RGBA,
// GL_UNSIGNED_BYTE, pixels) does, every level of it when the texture's
// minification filter is a mipmap filter (the default), its base level alone
// when the filter is GL_LINEAR or GL_NEAREST, which never read the others:
// set the filters before the upload. Nothing for a side under 1 or another
// component count.
void UploadMipmaps(int components, int width, int height, const unsigned char* pixels);

// How many uploads UploadMipmaps has made so far: a texture's picture can
// have changed only when it has grown.
unsigned long TextureUploadCount();
