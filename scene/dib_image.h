// Reading picture files: Windows device-independent bitmaps (".res" files)
// decoded into plain 24-bit RGB.
#pragma once

#include "platform/wintypes.h"

class CString;

// A loaded picture: sizeX x sizeY pixels, data holds R, G, B bytes for each
// pixel, the bottom row first, rows without gaps. The record and its data are
// two blocks from malloc; the caller releases both with free().
struct AUX_RGBImageRec {
    int sizeX;
    int sizeY;
    unsigned char* data;
};

// Reads the bitmap at path (with or without the 14-byte "BM" file header;
// 12- or 40-byte bitmap header; 1, 4, 8, 16, 24 or 32 bits per pixel;
// uncompressed, RLE8, RLE4 or bit fields; bottom-up or top-down). On failure
// shows one of the messages "Failed to open DIB file <path>." (also for a
// folder, a device or a read error), "Unknown DIB file format.", "Out of
// memory.", "Image file conversion error." or, for a picture of more than
// 4096 x 4096 pixels (refused before decoding) or a file larger than such a
// picture can be, "Picture too large (more than 4096 x 4096 pixels): <path>."
// in a box captioned "Error" and returns nullptr. Never throws.
AUX_RGBImageRec* auxDIBImageLoadA(const char* path);

// The same reading without the box, for pictures whose absence is no error:
// on failure returns nullptr and puts the message into *failure when given.
AUX_RGBImageRec* ReadDibImage(const char* path, CString* failure);

// The message box the reader reports through (MessageBoxA unless a test
// replaces it to see the messages without a window).
extern int (*g_pictureMessageBox)(void* owner, const char* text, const char* caption, UINT type);
